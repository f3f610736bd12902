// Bitmap: row width, bottom-up addressing, byte order, and that every pixel operation stays
// inside the buffer whatever coordinates it is given.
#include "paint/bitmap.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cstring>
#include <vector>

using namespace calivue;

namespace {

std::vector<std::uint8_t> bytesOf(const Bitmap& b)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < b.height(); ++y) {
        const std::uint8_t* r = b.row(y);
        out.insert(out.end(), r, r + b.width() * 3);
    }
    return out;
}

Bitmap& make(Bitmap& b, int w, int h, ColourRef fill = rgb(10, 20, 30))
{
    b.SetSize(w, h);
    EXPECT_TRUE(b.Create());
    b.FillRect(EdgeRect{0, h - 1, b.width() - 1, 0}, fill);
    return b;
}

int countColour(const Bitmap& b, ColourRef c)
{
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) n += b.Pixel(x, y) == c;
    return n;
}

}  // namespace

// Catches a row width that is not padded to 4 pixels (rows would shear on the screen copy).
TEST(Bitmap, RowWidthIsRoundedUpToAMultipleOfFour)
{
    Bitmap b;
    b.SetSize(321, 10);
    EXPECT_EQ(b.width(), 324);
    ASSERT_TRUE(b.Create());
    EXPECT_EQ(b.size(), 3 * 324 * 10);
    EXPECT_EQ(b.image().width(), 324);
    EXPECT_EQ(b.image().bytesPerLine(), 324 * 3);

    b.SetSize(320, 10);
    EXPECT_EQ(b.width(), 320);
    ASSERT_TRUE(b.Create());
    EXPECT_EQ(b.image().width(), 320);
}

// Catches surfaces of nonsense sizes being allocated, and reallocation on every redraw.
TEST(Bitmap, CreateRefusesEmptySizesAndReusesASurfaceOfTheSameSize)
{
    Bitmap b;
    b.SetSize(0, 10);
    EXPECT_FALSE(b.Create());
    EXPECT_FALSE(b.IsCreated());
    b.SetSize(10, -1);
    EXPECT_FALSE(b.Create());
    b.SetSize(Bitmap::kMaxSide + 4, 1);
    EXPECT_FALSE(b.Create());

    b.SetSize(16, 8);
    ASSERT_TRUE(b.Create());
    b.SetPixel(3, 4, rgb(1, 2, 3));
    const std::uint8_t* before = b.image().constBits();
    ASSERT_TRUE(b.Create());
    EXPECT_EQ(b.image().constBits(), before);
    EXPECT_EQ(b.Pixel(3, 4), rgb(1, 2, 3));
}

// Catches rows counted from the top, or red written where blue belongs.
TEST(Bitmap, RowZeroIsTheBottomAndPixelsAreBlueGreenRed)
{
    Bitmap b;
    make(b, 8, 4, 0);
    b.SetPixel(1, 0, rgb(200, 100, 50));
    const std::uint8_t* bottom = b.row(0);
    EXPECT_EQ(bottom[3], 50);
    EXPECT_EQ(bottom[4], 100);
    EXPECT_EQ(bottom[5], 200);
    // The image the painter sees has row 0 at the bottom.
    EXPECT_EQ(b.image().pixelColor(1, 3), QColor(200, 100, 50));
    EXPECT_EQ(b.Pixel(1, 0), rgb(200, 100, 50));

    // And what a painter draws is what the pixel operations read: one shared buffer.
    {
        QPainter p(&b.image());
        p.fillRect(QRect(5, 0, 1, 1), QColor(7, 8, 9));
    }
    EXPECT_EQ(b.Pixel(5, 3), rgb(7, 8, 9));
}

// Catches writes outside the buffer from pixel and fill operations given wild coordinates.
TEST(Bitmap, SetPixelAndFillRectClipToTheSurface)
{
    Bitmap b;
    make(b, 8, 6);
    const auto before = bytesOf(b);
    b.SetPixel(-1, 0, rgb(255, 0, 0));
    b.SetPixel(8, 0, rgb(255, 0, 0));
    b.SetPixel(0, 6, rgb(255, 0, 0));
    b.SetPixel(0, -1, rgb(255, 0, 0));
    EXPECT_EQ(bytesOf(b), before);

    // Top below bottom: nothing.
    b.FillRect(EdgeRect{0, 1, 7, 2}, rgb(255, 0, 0));
    EXPECT_EQ(bytesOf(b), before);

    // Hanging over every edge: exactly the surface is filled.
    b.FillRect(EdgeRect{-5, 100, 100, -7}, rgb(0, 255, 0));
    EXPECT_EQ(countColour(b, rgb(0, 255, 0)), 8 * 6);

    // Inclusive edges: columns 2–3, rows 1–4.
    make(b, 8, 6, 0);
    b.FillRect(EdgeRect{2, 4, 3, 1}, rgb(0, 0, 255));
    EXPECT_EQ(countColour(b, rgb(0, 0, 255)), 2 * 4);
    EXPECT_EQ(b.Pixel(2, 4), rgb(0, 0, 255));
    EXPECT_EQ(b.Pixel(3, 1), rgb(0, 0, 255));
    EXPECT_EQ(b.Pixel(4, 1), 0u);
    EXPECT_EQ(b.Pixel(2, 5), 0u);
}

