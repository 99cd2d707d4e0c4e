#include "registry_store.h"
#include "platform/ascii.h"

#include "platform/registry.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

namespace orr::platform::store {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view header = "WINE REGISTRY Version 2";
constexpr std::size_t maxKeyName = 255;

constexpr char fold(char c) { return ascii::upper(c); }

bool nameLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return fold(x) < fold(y); });
}

// Quoted strings and key paths: backslash, quote, closing bracket and
// control bytes are escaped; other bytes (UTF-8 included) stay as they are.
std::string escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case ']': out += "\\]"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20 || u == 0x7f) {
                char buf[5];
                std::snprintf(buf, sizeof buf, "\\x%02x", u);
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an escaped string from `pos` up to the unescaped `end` character,
// leaving `pos` just past it.
std::optional<std::string> unescape(std::string_view s, std::size_t& pos, char end) {
    std::string out;
    while (pos < s.size()) {
        char c = s[pos++];
        if (c == end) return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= s.size()) return std::nullopt;
        char e = s[pos++];
        switch (e) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (pos + 2 > s.size()) return std::nullopt;
            int hi = hexDigit(s[pos]), lo = hexDigit(s[pos + 1]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            pos += 2;
            break;
        }
        default: out += e;
        }
    }
    return std::nullopt;
}

std::string hexBytes(std::string_view data) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", static_cast<unsigned char>(data[i]));
        out += buf;
    }
    return out;
}

std::optional<std::string> parseHexBytes(std::string_view s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (i + 2 > s.size()) return std::nullopt;
        int hi = hexDigit(s[i]), lo = hexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        if (i < s.size() && s[i++] != ',') return std::nullopt;
    }
    return out;
}

// A text that ends in its only zero byte reads back as a quoted string.
bool plainText(const RegValue& v) {
    return (v.type == reg::text || v.type == reg::expandText) && !v.data.empty() &&
           v.data.find('\0') == v.data.size() - 1;
}

std::string formatData(const RegValue& v) {
    std::string body = plainText(v) ? escape(v.data.substr(0, v.data.size() - 1)) : std::string();
    if (plainText(v) && v.type == reg::text) return "\"" + body + "\"";
    if (plainText(v)) return "str(2):\"" + body + "\"";
    if (v.type == reg::dword && v.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(v.data[i]);
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(n));
        return buf;
    }
    if (v.type == reg::binary) return "hex:" + hexBytes(v.data);
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
    return buf + hexBytes(v.data);
}

std::optional<RegValue> parseData(std::string_view s) {
    RegValue v;
    std::size_t pos = 0;
    auto quoted = [&](std::uint32_t type) -> std::optional<RegValue> {
        auto text = unescape(s, ++pos, '"');
        if (!text || pos != s.size()) return std::nullopt;
        v.type = type;
        v.data = *text + '\0';
        return v;
    };
    if (s.rfind("\"", 0) == 0) return quoted(reg::text);
    if (s.rfind("str(2):\"", 0) == 0) {
        pos = 7;
        return quoted(reg::expandText);
    }
    if (s.rfind("dword:", 0) == 0) {
        if (s.size() != 14) return std::nullopt;
        std::uint32_t n = 0;
        for (char c : s.substr(6)) {
            if (hexDigit(c) < 0) return std::nullopt;
            n = n << 4 | static_cast<std::uint32_t>(hexDigit(c));
        }
        v.type = reg::dword;
        for (int i = 0; i < 4; ++i) v.data += static_cast<char>(n >> (8 * i) & 0xff);
        return v;
    }
    std::string_view bytes;
    if (s.rfind("hex:", 0) == 0) {
        v.type = reg::binary;
        bytes = s.substr(4);
    } else if (s.rfind("hex(", 0) == 0) {
        auto close = s.find("):");
        if (close == std::string_view::npos || close == 4) return std::nullopt;
        std::uint32_t t = 0;
        for (char c : s.substr(4, close - 4)) {
            if (hexDigit(c) < 0) return std::nullopt;
            t = t << 4 | static_cast<std::uint32_t>(hexDigit(c));
        }
        v.type = t;
        bytes = s.substr(close + 2);
    } else {
        return std::nullopt;
    }
    auto data = parseHexBytes(bytes);
    if (!data) return std::nullopt;
    v.data = *data;
    return v;
}

// Wine's rule: a key is written when it holds values or has no subkeys;
// the keys on the way to it are implied.
void formatKey(const RegNode& node, const std::string& path, std::ostringstream& out) {
    if (!path.empty() && (!node.values.empty() || node.subkeys.empty())) {
        out << "\n[" << path << "]\n";
        for (const auto& v : node.values)
            out << (v.name.empty() ? "@" : "\"" + escape(v.name) + "\"") << "=" << formatData(v) << "\n";
    }
    for (const auto& sub : node.subkeys)
        formatKey(sub, path.empty() ? escape(sub.name) : path + "\\\\" + escape(sub.name), out);
}

}  // namespace

