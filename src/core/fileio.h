// Small file helpers shared by the codecs: whole-file reads with a size cap,
// atomic replacement of a target, and companion-file lookup that ignores case.
#pragma once

#include "core/error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace calivue {

// Reads at most maxBytes from the start of the file (a longer file is cut there).
// NotFound when it does not exist, NotRegular for anything but a regular file
// (directory, FIFO, socket, device), ReadFailed when it cannot be opened or read.
Result<std::vector<std::uint8_t>> readFilePrefix(const std::filesystem::path& path,
                                                 std::size_t maxBytes);

// Which file a write failed on and the system's reason; empty when none failed.
struct FileFailure {
    std::filesystem::path path;
    std::error_code reason;
    explicit operator bool() const { return static_cast<bool>(reason); }
};
// "PATH: reason", one line, for messages and logs.
std::string describe(const FileFailure& failure);

// A file being written under a temporary name in its target's folder. commit()
// renames it over the target; until then the previous file is untouched, and one
// destroyed uncommitted removes its temporary. A target that is a symbolic link
// is written through to the file the link names, and an existing target keeps
// its permission bits. Every write is checked for its full byte count; after the
// first failure every call fails and failure() says where and why.
class PendingFile {
public:
    explicit PendingFile(const std::filesystem::path& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool write(std::span<const std::uint8_t> bytes);
    // Appends the whole of a regular file; a read failure names that file.
    bool copyFrom(const std::filesystem::path& source);
    // Syncs the data to the device and closes the temporary: do this for every
    // file of a set before committing any, so a failure leaves all old files.
    bool finish();
    // Renames the finished temporary over the target (after finish()).
    bool commit();

    const FileFailure& failure() const { return m_failure; }
    // The file commit() replaces: the target with symbolic links followed.
    const std::filesystem::path& target() const { return m_target; }

private:
    bool fail(const std::filesystem::path& path, std::error_code reason);
    bool fail(std::error_code reason) { return fail(m_target, reason); }

    std::filesystem::path m_named;  // as the caller gave it, for the test hook
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    int m_fd = -1;
    bool m_committed = false;
    FileFailure m_failure;
};

// Writes bytes to a temporary file in the target's folder and renames it over
// the target only when complete, so a failed save never destroys the old file.
// WriteFailed with failure (when given) naming the file and the system's reason.
Error writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                          FileFailure* failure = nullptr);

// Copies from onto to, overwriting. Copying a file onto itself succeeds and
// leaves it unchanged. Returns false when the copy failed.
bool copyFileOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The path itself when it exists; otherwise the single entry of the same folder
// whose name equals the file name without regard to ASCII case; otherwise empty.
std::optional<std::filesystem::path> findCaseInsensitive(const std::filesystem::path& path);

// ASCII lower-casing and case-insensitive comparison, for names from FAT cards.
std::string asciiLower(std::string s);
bool iequals(std::string_view a, std::string_view b);
bool iendsWith(std::string_view s, std::string_view suffix);
bool icontains(std::string_view s, std::string_view needle);

// Hooks for tests of the failure paths: a fault the file layer injects into its
// own writes (so no full disk or privileges are needed) and a count of the bytes
// its readers took. Not synchronised: set them while no other thread writes.
namespace fileio_hooks {
struct WriteFault {
    std::filesystem::path target;  // writes to this name only (as the caller gave it); empty: any
    int nth = 1;                   // the nth matching write fails, counted from 1
    bool shortWrite = false;       // that write stores half its bytes, then reports a full disk
};
// Replaces any earlier fault; nullopt removes it. The fault fires once.
void setWriteFault(std::optional<WriteFault> fault);
// Bytes read by readFilePrefix and PendingFile::copyFrom since the program started.
std::uint64_t bytesRead();
}  // namespace fileio_hooks

}  // namespace calivue
