// The registry service over the store of registry_store.h. Open handles
// name a root and a key path and are looked up again in the file by every
// request; nothing else is kept between requests. No remote computer can
// be reached.
#include "platform/registry.h"
#include "platform/services.h"
#include "drive_map.h"
#include "registry_store.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace orr::platform {
namespace {

using store::HiveFile;
using store::RegNode;

// Rights that a key in a read-only file does not grant: set value, create
// subkey, create link, delete, write DAC, write owner, generic write and all.
constexpr std::uint32_t writeRights = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000;
constexpr std::uint32_t deleteRight = 0x10000;
constexpr std::uint32_t maxValueName = 16383;
constexpr const char* kWow64Node = "WOW6432Node";

// A root's tree as read for one request, with the key a handle names.
struct Target {
    std::uint32_t root = 0;
    std::vector<std::string> path;  // below the root
    std::uint32_t access = 0;
    bool predefined = false;
};

class PosixRegistry final : public Registry {
public:
    explicit PosixRegistry(std::filesystem::path folder) : folder_(std::move(folder)) {}

    std::int32_t connect(std::string_view computer, std::uint32_t predefined,
                         RegKey& result) override {
        result = RegKey();
        if (!computer.empty()) return reg::badNetPath;
        if (!store::placeOf(predefined)) return reg::invalidHandle;
        result = remember(Target{predefined, {}, reg::allAccess, false});
        return reg::ok;
    }

    std::int32_t open(const RegKey& parent, std::string_view path, std::uint32_t access,
                      RegKey& result) override {
        result = RegKey();
        Request rq(*this);
        std::vector<std::string> names;
        if (auto rc = rq.start(parent); rc != reg::ok) return rc;
        if (auto rc = store::splitKeyPath(path, names); rc != reg::ok) return rc;
        if ((access & reg::view32) && (access & reg::view64)) return reg::invalidParameter;
        RegNode* node = rq.rootNode;
        std::vector<std::string> full;
        for (const auto& n : inView(rq.target, names, access)) {
            node = node->child(n);
            if (!node) return reg::fileNotFound;
            full.push_back(node->name);
        }
        if ((access & writeRights) && rq.file.readOnly()) return reg::accessDenied;
        result = remember(Target{rq.target.root, std::move(full), access, false});
        return reg::ok;
    }

    std::int32_t queryValue(const RegKey& key, std::string_view name, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& size) override {
        Request rq(*this);
        if (auto rc = rq.start(key, reg::queryValue); rc != reg::ok) return rc;
        const store::RegValue* v = rq.node->value(name);
        if (!v) return reg::fileNotFound;
        type = v->type;
        auto needed = static_cast<std::uint32_t>(v->data.size());
        if (data && size < needed) {
            size = needed;
            return reg::moreData;
        }
        if (data && needed) std::memcpy(data, v->data.data(), needed);
        size = needed;
        return reg::ok;
    }

    std::int32_t setValue(const RegKey& key, std::string_view name, std::uint32_t type,
                          const unsigned char* data, std::uint32_t size) override {
        Request rq(*this);
        if (auto rc = rq.start(key, reg::setValue); rc != reg::ok) return rc;
        if (name.size() > maxValueName || (!data && size)) return reg::invalidParameter;
        std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
        if (store::RegValue* v = rq.node->value(name)) {
            v->type = type;
            v->data = std::move(bytes);
        } else {
            rq.node->values.push_back({std::string(name), type, std::move(bytes)});
        }
        return rq.save();
    }

    std::int32_t enumKey(const RegKey& key, std::uint32_t index, char* name,
                         std::uint32_t& nameSize) override {
        Request rq(*this);
        if (auto rc = rq.start(key, reg::enumerateSubKeys); rc != reg::ok) return rc;
        if (index >= rq.node->subkeys.size()) return reg::noMoreItems;
        return copyName(rq.node->subkeys[index].name, name, nameSize);
    }

    std::int32_t enumValue(const RegKey& key, std::uint32_t index, char* name,
                           std::uint32_t& nameSize) override {
        Request rq(*this);
        if (auto rc = rq.start(key, reg::queryValue); rc != reg::ok) return rc;
        if (index >= rq.node->values.size()) return reg::noMoreItems;
        return copyName(rq.node->values[index].name, name, nameSize);
    }

    std::int32_t createKey(const RegKey& parent, std::string_view path, std::uint32_t access,
                           RegKey& result) override {
        result = RegKey();
        Request rq(*this);
        std::vector<std::string> names;
        if (auto rc = rq.start(parent); rc != reg::ok) return rc;
        if (auto rc = store::splitKeyPath(path, names); rc != reg::ok) return rc;
        if ((access & reg::view32) && (access & reg::view64)) return reg::invalidParameter;
        bool readOnly = rq.file.readOnly();
        RegNode* node = rq.rootNode;
        std::vector<std::string> full;
        bool created = false;
        for (const auto& n : inView(rq.target, names, access)) {
            RegNode* next = node->child(n);
            if (!next) {
                if (readOnly || !(rq.target.access & reg::createSubKey)) return reg::accessDenied;
                next = &node->addChild(n);
                created = true;
            }
            node = next;
            full.push_back(node->name);
        }
        if ((access & writeRights) && readOnly) return reg::accessDenied;
        if (created)
            if (auto rc = rq.save(); rc != reg::ok) return rc;
        result = remember(Target{rq.target.root, std::move(full), access, false});
        return reg::ok;
    }

