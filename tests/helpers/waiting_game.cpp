// waiting-game [EVENT]: a stand-in for the game's executable in the Windows
// tests, copied into a game folder as Sims.exe. It sets the named event
// once it runs, then waits to be ended; after a minute it ends by itself,
// so that a test that fails midway leaves nothing running for long.
#include "platform/win32/handles.h"

#include <windows.h>

int main(int argc, char** argv) {
    if (argc > 1) {
        using Handle = orr::platform::win32::Owned<HANDLE, CloseHandle>;
        const Handle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]));
        if (!ready || !SetEvent(ready.get())) return 1;
    }
    Sleep(60000);
    return 0;
}
