#include "core/fileio.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace calivue {

namespace {

std::optional<fileio_hooks::WriteFault> g_fault;
int g_faultWrites = 0;
std::atomic<std::uint64_t> g_bytesRead{0};

std::error_code lastErrno()
{
    return {errno, std::generic_category()};
}

// The file a write to path lands in: symbolic links followed to the end (a
// relative link against its own folder); the path itself when it is no link.
// A dangling link gives the path it names, so the save creates that file.
fs::path followLinks(fs::path path, std::error_code& ec)
{
    for (int hops = 0; hops < 40; ++hops) {
        const fs::file_status st = fs::symlink_status(path, ec);
        if (ec && st.type() != fs::file_type::not_found) return path;
        ec.clear();
        if (st.type() != fs::file_type::symlink) return path;
        fs::path next = fs::read_symlink(path, ec);
        if (ec) return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

// Whether the hook makes this write fail, and how much of it is stored first.
std::optional<std::size_t> injectedFault(const fs::path& named, std::size_t size)
{
    if (!g_fault || (!g_fault->target.empty() && g_fault->target != named)) return std::nullopt;
    if (++g_faultWrites < g_fault->nth) return std::nullopt;
    const bool isShort = g_fault->shortWrite;
    g_fault.reset();
    return isShort ? size / 2 : 0;
}

}  // namespace

Result<std::vector<std::uint8_t>> readFilePrefix(const fs::path& path, std::size_t maxBytes)
{
    // Only regular files are read: opening a FIFO would wait for a writer forever,
    // and a device could stream without end.
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) return Error::NotFound;
    if (ec) return Error::ReadFailed;  // e.g. a folder on the way may not be searched
    if (!fs::is_regular_file(st)) return Error::NotRegular;
    std::ifstream in(path, std::ios::binary);
    if (!in) return Error::ReadFailed;
    std::vector<std::uint8_t> out;
    out.reserve(std::min<std::size_t>(maxBytes, 1u << 20));
    std::uint8_t chunk[4096];
    while (out.size() < maxBytes) {
        std::size_t want = std::min<std::size_t>(sizeof chunk, maxBytes - out.size());
        in.read(reinterpret_cast<char*>(chunk), static_cast<std::streamsize>(want));
        std::streamsize got = in.gcount();
        if (got > 0) out.insert(out.end(), chunk, chunk + got);
        if (got > 0) g_bytesRead += static_cast<std::uint64_t>(got);
        if (!in) {
            if (in.eof()) break;
            return Error::ReadFailed;
        }
    }
    return out;
}

namespace fileio_hooks {
void setWriteFault(std::optional<WriteFault> fault)
{
    g_fault = std::move(fault);
    g_faultWrites = 0;
}
std::uint64_t bytesRead()
{
    return g_bytesRead.load();
}
}  // namespace fileio_hooks

std::string describe(const FileFailure& failure)
{
    return failure.path.string() + ": " + failure.reason.message();
}

PendingFile::PendingFile(const fs::path& target) : m_named(target)
{
    std::error_code ec;
    m_target = followLinks(target, ec);
    if (ec) {
        fail(target, ec);
        return;
    }
    struct stat old {};
    const bool exists = ::stat(m_target.c_str(), &old) == 0;
    // A folder (or device, FIFO) of the target's name would refuse the rename
    // only after the other files of a set were replaced: refuse it up front.
    if (exists && S_ISDIR(old.st_mode)) {
        fail(std::make_error_code(std::errc::is_a_directory));
        return;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        fail(std::make_error_code(std::errc::invalid_argument));
        return;
    }
    static std::atomic<unsigned> counter{0};
    fs::path dir = m_target.parent_path();
    if (dir.empty()) dir = ".";
    std::random_device rd;
    // The temporary's name carries at most 200 bytes of the target's, so a target whose
    // name is near the system's 255-byte limit can still be saved beside it.
    std::string base = m_target.filename().string();
    if (base.size() > 200) base.resize(200);
    m_temp =
        dir / (".~" + base + "." + std::to_string(rd()) + "." + std::to_string(counter++) + ".tmp");
    m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        // The folder is the reason (missing, read-only, full), but the user knows the file.
        fail(lastErrno());
        m_temp.clear();
        return;
    }
    if (exists) {
        // Replacing a file keeps who may read it: a private file stays private.
        // Only the owner or root may change the owner; otherwise the saver owns it.
        // The owner can be kept only by root; otherwise the saver owns the new file.
        [[maybe_unused]] const int owned = ::fchown(m_fd, old.st_uid, old.st_gid);
        if (::fchmod(m_fd, old.st_mode & 0777) != 0) fail(lastErrno());
    }
}

