// The backup descriptor's name and exact bytes. The checks a restore makes
// of a chosen file are the restore wizard's tests and scenarios.
#include "gamedata/Descriptor.h"
#include "ui/headless/NoDesktop.h"
#include "support/test_files.h"
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
    ui::RememberedPointer pointer;
    ui::NoEvents events;
    platform::Services services{*native.files, *native.profiles, *native.messages, pointer,
                                events,        clock,            *native.locale,   *native.fileTable};
    std::string backup = root.path("Backups");

    void SetUp() override { ASSERT_EQ(native.files->makeDirectory(backup), platform::Status::ok); }

    std::string descriptorOf(const std::string& location) {
        return "[Backup]\r\nVersion=Sims\r\nBackup_Location=" + location + "\r\n";
    }
};

TEST_F(DescriptorTest, TheNameIsTheFolderThenSimsAndTheDateJoinedAsTheyAre) {
    EXPECT_EQ(descriptor::fileName("D:\\Backups", {2027, 1, 9, 0, 0, 1}), "D:\\Backups\\Sims_2027.01.09.BAK");
    // A drive root keeps its separator, and one more is added.
    EXPECT_EQ(descriptor::fileName("C:\\", {2026, 12, 5}), "C:\\\\Sims_2026.12.05.BAK");
    EXPECT_EQ(descriptor::fileName("", {2026, 12, 5}), "\\Sims_2026.12.05.BAK");
}

TEST_F(DescriptorTest, OneFilePerFolderAndDayWithTheValuesOfTheLastWrite) {
    // Written by hand: an older location and a key of someone else's.
    test::writeFile(*native.files, backup + "\\Sims_2026.12.05.BAK",
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

    // The date is read at the moment of writing: after midnight, a new file
    // of exactly three lines, each ended by CR LF.
    clock.time = {2026, 12, 6, 0, 0, 1};
    descriptor::write(services, backup);
    EXPECT_EQ(native.files->readFile(backup + "\\Sims_2026.12.06.BAK"), descriptorOf(backup));
    EXPECT_EQ(native.files->list(backup + "\\*").size(), 2u);

    // One that cannot be replaced stays byte for byte, and nothing else is
    // left beside it.
    const std::string today = backup + "\\Sims_2026.12.06.BAK";
    ASSERT_EQ(native.files->setAttributes(today, platform::attr::readOnly), platform::Status::ok);
    EXPECT_FALSE(descriptor::write(services, upper));
    EXPECT_EQ(native.files->readFile(today), descriptorOf(backup));
    EXPECT_EQ(native.files->list(backup + "\\*").size(), 2u);
}

}  // namespace
}  // namespace orr
