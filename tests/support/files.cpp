#include "files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace calivue::test {

namespace fs = std::filesystem;

namespace {

// Gives the owner every permission on `dir` and the folders below it (links not followed), so
// remove_all can list and empty them.
void unlockTree(const fs::path& dir)
{
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec)) unlockTree(it->path());
}

}  // namespace

TempDir::TempDir(std::string_view prefix)
{
    std::random_device rd;
    m_path = fs::temp_directory_path() /
             (std::string(prefix) + std::to_string(rd()) + "_" + std::to_string(rd()));
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    unlockTree(m_path);
    fs::remove_all(m_path, ec);
}

std::vector<std::uint8_t> readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

void setText(std::span<std::uint8_t> field, std::string_view text)
{
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

void writeAll(const fs::path& p, std::span<const std::uint8_t> bytes)
{
    std::error_code ec;
    if (p.has_parent_path()) fs::create_directories(p.parent_path(), ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void writeAll(const fs::path& p, std::string_view text)
{
    writeAll(p, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace calivue::test
