// How the system's error codes read as file-system outcomes.
#pragma once

#include "platform/status.h"

#include <windows.h>

namespace orr::platform::win32 {

Status statusFromError(DWORD error);
inline Status lastStatus() { return statusFromError(GetLastError()); }

}  // namespace orr::platform::win32
