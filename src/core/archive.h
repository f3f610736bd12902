// Internal to the core layer.
// A minimal serialisable-object base and byte-stream archive.
//
// Loading archives read from a file; storing archives collect bytes and commit
// them atomically (temporary file, then rename), so a failed store leaves the
// previous file untouched.
#pragma once

#include "core/error.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace calivue {

class CArchive {
public:
    enum class Mode { Load, Store };

    CArchive(Mode mode, std::filesystem::path path) : m_mode(mode), m_path(std::move(path)) {}

    bool isStoring() const { return m_mode == Mode::Store; }
    bool isLoading() const { return m_mode == Mode::Load; }
    const std::filesystem::path& path() const { return m_path; }

    // Loading: reads up to maxBytes from the file's start. NotFound when the
    // file cannot be opened.
    Result<std::vector<std::uint8_t>> readUpTo(std::size_t maxBytes);

    // Storing: appends bytes to the pending output.
    void write(std::span<const std::uint8_t> bytes);
    // Storing: writes the pending output to the path atomically.
    Error commit();

private:
    Mode m_mode;
    std::filesystem::path m_path;
    std::vector<std::uint8_t> m_out;
};

// Base of the classes read from and written to archives.
class CObject {
public:
    virtual ~CObject() = default;
    // None, or why the object could not be stored or loaded.
    virtual Error serialize(CArchive& ar) = 0;
};

}  // namespace calivue