    std::int32_t deleteKey(const RegKey& parent, std::string_view path) override {
        Request rq(*this);
        std::vector<std::string> names;
        if (auto rc = rq.start(parent); rc != reg::ok) return rc;
        if (auto rc = store::splitKeyPath(path, names); rc != reg::ok) return rc;
        // An empty path deletes the parent itself; a root cannot go.
        if (names.empty() && rq.target.predefined) return reg::accessDenied;
        std::vector<std::string> full = rq.target.path;
        full.insert(full.end(), names.begin(), names.end());
        if (full.empty()) return reg::accessDenied;
        RegNode* owner = rq.rootNode;
        for (std::size_t i = 0; i + 1 < full.size() && owner; ++i) owner = owner->child(full[i]);
        RegNode* node = owner ? owner->child(full.back()) : nullptr;
        if (!node) return names.empty() ? reg::keyDeleted : reg::fileNotFound;
        if (!node->subkeys.empty() || rq.file.readOnly()) return reg::accessDenied;
        if (names.empty() && !(rq.target.access & deleteRight)) return reg::accessDenied;
        owner->subkeys.erase(owner->subkeys.begin() + (node - owner->subkeys.data()));
        return rq.save();
    }

    std::int32_t deleteValue(const RegKey& key, std::string_view name) override {
        Request rq(*this);
        if (auto rc = rq.start(key, reg::setValue); rc != reg::ok) return rc;
        auto& values = rq.node->values;
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (store::sameName(it->name, name)) {
                values.erase(it);
                return rq.save();
            }
        }
        return reg::fileNotFound;
    }

private:
    // One request: the handle's target, its root's file read afresh, and
    // the key the handle names within it.
    struct Request {
        explicit Request(PosixRegistry& r) : self(r) {}

        std::int32_t start(const RegKey& key, std::uint32_t right = 0) {
            if (!self.lookup(key, target)) return reg::invalidHandle;
            place = *store::placeOf(target.root);
            file = HiveFile(self.folder_ / place.fileName);
            if (auto rc = file.load(tree); rc != reg::ok) return rc;
            if (file.readOnly()) target.access &= ~writeRights;
            // The key a root stands for exists whether or not the file has it yet.
            rootNode = &tree;
            for (const auto& n : place.prefix) {
                RegNode* next = rootNode->child(n);
                rootNode = next ? next : &rootNode->addChild(n);
            }
            node = rootNode;
            for (const auto& n : target.path) {
                node = node->child(n);
                if (!node) return reg::keyDeleted;
            }
            if (right && !(target.access & right)) return reg::accessDenied;
            return reg::ok;
        }

        std::int32_t save() {
            if (file.readOnly()) return reg::accessDenied;
            return file.save(tree, place.rootName);
        }

        PosixRegistry& self;
        Target target;
        store::RootPlace place;
        HiveFile file{{}};
        RegNode tree;
        RegNode* rootNode = nullptr;
        RegNode* node = nullptr;
    };

    // The key path below the root that `names` below `parent` name in the
    // view the access asks for: as a 64-bit program sees it, the 32-bit
    // view of HKEY_LOCAL_MACHINE\SOFTWARE is its subkey WOW6432Node.
    static std::vector<std::string> inView(const Target& parent, const std::vector<std::string>& names,
                                           std::uint32_t access) {
        std::vector<std::string> full = parent.path;
        full.insert(full.end(), names.begin(), names.end());
        if (parent.root == reg::localMachine && (access & reg::view32) && !full.empty() &&
            store::sameName(full[0], "SOFTWARE") && !(full.size() > 1 && store::sameName(full[1], kWow64Node)))
            full.insert(full.begin() + 1, kWow64Node);
        return full;
    }

    bool lookup(const RegKey& key, Target& out) const {
        auto h = key.handle();
        auto root = static_cast<std::uint32_t>(h);
        if (h == RegKey::predefined(root).handle() && store::placeOf(root)) {
            out = Target{root, {}, reg::allAccess, true};
            return true;
        }
        auto it = open_.find(h);
        if (it == open_.end()) return false;
        out = it->second;
        return true;
    }

    RegKey remember(Target t) {
        auto h = nextHandle_;
        nextHandle_ += 4;
        open_.emplace(h, std::move(t));
        return adopt(h);
    }

    static std::int32_t copyName(const std::string& n, char* name, std::uint32_t& nameSize) {
        if (n.size() >= nameSize) return reg::moreData;
        std::memcpy(name, n.c_str(), n.size() + 1);
        nameSize = static_cast<std::uint32_t>(n.size());
        return reg::ok;
    }

    void close(std::intptr_t handle) noexcept override { open_.erase(handle); }

    std::filesystem::path folder_;
    std::map<std::intptr_t, Target> open_;
    std::intptr_t nextHandle_ = 0x40;
};

}  // namespace

std::unique_ptr<Registry> makeRegistry(const Options& options) {
    return std::make_unique<PosixRegistry>(store::storeFolder(posix::prefixRoot(options.root)));
}

}  // namespace orr::platform
