// The backup descriptor's name and exact bytes. The checks a restore makes
// of a chosen file are the restore wizard's tests and scenarios.
#include "gamedata/Descriptor.h"
#include "copy/faults.h"
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

TEST_F(DescriptorTest, OneFilePerFolderAndDayNamedByTheDateWithTheValuesOfTheLastWrite) {
    EXPECT_EQ(descriptor::fileName("D:\\Backups", {2027, 1, 9, 0, 0, 1}), "D:\\Backups\\Sims_2027.01.09.BAK");
    // A drive root keeps its separator, and one more is added.
    EXPECT_EQ(descriptor::fileName("C:\\", {2026, 12, 5}), "C:\\\\Sims_2026.12.05.BAK");
    EXPECT_EQ(descriptor::fileName("", {2026, 12, 5}), "\\Sims_2026.12.05.BAK");

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

// Stores every value cut to ten characters and says nothing of it, as a
// profile write reports nothing.
class CuttingProfiles : public platform::Profiles {
public:
    explicit CuttingProfiles(platform::Profiles& real) : real_(real) {}
    std::string read(std::string_view file, std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t bufferSize) override {
        return real_.read(file, section, key, fallback, bufferSize);
    }
    bool write(std::string_view file, std::string_view section, std::string_view key, std::string_view value) override {
        return real_.write(file, section, key, value.substr(0, 10));
    }

private:
    platform::Profiles& real_;
};

// A backup is marked only when its manifest and its descriptor are both
// written whole; otherwise seal says so, and no descriptor marks it.
TEST_F(DescriptorTest, ASealFailsUnlessBothFilesAreWrittenWholeAndALocationThatFillsTheReadBufferIsRefused) {
    test::writeFile(*native.files, backup + "\\UserData\\a.iff", "a");
    platform::FaultPlan faults;
    const auto copy = platform::makeFolderCopier(*native.files, events, nullptr, &faults);
    const std::string bak = backup + "\\Sims_2026.12.05.BAK";
    faults.failNth(platform::FileOp::write, 1, platform::Status::diskFull);
    EXPECT_FALSE(descriptor::seal(services, *copy, backup));
    EXPECT_FALSE(native.files->exists(bak));

    // The descriptor's name taken by a folder.
    ASSERT_EQ(native.files->makeDirectory(bak), platform::Status::ok);
    EXPECT_FALSE(descriptor::seal(services, *copy, backup));
    ASSERT_EQ(native.files->removeDirectory(bak), platform::Status::ok);

    // A location that does not read back whole.
    CuttingProfiles cutting(*native.profiles);
    platform::Services cut{*native.files, cutting, *native.messages, pointer,
                           events,        clock,   *native.locale,   *native.fileTable};
    EXPECT_FALSE(descriptor::seal(cut, *copy, backup));
    EXPECT_FALSE(native.files->exists(bak));

    EXPECT_TRUE(descriptor::seal(services, *copy, backup));
    EXPECT_EQ(native.files->readFile(bak), descriptorOf(backup));

    // The location is read whole into a buffer longer than any path: one that
    // fills it may have been cut, and is refused; one a character shorter is
    // looked for as a folder.
    const std::string longBak = root.path("long.BAK");
    auto verdict = [&](std::size_t length) {
        test::writeFile(*native.files, longBak, descriptorOf("C:\\" + std::string(length - 3, 'a')));
        return descriptor::check(services, longBak, {}).message;
    };
    const std::string tooLong = "The backup folder named in this file is too long to be a folder";
    EXPECT_EQ(verdict(40000), tooLong);
    EXPECT_EQ(verdict(32767), tooLong);
    EXPECT_EQ(verdict(32766), "The backup folder named in this file does not exist");
}

}  // namespace
}  // namespace orr
