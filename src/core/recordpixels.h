// Internal to the core layer.
// The record's pixel block and the image array: 16-bit values, high byte first,
// record row 0 the top of the picture, array row 0 its bottom. In a file of their
// own so that the fuzz build can leave these loops (76,800 values a pass) without
// coverage instrumentation; the header checks around them keep it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace calivue {

// Fills pixels with kPixels values (its storage reused) from a block of at least
// kPixels values; a stored 0 becomes zeroValue. A shorter block gives all zeros.
void decodeRecordPixels(std::span<const std::uint8_t> block, std::uint16_t zeroValue,
                        std::vector<std::uint16_t>& pixels);

// Writes kPixels values of raw (image-array order) into a block of 2 × kPixels bytes.
void encodeRecordPixels(const std::uint16_t* raw, std::span<std::uint8_t> block);

}  // namespace calivue
