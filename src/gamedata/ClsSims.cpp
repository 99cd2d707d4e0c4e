#include "ClsSims.h"

#include "toolkit/MFile.h"
#include "toolkit/clsFileSystem.h"

#include <algorithm>
#include <cctype>

namespace orr {
namespace attr = platform::attr;

namespace {

// The game folder as the destination of the user-data restores: the same
// folder in other letter case (paths are case-insensitive).
constexpr const char* kGameFolderLower = "c:\\program files\\Maxis\\The Sims";
constexpr const char* kDownloads = "C:\\Program Files\\Maxis\\The Sims\\Downloads";
constexpr const char* kGameData = "C:\\Program Files\\Maxis\\The Sims\\GameData";
constexpr const char* kExpansionShared = "C:\\Program Files\\Maxis\\The Sims\\ExpansionShared";
constexpr const char* kSkinsBuy = "C:\\Program Files\\Maxis\\The Sims\\ExpansionShared\\SkinsBuy";

}  // namespace

// By its own name only: a backup folder such as "D:\UserData\Sims" does
// not make all its folders user data.
bool ClsSims::isUserData(const std::string& path) {
    std::string upper = platform::lastLevel(path);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("USERDATA") != std::string::npos;
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
    return std::all_of(copies.begin(), copies.end(), [](const Copy& c) { return c.outcome.completed(); });
}

bool SetsOutcome::cancelled() const {
    return std::any_of(copies.begin(), copies.end(), [](const Copy& c) {
        return c.outcome.result == platform::CopyOutcome::Result::cancelled;
    });
}

ClsSims::ClsSims(platform::Services& services, platform::ShellCopy& copier,
                 std::string backupFolder, std::function<void()> nextStep,
                 std::function<bool(const SetsOutcome&)> beforeFinish)
    : services_(services), copier_(copier), backupFolder_(std::move(backupFolder)),
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

    // The platform's listing returns hidden and system entries too; the
    // directory search this scan stands for never does.
    for (const auto& entry : services_.files.list(folder + "\\*.*")) {
        if (entry.attributes & (attr::hidden | attr::system)) continue;
        const std::string path = folder + "\\" + entry.name;
        const auto bits = services_.files.attributes(path);
        if (!bits) throw RunError::fileNotFound();
        if (*bits & attr::directory) pending_->push_back(path);
    }
    services_.pointer.set(platform::Pointer::normal);
    return *pending_;
}

SetsOutcome ClsSims::BackupSims() {
    clsFileSystem fso(services_);
    SetsOutcome outcome;
    auto copy = [&](const std::string& from, const std::string& to) {
        if (outcome.cancelled()) return;
        outcome.copies.push_back({from, MFile::CopyFolder(services_, copier_, from, to, options_)});
    };

    for (const auto& folder : GetSubFolders(kGameFolder))
        if (isUserData(folder)) copy(folder, backupFolder_);

    if (fso.FileExist(kDownloads)) copy(kDownloads, backupFolder_);

    // Always made, so that every backup holds a GameData folder.
    fso.MakeDIR(backupFolder_ + "\\GameData");
    if (fso.FileExist(kGameData)) copy(kGameData, backupFolder_);
    nextStep_();

    fso.MakeDIR(backupFolder_ + "\\ExpansionShared");
    if (fso.FileExist(kExpansionShared)) copy(kExpansionShared, backupFolder_);
    // Deliberate: Finish, with its "complete", only for a backup that is.
    if (!beforeFinish_ || beforeFinish_(outcome)) nextStep_();
    return outcome;
}

// Deliberate: GameData and SkinsBuy are copied only when the backup holds
// them. The copy makes a missing source first, which would write into the
// backup folder (and fail on read-only media); a restore never writes there.
SetsOutcome ClsSims::RestoreSims() {
    clsFileSystem fso(services_);
    SetsOutcome outcome;
    const std::string game = kGameFolder;
    auto copy = [&](const std::string& from, const std::string& to) {
        if (outcome.cancelled()) return;
        platform::CopyOptions options = options_;
        // Each replaced file keeps its path below the game folder.
        if (!keepRoot_.empty())
            options.keepReplacedIn = keepRoot_ + (to + "\\" + platform::lastLevel(from)).substr(game.size());
        outcome.copies.push_back({from, MFile::CopyFolder(services_, copier_, from, to, options)});
    };

    for (const auto& folder : GetSubFolders(backupFolder_))
        if (isUserData(folder)) copy(folder, kGameFolderLower);

    const std::string downloads = backupFolder_ + "\\Downloads";
    if (fso.FileExist(downloads)) copy(downloads, kGameFolder);
    nextStep_();

    const std::string gameData = backupFolder_ + "\\GameData";
    if (fso.FileExist(gameData)) copy(gameData, kGameFolder);

    // The game's SkinsBuy is made whether or not the backup has one.
    fso.CreateDirectoryStruct(kSkinsBuy);
    const std::string skinsBuy = backupFolder_ + "\\ExpansionShared\\SkinsBuy";
    if (fso.FileExist(kSkinsBuy) && fso.FileExist(skinsBuy)) copy(skinsBuy, kExpansionShared);
    return outcome;
}

}  // namespace orr
