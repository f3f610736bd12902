// Errors of the file codecs as named values. A codec never throws; the layer
// above chooses the user-facing message.
#pragma once

#include <string_view>
#include <variant>

namespace calivue {

enum class Error {
    None = 0,
    NotFound,     // the file does not exist
    NotRegular,   // the path names a directory, FIFO, socket or device, not a file
    ReadFailed,   // the file exists but cannot be opened or read
    WriteFailed,  // creating, writing or renaming the target failed
    Empty,        // the file holds no bytes at all
    BadMagic,     // the signature bytes are wrong
    BadVersion,   // the version field says "no record"
    Truncated,    // the data ends before a field it declares
    TooLarge,     // a declared size exceeds the limits the program accepts
    Corrupted,    // fields contradict each other or the file
    Unsupported,  // valid but of a kind the program does not handle
    NotLoaded,    // an operation needs loaded data and there is none
    BadArgument,  // a caller passed values outside the accepted range
    Cancelled,    // the user stopped the operation before it finished; nothing was written
};

// A short English description, for logs and the command-line tool.
std::string_view describe(Error e);

// A value or an error; a small stand-in for std::expected.
template <typename T>
class Result {
public:
    Result(T value) : m_v(std::move(value)) {}
    Result(Error e) : m_v(e) {}
    bool ok() const { return std::holds_alternative<T>(m_v); }
    explicit operator bool() const { return ok(); }
    Error error() const { return ok() ? Error::None : std::get<Error>(m_v); }
    T& value() { return std::get<T>(m_v); }
    const T& value() const { return std::get<T>(m_v); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

private:
    std::variant<T, Error> m_v;
};

}  // namespace calivue
