// How Windows paths land in the host folder (this layer only).
#include "platform/posix/drive_map.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orr {
namespace {

namespace fs = std::filesystem;
using platform::Status;
using platform::posix::DriveMap;

class DriveMapTest : public ::testing::Test {
protected:
    test::TestRoot root;
    fs::path host = root.options().root;
    DriveMap map{host};

    std::string text(std::string_view path) const { return map.absolute(path).text(); }
    fs::path hostOf(std::string_view path) const {
        auto h = map.toHost(path);
        EXPECT_EQ(h.status, Status::ok) << path;
        return h.path;
    }
    void touch(const fs::path& p) { std::ofstream(p) << "x"; }
};

TEST_F(DriveMapTest, WindowsPathsAreMadeAbsoluteWithTheirNamesTrimmedAsThePlatformParsesThem) {
    const std::pair<const char*, const char*> rows[] = {
        {"c:/t/./x/../y", "C:\\t\\y"}, {"C:\\t\\\\y\\", "C:\\t\\y\\"},  // the closing separator stays
        {"C:\\..\\..\\t", "C:\\t"},  // never above the drive root
        {"C:", "C:\\"}, {"a\\b", "C:\\a\\b"}, {"d:x", "D:\\x"},
        // The last name loses its closing spaces and dots, after "." and "..".
        {"C:\\bk ", "C:\\bk"}, {"C:\\bk. . ", "C:\\bk"}, {"C:\\bk \\x\\..", "C:\\bk"},
        {"C:\\bk\\f.txt\\.", "C:\\bk\\f.txt"}, {"C:\\ . ", "C:\\"}, {"C:\\.bk", "C:\\.bk"},
        {"C:\\bk\\...", "C:\\bk\\"},  // nothing left: the path ends in "\\"
        {"C:\\bk\\.. ", "C:\\bk\\"},  // ".. " is a name, not the parent
        // A closing "\\" keeps the name as written but for one closing dot.
        {"C:\\bk \\", "C:\\bk \\"}, {"C:\\bk.\\", "C:\\bk\\"}, {"C:\\bk.\\f.txt", "C:\\bk\\f.txt"},
        {"C:\\bk. \\f.txt", "C:\\bk. \\f.txt"},
        {"C:\\bk..\\f.txt", "C:\\bk..\\f.txt"},  // Windows since Vista; Wine drops one
    };
    for (const auto& [path, absolute] : rows) EXPECT_EQ(text(path), absolute) << path;
    for (const char* path : {"", "   ", "\\\\server\\share\\a.txt", "//server/share"})
        EXPECT_EQ(map.absolute(path).status, Status::pathNotFound) << path;
    for (const char* path : {"C:\\t\\*.txt", "C:\\a?\\b", "C:\\a:b"})
        EXPECT_EQ(map.absolute(path).status, Status::invalidName) << path;

    map.setCurrentDirectory(map.absolute("C:\\t\\sub\\"));
    EXPECT_EQ(map.currentDirectory(), "C:\\t\\sub");
    EXPECT_EQ(text("a.txt"), "C:\\t\\sub\\a.txt");
    EXPECT_EQ(text("..\\a.txt"), "C:\\t\\a.txt");
    EXPECT_EQ(text("C:a.txt"), "C:\\t\\sub\\a.txt");
    EXPECT_EQ(text("\\a.txt"), "C:\\a.txt");  // the current drive's root
    // A current folder whose name ends in dots stays as it is.
    map.setCurrentDirectory(map.absolute("C:\\t..\\"));
    EXPECT_EQ(text("a.txt"), "C:\\t..\\a.txt");

    // Other drives are links in dosdevices (the where-mapped scenario's); a
    // drive without one, or a server's share, is no path here.
    EXPECT_EQ(map.toHost("F:\\x").status, Status::pathNotFound);
    EXPECT_EQ(map.toHost("\\\\server\\share\\x").status, Status::pathNotFound);
}

TEST_F(DriveMapTest, ComponentsAreFoundWithoutRegardToCase) {
    const fs::path t = host / "drive_c" / "t";
    fs::create_directories(t / "Sub Dir");
    touch(t / "Sub Dir" / "File.TXT");

    EXPECT_EQ(hostOf("C:\\T\\sub dir\\file.txt"), t / "Sub Dir" / "File.TXT");
    EXPECT_EQ(hostOf("c:/t/SUB DIR/"), t / "Sub Dir" / "");
    // From the first missing component on, names stay as written.
    EXPECT_EQ(hostOf("C:\\t\\SUB DIR\\New\\Deeper.txt"), t / "Sub Dir" / "New" / "Deeper.txt");
    EXPECT_EQ(hostOf("C:\\"), host / "drive_c");

    // An exact match wins; otherwise the smallest of several spellings.
    touch(t / "b.txt");
    touch(t / "B.txt");
    touch(t / "B.TXT");
    EXPECT_EQ(hostOf("C:\\t\\B.txt"), t / "B.txt");
    EXPECT_EQ(hostOf("C:\\t\\b.Txt"), t / "B.TXT");
}

}  // namespace
}  // namespace orr
