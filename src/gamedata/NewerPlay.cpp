#include "NewerPlay.h"

#include "ClsSims.h"
#include "platform/ascii.h"
#include "platform/windows_path.h"

#include <algorithm>
#include <cstdio>

namespace orr {
namespace {

// Counts the files below `game` (relative path `below`) newer than their
// copies below `backup`, or missing there.
void compare(platform::FileSystem& files, const std::string& game, const std::string& backup, PlayedSince& out) {
    for (const auto& e : files.list(game + "\\*.*")) {
        const std::string path = game + "\\" + e.name, copy = backup + "\\" + e.name;
        if (e.attributes & platform::attr::directory) {
            if (!(e.attributes & platform::attr::alias)) compare(files, path, copy, out);
            continue;
        }
        const auto written = files.modified(path);
        if (!written) continue;
        const auto saved = files.exists(copy) ? files.modified(copy) : std::nullopt;
        if (saved && *written <= *saved) continue;
        ++out.newer;
        out.last = std::max(out.last, *written);
    }
}

}  // namespace

std::vector<PlayedSince> playedSince(platform::FileSystem& files, const std::string& backupFolder,
                                     const std::string& userDataFolder) {
    std::vector<PlayedSince> out;
    for (const auto& e : files.list(backupFolder + "\\*.*")) {
        if (!(e.attributes & platform::attr::directory) || !ClsSims::isUserData(e.name)) continue;
        PlayedSince p{e.name, 0, {}};
        if (files.isFolder(userDataFolder + "\\" + e.name))
            compare(files, userDataFolder + "\\" + e.name, backupFolder + "\\" + e.name, p);
        if (p.newer > 0) out.push_back(std::move(p));
    }
    return out;
}

std::optional<platform::DateTime> backupDay(platform::FileSystem& files, const std::string& descriptorPath) {
    const std::string name = platform::lastLevel(descriptorPath);
    platform::DateTime day;
    char dot = 0;
    if (name.size() == 19 && ascii::upper(name.substr(0, 5)) == "SIMS_" && ascii::upper(name.substr(15)) == ".BAK" &&
        std::sscanf(name.c_str() + 5, "%4d.%2d.%2d%c", &day.year, &day.month, &day.day, &dot) == 4 && dot == '.')
        return day;
    return files.modified(descriptorPath);
}

std::string newerPlayQuestion(const std::vector<PlayedSince>& played, const platform::DateTime& made,
                              platform::Locale& locale) {
    std::string text;
    for (const PlayedSince& p : played) {
        platform::DateTime minute = p.last;
        minute.second = 0;
        text += p.name + " was played after this backup was made: " + std::to_string(p.newer) +
                (p.newer == 1 ? " file is newer" : " files are newer") + ", the last from " +
                locale.generalDate(minute) + ".\r\n";
    }
    const platform::DateTime day{made.year, made.month, made.day, 0, 0, 0};
    return text + "\r\nRestoring puts back the backup of " + locale.generalDate(day) +
           " and keeps the newer files for undo. Restore anyway?";
}

}  // namespace orr
