// The path and name functions of clsFileSystem and the text functions it
// shares with clsFile: pure text in, text out.
#include "toolkit_fixture.h"

#include "toolkit/clsFile.h"

namespace orr::test {
namespace {

struct Case {
    std::string in, out;
};

using PathText = ToolkitTest;

std::string repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

TEST_F(PathText, GetFileExtensionFindsOneToFourCharactersAfterTheDot) {
    const Case cases[] = {
        {"backup.BAK", "BAK"},   {"a.b", "b"},           {".ab", "ab"},
        {".", "."},              {"archive.longer", "Unknown"}, {"README", "Unknown"},
        {"", "Unknown"},         {"x.abcd", "abcd"},     {"x.abcde", "Unknown"},
        {"C:\\a.b\\cd", "b\\cd"},  // the dot need not lie in the last component
        {"a.b.c", "c"},
        // characters, not bytes: four two-byte characters are still in reach
        {"a.\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"},
    };
    for (const auto& c : cases) {
        Variant v = fso.GetFileExtension(c.in);
        EXPECT_EQ(v.kind(), Variant::Kind::text) << c.in;
        EXPECT_EQ(v.toText(), c.out) << c.in;
    }
}

TEST_F(PathText, GetFileBaseNameWithoutPath) {
    const Case cases[] = {
        {"C:\\dir\\name.tar.gz", "name.tar"},
        {"C:\\dir.x\\name", "name"},
        {"D:name.txt", "name"},
        {"C:\\dir\\.cfg", ""},
        {".cfg", ".cfg"},
        {"", ""},
        {"name", "name"},
        {"..x", "."},
    };
    for (const auto& c : cases) EXPECT_EQ(fso.GetFileBaseName(c.in, false), c.out) << c.in;
}

TEST_F(PathText, GetFileBaseNameWithPath) {
    const Case cases[] = {
        {"C:\\dir\\name.tar.gz", "C:\\dir\\name.tar"},
        {"C:\\dir.x\\name", "C:\\dir.x\\name"},
        {".cfg", ""},
        {"D:name.txt", "D:name"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(fso.GetFileBaseName(c.in, true), c.out) << c.in;
}

TEST_F(PathText, GetFileNameTakesWhatFollowsTheLastSeparator) {
    const Case cases[] = {
        {"C:\\dir\\file.txt", "file.txt"},
        {"C:\\dir\\", ""},
        {"file.txt", "file.txt"},
        {"\\file", "\\file"},  // position 1 is never examined
        {"", ""},
        {"C:\\d\\caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& c : cases) EXPECT_EQ(fso.GetFileName(c.in), c.out) << c.in;
}

TEST_F(PathText, GetFileNameOverflowsBeyond32767Characters) {
    EXPECT_EQ(fso.GetFileName(repeat("a", 32767)).size(), 32767u);
    // 20000 two-byte characters: long in bytes, short in characters
    EXPECT_EQ(fso.GetFileName(repeat("\xC3\xA9", 20000)).size(), 40000u);
    try {
        fso.GetFileName(repeat("a", 32768));
        ADD_FAILURE() << "no overflow";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST_F(PathText, GetPathKeepsTheTrailingSeparator) {
    const Case cases[] = {
        {"C:\\dir\\file.txt", "C:\\dir\\"},
        {"C:\\dir\\", "C:\\dir\\"},
        {"\\", "\\"},
        {"file.txt", "\\"},
        {"", "\\"},
        {"\\\\srv\\share\\f", "\\\\srv\\share\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(fso.GetPath(c.in), c.out) << c.in;
}

TEST_F(PathText, GetPathOverflowsOnlyForASeparatorBeyond32767) {
    // A long text is fine as long as its separators lie early.
    EXPECT_EQ(fso.GetPath("C:\\" + repeat("a", 40000)), "C:\\");
    try {
        fso.GetPath(repeat("a", 40000) + "\\x");
        ADD_FAILURE() << "no overflow";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST_F(PathText, RemoveLastCharAndLastCharWorkOnWholeCharacters) {
    struct Row {
        std::string in, withoutLast, last;
    };
    const Row rows[] = {
        {"C:\\dir\\", "C:\\dir", "\\"},
        {"x", "", "x"},
        {"", "", ""},
        {"Caf\xC3\xA9", "Caf", "\xC3\xA9"},
        {"a\xF0\x9F\x98\x80", "a", "\xF0\x9F\x98\x80"},
    };
    clsFile file(services);
    for (const auto& r : rows) {
        EXPECT_EQ(fso.sRemoveLastChar(r.in), r.withoutLast) << r.in;
        EXPECT_EQ(file.sRemoveLastChar(r.in), r.withoutLast) << r.in;
        Variant a = fso.LastChar(r.in), b = file.LastChar(r.in);
        EXPECT_EQ(a.kind(), Variant::Kind::text);
        EXPECT_EQ(b.kind(), Variant::Kind::text);
        EXPECT_EQ(a.toText(), r.last) << r.in;
        EXPECT_EQ(b.toText(), r.last) << r.in;
    }
}

}  // namespace
}  // namespace orr::test
