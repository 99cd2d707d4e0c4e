// What a restore checks before it copies anything, over the OS's own copy:
// which files it leaves out and what it asks, checked against the files a
// copy with that answer then writes.
#include "copy/copy_fixture.h"

#include "gamedata/BackupCheck.h"
#include "platform/sha256.h"

namespace orr::test {
namespace {

using platform::MsgAnswer;

std::string hexOf(const std::string& bytes) {
    auto sha = platform::makeSha256();
    sha->update(bytes);
    return platform::hexText(sha->finish());
}

class BackupCheck : public CopyTest {
protected:
    std::unique_ptr<platform::FolderCopier> copier = folderCopier();
    std::string descriptor = path("bk\\Sims_2026.12.05.BAK");

    // A manifest line as sha256sum writes one, for `bytes` at `written`.
    static std::string line(const std::string& bytes, const std::string& written) {
        return hexOf(bytes) + "  " + written + "\n";
    }
    backupcheck::Checked check() { return backupcheck::beforeRestore(services, *copier, descriptor, path("bk")); }
    // The backup's user data restored into "game" as the restore copies it.
    void restoreUserData(const backupcheck::Checked& checked) {
        platform::CopyOptions options;
        options.leaveOut = checked.leaveOut;
        ASSERT_TRUE(copier->copyFolder(path("bk\\UserData"), path("game"), options).completed());
    }
};

// The manifest may spell a path with "./", "//" or "/./": the damaged file
// is still the one left out, not restored while Finish says it was not.
TEST_F(BackupCheck, ADamagedFileIsLeftOutHoweverTheManifestSpellsItsPath) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house, damaged");
    writeFile("bk\\UserData\\Houses\\House02.iff", "second house");
    writeFile("bk\\Sims_2026.12.05.sha256", line("house", "./UserData//Houses/House01.iff") +
                                                line("second house", "UserData/./Houses/House02.iff"));
    messages.answerNext(MsgAnswer::yes);
    const backupcheck::Checked checked = check();
    ASSERT_TRUE(checked.restore);
    EXPECT_EQ(checked.leaveOut, std::vector<std::string>{path("bk\\UserData\\Houses\\House01.iff")});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("\r\nUserData\\Houses\\House01.iff: differs from the backup\r\n"),
              std::string::npos)
        << messages.shown[0].text;
    restoreUserData(checked);
    EXPECT_FALSE(exists("game\\UserData\\Houses\\House01.iff"));
    EXPECT_EQ(read("game\\UserData\\Houses\\House02.iff"), "second house");
}

// Files of the restored sets that the manifest does not list (added later,
// or cut off a manifest) are named; nothing else of the folder is. They
// are restored only on Yes, like the rest.
TEST_F(BackupCheck, FilesTheManifestDoesNotListAreNamedAndRestoredOnlyOnYes) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house");
    writeFile("bk\\UserData\\Houses\\House02.iff", "added later");
    writeFile("bk\\UserData\\~orrindale-0123456789abcdef-3.tmp", "left by a power cut");
    writeFile("bk\\MoreUserData\\x.iff", "x");
    writeFile("bk\\ExpansionShared\\SkinsBuy\\s.skn", "skin");
    writeFile("bk\\ExpansionShared\\Other\\o.iff", "not restored");
    writeFile("bk\\Photos\\p.jpg", "not a set");
    writeFile("bk\\Orrindale.log", "log");
    writeFile("bk\\Sims_2026.12.05.BAK", "[Backup]");
    writeFile("bk\\Sims_2026.12.05.sha256", line("house", "UserData/Houses/House01.iff"));
    const std::string question =
        "Some files of this backup cannot be checked:\r\n\r\n"
        "ExpansionShared\\SkinsBuy\\s.skn: not in the list of checked files\r\n"
        "MoreUserData\\x.iff: not in the list of checked files\r\n"
        "UserData\\Houses\\House02.iff: not in the list of checked files\r\n\r\n"
        "1 files are as they were saved. Restore all the files, those that cannot be checked too?";
    messages.answerNext(MsgAnswer::no);
    EXPECT_FALSE(check().restore);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{question});

    messages.answerNext(MsgAnswer::yes);
    const backupcheck::Checked checked = check();
    EXPECT_TRUE(checked.restore);
    EXPECT_TRUE(checked.leaveOut.empty());
    restoreUserData(checked);
    EXPECT_EQ(read("game\\UserData\\Houses\\House02.iff"), "added later");

    // With a damaged file too, the question says that one is not restored.
    writeFile("bk\\UserData\\Houses\\House01.iff", "house, damaged");
    messages.answerNext(MsgAnswer::yes);
    EXPECT_EQ(check().leaveOut, std::vector<std::string>{path("bk\\UserData\\Houses\\House01.iff")});
    EXPECT_TRUE(messages.shown.back().text.ends_with(
        "Restore them and the files that cannot be checked? The missing or damaged files are not restored."))
        << messages.shown.back().text;
}

