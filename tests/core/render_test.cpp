// Palettes, interpolation, orientation, isotherm tints and blending.
#include "images.h"

#include "core/interpolate.h"
#include "core/palette.h"
#include "core/render.h"

#include <gtest/gtest.h>
#include <functional>
#include <random>
#include <thread>

using namespace calivue;
using calivue::test::makeImage;
using calivue::test::makeUniform;

namespace {
std::array<int, 3> rgbOf(std::uint32_t c)
{
    return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)};
}

// The straightforward four-by-four Catmull-Rom loop, for comparison with the
// separable fast version.
std::vector<std::int32_t> naiveInterpolate(const std::vector<std::int32_t>& src, int w, int h,
                                           int f)
{
    std::vector<std::int32_t> out(static_cast<std::size_t>(w * f) * h * f);
    auto at = [&](int x, int y) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return static_cast<std::int64_t>(src[static_cast<std::size_t>(y) * w + x]);
    };
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0)
            for (int l = 0; l < f; ++l)
                for (int k = 0; k < f; ++k) {
                    auto wx = catmullRomWeights(k, f), wy = catmullRomWeights(l, f);
                    std::int64_t r = 0;
                    for (int m = 0; m < 4; ++m) {
                        std::int64_t hsum = 0;
                        for (int n = 0; n < 4; ++n) hsum += wx[n] * at(x0 - 1 + n, y0 - 1 + m);
                        r += wy[m] * hsum;
                    }
                    out[static_cast<std::size_t>(y0 * f + l) * w * f + x0 * f + k] =
                        static_cast<std::int32_t>(r / 4194304);
                }
    return out;
}
}  // namespace

