// Display objects on a HiDPI target: surfaces of device size whose logical pixels match the
// drawing at ratio 1, no gaps at a fractional ratio, and text drawn at device resolution.
#include "view/colourbar.h"
#include "viewtestutil.h"

#include "images.h"

#include "core/record.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

// Draws the object onto a target of the given device pixel ratio, magenta where nothing
// lands; the object's rect must start at (0, 0).
QImage drawAtRatio(cVisibleObject& object, double ratio)
{
    const QRect r = object.GetRect();
    QImage image(static_cast<int>(std::ceil(r.width() * ratio)),
                 static_cast<int>(std::ceil(r.height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    object.Draw(&painter);
    return image;
}

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

std::unique_ptr<cBrixa> rampImage()
{
    return test::makeImage([](int x, int row) { return 2000 + (row * kWidth + x) % 1000; },
                           [](RecordFields& f) {
                               f.spanLow = 2000;
                               f.spanHigh = 3000;
                           });
}

}  // namespace

// Catches device sides rounded down (a seam at the far edge), logical pixels that leave
// device pixels unfilled at a fractional ratio, reads and writes that stray outside, and a
// blend applied twice where covered spans overlap.
TEST(HiDpiSurface, LogicalPixelsCoverEveryDevicePixelOnce)
{
    for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        for (const QSize size : {QSize(4, 3), QSize(13, 7), QSize(40, 21)}) {
            SCOPED_TRACE(testing::Message()
                         << ratio << " " << size.width() << "x" << size.height());
            Bitmap b;
            b.SetSize(size.width(), size.height(), ratio);
            ASSERT_TRUE(b.Create());
            const int w = b.width(), h = b.height();
            ASSERT_EQ(b.deviceWidth(), static_cast<int>(std::ceil(w * ratio - 1e-9)));
            ASSERT_EQ(b.deviceHeight(), static_cast<int>(std::ceil(h * ratio - 1e-9)));
            EXPECT_EQ(b.image().devicePixelRatio(), ratio);
            // Every logical pixel its own colour; each device pixel must then hold the
            // colour of a logical pixel covering it, and none stay black.
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) b.SetPixel(x, y, rgb(x * 5, y * 9, 200));
            b.SetPixel(w, 0, 0);
            b.SetPixel(-1, h - 1, 0);
            b.SetPixel(0, h, 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) ASSERT_EQ(b.Pixel(x, y), rgb(x * 5, y * 9, 200));
            const QImage& img = b.image();
            for (int dy = 0; dy < img.height(); ++dy)
                for (int dx = 0; dx < img.width(); ++dx) {
                    const QColor c = img.pixelColor(dx, dy);
                    const int ly = (img.height() - 1 - dy);  // device row bottom-up
                    ASSERT_EQ(c.blue(), 200) << dx << "," << dy;
                    ASSERT_NEAR(c.red() / 5, dx / ratio, 1.0) << dx;
                    ASSERT_NEAR(c.green() / 9, ly / ratio, 1.0) << dy;
                }
            b.FillRect(EdgeRect{0, h - 1, w - 1, 0}, rgb(100, 100, 100));
            b.BlendRect(EdgeRect{0, h - 1, w - 1, 0}, rgb(200, 200, 200), 0.5);
            EXPECT_EQ(countColour(img, qRgb(150, 150, 150)), img.width() * img.height());
            b.DrawLine(-5, 0, w + 5, 0, rgb(1, 2, 3));  // clipped to the surface
            EXPECT_EQ(b.Pixel(0, 0), rgb(1, 2, 3));
        }
    }
}

// Catches a picture copied at logical resolution into a HiDPI surface (half of it left
// black or stretched wrongly), and a fractional ratio that leaves target pixels unpainted.
TEST(HiDpiArrayDisplay, LogicalPixelsMatchTheRatio1PictureAndNothingIsLeftUnpainted)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    for (Marker& m : doc.markers()) m.shown = false;
    if (doc.profilesShown()) doc.toggleProfiles();
    for (const int interpolation : {1, 2}) {
        doc.setInterpolation(interpolation);
        auto reference = displayFor(doc, 640, 480);
        reference->Draw(nullptr);
        for (const double ratio : {1.5, 2.0}) {
            SCOPED_TRACE(testing::Message()
                         << "interpolation " << interpolation << " ratio " << ratio);
            auto display = displayFor(doc, 640, 480);
            const QImage target = drawAtRatio(*display, ratio);
            const Bitmap& s = display->surface();
            EXPECT_EQ(s.deviceWidth(), static_cast<int>(640 * ratio));
            EXPECT_EQ(s.deviceHeight(), static_cast<int>(480 * ratio));
            int bad = 0;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x)
                    bad += s.Pixel(x, y) != reference->surface().Pixel(x, y);
            EXPECT_EQ(bad, 0);
            EXPECT_EQ(countColour(target, qRgb(255, 0, 255)), 0);
        }
    }
}

// Catches a gradient filled at logical resolution only, or whose rows shift at ratio 2.
TEST(HiDpiColourBar, GradientMatchesRatio1AndLabelsAreDrawnAtDeviceResolution)
{
    auto image = rampImage();
    ASSERT_TRUE(image);
    cColourBar flat, sharp;
    for (cColourBar* bar : {&flat, &sharp}) {
        bar->SetRect(QRect(0, 0, 60, 300));
        bar->SetPalette(3);
        bar->SetImage(image.get());
    }
    drawAtRatio(flat, 1.0);
    const QImage target = drawAtRatio(sharp, 2.0);
    const Bitmap& s = sharp.surface();
    ASSERT_EQ(s.deviceWidth(), 2 * flat.surface().deviceWidth());
    ASSERT_EQ(s.deviceHeight(), 2 * flat.surface().deviceHeight());
    const EdgeRect g = cColourBar::GradientRect(60, 300);
    for (int y = g.bottom; y <= g.top; ++y)
        for (int x = g.left; x <= g.right; x += 3)
            ASSERT_EQ(s.Pixel(x, y), flat.surface().Pixel(x, y)) << x << "," << y;
    // A label scaled up from a logical drawing consists of uniform 2 × 2 blocks; text drawn
    // at device resolution has many blocks whose four pixels differ.
    int mixed = 0;
    for (int y = 0; y + 1 < s.deviceHeight(); y += 2)
        for (int x = 0; x + 1 < s.deviceWidth(); x += 2) {
            const QImage& i = s.image();
            const QRgb p = i.pixel(x, y);
            mixed += i.pixel(x + 1, y) != p || i.pixel(x, y + 1) != p || i.pixel(x + 1, y + 1) != p;
        }
    EXPECT_GT(mixed, 20);
    EXPECT_EQ(countColour(target, qRgb(255, 0, 255)), 0);
}
