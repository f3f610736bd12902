#include "core/recordpixels.h"

#include "core/constants.h"

#include <bit>
#include <cstring>

// The arithmetic of a row runs on a local buffer of fixed size, in loops with constant
// bounds that cannot leave it; every access to the caller's memory is a whole-row
// memcpy, which AddressSanitizer checks as one range. Checking each of the 76,800
// values of a pass again was most of a fuzz input's time, so the sanitizers leave the
// row loops alone.
#if defined(__clang__) || defined(__GNUC__)
#define CALIVUE_ROW_LOOP __attribute__((no_sanitize("address", "undefined")))
#else
#define CALIVUE_ROW_LOOP
#endif

namespace calivue {

namespace {

constexpr std::size_t kRowBytes = std::size_t{kWidth} * 2;

// The same swap both ways: a value stored high byte first, in host order, or back (with
// the loops' attributes, or it could not be inlined into them).
CALIVUE_ROW_LOOP inline std::uint16_t swapToHost(std::uint16_t v)
{
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::uint16_t>((v >> 8) | (v << 8));
    return v;
}

CALIVUE_ROW_LOOP void rowToHost(std::uint16_t (&row)[kWidth], std::uint16_t zeroValue)
{
    for (int x = 0; x < kWidth; ++x) {
        const std::uint16_t v = swapToHost(row[x]);
        row[x] = v == 0 ? zeroValue : v;
    }
}

CALIVUE_ROW_LOOP void rowToRecord(std::uint16_t (&row)[kWidth])
{
    for (int x = 0; x < kWidth; ++x) row[x] = swapToHost(row[x]);
}

}  // namespace

void decodeRecordPixels(std::span<const std::uint8_t> block, std::uint16_t zeroValue,
                        std::vector<std::uint16_t>& pixels)
{
    pixels.clear();
    if (block.size() < std::size_t{kPixels} * 2) {
        pixels.resize(kPixels);
        return;
    }
    // Array row 0 is the bottom of the picture, record row kHeight - 1: the rows are
    // appended bottom first. Appending copies rather than filling the vector with
    // zeros first only to overwrite them.
    pixels.reserve(kPixels);
    std::uint16_t row[kWidth];
    for (int arrayRow = 0; arrayRow < kHeight; ++arrayRow) {
        const std::size_t recordRow = static_cast<std::size_t>(kHeight - 1 - arrayRow);
        std::memcpy(row, block.subspan(recordRow * kRowBytes, kRowBytes).data(), kRowBytes);
        rowToHost(row, zeroValue);
        pixels.insert(pixels.end(), row, row + kWidth);
    }
}

void encodeRecordPixels(const std::uint16_t* raw, std::span<std::uint8_t> block)
{
    if (block.size() < std::size_t{kPixels} * 2) return;
    std::uint16_t row[kWidth];
    for (int recordRow = 0; recordRow < kHeight; ++recordRow) {
        const std::size_t arrayRow = static_cast<std::size_t>(kHeight - 1 - recordRow);
        std::memcpy(row, raw + arrayRow * kWidth, kRowBytes);
        rowToRecord(row);
        std::memcpy(block.subspan(recordRow * kRowBytes, kRowBytes).data(), row, kRowBytes);
    }
}

}  // namespace calivue
