#include "platform/console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace orr::platform {

// Binary mode keeps "\n" from becoming "\r\n", so transcripts are the same
// bytes as on other systems; the console shows them as UTF-8.
void prepareConsole() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

}  // namespace orr::platform
