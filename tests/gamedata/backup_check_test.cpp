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
    std::unique_ptr<platform::ShellCopy> copier = shellCopy();
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

}  // namespace
}  // namespace orr::test
