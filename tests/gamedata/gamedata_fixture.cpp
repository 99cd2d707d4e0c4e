#include "gamedata/gamedata_fixture.h"

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

}  // namespace

GameFolderGuard::GameFolderGuard(platform::FileSystem& files) : files_(files) {
    if (files_.exists(kFixedGameFolder)) {
        if (!files_.exists(kMarker)) {
            // Never touch a game folder these tests did not make.
            throw std::runtime_error(std::string(kFixedGameFolder) +
                                     " exists and was not made by these tests");
        }
        removeTree(files_, kFixedGameFolder);
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
    if (files_.exists(kFixedGameFolder)) removeTree(files_, kFixedGameFolder);
    (void)files_.removeFile(kMarker);
    if (madeMaxis_) (void)files_.removeDirectory(kMaxis);
}

void GameFolderGuard::make() {
    ASSERT_EQ(files_.makeDirectory(kFixedGameFolder), Status::ok);
}

}  // namespace orr::test
