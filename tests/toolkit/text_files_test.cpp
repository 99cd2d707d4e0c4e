// Profile values through MIni, and whole text files through clsFile.
#include "toolkit_fixture.h"

#include "toolkit/MIni.h"
#include "toolkit/clsFile.h"

namespace orr::test {
namespace {

using TextFiles = ToolkitTest;

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(TextFiles, IniValuesRoundTripAndTheLastWriteWins) {
    const std::string ini = path("Sims_2003.04.05.BAK");
    MIni::WriteIni(services, ini, "Backup", "Version", "Sims");
    MIni::WriteIni(services, ini, "Backup", "Backup_Location", "C:\\old");
    MIni::WriteIni(services, ini, "Backup", "Backup_Location", "D:\\Saves\\My Sims");
    EXPECT_EQ(MIni::ReadIni(services, ini, "Backup", "Version"), "Sims");
    EXPECT_EQ(MIni::ReadIni(services, ini, "backup", "BACKUP_LOCATION"), "D:\\Saves\\My Sims");
    auto content = readFile("Sims_2003.04.05.BAK");
    ASSERT_TRUE(content);
    EXPECT_EQ(count(*content, "Backup_Location="), 1u);
}

TEST_F(TextFiles, ReadIniCutsValuesTo254Characters) {
    const std::string ini = path("long.ini");
    const std::string value(300, 'v');
    MIni::WriteIni(services, ini, "S", "k", value);
    EXPECT_EQ(MIni::ReadIni(services, ini, "S", "k"), value.substr(0, 254));
}

TEST_F(TextFiles, ReadIniGivesEmptyTextForWhatIsNotThere) {
    const std::string ini = path("a.ini");
    MIni::WriteIni(services, ini, "S", "empty", "");
    EXPECT_EQ(MIni::ReadIni(services, ini, "S", "empty"), "");
    EXPECT_EQ(MIni::ReadIni(services, ini, "S", "missing"), "");
    EXPECT_EQ(MIni::ReadIni(services, ini, "Other", "empty"), "");
    EXPECT_EQ(MIni::ReadIni(services, path("missing.ini"), "S", "empty"), "");
    makeFolder("folder.ini");
    EXPECT_EQ(MIni::ReadIni(services, path("folder.ini"), "S", "empty"), "");
}

TEST_F(TextFiles, WriteIniIntoAMissingFolderLeavesNothing) {
    MIni::WriteIni(services, path("nofolder\\a.ini"), "S", "k", "v");
    EXPECT_FALSE(exists("nofolder"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TextFiles, FileWriteReplacesTheContentWithTheTextAndOneLineEnd) {
    clsFile file(services);
    file.FileWrite(path("a.txt"), "");
    EXPECT_EQ(readFile("a.txt"), "\r\n");

    file.FileWrite(path("a.txt"), "line 1\r\nline 2\r\n");
    EXPECT_EQ(readFile("a.txt"), "line 1\r\nline 2\r\n\r\n");

    file.FileWrite(path("a.txt"), "second \xC3\xA9");  // bytes pass unchanged
    EXPECT_EQ(readFile("a.txt"), "second \xC3\xA9\r\n");
    EXPECT_EQ(native.fileTable->freeFile(), 1);  // nothing stays open
}

TEST_F(TextFiles, FileWriteIntoAMissingFolderFails) {
    clsFile file(services);
    EXPECT_THROW(file.FileWrite(path("nofolder\\a.txt"), "x"), RunError);
    EXPECT_FALSE(exists("nofolder"));
    EXPECT_EQ(native.fileTable->freeFile(), 1);
}

}  // namespace
}  // namespace orr::test
