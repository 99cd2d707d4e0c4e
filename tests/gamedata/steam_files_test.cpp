// Steam's files as the reader and the Steam functions take them: good files
// of both forms, and hostile ones, each refused with its line or bounded.
#include "gamedata/KeyValues.h"
#include "gamedata/SteamLibraries.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

namespace kv = keyvalues;
using namespace std::string_literals;

std::string render(const kv::Node& n) {
    std::string out;
    for (const kv::Node& c : n.children) {
        if (!out.empty()) out += ' ';
        out.append(c.name);
        if (c.block) out.append("{").append(render(c)).append("}");
        else out.append("=").append(c.value);
    }
    return out;
}

std::string outcome(std::string_view text) {
    static const char* const names[] = {"tooLarge",      "notText",      "unsupported",   "unterminatedString",
                                        "stringTooLong", "tooDeep",      "unexpectedBrace", "unclosedBlock",
                                        "missingValue"};
    const kv::Parsed p = kv::read(text);
    EXPECT_NE(p.root.has_value(), p.error.has_value());
    if (p.root) return render(*p.root);
    return std::string("error ") + names[static_cast<int>(p.error->problem)] + " at " + std::to_string(p.error->line);
}

std::string acf(std::string_view dir, std::string_view id = "3314060") {
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"" + std::string(id) + "\"\n\t\"installdir\"\t\t\"" + std::string(dir) +
           "\"\n}\n";
}
std::string acfTree(std::string_view dir) { return "AppState{appid=3314060 installdir=" + std::string(dir) + "}"; }
std::string nested(std::size_t depth) {
    std::string s;
    for (std::size_t i = 0; i < depth; ++i) s += "a{";
    return s + "k v" + std::string(depth, '}');
}

struct Case {
    const char* what;
    std::string text;
    std::string tree;                     // as render() writes it, or the error and its line
    std::string libraries = "C:\\Steam";  // from Steam's folder "C:/Steam/", joined by "|"
    std::string game = "-";               // gameFolder("D:\Lib", installDir(text)); "-" for none
};

