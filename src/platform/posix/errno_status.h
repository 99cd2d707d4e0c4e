// How the host's error numbers read as file-system outcomes.
#pragma once

#include "platform/status.h"

#include <filesystem>

namespace orr::platform::posix {

Status statusFromErrno(int error);

// The outcome for a host path that does not exist: fileNotFound when its
// folder is there, pathNotFound when a folder on the way is missing.
Status missingStatus(const std::filesystem::path& host);

}  // namespace orr::platform::posix
