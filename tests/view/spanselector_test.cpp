// cSpanSelector on its own: the histogram and its outline, the position ↔ raw mapping, the
// hit test, the label places and the marks for span ends beyond the display.
#include "view/spanselector.h"
#include "viewtestutil.h"

#include "images.h"

#include "core/palette.h"
#include "core/record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace calivue {
namespace {

using viewtest::drawToImage;

constexpr ColourRef kBlack = rgb(0, 0, 0);

using test::makeImage;

// 3000 at the left edge to 3100 at the right.
int across(int x, int)
{
    return 3000 + x * 100 / (kWidth - 1);
}
int flat(int, int)
{
    return 3000;
}

// Catches a mapping that does not put the image's range between 10 % and 90 % of the width.
TEST(SpanSelector, PositionsAndRawValuesMapThroughTheMiddleEightyPercent)
{
    auto image = makeImage(across);
    ASSERT_TRUE(image);
    cSpanSelector sel;
    sel.SetRect(QRect(0, 0, 400, 100));
    sel.SetImage(image.get());
    ASSERT_EQ(sel.rawMin(), 3000);
    ASSERT_EQ(sel.rawMax(), 3100);
    EXPECT_DOUBLE_EQ(sel.PositionOf(3000), 0.1);
    EXPECT_DOUBLE_EQ(sel.PositionOf(3100), 0.9);
    EXPECT_DOUBLE_EQ(sel.PositionOf(3050), 0.5);
    EXPECT_LT(sel.PositionOf(2990), 0.1);  // below the image's range
    EXPECT_GT(sel.PositionOf(3110), 0.9);  // above it
    EXPECT_EQ(sel.RawAt(0.1), 3000);
    EXPECT_EQ(sel.RawAt(0.5), 3050);
    EXPECT_EQ(sel.RawAt(0.9), 3100);
    EXPECT_EQ(sel.histogramLeft(), 40);
    EXPECT_EQ(sel.histogramRight(), 360);
}

// Catches a division by zero or spread-out bins for an image of one value.
TEST(SpanSelector, AllEqualImageHasZeroPositionsAndEveryPixelInBinZero)
{
    auto image = makeImage(flat);
    ASSERT_TRUE(image);
    cSpanSelector sel;
    sel.SetRect(QRect(0, 0, 200, 300));
    sel.SetImage(image.get());
    EXPECT_EQ(sel.bins(), 100);
    EXPECT_DOUBLE_EQ(sel.PositionOf(3000), 0.0);
    EXPECT_DOUBLE_EQ(sel.span().low, 0.0);
    EXPECT_DOUBLE_EQ(sel.span().high, 0.0);
    ASSERT_EQ(sel.histogram().size(), 100u);
    EXPECT_EQ(sel.histogram()[0], kPixels);
    EXPECT_EQ(sel.maxCount(), kPixels);

    drawToImage(sel);
    // One bin per pixel column of the histogram area once drawn: columns 20 … 178.
    EXPECT_EQ(sel.bins(), 159);
    EXPECT_EQ(sel.histogram()[0], kPixels);
    const Bitmap& h = sel.histogramImage();
    // The lower half of the full bar keeps its colour; above it runs the outline's drop to
    // the empty column beside it.
    for (int y = 12; y < 140; ++y) {
        EXPECT_NE(h.Pixel(20, y), kBlack) << "bin 0 bar, row " << y;
        EXPECT_NE(h.Pixel(20, y), sel.background()) << "bin 0 bar, row " << y;
    }
    EXPECT_EQ(h.Pixel(20, 287), kBlack);  // its top, the area's top row
    // Column 21 carries the outline's drop from the full bar; the rest are empty bins.
    for (int x = 22; x < 179; ++x) {
        EXPECT_EQ(h.Pixel(x, 12), kBlack) << "empty bin outline at column " << x;
        EXPECT_EQ(h.Pixel(x, 13), sel.background()) << "empty bin at column " << x;
    }
}

// Catches bars without their black outline, a missing axis or end lines, or bars in
// colours other than the picture's colour for their values.
TEST(SpanSelector, HistogramHasBlackOutlineAxisAndPaletteBars)
{
    auto image = makeImage(across);
    ASSERT_TRUE(image);
    image->fields.spanLow = 3000;
    image->fields.spanHigh = 3100;
    cSpanSelector sel;
    sel.SetRect(QRect(0, 0, 200, 120));
    sel.SetPalette(1);
    sel.SetImage(image.get());
    drawToImage(sel);
    const Bitmap& h = sel.histogramImage();
    const int left = 20, right = 179, bottom = 12, top = 120 - 13;
    for (int x = 0; x < 200; ++x) EXPECT_EQ(h.Pixel(x, 11), kBlack) << "axis at column " << x;
    for (int y = bottom; y <= top; ++y) {
        EXPECT_EQ(h.Pixel(left - 2, y), kBlack);
        EXPECT_EQ(h.Pixel(left - 1, y), kBlack);
        EXPECT_EQ(h.Pixel(right, y), kBlack);
        EXPECT_EQ(h.Pixel(right + 1, y), kBlack);
    }
    int tallest = 0;
    for (int x = left; x < right; ++x) {
        const int count = sel.histogram()[static_cast<std::size_t>(x - left)];
        int v = static_cast<int>(count * double(top - bottom) / sel.maxCount());
        if (count != 0 && v < 1) v = 1;
        tallest = std::max(tallest, v);
        EXPECT_EQ(h.Pixel(x, bottom + v), kBlack) << "outline of column " << x;
        EXPECT_EQ(
            h.Pixel(x, bottom + v + 1) == kBlack || h.Pixel(x, bottom + v + 1) == sel.background(),
            true);
        if (v >= 1) {
            // The span covers 10 % … 90 %, so column x has index 255 ÷ 160 × (x − 20).
            const int index = std::min(255, static_cast<int>(255.0 / (0.8 * 200) * (x - 20)));
            EXPECT_EQ(h.Pixel(x, bottom), paletteColour(1, index)) << "bar colour at column " << x;
        }
    }
    EXPECT_EQ(tallest, top - bottom);
}

// Catches a wrong tolerance, a reversed end choice, or a narrow band whose middle cannot be
// grabbed.
TEST(SpanSelector, HitTestFindsEndsAndMiddle)
{
    auto image = makeImage(across);
    cSpanSelector sel;
    sel.SetRect(QRect(0, 0, 1000, 100));
    sel.SetImage(image.get());
    const cSpanSelector::Band band{0.3, 0.6, 0, 0};
    EXPECT_EQ(sel.HitTest(band, 300), cSpanSelector::HandleLow);
    EXPECT_EQ(sel.HitTest(band, 296), cSpanSelector::HandleLow);   // 4 px outside
    EXPECT_EQ(sel.HitTest(band, 295), cSpanSelector::HandleNone);  // 5 px: out of reach
    EXPECT_EQ(sel.HitTest(band, 604), cSpanSelector::HandleHigh);
    EXPECT_EQ(sel.HitTest(band, 450), cSpanSelector::HandleBand);
    EXPECT_EQ(sel.HitTest(band, 700), cSpanSelector::HandleNone);
    EXPECT_EQ(sel.HitTest(band, 285, 20), cSpanSelector::HandleLow);  // right-button reach
    // Inside a 20-pixel band the ends reach only 2 pixels in.
    const cSpanSelector::Band narrow{0.5, 0.52, 0, 0};
    EXPECT_EQ(sel.HitTest(narrow, 501), cSpanSelector::HandleLow);
    EXPECT_EQ(sel.HitTest(narrow, 503), cSpanSelector::HandleBand);
    EXPECT_EQ(sel.HitTest(narrow, 518), cSpanSelector::HandleBand);
    EXPECT_EQ(sel.HitTest(narrow, 519), cSpanSelector::HandleHigh);
}

// Catches labels that run off the display or collide when an end lies beyond an edge.
TEST(SpanSelector, LabelsStayInsideAndMoveToTheEdgesForEndsBeyondThem)
{
    auto image = makeImage(across);
    cSpanSelector sel;
    sel.SetRect(QRect(0, 0, 400, 100));
    sel.SetImage(image.get());
    using Band = cSpanSelector::Band;
    // Inside: the low label ends 4 pixels left of its end, the high one starts at its end.
    auto at = sel.PlaceLabels(Band{0.4, 0.6, 0, 0}, 15, 50, 60);
    EXPECT_EQ(at.low, QPoint(160 - 4 - 50, 15));
    EXPECT_EQ(at.high, QPoint(240, 15));
    // Too close to the edges: pushed inside by 2 pixels.
    at = sel.PlaceLabels(Band{0.1, 0.95, 0, 0}, 0, 50, 60);
    EXPECT_EQ(at.low, QPoint(2, 0));
    EXPECT_EQ(at.high, QPoint(400 - 2 - 60, 0));
    // Beyond the display: low at the left edge, high right-aligned one line lower.
    at = sel.PlaceLabels(Band{-0.2, 1.3, 0, 0}, 30, 50, 60);
    EXPECT_EQ(at.low, QPoint(2, 30));
    EXPECT_EQ(at.high, QPoint(400 - 2 - 60, 45));
}

// Catches span ends beyond the display that leave no mark, or marks shown for ends inside it.
TEST(SpanSelector, SpanEndsBeyondTheDisplayShowArrowMarks)
{
    auto image = makeImage(across);
    ASSERT_TRUE(image);
    cSpanSelector sel;
    sel.SetRect(QRect(0, 0, 400, 100));
    for (const auto& [low, high, marks] :
         {std::tuple{2900, 3200, true}, std::tuple{3020, 3080, false}}) {
        image->fields.spanLow = static_cast<std::uint16_t>(low);
        image->fields.spanHigh = static_cast<std::uint16_t>(high);
        sel.SetImage(image.get());
        drawToImage(sel);
        const Bitmap& s = sel.surface();
        EXPECT_EQ(s.Pixel(0, 5) == kBlack && s.Pixel(3, 8) == kBlack && s.Pixel(3, 2) == kBlack,
                  marks)
            << "left mark, span " << low;
        EXPECT_EQ(s.Pixel(399, 5) == kBlack && s.Pixel(396, 8) == kBlack, marks)
            << "right mark, span " << low;
    }
}

}  // namespace
}  // namespace calivue
