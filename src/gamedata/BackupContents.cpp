#include "BackupContents.h"

#include "BackupCheck.h"
#include "platform/ascii.h"

#include <algorithm>

namespace orr {
namespace {

// `name` is `prefix`, then exactly `digits` digits, then ".iff"; letter
// case ignored. The game writes House01.iff and User00001.iff: a name it
// did not write (House1.iff, a copy named "House01 - Copy.iff") is no
// house the game would load.
bool gameFileName(const std::string& name, std::string_view prefix, std::size_t digits) {
    const std::string upper = ascii::upper(name);
    if (upper.size() != prefix.size() + digits + 4 || upper.compare(0, prefix.size(), prefix) != 0 ||
        upper.compare(upper.size() - 4, 4, ".IFF") != 0)
        return false;
    return std::all_of(upper.begin() + static_cast<std::ptrdiff_t>(prefix.size()), upper.end() - 4,
                       [](char c) { return c >= '0' && c <= '9'; });
}

std::uint32_t countNamed(platform::FileSystem& files, const std::string& folder, std::string_view prefix,
                         std::size_t digits) {
    std::uint32_t n = 0;
    for (const auto& e : files.list(folder + "\\*.*"))
        if (!(e.attributes & platform::attr::directory) && gameFileName(e.name, prefix, digits)) ++n;
    return n;
}

// Files below `folder` and the newest write among them; links to folders
// are not entered, as the copy does not enter them.
void walk(platform::FileSystem& files, const std::string& folder, BackupEntry& entry) {
    for (const auto& e : files.list(folder + "\\*.*")) {
        const std::string path = folder + "\\" + e.name;
        if (e.attributes & platform::attr::directory) {
            if (!(e.attributes & platform::attr::alias)) walk(files, path, entry);
            continue;
        }
        ++entry.files;
        if (const auto written = files.modified(path); written && (!entry.saved || *written > *entry.saved))
            entry.saved = written;
    }
}

std::string counted(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::vector<BackupEntry> backupContents(platform::FileSystem& files, const std::string& backupFolder) {
    std::vector<BackupEntry> out;
    for (std::string& set : backupcheck::restoredSets(files, backupFolder)) {
        BackupEntry entry;
        const std::string folder = backupFolder + "\\" + set;
        if (ascii::equal(set, "Downloads")) entry.kind = BackupEntry::Kind::downloads;
        else if (ascii::equal(set, "GameData")) entry.kind = BackupEntry::Kind::gameData;
        else if (ascii::equal(set, "ExpansionShared\\SkinsBuy")) entry.kind = BackupEntry::Kind::skinsBuy;
        else {
            entry.houses = countNamed(files, folder + "\\Houses", "HOUSE", 2);
            entry.characters = countNamed(files, folder + "\\Characters", "USER", 5);
        }
        walk(files, folder, entry);
        entry.set = std::move(set);
        out.push_back(std::move(entry));
    }
    return out;
}

std::string entryCaption(const BackupEntry& entry, platform::Locale& locale, bool brief) {
    switch (entry.kind) {
    case BackupEntry::Kind::downloads: return "Downloads: " + counted(entry.files, "file", "files");
    case BackupEntry::Kind::gameData: return "GameData";
    case BackupEntry::Kind::skinsBuy: return "SkinsBuy";
    case BackupEntry::Kind::neighbourhood: break;
    }
    std::string text = entry.set + ": " + counted(entry.houses, "house", "houses") + ", " +
                       (brief ? counted(entry.characters, "Sim", "Sims")
                              : counted(entry.characters, "character", "characters"));
    if (entry.saved && !brief) {
        // At midnight the general date is the short date alone.
        text += ", saved " + locale.generalDate({entry.saved->year, entry.saved->month, entry.saved->day, 0, 0, 0});
    }
    return text;
}

}  // namespace orr
