// The profile text rules that only Windows shows (Wine parses and rewrites
// profiles differently), checked on the text engine directly: chiefly how
// it rewrites a file. The reads are the profile service's golden cases.
#include "platform/ini_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orr::platform::ini {
namespace {

using namespace std::string_literals;

std::string read(std::string_view text, std::string_view section, std::string_view key) {
    return readValue(text, section, key, "default", 260);
}

TEST(IniText, CommentLinesNeverMatchAKey) {
    EXPECT_EQ(read("[S]\r\n  ;k=v\r\n", "S", ";k"), "default");
    // A key named with a leading semicolon is written, but never found again.
    EXPECT_EQ(writeValue("[S]\r\n;key=v\r\n", "S", ";key", "v"), "[S]\r\n;key=v\r\n;key=v\r\n");
}

TEST(IniText, SectionHeadersNeedOnlyTheOpeningBracket) {
    EXPECT_EQ(read("[[x]\r\nk=v", "[x", "k"), "v");
    EXPECT_EQ(writeValue("[S\r\na=1\r\n", "s", "b", "2"), "[S\r\na=1\r\nb=2\r\n");
}

TEST(IniText, LinesBeforeTheFirstSectionBelongToNone) {
    EXPECT_EQ(writeValue("k=1\r\n[S]\r\n", "S", "k", "2"), "k=1\r\n[S]\r\nk=2\r\n");
    EXPECT_EQ(writeValue("k=1\r\n", "", "k", "2"), "k=1\r\n[]\r\nk=2\r\n");
}

TEST(IniText, AByteOrderMarkIsPartOfTheFirstLine) {
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(writeValue(bom + "[S]\r\nk=v\r\n", "S", "k", "w"),
              bom + "[S]\r\nk=v\r\n[S]\r\nk=w\r\n");
}

TEST(IniText, ArgumentsLoseOnlySpaces) {
    EXPECT_EQ(read("[S]\r\nk=v\r\n", "S\t", "k"), "default");
    EXPECT_EQ(read("[S]\r\nk=v\r\n", "S", "\vk"), "default");
    EXPECT_EQ(writeValue("", "\tS ", " k\t", "\tv "), "[\tS]\r\nk\t=\tv \r\n");
}

TEST(IniText, UntouchedLinesKeepTheirBytes) {
    const std::string before = "junk\0\r\n[S]\r\n  a = 1 \r\n\r\n;tail\r\n\r\n[T]\nb=2\rc\0=3"s;
    EXPECT_EQ(writeValue(before, "S", "new", "x"),
              "junk\0\r\n[S]\r\n  a = 1 \r\nnew=x\r\n\r\n;tail\r\n\r\n[T]\nb=2\rc\0=3\r\n"s);
    EXPECT_EQ(writeValue(before, "T", "b", "9"),
              "junk\0\r\n[S]\r\n  a = 1 \r\n\r\n;tail\r\n\r\n[T]\nb=9\rc\0=3\r\n"s);
    EXPECT_EQ(read(before, "t", "c\0"s), "3");
}

TEST(IniText, OtherLineEndsAreKeptAndNewLinesUseCrLf) {
    EXPECT_EQ(writeValue("[S]\na=1\n[T]\nb=2\n", "S", "c", "3"), "[S]\na=1\nc=3\r\n[T]\nb=2\n");
    EXPECT_EQ(writeValue("[S]\ra=1\r", "S", "a", "2"), "[S]\ra=2\r");
    EXPECT_EQ(writeValue("[S]\ra=1\r", "U", "u", "1"), "[S]\ra=1\r[U]\r\nu=1\r\n");
}

TEST(IniText, ALineWithoutEqualsIsAKeyWithoutValue) {
    EXPECT_EQ(read("[S]\r\nname\r\nname=v\r\n", "S", "name"), "default");
    EXPECT_EQ(writeValue("[S]\r\nname\r\nb=1\r\n", "S", "NAME", "x"), "[S]\r\nname=x\r\nb=1\r\n");
}

TEST(IniText, QuotesComeOffBeforeTheValueIsCut) {
    EXPECT_EQ(readValue("[S]\r\nk=\"abcdef\"\r\n", "S", "k", "", 7), "abcdef");
    EXPECT_EQ(readValue("[S]\r\nk=\"abcdef\"\r\n", "S", "k", "", 4), "abc");
    EXPECT_EQ(readValue("[S]\r\nk=''\r\n", "S", "k", "d", 9), "");
}

}  // namespace
}  // namespace orr::platform::ini
