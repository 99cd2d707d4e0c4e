// Folder trees: listing them (GetAllSubdirectories) and making a folder path
// level by level (CreateDirectoryStruct).
#include "toolkit_fixture.h"

namespace orr::test {
namespace {

using FolderTree = ToolkitTest;

TEST_F(FolderTree, ListsHiddenNotSystemFoldersSplitsPathsAtSemicolonsAndPassesFileNotFoundOn) {
    makeFolder("A\\H");
    makeFolder("A\\S");
    writeFile("A\\only-a-file.txt", "x");
    fso.SetHidden(path("A\\H"));
    fso.SetSystem(path("A\\S"));
    ASSERT_TRUE(bits("A\\H") & platform::attr::hidden);
    ASSERT_TRUE(bits("A\\S") & platform::attr::system);
    EXPECT_EQ(fso.GetAllSubdirectories(path("A"), true), path("A\\H;"));
    EXPECT_EQ(fso.GetAllSubdirectories(path("A\\H"), true), "");
    EXPECT_EQ(fso.GetAllSubdirectories(path("missing"), true), "");

    makeFolder("B\\x;y\\z");  // never reached: its parent's path is split at ";"
    makeFolder("empty");
    // The piece "y" is scanned as a relative path; keep that harmless.
    ASSERT_EQ(native.files->setCurrentDirectory(path("empty")), platform::Status::ok);
    EXPECT_EQ(fso.GetAllSubdirectories(path("B"), true), path("B\\x;y;"));

    makeFolder("C\\D");
    files.unreadableAttributes.insert(path("C\\D"));
    EXPECT_EQ(runErrorNumber([&] { fso.GetAllSubdirectories(path("C"), true); }), 53);
}

TEST_F(FolderTree, CreateDirectoryStructLeavesExistingPathsAlonePassesFailuresOnAndKeepsMadeLevels) {
    makeFolder("a");
    writeFile("f.txt", "x");
    fso.CreateDirectoryStruct(path("a"));
    fso.CreateDirectoryStruct(path("f.txt"));  // a file counts as existing too
    EXPECT_TRUE(files.existsAsked.empty());
    EXPECT_TRUE(files.made.empty());
    EXPECT_EQ(events.count, 0);

    fso.CreateDirectoryStruct(path("a\\b"));
    EXPECT_EQ(files.made, std::vector<std::string>{path("a\\b")});

    files.made.clear();
    fso.CreateDirectoryStruct(path("c\\d\\"));  // a trailing separator adds no level
    EXPECT_EQ(files.made, (std::vector<std::string>{path("c"), path("c\\d")}));

    // A file stands where a folder must go. Which error comes is the OS's:
    // the posix layer fails to make the folder ("Path not found"), Wine
    // already refuses the existence listing through a file ("Bad file name").
    EXPECT_THROW(fso.CreateDirectoryStruct(path("f.txt\\sub")), RunError);
    EXPECT_FALSE(exists("f.txt\\sub"));

    files.refuseToMake.insert(path("m1\\m2"));
    // The refusal, as Path/File access error.
    EXPECT_EQ(runErrorNumber([&] { fso.CreateDirectoryStruct(path("m1\\m2\\m3")); }), 75);
    EXPECT_TRUE(exists("m1"));
    EXPECT_FALSE(exists("m1\\m2"));
}

TEST_F(FolderTree, CreateDirectoryStructNeverMakesServerOrShare) {
    files.offlineNetwork = true;
    fso.CreateDirectoryStruct("\\\\server\\share\\x\\y");
    const std::vector<std::string> levels = {"\\\\server\\share\\x", "\\\\server\\share\\x\\y"};
    EXPECT_EQ(files.existsAsked, levels);
    EXPECT_EQ(files.made, levels);
    EXPECT_EQ(events.count, 2);
}

}  // namespace
}  // namespace orr::test
