#include "core/palette.h"

#include <array>

namespace calivue {

namespace {

struct Anchor {
    int index;
    int r, g, b;
};

using Table = std::array<std::uint32_t, kPaletteCount * 256>;

constexpr std::uint32_t rgb(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// Linear ramps between anchors, each component with integer division
// truncating toward zero; anchors keep their colour exactly.
template <std::size_t N>
void fillRamp(Table& t, int p, const std::array<Anchor, N>& a)
{
    for (std::size_t s = 0; s + 1 < N; ++s) {
        const Anchor& c = a[s];
        const Anchor& b = a[s + 1];
        for (int k = c.index; k <= b.index; ++k) {
            const int n = k - c.index, d = b.index - c.index;
            t[p * 256 + k] = rgb(c.r + n * (b.r - c.r) / d, c.g + n * (b.g - c.g) / d,
                                 c.b + n * (b.b - c.b) / d);
        }
    }
}

Table buildTable()
{
    Table t{};
    for (int i = 0; i < 256; ++i) {
        t[0 * 256 + i] = rgb(i, i, i);
        t[7 * 256 + i] = rgb(255 - i, 255 - i, 255 - i);
    }
    fillRamp<7>(t, 1,
                {{{0, 0, 0, 0},
                  {42, 0, 0, 255},
                  {84, 128, 0, 255},
                  {128, 255, 0, 0},
                  {170, 255, 128, 0},
                  {212, 255, 255, 0},
                  {255, 255, 255, 255}}});
    fillRamp<7>(t, 2,
                {{{0, 0, 0, 0},
                  {42, 0, 0, 255},
                  {84, 0, 255, 0},
                  {128, 255, 255, 0},
                  {170, 255, 0, 0},
                  {212, 255, 0, 255},
                  {255, 255, 255, 255}}});
    fillRamp<7>(t, 3,
                {{{0, 0, 0, 255},
                  {42, 0, 0, 0},
                  {84, 84, 84, 84},
                  {128, 128, 128, 128},
                  {170, 170, 170, 170},
                  {212, 255, 255, 255},
                  {255, 255, 0, 0}}});
    fillRamp<7>(t, 4,
                {{{0, 0, 0, 0},
                  {42, 91, 23, 0},
                  {84, 137, 55, 0},
                  {128, 255, 0, 0},
                  {170, 255, 128, 0},
                  {212, 255, 255, 0},
                  {255, 255, 255, 255}}});
    fillRamp<10>(t, 5,
                 {{{0, 0, 0, 0},
                   {28, 137, 0, 64},
                   {56, 113, 0, 159},
                   {84, 0, 0, 255},
                   {112, 18, 197, 255},
                   {140, 155, 160, 0},
                   {168, 255, 255, 0},
                   {196, 0, 255, 0},
                   {224, 255, 0, 0},
                   {255, 255, 255, 255}}});
    // 16 Step Rainbow: flat bands, each starting at the listed index.
    static constexpr Anchor kSteps[] = {
        {0, 0, 0, 0},       {14, 91, 0, 81},    {29, 129, 0, 200},   {44, 20, 0, 220},
        {59, 0, 186, 255},  {74, 0, 239, 139},  {89, 18, 255, 0},    {104, 199, 255, 0},
        {119, 255, 238, 0}, {134, 255, 168, 0}, {149, 255, 123, 0},  {164, 239, 69, 0},
        {179, 255, 0, 0},   {194, 255, 0, 120}, {209, 255, 89, 207}, {224, 255, 255, 255}};
    int step = 0;
    for (int i = 0; i < 256; ++i) {
        while (step + 1 < 16 && kSteps[step + 1].index <= i) ++step;
        t[6 * 256 + i] = rgb(kSteps[step].r, kSteps[step].g, kSteps[step].b);
    }
    return t;
}

const Table& table()
{
    static const Table t = buildTable();
    return t;
}

}  // namespace

std::uint32_t paletteColour(int palette, int index)
{
    if (palette < 0 || palette >= kPaletteCount) palette = 1;
    index = index < 0 ? 0 : (index > 255 ? 255 : index);
    return table()[static_cast<std::size_t>(palette) * 256 + static_cast<std::size_t>(index)];
}

std::string_view paletteName(int number)
{
    static constexpr std::string_view kNames[] = {
        "White Hot Mono", "Ironbow",       "Rainbow",         "Isotherm Style",
        "Hot Metal",      "High Contrast", "16 Step Rainbow", "Black Hot Mono"};
    if (number < 0 || number >= kPaletteCount) return kNames[1];
    return kNames[number];
}

}  // namespace calivue
