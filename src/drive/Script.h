// Reading driver scripts: one command a line, "#" starts a comment line.
#pragma once

#include "Value.h"

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace orr::drive {

// A line the driver cannot parse or run as written (exit code 2).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Token {
    enum class Kind { word, value } kind;
    std::string word;  // for words: the text as written
    Value value;       // for values: a quoted text, True/False, a number, Empty
};

struct Line {
    int number = 0;
    std::vector<Token> tokens;  // never empty
};

// Splits one line into tokens: "text" with "" for a quote inside,
// True/False, whole numbers (also &H and &O forms), Empty, and bare words.
std::vector<Token> tokenize(const std::string& line);

// Every command line of a script, comments and blank lines left out.
std::vector<Line> readScript(std::istream& in);

// A line's parts, or UsageError naming what was expected there.
const std::string& wordAt(const Line& line, std::size_t i, const char* what);
std::string textArg(const Line& line, std::size_t i, const char* what);  // a text in double quotes
void expectCount(const Line& line, std::size_t n, const char* usage);

// The argument at `index`, or UsageError when the line has too few.
const Value& argAt(const Args& args, std::size_t index);

}  // namespace orr::drive