TEST(SteamFiles, EachFileGivesItsTreeLibrariesAndGameFolderOrIsRefusedWithItsLine) {
    // A string of about 1 MiB, in a file still within its limit.
    const std::string big(kv::kMaxTextBytes - 8, 'x'), utf16 = "\"\0a\0\"\0"s;
    const std::string longest(kv::kMaxStringBytes, 'x');
    const std::string gameIn = "D:\\Lib\\steamapps\\common\\";
    const std::vector<Case> cases = {
        {"modern list", R"("libraryfolders" { "0" { "path" "C:\\Program Files (x86)\\Steam" "label" "" "apps" { "3314060" "1" } }
           "1" { "path" "D:\\SteamLibrary" } "2" { "label" "no path" } })",
         R"(libraryfolders{0{path=C:\Program Files (x86)\Steam label= apps{3314060=1}} 1{path=D:\SteamLibrary} 2{label=no path}})",
         "C:\\Steam|C:\\Program Files (x86)\\Steam|D:\\SteamLibrary"},
        {"older list", "\"LibraryFolders\"\n{\n\"TimeNextStatsReport\" \"1700000000\"\n\"1\" \"D:\\\\SteamLibrary\"\n\"2\" \"E:/Games/\"\n}",
         R"(LibraryFolders{TimeNextStatsReport=1700000000 1=D:\SteamLibrary 2=E:/Games/})",
         "C:\\Steam|D:\\SteamLibrary|E:\\Games"},
        {"dropped and kept paths", R"(libraryfolders { 1 "" 2 "Lib" 3 "C:" 4 "C:Lib" 5 "\\\\?\\C:\\x" 6 "\\\\.\\x" 7 "c:\\steam\\"
           8 "\\\\nas\\games\\lib" 9 "\\\\nas" 10 "a\tb" 11 "F:\\" })",
         "libraryfolders{1= 2=Lib 3=C: 4=C:Lib 5=\\\\?\\C:\\x 6=\\\\.\\x 7=c:\\steam\\ 8=\\\\nas\\games\\lib 9=\\\\nas "
         "10=a\tb 11=F:\\}",
         "C:\\Steam|\\\\nas\\games\\lib|F:\\"},
        {"mark, comments, CR LF, unquoted", "\xEF\xBB\xBF// Steam\r\nlibraryfolders // list\r\n{ 0 { path C:\\x// c\r\n} }",
         R"(libraryfolders{0{path=C:\x}})", "C:\\Steam|C:\\x"},
        {"escapes", R"("k" "a\\b\"c\nd\te\q" "D:\Games" "x")", "k=a\\b\"c\nd\te\\q D:\\Games=x"},
        {"empty", "", ""},
        {"no list", "\"other\" { }", "other{}"},
        {"longest string", "k \"" + longest + "\"", "k=" + longest},
        {"deepest", nested(kv::kMaxDepth), nested(kv::kMaxDepth).replace(kv::kMaxDepth * 2, 3, "k=v")},
        {"whole file at its limit", std::string(kv::kMaxTextBytes, ' '), ""},
        {"unclosed block", "a {\n b c\n d {", "error unclosedBlock at 3"},
        {"stray close", "a b\n}", "error unexpectedBrace at 2"},
        {"block without name", "{ }", "error unexpectedBrace at 1"},
        {"name at end", "a b\nc", "error missingValue at 2"},
        {"name before close", "a { b }", "error missingValue at 1"},
        {"unterminated", "a b\n\nc \"d\n", "error unterminatedString at 3"},
        {"quoted 1 MiB", "k \"" + big + "\"", "error stringTooLong at 1"},
        {"unquoted 1 MiB", "k " + big, "error stringTooLong at 1"},
        {"one past the longest", "k " + longest + "x", "error stringTooLong at 1"},
        {"one block too deep", nested(kv::kMaxDepth + 1), "error tooDeep at 1"},
        {"endless nesting", nested(100000), "error tooDeep at 1"},
        {"braces alone", std::string(300000, '{'), "error unexpectedBrace at 1"},
        {"NUL byte", "a b\nc \"d\0e\""s, "error notText at 2"},
        {"UTF-16 with mark", "\xFF\xFE" + utf16, "error notText at 1"},
        {"UTF-16 without mark", utf16, "error notText at 1"},
        {"overlong UTF-8", "a \"\xC0\xAF\"", "error notText at 1"},
        {"cut UTF-8", "a \"\xE2\x82", "error notText at 1"},
        {"condition", "a b [$WIN32]", "error unsupported at 1"},
        {"one past the file limit", std::string(kv::kMaxTextBytes + 1, ' '), "error tooLarge at 0"},
        {"manifest", acf("The Sims Legacy Collection"), acfTree("The Sims Legacy Collection"), "C:\\Steam",
         gameIn + "The Sims Legacy Collection"},
        {"non-ASCII name", acf("Die Sims \xE2\x80\x93 Sammlung"), acfTree("Die Sims \xE2\x80\x93 Sammlung"), "C:\\Steam",
         gameIn + "Die Sims \xE2\x80\x93 Sammlung"},
        {"longest name", acf(std::string(255, 'n')), acfTree(std::string(255, 'n')), "C:\\Steam",
         gameIn + std::string(255, 'n')},
        {"another app", acf("Other", "10"), "AppState{appid=10 installdir=Other}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(outcome(c.text), c.tree);
        const steam::Libraries libs = steam::libraries("C:/Steam/", c.text);
        std::string joined;
        for (const std::string& f : libs.folders) joined += (joined.empty() ? "" : "|") + f;
        EXPECT_EQ(joined, c.libraries);
        EXPECT_EQ(libs.error.has_value(), c.tree.starts_with("error"));
        const std::optional<std::string> dir = steam::installDir(c.text);
        EXPECT_EQ(dir ? steam::gameFolder("D:\\Lib", *dir).value_or("refused") : "-", c.game);
    }
    // Names that would leave the common folder, or name another, are
    // refused before any path is made of them.
    for (const char* name : {"..", "..\\..\\Windows", "a/b", "C:\\Windows", "\\\\nas\\x", "x:y", "", ".", "Sims.",
                             "Sims ", "a\tb", "a\x7F", "Sims?", "a*", "a|b", "<a>", "CON", "con.txt", "Nul .x", "COM1",
                             "lpt9.log", "COM\xC2\xB9", "CONOUT$", "Sims..x"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(steam::installDir(acf(name)).has_value());
        EXPECT_FALSE(steam::gameFolder("D:\\Lib", name).has_value());
    }
    EXPECT_FALSE(steam::gameFolder("D:\\Lib", std::string(256, 'n')).has_value());
    EXPECT_FALSE(steam::gameFolder("Lib", "Sims").has_value());
    EXPECT_EQ(steam::gameFolder("C:/", "Sims"), "C:\\steamapps\\common\\Sims");
    EXPECT_EQ(steam::manifestFile("C:\\"), "C:\\steamapps\\appmanifest_3314060.acf");
    EXPECT_EQ(steam::libraryListFile("\\\\nas\\s"), "\\\\nas\\s\\steamapps\\libraryfolders.vdf");
}

}  // namespace
}  // namespace orr
