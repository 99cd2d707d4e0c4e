// Where the POSIX layer finds the user's folders: the temporary folder in
// the Wine prefix's profile named after the login, else the system's temp
// folder; the local application data in that profile whether or not it
// exists. Program Files are the game-x86 and virtual-store scenarios'.
#include "platform/folders.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace orr {
namespace {

// $USER set for a test, and given back as it was.
class UserAs {
public:
    explicit UserAs(const char* name) : had_(std::getenv("USER") != nullptr), saved_(had_ ? std::getenv("USER") : "") {
        ::setenv("USER", name, 1);
    }
    ~UserAs() {
        if (had_) ::setenv("USER", saved_.c_str(), 1);
        else ::unsetenv("USER");
    }
    UserAs(const UserAs&) = delete;
    UserAs& operator=(const UserAs&) = delete;

private:
    bool had_;
    std::string saved_;
};

class UserFolders : public ::testing::Test {
protected:
    test::TestRoot root;
    std::unique_ptr<platform::FileSystem> files = platform::makeFileSystem(root.options());
    std::unique_ptr<platform::UserFolders> folders = platform::makeUserFolders(*files);
};

// Both follow the login ($USER), whether or not its profile exists.
TEST_F(UserFolders, TheProfileIsTheLoginsAndItsTemporaryFolderTheOneThatExists) {
    const UserAs user("tester");
    EXPECT_EQ(folders->localAppData(), "C:\\users\\tester\\AppData\\Local");
    EXPECT_EQ(folders->temporary(), "C:\\windows\\temp\\");
    for (const char* dir : {"C:\\users", "C:\\users\\tester", "C:\\users\\tester\\AppData",
                            "C:\\users\\tester\\AppData\\Local", "C:\\users\\tester\\AppData\\Local\\Temp"})
        ASSERT_EQ(files->makeDirectory(dir), platform::Status::ok) << dir;
    EXPECT_EQ(folders->temporary(), "C:\\users\\tester\\AppData\\Local\\Temp\\");
    // Wine's own layout ("Temp" in the profile) comes first.
    ASSERT_EQ(files->makeDirectory("C:\\users\\tester\\Temp"), platform::Status::ok);
    EXPECT_EQ(folders->temporary(), "C:\\users\\tester\\Temp\\");

    const UserAs other("other");
    EXPECT_EQ(folders->localAppData(), "C:\\users\\other\\AppData\\Local");
    EXPECT_FALSE(files->exists(folders->localAppData()));
}

}  // namespace
}  // namespace orr
