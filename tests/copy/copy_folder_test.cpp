// The folder copy as the game data sets use it (MFile::CopyFolder over the
// OS's own shell copy): where the copy lands, merging, replacing, making
// what is missing, and the copies that are refused.
#include "copy_fixture.h"

#include "platform/error.h"

namespace orr::test {
namespace {

namespace attr = platform::attr;
using platform::Pointer;
using Names = std::vector<std::string>;
using CopyContract = EitherFileSystem;

INSTANTIATE_TEST_SUITE_P(Copy, CopyContract, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wrapped" : "Native"; });

TEST_P(CopyContract, LandsUnderItsOwnNameAndMergesWithWhatIsThere) {
    writeFile("Game\\UserData\\a.txt", "new a");
    writeFile("Game\\UserData\\Houses\\House01.iff", "house");
    writeFile("Backup\\UserData\\a.txt", "old a, longer than the new one");
    writeFile("Backup\\UserData\\only-here.txt", "stays");

    copyFolder(path("Game\\UserData"), path("Backup"));

    EXPECT_EQ(read("Backup\\UserData\\a.txt"), "new a");
    EXPECT_EQ(read("Backup\\UserData\\Houses\\House01.iff"), "house");
    EXPECT_EQ(read("Backup\\UserData\\only-here.txt"), "stays");
    EXPECT_EQ(names("Backup"), Names{"UserData"});
    EXPECT_EQ(read("Game\\UserData\\a.txt"), "new a");  // the source is untouched
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(pointer.sets, (std::vector<Pointer>{Pointer::hourglass, Pointer::normal}));

    // Folders whose names differ in letter case are the same: they keep
    // their names and nothing is doubled.
    writeFile("src\\Skins\\Sub\\new.bmp", "n");
    writeFile("dst\\SKINS\\sub\\NEW.BMP", "old");
    copyFolder(path("src\\Skins"), path("dst"));
    EXPECT_EQ(names("dst"), Names{"SKINS"});
    EXPECT_EQ(names("dst\\SKINS"), Names{"sub"});
    EXPECT_EQ(names("dst\\SKINS\\sub"), Names{"NEW.BMP"});
    EXPECT_EQ(read("dst\\SKINS\\sub\\NEW.BMP"), "n");
}

TEST_P(CopyContract, ReplacesReadOnlyFilesAndKeepsAttributesAndTimes) {
    writeFile("src\\Set\\plain.txt", "replacement");
    writeFile("src\\Set\\hidden.txt", "h");
    writeFile("src\\Set\\locked.txt", "l");
    ASSERT_EQ(native.files->setAttributes(path("src\\Set\\hidden.txt"), attr::hidden), platform::Status::ok);
    ASSERT_EQ(native.files->setAttributes(path("src\\Set\\locked.txt"), attr::readOnly), platform::Status::ok);
    const platform::DateTime when{2003, 4, 5, 6, 7, 8};
    ASSERT_EQ(native.files->setModified(path("src\\Set\\plain.txt"), when), platform::Status::ok);
    writeFile("dst\\Set\\plain.txt", "read-only original");
    ASSERT_EQ(native.files->setAttributes(path("dst\\Set\\plain.txt"), attr::readOnly), platform::Status::ok);

    copyFolder(path("src\\Set"), path("dst"));

    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(read("dst\\Set\\plain.txt"), "replacement");
    EXPECT_EQ(bits("dst\\Set\\plain.txt") & attr::readOnly, 0u);  // the source's attributes
    EXPECT_EQ(native.files->modified(path("dst\\Set\\plain.txt")), when);
    EXPECT_EQ(read("dst\\Set\\hidden.txt"), "h");
    EXPECT_NE(bits("dst\\Set\\hidden.txt") & attr::hidden, 0u);
    EXPECT_EQ(read("dst\\Set\\locked.txt"), "l");
    EXPECT_NE(bits("dst\\Set\\locked.txt") & attr::readOnly, 0u);
}

TEST_P(CopyContract, WhatIsMissingIsMadeAndTheFolderStillLandsUnderItsName) {
    // A missing source is made, empty, and lands empty.
    makeFolder("dst");
    copyFolder(path("gone\\Downloads"), path("dst"));
    EXPECT_EQ(bits("gone\\Downloads") & attr::directory, attr::directory);
    EXPECT_EQ(bits("dst\\Downloads") & attr::directory, attr::directory);
    EXPECT_TRUE(names("dst\\Downloads").empty());

    // A missing destination is made and the folder lands inside it, not as
    // the bare shell would (the destination being the copy itself): a
    // restore into a game without ExpansionShared must still put SkinsBuy
    // under its own name.
    writeFile("src\\Music\\song.mp3", "la");
    copyFolder(path("src\\Music"), path("new\\deeper"));
    EXPECT_EQ(read("new\\deeper\\Music\\song.mp3"), "la");
    EXPECT_FALSE(exists("new\\deeper\\song.mp3"));

    // Trailing separators on either side change nothing.
    writeFile("src\\Art\\a.bmp", "a");
    copyFolder(path("src\\Art\\"), path("dst"));
    writeFile("src\\Art\\b.bmp", "b");
    copyFolder(path("src\\Art"), path("dst\\"));
    EXPECT_EQ(names("dst\\Art"), (Names{"a.bmp", "b.bmp"}));
    EXPECT_EQ(names("dst"), (Names{"Art", "Downloads"}));

    // A folder beside the source with a longer name is no subfolder of it.
    copyFolder(path("src\\Art"), path("src\\Art2"));
    EXPECT_EQ(read("src\\Art2\\Art\\a.bmp"), "a");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_P(CopyContract, RefusesAFolderIntoItselfOrBelowIt) {
    writeFile("A\\f.txt", "f");
    makeFolder("A\\sub");
    const std::string into = "Cannot copy A: The destination folder is a subfolder of the source folder.";

    copyFolder(path("A"), path("A"));
    copyFolder(path("A\\"), path("a\\.\\SUB\\\\deeper"));
    copyFolder(path("A"), path("A\\sub\\..\\sub/x"));
    ASSERT_EQ(messages.shown.size(), 3u);
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.text, into);
        EXPECT_EQ(m.caption, "Error Copying File or Folder");
    }
    // Nothing made, nothing copied; the pointer is back each time.
    EXPECT_EQ(names("A"), (Names{"f.txt", "sub"}));
    EXPECT_TRUE(names("A\\sub").empty());
    EXPECT_EQ(pointer.current(), Pointer::normal);

    // Onto itself: into the folder that holds it.
    copyFolder(path("A"), path(""));
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown.back().text, "Cannot copy A: The source and destination file names are the same.");
    EXPECT_EQ(read("A\\f.txt"), "f");

