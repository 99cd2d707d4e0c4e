#include "Commands.h"

#include "ProtonSteam.h"
#include "RunLog.h"
#include "backup/BackupRun.h"
#include "backup/WeeklyBackup.h"
#include "gamedata/BackupFolder.h"
#include "gamedata/CopyWords.h"
#include "gamedata/Descriptor.h"
#include "gamedata/RunReport.h"
#include "copy/manifest.h"

#include <ostream>

namespace orr::cli {
namespace {

// The messages' words with a console's own line ends.
std::string consoleText(std::string text) {
    std::erase(text, '\r');
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// Says why the command stops, and gives its exit code.
int stop(std::ostream& err, const std::string& why, int code) {
    err << consoleText(why) << '\n';
    return code;
}

// The command line's run has no wizard to move on: it only waits for the result.
class ConsoleFront final : public RunFront {
public:
    void stepOn() override {}
    void completing(const RunResult&) override {}
};

struct Where {
    std::optional<std::string> path;
    bool noDriveZ = false;
};

// A path as given: a Windows path as it is; on a prefix, a host path
// ("/home/deck/backups") through drive Z:, which must then exist.
Where windowsPath(Machine& m, const std::string& given) {
    if (!m.hostPaths || given.empty() || given[0] != '/') return {given, false};
    if (!m.services.files.isFolder("Z:\\")) return {std::nullopt, true};
    return {throughDriveZ(given), false};
}

constexpr const char* kNoDriveZ =
    "This Wine prefix has no drive Z:, so Orrindale cannot reach Linux folders through it. Give a folder on one "
    "of the prefix's drives (such as C:\\Backups), or add drive Z: for / with winecfg.";

GameSearch searchGame(Machine& m) {
    if (!m.steamGame) return findGame(m.services.files, gamePlaces(m.registry, m.folders));
    GameSearch search;
    search.installs = {*m.steamGame};
    search.found = m.steamGame;
    search.lookedAt = {m.steamGame->folder};
    return search;
}

int backup(const Arguments& a, Machine& m, std::ostream& out, std::ostream& err) {
    GameSearch search = searchGame(m);
    if (!a.game.empty()) {
        const Where game = windowsPath(m, a.game);
        if (game.noDriveZ) return stop(err, kNoDriveZ, exitcode::badUsage);
        const auto install = installIn(m.services.files, gamePlaces(m.registry, m.folders), *game.path);
        if (!install) return stop(err, kNotAGameFolderText, exitcode::refused);
        // As the wizard's "Other game folder...": the install chosen comes first.
        std::erase_if(search.installs, [&](const GameFolder& g) { return g.folders() == install->folders(); });
        search.installs.insert(search.installs.begin(), *install);
        search.found = *install;
    }
    const Where target = windowsPath(m, a.target);
    if (target.noDriveZ) return stop(err, kNoDriveZ, exitcode::badUsage);
    const backupfolder::Verdict verdict =
        backupfolder::checkBeforeBackup(m.services, m.processes, *target.path, search);
    if (!verdict.accepted()) return stop(err, backupfolder::message(verdict, search, kCommandRetry), exitcode::refused);

    // Held until the run ends, marked or not: no restore writes into the
    // game meanwhile, and no second backup into the same folder.
    const auto claim = m.services.files.claimRun();
    if (!claim) return stop(err, report::anotherRunText(kCommandRetry), exitcode::refused);
    const GameFolder game = *search.found;
    out << "Backing up " << search.caption() << "\ninto " << verdict.folder << " ..." << std::endl;
    ConsoleFront front;
    const RunResult result = runBackup(m.services, m.copier, game, verdict.folder, front, m.stop);
    // Refused (no room, nothing found): nothing was written, the log neither.
    if (result.kind == RunResult::Kind::refused)
        return stop(err, report::backupFailed(result.sets, verdict.folder, false, game.folder, {}, kCommandRetry), exitcode::refused);
    int code = exitcode::done;
    if (result.completed()) {
        out << "The backup is complete: " << report::summary(result.sets) << '\n';
        if (const std::string links = report::skippedLinks(result.sets); !links.empty())
            out << consoleText(links) << '\n';
    } else {
        // Stopped (Ctrl+C, SIGTERM): the program ends next, as a wizard's Cancel ends it.
        err << consoleText(result.kind == RunResult::Kind::cancelled
                               ? report::backupCancelled(result.sets, verdict.folder, true)
                               : report::backupFailed(result.sets, verdict.folder, result.markFailed, game.folder,
                                                     result.leftover, kCommandRetry))
            << '\n';
        code = exitcode::failed;
    }
    // A log that cannot be written does not change what the backup is: said, the code kept.
    if (const auto log = appendLog(m.services.files, verdict.folder, logLine(m.services.clock.now(), result)); !log) {
        err << "This run could not be added to " << verdict.folder << "\\" << kLogName
            << " (the drive may be full); the backup itself is as said above.\n";
        if (!log.leftover.empty())
            err << "Orrindale could not remove its temporary file " << log.leftover << "; you can delete it.\n";
    }
    return code;
}

int verify(const Arguments& a, Machine& m, std::ostream& out, std::ostream& err) {
    const Where path = windowsPath(m, a.target);
    if (path.noDriveZ) return stop(err, kNoDriveZ, exitcode::badUsage);
    const descriptor::Verdict backup = descriptor::check(m.services, *path.path, {});
    if (!backup.accepted) return stop(err, backup.message, exitcode::refused);
    const std::string manifest = descriptor::manifestFor(m.services.files, *path.path, backup.backupFolder);
    if (manifest.empty())
        return stop(err,
                    "This backup has no list of its files (it was made by an older version), so its files cannot be "
                    "checked.",
                    exitcode::refused);
    const platform::VerifyOutcome checked = m.copier.verify(backup.backupFolder, manifest);
    if (checked.unreadableManifest)
        return stop(err,
                    "The list of this backup's files (" + manifest +
                        ") cannot be read, so its files cannot be checked.",
                    exitcode::refused);
    std::size_t bad = 0;
    for (const auto& d : checked.damaged) {
        bad += d.problem != platform::VerifyOutcome::Problem::unchecked;
        (d.problem == platform::VerifyOutcome::Problem::unchecked ? out : err)
            << d.path << ": " << report::problemText(d.problem) << '\n';
    }
    out << checked.ok << (checked.ok == 1 ? " file is as it was saved.\n" : " files are as they were saved.\n");
    if (bad == 0) return exitcode::done;
    err << bad << (bad == 1 ? " file of this backup is" : " files of this backup are")
        << " missing or damaged: a restore leaves them out. Make a new backup if the game still has them.\n";
    return exitcode::failed;
}

int list(Machine& m, std::ostream& out, std::ostream& err) {
    const GameSearch search = searchGame(m);
    if (search.installs.empty()) return stop(err, search.notFoundMessage(), exitcode::refused);
    for (const GameFolder& g : search.installs)
        out << g.edition << "\n  Game folder: " << (g.folder.empty() ? "(not found)" : g.folder)
            << "\n  User data:   " << g.userDataSource() << '\n';
    return exitcode::done;
}

int unschedule(const Arguments& a, Machine& m, std::ostream& out, std::ostream& err) {
    if (!m.tasks) return stop(err, "There is no weekly backup to remove here.", exitcode::badUsage);
    const weekly::Unscheduled done = weekly::unschedule(*m.tasks, a.target);
    using Outcome = weekly::Unscheduled::Outcome;
    switch (done.outcome) {
    case Outcome::removed:
    case Outcome::noneFound: out << done.text << '\n'; return exitcode::done;
    case Outcome::failed: return stop(err, done.text, exitcode::failed);
    case Outcome::notAFolder: return stop(err, done.text, exitcode::badUsage);
    }
    return exitcode::failed;
}

}  // namespace

int run(const Arguments& arguments, Machine& machine, std::ostream& out, std::ostream& err) {
    switch (arguments.action) {
    case Action::backup: return backup(arguments, machine, out, err);
    case Action::verify: return verify(arguments, machine, out, err);
    case Action::list: return list(machine, out, err);
    case Action::unschedule: return unschedule(arguments, machine, out, err);
    case Action::help: out << usage(machine.hostPaths); return exitcode::done;
    }
    return exitcode::badUsage;
}

}  // namespace orr::cli
