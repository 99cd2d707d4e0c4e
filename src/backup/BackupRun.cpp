#include "BackupRun.h"

#include "gamedata/Descriptor.h"

namespace orr {
namespace {

// Where an install that keeps its neighbourhoods apart from its game folder
// kept what: recorded in the descriptor. A CD install's descriptor stays as
// it always was (its one folder is the game folder).
descriptor::Keys origin(const GameFolder& game) {
    if (game.userDataHome.empty()) return {};
    return {{"Edition", game.edition}, {"Game_Folder", game.folder}, {"User_Data_Folder", game.userDataHome}};
}

}  // namespace

RunResult runBackup(platform::Services& services, platform::FolderCopier& copier, const GameFolder& game,
                    const std::string& folder, RunFront& front, const std::atomic<bool>* stop) {
    RunResult result;
    bool sealed = false;
    ClsSims sims(services, copier, game, folder, [&front] { front.stepOn(); },
                 [&](const SetsOutcome& copies) {
                     // A stop that came after the last copy still stops the marking.
                     if (!copies.completed() || (stop && stop->load())) return false;
                     // What the copies just read is not read again.
                     std::vector<platform::CopyOutcome::FileDigest> known;
                     for (const auto& c : copies.copies)
                         known.insert(known.end(), c.outcome.digests.begin(), c.outcome.digests.end());
                     const platform::WholeWrite mark = descriptor::seal(services, copier, folder, known, origin(game));
                     sealed = mark.written;
                     result.markFailed = !sealed;
                     result.leftover = mark.leftover;
                     if (sealed) {
                         result.sets = copies;
                         front.completing(result);
                     }
                     return sealed;
                 });
    if (stop) sims.stopWhen(*stop);
    result.sets = sims.BackupSims();
    using Kind = RunResult::Kind;
    if (sealed) result.kind = Kind::completed;
    else if (result.sets.refused()) result.kind = Kind::refused;
    else if (result.sets.cancelled() || (stop && stop->load() && result.sets.completed())) result.kind = Kind::cancelled;
    else result.kind = Kind::failed;
    return result;
}

}  // namespace orr
