#include "Descriptor.h"
#include "platform/ascii.h"

#include "gamedata/ClsSims.h"
#include "platform/copy_io.h"
#include "platform/error.h"
#include "copy/folder_copier.h"
#include "toolkit/MIni.h"
#include "toolkit/clsFileSystem.h"

#include <algorithm>
#include <tuple>
#include <cstdio>
#include <optional>

namespace orr::descriptor {

namespace {

constexpr const char* kSection = "Backup";
// Longer than any path the system can name.
constexpr std::size_t kLocationBuffer = 32768;

Verdict refuse(std::string message, bool clearPath) {
    Verdict v;
    v.message = std::move(message);
    v.clearPath = clearPath;
    return v;
}

// Refuses a location that lies inside one of the game folder's sets, is
// the game folder, or holds it.
std::optional<Verdict> gameRefusal(platform::FileSystem& files, const std::string& location,
                                   const std::string& gameFolder) {
    const bool inside = platform::liesWithin(files, location, gameFolder);
    const bool holds = platform::liesWithin(files, gameFolder, location);
    if (!inside && !holds) return std::nullopt;
    for (const std::string& set : ClsSims::gameSets(files, gameFolder))
        if (platform::liesWithin(files, location, set))
            return refuse("The backup folder named in this file lies inside the game's own " + platform::lastLevel(set) +
                              " folder; restoring it would copy the game's files onto themselves",
                          false);
    if (holds && inside)
        return refuse("The backup folder named in this file is the game folder itself; it is not a backup", false);
    if (holds)
        return refuse("The backup folder named in this file holds the game folder " + gameFolder + "; it is not a backup",
                      false);
    return std::nullopt;
}

}  // namespace

std::string fileName(const std::string& folder, const platform::DateTime& when) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d.%02d.%02d", when.year % 10000, when.month % 100,
                  when.day % 100);
    return folder + "\\Sims_" + date + ".BAK";
}

std::string manifestName(const std::string& folder, const platform::DateTime& when) {
    std::string name = fileName(folder, when);
    return name.substr(0, name.size() - 4) + ".sha256";
}

std::string manifestFor(platform::FileSystem& files, const std::string& path, const std::string& folder) {
    const std::string name = platform::lastLevel(path);
    const std::string same = folder + "\\" + name.substr(0, name.find_last_of('.')) + ".sha256";
    if (files.exists(same)) return same;
    std::string newest;
    platform::DateTime newestTime;
    for (const auto& e : files.list(folder + "\\*.sha256")) {
        const std::string candidate = folder + "\\" + e.name;
        const auto when = files.modified(candidate);
        const auto key = [](const platform::DateTime& t) {
            return std::tuple(t.year, t.month, t.day, t.hour, t.minute, t.second);
        };
        if (when && (newest.empty() || key(*when) > key(newestTime))) {
            newest = candidate;
            newestTime = *when;
        }
    }
    return newest;
}

platform::WholeWrite write(platform::Services& services, const std::string& folder, const Keys& more) {
    return write(services, folder, services.clock.now(), more);
}

// The profile write reports nothing, so the keys are read back.
platform::WholeWrite write(platform::Services& services, const std::string& folder, const platform::DateTime& when,
                          const Keys& more) {
    // Written whole, then renamed over today's descriptor: one is never left
    // half-written, and the keys of an earlier one are kept.
    const std::string file = fileName(folder, when);
    return platform::writeWhole(services.files, file, [&](const std::string& temp) {
        const auto earlier = services.files.readFile(file);
        auto out = services.files.openOutput(temp);
        if (earlier) out->write(*earlier);
        out->close();
        MIni::WriteIni(services, temp, kSection, "Version", "Sims");
        MIni::WriteIni(services, temp, kSection, "Backup_Location", folder);
        for (const auto& [key, value] : more) MIni::WriteIni(services, temp, kSection, key, value);
        // Read back whole: the usual buffer would cut a long folder's name.
        bool whole = MIni::ReadIni(services, temp, kSection, "Version") == "Sims" &&
                     services.profiles.read(temp, kSection, "Backup_Location", "", kLocationBuffer) == folder;
        for (const auto& [key, value] : more)
            whole = whole && services.profiles.read(temp, kSection, key, "", kLocationBuffer) == value;
        return whole;
    });
}

// The manifest first: a folder marked by its descriptor always has one to
// be checked against. The date is read once, so that the two match.
platform::WholeWrite seal(platform::Services& services, platform::FolderCopier& copy, const std::string& folder,
                          const std::vector<platform::CopyOutcome::FileDigest>& known, const Keys& more) {
    std::vector<std::string> sets;
    for (const std::string& set : ClsSims::gameSets(services.files, folder)) sets.push_back(platform::lastLevel(set));
    const platform::DateTime now = services.clock.now();
    if (!copy.writeManifest(folder, sets, known, manifestName(folder, now))) return {};
    return write(services, folder, now, more);
}

Verdict check(platform::Services& services, const std::string& path, const std::vector<std::string>& gameFolders) {
    clsFileSystem fso(services);
    // A path of spaces is not empty.
    if (path.empty()) return refuse("Please select a file", false);
    if (!fso.FileExist(path)) return refuse("File does not exist,Please select a file", true);
    if (ascii::lower(fso.GetFileExtension(path).toText()) != "bak")
        return refuse("Please select a file that has the .BAK extension", true);
    // Case-sensitive and untrimmed: "sims" is not a backup of this program.
    if (MIni::ReadIni(services, path, kSection, "Version") != "Sims")
        return refuse("This is Not a Deve vozuvi, please select a Deve vozuvi", false);

    // Deliberate addition: a descriptor pointing nowhere would make the run
    // scan and copy from the wrong place and still report success.
    // Read whole: a location cut at the profile buffer would name its
    // parent, an older backup. One that fills even this buffer is refused.
    const std::string location = services.profiles.read(path, kSection, "Backup_Location", "", kLocationBuffer);
    if (location.size() >= kLocationBuffer - 1)
        return refuse("The backup folder named in this file is too long to be a folder", false);
    const auto bits = location.empty() ? std::nullopt : services.files.attributes(location);
    if (!bits || !(*bits & platform::attr::directory))
        return refuse("The backup folder named in this file does not exist", false);

    // A backup inside the game's own folders would be copied onto itself.
    for (const std::string& gameFolder : gameFolders) {
        if (auto refusal = gameRefusal(services.files, location, gameFolder)) return *refusal;
    }
    const bool holdsSets = [&] {
        for (const auto& e : services.files.list(location + "\\*.*"))
            if ((e.attributes & platform::attr::directory) && ClsSims::isUserData(e.name)) return true;
        return fso.FileExist(location + "\\Downloads") || fso.FileExist(location + "\\GameData") ||
               fso.FileExist(location + "\\ExpansionShared\\SkinsBuy");
    }();
    if (!holdsSets) return refuse("This backup folder holds no Sims customizations", false);

    Verdict v;
    v.accepted = true;
    v.backupFolder = location;
    return v;
}

}  // namespace orr::descriptor
