#include "errno_status.h"

#include <cerrno>
#include <system_error>

namespace orr::platform::posix {

Status statusFromErrno(int error) {
    switch (error) {
    case 0: return Status::ok;
    case ENOENT: return Status::fileNotFound;
    case ENOTDIR:
    case ELOOP: return Status::pathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return Status::accessDenied;
    case EEXIST: return Status::alreadyExists;
    case ENOTEMPTY: return Status::notEmpty;
    case ENAMETOOLONG: return Status::nameTooLong;
    case EINVAL:
    case EILSEQ: return Status::invalidName;
    case EBUSY:
    case ETXTBSY: return Status::sharingViolation;
    case ENOSPC:
    case EDQUOT: return Status::diskFull;
    default: return Status::ioError;
    }
}

Status missingStatus(const std::filesystem::path& host) {
    std::filesystem::path entry = host.has_filename() ? host : host.parent_path();
    std::error_code ec;
    return std::filesystem::is_directory(entry.parent_path(), ec) ? Status::fileNotFound
                                                                  : Status::pathNotFound;
}

}  // namespace orr::platform::posix
