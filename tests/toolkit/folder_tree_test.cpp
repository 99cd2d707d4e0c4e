// Folder trees: listing them (GetAllSubdirectories) and making a folder path
// level by level (CreateDirectoryStruct).
#include "toolkit_fixture.h"

namespace orr::test {
namespace {

using FolderTree = ToolkitTest;

// The folders below the drive root that lead to `folder` ("C:\t\x\" gives
// "C:\t", "C:\t\x"): the levels that exist before anything is made.
std::vector<std::string> levelsDownTo(const std::string& folder) {
    std::vector<std::string> levels;
    for (std::size_t i = 3; i < folder.size(); ++i)
        if (folder[i] == '\\') levels.push_back(folder.substr(0, i));
    return levels;
}

TEST_F(FolderTree, ListsEachLevelBeforeDescending) {
    makeFolder("A\\B\\D");
    makeFolder("A\\C");
    writeFile("A\\file.txt", "x");
    const std::string a = path("A");

    std::vector<std::string> log;
    events.onProcess = [&] { log.push_back("yield"); };
    auto status = [&](const std::string& text) { log.push_back(text); };

    EXPECT_EQ(fso.GetAllSubdirectories(a, false, status), a + "\\B;" + a + "\\C;" + a + "\\B\\D;");
    // Every call, the nested ones too, shows its folder and then yields.
    const std::vector<std::string> expected = {
        "Scanning Folder: " + a,           "yield", "Scanning Folder: " + a + "\\B\\",    "yield",
        "Scanning Folder: " + a + "\\B\\D\\", "yield", "Scanning Folder: " + a + "\\C\\", "yield",
    };
    EXPECT_EQ(log, expected);

    // A root given with its separator gets no second one; no callback is fine.
    EXPECT_EQ(fso.GetAllSubdirectories(a + "\\", true), a + "\\B;" + a + "\\C;" + a + "\\B\\D;");
}

TEST_F(FolderTree, ListsHiddenFoldersButNotSystemOnesAndNothingForFilesOrMissingFolders) {
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
}

TEST_F(FolderTree, SemicolonInAFolderNameSplitsItsPath) {
    makeFolder("A\\x;y\\z");  // never reached: its parent's path is split at ";"
    makeFolder("empty");
    // The piece "y" is scanned as a relative path; keep that harmless.
    ASSERT_EQ(native.files->setCurrentDirectory(path("empty")), platform::Status::ok);
    EXPECT_EQ(fso.GetAllSubdirectories(path("A"), true), path("A\\x;y;"));
}

TEST_F(FolderTree, AnUnreadableEntryPassesFileNotFoundToTheCaller) {
    makeFolder("A\\B");
    files.unreadableAttributes.insert(path("A\\B"));
    try {
        fso.GetAllSubdirectories(path("A"), true);
        ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 53);
    }
}

TEST_F(FolderTree, CreateDirectoryStructMakesEachMissingLevel) {
    const std::string target = path("n1\\n2\\n3");
    std::vector<std::pair<std::size_t, std::size_t>> atYield;  // (levels tested, folders made)
    events.onProcess = [&] { atYield.emplace_back(files.existsAsked.size(), files.made.size()); };

    fso.CreateDirectoryStruct(target);

    auto levels = levelsDownTo(root.base());
    const std::size_t existing = levels.size();
    for (const char* l : {"n1", "n1\\n2", "n1\\n2\\n3"}) levels.push_back(path(l));
    EXPECT_EQ(files.existsAsked, levels);
    EXPECT_EQ(files.made, std::vector<std::string>(levels.begin() + existing, levels.end()));
    EXPECT_TRUE(bits("n1\\n2\\n3") & platform::attr::directory);

    // One yield per level, after its test and before it is made.
    ASSERT_EQ(atYield.size(), levels.size());
    for (std::size_t k = 0; k < atYield.size(); ++k) {
        EXPECT_EQ(atYield[k].first, k + 1);
        EXPECT_EQ(atYield[k].second, k > existing ? k - existing : 0);
    }
}

TEST_F(FolderTree, CreateDirectoryStructLeavesExistingPathsAlone) {
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
}

TEST_F(FolderTree, CreateDirectoryStructNeverMakesServerOrShare) {
    files.offlineNetwork = true;
    fso.CreateDirectoryStruct("\\\\server\\share\\x\\y");
    const std::vector<std::string> levels = {"\\\\server\\share\\x", "\\\\server\\share\\x\\y"};
    EXPECT_EQ(files.existsAsked, levels);
    EXPECT_EQ(files.made, levels);
    EXPECT_EQ(events.count, 2);
}

TEST_F(FolderTree, CreateDirectoryStructPassesFailuresOnAndKeepsMadeLevels) {
    // A file stands where a folder must go. Which error comes is the OS's:
    // the posix layer fails to make the folder ("Path not found"), Wine
    // already refuses the existence listing through a file ("Bad file name").
    writeFile("f.txt", "x");
    EXPECT_THROW(fso.CreateDirectoryStruct(path("f.txt\\sub")), RunError);
    EXPECT_FALSE(exists("f.txt\\sub"));

    files.refuseToMake.insert(path("m1\\m2"));
    try {
        fso.CreateDirectoryStruct(path("m1\\m2\\m3"));
        ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 75);  // the refusal, as Path/File access error
    }
    EXPECT_TRUE(exists("m1"));
    EXPECT_FALSE(exists("m1\\m2"));
}

TEST_F(FolderTree, CreateDirectoryStructOverflowsPastPosition32767) {
    files.offline = true;
    const std::string longName(32000, 'a');
    try {
        fso.CreateDirectoryStruct("C:\\" + longName + "\\" + std::string(1000, 'b'));
        ADD_FAILURE() << "no overflow";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    // The first level ends in reach and is made; the second ends beyond it.
    EXPECT_EQ(files.made, std::vector<std::string>{"C:\\" + longName});
}

}  // namespace
}  // namespace orr::test
