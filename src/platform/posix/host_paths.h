// Where a Windows path lies on the host, for services of this tree that
// work on host paths directly (the folder copy) and so must resolve paths
// exactly as the file-system service does.
#pragma once

#include "drive_map.h"

#include <string_view>

namespace orr::platform::posix {

class HostPaths {
public:
    virtual ~HostPaths() = default;
    // As DriveMap::toHost over the service's own drives and current folder.
    virtual HostPath hostPath(std::string_view path) = 0;
};

}  // namespace orr::platform::posix