// Catches ramp arithmetic that rounds instead of truncating, and wrong bands.
TEST(Palette, AnchorsRampsAndSteps)
{
    EXPECT_EQ(rgbOf(paletteColour(1, 21)), (std::array<int, 3>{0, 0, 127}));
    EXPECT_EQ(rgbOf(paletteColour(1, 43)), (std::array<int, 3>{3, 0, 255}));
    EXPECT_EQ(rgbOf(paletteColour(3, 1)), (std::array<int, 3>{0, 0, 249}));
    EXPECT_EQ(rgbOf(paletteColour(6, 13)), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(rgbOf(paletteColour(6, 14)), (std::array<int, 3>{91, 0, 81}));
    EXPECT_EQ(rgbOf(paletteColour(6, 223)), (std::array<int, 3>{255, 89, 207}));
    EXPECT_EQ(rgbOf(paletteColour(6, 224)), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(rgbOf(paletteColour(0, 77)), (std::array<int, 3>{77, 77, 77}));
    EXPECT_EQ(rgbOf(paletteColour(7, 77)), (std::array<int, 3>{178, 178, 178}));
    EXPECT_EQ(rgbOf(paletteColour(5, 28)), (std::array<int, 3>{137, 0, 64}));
    EXPECT_EQ(paletteColour(9, 50), paletteColour(1, 50));
    EXPECT_EQ(paletteName(9), "Ironbow");
    EXPECT_EQ(paletteName(6), "16 Step Rainbow");
}

// Catches the floating-point index that lands the top of a span on 254.
TEST(Palette, IndexIsExactAtSpanEnds)
{
    for (int lo = 0; lo < 3000; lo += 37)
        for (int width = 1; width < 400; width += 13) {
            ASSERT_EQ(paletteIndex(lo, lo, lo + width), 0);
            ASSERT_EQ(paletteIndex(lo + width, lo, lo + width), 255) << lo << " " << width;
            ASSERT_EQ(paletteIndex(lo + width + 5, lo, lo + width), 255);
            ASSERT_EQ(paletteIndex(lo - 5, lo, lo + width), 0);
        }
    EXPECT_EQ(paletteIndex(3000, 2900, 3100), 127);
}

// Catches weights that do not sum to 2048 or are not exact at power-of-two factors.
TEST(Interpolation, WeightsAndWorkedExample)
{
    for (int f = 1; f <= 8; ++f)
        for (int k = 0; k < f; ++k) {
            auto w = catmullRomWeights(k, f);
            ASSERT_EQ(w[0] + w[1] + w[2] + w[3], 2048);
        }
    EXPECT_EQ(catmullRomWeights(1, 2), (std::array<int, 4>{-128, 1152, 1152, -128}));
    EXPECT_EQ(catmullRomWeights(0, 5), (std::array<int, 4>{0, 2048, 0, 0}));

    // A pixel of 1000 surrounded by 0, at f = 2.
    std::vector<std::int32_t> src(10 * 10, 0);
    src[5 * 10 + 5] = 1000;
    auto out = interpolateArray(src.data(), 10, 10, 2);
    auto at = [&](int row, int col) { return out[static_cast<std::size_t>(row) * 20 + col]; };
    EXPECT_EQ(at(10, 10), 1000);  // sub-position 0,0 is the source pixel
    EXPECT_EQ(at(10, 11), 562);   // half a pixel to the right
    EXPECT_EQ(at(11, 11), 316);   // diagonally half a pixel away
    EXPECT_EQ(at(10, 9), 562);    // half a pixel to the left
    EXPECT_EQ(at(10, 7), -62);    // one and a half pixels away: overshoot kept
}

// Catches a uniform area turning non-uniform at some factor, or black rows and
// columns at the edges.
TEST(Interpolation, UniformStaysUniformAtEveryFactor)
{
    std::vector<std::int32_t> src(kPixels, 3133);
    for (int f = 1; f <= 8; ++f) {
        auto out = interpolateArray(src.data(), kWidth, kHeight, f);
        ASSERT_EQ(out.size(), static_cast<std::size_t>(kPixels) * f * f);
        for (auto v : out) ASSERT_EQ(v, 3133) << "f " << f;
    }
    EXPECT_TRUE(interpolateArray(src.data(), kWidth, kHeight, 0).empty());
    EXPECT_TRUE(interpolateArray(src.data(), kWidth, kHeight, 9).empty());
}

// Catches any difference between the fast separable loops and the plain algorithm.
TEST(Interpolation, FastEqualsNaiveOnRandomImages)
{
    std::mt19937 rng(7);
    for (int f : {2, 3, 5, 8}) {
        const int w = 23, h = 17;
        std::vector<std::int32_t> src(static_cast<std::size_t>(w) * h);
        for (auto& v : src) v = static_cast<std::int32_t>(rng() % 65536);
        ASSERT_EQ(interpolateArray(src.data(), w, h, f), naiveInterpolate(src, w, h, f)) << f;
    }
    // Values near the 16-bit top keep their full 32-bit result.
    std::vector<std::int32_t> high(64, 65535);
    high[27] = 0;
    auto out = interpolateArray(high.data(), 8, 8, 4);
    EXPECT_EQ(*std::max_element(out.begin(), out.end()) > 65535, true);
}

// Catches span ends mapped off by one and render sizes for each orientation.
TEST(Render, SpanEndsAndSizes)
{
    auto img =
        makeImage([](int x, int) { return 2900 + x; }, [](RecordFields& f) { f.palette = 0; });
    auto pic = img->render(kWidth, kHeight, 1, 2900, 3100, 0);
    ASSERT_TRUE(pic);
    ASSERT_EQ(pic->size(), static_cast<std::size_t>(kPixels) * 3);
    EXPECT_EQ((*pic)[0], 0);          // value 2900 = spanLow → index 0
    EXPECT_EQ((*pic)[200 * 3], 255);  // value 3100 = spanHigh → 255
    EXPECT_EQ((*pic)[300 * 3], 255);  // above the span
    EXPECT_EQ((*pic)[100 * 3], 127);  // 3000: (100 · 255) / 200
    for (int o = 0; o < 4; ++o) {
        img->fields.orientation = static_cast<std::uint8_t>(o);
        auto p = img->render(kWidth, kHeight, 3, 2900, 3100, 0);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->size(), static_cast<std::size_t>(kPixels) * 9 * 3);
    }
    EXPECT_FALSE(img->render(kWidth, kHeight, 9, 2900, 3100, 0));
    cBrixa empty;
    EXPECT_FALSE(empty.render(kWidth, kHeight, 1, 2900, 3100, 0));
}

// Catches a zero-width span dividing by zero instead of falling back to spanRange.
TEST(Render, EmptySpanUsesAutomaticSpan)
{
    auto img =
        makeImage([](int x, int) { return 2900 + x; }, [](RecordFields& f) { f.palette = 0; });
    auto a = img->render(kWidth, kHeight, 1, 3000, 3000, 0);
    int lo = 0, hi = 0;
    img->spanRange(lo, hi);
    auto b = img->render(kWidth, kHeight, 1, lo, hi, 0);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
}

// Catches wrong index maps for the quarter and half turns.
TEST(Render, OrientationIndexMaps)
{
    const int C = 4, R = 3;
    std::vector<std::uint8_t> src(C * R * 3);
    for (int i = 0; i < C * R; ++i) src[i * 3] = static_cast<std::uint8_t>(i);
    auto o1 = orientPicture(src, C, R, 1);
    auto o2 = orientPicture(src, C, R, 2);
    auto o3 = orientPicture(src, C, R, 3);
    for (int j = 0; j < R; ++j)
        for (int k = 0; k < C; ++k) {
            const int s = j * C + k;
            EXPECT_EQ(o1[((C - 1 - k) * R + j) * 3], s);
            EXPECT_EQ(o2[((R - 1 - j) * C + (C - 1 - k)) * 3], s);
            EXPECT_EQ(o3[(k * R + (R - 1 - j)) * 3], s);
        }
    // Orientation 2 of a full picture puts source element 0 at 76,799.
    std::vector<std::uint8_t> big(static_cast<std::size_t>(kPixels) * 3, 0);
    big[0] = 7;
    EXPECT_EQ(orientPicture(big, kWidth, kHeight, 2)[76799 * 3], 7);
}

// Catches a fast quarter-turn path that differs from turning the plain render.
TEST(Render, OrientedRenderEqualsTurnedPlainRender)
{
    auto img =
        makeImage([](int x, int row) { return 2900 + (x * 37 + row * 91) % 400 + (x == 7) * 900; },
                  [](RecordFields& f) { f.palette = 5; });
    for (int f : {1, 2, 3}) {
        auto plain = img->renderUnoriented(kWidth, kHeight, f, 2950, 3200, 3);
        ASSERT_TRUE(plain);
        for (int o = 1; o <= 3; ++o) {
            std::vector<std::uint8_t> turned;
            ASSERT_TRUE(img->renderInto(turned, f, 2950, 3200, 3, o));
            ASSERT_EQ(turned, orientPicture(*plain, kWidth * f, kHeight * f, o)) << f << " " << o;
        }
    }
}

// Catches tints applied in the wrong order or to values outside the bands.
TEST(Render, IsothermTints)
{
    auto img = makeUniform(3000, [](RecordFields& f) {
        f.palette = 0;
        f.blueLower = 2990;
        f.blueUpper = 3010;
        f.redLower = 3000;
        f.redUpper = 3000;
    });
    // Palette white (index 255) inside the blue band becomes (102, 102, 255).
    auto blue = img->render(kWidth, kHeight, 1, 2000, 3000, 1);
    EXPECT_EQ((*blue)[0], 255);  // B
    EXPECT_EQ((*blue)[1], 102);  // G
    EXPECT_EQ((*blue)[2], 102);  // R
    // In both bands: blue first, then red on top.
    auto both = img->render(kWidth, kHeight, 1, 2000, 3000, 3);
    EXPECT_EQ((*both)[0], 102);
    EXPECT_EQ((*both)[1], 40);
    EXPECT_EQ((*both)[2], 193);
    auto none = img->render(kWidth, kHeight, 1, 2000, 3000, 0);
    EXPECT_EQ((*none)[0], 255);
}

namespace {
std::vector<std::uint8_t> solid(int f, std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    std::vector<std::uint8_t> v(static_cast<std::size_t>(kPixels) * f * f * 3);
    for (std::size_t i = 0; i < v.size(); i += 3) {
        v[i] = b;
        v[i + 1] = g;
        v[i + 2] = r;
    }
    return v;
}
}  // namespace

// Catches wrong shift formulas for the fixed blend modes.
TEST(Blend, MixFormulas)
{
    auto img = makeUniform(3000);
    const auto vis = solid(1, 200, 100, 40);
    auto mix = [&](int mode) {
        auto t = solid(1, 100, 201, 255);
        blendPictures(t, vis, mode, 1, *img, 2900, 3100);
        return std::array<int, 3>{t[0], t[1], t[2]};
    };
    EXPECT_EQ(mix(25), (std::array<int, 3>{50 + 25 + 50, 100 + 50 + 25, 127 + 63 + 10}));
    EXPECT_EQ(mix(50), (std::array<int, 3>{50 + 100, 100 + 50, 127 + 20}));
    EXPECT_EQ(mix(75), (std::array<int, 3>{100 + 25 + 50, 50 + 50 + 25, 20 + 63 + 10}));
    EXPECT_EQ(mix(100), (std::array<int, 3>{200, 100, 40}));
    EXPECT_EQ(mix(0), (std::array<int, 3>{100, 200, 254}));  // thermal only, low bit dropped
}

// Catches the alignment mapping: 3·f columns per horizontal unit, f rows per
// vertical unit, unmapped pixels left alone.
TEST(Blend, AlignmentMapping)
{
    auto img = makeUniform(3000, [](RecordFields& f) {
        f.alignX = 2;
        f.alignY = -1;
    });
    const int f = 2, cols = kWidth * f;
    std::vector<std::uint8_t> vis(static_cast<std::size_t>(kPixels) * f * f * 3, 0);
    vis[(static_cast<std::size_t>(10) * cols + 20) * 3] = 250;  // visual row 10, column 20
    auto t = solid(f, 0, 0, 0);
    blendPictures(t, vis, 100, f, *img, 2900, 3100);
    // Goes to thermal row 10 + 2·(−1) = 8, column 20 + 3·2·2 = 32.
    EXPECT_EQ(t[(static_cast<std::size_t>(8) * cols + 32) * 3], 250 & ~1);
    // The last rows have no visual pixel mapped onto them and stay thermal.
    auto t2 = solid(f, 77, 77, 77);
    blendPictures(t2, solid(f, 0, 0, 0), 100, f, *img, 2900, 3100);
    EXPECT_EQ(t2[(static_cast<std::size_t>(kHeight * f - 1) * cols + 100) * 3], 77);
    EXPECT_EQ(t2[(static_cast<std::size_t>(5) * cols + 5) * 3], 77);   // left columns unmapped
    EXPECT_EQ(t2[(static_cast<std::size_t>(5) * cols + 100) * 3], 0);  // mapped: visual only
}

// Catches a window of the wrong size or position for the picture-in-picture modes.
TEST(Blend, CentredWindowModes)
{
    auto img = makeUniform(3000);
    auto t = solid(1, 100, 100, 100);
    blendPictures(t, solid(1, 20, 20, 20), 101, 1, *img, 2900, 3100);
    auto px = [&](int row, int col) {
        return t[(static_cast<std::size_t>(row) * kWidth + col) * 3];
    };
    EXPECT_EQ(px(0, 0), 20);     // outside the window: visual
    EXPECT_EQ(px(64, 96), 100);  // window corner: thermal
    EXPECT_EQ(px(175, 223), 100);
    EXPECT_EQ(px(176, 223), 20);
    EXPECT_EQ(px(175, 224), 20);
    EXPECT_EQ(px(63, 96), 20);
}

// Catches threshold comparisons on the wrong side or against the wrong span.
TEST(Blend, ThresholdModes)
{
    // Columns carry values 2950..3049 (e = 1, unit °C, scale 10: raw equivalent = value).
    auto img = makeImage([](int x, int) { return 2950 + x % 100; },
                         [](RecordFields& f) { f.emissivity[10] = 100; });
    const auto vis = solid(1, 9, 9, 9);
    auto above = solid(1, 200, 200, 200);
    blendPictures(above, vis, 160, 1, *img, 2900, 3100);  // 50 %: threshold 3000
    auto below = solid(1, 200, 200, 200);
    blendPictures(below, vis, 210, 1, *img, 2900, 3100);
    const std::int32_t* s = img->smoothedArray();
    for (int x = 2; x < 300; ++x) {
        const int v = s[50 * kWidth + x];
        const auto pa = above[(50 * kWidth + x) * 3];
        const auto pb = below[(50 * kWidth + x) * 3];
        ASSERT_EQ(pa, v <= 3000 ? 9 : 200) << x;
        ASSERT_EQ(pb, v >= 3000 ? 9 : 200) << x;
    }
}

// Catches a blend applied after the rotation instead of in the captured frame.
TEST(Blend, HappensBeforeOrientation)
{
    auto img = makeImage([](int x, int) { return 2900 + x; },
                         [](RecordFields& f) {
                             f.orientation = 1;
                             f.palette = 0;
                         });
    std::vector<std::uint8_t> vis(static_cast<std::size_t>(kPixels) * 3, 0);
    vis[0] = 250;  // visual array row 0, column 0
    auto out = renderBlended(*img, 1, 2900, 3219, 0, vis, 100);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(kPixels) * 3);
    // Source (0, 0) lands at (C − 1 − 0) × R + 0 after a quarter turn.
    EXPECT_EQ(out[static_cast<std::size_t>((kWidth - 1) * kHeight) * 3], 250 & ~1);
}

