// The registry service where the OS has none: one text file, read whole
// before and written whole after every request, so that every Registry of
// the run sees the others' writes. It holds `key "PATH"` per key, after its
// parent, and `value "PATH" "NAME" TYPE "DATA"` per value in the order set,
// quoted as std::quoted does; PATH starts with the root's name. A handle
// names a key path, looked up by every request. A file without write
// permission grants read access only. No remote computer can be reached.
#include "platform/registry.h"
#include "platform/ascii.h"
#include "platform/services.h"
#include "drive_map.h"
#include "registry_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <map>
#include <vector>

namespace orr::platform {
namespace {

namespace fs = std::filesystem;

// Rights that a key in a read-only file does not grant: set value, create
// subkey, create link, delete, write DAC, write owner, generic write and all.
constexpr std::uint32_t writeRights = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;
constexpr std::uint32_t deleteRight = 0x10000;
constexpr std::size_t maxKeyName = 255, maxValueName = 16383;
constexpr std::uint32_t roots[] = {reg::classesRoot, reg::currentUser, reg::localMachine, reg::users,
                                   reg::currentConfig};

// The key a predefined root stands for.
std::optional<std::string> keyOf(std::uint32_t root) {
    switch (root) {
    case reg::classesRoot: return "HKEY_LOCAL_MACHINE\\Software\\Classes";
    case reg::currentUser: return "HKEY_CURRENT_USER";
    case reg::localMachine: return "HKEY_LOCAL_MACHINE";
    case reg::users: return "HKEY_USERS";
    case reg::currentConfig: return "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current";
    default: return std::nullopt;
    }
}

// Names compare as the platform's registry compares them: ASCII letter case ignored.
struct NoCase {
    bool operator()(std::string_view a, std::string_view b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(ascii::upper(x)) < static_cast<unsigned char>(ascii::upper(y));
        });
    }
};

struct Value {
    std::string name;  // empty: the key's default value
    std::uint32_t type = 0;
    std::string data;
};
// Every key by its path; a key's parents are always present.
using Keys = std::map<std::string, std::vector<Value>, NoCase>;

std::string join(std::string_view a, std::string_view b) {
    return a.empty() ? std::string(b) : std::string(a).append("\\").append(b);
}

// Appends the names of a key path: "" names the key itself, one trailing
// "\" is allowed, a leading "\" or an empty name gives badPathName, a name
// over 255 characters invalidParameter.
std::int32_t appendPath(std::string_view path, std::vector<std::string>& names) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    for (std::size_t start = 0; !path.empty();) {
        auto end = std::min(path.find('\\', start), path.size());
        if (end == start) return reg::badPathName;
        if (end - start > maxKeyName) return reg::invalidParameter;
        names.emplace_back(path.substr(start, end - start));
        if (end == path.size()) break;
        start = end + 1;
    }
    return reg::ok;
}

// The permission bits, not an access check: they decide also for root.
bool readOnly(const fs::path& file) {
    std::error_code ec;
    const auto st = fs::status(file, ec);
    return fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// What a handle names.
struct Target {
    std::string path;
    std::uint32_t access = 0;
};

// One request: the file read afresh, the handle's target, and its key.
struct Hive {
    fs::path file;
    Keys keys;
    Target target;
    Keys::iterator key;

    // Returns ok or badDb. A missing file holds only the roots' keys,
    // which exist whether or not the file has them yet.
    std::int32_t load() {
        for (auto root : roots) {
            std::vector<std::string> names;
            appendPath(*keyOf(root), names);
            std::string at;
            for (const auto& n : names) keys.try_emplace(at = join(at, n));
        }
        std::ifstream in(file, std::ios::binary);
        std::error_code ec;
        if (!in) return fs::exists(file, ec) ? reg::badDb : reg::ok;
        for (std::string word, path; in >> word >> std::quoted(path);) {
            Value v;
            if (word == "key" && keys.count(path.substr(0, std::min(path.rfind('\\'), path.size()))))
                keys.try_emplace(path);
            else if (word == "value" && keys.count(path) && in >> std::quoted(v.name) >> v.type >> std::quoted(v.data))
                keys[path].push_back(std::move(v));
            else
                return reg::badDb;
        }
        return in.eof() ? reg::ok : reg::badDb;
    }

    // Replaces the file whole, through a file beside it renamed over it,
    // so a reader never sees half a file.
    std::int32_t save() {
        if (readOnly(file)) return reg::accessDenied;
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        auto temp = fs::path(file) += ".new";
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const auto& [path, values] : keys) {
            out << "key " << std::quoted(path) << '\n';
            for (const auto& v : values)
                out << "value " << std::quoted(path) << ' ' << std::quoted(v.name) << ' ' << v.type << ' '
                    << std::quoted(v.data) << '\n';
        }
        out.close();
        if (out) fs::rename(temp, file, ec);
        if (!out || ec) fs::remove(temp, ec);
        return out && !ec ? reg::ok : reg::cantWrite;
    }

    Value* value(std::string_view name) {
        for (auto& v : key->second)
            if (ascii::equal(v.name, name)) return &v;
        return nullptr;
    }

    // The key's subkeys, in the platform's order.
    std::vector<std::string_view> children() const {
        std::vector<std::string_view> out;
        const std::string below = key->first + '\\';
        for (auto it = keys.lower_bound(below); it != keys.end(); ++it) {
            if (!ascii::equal(std::string_view(it->first).substr(0, below.size()), below)) break;
            if (it->first.find('\\', below.size()) == std::string::npos)
                out.push_back(std::string_view(it->first).substr(below.size()));
        }
        return out;
    }
};

