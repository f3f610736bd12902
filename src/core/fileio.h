// Small file helpers shared by the codecs: whole-file reads with a size cap,
// atomic replacement of a target, and companion-file lookup that ignores case.
#pragma once

#include "error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace calivue {

// Reads at most maxBytes from the start of the file (a longer file is cut there).
// NotFound when it does not exist, NotRegular for anything but a regular file
// (directory, FIFO, socket, device), ReadFailed when it cannot be opened or read.
Result<std::vector<std::uint8_t>> readFilePrefix(const std::filesystem::path& path,
                                                 std::size_t maxBytes);

// Writes bytes to a temporary file in the target's folder and renames it over
// the target only when complete, so a failed save never destroys the old file.
Error writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

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

}  // namespace calivue
