// Profiles kept by the program itself, with the text rules of ini_text.h,
// over the file-system service: POSIX has no profile functions, and those
// of Windows stop at 260 characters.
#pragma once

#include "services.h"

#include <memory>

namespace orr::platform {

std::unique_ptr<Profiles> makeTextProfiles(FileSystem& files);

}  // namespace orr::platform
