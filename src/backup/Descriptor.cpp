#include "Descriptor.h"

#include "toolkit/MIni.h"
#include "toolkit/clsFileSystem.h"

#include <algorithm>
#include <cstdio>

namespace orr::descriptor {

namespace {

constexpr const char* kSection = "Backup";

std::string lowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return s;
}

Verdict refuse(std::string message, bool clearPath) {
    Verdict v;
    v.message = std::move(message);
    v.clearPath = clearPath;
    return v;
}

}  // namespace

std::string fileName(const std::string& folder, const platform::DateTime& when) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d.%02d.%02d", when.year % 10000, when.month % 100,
                  when.day % 100);
    return folder + "\\Sims_" + date + ".BAK";
}

// The date is taken once, now: both keys go into the same file.
// The profile write reports nothing, so the keys are read back.
bool write(platform::Services& services, const std::string& folder) {
    const std::string file = fileName(folder, services.clock.now());
    MIni::WriteIni(services, file, kSection, "Version", "Sims");
    MIni::WriteIni(services, file, kSection, "Backup_Location", folder);
    return MIni::ReadIni(services, file, kSection, "Version") == "Sims" &&
           MIni::ReadIni(services, file, kSection, "Backup_Location") == folder;
}

Verdict check(platform::Services& services, const std::string& path) {
    clsFileSystem fso(services);
    // A path of spaces is not empty.
    if (path.empty()) return refuse("Please select a file", false);
    if (!fso.FileExist(path)) return refuse("File does not exist,Please select a file", true);
    if (lowerAscii(fso.GetFileExtension(path).toText()) != "bak")
        return refuse("Please select a file that has the .BAK extension", true);
    // Case-sensitive and untrimmed: "sims" is not a backup of this program.
    if (MIni::ReadIni(services, path, kSection, "Version") != "Sims")
        return refuse("This is Not a Deve vozuvi, please select a Deve vozuvi", false);

    // Deliberate addition: a descriptor pointing nowhere would make the run
    // scan and copy from the wrong place and still report success.
    const std::string location = MIni::ReadIni(services, path, kSection, "Backup_Location");
    const auto bits = location.empty() ? std::nullopt : services.files.attributes(location);
    if (!bits || !(*bits & platform::attr::directory))
        return refuse("The backup folder named in this file does not exist", false);

    Verdict v;
    v.accepted = true;
    v.backupFolder = location;
    return v;
}

}  // namespace orr::descriptor
