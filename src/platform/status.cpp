#include "status.h"

namespace orr::platform {

RunError toRunError(Status s) {
    switch (s) {
    case Status::fileNotFound: return RunError::fileNotFound();
    case Status::pathNotFound: return RunError::pathNotFound();
    case Status::invalidName:
    case Status::nameTooLong: return RunError::badFileName();
    case Status::sharingViolation: return RunError::permissionDenied();
    case Status::diskFull: return RunError::diskFull();
    case Status::ioError: return RunError::deviceIo();
    case Status::accessDenied:
    case Status::alreadyExists:
    case Status::notEmpty:
    case Status::ok: break;
    }
    return RunError::pathFileAccess();
}

}  // namespace orr::platform
