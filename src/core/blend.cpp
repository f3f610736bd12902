// Mixing a thermal picture with the visual photograph. Each component of a mix
// is a sum of right-shifted thermal (T) and visual (V) bytes.
#include "core/brixa.h"
#include "core/render.h"

#include <algorithm>
#include <vector>

namespace calivue {

namespace {

// (T >> t1) + (V >> v1) + (T >> t2) + (V >> v2)
struct Mix {
    int t1, v1, t2, v2;
    std::uint8_t operator()(std::uint8_t t, std::uint8_t v) const
    {
        return static_cast<std::uint8_t>((t >> t1) + (v >> v1) + (t >> t2) + (v >> v2));
    }
};

constexpr Mix kThermalOnly{1, 8, 1, 8};
constexpr Mix kThreeQuartersThermal{1, 8, 2, 2};
constexpr Mix kHalf{1, 1, 8, 8};
constexpr Mix kThreeQuartersVisual{8, 1, 2, 2};
constexpr Mix kVisualOnly{8, 1, 8, 1};

Mix mixForMode(int mode)
{
    switch (mode) {
        case 25:
            return kThreeQuartersThermal;
        case 50:
            return kHalf;
        case 75:
            return kThreeQuartersVisual;
        case 100:
            return kVisualOnly;
        default:
            return kThermalOnly;
    }
}

Mix windowMix(int mode)
{
    switch (mode) {
        case 101:
            return kThermalOnly;
        case 102:
            return kThreeQuartersThermal;
        case 103:
            return kHalf;
        default:
            return kThreeQuartersVisual;  // 104
    }
}

// Calls fn(thermalIndex, visualIndex) for each visual pixel of the rectangle
// whose aligned thermal position lies inside the thermal picture.
template <typename Fn>
void forMapped(int cols, int rows, int dx, int dy, int row0, int row1, int col0, int col1, Fn fn)
{
    for (int i = std::max(row0, 0); i < std::min(row1, rows); ++i) {
        const int ti = i + dy;
        if (ti < 0 || ti >= rows) continue;
        const int k0 = std::max({col0, 0, -dx}), k1 = std::min({col1, cols, cols - dx});
        for (int k = k0; k < k1; ++k)
            fn((static_cast<std::size_t>(ti) * cols + (k + dx)) * 3,
               (static_cast<std::size_t>(i) * cols + k) * 3);
    }
}

}  // namespace

void blendPictures(std::span<std::uint8_t> thermal, std::span<const std::uint8_t> visual, int mode,
                   int f, const cBrixa& img, int spanLow, int spanHigh)
{
    blendPictures(thermal, visual, mode, f, img, spanLow, spanHigh, img.fields.alignX,
                  img.fields.alignY);
}

void blendPictures(std::span<std::uint8_t> thermal, std::span<const std::uint8_t> visual, int mode,
                   int f, const cBrixa& img, int spanLow, int spanHigh, int alignX, int alignY)
{
    if (f < 1 || f > kMaxInterpolation) return;
    const int cols = kWidth * f, rows = kHeight * f;
    const std::size_t bytes = static_cast<std::size_t>(cols) * rows * 3;
    if (thermal.size() < bytes || visual.size() < bytes) return;
    // One unit of horizontal offset moves the photograph by three thermal pixels.
    const int dx = 3 * f * alignX, dy = f * alignY;
    std::uint8_t* t = thermal.data();
    const std::uint8_t* v = visual.data();

    const bool above = mode >= 150 && mode <= 170;
    const bool below = mode >= 200 && mode <= 220;
    if (above || below) {
        const std::int32_t* smoothed = img.smoothedArray();
        if (!smoothed) return;
        const double d = above ? 5.0 * mode - 750.0 : 5.0 * mode - 1000.0;
        const double threshold = spanLow + d * (spanHigh - spanLow) / 100.0;
        // The raw equivalent depends only on the smoothed value: tabulate it.
        const auto extremes = std::minmax_element(smoothed, smoothed + kPixels);
        const std::int32_t lowest = *extremes.first, highest = *extremes.second;
        std::vector<std::uint8_t> showVisual(static_cast<std::size_t>(highest - lowest + 1));
        for (std::int32_t s = lowest; s <= highest; ++s) {
            const float reading =
                img.temperatureOf(static_cast<std::uint16_t>(s), img.imageEmissivity(), true);
            const double rawEq = img.toTenthsKelvin(reading) / 10.0 * img.scale();
            showVisual[static_cast<std::size_t>(s - lowest)] =
                above ? rawEq <= threshold : rawEq >= threshold;
        }
        forMapped(cols, rows, dx, dy, 0, rows, 0, cols, [&](std::size_t ti, std::size_t vi) {
            const std::size_t pix = ti / 3;
            const int row = static_cast<int>(pix / cols) / f,
                      col = static_cast<int>(pix % cols) / f;
            const std::int32_t s = smoothed[static_cast<std::size_t>(row) * kWidth + col];
            if (showVisual[static_cast<std::size_t>(s - lowest)]) std::copy_n(v + vi, 3, t + ti);
        });
        return;
    }

    if (mode >= 101 && mode <= 104) {
        const std::vector<std::uint8_t> original(t, t + bytes);
        forMapped(cols, rows, dx, dy, 0, rows, 0, cols, [&](std::size_t ti, std::size_t vi) {
            for (int c = 0; c < 3; ++c) t[ti + c] = kVisualOnly(t[ti + c], v[vi + c]);
        });
        const Mix w = windowMix(mode);
        forMapped(cols, rows, dx, dy, 64 * f, 176 * f, 96 * f, 224 * f,
                  [&](std::size_t ti, std::size_t vi) {
                      for (int c = 0; c < 3; ++c) t[ti + c] = w(original[ti + c], v[vi + c]);
                  });
        return;
    }

    const Mix m = mixForMode(mode);
    forMapped(cols, rows, dx, dy, 0, rows, 0, cols, [&](std::size_t ti, std::size_t vi) {
        for (int c = 0; c < 3; ++c) t[ti + c] = m(t[ti + c], v[vi + c]);
    });
}

}  // namespace calivue
