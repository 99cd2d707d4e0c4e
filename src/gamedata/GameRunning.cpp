#include "GameRunning.h"

#include "platform/processes.h"
#include "platform/windows_path.h"

namespace orr {

bool gameRuns(platform::Processes& processes, const std::string& gameFolder) {
    const auto images = processes.running(kGameExecutable);
    if (!images) return false;
    for (const platform::RunningImage& image : *images) {
        if (image.path.empty() || gameFolder.empty()) return true;
        if (platform::containsPath(gameFolder, image.path)) return true;
    }
    return false;
}

}  // namespace orr
