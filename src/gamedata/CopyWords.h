// The copy engine's answers in words a user can act on: a refusal, the
// reason a file failed, what a check of a backup found. The engine returns
// them as data; every sentence the user reads about a copy is made here.
#pragma once

#include "copy/copy_outcome.h"
#include "copy/manifest.h"

#include <cstdint>
#include <string>

namespace orr::report {

// "Cannot copy Downloads: the folder X cannot be made.", "E:\ has 1.4 MB
// free; this copy needs 1.8 MB." ...
std::string refusalText(const platform::CopyRefusal& refusal);
// "access denied", "disk full" ...: after a file's path and ": ".
const char* reasonText(platform::CopyReason reason);
// "missing", "differs from the backup" ...: after a file's path.
const char* problemText(platform::VerifyOutcome::Problem problem);
// "3.1 MB", "296 MB", "1.2 GB": a size as Windows shows one.
std::string sizeText(std::uint64_t bytes);

}  // namespace orr::report
