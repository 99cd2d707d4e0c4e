// The profile text rules that only Windows shows (Wine parses and rewrites
// profiles differently), checked on the text engine directly: chiefly how
// it rewrites a file. The reads are the profile service's golden cases.
#include "platform/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orr::platform::ini {
namespace {

using namespace std::string_literals;

// With a value, the text after writing it; without, the value read (the
// fallback "default", a buffer of `size`).
struct Case {
    const char* what;
    std::string text, section, key;
    std::optional<std::string> value;
    std::string expected;
    std::size_t size = 260;
};

const std::string kBom = "\xEF\xBB\xBF";
const std::string kKept = "junk\0\r\n[S]\r\n  a = 1 \r\n\r\n;tail\r\n\r\n[T]\nb=2\rc\0=3"s;

const Case cases[] = {
    {"a comment line matches no key", "[S]\r\n  ;k=v\r\n", "S", ";k", {}, "default"},
    {"a key named like a comment is written, never found", "[S]\r\n;key=v\r\n", "S", ";key", "v",
     "[S]\r\n;key=v\r\n;key=v\r\n"},
    {"a header needs only its opening bracket", "[[x]\r\nk=v", "[x", "k", {}, "v"},
    {"a header without a closing bracket", "[S\r\na=1\r\n", "s", "b", "2", "[S\r\na=1\r\nb=2\r\n"},
    {"lines before the first section belong to none", "k=1\r\n[S]\r\n", "S", "k", "2", "k=1\r\n[S]\r\nk=2\r\n"},
    {"nor to the section named \"\"", "k=1\r\n", "", "k", "2", "k=1\r\n[]\r\nk=2\r\n"},
    {"a byte-order mark belongs to the first line", kBom + "[S]\r\nk=v\r\n", "S", "k", "w",
     kBom + "[S]\r\nk=v\r\n[S]\r\nk=w\r\n"},
    {"a tab in the section argument stays", "[S]\r\nk=v\r\n", "S\t", "k", {}, "default"},
    {"a vertical tab in the key argument stays", "[S]\r\nk=v\r\n", "S", "\vk", {}, "default"},
    {"arguments lose only spaces", "", "\tS ", " k\t", "\tv ", "[\tS]\r\nk\t=\tv \r\n"},
    {"untouched lines keep their bytes", kKept, "S", "new", "x",
     "junk\0\r\n[S]\r\n  a = 1 \r\nnew=x\r\n\r\n;tail\r\n\r\n[T]\nb=2\rc\0=3\r\n"s},
    {"an updated line's neighbours keep their bytes", kKept, "T", "b", "9",
     "junk\0\r\n[S]\r\n  a = 1 \r\n\r\n;tail\r\n\r\n[T]\nb=9\rc\0=3\r\n"s},
    {"a key with a NUL is found", kKept, "t", "c\0"s, {}, "3"},
    {"LF line ends kept, new lines CR LF", "[S]\na=1\n[T]\nb=2\n", "S", "c", "3", "[S]\na=1\nc=3\r\n[T]\nb=2\n"},
    {"lone CR line ends kept", "[S]\ra=1\r", "S", "a", "2", "[S]\ra=2\r"},
    {"a new section after lone CRs", "[S]\ra=1\r", "U", "u", "1", "[S]\ra=1\r[U]\r\nu=1\r\n"},
    {"a line without = is a key without value", "[S]\r\nname\r\nname=v\r\n", "S", "name", {}, "default"},
    {"and is written over", "[S]\r\nname\r\nb=1\r\n", "S", "NAME", "x", "[S]\r\nname=x\r\nb=1\r\n"},
    {"quotes come off before the value is cut", "[S]\r\nk=\"abcdef\"\r\n", "S", "k", {}, "abcdef", 7},
    {"a cut value without its quotes", "[S]\r\nk=\"abcdef\"\r\n", "S", "k", {}, "abc", 4},
    {"empty quotes an empty value", "[S]\r\nk=''\r\n", "S", "k", {}, "", 9},
};

TEST(IniText, ReadsAndRewritesAsWindowsDoes) {
    for (const Case& c : cases) {
        if (c.value)
            EXPECT_EQ(writeValue(c.text, c.section, c.key, *c.value), c.expected) << c.what;
        else
            EXPECT_EQ(readValue(c.text, c.section, c.key, "default", c.size), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace orr::platform::ini
