// Valve's KeyValues text (Steam's .vdf and .acf files) read into a small
// tree. Steam's files are not ours: the reader takes any bytes and either
// gives the whole tree or refuses the whole text with the line it stopped
// at. It never recurses, and what it keeps is bounded by the limits below.
//
// The text:
// - UTF-8, with or without a UTF-8 byte order mark (skipped). Anything else
//   is refused as `notText`: a UTF-16 mark, a NUL byte (UTF-16 without a
//   mark has one in its first two bytes), invalid UTF-8.
// - Tokens are separated by blanks (space, tab, CR, LF, VT, FF). A token is
//   "{", "}", a quoted string or an unquoted one. A quoted string runs to the
//   next unescaped quote, line ends included, and knows the escapes \\ \"
//   \n \t; a backslash before any other character is kept as written, so a
//   path such as "D:\Games" survives. An unquoted string runs to a blank,
//   brace, quote or "//" and has no escapes. "//" outside a quoted string
//   starts a comment to the line's end.
// - A name followed by a string is a pair; a name followed by "{" opens a
//   block of pairs closed by "}". Any number of pairs may stand at the top.
// - Conditions ("[$WIN32]") are refused as `unsupported`; "#include" and
//   "#base" are read as ordinary pairs and not followed.
// Lines are counted by LF, from 1; line 0 means the text as a whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::keyvalues {

// Longer texts are refused whole rather than cut: a cut list of libraries
// would silently lose the later ones. A caller reading a file needs to read
// no more than kMaxTextBytes + 1 bytes for a longer file to show as such.
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;
// Longer strings, after escapes, are refused (Steam's paths are far shorter).
inline constexpr std::size_t kMaxStringBytes = 4096;
// Deeper blocks are refused (Steam's own files nest a handful deep).
inline constexpr std::size_t kMaxDepth = 32;

struct Node {
    std::string name;
    std::string value;           // a pair's value; "" for a block
    std::vector<Node> children;  // a block's pairs, in the file's order
    bool block = false;

    // The first child with this name, compared without regard to ASCII
    // letter case as Steam does; nullptr when there is none.
    const Node* find(std::string_view childName) const;
    // The value of the first child with this name when that child is a
    // pair; nullptr when there is none or it is a block.
    const std::string* valueOf(std::string_view childName) const;
};

enum class Problem {
    tooLarge,           // more than kMaxTextBytes
    notText,            // not UTF-8 text (see above)
    unsupported,        // a condition
    unterminatedString, // a quote never closed
    stringTooLong,      // more than kMaxStringBytes
    tooDeep,            // more than kMaxDepth blocks open
    unexpectedBrace,    // "{" without a name, or "}" with no block open
    unclosedBlock,      // the text ends inside a block
    missingValue,       // a name followed by "}" or by the text's end
};

struct Error {
    Problem problem;
    std::size_t line;
};

// Exactly one of the two is set.
struct Parsed {
    std::optional<Node> root;  // a block without a name holding the top pairs
    std::optional<Error> error;
};

Parsed read(std::string_view text);

}  // namespace orr::keyvalues
