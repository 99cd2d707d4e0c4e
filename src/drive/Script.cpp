#include "Script.h"

#include <cctype>

namespace orr::drive {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::optional<std::int64_t> parseWhole(const std::string& w) {
    std::size_t i = 0;
    int base = 10;
    bool negative = false;
    if (w.size() > 2 && w[0] == '&' && (w[1] == 'H' || w[1] == 'h')) base = 16, i = 2;
    else if (w.size() > 2 && w[0] == '&' && (w[1] == 'O' || w[1] == 'o')) base = 8, i = 2;
    else if (!w.empty() && w[0] == '-') negative = true, i = 1;
    if (i >= w.size()) return std::nullopt;
    std::uint64_t v = 0;
    for (; i < w.size(); ++i) {
        int d = std::isdigit(static_cast<unsigned char>(w[i])) ? w[i] - '0'
                : std::isxdigit(static_cast<unsigned char>(w[i]))
                    ? std::tolower(static_cast<unsigned char>(w[i])) - 'a' + 10
                    : 99;
        if (d >= base) return std::nullopt;
        v = v * base + d;
        if (v > 0xFFFFFFFFFFull) return std::nullopt;
    }
    // &H80000002 is the 32-bit handle value as written, not a negative number.
    auto n = static_cast<std::int64_t>(v);
    return negative ? -n : n;
}

Token classify(const std::string& w) {
    if (w == "True") return {Token::Kind::value, w, true};
    if (w == "False") return {Token::Kind::value, w, false};
    if (w == "Empty") return {Token::Kind::value, w, Empty{}};
    if (auto n = parseWhole(w)) return {Token::Kind::value, w, *n};
    return {Token::Kind::word, w, Empty{}};
}

}  // namespace

std::vector<Token> tokenize(const std::string& line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i >= line.size()) break;
        if (line[i] == '"') {
            std::string text;
            ++i;
            while (true) {
                if (i >= line.size()) throw UsageError("unterminated text");
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += line[i++];
            }
            if (i < line.size() && !isBlank(line[i])) throw UsageError("text followed by more characters");
            tokens.push_back({Token::Kind::value, {}, std::move(text)});
            continue;
        }
        std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            if (line[i] == '"') throw UsageError("quote inside a word");
            ++i;
        }
        tokens.push_back(classify(line.substr(start, i - start)));
    }
    return tokens;
}

std::vector<Line> readScript(std::istream& in) {
    std::vector<Line> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') continue;
        try {
            lines.push_back({number, tokenize(text)});
        } catch (const UsageError& e) {
            throw UsageError("line " + std::to_string(number) + ": " + e.what());
        }
    }
    return lines;
}

const Value& argAt(const Args& args, std::size_t index) {
    if (index >= args.size())
        throw UsageError("argument " + std::to_string(index + 1) + " is missing");
    return args[index];
}

const std::string& wordAt(const Line& line, std::size_t i, const char* what) {
    if (i >= line.tokens.size() || line.tokens[i].kind != Token::Kind::word)
        throw UsageError(std::string("expected ") + what);
    return line.tokens[i].word;
}

std::string textArg(const Line& line, std::size_t i, const char* what) {
    if (i >= line.tokens.size() || line.tokens[i].kind != Token::Kind::value ||
        !std::holds_alternative<std::string>(line.tokens[i].value))
        throw UsageError(std::string("expected ") + what + " in double quotes");
    return std::get<std::string>(line.tokens[i].value);
}

void expectCount(const Line& line, std::size_t n, const char* usage) {
    if (line.tokens.size() != n) throw UsageError(std::string("usage: ") + usage);
}

}  // namespace orr::drive