namespace {

// What a load and a view compute from one record: ranges, smoothing, bands, pictures in
// every orientation and the record encoded again.
struct Computed {
    int spanLow = 0, spanHigh = 0, fullLow = 0, fullHigh = 0;
    std::vector<std::int32_t> smoothed;
    std::uint16_t blueLower = 0, redUpper = 0;
    std::vector<std::vector<std::uint8_t>> pictures;
    std::vector<std::uint8_t> encoded;
    bool operator==(const Computed&) const = default;
};

Computed computeAll(cBrixa& img, const std::vector<std::uint8_t>& record,
                    std::vector<std::uint8_t>& encodeBuffer)
{
    Computed c;
    if (img.loadFromBytes(record, "reuse.qvx") != Error::None) return c;
    img.spanRange(c.spanLow, c.spanHigh);
    img.fullRange(c.fullLow, c.fullHigh);
    c.smoothed.assign(img.smoothedArray(), img.smoothedArray() + kPixels);
    c.blueLower = img.fields.blueLower;
    c.redUpper = img.fields.redUpper;
    for (int o = 0; o < 4; ++o) {
        std::vector<std::uint8_t> picture;
        // An empty span (the automatic one), then the record's own.
        img.renderInto(picture, 1 + o % 3, 0, 0, 3, o);
        c.pictures.push_back(picture);
        img.renderPicture(picture, 2, o * 2, img.fields.spanLow, img.fields.spanHigh, 1, o);
        c.pictures.push_back(picture);
    }
    encodeRecordInto(img, LocalStamp{true, 1, 2, 3, 4, 5, 2010}, encodeBuffer);
    c.encoded = encodeBuffer;
    return c;
}

}  // namespace

