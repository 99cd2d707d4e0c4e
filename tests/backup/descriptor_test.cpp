// The backup descriptor: its name, its exact bytes, and the checks a chosen
// file must pass before a restore reads from the folder it names.
#include "backup/Descriptor.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using platform::DateTime;

class SettableClock : public platform::Clock {
public:
    DateTime now() override { return time; }
    DateTime time{2026, 12, 5, 23, 59, 59};
};

class DescriptorTest : public ::testing::Test {
protected:
    test::TestRoot root;
    platform::NativeServices native{root.options()};
    SettableClock clock;
    platform::Services services{*native.files,   *native.profiles, *native.messages,
                                *native.pointer, *native.events,   clock,
                                *native.locale,  *native.fileTable};
    std::string backup = root.path("Backups");

    void SetUp() override { ASSERT_EQ(native.files->makeDirectory(backup), platform::Status::ok); }

    void writeFile(const std::string& path, const std::string& bytes) {
        auto out = native.files->openOutput(path);
        out->write(bytes);
        out->close();
    }
    std::string descriptorOf(const std::string& location) {
        return "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + location + "\r\n";
    }
    // The verdict's fields side by side, for one comparison per case.
    static std::string describe(const descriptor::Verdict& v) {
        return (v.accepted ? "accepted " : "refused ") + v.message + (v.clearPath ? " [clear]" : "") +
               " -> " + v.backupFolder;
    }
    std::string checked(const std::string& path) { return describe(descriptor::check(services, path)); }
};

TEST_F(DescriptorTest, TheNameIsTheFolderThenSimsAndTheDateJoinedAsTheyAre) {
    EXPECT_EQ(descriptor::fileName("D:\\Backups", {2026, 12, 5}), "D:\\Backups\\Sims_2026.12.05.BAK");
    EXPECT_EQ(descriptor::fileName("D:\\Backups", {2027, 1, 9, 0, 0, 1}), "D:\\Backups\\Sims_2027.01.09.BAK");
    // A drive root keeps its separator, and one more is added.
    EXPECT_EQ(descriptor::fileName("C:\\", {2026, 12, 5}), "C:\\\\Sims_2026.12.05.BAK");
    EXPECT_EQ(descriptor::fileName("", {2026, 12, 5}), "\\Sims_2026.12.05.BAK");
}

TEST_F(DescriptorTest, WritingLeavesExactlyThreeLinesEndedByCrLf) {
    descriptor::write(services, backup);
    EXPECT_EQ(native.files->readFile(backup + "\\Sims_2026.12.05.BAK"), descriptorOf(backup));
}

TEST_F(DescriptorTest, OneFilePerFolderAndDayWithTheValuesOfTheLastWrite) {
    // Written by hand: an older location and a key of someone else's.
    writeFile(backup + "\\Sims_2026.12.05.BAK",
              "[Backup]\r\nVersion=Old\r\nBackup_Location=E:\\Elsewhere\r\nNote=kept\r\n");
    descriptor::write(services, backup);
    EXPECT_EQ(native.files->readFile(backup + "\\Sims_2026.12.05.BAK"),
              "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + backup + "\r\nNote=kept\r\n");
    // The same folder written in other letter case names the same file.
    const std::string upper = root.base() + "BACKUPS";
    descriptor::write(services, upper);
    EXPECT_EQ(native.files->readFile(backup + "\\Sims_2026.12.05.BAK"),
              "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + upper + "\r\nNote=kept\r\n");
    ASSERT_EQ(native.files->list(backup + "\\*").size(), 1u);

    // The date is read at the moment of writing: after midnight, a new file.
    clock.time = {2026, 12, 6, 0, 0, 1};
    descriptor::write(services, backup);
    EXPECT_EQ(native.files->readFile(backup + "\\Sims_2026.12.06.BAK"), descriptorOf(backup));
    EXPECT_EQ(native.files->list(backup + "\\*").size(), 2u);
}

TEST_F(DescriptorTest, TheChecksRefuseInOrderWithTheirMessages) {
    const std::string bak = root.path("Sims_2026.12.05.BAK");
    writeFile(root.path("notes.txt"), descriptorOf(backup));
    writeFile(root.path("noext"), descriptorOf(backup));

    EXPECT_EQ(checked(""), "refused Please select a file -> ");
    EXPECT_EQ(checked("   "), "refused File does not exist,Please select a file [clear] -> ");
    EXPECT_EQ(checked(bak), "refused File does not exist,Please select a file [clear] -> ");
    EXPECT_EQ(checked(root.path("notes.txt")),
              "refused Please select a file that has the .BAK extension [clear] -> ");
    EXPECT_EQ(checked(root.path("noext")),
              "refused Please select a file that has the .BAK extension [clear] -> ");

    const std::string notOurs = "refused This is Not a Deve vozuvi, please select a Deve vozuvi -> ";
    // A folder named like a descriptor passes the first three tests.
    ASSERT_EQ(native.files->makeDirectory(root.path("folder.bak")), platform::Status::ok);
    EXPECT_EQ(checked(root.path("folder.bak")), notOurs);
    writeFile(bak, "[Backup]\r\nVersion=sims\r\nBackup_Location=" + backup + "\r\n");
    EXPECT_EQ(checked(bak), notOurs);
    writeFile(bak, "[Other]\r\nVersion=Sims\r\nBackup_Location=" + backup + "\r\n");
    EXPECT_EQ(checked(bak), notOurs);
    writeFile(bak, "[Backup]\r\nBackup_Location=" + backup + "\r\n");
    EXPECT_EQ(checked(bak), notOurs);
}

TEST_F(DescriptorTest, BackupLocationMustNameAnExistingFolder) {
    const std::string bak = root.path("Sims_2026.12.05.BAK");
    const std::string nowhere = "refused The backup folder named in this file does not exist -> ";

    writeFile(bak, "[Backup]\r\nVersion=Sims\r\n");
    EXPECT_EQ(checked(bak), nowhere);
    writeFile(bak, "[Backup]\r\nVersion=Sims\r\nBackup_Location=\r\n");
    EXPECT_EQ(checked(bak), nowhere);
    writeFile(bak, descriptorOf(root.path("Sims_2026.12.05.BAK")));  // a file, not a folder
    EXPECT_EQ(checked(bak), nowhere);

    writeFile(bak, descriptorOf(backup));
    EXPECT_EQ(checked(bak), "accepted  -> " + backup);
    // Moved away, the folder it named is gone: refused, path kept.
    ASSERT_EQ(native.files->removeDirectory(backup), platform::Status::ok);
    EXPECT_EQ(checked(bak), nowhere);
}

TEST_F(DescriptorTest, AnyNameWithABakExtensionInAnyCaseIsAcceptedWhereverItLies) {
    ASSERT_EQ(native.files->makeDirectory(root.path("Moved")), platform::Status::ok);
    const std::string moved = root.path("Moved\\whatever.Bak");
    writeFile(moved, descriptorOf(backup));
    EXPECT_EQ(checked(moved), "accepted  -> " + backup);

    descriptor::write(services, backup);
    EXPECT_EQ(checked(backup + "\\Sims_2026.12.05.BAK"), "accepted  -> " + backup);
    EXPECT_EQ(checked(backup + "\\sims_2026.12.05.bak"), "accepted  -> " + backup);
}

}  // namespace
}  // namespace orr
