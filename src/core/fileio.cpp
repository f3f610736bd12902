#include "fileio.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace calivue {

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
        if (!in) {
            if (in.eof()) break;
            return Error::ReadFailed;
        }
    }
    return out;
}

Error writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    static std::atomic<unsigned> counter{0};
    fs::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    std::random_device rd;
    fs::path tmp = dir / (".~" + path.filename().string() + "." + std::to_string(rd()) + "." +
                          std::to_string(counter++) + ".tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return Error::WriteFailed;
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(tmp, ec);
            return Error::WriteFailed;
        }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return Error::WriteFailed;
    }
    return Error::None;
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
