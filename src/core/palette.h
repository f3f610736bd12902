// The eight 256-entry colour palettes. Colours are 0x00BBGGRR (red in the low byte).
#pragma once

#include <cstdint>
#include <string_view>

namespace calivue {

inline constexpr int kPaletteCount = 8;

// Entry (palette, index); palette outside 0–7 is treated as 1, index clamped to 0–255.
std::uint32_t paletteColour(int palette, int index);
inline std::uint8_t paletteRed(int p, int i)
{
    return paletteColour(p, i) & 0xFF;
}
inline std::uint8_t paletteGreen(int p, int i)
{
    return (paletteColour(p, i) >> 8) & 0xFF;
}
inline std::uint8_t paletteBlue(int p, int i)
{
    return (paletteColour(p, i) >> 16) & 0xFF;
}

// English name by number; any number outside 0–7 is named "Ironbow". The
// program shows the string-table text of the same number where one exists.
std::string_view paletteName(int number);

// Palette index of value v over a span: the exact integer part of
// (v − low) · 255 / (high − low), limited to 0–255. high must exceed low.
inline int paletteIndex(std::int64_t v, std::int64_t low, std::int64_t high)
{
    std::int64_t idx = (v - low) * 255 / (high - low);
    return idx <= 0 ? 0 : (idx >= 255 ? 255 : static_cast<int>(idx));
}

}  // namespace calivue
