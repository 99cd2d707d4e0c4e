// The store that stands in for the registry where the OS has none: one text
// file per predefined root under the drive mapping's ROOT, in the layout of
// Wine's registry files, read whole before and written whole after every
// request. A file without write permission makes its keys grant read
// access only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform::store {

struct RegValue {
    std::string name;  // empty: the key's default value
    std::uint32_t type = 0;
    std::string data;  // the bytes as stored
};

struct RegNode {
    std::string name;
    std::vector<RegValue> values;   // in the order they were first set
    std::vector<RegNode> subkeys;   // sorted by name, letter case ignored

    RegNode* child(std::string_view name);
    RegNode& addChild(std::string name);   // keeps the order
    RegValue* value(std::string_view name);
};

// Key and value names compare without regard to ASCII letter case.
bool sameName(std::string_view a, std::string_view b);

// Splits a key path into names: "" is the key itself, one trailing "\" is
// allowed, a leading "\" or an empty name gives badPathName, a name over
// 255 characters invalidParameter. Returns a registry result code.
std::int32_t splitKeyPath(std::string_view path, std::vector<std::string>& names);

// The file's text form, and back; nothing when the text is malformed.
std::string formatHive(const RegNode& root, std::string_view rootName);
std::optional<RegNode> parseHive(std::string_view text);

// Where a predefined root lives: its file's name and the key path in it.
struct RootPlace {
    std::string rootName;   // "HKEY_LOCAL_MACHINE", ...
    std::string fileName;   // "machine.reg", ...
    std::vector<std::string> prefix;
};
std::optional<RootPlace> placeOf(std::uint32_t predefined);

// The folder holding the files, below the drive mapping's ROOT.
std::filesystem::path storeFolder(const std::filesystem::path& root);

// One root's file.
class HiveFile {
public:
    explicit HiveFile(std::filesystem::path path) : path_(std::move(path)) {}

    // A missing file is an empty tree. Returns ok or badDb.
    std::int32_t load(RegNode& tree) const;
    // Replaces the file whole. Returns ok or cantWrite.
    std::int32_t save(const RegNode& tree, std::string_view rootName) const;
    // True when the file exists and carries no write permission.
    bool readOnly() const;

private:
    std::filesystem::path path_;
};

}  // namespace orr::platform::store