PendingFile::~PendingFile()
{
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temp.empty()) ::unlink(m_temp.c_str());
}

bool PendingFile::fail(const fs::path& path, std::error_code reason)
{
    if (!m_failure) m_failure = {path, reason};
    return false;
}

bool PendingFile::write(std::span<const std::uint8_t> bytes)
{
    if (m_failure) return false;
    if (m_fd < 0) return fail(std::make_error_code(std::errc::bad_file_descriptor));
    std::size_t limit = bytes.size();
    const std::optional<std::size_t> fault = injectedFault(m_named, bytes.size());
    if (fault) limit = *fault;
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, limit - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(lastErrno());
        // A write that stores nothing would loop forever; the system gives no reason.
        if (n == 0) return fail(std::make_error_code(std::errc::io_error));
        done += static_cast<std::size_t>(n);
    }
    if (fault) return fail(std::make_error_code(std::errc::no_space_on_device));
    return true;
}

bool PendingFile::copyFrom(const fs::path& source)
{
    if (m_failure) return false;
    std::error_code ec;
    if (!fs::is_regular_file(source, ec))
        return fail(source, ec ? ec : std::make_error_code(std::errc::invalid_argument));
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return fail(source, lastErrno());
    std::vector<std::uint8_t> chunk(std::size_t{1} << 16);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = fail(source, lastErrno());
            break;
        }
        if (n == 0) break;
        g_bytesRead += static_cast<std::uint64_t>(n);
        if (!write(std::span(chunk).first(static_cast<std::size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    return ok;
}

bool PendingFile::finish()
{
    if (m_failure) return false;
    if (m_fd < 0) return fail(std::make_error_code(std::errc::bad_file_descriptor));
    // Without the sync a crash after the rename can leave an empty or partial
    // file under the target's name, on file systems that reorder the two.
    if (::fsync(m_fd) != 0) return fail(lastErrno());
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) return fail(lastErrno());
    return true;
}

bool PendingFile::commit()
{
    if (m_failure) return false;
    if (m_fd >= 0 && !finish()) return false;
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) return fail(lastErrno());
    m_committed = true;
    // The rename itself is durable only once the folder is synced; a failure
    // here loses nothing that was there before, so it is not reported.
    fs::path dir = m_target.parent_path();
    if (dir.empty()) dir = ".";
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

Error writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                          FileFailure* failure)
{
    PendingFile file(path);
    if (file.write(bytes) && file.finish() && file.commit()) return Error::None;
    if (failure) *failure = file.failure();
    return Error::WriteFailed;
}

bool copyFileOver(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return true;
    if (!fs::is_regular_file(from, ec)) return false;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

std::string asciiLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

static char lowerOf(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool iequals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerOf(a[i]) != lowerOf(b[i])) return false;
    return true;
}

bool iendsWith(std::string_view s, std::string_view suffix)
{
    return s.size() >= suffix.size() && iequals(s.substr(s.size() - suffix.size()), suffix);
}

bool icontains(std::string_view s, std::string_view needle)
{
    if (needle.size() > s.size()) return false;
    for (std::size_t i = 0; i + needle.size() <= s.size(); ++i)
        if (iequals(s.substr(i, needle.size()), needle)) return true;
    return false;
}

std::optional<fs::path> findCaseInsensitive(const fs::path& path)
{
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    fs::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    std::string want = path.filename().string();
    std::optional<fs::path> found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (iequals(name, want)) {
            // Prefer a deterministic choice when several spellings exist.
            if (!found || name < found->filename().string()) found = path.parent_path() / name;
        }
    }
    return found;
}

}  // namespace calivue
