#include "RestoreRun.h"

#include "gamedata/BackupCheck.h"
#include "gamedata/Descriptor.h"

#include <cstdio>
#include <tuple>

namespace orr {

namespace {

// "C:\...\The Sims\Orrindale Undo\2026.12.07 15.30.00", made unique: a
// second restore within the same second keeps its files apart.
std::string keepFolderFor(platform::Services& services, const std::string& game) {
    const platform::DateTime t = services.clock.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d.%02d.%02d %02d.%02d.%02d", t.year % 10000, t.month % 100, t.day % 100,
                  t.hour % 100, t.minute % 100, t.second % 100);
    const std::string base = game + "\\Orrindale Undo\\" + stamp;
    std::string folder = base;
    for (int n = 2; services.files.exists(folder); ++n) folder = base + " (" + std::to_string(n) + ")";
    return folder;
}

// Removes `folder` and the folders below it when they hold no file: the
// levels a keep made for a file that then was not replaced.
bool removeIfEmpty(platform::FileSystem& files, const std::string& folder) {
    bool empty = true;
    for (const auto& e : files.list(folder + "\\*.*")) {
        if (!(e.attributes & platform::attr::directory) || !removeIfEmpty(files, folder + "\\" + e.name)) empty = false;
    }
    return empty && files.removeDirectory(folder) == platform::Status::ok;
}

// Marks the keep folder as a backup of its own on every way out of the
// run, also when the program ends from inside a copy: the files it holds
// are the only copy of what the game had.
class KeepSeal {
public:
    // An empty `folder`: nothing is kept, nothing marked.
    KeepSeal(platform::Services& services, platform::FolderCopier& copier, std::string folder)
        : services_(services), copier_(copier), folder_(std::move(folder)), done_(folder_.empty()) {}
    ~KeepSeal() {
        if (done_ || !ClsSims::holdsFile(services_.files, folder_)) return;
        try {
            descriptor::seal(services_, copier_, folder_);
        } catch (...) {
            // Unwinding already: the folder stays, only unmarked.
        }
    }
    KeepSeal(const KeepSeal&) = delete;
    KeepSeal& operator=(const KeepSeal&) = delete;
    // Seals now when anything was kept, or clears the empty levels made for
    // it; written when the folder is marked.
    platform::WholeWrite seal(std::uint64_t kept) {
        if (folder_.empty()) return {};
        done_ = true;
        if (kept > 0 || ClsSims::holdsFile(services_.files, folder_)) return descriptor::seal(services_, copier_, folder_);
        if (services_.files.exists(folder_)) {
            removeIfEmpty(services_.files, folder_);
            removeIfEmpty(services_.files, folder_.substr(0, folder_.find_last_of('\\')));
        }
        return {};
    }

private:
    platform::Services& services_;
    platform::FolderCopier& copier_;
    std::string folder_;
    bool done_;
};

}  // namespace

RunResult runRestore(platform::Services& services, platform::FolderCopier& copier, const GameFolder& game,
                     const std::string& backupFolder, const std::vector<std::string>& leaveOut,
                     const std::vector<std::string>& leftOutSets,
                     const std::vector<platform::CopyOutcome::FileDigest>& listed, RunFront& front,
                     const std::atomic<bool>* stop) {
    front.stepOn();
    RunResult result;
    ClsSims sims(services, copier, game, backupFolder, [&front] { front.stepOn(); });
    // One undo folder on each drive written to: the game's, and the
    // user-data home's where the install keeps its user data apart.
    const std::string destination = sims.restoreDestination();
    const std::string gameKeep = destination.empty() ? std::string() : keepFolderFor(services, destination);
    const std::string homeKeep = game.userDataHome.empty() ? std::string() : keepFolderFor(services, game.userDataHome);
    sims.leaveOut(leaveOut);
    sims.leaveOutSets(leftOutSets);
    sims.keepReplacedIn(gameKeep, homeKeep);
    if (stop) sims.stopWhen(*stop);
    KeepSeal gameSeal(services, copier, gameKeep), homeSeal(services, copier, homeKeep);
    result.sets = sims.RestoreSims();
    backupcheck::failChangedFiles(result.sets, listed, backupFolder);
    std::uint64_t gameKept = 0, homeKept = 0;
    for (const auto& c : result.sets.copies)
        (!homeKeep.empty() && c.destination == game.userDataHome ? homeKept : gameKept) += c.outcome.kept;
    for (auto [folder, seal, kept] : {std::tuple{&homeKeep, &homeSeal, homeKept}, std::tuple{&gameKeep, &gameSeal, gameKept}}) {
        const platform::WholeWrite sealed = seal->seal(kept);
        if (kept > 0 || sealed) result.keeps.push_back({*folder, kept, sealed.written, sealed.leftover});
    }
    using Kind = RunResult::Kind;
    if (result.sets.completed()) {
        result.kind = Kind::completed;
        front.completing(result);
        front.stepOn();
    } else {
        result.kind = result.sets.refused() ? Kind::refused : result.sets.cancelled() ? Kind::cancelled : Kind::failed;
    }
    return result;
}

}  // namespace orr
