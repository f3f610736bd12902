// Turning values into a 24-bit picture: palette lookup over a span, isotherm
// tints, orientation, and blending with the visual photograph.
#include "core/render.h"
#include "core/pixelloop.h"

#include "core/brixa.h"
#include "core/displaystate.h"
#include "core/interpolate.h"
#include "core/palette.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace calivue {

namespace {

// Packs the colour of one value: palette entry over the span, then the blue
// and red isotherm tints (blue first, so a value in both bands gets both).
struct Colourer {
    int palette;
    std::int64_t low, high;
    unsigned iso;
    std::int64_t blueLo, blueHi, redLo, redHi;

    CALIVUE_PIXEL_LOOP std::uint32_t operator()(std::int64_t v) const
    {
        const std::uint32_t c = paletteColour(palette, paletteIndex(v, low, high));
        int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        if ((iso & 1u) && v >= blueLo && v <= blueHi) {
            b = static_cast<int>(0.4 * b) + 153;
            g = static_cast<int>(0.4 * g);
            r = static_cast<int>(0.4 * r);
        }
        if ((iso & 2u) && v >= redLo && v <= redHi) {
            b = static_cast<int>(0.4 * b);
            g = static_cast<int>(0.4 * g);
            r = static_cast<int>(0.4 * r) + 153;
        }
        return static_cast<std::uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
    }
};

inline void put(std::uint8_t* dst, std::uint32_t c)
{
    dst[0] = static_cast<std::uint8_t>(c >> 16);
    dst[1] = static_cast<std::uint8_t>(c >> 8);
    dst[2] = static_cast<std::uint8_t>(c);
}

// Colours cols × rows values in row order. With reverseRows the rows are
// written bottom to top, with reverseCols each row right to left.
template <typename ColourOf>
CALIVUE_PIXEL_LOOP void colourRows(const std::int32_t* v, int cols, int rows, bool reverseRows,
                                   bool reverseCols, ColourOf colourOf, std::uint8_t* out)
{
    for (int r = 0; r < rows; ++r) {
        const std::int32_t* src = v + static_cast<std::size_t>(r) * cols;
        std::uint8_t* dst =
            out + static_cast<std::size_t>(reverseRows ? rows - 1 - r : r) * cols * 3;
        if (reverseCols)
            for (int c = 0; c < cols; ++c)
                put(dst + static_cast<std::size_t>(cols - 1 - c) * 3, colourOf(src[c]));
        else
            for (int c = 0; c < cols; ++c)
                put(dst + static_cast<std::size_t>(c) * 3, colourOf(src[c]));
    }
}

// Colours through a lookup table over the source image's value range, which is
// exact and far cheaper than a division per pixel; interpolation overshoots
// outside that range are coloured directly.
// The lowest and highest value of the picture's image array (which holds exactly one
// value per pixel).
CALIVUE_FIXED_PIXEL_LOOP std::pair<std::int32_t, std::int32_t> valueRange(
    const std::vector<std::int32_t>& image)
{
    if (image.size() != std::size_t{kPixels}) return {0, 0};
    const std::int32_t* v = image.data();
    std::int32_t lo = v[0], hi = v[0];
    for (int i = 1; i < kPixels; ++i) {
        if (v[i] < lo) lo = v[i];
        if (v[i] > hi) hi = v[i];
    }
    return {lo, hi};
}

CALIVUE_PIXEL_LOOP void colourValues(const std::vector<std::int32_t>& values,
                                     const std::vector<std::int32_t>& source, int cols, int rows,
                                     bool reverseRows, bool reverseCols, const Colourer& col,
                                     std::uint8_t* out)
{
    if (values.empty()) return;
    const auto [mn, mx] = valueRange(source);
    const std::int64_t lo = mn, range = static_cast<std::int64_t>(mx) - mn + 1;
    // Kept for the thread and only ever grown: a table of up to 65,536 entries made
    // and zeroed anew for every picture cost more than the lookups.
    thread_local std::vector<std::uint32_t> lut;
    if (lut.size() < static_cast<std::size_t>(range)) lut.resize(static_cast<std::size_t>(range));
    std::uint32_t* const table = lut.data();
    for (std::int64_t i = 0; i < range; ++i) table[i] = col(lo + i);
    const auto span = static_cast<std::uint64_t>(range);
    colourRows(
        values.data(), cols, rows, reverseRows, reverseCols,
        [&, table](std::int32_t x) CALIVUE_PIXEL_LOOP {
            const auto i = static_cast<std::uint64_t>(static_cast<std::int64_t>(x) - lo);
            return i < span ? table[i] : col(x);
        },
        out);
}

struct ScopedFlag {
    bool& flag;
    explicit ScopedFlag(bool& f) : flag(f) { flag = true; }
    ~ScopedFlag() { flag = false; }
};

}  // namespace

