// The system's list of processes, walked once (a Toolhelp snapshot).
#pragma once

#include "handles.h"

#include <windows.h>
#include <tlhelp32.h>

namespace orr::platform::win32 {

// Calls `each` with every process's entry; false when the list cannot be
// read.
template <typename Each>
bool forEachProcess(Each&& each) {
    const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    if (!Process32FirstW(snapshot.get(), &entry)) return false;
    do {
        each(static_cast<const PROCESSENTRY32W&>(entry));
    } while (Process32NextW(snapshot.get(), &entry));
    return true;
}

}  // namespace orr::platform::win32