// Catches state left behind in the buffers the decoder, the ranges, the smoothing, the colour
// table and the encoder keep across calls (a histogram still holding the previous image's
// counts, a colour table or transposed copy of the previous picture, an encoder buffer whose
// old bytes show through): records computed one after another on one image and one thread,
// with an encoder buffer full of other bytes, give what each gives alone on a fresh thread.
TEST(Render, ReusedBuffersGiveTheResultsOfFreshOnes)
{
    const std::vector<std::function<int(int, int)>> pictures = {
        [](int x, int row) { return 1 + x * 200 + row; },  // nearly the whole range
        [](int x, int) { return 3000 + x % 10; },          // narrow
        [](int x, int row) { return row == 10 && x < 2 ? 9000 : 3000 + x; },  // two outliers
        [](int, int) { return 2932; },                                        // uniform
        [](int x, int row) { return (x + row) % 7 == 0 ? 0 : 2000 + x; },     // zeros carried
    };
    std::vector<std::vector<std::uint8_t>> records;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        auto img = makeImage(pictures[i], [i](RecordFields& f) {
            f.palette = static_cast<std::uint8_t>(i + 3);
            f.orientation = static_cast<std::uint8_t>(i % 4);
        });
        ASSERT_TRUE(img);
        records.push_back(encodeRecord(*img, LocalStamp{true, 1, 2, 3, 4, 5, 2010}));
    }
    // A record cut short decodes through the zero-padded copy.
    records.push_back(std::vector<std::uint8_t>(records[0].begin(), records[0].begin() + 90000));

    std::vector<Computed> fresh(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::thread([&, i] {
            cBrixa img;
            std::vector<std::uint8_t> buffer;
            fresh[i] = computeAll(img, records[i], buffer);
        }).join();
        ASSERT_EQ(fresh[i].encoded.size(), kRecordSize) << i;
    }
    cBrixa img;
    std::vector<std::uint8_t> buffer(kRecordSize + 1000, 0xAB);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t k = 0; k < records.size(); ++k) {
            const std::size_t i = pass == 0 ? k : records.size() - 1 - k;
            std::fill(buffer.begin(), buffer.end(), std::uint8_t{0xAB});
            const Computed again = computeAll(img, records[i], buffer);
            EXPECT_EQ(again.spanLow, fresh[i].spanLow) << i;
            EXPECT_EQ(again.spanHigh, fresh[i].spanHigh) << i;
            EXPECT_EQ(again.fullLow, fresh[i].fullLow) << i;
            EXPECT_EQ(again.fullHigh, fresh[i].fullHigh) << i;
            EXPECT_TRUE(again == fresh[i]) << "record " << i << " pass " << pass;
        }
    }
}
