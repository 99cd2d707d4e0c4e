// Golden cases for the profile service: the file's bytes before, the call,
// the result and the file's bytes after. The same table runs on every layer.
//
// Wine differs from Windows in a few places; those cases name the
// difference in `wine` and are skipped there. Wine also caches profiles by
// file name, so every case uses a file of its own.
#include "support/test_files.h"
#include "support/test_root.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orr {
namespace {

using namespace std::string_literals;

constexpr std::size_t maxPath = 260;

class ProfileTest : public ::testing::Test {
protected:
    test::TestRoot root;
    platform::NativeServices services{root.options()};

    void put(const std::string& path, const std::string& bytes) { test::writeFile(*services.files, path, bytes); }
    std::optional<std::string> bytes(const std::string& path) { return services.files->readFile(path); }
};

struct ReadCase {
    const char* what;
    std::optional<std::string> before;  // nothing: no file
    const char* section;
    const char* key;
    const char* fallback;
    std::size_t bufferSize;
    std::string expected;
    const char* wine = nullptr;  // how Wine differs, when it does
};

const std::string F1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";

// Sections and keys in other letter case are the files-and-profiles scenario's.
const std::vector<ReadCase> readCases = {
    {"plain key", F1, "section1", "name1", "default", maxPath, "val1"},
    {"surrounding quotes removed", F1, "section1", "name2", "default", maxPath, "val2"},
    {"blanks outside quotes trimmed, inside kept", "[S]\r\nk=  \"   v   \"  \r\n"s, "S", "k", "d", maxPath, "   v   "},
    {"only the outer pair of quotes removed", "[S]\r\nk='\"v\"'\r\n"s, "S", "k", "d", maxPath, "\"v\""},
    {"mismatched quotes kept", "[S]\r\nk=\"v'\r\n"s, "S", "k", "d", maxPath, "\"v'"},
    {"a lone quote kept", "[S]\r\nk=\"\r\n"s, "S", "k", "d", maxPath, "\""},
    {"blanks around the value trimmed", "[S]\r\nk= \t\vvalue \t\v\r\n"s, "S", "k", "d", maxPath, "value"},
    {"blanks around the key in the file ignored", "[S]\r\n \tk \t=v\r\n"s, "S", "k", "d", maxPath, "v"},
    {"spaces around the arguments ignored", "[S]\r\nTestKey=v\r\n"s, " S ", " TestKey ", "d", maxPath, "v"},
    {"a tab in the key argument is part of the name", "[S]\r\nTestKey=v\r\n"s, "S", "\tTestKey", "d", maxPath, "d",
     "strips every white-space character from the arguments"},
    {"blanks before and inside the brackets ignored", "  [ x ]\r\nk=v\r\n"s, "x", "k", "d", maxPath, "v"},
    {"missing section", F1, "notasection", "name1", "default", maxPath, "default"},
    {"missing key", F1, "section1", "notakey", "default", maxPath, "default"},
    {"missing file", std::nullopt, "section1", "name1", "default", maxPath, "default"},
    {"default loses trailing spaces", F1, "section1", "nokey", "default  ", maxPath, "default"},
    {"default keeps leading spaces", F1, "section1", "nokey", "   default   ", maxPath, "   default"},
    {"default keeps tabs", F1, "section1", "nokey", "\tdefault\t", maxPath, "\tdefault\t"},
    {"value cut to buffer size - 1", F1, "section1", "name1", "default", 4, "val"},
    {"value fits buffer size - 1", F1, "section1", "name1", "default", 5, "val1"},
    {"buffer of one", F1, "section1", "name4", "default", 1, ""},
    {"buffer of none", F1, "section1", "name1", "default", 0, ""},
    {"default cut too", F1, "section1", "nokey", "default", 4, "def"},
    {"a comment line is no key", "[S]\r\n;k=v\r\n"s, "S", "k", "d", maxPath, "d"},
    {"a comment line cannot be looked up", "[S]\r\n;k=v\r\n"s, "S", ";k", "d", maxPath, "d",
     "keeps comment lines as keys named with the semicolon"},
    {"no comments after a value", "[S]\r\nk=v ; c\r\n"s, "S", "k", "d", maxPath, "v ; c"},
    {"a value may start with a semicolon", "[S]\r\nk=;x\r\n"s, "S", "k", "d", maxPath, ";x"},
    {"first key wins", "[S]\r\nk=v1\r\nk=v2"s, "S", "k", "d", maxPath, "v1"},
    {"first section wins", "[S]\r\n[S]\r\nk=v"s, "S", "k", "d", maxPath, "d"},
    {"lines before the first section unreachable", "k=v\r\n[S]\r\n"s, "S", "k", "d", maxPath, "d"},
    {"empty section name is a real section", "\r\nkey=val_no_section\r\n[]\r\nkey=val_e_section\r\n"s, "", "key", "d",
     maxPath, "val_e_section", "treats the lines before the first section as the section named \"\""},
    {"empty key name", "[s]\r\n=val_no_key\r\n"s, "s", "", "d", maxPath, "val_no_key"},
    {"missing ] tolerated", "[S   \r\nk=v"s, "S", "k", "d", maxPath, "v", "ignores a header without ]"},
    {"section name ends at the first ]", "[sec]whoops]\r\nk=v\r\n"s, "sec", "k", "d", maxPath, "v",
     "ends the section name at the last ]"},
    {"[ is required", "S]\r\nk=v"s, "S", "k", "d", maxPath, "d"},
    {"text after ] ignored", "[S]k=v\r\nk2=v2"s, "S", "k", "d", maxPath, "d"},
    {"line without = has no value", F1, "section1", "name3", "default", maxPath, "default"},
    {"empty value returned, not the default", "[S]\r\nk=\r\n"s, "S", "k", "d", maxPath, ""},
    {"section without keys", F1, "section2", "DoesntExist", "", maxPath, ""},
    {"a UTF-8 byte-order mark spoils the first line", "\xEF\xBB\xBF[S]\r\nk=v\r\n[S2]\r\nk2=v2\r\n"s, "S", "k", "d",
     maxPath, "d", "reads past the byte-order mark"},
    {"text after a byte-order mark still read", "\xEF\xBB\xBF[S]\r\nk=v\r\n[S2]\r\nk2=v2\r\n"s, "S2", "k2", "d",
     maxPath, "v2"},
    {"lone CR line ends", "[S]\rk=v\rk2=v2\r"s, "S", "k2", "d", maxPath, "v2"},
    {"LF line ends", "[S]\nk=v\nk2=v2\n"s, "S", "k2", "d", maxPath, "v2"},
};

TEST_F(ProfileTest, ReadsValuesAsTheSystemProfileFunctionsDo) {
    int n = 0;
    for (const ReadCase& c : readCases) {
        SCOPED_TRACE(c.what);
        const std::string file = root.path("read" + std::to_string(++n) + ".ini");
        if (c.before) put(file, *c.before);
        const std::string got = services.profiles->read(file, c.section, c.key, c.fallback, c.bufferSize);
        if (c.wine && test::runningOnWine()) continue;  // Wine: see c.wine
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(bytes(file), c.before) << "reading changed the file";
    }
}

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

struct WriteCase {
    const char* what;
    std::optional<std::string> before;  // nothing: no file
    std::vector<Write> writes;
    std::string after;
    const char* wine = nullptr;  // how Wine differs, when it does
};

const std::vector<WriteCase> writeCases = {
    {"new file", std::nullopt, {{"App", "key", "string"}}, "[App]\r\nkey=string\r\n"},
    {"empty file, empty value", ""s, {{"App", "key", ""}}, "[App]\r\nkey=\r\n"},
    {"new keys in call order, new sections at the end without a blank line", ""s,
     {{"App1", "key1", "string1"}, {"App1", "key2", "string2"}, {"App1", "key3", "string3"},
      {"App2", "key4", "string4"}, {"App3", "key5", "string5"}},
     "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n"},
    {"existing keys updated in place, new ones after the last key", "[S]\r\nb=value\r\na=value\r\n"s,
     {{"S", "z", ""}, {"S", "b", ""}, {"S", "y", ""}, {"S", "a", ""}}, "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
    {"new keys go after the last key line, not after comments",
     ";comment0\r\n[S]\r\n;comment1\r\nb=value\r\n;comment2\r\na=value\r\n"s,
     {{"S", "z", ""}, {"S", ";x", ""}, {"S", "y", ""}, {"S", "a", ""}, {"S", "b", ""}},
     ";comment0\r\n[S]\r\n;comment1\r\nb=\r\n;comment2\r\na=\r\nz=\r\ny=\r\n;x=\r\n",
     "keeps comment lines as keys, so new keys follow them"},
    {"names keep the file's case and a final CR LF is added", "[SectionName]\r\nTestKey=TestValue"s,
     {{"SECTIONNAME", "TESTKEY", "TestValue2"}}, "[SectionName]\r\nTestKey=TestValue2\r\n"},
    {"text before the first section kept byte for byte", "Data \0 before \0 first \0 section"s,
     {{"section1", "key1", "string1"}}, "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"s,
     "rewrites the whole file and loses the bytes after a NUL"},
    {"value written as given", std::nullopt, {{"S", "k", " value "}}, "[S]\r\nk= value \r\n",
     "strips the value's leading blanks"},
    {"only spaces stripped from section and key", std::nullopt, {{" sec ", " key ", "v"}}, "[sec]\r\nkey=v\r\n",
     "keeps trailing spaces of new section and key names"},
    {"blank lines kept", "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n"s, {{"S", "c", "3"}},
     "[S]\r\na=1\r\nc=3\r\n\r\n[T]\r\nb=2\r\n", "rewrites the whole file without blank lines"},
    {"an updated line is rewritten as key=value", "[S]\r\n a = 1 \r\n"s, {{"S", "a", "2"}}, "[S]\r\na=2\r\n"},
    {"only the first of two same sections is written", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n"s, {{"S", "k", "3"}},
     "[S]\r\nk=3\r\n[S]\r\nk=2\r\n"},
    {"a section without keys gets its first key after the header", "[S]\r\n[T]\r\n"s, {{"S", "c", "3"}},
     "[S]\r\nc=3\r\n[T]\r\n"},
    {"a new section after a last line without CR LF", "[S]\r\na=1"s, {{"T", "c", "3"}}, "[S]\r\na=1\r\n[T]\r\nc=3\r\n"},
    {"writing a key again leaves one line with the new value", std::nullopt,
     {{"Backup", "Version", "Sims"}, {"Backup", "Backup_Location", "D:\\Backups"}, {"backup", "version", "Sims2"},
      {"BACKUP", "Backup_Location", "E:\\Other"}},
     "[Backup]\r\nVersion=Sims2\r\nBackup_Location=E:\\Other\r\n"},
};

TEST_F(ProfileTest, WritesKeysEditingTheFileLineByLine) {
    int n = 0;
    for (const WriteCase& c : writeCases) {
        SCOPED_TRACE(c.what);
        const std::string file = root.path("write" + std::to_string(++n) + ".ini");
        if (c.before) put(file, *c.before);
        for (const Write& w : c.writes)
            EXPECT_TRUE(services.profiles->write(file, w.section, w.key, w.value));
        if (c.wine && test::runningOnWine()) continue;  // Wine: see c.wine
        EXPECT_EQ(bytes(file), c.after);
    }
}

TEST_F(ProfileTest, UnusablePathsReadTheDefaultAndWriteNothing) {
    ASSERT_EQ(services.files->makeDirectory(root.path("folder")), platform::Status::ok);
    for (const std::string& path : {root.path("folder"), root.path("missing\\d.ini"), std::string()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(services.profiles->read(path, "S", "k", "default", maxPath), "default");
        EXPECT_FALSE(services.profiles->write(path, "S", "k", "v"));
    }
    EXPECT_FALSE(services.files->exists(root.path("missing")));
    EXPECT_EQ(services.files->list(root.path("folder\\*.*")).size(), 0u);

    const std::string locked = root.path("locked.ini");
    put(locked, "[S]\r\nk=v\r\n");
    ASSERT_EQ(services.files->setAttributes(locked, platform::attr::readOnly), platform::Status::ok);
    const bool written = services.profiles->write(locked, "S", "k", "w");
    services.files->setAttributes(locked, 0);
    // Wine keeps read-only as the Unix write permission, which does not stop
    // a test run as root, so there the write goes through.
    if (test::runningOnWine()) return;
    EXPECT_FALSE(written);
    EXPECT_EQ(bytes(locked), "[S]\r\nk=v\r\n");
}

}  // namespace
}  // namespace orr