// Catches a blend that runs with inverted or out-of-surface rectangles, and a wrong mix.
TEST(Bitmap, BlendRectRefusesBadRectanglesAndMixesPerChannel)
{
    Bitmap b;
    make(b, 8, 6);
    const auto before = bytesOf(b);
    const ColourRef c = rgb(200, 100, 50);
    const EdgeRect refused[] = {
        {1, 2, 3, 3},   // bottom above top
        {-1, 3, 3, 0},  // left outside
        {1, 3, 8, 0},   // right outside
        {1, 6, 3, 0},   // top outside
        {1, 3, 3, -1},  // bottom outside
        {8, 3, 9, 0},   // both columns outside
    };
    for (const EdgeRect& r : refused) {
        b.BlendRect(r, c, 0.6);
        EXPECT_EQ(bytesOf(b), before)
            << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
    }

    b.BlendRect(EdgeRect{1, 3, 2, 2}, c, 0.6);
    // int(200 × 0.6) + int(10 × 0.4), int(100 × 0.6) + int(20 × 0.4), int(50 × 0.6) + int(30 × 0.4)
    const ColourRef mixed = rgb(124, 68, 42);
    EXPECT_EQ(b.Pixel(1, 3), mixed);
    EXPECT_EQ(b.Pixel(2, 2), mixed);
    EXPECT_EQ(countColour(b, mixed), 4);
    EXPECT_EQ(b.Pixel(0, 3), rgb(10, 20, 30));
    EXPECT_EQ(b.Pixel(1, 4), rgb(10, 20, 30));
}

// Catches lines that leave out an end point, that write before the first column (which lands
// on the neighbouring row), or that ignore the upper limits.
TEST(Bitmap, DrawLineIncludesEndsAndNeverLeavesTheSurface)
{
    Bitmap b;
    const ColourRef red = rgb(255, 0, 0);
    make(b, 8, 6, 0);
    b.DrawLine(0, 0, 3, 3, red);
    EXPECT_EQ(countColour(b, red), 4);
    for (int i = 0; i <= 3; ++i) EXPECT_EQ(b.Pixel(i, i), red);

    make(b, 8, 6, 0);
    b.DrawLine(-5, 2, 3, 2, red);  // starts left of the surface
    EXPECT_EQ(countColour(b, red), 4);
    for (int x = 0; x <= 3; ++x) EXPECT_EQ(b.Pixel(x, 2), red);
    EXPECT_EQ(b.Pixel(7, 1), 0u);
    EXPECT_EQ(b.Pixel(7, 3), 0u);

    make(b, 8, 6, 0);
    b.DrawLine(2, 4, 1000, 4, red);  // limited to the last column
    EXPECT_EQ(countColour(b, red), 6);
    EXPECT_EQ(b.Pixel(7, 4), red);

    make(b, 8, 6, 0);
    b.DrawLine(3, -50, 3, 100, red);  // whole column, limited at the top, clipped below
    EXPECT_EQ(countColour(b, red), 6);

    make(b, 8, 6, 0);
    b.DrawLine(-100, -100, -2, -3, red);             // wholly outside
    b.DrawLine(-2147483647, 0, 2147483647, 0, red);  // absurd, must neither overflow nor hang
    EXPECT_EQ(countColour(b, red), 8);
}

// Catches a closed polyline that leaves out its closing segment.
TEST(Bitmap, DrawPolylineClosesWhenAsked)
{
    Bitmap b;
    const ColourRef c = rgb(1, 2, 3);
    const QPoint square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
    make(b, 8, 6, 0);
    b.DrawPolyline(square, 4, c, false);
    EXPECT_EQ(b.Pixel(1, 2), 0u);  // the left side is the closing segment
    EXPECT_EQ(countColour(b, c), 10);
    b.DrawPolyline(square, 4, c, true);
    EXPECT_EQ(b.Pixel(1, 2), c);
    EXPECT_EQ(countColour(b, c), 12);
    b.DrawPolyline(nullptr, 4, c, true);  // nothing to draw, nothing happens
}

// Catches a copy that runs past the smaller surface or starts at the top row.
TEST(Bitmap, CopyFromCopiesTheSmallerSizeFromTheBottomRow)
{
    Bitmap small, big;
    make(small, 4, 2, rgb(9, 9, 9));
    make(big, 4, 5, rgb(1, 1, 1));
    big.CopyFrom(small);
    EXPECT_EQ(countColour(big, rgb(9, 9, 9)), 8);
    EXPECT_EQ(big.Pixel(0, 0), rgb(9, 9, 9));
    EXPECT_EQ(big.Pixel(3, 1), rgb(9, 9, 9));
    EXPECT_EQ(big.Pixel(0, 2), rgb(1, 1, 1));

    // Different widths: the bytes run on as one bottom-up stream.
    Bitmap wide;
    make(wide, 8, 1, rgb(5, 5, 5));
    make(big, 4, 5, rgb(1, 1, 1));
    big.CopyFrom(wide);
    EXPECT_EQ(countColour(big, rgb(5, 5, 5)), 8);
    EXPECT_EQ(big.Pixel(3, 1), rgb(5, 5, 5));

    Bitmap empty;
    big.CopyFrom(empty);  // nothing to copy from
    empty.CopyFrom(big);  // nothing to copy into
    EXPECT_FALSE(empty.IsCreated());
}