bool cBrixa::renderInto(std::vector<std::uint8_t>& out, int f, int spanLow, int spanHigh,
                        unsigned iso, int orientation)
{
    if (m_rendering || !m_loaded || f < 1 || f > kMaxInterpolation) return false;
    if (m_image.empty() && !buildArrays(kWidth, kHeight)) return false;
    return renderPicture(out, f, fields.palette, spanLow, spanHigh, iso, orientation);
}

bool cBrixa::renderPicture(std::vector<std::uint8_t>& out, int f, int palette, int spanLow,
                           int spanHigh, unsigned iso, int orientation) const
{
    if (m_rendering || !m_loaded || m_image.empty() || f < 1 || f > kMaxInterpolation) return false;
    ScopedFlag busy(m_rendering);
    const bool quarter = orientation == 1 || orientation == 3;
    if (!quarter && (m_interpolated.empty() || m_interpolatedFactor != f)) {
        if (!interpolated(f)) return false;
    }
    if (spanHigh <= spanLow) {
        // A span without extent cannot map onto the palette; use the automatic one.
        spanRange(spanLow, spanHigh);
    }
    const Colourer col{palette >= 0 && palette < kPaletteCount ? palette : 1,
                       spanLow,
                       spanHigh,
                       iso,
                       fields.blueLower,
                       fields.blueUpper,
                       fields.redLower,
                       fields.redUpper};
    // Quarter turns colour the interpolation of the transposed picture, whose rows
    // are the turned picture's rows (reversed in order for 1, within each row for
    // 3); the integer sums are exact, so this equals turning the plain result.
    const std::vector<std::int32_t>* values = &m_interpolated;
    if (quarter) {
        if (m_transposedFactor != f) {
            thread_local std::vector<std::int32_t> t(kPixels);
            for (int r = 0; r < kHeight; ++r)
                for (int c = 0; c < kWidth; ++c)
                    t[static_cast<std::size_t>(c) * kHeight + r] =
                        m_image[static_cast<std::size_t>(r) * kWidth + c];
            interpolateInto(t.data(), kHeight, kWidth, f, m_transposed, m_scratch);
            m_transposedFactor = f;
        }
        values = &m_transposed;
    }
    out.resize(values->size() * 3);
    const int cols = (quarter ? kHeight : kWidth) * f, rows = (quarter ? kWidth : kHeight) * f;
    colourValues(*values, m_image, cols, rows, orientation == 1 || orientation == 2,
                 orientation == 2 || orientation == 3, col, out.data());
    return true;
}

std::optional<std::vector<std::uint8_t>> cBrixa::renderUnoriented(int width, int height, int f,
                                                                  int spanLow, int spanHigh,
                                                                  unsigned iso)
{
    if (width != kWidth || height != kHeight) return std::nullopt;
    std::vector<std::uint8_t> out;
    if (!renderInto(out, f, spanLow, spanHigh, iso, 0)) return std::nullopt;
    return out;
}

std::optional<std::vector<std::uint8_t>> cBrixa::render(int width, int height, int f, int spanLow,
                                                        int spanHigh, unsigned iso)
{
    if (width != kWidth || height != kHeight) return std::nullopt;
    std::vector<std::uint8_t> out;
    if (!renderInto(out, f, spanLow, spanHigh, iso, fields.orientation)) return std::nullopt;
    return out;
}

double cBrixa::rawEquivalentAt(int x, int row) const
{
    return toTenthsKelvin(temperatureAtImageEmissivity(x, row)) / 10.0 * m_scale;
}

