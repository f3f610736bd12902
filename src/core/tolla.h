// cTolla: the camera's visual photograph file, a fixed 86,661-byte file held
// whole in memory, with a metadata block at offsets 54–76 that carries the
// capture time and the alignment of the thermal picture over the photograph.
// All bytes outside the metadata block are written back exactly as read.
#pragma once

#include "core/archive.h"
#include "core/error.h"
#include "core/fileio.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace calivue {

inline constexpr std::size_t kTollaSize = 86661;

// The decoded metadata block; the defaults are the reset values.
struct TollaFields {
    std::array<std::uint8_t, 2> version{1, 3};
    std::uint8_t hour = 0, minute = 0, second = 0;
    std::uint8_t day = 1, month = 1;
    std::uint16_t year = 2000;
    std::uint8_t param66 = 100;
    std::uint16_t param67 = 2932;
    std::uint16_t param69 = 2932;
    std::uint8_t param71 = 50;
    std::int16_t alignX = 0;  // -64..+64 when set through nudgeAlignment
    std::int16_t alignY = 0;
    std::uint8_t param76 = 0;

    bool operator==(const TollaFields&) const = default;
};

class cTolla : public CObject {
public:
    cTolla() = default;
    // Reset, then load(path); test isLoaded() for the outcome.
    explicit cTolla(const std::filesystem::path& path);

    // Back to the reset values; releases the buffer and forgets the path.
    void reset();

    // Reads up to 86,661 bytes into a zero-filled buffer. None only when the
    // metadata was accepted and the object is loaded; a file that reads but is
    // rejected gives the decoder's reason. The path is kept either way.
    Error load(const std::filesystem::path& path);
    // The decoding part of load, from bytes already in memory (at most 86,661
    // are used; a shorter buffer is zero-filled). Resets first.
    Error loadFromBytes(std::span<const std::uint8_t> bytes);

    // Writes the buffer with the metadata block re-encoded, atomically. Fails
    // with NotLoaded before touching the target when nothing is loaded, so a
    // failed save never creates, truncates or replaces a file. WriteFailed with
    // failure (when given) naming the file and the system's reason.
    Error save(const std::filesystem::path& path, FileFailure* failure = nullptr);

    // The whole file as save would write it; empty when nothing is loaded.
    std::vector<std::uint8_t> encode() const;

    // CObject: loading reads the archive's file; storing queues encode() on the
    // archive (which the caller commits) and fails with NotLoaded when nothing is.
    Error serialize(CArchive& ar) override;

    // Moves one offset by +1 or -1. An increment happens only below 64, a
    // decrement only at -63 or above; returns whether the offset changed.
    bool nudgeAlignment(bool horizontal, int direction);

    bool isLoaded() const { return m_loaded; }
    const std::filesystem::path& filePath() const { return m_path; }
    const std::string& text() const { return m_text; }
    // The whole-file buffer as read (kTollaSize bytes while loaded, else empty).
    std::span<const std::uint8_t> buffer() const { return m_buffer; }

    TollaFields fields;

private:
    std::vector<std::uint8_t> m_buffer;
    std::filesystem::path m_path;
    std::string m_text;
    bool m_loaded = false;
};

}  // namespace calivue
