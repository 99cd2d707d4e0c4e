// The path and name functions of clsFileSystem and the text functions it
// shares with clsFile: pure text in, text out.
#include "toolkit_fixture.h"

#include "toolkit/clsFile.h"

namespace orr::test {
namespace {

using PathText = ToolkitTest;

// Rows of each function are the path-functions scenario's too.
TEST_F(PathText, GetFileExtensionFindsOneToFourCharactersAfterTheDotAndGetFileBaseNameDropsItAndThePathUnlessAsked) {
    const std::pair<std::string, std::string> cases[] = {
        {"a.b", "b"}, {".ab", "ab"}, {"README", "Unknown"}, {"", "Unknown"}, {"x.abcd", "abcd"},
        {"x.abcde", "Unknown"}, {"a.b.c", "c"},
        // characters, not bytes: four two-byte characters are still in reach
        {"a.\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"},
    };
    for (const auto& [in, out] : cases) {
        Variant v = fso.GetFileExtension(in);
        EXPECT_EQ(v.kind(), Variant::Kind::text) << in;
        EXPECT_EQ(v.toText(), out) << in;
    }

    const std::tuple<std::string, std::string, std::string> baseNames[] = {
        // path, without its path, with it
        {"C:\\dir.x\\name", "name", "C:\\dir.x\\name"},
        {"D:name.txt", "name", "D:name"},
        {"C:\\dir\\.cfg", "", "C:\\dir\\"},
        {".cfg", ".cfg", ""},
        {"", "", ""},
        {"name", "name", "name"},
        {"..x", ".", "."},
    };
    for (const auto& [in, bare, withPath] : baseNames) {
        EXPECT_EQ(fso.GetFileBaseName(in, false), bare) << in;
        EXPECT_EQ(fso.GetFileBaseName(in, true), withPath) << in;
    }
}

TEST_F(PathText, GetFileNameGetPathAndTheLastCharFunctionsSplitAtWholeCharactersUpTo32767) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // path, its file name, its path
        {"C:\\dir\\file.txt", "file.txt", "C:\\dir\\"},
        {"C:\\dir\\", "", "C:\\dir\\"},
        {"file.txt", "file.txt", "\\"},
        {"\\file", "\\file", "\\"},  // GetFileName never examines position 1
        {"", "", "\\"},
        {"\\\\srv\\share\\f", "f", "\\\\srv\\share\\"},
        {"C:\\d\\caf\xC3\xA9", "caf\xC3\xA9", "C:\\d\\"},
    };
    for (const auto& [in, name, folder] : cases) {
        EXPECT_EQ(fso.GetFileName(in), name) << in;
        EXPECT_EQ(fso.GetPath(in), folder) << in;
    }

    // Positions beyond 32767 characters overflow.
    EXPECT_EQ(fso.GetFileName(std::string(32767, 'a')).size(), 32767u);
    // 20000 two-byte characters: long in bytes, short in characters
    std::string twoByte;
    for (int i = 0; i < 20000; ++i) twoByte += "\xC3\xA9";
    EXPECT_EQ(fso.GetFileName(twoByte).size(), 40000u);
    EXPECT_EQ(runErrorNumber([&] { fso.GetFileName(std::string(32768, 'a')); }), 6);  // Overflow
    // A long text is fine for GetPath as long as its separators lie early.
    EXPECT_EQ(fso.GetPath("C:\\" + std::string(40000, 'a')), "C:\\");
    EXPECT_EQ(runErrorNumber([&] { fso.GetPath(std::string(40000, 'a') + "\\x"); }), 6);

    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"C:\\dir\\", "C:\\dir", "\\"},
        {"x", "", "x"},
        {"", "", ""},
        {"Caf\xC3\xA9", "Caf", "\xC3\xA9"},
        {"a\xF0\x9F\x98\x80", "a", "\xF0\x9F\x98\x80"},
    };
    clsFile file(services);
    for (const auto& [in, withoutLast, last] : rows) {
        EXPECT_EQ(fso.sRemoveLastChar(in), withoutLast) << in;
        EXPECT_EQ(file.sRemoveLastChar(in), withoutLast) << in;
        for (const Variant& v : {fso.LastChar(in), file.LastChar(in)}) {
            EXPECT_EQ(v.kind(), Variant::Kind::text);
            EXPECT_EQ(v.toText(), last) << in;
        }
    }
}

}  // namespace
}  // namespace orr::test
