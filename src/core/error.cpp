#include "core/error.h"

namespace calivue {

std::string_view describe(Error e)
{
    switch (e) {
        case Error::None:
            return "no error";
        case Error::NotFound:
            return "file not found";
        case Error::NotRegular:
            return "not a regular file";
        case Error::ReadFailed:
            return "reading the file failed";
        case Error::WriteFailed:
            return "writing the file failed";
        case Error::Empty:
            return "the file is empty";
        case Error::BadMagic:
            return "the file signature is wrong";
        case Error::BadVersion:
            return "the record carries no version";
        case Error::Truncated:
            return "the file is truncated";
        case Error::TooLarge:
            return "a declared size is too large";
        case Error::Corrupted:
            return "the file contradicts itself";
        case Error::Unsupported:
            return "the file is of an unsupported kind";
        case Error::NotLoaded:
            return "nothing is loaded";
        case Error::BadArgument:
            return "an argument is out of range";
        case Error::Cancelled:
            return "the operation was cancelled";
    }
    return "unknown error";
}

}  // namespace calivue
