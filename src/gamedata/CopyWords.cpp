#include "CopyWords.h"

#include "platform/windows_path.h"

#include <cstdio>

namespace orr::report {

std::string refusalText(const platform::CopyRefusal& refusal) {
    using Kind = platform::CopyRefusal::Kind;
    const std::string cannot = "Cannot copy " + platform::lastLevel(refusal.source) + ": ";
    switch (refusal.kind) {
    case Kind::none: return {};
    case Kind::pathInvalid: return cannot + "the path is not valid.";
    case Kind::sourceNotMade: return cannot + "the folder " + refusal.path + " cannot be made.";
    case Kind::sourceMissing: return cannot + "the folder " + refusal.path + " does not exist.";
    case Kind::sourceUnreadable: return cannot + "the folder " + refusal.path + " cannot be read.";
    case Kind::destinationInvalid: return cannot + "the destination is not valid.";
    case Kind::sameFolder: return cannot + "the source and destination are the same folder.";
    case Kind::destinationInside: return cannot + "the destination folder is inside the folder being copied.";
    case Kind::keepInvalid: return cannot + "the folder " + refusal.path + " is not valid.";
    case Kind::roomShort:
        return refusal.path + " has " + sizeText(refusal.free) + " free; this copy needs " + sizeText(refusal.need) +
               ".";
    }
    return cannot + "an unknown error occurred.";
}

const char* reasonText(platform::CopyReason reason) {
    using platform::CopyReason;
    switch (reason) {
    case CopyReason::accessDenied: return "access denied";
    case CopyReason::inUse: return "in use by another program";
    case CopyReason::diskFull: return "disk full";
    case CopyReason::pathTooLong: return "path too long";
    case CopyReason::readError: return "read error";
    case CopyReason::writeError: return "write error";
    case CopyReason::notFound: return "no longer there";
    case CopyReason::sameFile: return "the copy would replace the original";
    case CopyReason::differs: return "the copy differs from the original";
    case CopyReason::targetUnlisted: return "its destination folder could not be read, so nothing there was replaced";
    case CopyReason::caseTwins:
        return "another file has the same name in different capitals, and this drive cannot keep both";
    case CopyReason::noAnswer: return "the drive stopped answering; check that it is still plugged in";
    case CopyReason::changed: return "changed in the backup after it was checked";
    }
    return "error";
}

const char* problemText(platform::VerifyOutcome::Problem problem) {
    using Problem = platform::VerifyOutcome::Problem;
    switch (problem) {
    case Problem::missing: return "missing";
    case Problem::differs: return "differs from the backup";
    case Problem::unreadable: return "cannot be read";
    case Problem::unchecked: return "not in the list of checked files";
    }
    return "damaged";
}

std::string sizeText(std::uint64_t bytes) {
    constexpr const char* units[] = {"bytes", "KB", "MB", "GB", "TB"};
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024 && unit < 4) {
        value /= 1024;
        ++unit;
    }
    // One decimal below ten: "3.1 MB", "296 MB".
    char text[32];
    const int decimals = value < 10 ? 1 : 0;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, units[unit]);
    return text;
}

}  // namespace orr::report
