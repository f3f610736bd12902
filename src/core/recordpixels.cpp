#include "recordpixels.h"

#include "constants.h"

#include <bit>
#include <cstring>

namespace calivue {

namespace {

// The same swap both ways: a value stored high byte first, in host order, or back.
std::uint16_t fromBigEndian(std::uint16_t v)
{
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::uint16_t>((v >> 8) | (v << 8));
    return v;
}

}  // namespace

void decodeRecordPixels(std::span<const std::uint8_t> block, std::uint16_t zeroValue,
                        std::vector<std::uint16_t>& pixels)
{
    pixels.resize(kPixels);
    if (block.size() < std::size_t{kPixels} * 2) return;
    for (int row = 0; row < kHeight; ++row) {
        // Record row 0 is the top of the picture; array row 0 is its bottom. A row is
        // copied whole, then each value is turned to host order in place.
        std::uint16_t* dst = pixels.data() + static_cast<std::size_t>(kHeight - 1 - row) * kWidth;
        std::memcpy(dst, block.data() + static_cast<std::size_t>(row) * kWidth * 2, kWidth * 2);
        for (int x = 0; x < kWidth; ++x) {
            const std::uint16_t v = fromBigEndian(dst[x]);
            dst[x] = v == 0 ? zeroValue : v;
        }
    }
}

void encodeRecordPixels(const std::uint16_t* raw, std::span<std::uint8_t> block)
{
    if (block.size() < std::size_t{kPixels} * 2) return;
    std::uint16_t row16[kWidth];
    for (int row = 0; row < kHeight; ++row) {
        const std::uint16_t* src = raw + static_cast<std::size_t>(kHeight - 1 - row) * kWidth;
        for (int x = 0; x < kWidth; ++x) row16[x] = fromBigEndian(src[x]);
        std::memcpy(block.data() + static_cast<std::size_t>(row) * kWidth * 2, row16, kWidth * 2);
    }
}

}  // namespace calivue
