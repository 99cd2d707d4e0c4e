#include "platform/text_profiles.h"

namespace orr::platform {

std::unique_ptr<Profiles> makeProfiles(FileSystem& files) { return makeTextProfiles(files); }

}  // namespace orr::platform
