// `tree "PATH"` lists a folder's tree and `remove "PATH"` deletes one, both
// through the platform's file service, so that they read and act the same
// on every layer.
#include "Commands.h"
#include "platform/ascii.h"
#include "Crc32.h"

#include "platform/error.h"
#include "copy/faults.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

namespace orr::drive {
namespace {

namespace attr = platform::attr;

std::string pathArg(const Line& line, const char* usage) {
    if (line.tokens.size() != 2 || line.tokens[1].kind != Token::Kind::value ||
        !std::holds_alternative<std::string>(line.tokens[1].value))
        throw UsageError(std::string("usage: ") + usage);
    return std::get<std::string>(line.tokens[1].value);
}

// Without trailing separators, except after a drive letter ("C:\").
std::string trimmed(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') &&
           !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

bool isDriveRoot(const std::string& path) {
    if (path.empty() || path == "\\" || path == "/") return true;
    return path.size() >= 2 && path.size() <= 3 && path[1] == ':';
}

std::string join(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' || folder.back() == '/' ? folder + name : folder + "\\" + name;
}

struct TreeEntry {
    std::vector<std::string> parts;  // the path below the listed folder
    std::string line;
};

// A folder comes before what it holds; names compare without regard to
// letter case (then as written, for names that differ only in case).
bool treeOrder(const TreeEntry& a, const TreeEntry& b) {
    for (std::size_t i = 0; i < a.parts.size() && i < b.parts.size(); ++i) {
        std::string x = ascii::lower(a.parts[i]), y = ascii::lower(b.parts[i]);
        if (x != y) return x < y;
        if (a.parts[i] != b.parts[i]) return a.parts[i] < b.parts[i];
    }
    return a.parts.size() < b.parts.size();
}

std::string flags(std::uint32_t bits) {
    std::string f;
    if (bits & attr::hidden) f += " hidden";
    if (bits & attr::readOnly) f += " read-only";
    if (bits & attr::system) f += " system";
    return f;
}

void collect(platform::FileSystem& files, const std::string& folder, std::vector<std::string> parts,
             std::vector<TreeEntry>& out) {
    for (const platform::DirEntry& e : files.list(join(folder, "*.*"))) {
        const std::string path = join(folder, e.name);
        std::vector<std::string> here = parts;
        here.push_back(e.name);
        std::string relative;
        for (const std::string& p : here) relative += (relative.empty() ? "" : "\\") + p;
        if (e.attributes & attr::directory) {
            out.push_back({here, "  " + relative + "\\" + flags(e.attributes)});
            collect(files, path, here, out);
            continue;
        }
        std::string size = "?", sum = "?";
        if (auto n = files.size(path)) size = std::to_string(*n);
        if (auto content = files.readFile(path)) {
            char hex[9];
            std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(crc32(content->data(), content->size())));
            sum = hex;
        }
        out.push_back({here, "  " + relative + " " + size + " " + sum + flags(e.attributes)});
    }
}

// Deletes what `path` names, attributes cleared first (a read-only file or
// folder cannot be removed as it is).
platform::Status removeTree(platform::FileSystem& files, const std::string& path, std::uint32_t bits) {
    using platform::Status;
    const std::uint32_t fixed = attr::readOnly | attr::hidden | attr::system;
    if (bits & attr::directory) {
        for (const platform::DirEntry& e : files.list(join(path, "*.*")))
            if (Status s = removeTree(files, join(path, e.name), e.attributes); s != Status::ok) return s;
        if (bits & fixed) files.setAttributes(path, 0);
        return files.removeDirectory(path);
    }
    if (bits & fixed) files.setAttributes(path, 0);
    return files.removeFile(path);
}

const std::pair<const char*, platform::Status> kErrors[] = {
    {"accessDenied", platform::Status::accessDenied}, {"diskFull", platform::Status::diskFull},
    {"ioError", platform::Status::ioError},           {"sharingViolation", platform::Status::sharingViolation},
    {"nameTooLong", platform::Status::nameTooLong},   {"fileNotFound", platform::Status::fileNotFound},
};

std::optional<std::int64_t> numberAt(const Line& line, std::size_t i) {
    if (line.tokens.size() <= i || line.tokens[i].kind != Token::Kind::value) return std::nullopt;
    if (auto* n = std::get_if<std::int64_t>(&line.tokens[i].value); n && *n >= 0) return *n;
    return std::nullopt;
}

// "2026-12-07 21:14" as a local time; nothing when it is not one.
std::optional<platform::DateTime> touchTime(const std::string& text) {
    platform::DateTime t;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &rest) != 5)
        return std::nullopt;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59) return std::nullopt;
    return t;
}

constexpr const char* kFaultUsage =
    "usage: fault open|read|write|flush|close|rename|link|mkdir|remove|free|list|sync N ERROR [\"FILE\"], "
    "fault write N corrupt [\"FILE\"], or fault free BYTES";

