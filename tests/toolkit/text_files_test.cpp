// Profile values through MIni, and whole text files through clsFile.
#include "toolkit_fixture.h"

#include "toolkit/MIni.h"
#include "toolkit/clsFile.h"

#include <tuple>

namespace orr::test {
namespace {

using TextFiles = ToolkitTest;

TEST_F(TextFiles, IniValuesRoundTripCutTo254CharactersAndFileWriteReplacesTheContentWithTheTextAndOneLineEnd) {
    const std::string ini = path("Sims_2003.04.05.BAK");
    MIni::WriteIni(services, ini, "Backup", "Version", "Sims");
    MIni::WriteIni(services, ini, "Backup", "Backup_Location", "C:\\old");
    MIni::WriteIni(services, ini, "Backup", "Backup_Location", "D:\\Saves\\My Sims");
    MIni::WriteIni(services, ini, "Backup", "Long", std::string(300, 'v'));
    MIni::WriteIni(services, ini, "Backup", "Empty", "");
    EXPECT_EQ(read("Sims_2003.04.05.BAK"), "[Backup]\r\nVersion=Sims\r\nBackup_Location=D:\\Saves\\My Sims\r\nLong=" +
                                               std::string(300, 'v') + "\r\nEmpty=\r\n");
    EXPECT_EQ(MIni::ReadIni(services, ini, "Backup", "Long"), std::string(254, 'v'));
    for (const auto& [file, section, key] : {std::tuple{ini, "Backup", "Empty"}, {ini, "Backup", "Missing"},
                                             {ini, "Other", "Version"}, {path("missing.ini"), "Backup", "Version"}})
        EXPECT_EQ(MIni::ReadIni(services, file, section, key), "") << file << " " << section << " " << key;

    MIni::WriteIni(services, path("nofolder\\a.ini"), "S", "k", "v");
    EXPECT_FALSE(exists("nofolder"));
    EXPECT_TRUE(messages.shown.empty());

    clsFile file(services);
    file.FileWrite(path("a.txt"), "");
    EXPECT_EQ(read("a.txt"), "\r\n");
    file.FileWrite(path("a.txt"), "line 1\r\nline 2\r\n");
    EXPECT_EQ(read("a.txt"), "line 1\r\nline 2\r\n\r\n");
    file.FileWrite(path("a.txt"), "second \xC3\xA9");  // bytes pass unchanged
    EXPECT_EQ(read("a.txt"), "second \xC3\xA9\r\n");
    EXPECT_EQ(native.fileTable->freeFile(), 1);  // nothing stays open

    EXPECT_THROW(file.FileWrite(path("nofolder\\a.txt"), "x"), RunError);
    EXPECT_FALSE(exists("nofolder"));
    EXPECT_EQ(native.fileTable->freeFile(), 1);
}

}  // namespace
}  // namespace orr::test