std::vector<std::uint8_t> orientPicture(std::span<const std::uint8_t> src, int cols, int rows,
                                        int orientation)
{
    const std::size_t n = static_cast<std::size_t>(cols) * rows;
    if (cols <= 0 || rows <= 0 || src.size() < n * 3) return {};
    std::vector<std::uint8_t> dst(n * 3);
    if (orientation < 1 || orientation > 3) {
        std::memcpy(dst.data(), src.data(), n * 3);
        return dst;
    }
    if (orientation == 2) {
        for (std::size_t i = 0; i < n; ++i) std::memcpy(&dst[(n - 1 - i) * 3], &src[i * 3], 3);
        return dst;
    }
    // Quarter turns: the result has cols rows of rows values. Work in tiles so
    // that reads and writes both stay within the cache.
    constexpr int kTile = 32;
    for (int j0 = 0; j0 < rows; j0 += kTile) {
        for (int k0 = 0; k0 < cols; k0 += kTile) {
            const int j1 = std::min(j0 + kTile, rows), k1 = std::min(k0 + kTile, cols);
            for (int j = j0; j < j1; ++j) {
                for (int k = k0; k < k1; ++k) {
                    const std::size_t s = static_cast<std::size_t>(j) * cols + k;
                    const std::size_t d = orientation == 1
                                              ? static_cast<std::size_t>(cols - 1 - k) * rows + j
                                              : static_cast<std::size_t>(k) * rows + (rows - 1 - j);
                    std::memcpy(&dst[d * 3], &src[s * 3], 3);
                }
            }
        }
    }
    return dst;
}

std::vector<std::uint8_t> repeatPixels(std::span<const std::uint8_t> bgr, int cols, int rows, int f)
{
    if (cols <= 0 || rows <= 0 || f < 1 || bgr.size() < static_cast<std::size_t>(cols) * rows * 3)
        return {};
    const std::size_t outCols = static_cast<std::size_t>(cols) * f;
    std::vector<std::uint8_t> out(outCols * rows * f * 3);
    for (int r = 0; r < rows; ++r) {
        std::uint8_t* first = out.data() + static_cast<std::size_t>(r) * f * outCols * 3;
        for (int c = 0; c < cols; ++c)
            for (int k = 0; k < f; ++k)
                std::memcpy(first + (static_cast<std::size_t>(c) * f + k) * 3,
                            bgr.data() + (static_cast<std::size_t>(r) * cols + c) * 3, 3);
        for (int l = 1; l < f; ++l) std::memcpy(first + l * outCols * 3, first, outCols * 3);
    }
    return out;
}

namespace {

// Renders in the captured frame, mixes the visual picture in when `blend` is set, then turns.
bool renderPipeline(const cBrixa& img, const DisplayState& state, int f,
                    std::span<const std::uint8_t> visual, bool blend,
                    std::vector<std::uint8_t>& out)
{
    const int o = state.orientation >= 0 && state.orientation <= 3 ? state.orientation : 0;
    if (!blend)
        return img.renderPicture(out, f, state.palette, state.spanLow, state.spanHigh,
                                 state.isothermFlags, o);
    // Blending happens in the captured frame; the orientation turns the result.
    std::vector<std::uint8_t> pic;
    if (!img.renderPicture(pic, f, state.palette, state.spanLow, state.spanHigh,
                           state.isothermFlags, 0))
        return false;
    int low = state.spanLow, high = state.spanHigh;
    if (high <= low) img.spanRange(low, high);
    blendPictures(pic, visual, state.blendMode, f, img, low, high, state.alignX, state.alignY);
    out = o == 0 ? std::move(pic) : orientPicture(pic, kWidth * f, kHeight * f, o);
    return !out.empty();
}

}  // namespace

bool renderShown(const cBrixa& img, const DisplayState& state, int f,
                 std::span<const std::uint8_t> visual, std::vector<std::uint8_t>& out)
{
    return renderPipeline(img, state, f, visual, state.blendMode != 0 && !visual.empty(), out);
}

std::vector<std::uint8_t> renderBlended(cBrixa& img, int f, int spanLow, int spanHigh, unsigned iso,
                                        std::span<const std::uint8_t> visual, int blendMode)
{
    if (!img.imageArray() && !img.buildArrays()) return {};
    DisplayState state;
    state.spanLow = spanLow;
    state.spanHigh = spanHigh;
    state.palette = img.fields.palette;
    state.isothermFlags = iso;
    state.blendMode = blendMode;
    state.alignX = img.fields.alignX;
    state.alignY = img.fields.alignY;
    state.orientation = img.fields.orientation;
    // Any given visual picture is mixed in, mode 0 too (it mixes the thermal picture with
    // itself, as the tool's --blend 0 does).
    std::vector<std::uint8_t> out;
    if (!renderPipeline(img, state, f, visual, !visual.empty(), out)) return {};
    return out;
}

}  // namespace calivue
