// second-start ORRINDALE: starts the program, waits for its window, puts a
// window of its own in front, starts the program a second time and checks
// that the second copy ends at once, that the first still runs and that
// the first copy's window came to the front. Ends the first copy after.
// Exit code 0 when all holds, 1 (with what did not on standard error) else.
#include "platform/win32/handles.h"
#include "support/win32/started_process.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using orr::test::StartedProcess;
using Window = orr::platform::win32::Owned<HWND, DestroyWindow>;
using Clock = std::chrono::steady_clock;

// Lets this program's own window take its messages for a while.
void pump(DWORD milliseconds) {
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    } while (Clock::now() < until);
}

// Waits up to `seconds` for `holds`, pumping messages meanwhile.
template <typename Check>
bool waitFor(int seconds, Check holds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (holds()) return true;
        pump(100);
    }
    return holds();
}

DWORD processOf(HWND window) {
    DWORD id = 0;
    if (window) GetWindowThreadProcessId(window, &id);
    return id;
}

bool showsWindow(DWORD process) {
    struct Search {
        DWORD process;
        bool found;
    } search{process, false};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (IsWindowVisible(window) && processOf(window) == s.process) s.found = true;
            return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int fail(const char* what) {
    std::fprintf(stderr, "second-start: %s\n", what);
    return 1;
}

int run(const std::string& program) {
    const StartedProcess first(program, "");
    if (!first) return fail("the program cannot be started");
    if (!waitFor(60, [&] { return showsWindow(first.id()); }))
        return fail("the first copy showed no window within a minute");

    // A window of this program in front, so that the first copy's window
    // can be seen coming to the front.
    const Window cover(CreateWindowExA(0, "STATIC", "second-start", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                       300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!cover) return fail("no window of its own");
    SetForegroundWindow(cover.get());
    if (!waitFor(10, [&] { return GetForegroundWindow() == cover.get(); }))
        return fail("its own window did not come to the front");

    const auto started = Clock::now();
    const StartedProcess second(program, "");
    if (!second) return fail("the second copy cannot be started");
    if (!waitFor(20, [&] { return !second.running(); }))
        return fail("the second copy still runs after 20 seconds");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
    DWORD code = 1;
    GetExitCodeProcess(second.handle(), &code);
    std::printf("the second copy ended after %lld ms with exit code %lu\n", static_cast<long long>(took.count()),
                static_cast<unsigned long>(code));
    if (code != 0) return fail("the second copy ended with a failure");
    if (!first.running()) return fail("the first copy ended too");
    if (!waitFor(5, [&] { return processOf(GetForegroundWindow()) == first.id(); }))
        return fail("the first copy's window did not come to the front");
    std::printf("the first copy runs, its window in front\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return fail("usage: second-start ORRINDALE");
    return run(argv[1]);
}