RegNode* RegNode::child(std::string_view n) {
    for (auto& s : subkeys)
        if (sameName(s.name, n)) return &s;
    return nullptr;
}

RegNode& RegNode::addChild(std::string n) {
    auto at = std::find_if(subkeys.begin(), subkeys.end(),
                           [&](const RegNode& s) { return nameLess(n, s.name); });
    RegNode node;
    node.name = std::move(n);
    return *subkeys.insert(at, std::move(node));
}

RegValue* RegNode::value(std::string_view n) {
    for (auto& v : values)
        if (sameName(v.name, n)) return &v;
    return nullptr;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return fold(x) == fold(y); });
}

std::int32_t splitKeyPath(std::string_view path, std::vector<std::string>& names) {
    names.clear();
    if (path.empty()) return reg::ok;
    if (path.back() == '\\') path.remove_suffix(1);
    std::size_t start = 0;
    while (true) {
        auto end = path.find('\\', start);
        auto name = path.substr(start, end == std::string_view::npos ? path.size() - start : end - start);
        if (name.empty()) return reg::badPathName;
        if (name.size() > maxKeyName) return reg::invalidParameter;
        names.emplace_back(name);
        if (end == std::string_view::npos) return reg::ok;
        start = end + 1;
    }
}

std::string formatHive(const RegNode& root, std::string_view rootName) {
    std::ostringstream out;
    out << header << "\n;; All keys relative to " << rootName << "\n";
    if (!root.values.empty()) {
        out << "\n[]\n";
        for (const auto& v : root.values)
            out << (v.name.empty() ? "@" : "\"" + escape(v.name) + "\"") << "=" << formatData(v) << "\n";
    }
    formatKey(root, "", out);
    return out.str();
}

std::optional<RegNode> parseHive(std::string_view text) {
    RegNode root;
    RegNode* current = nullptr;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        auto lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        auto line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == ';' || line[0] == '#' || line == header) continue;

        std::size_t pos = 1;
        if (line[0] == '[') {
            auto path = unescape(line, pos, ']');
            if (!path) return std::nullopt;
            current = &root;
            std::vector<std::string> names;
            if (!path->empty() && splitKeyPath(*path, names) != reg::ok) return std::nullopt;
            for (auto& n : names) {
                RegNode* next = current->child(n);
                current = next ? next : &current->addChild(n);
            }
            continue;
        }
        if (!current) return std::nullopt;
        RegValue v;
        if (line[0] == '@') {
            if (line.size() < 2 || line[1] != '=') return std::nullopt;
            pos = 2;
        } else if (line[0] == '"') {
            auto name = unescape(line, pos, '"');
            if (!name || pos >= line.size() || line[pos] != '=') return std::nullopt;
            v.name = *name;
            ++pos;
        } else {
            return std::nullopt;
        }
        auto data = parseData(line.substr(pos));
        if (!data) return std::nullopt;
        v.type = data->type;
        v.data = std::move(data->data);
        if (RegValue* old = current->value(v.name))
            *old = std::move(v);
        else
            current->values.push_back(std::move(v));
    }
    return root;
}

std::optional<RootPlace> placeOf(std::uint32_t predefined) {
    switch (predefined) {
    case reg::classesRoot: return RootPlace{"HKEY_CLASSES_ROOT", "machine.reg", {"Software", "Classes"}};
    case reg::currentUser: return RootPlace{"HKEY_CURRENT_USER", "user.reg", {}};
    case reg::localMachine: return RootPlace{"HKEY_LOCAL_MACHINE", "machine.reg", {}};
    case reg::users: return RootPlace{"HKEY_USERS", "users.reg", {}};
    case reg::currentConfig:
        return RootPlace{"HKEY_CURRENT_CONFIG", "machine.reg",
                         {"System", "CurrentControlSet", "Hardware Profiles", "Current"}};
    default: return std::nullopt;
    }
}

std::filesystem::path storeFolder(const std::filesystem::path& root) { return root / "registry"; }

std::int32_t HiveFile::load(RegNode& tree) const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        std::error_code ec;
        if (fs::exists(path_, ec)) return reg::badDb;
        tree = RegNode{};
        return reg::ok;
    }
    std::ostringstream text;
    text << in.rdbuf();
    auto parsed = parseHive(text.str());
    if (!parsed) return reg::badDb;
    tree = std::move(*parsed);
    return reg::ok;
}

std::int32_t HiveFile::save(const RegNode& tree, std::string_view rootName) const {
    std::error_code ec;
    fs::create_directories(path_.parent_path(), ec);
    // Written beside the file and renamed over it, so a reader never sees half a file.
    auto temp = path_;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << formatHive(tree, rootName);
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return reg::cantWrite;
        }
    }
    fs::rename(temp, path_, ec);
    if (ec) {
        fs::remove(temp, ec);
        return reg::cantWrite;
    }
    return reg::ok;
}

bool HiveFile::readOnly() const {
    std::error_code ec;
    auto st = fs::status(path_, ec);
    if (ec || !fs::exists(st)) return false;
    // The permission bits, not an access check: they decide also for root.
    return (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace orr::platform::store
