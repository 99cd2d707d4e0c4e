// The shell's folder copy, done here: the listing first, then each folder
// and file in order, with the shell's messages for a refused or failed copy.
// Straight on the host when the file-system service is this tree's own.
#include "platform/shell_copy.h"

#include "copy_trees.h"
#include "host_paths.h"

#include <chrono>

namespace orr::platform {
namespace {

using posix::CopyItem;
using posix::CopyTrees;
using Clock = std::chrono::steady_clock;

// Without a progress display, pending events run this often.
constexpr auto kEventInterval = std::chrono::milliseconds(100);

// The platform's text for each outcome.
std::string reasonText(Status s) {
    switch (s) {
    case Status::ok: return {};
    case Status::fileNotFound: return "The system cannot find the file specified.";
    case Status::pathNotFound: return "The system cannot find the path specified.";
    case Status::accessDenied: return "Access is denied.";
    case Status::alreadyExists: return "Cannot create a file when that file already exists.";
    case Status::notEmpty: return "The directory is not empty.";
    case Status::invalidName:
        return "The filename, directory name, or volume label syntax is incorrect.";
    case Status::sharingViolation:
        return "The process cannot access the file because it is being used by another process.";
    case Status::diskFull: return "There is not enough space on the disk.";
    case Status::ioError:
        return "The request could not be performed because of an I/O device error.";
    }
    return {};
}

class TreeCopy final : public ShellCopy {
public:
    TreeCopy(FileSystem& files, MessageBoxes& messages, EventPump& events, CopyProgress* progress)
        : files_(files), messages_(messages), events_(events), progress_(progress) {}

    void copyFolder(std::string_view source, std::string_view destination) override {
        const std::string from(source), to(destination);
        const std::string name = lastLevel(from);
        const std::unique_ptr<CopyTrees> trees = open(from, to);
        if (!trees) return;

        if (Status s = trees->scan(); s != Status::ok) return failed(*trees, name, s);
        if (Status s = trees->makeLanding(); s != Status::ok) return failed(*trees, name, s);
        run(*trees, from, to, name);
    }

private:
    // The two sides; nothing (after the message) when a path cannot be mapped.
    std::unique_ptr<CopyTrees> open(const std::string& from, const std::string& to) {
        auto* host = dynamic_cast<posix::HostPaths*>(&files_);
        if (!host) return posix::serviceTrees(files_, from, to);
        const posix::HostPath source = host->hostPath(from);
        const posix::HostPath destination = host->hostPath(to);
        const posix::HostPath inside = host->hostPath(to + "\\" + lastLevel(from));
        for (const auto* h : {&source, &destination, &inside}) {
            if (h->status != Status::ok) {
                refuse(lastLevel(from), reasonText(h->status));
                return nullptr;
            }
        }
        return posix::hostTrees(source.path, destination.path, inside.path);
    }

    void run(CopyTrees& trees, const std::string& from, const std::string& to, const std::string& name) {
        std::uint64_t files = 0, bytes = 0;
        for (const CopyItem& item : trees.items) {
            if (!item.folder) {
                ++files;
                bytes += item.bytes;
            }
        }
        if (progress_)
            progress_->begin(from, to, files, bytes);
        else
            events_.process();
        auto lastEvents = Clock::now();

        std::uint64_t filesDone = 0, bytesDone = 0;
        for (std::size_t i = 0; i < trees.items.size(); ++i) {
            const CopyItem& item = trees.items[i];
            const Status s = item.folder ? trees.makeFolder(i) : trees.copyFile(i);
            if (s != Status::ok) {
                if (progress_) progress_->end();
                return failed(trees, name, s);
            }
            if (item.folder) continue;
            ++filesDone;
            bytesDone += item.bytes;
            if (progress_) {
                if (!progress_->advance(sourcePath(trees, from, i), filesDone, bytesDone)) break;
            } else if (Clock::now() - lastEvents >= kEventInterval) {
                events_.process();
                lastEvents = Clock::now();
            }
        }
        if (progress_) progress_->end();
    }

    // The Windows path of item `i` in the source.
    static std::string sourcePath(const CopyTrees& trees, const std::string& from, std::size_t i) {
        std::string relative;
        for (std::size_t at = i; at != CopyItem::top; at = trees.items[at].parent)
            relative.insert(0, "\\" + trees.items[at].name);
        return from + relative;
    }

    void failed(const CopyTrees& trees, const std::string& name, Status s) {
        refuse(trees.failedName.empty() ? name : trees.failedName, reasonText(s));
    }

    void refuse(const std::string& name, const std::string& reason) {
        messages_.show(copyFailureText(name, reason), kCopyErrorCaption);
    }

    FileSystem& files_;
    MessageBoxes& messages_;
    EventPump& events_;
    CopyProgress* progress_;
};

}  // namespace

std::unique_ptr<ShellCopy> makeShellCopy(FileSystem& files, MessageBoxes& messages, EventPump& events,
                                         CopyProgress* progress) {
    return std::make_unique<TreeCopy>(files, messages, events, progress);
}

}  // namespace orr::platform
