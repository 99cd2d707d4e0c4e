#include "platform/console.h"

#include "utf16.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <memory>

namespace orr::platform {

// Binary mode keeps "\n" from becoming "\r\n", so transcripts are the same
// bytes as on other systems; the console shows them as UTF-8.
void prepareConsole() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

namespace {

struct LocalFreer {
    void operator()(void* p) const { LocalFree(p); }
};

// A standard handle that leads somewhere: a console, a file, a pipe.
bool leadsSomewhere(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

}  // namespace

std::vector<std::string> programWords(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> words(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> out;
    for (int i = 1; words && i < count; ++i) out.push_back(win32::narrow(words.get()[i]));
    return out;
}

void useParentConsole() {
    const bool out = leadsSomewhere(STD_OUTPUT_HANDLE), err = leadsSomewhere(STD_ERROR_HANDLE);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    // The C streams of a window program lead nowhere: opened anew on the
    // console; a redirected one is left where it leads. Deliberate: a
    // stream that cannot be opened there has no other place to say so, and
    // stays silent; the exit code and Orrindale.log still tell the outcome.
    FILE* ignored = nullptr;
    if (!out) (void)freopen_s(&ignored, "CONOUT$", "w", stdout);
    if (!err) (void)freopen_s(&ignored, "CONOUT$", "w", stderr);
    SetConsoleOutputCP(CP_UTF8);
}

namespace {
std::atomic<bool> stopAsked{false};
BOOL WINAPI askStop(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;  // closing: the system's way
    stopAsked.store(true);
    return TRUE;
}
}  // namespace

const std::atomic<bool>& catchStopRequests() {
    SetConsoleCtrlHandler(askStop, TRUE);
    return stopAsked;
}

}  // namespace orr::platform
