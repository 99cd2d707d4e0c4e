#include "ClsSims.h"
#include "platform/ascii.h"
#include "platform/copy_io.h"

#include "toolkit/MFile.h"
#include "toolkit/clsFileSystem.h"

#include <algorithm>
#include <cctype>

namespace orr {
namespace attr = platform::attr;

namespace {

// A probe folder made and removed again: whether the user may write into
// `folder`. A restore replaces files there, so a folder that can be made
// but not removed again does not count as writable.
bool mayWriteInto(platform::FileSystem& files, const std::string& folder) {
    const std::string probe = folder + "\\~orrindale-write-test";
    if (!files.exists(probe) && files.makeDirectory(probe) != platform::Status::ok) return false;
    return files.removeDirectory(probe) == platform::Status::ok;
}

}  // namespace

// By its own name only: a backup folder such as "D:\UserData\Sims" does
// not make all its folders user data.
bool ClsSims::isUserData(const std::string& path) {
    return ascii::upper(platform::lastLevel(path)).find("USERDATA") != std::string::npos;
}

std::vector<std::string> ClsSims::gameSets(platform::FileSystem& files, const std::string& game) {
    std::vector<std::string> sets;
    for (const auto& e : files.list(game + "\\*.*"))
        if ((e.attributes & attr::directory) && isUserData(e.name)) sets.push_back(game + "\\" + e.name);
    for (const char* name : {"Downloads", "GameData", "ExpansionShared"})
        if (files.exists(game + "\\" + name)) sets.push_back(game + "\\" + name);
    return sets;
}

bool SetsOutcome::completed() const {
    return !refused() && !stopped && interrupted.empty() && notCopied.empty() &&
           std::all_of(copies.begin(), copies.end(), [](const Copy& c) { return c.outcome.completed(); });
}

bool SetsOutcome::cancelled() const {
    return stopped || std::any_of(copies.begin(), copies.end(), [](const Copy& c) {
        return c.outcome.result == platform::CopyOutcome::Result::cancelled;
    });
}

ClsSims::ClsSims(platform::Services& services, platform::FolderCopier& copier, GameFolder game,
                 std::string backupFolder, std::function<void()> nextStep,
                 std::function<bool(const SetsOutcome&)> beforeFinish)
    : services_(services), copier_(copier), game_(std::move(game)), backupFolder_(std::move(backupFolder)),
      nextStep_(std::move(nextStep)), beforeFinish_(std::move(beforeFinish)) {}

// A failure of the listing or of an attribute query leaves the scan with
// the hourglass still showing; the error ends the run anyway.
std::deque<std::string>& ClsSims::GetSubFolders(const std::string& strFolder) {
    services_.pointer.set(platform::Pointer::hourglass);
    if (!pending_) {
        pending_ = std::make_unique<std::deque<std::string>>();
        pending_->push_back(strFolder);
    }
    const std::string folder = pending_->front();
    pending_->pop_front();

    for (const auto& entry : services_.files.list(folder + "\\*.*")) {
        const std::string path = folder + "\\" + entry.name;
        const auto bits = services_.files.attributes(path);
        if (!bits) throw RunError::fileNotFound();
        if (*bits & attr::directory) pending_->push_back(path);
    }
    services_.pointer.set(platform::Pointer::normal);
    return *pending_;
}

std::string ClsSims::existingVirtualStore() {
    if (game_.virtualStore.empty()) return {};
    return services_.files.isFolder(game_.virtualStore) ? game_.virtualStore : std::string();
}

// Windows reads the VirtualStore copy of a file first: where that folder
// exists, only a file written there is sure to be read. Where the game
// folder may not be written, the game's own writes go there too.
std::string ClsSims::restoreDestination() {
    if (game_.virtualStore.empty()) return game_.folder;
    if (!existingVirtualStore().empty() || !mayWriteInto(services_.files, game_.folder)) return game_.virtualStore;
    return game_.folder;
}

bool ClsSims::holdsFile(platform::FileSystem& files, const std::string& folder) {
    for (const auto& e : files.list(folder + "\\*.*")) {
        if (!(e.attributes & attr::directory)) return true;
        if (!(e.attributes & attr::alias) && holdsFile(files, folder + "\\" + e.name)) return true;
    }
    return false;
}

bool ClsSims::refusedBeforeWriting(Plan& plan, bool needFiles, SetsOutcome& outcome) {
    services_.pointer.set(platform::Pointer::hourglass);
    std::vector<platform::RoomNeed> needs;
    std::vector<platform::CopyOptions*> copies;
    bool anyFile = !needFiles;
    for (Step& step : plan) {
        if (step.kind != Step::Kind::copy) continue;
        needs.push_back(copier_.measure(step.from, step.to, step.options));
        copies.push_back(&step.options);
        anyFile = anyFile || holdsFile(services_.files, step.from);
    }
    services_.pointer.set(platform::Pointer::normal);
    outcome.nothingFound = !anyFile;
    if (!outcome.nothingFound) outcome.room = platform::roomShort(needs);
    platform::RunShare share;
    for (const platform::RoomNeed& n : needs) {
        share.filesTotal += n.files;
        share.bytesTotal += n.bytes;
    }
    for (std::size_t i = 0; i < copies.size(); ++i) {
        share.last = i + 1 == copies.size();
        copies[i]->share = share;
        share.filesBefore += needs[i].files;
        share.bytesBefore += needs[i].bytes;
    }
    return outcome.refused();
}

// Once the run is stopped, cancelled or interrupted, nothing more is
// written: the copies left are named as not copied, and the wizard still
// moves as it would, so that each front end ends where it expects.
void ClsSims::carryOut(const Plan& plan, SetsOutcome& outcome) {
    clsFileSystem fso(services_);
    const auto halted = [&] {
        if (stopRequested()) outcome.stopped = true;
        return outcome.stopped || outcome.cancelled() || !outcome.interrupted.empty();
    };
    for (const Step& step : plan) {
        switch (step.kind) {
        case Step::Kind::copy:
            if (halted()) outcome.notCopied.push_back(step.from);
            else
                outcome.copies.push_back(
                    {step.from, MFile::CopyFolder(services_, copier_, step.from, step.to, step.options), step.to});
            break;
        case Step::Kind::makeFolder:
            if (!halted()) fso.MakeDIR(step.to);
            break;
        case Step::Kind::makeFolders:
            if (halted()) break;
            try {
                fso.CreateDirectoryStruct(step.to);
            } catch (const RunError&) {
                // The system's reason differs between systems for the same
                // cause; the message says what to check instead.
                outcome.interrupted = "The folder " + step.to + " could not be made.";
            }
            break;
        case Step::Kind::next: nextStep_(); break;
        case Step::Kind::finish:
            // Deliberate: Finish, with its "complete", only for a backup that is.
            if (!beforeFinish_ || beforeFinish_(outcome)) nextStep_();
            break;
        }
    }
}

std::string ClsSims::userDataDestination() {
    if (!game_.userDataHome.empty()) return game_.userDataHome;
    const std::string game = restoreDestination();
    return game == game_.folder ? game_.userDataFolder : game;
}

SetsOutcome ClsSims::BackupSims() {
    clsFileSystem fso(services_);
    SetsOutcome outcome;
    // Whatever front end checked the folder, the run checks again as it
    // starts, by where the folders really are: a backup never writes into
    // the game, not even through a mapped drive or a link onto it.
    for (const std::string& folder : game_.folders())
        if (platform::liesWithin(services_.files, backupFolder_, folder)) {
            outcome.intoGame = folder;
            return outcome;
        }
    Plan plan;
    const auto copy = [&](const std::string& from, const std::string& to) {
        plan.push_back({Step::Kind::copy, from, to, options_});
    };
    const std::string game = game_.folder;
    // The game's redirected writes: its user-data folders too, where they
    // live in the game folder.
    const std::string store = existingVirtualStore();
    const std::string userStore = game_.userDataHome.empty() ? store : std::string();
    // A set of the game: the game folder's, then the VirtualStore's over it.
    auto copySet = [&](const std::string& name) {
        if (game.empty()) return;  // user data only
        if (fso.FileExist(game + "\\" + name)) copy(game + "\\" + name, backupFolder_);
        if (!store.empty() && fso.FileExist(store + "\\" + name)) copy(store + "\\" + name, backupFolder_);
    };

    try {
        // Hidden and system user-data folders are the player's too: copied
        // like the others, their attributes kept.
        std::vector<std::string> userData;
        for (const auto& folder : GetSubFolders(game_.userDataSource())) {
            if (!isUserData(folder)) continue;
            copy(folder, backupFolder_);
            userData.push_back(platform::lastLevel(folder));
            if (!userStore.empty() && fso.FileExist(userStore + "\\" + userData.back()))
                copy(userStore + "\\" + userData.back(), backupFolder_);
        }
        // User-data folders that only the game's redirected writes made.
        if (!userStore.empty()) {
            for (const auto& e : services_.files.list(userStore + "\\*.*")) {
                if (!(e.attributes & attr::directory)) continue;
                const bool known = std::any_of(userData.begin(), userData.end(),
                                               [&](const std::string& n) { return ascii::equal(n, e.name); });
                if (isUserData(e.name) && !known) copy(userStore + "\\" + e.name, backupFolder_);
            }
        }
    } catch (const RunError&) {
        services_.pointer.set(platform::Pointer::normal);
        outcome.interrupted = "The folder " + game_.userDataSource() + " could not be read.";
        return outcome;
    }

    copySet("Downloads");
    // Always made, so that every backup holds a GameData folder.
    plan.push_back({Step::Kind::makeFolder, {}, backupFolder_ + "\\GameData", {}});
    copySet("GameData");
    plan.push_back({Step::Kind::next, {}, {}, {}});
    plan.push_back({Step::Kind::makeFolder, {}, backupFolder_ + "\\ExpansionShared", {}});
    copySet("ExpansionShared");
    plan.push_back({Step::Kind::finish, {}, {}, {}});

    if (!refusedBeforeWriting(plan, true, outcome)) carryOut(plan, outcome);
    return outcome;
}

// Deliberate: GameData and SkinsBuy are copied only when the backup holds
// them. The copy makes a missing source first, which would write into the
// backup folder (and fail on read-only media); a restore never writes there.
SetsOutcome ClsSims::RestoreSims() {
    clsFileSystem fso(services_);
    SetsOutcome outcome;
    Plan plan;
    const std::string game = restoreDestination();
    const std::string userData = userDataDestination();
    auto copy = [&](const std::string& from, const std::string& to) {
        const std::string set = from.substr(backupFolder_.size() + 1);
        if (std::any_of(leftOutSets_.begin(), leftOutSets_.end(), [&](const std::string& s) { return ascii::equal(s, set); }))
            return;
        platform::CopyOptions options = options_;
        // Each replaced file keeps its path below the folder written to
        // (every destination lies in it, spelt with as many characters).
        const bool home = !game_.userDataHome.empty() && to == userData;
        const std::string& keep = home ? userDataKeepRoot_ : keepRoot_;
        if (!keep.empty())
            options.keepReplacedIn = keep + (to + "\\" + platform::lastLevel(from)).substr((home ? to : game).size());
        plan.push_back({Step::Kind::copy, from, to, std::move(options)});
    };
    const std::string expansionShared = game + "\\ExpansionShared";
    const std::string gameSkinsBuy = expansionShared + "\\SkinsBuy";

    try {
        for (const auto& folder : GetSubFolders(backupFolder_))
            if (isUserData(folder)) copy(folder, userData);
    } catch (const RunError&) {
        services_.pointer.set(platform::Pointer::normal);
        outcome.interrupted = "The folder " + backupFolder_ + " could not be read.";
        return outcome;
    }

    // An install without a game folder takes the user data alone.
    const bool hasGame = !game.empty();
    const std::string downloads = backupFolder_ + "\\Downloads";
    if (hasGame && fso.FileExist(downloads)) copy(downloads, game);
    plan.push_back({Step::Kind::next, {}, {}, {}});

    const std::string gameData = backupFolder_ + "\\GameData";
    if (hasGame && fso.FileExist(gameData)) copy(gameData, game);

    // The game's SkinsBuy is made whether or not the backup has one.
    if (hasGame) plan.push_back({Step::Kind::makeFolders, {}, gameSkinsBuy, {}});
    const std::string skinsBuy = backupFolder_ + "\\ExpansionShared\\SkinsBuy";
    if (hasGame && fso.FileExist(skinsBuy)) copy(skinsBuy, expansionShared);

    if (!refusedBeforeWriting(plan, false, outcome)) carryOut(plan, outcome);
    return outcome;
}

}  // namespace orr
