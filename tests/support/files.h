// Files for tests without Qt: a temporary folder that cleans up after itself, and whole-file
// reads and writes for the inputs tests build and the outputs they compare.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calivue::test {

// A new, empty folder under the system's temporary folder, named `prefix` and a random number.
// The destructor removes it with everything in it, first giving the owner back every
// permission a test took away, so a locked subfolder does not stay behind.
class TempDir {
public:
    explicit TempDir(std::string_view prefix = "calivue_test_");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& rel) const { return m_path / rel; }

private:
    std::filesystem::path m_path;
};

// The whole file as bytes; empty when it cannot be read.
std::vector<std::uint8_t> readAll(const std::filesystem::path& p);

// The bytes of a text, as a file holding it would have them.
std::vector<std::uint8_t> bytesOf(std::string_view text);

// Fills a fixed-size text field as records store it: the text, cut to fit, then NULs.
void setText(std::span<std::uint8_t> field, std::string_view text);

// Replaces the file with `bytes`, creating its folder when missing.
void writeAll(const std::filesystem::path& p, std::span<const std::uint8_t> bytes);
void writeAll(const std::filesystem::path& p, std::string_view text);

}  // namespace calivue::test
