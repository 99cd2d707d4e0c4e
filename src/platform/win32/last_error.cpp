#include "last_error.h"

namespace orr::platform::win32 {

Status statusFromError(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS: return Status::ok;
    case ERROR_FILE_NOT_FOUND: return Status::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return Status::pathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_DIRECTORY:  // a file where a folder was expected
    case ERROR_CURRENT_DIRECTORY: return Status::accessDenied;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return Status::alreadyExists;
    case ERROR_DIR_NOT_EMPTY: return Status::notEmpty;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return Status::invalidName;
    case ERROR_FILENAME_EXCED_RANGE: return Status::nameTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Status::sharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Status::diskFull;
    default: return Status::ioError;
    }
}

}  // namespace orr::platform::win32
