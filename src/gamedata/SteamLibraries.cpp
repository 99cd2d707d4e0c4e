#include "SteamLibraries.h"
#include "platform/ascii.h"
#include "platform/windows_path.h"

#include <algorithm>

namespace orr::steam {
namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Win32 takes these names, with any extension, as devices in any folder.
bool isDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (ascii::equal(stem, device)) return true;
    if (!ascii::equal(stem.substr(0, 3), "COM") && !ascii::equal(stem.substr(0, 3), "LPT")) return false;
    const std::string_view digit = stem.substr(3);
    // 0 to 9, and the superscripts 1, 2 and 3 in UTF-8.
    return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" ||
           digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

std::string steamapps(std::string_view folder) { return platform::joinPath(folder, "steamapps"); }

}  // namespace

std::optional<std::string> asFolder(std::string_view path) {
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', '\\');
    if (std::any_of(p.begin(), p.end(), isControl)) return std::nullopt;
    // A device namespace ("\\?\", "\\.\") names no library.
    if (p.starts_with(R"(\\?\)") || p.starts_with(R"(\\.\)") || !platform::isFullPath(p)) return std::nullopt;
    return platform::withoutClosingSeparator(p);
}

std::string libraryListFile(std::string_view steamFolder) { return steamapps(steamFolder) + "\\libraryfolders.vdf"; }

std::string manifestFile(std::string_view library, std::string_view appId) {
    return steamapps(library) + "\\appmanifest_" + std::string(appId) + ".acf";
}

Libraries libraries(std::string_view steamFolder, std::string_view libraryList) {
    Libraries out;
    auto add = [&out](std::string_view path) {
        std::optional<std::string> folder = asFolder(path);
        if (!folder) return;
        for (const std::string& known : out.folders)
            if (ascii::equal(known, *folder)) return;
        out.folders.push_back(std::move(*folder));
    };
    add(steamFolder);
    const keyvalues::Parsed parsed = keyvalues::read(libraryList);
    if (!parsed.root) {
        out.error = parsed.error;
        return out;
    }
    const keyvalues::Node* list = parsed.root->find("libraryfolders");
    if (!list || !list->block) return out;
    for (const keyvalues::Node& entry : list->children) {
        if (!allDigits(entry.name)) continue;
        if (!entry.block) add(entry.value);
        else if (const std::string* path = entry.valueOf("path")) add(*path);
    }
    return out;
}

bool isPlainFolderName(std::string_view name) {
    constexpr std::string_view refused = "\\/:<>\"|?*";
    if (name.empty() || name.size() > kMaxFolderNameBytes) return false;
    if (name.back() == '.' || name.back() == ' ' || name.find("..") != std::string_view::npos) return false;
    if (std::any_of(name.begin(), name.end(), [&](char c) { return isControl(c) || refused.find(c) != refused.npos; }))
        return false;
    return !isDeviceName(name);
}

std::optional<std::string> installDir(std::string_view manifest, std::string_view appId) {
    const keyvalues::Parsed parsed = keyvalues::read(manifest);
    const keyvalues::Node* app = parsed.root ? parsed.root->find("AppState") : nullptr;
    if (!app || !app->block) return std::nullopt;
    const std::string* id = app->valueOf("appid");
    const std::string* dir = app->valueOf("installdir");
    if (!id || *id != appId || !dir || !isPlainFolderName(*dir)) return std::nullopt;
    return *dir;
}

std::optional<std::string> gameFolder(std::string_view library, std::string_view installDir) {
    const std::optional<std::string> folder = asFolder(library);
    if (!folder || !isPlainFolderName(installDir)) return std::nullopt;
    return steamapps(*folder) + "\\common\\" + std::string(installDir);
}

}  // namespace orr::steam