// A backup without a manifest, or with one that lists nothing or is cut
// inside a line, has no file checked: the user is asked, No restores
// nothing. A check stopped restores nothing and asks nothing.
TEST_F(BackupCheck, AMissingEmptyOrCutManifestIsAskedAboutAndAStoppedCheckRestoresNothing) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house");
    messages.answerNext(MsgAnswer::no);
    messages.answerNext(MsgAnswer::yes);
    EXPECT_FALSE(check().restore);
    EXPECT_TRUE(check().restore);  // the question's words are the restore scenarios'

    const std::string manifest = path("bk\\Sims_2026.12.05.sha256");
    for (const std::string& text : {std::string(), std::string("\r\n"), line("house", "UserData/Houses/House01.iff").substr(0, 40)}) {
        writeFile("bk\\Sims_2026.12.05.sha256", text);
        messages.answerNext(MsgAnswer::no);
        EXPECT_FALSE(check().restore);
        EXPECT_TRUE(messages.shown.back().text.starts_with("The list of this backup's files (" + manifest + ") "));
        EXPECT_TRUE(messages.shown.back().text.ends_with(
            ", so its files cannot be checked. Restore them without checking?"));
    }
    EXPECT_EQ(messages.shown.size(), 5u);

    writeFile("bk\\Sims_2026.12.05.sha256", line("house", "UserData/Houses/House01.iff"));
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(backupcheck::beforeRestore(services, *copier, descriptor, path("bk"), &stop).restore);
    EXPECT_EQ(messages.shown.size(), 5u);
}

// A file of the backup that changes after the check is read by the copy
// with other bytes than the manifest lists: that copy fails, naming it.
TEST_F(BackupCheck, AFileChangedAfterTheCheckFailsItsCopy) {
    writeFile("bk\\UserData\\Houses\\House01.iff", "house");
    writeFile("bk\\UserData\\Houses\\House02.iff", "second house");
    writeFile("bk\\UserData\\Houses\\House03.iff", "not listed");
    writeFile("bk\\ExpansionShared\\SkinsBuy\\s.skn", "skin");
    writeFile("bk\\Sims_2026.12.05.sha256", line("house", "UserData/Houses/House01.iff") +
                                                line("second house", "UserData/Houses/House02.iff") +
                                                line("skin", "ExpansionShared/SkinsBuy/s.skn"));
    messages.answerNext(MsgAnswer::yes);
    const backupcheck::Checked checked = check();
    ASSERT_TRUE(checked.restore);
    writeFile("bk\\UserData\\Houses\\House01.iff", "house, changed");
    writeFile("bk\\ExpansionShared\\SkinsBuy\\s.skn", "skin, changed");
    writeFile("bk\\UserData\\Houses\\House03.iff", "not listed, changed");
    SetsOutcome restored;
    for (const char* set : {"UserData", "ExpansionShared\\SkinsBuy"}) {
        SetsOutcome::Copy& c = restored.copies.emplace_back();
        c.source = path("bk\\") + set;
        c.outcome = copier->copyFolder(c.source, path("game"));
    }
    ASSERT_TRUE(restored.completed());
    backupcheck::failChangedFiles(restored, checked.listed, path("bk"));
    for (const auto& c : restored.copies) EXPECT_EQ(c.outcome.result, platform::CopyOutcome::Result::failed);
    ASSERT_EQ(restored.copies[0].outcome.failures.size(), 1u);
    EXPECT_EQ(restored.copies[0].outcome.failures[0].path, path("bk\\UserData\\Houses\\House01.iff"));
    EXPECT_EQ(restored.copies[0].outcome.failures[0].reason, platform::CopyReason::changed);
    EXPECT_EQ(backupcheck::digestMismatches(checked.listed, restored.copies[1].outcome, "ExpansionShared\\SkinsBuy"),
              std::vector<std::string>{"ExpansionShared\\SkinsBuy\\s.skn"});
}

}  // namespace
}  // namespace orr::test