std::int32_t copyName(std::string_view n, char* name, std::uint32_t& nameSize) {
    if (n.size() >= nameSize) return reg::moreData;
    std::memcpy(name, n.data(), n.size());
    name[n.size()] = '\0';
    nameSize = static_cast<std::uint32_t>(n.size());
    return reg::ok;
}

class PosixRegistry final : public Registry {
public:
    explicit PosixRegistry(const Options& options) : file_(posix::registryFile(options)) {}

    std::int32_t connect(std::string_view computer, std::uint32_t root, RegKey& result) override {
        result = RegKey();
        if (!computer.empty()) return reg::badNetPath;
        if (!keyOf(root)) return reg::invalidHandle;
        result = remember(Target{*keyOf(root), reg::allAccess});
        return reg::ok;
    }

    std::int32_t open(const RegKey& parent, std::string_view path, std::uint32_t access, RegKey& result) override {
        return openOrCreate(parent, path, access, result, false);
    }

    std::int32_t createKey(const RegKey& parent, std::string_view path, std::uint32_t access,
                           RegKey& result) override {
        return openOrCreate(parent, path, access, result, true);
    }

    std::int32_t queryValue(const RegKey& key, std::string_view name, std::uint32_t& type, unsigned char* data,
                            std::uint32_t& size) override {
        Hive h;
        if (auto rc = start(key, h, reg::queryValue); rc != reg::ok) return rc;
        const Value* v = h.value(name);
        if (!v) return reg::fileNotFound;
        type = v->type;
        const auto needed = static_cast<std::uint32_t>(v->data.size());
        const bool fits = !data || size >= needed;
        if (data && fits && needed) std::memcpy(data, v->data.data(), needed);
        size = needed;
        return fits ? reg::ok : reg::moreData;
    }

    std::int32_t setValue(const RegKey& key, std::string_view name, std::uint32_t type, const unsigned char* data,
                          std::uint32_t size) override {
        Hive h;
        if (auto rc = start(key, h, reg::setValue); rc != reg::ok) return rc;
        if (name.size() > maxValueName || (!data && size)) return reg::invalidParameter;
        std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
        if (Value* v = h.value(name))
            *v = {v->name, type, std::move(bytes)};
        else
            h.key->second.push_back({std::string(name), type, std::move(bytes)});
        return h.save();
    }

    std::int32_t enumKey(const RegKey& key, std::uint32_t index, char* name, std::uint32_t& nameSize) override {
        Hive h;
        if (auto rc = start(key, h, reg::enumerateSubKeys); rc != reg::ok) return rc;
        auto children = h.children();
        return index < children.size() ? copyName(children[index], name, nameSize) : reg::noMoreItems;
    }

    std::int32_t enumValue(const RegKey& key, std::uint32_t index, char* name, std::uint32_t& nameSize) override {
        Hive h;
        if (auto rc = start(key, h, reg::queryValue); rc != reg::ok) return rc;
        auto& values = h.key->second;
        return index < values.size() ? copyName(values[index].name, name, nameSize) : reg::noMoreItems;
    }

