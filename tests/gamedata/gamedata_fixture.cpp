#include "gamedata/gamedata_fixture.h"

#include <algorithm>
#include <stdexcept>

namespace orr::test {
namespace {

namespace attr = platform::attr;
using platform::Status;

constexpr const char* kProgramFiles = "C:\\Program Files";
constexpr const char* kMaxis = "C:\\Program Files\\Maxis";
constexpr const char* kMarker = "C:\\Program Files\\Maxis\\orr-tests-made-the-game-folder";

bool isFolder(platform::FileSystem& files, const std::string& path) {
    auto bits = files.attributes(path);
    return bits && (*bits & attr::directory);
}

void collect(platform::FileSystem& files, const std::string& folder, const std::string& relative,
             std::map<std::string, std::string>& out) {
    for (const auto& e : files.list(folder + "\\*")) {
        const std::string full = folder + "\\" + e.name;
        const std::string rel = relative.empty() ? e.name : relative + "\\" + e.name;
        if (e.attributes & attr::directory) {
            out[rel] = "<dir>";
            collect(files, full, rel, out);
        } else {
            out[rel] = files.readFile(full).value_or("<unreadable>");
        }
    }
}

}  // namespace

std::map<std::string, std::string> snapshot(platform::FileSystem& files, const std::string& folder) {
    std::map<std::string, std::string> out;
    collect(files, folder, "", out);
    return out;
}

void removeTree(platform::FileSystem& files, const std::string& folder) {
    for (const auto& e : files.list(folder + "\\*")) {
        const std::string full = folder + "\\" + e.name;
        (void)files.setAttributes(full, 0);
        if (e.attributes & attr::directory)
            removeTree(files, full);
        else
            (void)files.removeFile(full);
    }
    (void)files.setAttributes(folder, 0);
    (void)files.removeDirectory(folder);
}

GameFolderGuard::GameFolderGuard(platform::FileSystem& files) : files_(files) {
    if (files_.exists(ClsSims::kGameFolder)) {
        if (!files_.exists(kMarker)) {
            // Never touch a game folder these tests did not make.
            throw std::runtime_error(std::string(ClsSims::kGameFolder) +
                                     " exists and was not made by these tests");
        }
        removeTree(files_, ClsSims::kGameFolder);
    }
    if (!isFolder(files_, kProgramFiles)) (void)files_.makeDirectory(kProgramFiles);
    if (!isFolder(files_, kMaxis)) {
        madeMaxis_ = files_.makeDirectory(kMaxis) == Status::ok;
    } else if (files_.exists(kMarker)) {
        madeMaxis_ = true;  // made by an aborted run
    }
    // The marker outlives an aborted test, so the next run may clean up.
    auto marker = files_.openOutput(kMarker);
    marker->close();
}

GameFolderGuard::~GameFolderGuard() {
    if (files_.exists(ClsSims::kGameFolder)) removeTree(files_, ClsSims::kGameFolder);
    (void)files_.removeFile(kMarker);
    if (madeMaxis_) (void)files_.removeDirectory(kMaxis);
}

void GameFolderGuard::make() {
    ASSERT_EQ(files_.makeDirectory(ClsSims::kGameFolder), Status::ok);
}

void GameDataTest::folder(const std::string& path) {
    // Levels from the first missing one down; drive roots always exist.
    std::vector<std::string> missing;
    std::string level = path;
    while (!native.files->exists(level)) {
        missing.push_back(level);
        const auto sep = level.find_last_of('\\');
        if (sep == std::string::npos || sep < 3) break;
        level.erase(sep);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        ASSERT_EQ(native.files->makeDirectory(*it), Status::ok) << *it;
}

void GameDataTest::file(const std::string& path, const std::string& bytes) {
    folder(path.substr(0, path.find_last_of('\\')));
    auto out = native.files->openOutput(path);
    out->write(bytes);
    out->close();
}

std::vector<std::string> GameDataTest::inListOrder(const std::string& folderPath,
                                                   const std::vector<std::string>& wanted) {
    std::vector<std::string> names;
    for (const auto& e : native.files->list(folderPath + "\\*.*"))
        if (std::find(wanted.begin(), wanted.end(), e.name) != wanted.end()) names.push_back(e.name);
    return names;
}

Journal GameDataTest::copiesAndAdvances() const {
    Journal out;
    for (const auto& line : journal)
        if (line.rfind("mkdir ", 0) != 0) out.push_back(line);
    return out;
}

}  // namespace orr::test
