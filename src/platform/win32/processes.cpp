// The system's process list (a Toolhelp snapshot), and the image path of
// each process of the asked name. Other processes are never opened.
#include "platform/processes.h"

#include "handles.h"
#include "process_list.h"
#include "utf16.h"

#include <windows.h>

namespace orr::platform {
namespace {

using ProcessHandle = win32::Owned<HANDLE, CloseHandle>;

// The process's full image path; "" when the system will not tell it (no
// right to ask, or the process has ended since the snapshot).
std::string imagePath(DWORD processId) {
    const ProcessHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    // Long paths go up to 32767 characters; most fit the first buffer.
    for (const DWORD capacity : {DWORD{MAX_PATH + 1}, DWORD{32768}}) {
        std::wstring buffer(capacity, L'\0');
        DWORD length = capacity;
        if (QueryFullProcessImageNameW(process.get(), 0, buffer.data(), &length)) {
            buffer.resize(length);
            return win32::narrow(buffer);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    return {};
}

class SystemProcesses final : public Processes {
public:
    std::optional<std::vector<RunningImage>> running(std::string_view baseName) override {
        std::vector<RunningImage> out;
        const bool listed = win32::forEachProcess([&](const PROCESSENTRY32W& entry) {
            std::string name = win32::narrow(entry.szExeFile);
            if (!ascii::equal(name, baseName)) return;
            out.push_back({std::move(name), imagePath(entry.th32ProcessID)});
        });
        if (!listed) return std::nullopt;
        return out;
    }
};

}  // namespace

std::unique_ptr<Processes> makeProcesses() { return std::make_unique<SystemProcesses>(); }

}  // namespace orr::platform
