#include "ini_text.h"
#include "platform/ascii.h"

#include <optional>
#include <vector>

namespace orr::platform::ini {
namespace {

constexpr std::string_view blanks = " \t\v";

// One line of the file as offsets: [begin, end) is its text, [end, next)
// its line end (empty on a last line without one).
struct Line {
    std::size_t begin, end, next;
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

std::string_view trim(std::string_view s, std::string_view set) {
    std::size_t first = s.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(set) - first + 1);
}

enum class Kind { blank, comment, header, entry };

struct Parsed {
    Kind kind = Kind::blank;
    std::string_view name;                  // header or entry
    std::optional<std::string_view> value;  // entry with "="
};

Parsed parse(std::string_view line) {
    std::string_view t = trim(line, blanks);
    if (t.empty()) return {};
    if (t.front() == ';') return {Kind::comment, {}, {}};
    if (t.front() == '[') {
        std::string_view inside = t.substr(1);
        return {Kind::header, trim(inside.substr(0, inside.find(']')), blanks), {}};
    }
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return {Kind::entry, t, {}};
    return {Kind::entry, trim(t.substr(0, eq), blanks), trim(t.substr(eq + 1), blanks)};
}

// The file's lines, parsed, with the position of the first header named
// `section` (lines.size() when there is none).
struct Layout {
    std::vector<Line> lines;
    std::vector<Parsed> parsed;
    std::size_t header;
};

Layout layout(std::string_view text, std::string_view section) {
    Layout l{splitLines(text), {}, 0};
    l.parsed.reserve(l.lines.size());
    for (const Line& line : l.lines)
        l.parsed.push_back(parse(text.substr(line.begin, line.end - line.begin)));
    l.header = l.lines.size();
    for (std::size_t i = 0; i < l.parsed.size(); ++i) {
        if (l.parsed[i].kind == Kind::header && ascii::equal(l.parsed[i].name, section)) {
            l.header = i;
            break;
        }
    }
    return l;
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::string_view stripTrailingSpaces(std::string_view s) {
    std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

}  // namespace

std::string readValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    const std::string_view wanted = trim(key, " ");
    const Layout l = layout(text, trim(section, " "));

    std::string_view result = stripTrailingSpaces(fallback);
    for (std::size_t i = l.header + 1; i < l.parsed.size(); ++i) {
        const Parsed& p = l.parsed[i];
        if (p.kind == Kind::header) break;
        if (p.kind == Kind::entry && ascii::equal(p.name, wanted)) {
            if (p.value) result = unquote(*p.value);
            break;
        }
    }
    return std::string(result.substr(0, bufferSize - 1));
}

std::string writeValue(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view value) {
    const std::string_view sec = trim(section, " ");
    const std::string_view name = trim(key, " ");

    std::string out(text);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";

    const Layout l = layout(out, sec);
    if (l.header == l.lines.size()) {
        out.append("[").append(sec).append("]\r\n");
        out.append(name).append("=").append(value).append("\r\n");
        return out;
    }

    std::size_t insertAt = l.lines[l.header].next;
    for (std::size_t i = l.header + 1; i < l.parsed.size(); ++i) {
        const Parsed& p = l.parsed[i];
        if (p.kind == Kind::header) break;
        if (p.kind != Kind::entry) continue;
        if (ascii::equal(p.name, name)) {
            // Rewritten whole as name=value; the file's spelling of the name stays.
            std::string line(p.name);
            line.append("=").append(value);
            const Line& at = l.lines[i];
            out.replace(at.begin, at.end - at.begin, line);
            return out;
        }
        insertAt = l.lines[i].next;
    }
    std::string line(name);
    line.append("=").append(value).append("\r\n");
    out.insert(insertAt, line);
    return out;
}

}  // namespace orr::platform::ini
