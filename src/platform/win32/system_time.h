// DateTime and SYSTEMTIME, one to one (the milliseconds and the day of the
// week are left zero: no function this program calls reads them).
#pragma once

#include "platform/filesystem.h"

#include <windows.h>

namespace orr::platform::win32 {

inline SYSTEMTIME systemTime(const DateTime& t) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

inline DateTime dateTime(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace orr::platform::win32
