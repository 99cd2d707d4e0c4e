// The folder copy through a file-system service, for a service that is not
// this tree's own (one that records or filters what passes through it).
// Slower than the host copy: every request resolves its whole path.
#include "copy_trees.h"
#include "platform/shell_copy.h"

namespace orr::platform::posix {
namespace {

class ServiceTrees final : public CopyTrees {
public:
    ServiceTrees(FileSystem& files, std::string source, std::string destination)
        : files_(files), source_(std::move(source)), destination_(std::move(destination)) {}

    Status scan() override {
        items.clear();
        paths_.clear();
        const auto bits = files_.attributes(source_);
        if (!bits) return fail("", Status::fileNotFound);
        if (!(*bits & attr::directory)) return fail("", Status::pathNotFound);
        return scanFolder(source_, CopyItem::top);
    }

    Status makeLanding() override {
        const auto bits = files_.attributes(destination_);
        if (bits && (*bits & attr::directory)) {
            landing_ = destination_ + '\\' + lastLevel(source_);
            return makeTarget(landing_, "");
        }
        if (bits) return fail("", Status::accessDenied);
        if (Status s = makeFolderLevels(files_, destination_); s != Status::ok) return fail("", s);
        landing_ = destination_ + '\\' + lastLevel(source_);
        return makeTarget(landing_, "");
    }

    Status makeFolder(std::size_t i) override { return makeTarget(target(i), items[i].name); }

    Status copyFile(std::size_t i) override {
        const std::string to = target(i);
        // The service refuses to replace a read-only, hidden or system file.
        if (auto bits = files_.attributes(to);
            bits && !(*bits & attr::directory) && (*bits & (attr::readOnly | attr::hidden | attr::system)))
            files_.setAttributes(to, 0);
        if (Status s = files_.copyFile(paths_[i], to); s != Status::ok) return fail(items[i].name, s);
        return Status::ok;
    }

private:
    Status fail(const std::string& name, Status s) {
        failedName = name;
        return s;
    }

    std::string target(std::size_t i) const {
        std::string path = landing_ + paths_[i].substr(source_.size());
        return path;
    }

    Status scanFolder(const std::string& folder, std::size_t parent) {
        std::vector<DirEntry> entries;
        try {
            entries = files_.list(folder + "\\*.*");
        } catch (const RunError&) {
            return fail(parent == CopyItem::top ? "" : items[parent].name, Status::accessDenied);
        }
        for (auto& e : entries) {
            const std::size_t index = items.size();
            const bool isFolder = (e.attributes & attr::directory) != 0;
            std::string path = folder + '\\' + e.name;
            const auto bytes = isFolder ? std::optional<std::uint64_t>(0) : files_.size(path);
            if (!bytes) continue;  // listed but not there to read (a dangling link)
            items.push_back({parent, e.name, isFolder, *bytes});
            paths_.push_back(path);
            if (isFolder)
                if (Status s = scanFolder(path, index); s != Status::ok) return s;
        }
        return Status::ok;
    }

    Status makeTarget(const std::string& path, const std::string& name) {
        if (auto bits = files_.attributes(path)) {
            return (*bits & attr::directory) ? Status::ok : fail(name, Status::accessDenied);
        }
        if (Status s = files_.makeDirectory(path); s != Status::ok) return fail(name, s);
        return Status::ok;
    }

    FileSystem& files_;
    std::string source_, destination_, landing_;
    std::vector<std::string> paths_;  // per item: its Windows path in the source
};

}  // namespace

std::unique_ptr<CopyTrees> serviceTrees(FileSystem& files, std::string source, std::string destination) {
    return std::make_unique<ServiceTrees>(files, std::move(source), std::move(destination));
}

}  // namespace orr::platform::posix
