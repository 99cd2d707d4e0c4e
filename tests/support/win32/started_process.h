// A program a Windows test starts, ended (and waited for) when it goes, so
// that a failed check leaves nothing running.
#pragma once

#include "platform/win32/handles.h"

#include <windows.h>

#include <string>

namespace orr::test {

class StartedProcess {
public:
    // `program` with `arguments` after its quoted name; nothing runs when it
    // cannot be started.
    StartedProcess(const std::string& program, const std::string& arguments)
        : StartedProcess(start(program, arguments)) {}
    ~StartedProcess() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.get(), 0);
            WaitForSingleObject(process_.get(), 10000);
        }
    }
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    explicit operator bool() const { return static_cast<bool>(process_); }
    HANDLE handle() const { return process_.get(); }
    DWORD id() const { return id_; }
    bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

private:
    using Handle = platform::win32::Owned<HANDLE, CloseHandle>;

    explicit StartedProcess(const PROCESS_INFORMATION& info)
        : process_(info.hProcess), thread_(info.hThread), id_(info.dwProcessId) {}
    static PROCESS_INFORMATION start(const std::string& program, const std::string& arguments) {
        std::string command = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &info))
            return {};
        return info;
    }

    Handle process_;
    Handle thread_;
    DWORD id_;
};

}  // namespace orr::test
