// Smoothing, hottest/coldest search, area statistics and value ranges.
#include "images.h"

#include <gtest/gtest.h>

using namespace calivue;
using calivue::test::makeImage;
using calivue::test::makeUniform;

// Catches a smoothing that shifts values or a search that ignores tie order.
TEST(Smooth, UniformImage)
{
    auto img = makeUniform(3000);
    const std::int32_t* s = img->hasImage();
    ASSERT_NE(s, nullptr);
    for (int i = 0; i < kPixels; ++i) ASSERT_EQ(s[i], 3000);
    EXPECT_EQ(img->stats().coldX, 2);
    EXPECT_EQ(img->stats().coldRow, 2);
    EXPECT_EQ(img->stats().hotX, 2);
    EXPECT_EQ(img->stats().hotRow, 2);
    EXPECT_FLOAT_EQ(img->stats().average, 3000.0f);
}

// Catches wrong neighbour sets at the last row and column (divisors 4, 2, 2, 1).
TEST(Smooth, BorderDivisors)
{
    auto img = makeImage([](int x, int row) { return 1000 + x + 1000 * (row % 2); });
    const std::int32_t* s = img->hasImage();
    // Interior: mean of (x, r), (x+1, r), (x, r+1), (x+1, r+1) truncated.
    EXPECT_EQ(s[0 * kWidth + 0], (1000 + 1001 + 2000 + 2001) / 4);
    // Last column: the pixel and the one above.
    EXPECT_EQ(s[0 * kWidth + 319], (1319 + 2319) / 2);
    // Last array row: the pixel and its right neighbour.
    EXPECT_EQ(s[239 * kWidth + 5], (2005 + 2006) / 2);
    EXPECT_EQ(s[239 * kWidth + 319], 2319);
}

// Catches a hot spot in the ignored border being reported, or ties resolved wrongly.
TEST(Smooth, HottestIgnoresBorderButAverageCountsIt)
{
    auto border = makeImage([](int x, int row) { return (x == 0 && row == 100) ? 9000 : 3000; });
    EXPECT_EQ(border->stats().maxRaw, 3000);
    EXPECT_GT(border->stats().average, 3000.0f);

    // Two equal hot 2×2 patches: the lower array row wins.
    auto tie = makeImage([](int x, int row) {
        bool a = (x == 50 || x == 51) && (row == 60 || row == 61);
        bool b = (x == 20 || x == 21) && (row == 150 || row == 151);
        return (a || b) ? 4000 : 3000;
    });
    EXPECT_EQ(tie->stats().maxRaw, 4000);
    EXPECT_EQ(tie->stats().hotX, 50);
    EXPECT_EQ(tie->stats().hotRow, 60);
}

// Catches wrong box margins: modes cover 120×80, 160×120 and 200×160 pixels.
TEST(AreaStatistics, BoxSizesByMode)
{
    // Value 4000 inside the small box only, so the average tells the box size.
    auto img = makeImage([](int x, int row) {
        return (x >= 101 && x < 219 && row >= 81 && row < 159) ? 4000 : 3000;
    });
    img->setAreaMode(0);
    EXPECT_EQ(img->areaStats().maxRaw, 4000);
    EXPECT_EQ(img->areaStats().minRaw, 3000);
    img->setAreaMode(2);
    const auto& a = img->areaStats();
    // Area mode 2 averages 32,000 pixels.
    long long sum = 0;
    for (int r = 40; r < 200; ++r)
        for (int c = 60; c < 260; ++c) sum += img->hasImage()[r * kWidth + c];
    EXPECT_FLOAT_EQ(a.average, static_cast<float>(sum / 32000.0));
    img->setAreaMode(3);  // ignored
    EXPECT_EQ(img->areaMode(), 2);
}

// Catches an area box in view that reads outside the picture for odd view rectangles.
TEST(AreaStatistics, InViewStaysInsideThePicture)
{
    auto img = makeUniform(3000);
    // A box running past the right and top edges is clipped, not read beyond.
    img->areaStatisticsInView(kWidth, kHeight, 250, 150, 1, 2);
    EXPECT_EQ(img->areaStats().maxRaw, 3000);
    EXPECT_FLOAT_EQ(img->areaStats().average, 3000.0f);
    img->areaStatisticsInView(kWidth, kHeight, -500, -500, 1, 2);
    EXPECT_EQ(img->areaStats().average, 0.0f);               // empty box
    img->areaStatisticsInView(kWidth, kHeight, 0, 0, 0, 1);  // zoom 0 is ignored
    img->areaStatisticsInView(kWidth, kHeight, 40, 30, 2, 1);
    EXPECT_FLOAT_EQ(img->areaStats().average, 3000.0f);
}

// Catches span ranges that count rare values or do not widen narrow data.
TEST(Ranges, SpanRangeAndFullRange)
{
    auto narrow = makeImage([](int x, int) { return 3000 + x % 10; });
    int lo = 0, hi = 0;
    ASSERT_TRUE(narrow->spanRange(lo, hi));
    // low 3000, high 3009: d = (3000 - 3009 + 50) / 2 = 20.
    EXPECT_EQ(lo, 2980);
    EXPECT_EQ(hi, 3029);

    // Two outlier pixels are ignored by spanRange but present in fullRange.
    auto outliers = makeImage([](int x, int row) {
        if (row == 10 && (x == 10 || x == 11)) return 9000;
        return 3000 + x;
    });
    ASSERT_TRUE(outliers->spanRange(lo, hi));
    EXPECT_EQ(lo, 3000);
    EXPECT_EQ(hi, 3319);
    ASSERT_TRUE(outliers->fullRange(lo, hi));
    EXPECT_EQ(lo, 3000);
    EXPECT_EQ(hi, 9000);

    cBrixa empty;
    EXPECT_FALSE(empty.spanRange(lo, hi));
}

// Catches resetIsotherms overwriting bands the user set, or ignoring force.
TEST(Ranges, ResetIsotherms)
{
    auto img = makeImage([](int x, int) { return 2000 + x * 10; });
    img->fields.blueLower = 100;
    img->fields.redLower = 200;
    img->resetIsotherms(false);
    EXPECT_EQ(img->fields.blueLower, 100);
    EXPECT_EQ(img->fields.redLower, 200);
    img->resetIsotherms(true);
    EXPECT_EQ(img->fields.blueLower, 2000 + 638);
}

// Catches a swapped marker colour table entry.
TEST(MarkerColoursTable, KnownEntries)
{
    EXPECT_EQ(markerColours(0).pen, 0x0000FF00u);
    EXPECT_EQ(markerColours(1).pen, 0x000080FFu);
    EXPECT_EQ(markerColours(10).fill, 0x00804000u);
    EXPECT_EQ(markerColours(11).pen, 0x000000FFu);
    EXPECT_EQ(markerColours(12).pen, 0x00FFFFFFu);
    EXPECT_EQ(markerColours(-1).fill, 0u);
}
