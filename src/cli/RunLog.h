// The backup folder's own record of the command line's runs: one line a
// run in Orrindale.log beside the sets. The file lies at the folder's top,
// where no set is, so neither the manifest, the restore nor a check of the
// backup takes it for a set or one of its files.
#pragma once

#include "gamedata/RunFront.h"
#include "copy/folder_copier.h"
#include "platform/filesystem.h"

#include <string>

namespace orr::cli {

inline constexpr const char* kLogName = "Orrindale.log";

// "2026-12-08 19:40 complete: 3 files (12 bytes) copied and verified." or
// "... not complete: ...", each failed file after it, all on one line.
std::string logLine(const platform::DateTime& when, const RunResult& result);

// Adds `line` to FOLDER\Orrindale.log. The old log and the line are
// written under a temporary name, then moved over the log in one step, so
// that a write that fails (a full drive) leaves the old log whole. False
// when the line could not be added.
platform::WholeWrite appendLog(platform::FileSystem& files, const std::string& folder, const std::string& line);

}  // namespace orr::cli
