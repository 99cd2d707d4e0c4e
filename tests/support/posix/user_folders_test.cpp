// Where the POSIX layer finds the user's folders: the temporary folder in
// the Wine prefix's profile named after the login, else the system's temp
// folder; the local application data in that profile whether or not it
// exists; Program Files as a 64-bit prefix has them.
#include "platform/folders.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orr {
namespace {

TEST(UserFolders, TheTemporaryFolderIsTheProfilesOneWhereItExists) {
    test::TestRoot root;
    auto files = platform::makeFileSystem(root.options());
    auto folders = platform::makeUserFolders(*files);
    const char* user = std::getenv("USER");
    const std::string saved = user ? user : "";
    ::setenv("USER", "tester", 1);

    EXPECT_EQ(folders->temporary(), "C:\\windows\\temp\\");
    for (const char* dir : {"C:\\users", "C:\\users\\tester", "C:\\users\\tester\\AppData",
                            "C:\\users\\tester\\AppData\\Local", "C:\\users\\tester\\AppData\\Local\\Temp"})
        ASSERT_EQ(files->makeDirectory(dir), platform::Status::ok) << dir;
    EXPECT_EQ(folders->temporary(), "C:\\users\\tester\\AppData\\Local\\Temp\\");
    // Wine's own layout ("Temp" in the profile) comes first.
    ASSERT_EQ(files->makeDirectory("C:\\users\\tester\\Temp"), platform::Status::ok);
    EXPECT_EQ(folders->temporary(), "C:\\users\\tester\\Temp\\");

    if (user) ::setenv("USER", saved.c_str(), 1);
    else ::unsetenv("USER");
}

TEST(UserFolders, LocalAppDataIsTheLoginsProfileAndProgramFilesAreThoseOfA64BitPrefix) {
    test::TestRoot root;
    auto files = platform::makeFileSystem(root.options());
    auto folders = platform::makeUserFolders(*files);
    const char* user = std::getenv("USER");
    const std::string saved = user ? user : "";

    ::setenv("USER", "tester", 1);
    EXPECT_EQ(folders->localAppData(), "C:\\users\\tester\\AppData\\Local");
    ::setenv("USER", "other", 1);
    EXPECT_EQ(folders->localAppData(), "C:\\users\\other\\AppData\\Local");
    EXPECT_FALSE(files->exists(folders->localAppData()));
    EXPECT_EQ(folders->programFiles(), "C:\\Program Files");
    EXPECT_EQ(folders->programFilesX86(), "C:\\Program Files (x86)");

    if (user) ::setenv("USER", saved.c_str(), 1);
    else ::unsetenv("USER");
}

}  // namespace
}  // namespace orr
