// Outcome of one file-system request, independent of the OS error codes.
#pragma once

#include "error.h"

namespace orr::platform {

enum class Status {
    ok,
    fileNotFound,      // the last component is missing
    pathNotFound,      // a folder on the way is missing
    accessDenied,      // refused: permissions, read-only, a folder where a file was expected
    alreadyExists,
    notEmpty,
    invalidName,
    nameTooLong,       // the path or a name in it is longer than the system allows
    sharingViolation,
    diskFull,
    ioError,
};

// The run-time error a failed request raises where the failure passes to the caller.
RunError toRunError(Status s);

}  // namespace orr::platform
