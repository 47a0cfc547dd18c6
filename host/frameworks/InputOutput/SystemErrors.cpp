#include "SystemErrors.hpp"

#include <cerrno>

#include "IOErrors.hpp"

namespace IO {

GSErrCode ErrorFromErrno(int error)
{
    switch (error) {
        case 0:
            return NoError;
        case ENOENT:
        case ENOTDIR:
            return NotFoundErr;
        case EEXIST:
            return AlreadyExistsErr;
        case EACCES:
        case EPERM:
        case EROFS:
            return AccessDeniedErr;
        case EISDIR:
            return WrongTypeErr;
        case ENOTEMPTY:
            return NotEmptyErr;
        case ENOSPC:
        case EDQUOT:
            return DiskFullErr;
        case ENAMETOOLONG:
        case EFBIG:
        case EOVERFLOW:
            return TooLongErr;
        default:
            return GeneralIOErr;
    }
}

GSErrCode LastSystemError()
{
    return ErrorFromErrno(errno);
}

}  // namespace IO
