// Windows path text: one table of edge cases for every function.
#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orr::platform {
namespace {

TEST(WindowsPath, EdgeCases) {
    struct Row {
        const char* path;
        bool full;
        const char* volume;
        const char* last;
        const char* closed;  // without closing separators
    };
    const Row rows[] = {
        {"D:\\x\\y", true, "D:\\", "y", "D:\\x\\y"},
        {"D:/x/", true, "D:\\", "x", "D:/x"},
        {"D:\\", true, "D:\\", "D:", "D:\\"},
        {"D:\\\\", true, "D:\\", "D:", "D:\\"},
        {"D:", false, "", "D:", "D:"},
        {"D:x", false, "", "D:x", "D:x"},
        {"\\x", false, "", "x", "\\x"},
        {"x\\y\\", false, "", "y", "x\\y"},
        {"", false, "", "", ""},
        {"\\\\server\\share\\x", true, "\\\\server\\share\\", "x", "\\\\server\\share\\x"},
        {"\\\\server\\share", true, "\\\\server\\share\\", "share", "\\\\server\\share"},
        {"\\\\server\\share\\", true, "\\\\server\\share\\", "share", "\\\\server\\share\\"},
        {"//server/share/x", true, "//server/share/", "x", "//server/share/x"},
        {"\\\\server", false, "", "server", "\\\\server"},
        {"\\\\server\\", false, "", "server", "\\\\server"},
        {"\\\\server\\\\x", false, "", "x", "\\\\server\\\\x"},
        {"\\\\\\x", false, "", "x", "\\\\\\x"},
        {"\\\\?\\D:\\x", true, "\\\\?\\D:\\", "x", "\\\\?\\D:\\x"},
        {"\\\\?\\x", false, "", "x", "\\\\?\\x"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(isFullPath(r.path), r.full) << r.path;
        EXPECT_EQ(volumeOf(r.path), r.volume) << r.path;
        EXPECT_EQ(lastLevel(r.path), r.last) << r.path;
        EXPECT_EQ(withoutClosingSeparator(r.path), r.closed) << r.path;
    }

    EXPECT_EQ(joinPath("D:\\a", "b"), "D:\\a\\b");
    EXPECT_EQ(joinPath("D:\\", "\\b"), "D:\\b");
    EXPECT_EQ(joinPath("", "b"), "b");

    const std::tuple<const char*, const char*, bool> within[] = {  // outer, inner, whether inner lies within
        {"C:\\Games\\The Sims", "c:\\games\\the sims\\UserData", true},
        {"C:\\Games\\The Sims\\", "C:\\Games\\The Sims", true},
        {"C:\\Games\\The Sims", "C:\\Games\\The Sims 2", false},
        {"C:\\Games\\The Sims", "C:\\Games", false},
        {"C:\\", "C:\\x", true},
        {"C:/Games", "C:\\Games\\x", true},
        {"\\\\server\\share", "\\\\SERVER\\Share\\x", true},
        {"\\\\server\\share", "\\\\server\\shared", false},
    };
    for (const auto& [outer, inner, in] : within) EXPECT_EQ(containsPath(outer, inner), in) << outer << " " << inner;
}

}  // namespace
}  // namespace orr::platform
