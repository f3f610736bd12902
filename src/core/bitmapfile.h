// cBitmapFile: one uncompressed 24-bit device-independent bitmap in memory, read
// from a .bmp file or built from packed pixels, with cut and shrink operations;
// plus the writer for 24-bit .bmp files.
//
// The pixels are always held bottom-up (stored row 0 is the bottom row of the
// picture), 3 bytes per pixel in blue, green, red order, each row padded to a
// multiple of 4 bytes, and the held info header always describes them exactly.
#pragma once

#include "core/error.h"
#include "core/fileio.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace calivue {

// The 14-byte file header as read (little-endian in the file).
struct BitmapFileHeader {
    std::uint16_t type = 0;  // 0x4D42, the letters B and M
    std::uint32_t fileSize = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t pixelOffset = 0;
};

// The 40-byte information header. The held copy is normalised: size is 40 (a
// longer header read from a file is cut to its first 40 bytes), height is
// positive (bottom-up) and imageSize is the size of the held pixel buffer.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;
};

// Limits on what a bitmap may declare. They keep a hostile header from asking
// for gigabytes; the camera's pictures are 640 × 240 and logos are far below.
inline constexpr std::int32_t kBitmapMaxSide = 32768;
inline constexpr std::size_t kBitmapMaxPixelBytes = std::size_t{256} << 20;
inline constexpr std::size_t kBitmapMaxFileBytes = kBitmapMaxPixelBytes + (std::size_t{1} << 20);

// Bytes per stored row of a 24-bit picture of the given width (padded to 4), or
// an empty optional when the width is not positive or the size overflows.
std::optional<std::size_t> bitmapStride24(std::int32_t width);

class cBitmapFile {
public:
    cBitmapFile() = default;
    // An empty object, then Load(path); test IsValid() for the outcome.
    explicit cBitmapFile(const std::filesystem::path& path);

    // Reads a 24-bit uncompressed .bmp file: None when the object now holds the
    // picture, else the reason. Any file whose header contradicts itself or the
    // file's length leaves the object empty. fileOpened() is 1 whenever the file
    // could be opened (also for a wrong signature), 0 when it could not.
    Error Load(const std::filesystem::path& path);
    // As Load, from the bytes of a whole file already in memory; fileOpened()
    // becomes 1. The bytes are copied; the caller keeps its buffer.
    Error LoadFromBytes(std::span<const std::uint8_t> bytes);
    int fileOpened() const { return m_fileOpened; }

    bool IsValid() const { return m_info.has_value(); }

    // Columns x0..x1-1 of stored rows y0..y1-1 packed as 3 bytes per pixel
    // without row padding, or an empty optional when the object is empty or the
    // rectangle is not inside the picture. The caller owns the returned buffer.
    std::optional<std::vector<std::uint8_t>> CutRegion(int x0, int y0, int x1, int y1) const;

    // Replaces the contents with a w × h picture built from packed pixels
    // (3 bytes per pixel, no row padding, bottom row first); empty pixels give a
    // black picture. BadArgument, with the object unchanged, when w or h is not
    // positive or too large, or when pixels is non-empty but not w × h × 3 bytes.
    Error CreateFromPixels(int w, int h, std::span<const std::uint8_t> pixels = {});

    // Keeps every n-th pixel of every n-th row. Refused (object unchanged) unless
    // the object holds a picture, n > 0, the width is a multiple of 4 and both
    // sides are multiples of n: NotLoaded or BadArgument.
    Error Shrink(int n);

    // Releases everything and returns to the empty state (fileOpened() 0).
    void Free();

    // Null when the object is empty.
    const BitmapInfoHeader* infoHeader() const { return m_info ? &*m_info : nullptr; }
    int width() const { return m_info ? m_info->width : 0; }
    int height() const { return m_info ? m_info->height : 0; }
    int bitCount() const { return m_info ? m_info->bitCount : 0; }
    std::uint32_t imageSize() const { return m_info ? m_info->imageSize : 0; }
    // Bytes per stored row, 0 when empty.
    std::size_t stride() const;
    // stride() × height() bytes, bottom row first; empty when the object is empty.
    std::span<const std::uint8_t> pixels() const { return m_pixels; }

    // The file header as read by the last successful load; zero otherwise.
    const BitmapFileHeader& fileHeader() const { return m_fileHeader; }
    // The bytes between the information header and the pixels, when there are any.
    std::span<const std::uint8_t> colourTable() const { return m_colourTable; }
    int colourTableSize() const { return static_cast<int>(m_colourTable.size()); }

private:
    struct Headers;
    static Result<Headers> checkHeaders(std::span<const std::uint8_t> bytes,
                                        std::uintmax_t fileLength);
    Error parseBody(std::span<const std::uint8_t> bytes, const Headers& h);
    Error parse(std::span<const std::uint8_t> bytes);

    std::optional<BitmapInfoHeader> m_info;
    std::vector<std::uint8_t> m_pixels;
    std::vector<std::uint8_t> m_colourTable;
    BitmapFileHeader m_fileHeader;
    int m_fileOpened = 0;
};

// A whole 24-bit .bmp file (54-byte header, rows padded to 4 bytes, bottom-up)
// from packed rows: 3 bytes per pixel in blue, green, red order, no padding,
// row 0 of the buffer stored first (the bottom row). Empty when width or height
// is not positive or too large, or the buffer is not width × height × 3 bytes.
std::vector<std::uint8_t> encodeBmp24(int width, int height,
                                      std::span<const std::uint8_t> bgrPackedRows);

// Writes encodeBmp24's bytes to path atomically: a failure leaves any previous
// file untouched. BadArgument for the cases where encodeBmp24 gives nothing;
// WriteFailed with failure (when given) saying why.
Error writeBmp24(const std::filesystem::path& path, int width, int height,
                 std::span<const std::uint8_t> bgrPackedRows, FileFailure* failure = nullptr);

}  // namespace calivue
