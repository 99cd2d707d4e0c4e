// Paths for the wide file functions at any length. The "\\?\" prefix lifts
// the 260-character limit but also turns off the system's own resolving of
// ".", "..", "/" and trailing dots and spaces, so a path is made full first.
#pragma once

#include "utf16.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace orr::platform::win32 {

// From this length on CreateDirectory fails without the prefix.
inline constexpr std::size_t kShortPath = MAX_PATH - 12;

// The full "\\?\" (or "\\?\UNC\") form of `path`; empty when it cannot be
// made full.
inline std::wstring extendedPath(std::string_view path) {
    const std::wstring in = wide(path);
    if (in.empty()) return {};
    DWORD n = GetFullPathNameW(in.c_str(), 0, nullptr, nullptr);
    if (n == 0) return {};
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(in.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return {};
    full.resize(n);
    if (full.starts_with(L"\\\\?\\")) return full;
    const bool unc = full.starts_with(L"\\\\");
    std::wstring out = unc ? L"\\\\?\\UNC\\" : L"\\\\?\\";
    out.append(full, unc ? 2 : 0);
    return out;
}

// `path` as the wide functions take it: as given while short, so that the
// system resolves it as the ANSI functions would; extended when long.
inline std::wstring systemPath(std::string_view path) {
    if (path.size() < kShortPath) return wide(path);
    std::wstring extended = extendedPath(path);
    return extended.empty() ? wide(path) : extended;
}

}  // namespace orr::platform::win32