    std::int32_t deleteKey(const RegKey& parent, std::string_view path) override {
        Hive h;
        std::vector<std::string> names;
        if (auto rc = start(parent, h); rc != reg::ok) return rc;
        if (auto rc = appendPath(path, names); rc != reg::ok) return rc;
        std::string full = h.target.path;
        for (const auto& n : names) full = join(full, n);
        // An empty path deletes the parent itself; a root's key cannot go.
        if (std::any_of(std::begin(roots), std::end(roots), [&](auto r) { return ascii::equal(*keyOf(r), full); }))
            return reg::accessDenied;
        h.key = h.keys.find(full);
        if (h.key == h.keys.end()) return names.empty() ? reg::keyDeleted : reg::fileNotFound;
        if (!h.children().empty() || readOnly(h.file)) return reg::accessDenied;
        if (names.empty() && !(h.target.access & deleteRight)) return reg::accessDenied;
        h.keys.erase(h.key);
        return h.save();
    }

    std::int32_t deleteValue(const RegKey& key, std::string_view name) override {
        Hive h;
        if (auto rc = start(key, h, reg::setValue); rc != reg::ok) return rc;
        const Value* v = h.value(name);
        if (!v) return reg::fileNotFound;
        h.key->second.erase(h.key->second.begin() + (v - h.key->second.data()));
        return h.save();
    }

private:
    // Reads the file for a request on `handle` that needs `right`.
    std::int32_t start(const RegKey& handle, Hive& h, std::uint32_t right = 0) const {
        const auto root = static_cast<std::uint32_t>(handle.handle());
        if (handle.handle() == RegKey::predefined(root).handle() && keyOf(root))
            h.target = Target{*keyOf(root), reg::allAccess};
        else if (auto it = open_.find(handle.handle()); it != open_.end())
            h.target = it->second;
        else
            return reg::invalidHandle;
        h.file = file_;
        if (auto rc = h.load(); rc != reg::ok) return rc;
        if (readOnly(h.file)) h.target.access &= ~writeRights;
        h.key = h.keys.find(h.target.path);
        if (h.key == h.keys.end()) return reg::keyDeleted;
        return right && !(h.target.access & right) ? reg::accessDenied : reg::ok;
    }

    std::int32_t openOrCreate(const RegKey& parent, std::string_view path, std::uint32_t access, RegKey& result,
                              bool create) {
        result = RegKey();
        Hive h;
        std::vector<std::string> names;
        if (auto rc = start(parent, h); rc != reg::ok) return rc;
        appendPath(h.target.path, names);
        if (auto rc = appendPath(path, names); rc != reg::ok) return rc;
        if ((access & reg::view32) && (access & reg::view64)) return reg::invalidParameter;
        // As a 64-bit program sees it, the 32-bit view of
        // HKEY_LOCAL_MACHINE\SOFTWARE is its subkey WOW6432Node.
        if ((access & reg::view32) && names.size() > 1 && names[0] == "HKEY_LOCAL_MACHINE" &&
            ascii::equal(names[1], "SOFTWARE") && !(names.size() > 2 && ascii::equal(names[2], "WOW6432Node")))
            names.insert(names.begin() + 2, "WOW6432Node");
        const bool locked = readOnly(h.file);
        bool created = false;
        std::string at;
        for (const auto& name : names) {
            auto it = h.keys.find(join(at, name));
            if (it == h.keys.end()) {
                if (!create) return reg::fileNotFound;
                if (locked || !(h.target.access & reg::createSubKey)) return reg::accessDenied;
                it = h.keys.try_emplace(join(at, name)).first;
                created = true;
            }
            at = it->first;
        }
        if ((access & writeRights) && locked) return reg::accessDenied;
        if (created)
            if (auto rc = h.save(); rc != reg::ok) return rc;
        result = remember(Target{at, access});
        return reg::ok;
    }

    RegKey remember(Target t) {
        auto handle = nextHandle_;
        nextHandle_ += 4;
        open_.emplace(handle, std::move(t));
        return adopt(handle);
    }

    void close(std::intptr_t handle) noexcept override { open_.erase(handle); }

    fs::path file_;
    std::map<std::intptr_t, Target> open_;
    std::intptr_t nextHandle_ = 0x40;
};

}  // namespace

std::filesystem::path posix::registryFile(const Options& options) {
    return prefixRoot(options.root) / "registry.txt";
}

std::unique_ptr<Registry> makeRegistry(const Options& options) { return std::make_unique<PosixRegistry>(options); }

}  // namespace orr::platform
