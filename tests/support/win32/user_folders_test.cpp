// The user's and the system's folders as Windows names them, for this
// 64-bit program: existing folders, written without a closing separator,
// the 32-bit programs' folder apart from the 64-bit programs' one.
#include "platform/folders.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orr {
namespace {

std::string environment(const char* name) {
    char value[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

TEST(UserFolders, TheSystemNamesExistingFoldersWithoutClosingSeparators) {
    test::TestRoot root;
    auto files = platform::makeFileSystem(root.options());
    auto folders = platform::makeUserFolders(*files);
    for (const std::string& folder : {folders->localAppData(), folders->programFiles(), folders->programFilesX86()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), '\\') << folder;
        const auto bits = files->attributes(folder);
        EXPECT_TRUE(bits && (*bits & platform::attr::directory)) << folder;
    }
    EXPECT_NE(folders->programFiles(), folders->programFilesX86());
    EXPECT_EQ(folders->localAppData(), environment("LOCALAPPDATA"));
    EXPECT_EQ(folders->programFilesX86(), environment("ProgramFiles(x86)"));
}

}  // namespace
}  // namespace orr