    // A missing source is refused before any of it is made.
    copyFolder(path("M"), path("M\\x"));
    ASSERT_EQ(messages.shown.size(), 5u);
    EXPECT_FALSE(exists("M"));
}

TEST_P(CopyContract, ASourceLevelThatCannotBeMadePassesToTheCaller) {
    writeFile("file.txt", "not a folder");
    makeFolder("dst");
    // Which error is the platform's own (a path error natively, "Bad file
    // name" on Wine); only that it reaches the caller is the contract.
    EXPECT_THROW(copyFolder(path("file.txt\\sub"), path("dst")), RunError);
    // Left at once: no copy, the pointer still the hourglass.
    EXPECT_TRUE(names("dst").empty());
    EXPECT_EQ(pointer.sets, std::vector<Pointer>{Pointer::hourglass});
}

// What the open-file dialog is asked for.
class RequestLog : public platform::FileDialogs {
public:
    std::string openFile(const platform::OpenFileRequest& r) override {
        requests.push_back(r);
        return answer;
    }
    std::optional<std::string> pickFolder(const platform::FolderRequest&) override { return {}; }
    std::vector<platform::OpenFileRequest> requests;
    std::string answer;
};

TEST(ShowOpenDialog, AsksWithTheFilterListBuiltFromBarsAndGivesTheAnswerAsItIs) {
    // Every bar becomes a NUL and one more ends the list (with the NUL that
    // ends the text as the system reads it).
    const std::string list = MFile::BuildFilter("Backup files BAK|*.BAK");
    EXPECT_EQ(std::string(list.c_str(), list.size() + 1), std::string("Backup files BAK\0*.BAK\0\0", 24));
    const std::string lone = MFile::BuildFilter("Everything");
    EXPECT_EQ(std::string(lone.c_str(), lone.size() + 1), std::string("Everything\0\0", 12));
    EXPECT_EQ(MFile::BuildFilter("A|*.a|B|*.b"), std::string("A\0*.a\0B\0*.b\0", 12));

    RequestLog dialogs;
    dialogs.answer = "C:\\x\\typed name";
    EXPECT_EQ(MFile::ShowOpenDialog(dialogs, "Open", "Backup files BAK|*.BAK"), "C:\\x\\typed name");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Open");
    EXPECT_EQ(dialogs.requests[0].filter, list);
    EXPECT_EQ(dialogs.requests[0].defaultExtension, ".BAK");
    dialogs.answer = "";
    EXPECT_EQ(MFile::ShowOpenDialog(dialogs, "Open", "x|y"), "");
}

}  // namespace
}  // namespace orr::test
