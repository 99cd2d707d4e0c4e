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
// The predefined roots and the keys they stand for.
constexpr std::pair<std::uint32_t, const char*> roots[] = {
    {reg::classesRoot, "HKEY_LOCAL_MACHINE\\Software\\Classes"},
    {reg::currentUser, "HKEY_CURRENT_USER"},
    {reg::localMachine, "HKEY_LOCAL_MACHINE"},
    {reg::users, "HKEY_USERS"},
    {reg::currentConfig, "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current"}};

std::optional<std::string> keyOf(std::uint32_t root) {
    for (const auto& [r, key] : roots)
        if (r == root) return key;
    return std::nullopt;
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
using Values = std::vector<Value>;

// What a handle names.
struct Target {
    std::string path;
    std::uint32_t access = 0;
};

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

class PosixRegistry final : public Registry {
public:
    explicit PosixRegistry(const Options& options) : file_(posix::registryFile(options)) {}

    std::int32_t connect(std::string_view computer, std::uint32_t root, RegKey& result) override {
        result = RegKey();
        if (!computer.empty()) return reg::badNetPath;
        return keyOf(root) ? open(RegKey::predefined(root), "", reg::allAccess, result) : reg::invalidHandle;
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
        if (auto rc = start(key, reg::queryValue); rc != reg::ok) return rc;
        const auto v = value(name);
        if (v == key_->second.end()) return reg::fileNotFound;
        type = v->type;
        const auto needed = static_cast<std::uint32_t>(v->data.size());
        const bool fits = !data || size >= needed;
        if (data && fits && needed) std::memcpy(data, v->data.data(), needed);
        size = needed;
        return fits ? reg::ok : reg::moreData;
    }

    std::int32_t setValue(const RegKey& key, std::string_view name, std::uint32_t type, const unsigned char* data,
                          std::uint32_t size) override {
        if (auto rc = start(key, reg::setValue); rc != reg::ok) return rc;
        if (name.size() > maxValueName || (!data && size)) return reg::invalidParameter;
        std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
        if (const auto v = value(name); v != key_->second.end())
            *v = {v->name, type, std::move(bytes)};
        else
            key_->second.push_back({std::string(name), type, std::move(bytes)});
        return save();
    }

    std::int32_t enumKey(const RegKey& key, std::uint32_t index, char* name, std::uint32_t& nameSize) override {
        return enumerate(key, true, index, name, nameSize);
    }

    std::int32_t enumValue(const RegKey& key, std::uint32_t index, char* name, std::uint32_t& nameSize) override {
        return enumerate(key, false, index, name, nameSize);
    }

    std::int32_t deleteKey(const RegKey& parent, std::string_view path) override {
        std::vector<std::string> names;
        if (auto rc = start(parent); rc != reg::ok) return rc;
        if (auto rc = appendPath(path, names); rc != reg::ok) return rc;
        std::string full = target_.path;
        for (const auto& n : names) full = join(full, n);
        // An empty path deletes the parent itself; a root's key cannot go.
        if (std::any_of(std::begin(roots), std::end(roots), [&](auto r) { return ascii::equal(r.second, full); }))
            return reg::accessDenied;
        key_ = keys_.find(full);
        if (key_ == keys_.end()) return names.empty() ? reg::keyDeleted : reg::fileNotFound;
        if (!children().empty() || readOnly()) return reg::accessDenied;
        if (names.empty() && !(target_.access & deleteRight)) return reg::accessDenied;
        keys_.erase(key_);
        return save();
    }

    std::int32_t deleteValue(const RegKey& key, std::string_view name) override {
        if (auto rc = start(key, reg::setValue); rc != reg::ok) return rc;
        const auto v = value(name);
        if (v == key_->second.end()) return reg::fileNotFound;
        key_->second.erase(v);
        return save();
    }

private:
    // Reads the file afresh for a request on `handle` that needs `right`:
    // keys_, and target_ and key_ for the handle.
    std::int32_t start(const RegKey& handle, std::uint32_t right = 0) {
        const auto root = static_cast<std::uint32_t>(handle.handle());
        if (handle.handle() == RegKey::predefined(root).handle() && keyOf(root))
            target_ = Target{*keyOf(root), reg::allAccess};
        else if (auto it = open_.find(handle.handle()); it != open_.end())
            target_ = it->second;
        else
            return reg::invalidHandle;
        if (auto rc = load(); rc != reg::ok) return rc;
        if (readOnly()) target_.access &= ~writeRights;
        key_ = keys_.find(target_.path);
        if (key_ == keys_.end()) return reg::keyDeleted;
        return right && !(target_.access & right) ? reg::accessDenied : reg::ok;
    }

    // Returns ok or badDb. The roots' keys exist whether or not the file has them.
    std::int32_t load() {
        keys_.clear();
        for (const auto& [root, key] : roots) {
            std::vector<std::string> names;
            appendPath(key, names);
            std::string at;
            for (const auto& n : names) keys_.try_emplace(at = join(at, n));
        }
        std::ifstream in(file_, std::ios::binary);
        std::error_code ec;
        if (!in) return fs::exists(file_, ec) ? reg::badDb : reg::ok;
        for (std::string word, path; in >> word >> std::quoted(path);) {
            Value v;
            if (word == "key" && keys_.count(path.substr(0, std::min(path.rfind('\\'), path.size()))))
                keys_.try_emplace(path);
            else if (word == "value" && keys_.count(path) && in >> std::quoted(v.name) >> v.type >> std::quoted(v.data))
                keys_[path].push_back(std::move(v));
            else
                return reg::badDb;
        }
        return in.eof() ? reg::ok : reg::badDb;
    }

    // Replaces the file whole, through a file beside it renamed over it, so
    // a reader never sees half a file.
    std::int32_t save() {
        if (readOnly()) return reg::accessDenied;
        std::error_code ec;
        fs::create_directories(file_.parent_path(), ec);
        auto temp = fs::path(file_) += ".new";
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const auto& [path, values] : keys_) {
            out << "key " << std::quoted(path) << '\n';
            for (const auto& v : values)
                out << "value " << std::quoted(path) << ' ' << std::quoted(v.name) << ' ' << v.type << ' '
                    << std::quoted(v.data) << '\n';
        }
        out.close();
        if (out) fs::rename(temp, file_, ec);
        if (out && !ec) return reg::ok;
        std::error_code ignored;  // the rename's failure is the one to report
        fs::remove(temp, ignored);
        return reg::cantWrite;
    }

    // The permission bits, not an access check: they decide also for root.
    bool readOnly() const {
        std::error_code ec;
        const auto st = fs::status(file_, ec);
        return fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
    }

    // Copies the name of key_'s `index`th subkey, or value.
    std::int32_t enumerate(const RegKey& key, bool subkeys, std::uint32_t index, char* name, std::uint32_t& size) {
        if (auto rc = start(key, subkeys ? reg::enumerateSubKeys : reg::queryValue); rc != reg::ok) return rc;
        std::vector<std::string_view> names = subkeys ? children() : std::vector<std::string_view>();
        if (!subkeys)
            for (const auto& v : key_->second) names.push_back(v.name);
        if (index >= names.size()) return reg::noMoreItems;
        if (names[index].size() >= size) return reg::moreData;
        std::memcpy(name, names[index].data(), names[index].size());
        name[names[index].size()] = '\0';
        size = static_cast<std::uint32_t>(names[index].size());
        return reg::ok;
    }

    Values::iterator value(std::string_view name) {
        return std::find_if(key_->second.begin(), key_->second.end(),
                            [&](const Value& v) { return ascii::equal(v.name, name); });
    }

    // key_'s subkeys, in the platform's order.
    std::vector<std::string_view> children() const {
        std::vector<std::string_view> out;
        const std::string below = key_->first + '\\';
        for (auto it = keys_.lower_bound(below); it != keys_.end(); ++it) {
            if (!ascii::equal(std::string_view(it->first).substr(0, below.size()), below)) break;
            if (it->first.find('\\', below.size()) == std::string::npos)
                out.push_back(std::string_view(it->first).substr(below.size()));
        }
        return out;
    }

    std::int32_t openOrCreate(const RegKey& parent, std::string_view path, std::uint32_t access, RegKey& result,
                              bool create) {
        result = RegKey();
        std::vector<std::string> names;
        if (auto rc = start(parent); rc != reg::ok) return rc;
        appendPath(target_.path, names);
        if (auto rc = appendPath(path, names); rc != reg::ok) return rc;
        if ((access & reg::view32) && (access & reg::view64)) return reg::invalidParameter;
        // As a 64-bit program sees it, the 32-bit view of
        // HKEY_LOCAL_MACHINE\SOFTWARE is its subkey WOW6432Node.
        if ((access & reg::view32) && names.size() > 1 && names[0] == "HKEY_LOCAL_MACHINE" &&
            ascii::equal(names[1], "SOFTWARE") && !(names.size() > 2 && ascii::equal(names[2], "WOW6432Node")))
            names.insert(names.begin() + 2, "WOW6432Node");
        const bool locked = readOnly();
        bool created = false;
        std::string at;
        for (const auto& name : names) {
            auto it = keys_.find(join(at, name));
            if (it == keys_.end()) {
                if (!create) return reg::fileNotFound;
                if (locked || !(target_.access & reg::createSubKey)) return reg::accessDenied;
                it = keys_.try_emplace(join(at, name)).first;
                created = true;
            }
            at = it->first;
        }
        if ((access & writeRights) && locked) return reg::accessDenied;
        if (created)
            if (auto rc = save(); rc != reg::ok) return rc;
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
    // The request's state (start): every key by its path, a key's parents
    // always present; the handle's target and its key.
    std::map<std::string, Values, NoCase> keys_;
    Target target_;
    std::map<std::string, Values, NoCase>::iterator key_;
};

}  // namespace

std::filesystem::path posix::registryFile(const Options& options) { return prefixRoot(options.root) / "registry.txt"; }

std::unique_ptr<Registry> makeRegistry(const Options& options) { return std::make_unique<PosixRegistry>(options); }

}  // namespace orr::platform
