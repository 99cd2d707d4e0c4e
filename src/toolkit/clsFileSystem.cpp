#include "clsFileSystem.h"

#include "text.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orr {
namespace attr = platform::attr;
using platform::Status;

namespace {

const std::string kCaption = "Orrindale";

// Positions held in the 16-bit integers of the path functions.
std::int64_t pos16(std::int64_t v) {
    if (v > 32767) throw RunError::overflow();
    return v;
}

// What a directory search returns for `pattern` with an attribute mask:
// ordinary files (read-only and archived ones too) always; folders, hidden
// and system entries only when the mask names them. Platform order.
std::vector<std::string> dirNames(platform::FileSystem& fs, std::string_view pattern,
                                  std::uint32_t mask) {
    constexpr std::uint32_t special = attr::hidden | attr::system | attr::directory;
    std::vector<std::string> names;
    for (auto& e : fs.list(pattern))
        if ((e.attributes & special & ~mask) == 0) names.push_back(std::move(e.name));
    return names;
}

// The folder part of a path, with its separator ("C:\dir\" of "C:\dir\*.txt",
// "C:" of "C:*.txt").
std::string folderPart(const std::string& path) {
    auto sep = path.find_last_of("\\/");
    if (sep != std::string::npos) return path.substr(0, sep + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return {};
}

bool hasWildcard(const std::string& path) {
    return path.find_first_of("*?", folderPart(path).size()) != std::string::npos;
}

// Deletes one file, or every non-folder entry matching a wildcard pattern.
// Stops at the first file that cannot be deleted; no match is a failure.
bool removeFiles(platform::FileSystem& fs, const std::string& name) {
    if (!hasWildcard(name)) return fs.removeFile(name) == Status::ok;
    std::vector<platform::DirEntry> found;
    try {
        found = fs.list(name);
    } catch (const RunError&) {
        return false;
    }
    const std::string folder = folderPart(name);
    bool any = false;
    for (const auto& e : found) {
        if (e.attributes & attr::directory) continue;
        any = true;
        if (fs.removeFile(folder + e.name) != Status::ok) return false;
    }
    return any;
}

// n / 1024 kept to four decimals, a half going to the even digit, written
// in its shortest form. The quotient is exact in tenths of a billionth
// (1/1024 = 9765625e-10), so the rounding is done on whole numbers.
std::string kilobytes(std::uint64_t n, const std::string& decimalSeparator) {
    std::uint64_t whole = n / 1024;
    std::uint64_t tenBillionths = (n % 1024) * 9765625u;
    std::uint64_t digits = tenBillionths / 1000000u;  // four decimals
    std::uint64_t rest = tenBillionths % 1000000u;
    if (rest > 500000u || (rest == 500000u && (digits & 1))) ++digits;
    if (digits == 10000) {
        ++whole;
        digits = 0;
    }
    std::string out = std::to_string(whole);
    if (digits != 0) {
        std::string frac = std::to_string(digits);
        frac.insert(0, 4 - frac.size(), '0');
        frac.erase(frac.find_last_not_of('0') + 1);
        out += decimalSeparator + frac;
    }
    return out;
}

bool blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

}  // namespace

bool clsFileSystem::FileExist(const std::string& strFile) { return s_.files.exists(strFile); }

void clsFileSystem::Save(const std::string& FileName) {
    if (!FileReal(Variant(FileName))) return;
    if (s_.messages.show("Overwrite File?", kCaption, platform::MsgButtons::yesNo) ==
        platform::MsgAnswer::yes)
        DeleteFile(FileName);
}

// A directory search answers with the bare name, so only a name given
// exactly as stored (and as seen from the current folder) passes.
bool clsFileSystem::FileReal(const Variant& FileName) {
    try {
        const std::string name = FileName.toText();
        if (name.empty()) return false;
        auto names = dirNames(s_.files, name, 0);
        return !names.empty() && names.front() == name;
    } catch (const RunError&) {
        return false;
    }
}

std::string clsFileSystem::GetFileSize(const Variant& FileName) {
    auto n = s_.files.size(FileName.toText());
    if (!n) return "0B";
    if (*n < 1024) return std::to_string(*n) + "B";
    return kilobytes(*n, s_.locale.decimalSeparator()) + "KB";
}

std::string clsFileSystem::GetAttrib(const Variant& FileName) {
    auto bits = s_.files.attributes(FileName.toText());
    if (!bits) return "Unknown";
    // "No attribute" is the value 0 here, never the set-only normal bit.
    const std::uint32_t v = *bits & ~attr::normal;
    static constexpr struct {
        std::uint32_t value;
        const char* word;
    } words[] = {{64, "Alias"}, {32, "Archive"}, {16, "Directory"}, {2, "Hidden"},
                 {0, "Normal"}, {1, "ReadOnly"}, {4, "System"},     {8, "Volume"}};
    for (const auto& w : words)
        if (w.value == v) return w.word;
    return std::to_string(v);
}

void clsFileSystem::SetHidden(const std::string& FileName) {
    (void)s_.files.setAttributes(FileName, attr::hidden);
}

void clsFileSystem::SetReadOnly(const std::string& FileName) {
    (void)s_.files.setAttributes(FileName, attr::readOnly);
}

void clsFileSystem::SetSystem(const std::string& FileName) {
    (void)s_.files.setAttributes(FileName, attr::system);
}

void clsFileSystem::SetNormal(const std::string& FileName) {
    (void)s_.files.setAttributes(FileName, 0);
}

// Only the last five characters count: an extension of one to four characters.
Variant clsFileSystem::GetFileExtension(const std::string& FileName) {
    text::Characters name(FileName);
    for (std::int64_t k = 2; k <= 5; ++k) {
        if (name.right(k).starts_with('.')) return Variant(name.right(k - 1));
    }
    return Variant("Unknown");
}

std::string clsFileSystem::GetFileDate(const std::string& FileName) {
    auto t = s_.files.modified(FileName);
    return t ? s_.locale.generalDate(*t) : std::string();
}

void clsFileSystem::DeleteFile(const std::string& FileName) {
    if (!removeFiles(s_.files, FileName)) s_.messages.show("Error deleting File", kCaption);
}

void clsFileSystem::CopyFile(const std::string& Source, const std::string& Destination) {
    if (s_.files.copyFile(Source, Destination) != Status::ok)
        s_.messages.show("Error copying File", kCaption);
}

// The source goes only after a successful copy.
void clsFileSystem::MoveFile(const std::string& Source, const std::string& Destination) {
    if (s_.files.copyFile(Source, Destination) != Status::ok ||
        s_.files.removeFile(Source) != Status::ok)
        s_.messages.show("Error moving File", kCaption);
}

void clsFileSystem::MakeDIR(const std::string& Path) { (void)s_.files.makeDirectory(Path); }

void clsFileSystem::RemoveDIR(const std::string& Path) {
    if (s_.files.removeDirectory(Path) != Status::ok)
        s_.messages.show("Error removing Directory", kCaption);
}

void clsFileSystem::CloseAllFiles() { s_.fileTable.closeAll(); }

// The last component up to its last dot, or with IncludePath the whole
// path up to that dot. Without IncludePath a dot in position 1 counts as
// no dot.
std::string clsFileSystem::GetFileBaseName(const std::string& FileName, bool IncludePath) {
    text::Characters name(FileName);
    std::int64_t start = 1, end = 0;
    for (std::int64_t i = name.length(); i >= 1; --i) {
        const auto c = name.at(i);
        if (c == ".") {
            if (IncludePath) return name.left(i - 1);
            if (end == 0) end = i - 1;
        } else if (c == ":" || c == "\\") {
            start = IncludePath ? 1 : i + 1;
            break;
        }
    }
    return end != 0 ? name.mid(start, end - start + 1) : name.mid(start);
}

// Position 1 is never examined, so "\file" comes back whole.
std::string clsFileSystem::GetFileName(const std::string& strPath) {
    text::Characters path(strPath);
    std::int64_t start = 1;
    for (std::int64_t i = pos16(path.length()); i >= 2; --i) {
        if (path.at(i) == "\\") {
            start = pos16(i + 1);
            break;
        }
    }
    return path.mid(start);
}

// Up to and including the last "\"; "\" when there is none.
std::string clsFileSystem::GetPath(const std::string& PathFile) {
    text::Characters path(PathFile);
    std::int64_t pos = 1;
    while (std::int64_t p = path.find('\\', pos)) pos = pos16(p + 1);
    if (pos == 1) return "\\";
    return path.left(pos - 1);
}

// The drive root (or a network path's server and share) is taken to exist;
// every level below it is tested and, if missing, made. A level that cannot
// be made raises the platform's error; the levels made so far stay.
void clsFileSystem::CreateDirectoryStruct(const std::string& CreateThisPath) {
    if (!dirNames(s_.files, CreateThisPath, attr::directory).empty()) return;

    text::Characters path(CreateThisPath);
    std::int64_t start = 4;
    if (path.left(2) == "\\\\") {
        // Deliberate: a network path without a folder below its share
        // ("\\server" or "\\server\share") has nothing to create.
        const std::int64_t serverEnd = pos16(path.find('\\', 3));
        if (serverEnd == 0) return;
        const std::int64_t serverLength = serverEnd - 3;
        const std::int64_t shareEnd = pos16(path.find('\\', serverLength + 4));
        if (shareEnd == 0) return;
        start = pos16(shareEnd + 1);
    }

    std::string prefix = path.left(start - 1);
    for (;;) {
        const std::int64_t p = pos16(path.find('\\', start));
        const std::int64_t length = p != 0 ? p - start : std::max<std::int64_t>(path.length() - start + 1, 0);
        const std::string level = prefix + path.mid(start, length);
        start = pos16(start + length + 1);

        const bool exists = FileExist(level);
        s_.events.process();
        if (!exists) {
            const Status made = s_.files.makeDirectory(level);
            if (made != Status::ok) throw platform::toRunError(made);
        }

        prefix = path.left(start - 1);
        if (prefix == CreateThisPath) break;
    }
}

std::string clsFileSystem::sRemoveLastChar(const std::string& sPassString) {
    return text::removeLastChar(sPassString);
}

Variant clsFileSystem::LastChar(const std::string& strText) { return Variant(text::lastChar(strText)); }

// Lists a folder completely before descending, so only one enumeration is
// open at a time. `Recurse` is not consulted: every level is listed.
std::string clsFileSystem::GetAllSubdirectories(std::string RootDir, bool /*Recurse*/,
                                                const StatusCallback& status) {
    if (status) status("Scanning Folder: " + RootDir);
    s_.events.process();

    std::string folder = RootDir;
    if (text::lastChar(folder) != "\\") folder += "\\";

    std::string result;
    for (const auto& name : dirNames(s_.files, folder + "*", attr::directory | attr::hidden)) {
        auto bits = s_.files.attributes(folder + name);
        if (!bits) throw RunError::fileNotFound();
        if (*bits & attr::directory) result += folder + name + ";";
    }

    // Deliberate: a ";" inside a folder name splits its path here too.
    const std::string found = result;
    std::size_t from = 0;
    while (from < found.size()) {
        const std::size_t sep = std::min(found.find(';', from), found.size());
        const std::string piece = found.substr(from, sep - from);
        if (!blank(piece)) result += GetAllSubdirectories(piece + "\\", true, status);
        from = sep + 1;
    }
    return result;
}

}  // namespace orr
