// How this layer keeps the attribute bits a POSIX file system lacks: in
// permissions, in Wine's "user.DOSATTRIB" extended attribute and in the
// dot-name convention, so that Wine sees the same bits.
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>

#include <filesystem>
#include <fstream>

namespace orr {
namespace {

namespace fs = std::filesystem;
namespace attr = platform::attr;
using platform::Status;

class DosAttributesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(dir / "probe") << "x";
        if (::setxattr((dir / "probe").c_str(), "user.DOSATTRIB", "0x0", 3, 0) != 0)
            GTEST_SKIP() << "no user extended attributes on this file system";
        fs::remove(dir / "probe");
    }

    std::string stored(const fs::path& p) {
        char data[32];
        ssize_t n = ::getxattr(p.c_str(), "user.DOSATTRIB", data, sizeof data);
        return n < 0 ? "(none)" : std::string(data, static_cast<std::size_t>(n));
    }

    test::TestRoot root;
    fs::path dir = fs::path(root.options().root) / "drive_c" / "t";
    std::unique_ptr<platform::FileSystem> files = platform::makeFileSystem(root.options());
};

TEST_F(DosAttributesTest, BitsAreStoredAsWineAndSambaStoreThem) {
    std::ofstream(dir / "a.txt") << "x";
    const std::string a = root.path("a.txt");

    ASSERT_EQ(files->setAttributes(a, attr::hidden | attr::system), Status::ok);
    EXPECT_EQ(stored(dir / "a.txt"), "0x6");
    ASSERT_EQ(files->setAttributes(a, attr::readOnly), Status::ok);
    EXPECT_EQ(stored(dir / "a.txt"), "0x0");  // archive cleared, read-only in the mode
    EXPECT_EQ(fs::status(dir / "a.txt").permissions() & fs::perms::owner_write, fs::perms::none);
    ASSERT_EQ(files->setAttributes(a, attr::archive), Status::ok);
    EXPECT_EQ(stored(dir / "a.txt"), "(none)");  // the plain state leaves nothing behind
    EXPECT_NE(fs::status(dir / "a.txt").permissions() & fs::perms::owner_write, fs::perms::none);

    // What Wine (or Samba) wrote is read back, "0x" and hex, NUL-ended or not.
    std::ofstream(dir / "w.txt") << "x";
    ::setxattr((dir / "w.txt").c_str(), "user.DOSATTRIB", "0x22", 5, 0);
    EXPECT_EQ(files->attributes(root.path("w.txt")), attr::hidden | attr::archive);
    ::setxattr((dir / "w.txt").c_str(), "user.DOSATTRIB", "0x4", 3, 0);
    EXPECT_EQ(files->attributes(root.path("w.txt")), attr::system);
    ::setxattr((dir / "w.txt").c_str(), "user.DOSATTRIB", "\x01\x02", 2, 0);
    EXPECT_EQ(files->attributes(root.path("w.txt")), attr::archive);  // unknown format: ignored
}

// A read-only folder keeps its write permission, so it still takes new
// entries, but is not removed. Hidden dot-names are the tree copy's tests'.
TEST_F(DosAttributesTest, AReadOnlyFolderKeepsItsWritePermissionButIsNotRemoved) {
    fs::create_directory(dir / "ro");
    ASSERT_EQ(files->setAttributes(root.path("ro"), attr::readOnly), Status::ok);
    EXPECT_EQ(files->attributes(root.path("ro")), attr::directory | attr::readOnly);
    EXPECT_NE(fs::status(dir / "ro").permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(files->removeDirectory(root.path("ro")), Status::accessDenied);
}

}  // namespace
}  // namespace orr