// The fault a `fault` line arms, checked as the script is read. A file
// named last counts only the calls made for that file (its name, any
// letter case), whichever worker makes them.
std::function<void(platform::FaultPlan&)> faultOf(const Line& line) {
    const std::string op = line.tokens.size() > 1 ? line.tokens[1].word : "";
    const auto n = numberAt(line, 2);
    if (op == "free" && line.tokens.size() == 3 && n) {
        const auto bytes = static_cast<std::uint64_t>(*n);
        return [bytes](platform::FaultPlan& plan) { plan.limitFreeSpace(bytes); };
    }
    const auto which = platform::fileOpNamed(op);
    if (!which || !n || *n < 1 || line.tokens.size() < 4 || line.tokens.size() > 5) throw UsageError(kFaultUsage);
    std::string file;
    if (line.tokens.size() == 5) {
        const Token& t = line.tokens[4];
        const auto* text = std::get_if<std::string>(&t.value);
        if (t.kind != Token::Kind::value || !text || text->empty()) throw UsageError(kFaultUsage);
        file = *text;
    }
    const int nth = static_cast<int>(*n);
    if (*which == platform::FileOp::write && line.tokens[3].word == "corrupt")
        return [nth, file](platform::FaultPlan& plan) { plan.corruptNthWrite(nth, file); };
    for (const auto& [word, status] : kErrors) {
        if (line.tokens[3].word != word) continue;
        return [op = *which, nth, error = status, file](platform::FaultPlan& plan) {
            plan.failNth(op, nth, error, file);
        };
    }
    throw UsageError(kFaultUsage);
}

}  // namespace

void addFileCommands(CommandTable& commands) {
    commands.add("fault", Command{[](const Line& line) { faultOf(line); },
                                  [](Session& s, const Line& line) { faultOf(line)(s.faults()); }});

    commands.add("tree", Command{
        [](const Line& line) { pathArg(line, "tree \"PATH\""); },
        [](Session& s, const Line& line) {
            const std::string given = pathArg(line, "tree \"PATH\"");
            const std::string folder = trimmed(given);
            platform::FileSystem& files = s.services().files;
            auto bits = files.attributes(folder);
            if (!bits) {
                s.out() << "tree " << formatValue(given) << " -> missing\n";
                return;
            }
            if (!(*bits & attr::directory)) {
                s.out() << "tree " << formatValue(given) << " -> not a folder\n";
                return;
            }
            std::vector<TreeEntry> entries;
            try {
                collect(files, folder, {}, entries);
            } catch (const RunError& e) {
                s.out() << "tree " << formatValue(given) << '\n';
                return printError(s.out(), e);
            }
            std::sort(entries.begin(), entries.end(), treeOrder);
            s.out() << "tree " << formatValue(given) << '\n';
            for (const TreeEntry& e : entries) s.out() << e.line << '\n';
        }});

    // Flips one bit of the byte at OFFSET, as a failing medium would.
    commands.add("corrupt", Command{
        [](const Line& line) {
            if (line.tokens.size() != 3 || line.tokens[1].kind != Token::Kind::value ||
                !std::holds_alternative<std::string>(line.tokens[1].value) || !numberAt(line, 2))
                throw UsageError("usage: corrupt \"PATH\" OFFSET");
        },
        [](Session& s, const Line& line) {
            const std::string path = std::get<std::string>(line.tokens[1].value);
            const auto offset = static_cast<std::size_t>(*numberAt(line, 2));
            platform::FileSystem& files = s.services().files;
            try {
                std::optional<std::string> bytes = files.readFile(path);
                if (!bytes) throw RunError::fileNotFound();
                if (offset >= bytes->size()) throw RunError::badFileName();
                (*bytes)[offset] = static_cast<char>((*bytes)[offset] ^ 1);
                const auto bits = files.attributes(path).value_or(0);
                if (bits & attr::readOnly) files.setAttributes(path, bits & ~attr::readOnly);
                auto out = files.openOutput(path);
                out->write(*bytes);
                out->close();
                if (bits & attr::readOnly) files.setAttributes(path, bits & (attr::readOnly | attr::hidden | attr::system | attr::archive));
                s.out() << "ok\n";
            } catch (const RunError& e) {
                printError(s.out(), e);
            }
        }});

    // `touch "PATH" "YYYY-MM-DD HH:MM"`: the file's last write, in local
    // time, so that what counts as newer does not depend on when a script
    // runs.
    commands.add("touch", Command{
        [](const Line& line) {
            const bool ok = line.tokens.size() == 3 && line.tokens[1].kind == Token::Kind::value &&
                            std::holds_alternative<std::string>(line.tokens[1].value) &&
                            line.tokens[2].kind == Token::Kind::value &&
                            std::holds_alternative<std::string>(line.tokens[2].value) &&
                            touchTime(std::get<std::string>(line.tokens[2].value));
            if (!ok) throw UsageError("usage: touch \"PATH\" \"YYYY-MM-DD HH:MM\"");
        },
        [](Session& s, const Line& line) {
            const std::string path = std::get<std::string>(line.tokens[1].value);
            const platform::Status st =
                s.services().files.setModified(path, *touchTime(std::get<std::string>(line.tokens[2].value)));
            if (st != platform::Status::ok) printError(s.out(), platform::toRunError(st));
            else s.out() << "ok\n";
        }});

    commands.add("remove", Command{
        [](const Line& line) {
            if (isDriveRoot(trimmed(pathArg(line, "remove \"PATH\""))))
                throw UsageError("remove will not delete a whole drive");
        },
        [](Session& s, const Line& line) {
            const std::string path = trimmed(pathArg(line, "remove \"PATH\""));
            platform::FileSystem& files = s.services().files;
            try {
                auto bits = files.attributes(path);
                if (!bits) throw RunError::fileNotFound();
                if (platform::Status st = removeTree(files, path, *bits); st != platform::Status::ok)
                    throw platform::toRunError(st);
                s.out() << "ok\n";
            } catch (const RunError& e) {
                printError(s.out(), e);
            }
        }});
}

}  // namespace orr::drive
