#include "core/errorreason.h"

namespace calivue {

ErrorReason errorReason(Error e, FileKind kind)
{
    // The numbers are the string table's (resources/strings_en.json); a platform test checks
    // that the English here is the table's.
    switch (e) {
        case Error::NotFound:
            return {5061, "not found"};
        case Error::ReadFailed:
            return {5062, "not readable"};
        case Error::NotRegular:
            return {5064, "not a regular file"};
        default:
            break;
    }
    if (kind == FileKind::Picture) return {5066, "not a picture this program can read"};
    return {5063, "not a snapshot record"};
}

}  // namespace calivue
