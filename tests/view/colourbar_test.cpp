// cColourBar: the cached palette gradient, its redraw on a palette change, and the span
// labels with their width-dependent font.
#include "view/colourbar.h"
#include "viewtestutil.h"

#include "images.h"

#include "core/palette.h"
#include "core/record.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

using viewtest::contentPixel;
using viewtest::drawToImage;

// A loaded image whose every pixel holds the count v (scale 10 counts per kelvin).
std::unique_ptr<cBrixa> uniformImage(int v)
{
    return test::makeUniform(v, [v](RecordFields& f) {
        f.spanLow = static_cast<std::uint16_t>(v - 50);
        f.spanHigh = static_cast<std::uint16_t>(v + 50);
    });
}

// The gradient pixel of gradient row i (0 at the bottom), read from the surface.
ColourRef gradientPixel(const cColourBar& bar, int i)
{
    const EdgeRect r = cColourBar::GradientRect(bar.W(), bar.H());
    return bar.surface().Pixel((r.left + r.right) / 2, r.bottom + i);
}

// Catches a gradient drawn upside down, cut short of 255 at the top, or filling the margins.
TEST(ColourBar, GradientRunsFromIndex0AtTheBottomTo255AtTheTop)
{
    cColourBar bar;
    bar.SetRect(QRect(0, 0, 40, 200));
    bar.SetPalette(2);
    drawToImage(bar);
    const EdgeRect r = cColourBar::GradientRect(40, 200);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 13);
    EXPECT_EQ(r.top, 187);
    const int rows = r.top - r.bottom;
    EXPECT_EQ(gradientPixel(bar, 0), paletteColour(2, 0));
    EXPECT_EQ(gradientPixel(bar, rows), paletteColour(2, 255));
    EXPECT_EQ(gradientPixel(bar, rows / 2),
              paletteColour(2, cColourBar::GradientIndex(rows / 2, rows)));
    EXPECT_EQ(cColourBar::GradientIndex(rows, rows), 255);
    EXPECT_EQ(cColourBar::GradientIndex(0, rows), 0);
    // Both sides of the rectangle are drawn; outside it the button face shows.
    EXPECT_EQ(bar.surface().Pixel(r.left, r.bottom), paletteColour(2, 0));
    EXPECT_EQ(bar.surface().Pixel(r.right, r.top), paletteColour(2, 255));
    EXPECT_EQ(bar.surface().Pixel(r.left - 1, 100), bar.background());
    EXPECT_EQ(bar.surface().Pixel(r.right + 1, 100), bar.background());
    EXPECT_EQ(bar.surface().Pixel(20, r.bottom - 1), bar.background());
    EXPECT_EQ(bar.surface().Pixel(20, r.top + 1), bar.background());
}

// Catches a cached gradient that survives a palette change.
TEST(ColourBar, PaletteChangeRedrawsTheCachedGradient)
{
    cColourBar bar;
    bar.SetRect(QRect(0, 0, 60, 150));
    bar.SetPalette(1);
    drawToImage(bar);
    const int rows =
        cColourBar::GradientRect(60, 150).top - cColourBar::GradientRect(60, 150).bottom;
    ASSERT_EQ(gradientPixel(bar, rows), paletteColour(1, 255));
    bar.SetPalette(4);
    drawToImage(bar);
    EXPECT_EQ(gradientPixel(bar, rows), paletteColour(4, 255));
    EXPECT_EQ(gradientPixel(bar, 0), paletteColour(4, 0));
    // A new size redraws as well.
    bar.SetRect(QRect(0, 0, 60, 120));
    drawToImage(bar);
    const int rows2 =
        cColourBar::GradientRect(60, 120).top - cColourBar::GradientRect(60, 120).bottom;
    EXPECT_EQ(gradientPixel(bar, rows2), paletteColour(4, 255));
}

// Catches a label font that ignores the width or drops below the minimum height.
TEST(ColourBar, LabelFontIsAQuarterOfTheWidthButAtLeast15)
{
    EXPECT_EQ(cColourBar::LabelHeightFor(40), 15);
    EXPECT_EQ(cColourBar::LabelHeightFor(100), 25);
    EXPECT_EQ(cColourBar::LabelHeightFor(20), 15);
    auto image = uniformImage(2982);
    ASSERT_TRUE(image);
    for (const auto& [w, height] : {std::pair{40, 15}, std::pair{100, 25}}) {
        cColourBar bar;
        bar.SetRect(QRect(0, 0, w, 300));
        bar.SetImage(image.get());
        drawToImage(bar);
        EXPECT_EQ(bar.labelFont().description().height, height) << "width " << w;
        EXPECT_GE(bar.labelFont().description().weight, 700);
    }
}

// Black pixels beside the gradient (whose own colours may include black) in content rows
// y0 … y1.
bool hasBlackIn(const cColourBar& bar, int y0, int y1)
{
    const EdgeRect g = cColourBar::GradientRect(bar.W(), bar.H());
    for (int y = y0; y <= y1; ++y)
        for (int x = 0; x < bar.W(); ++x)
            if ((x < g.left || x > g.right) && contentPixel(bar, x, y) == rgb(0, 0, 0)) return true;
    return false;
}

// Catches labels drawn without an image, or span labels missing at either end.
TEST(ColourBar, SpanLabelsAppearAtBothEndsOnlyWithAnImage)
{
    cColourBar bar;
    bar.SetRect(QRect(0, 0, 100, 300));
    drawToImage(bar);
    EXPECT_FALSE(hasBlackIn(bar, 0, 299));

    auto image = uniformImage(2982);
    ASSERT_TRUE(image);
    bar.SetImage(image.get());
    drawToImage(bar);
    EXPECT_TRUE(hasBlackIn(bar, 0, 24));      // high end, at the top
    EXPECT_TRUE(hasBlackIn(bar, 275, 299));   // low end, at the bottom
    EXPECT_FALSE(hasBlackIn(bar, 100, 200));  // nothing over the middle of the gradient
}

// Catches a surface handed out for an empty size.
TEST(ColourBar, EmptySizeGivesNoSurface)
{
    cColourBar bar;
    EXPECT_EQ(bar.CreateImage(nullptr, 0, 50), nullptr);
    EXPECT_EQ(bar.CreateImage(nullptr, 50, 0), nullptr);
    EXPECT_NE(bar.CreateImage(nullptr, 50, 50), nullptr);
}

}  // namespace
}  // namespace calivue
