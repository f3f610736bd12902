// cArrayDisplay, geometry: display and image points map onto each other in every
// orientation, and SetZoom centres the new window and keeps it inside the image.
#include "viewtestutil.h"

#include <gtest/gtest.h>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

class Geometry : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(opened.opened); }
    CVantoroDoc& doc() { return *opened.doc; }
    OpenedDoc opened{flatPlan()};
};

}  // namespace

// Catches a display-to-image mapping that is off by a pixel (a click on a marker missing
// it) in any orientation, at any scale at or above 1:1, for zoomed windows too.
TEST_F(Geometry, ImagePixelsRoundTripThroughTheDisplay)
{
    const QRect windows[] = {QRect(0, 0, 320, 240), QRect(80, 60, 160, 120),
                             QRect(240, 180, 80, 60), QRect(13, 7, 106, 80)};
    for (int o = 0; o < 4; ++o) {
        doc().setOrientation(o);
        const bool portrait = o == 1 || o == 3;
        for (const QSize landscape : {QSize(320, 240), QSize(640, 480), QSize(487, 371)}) {
            const QSize size = portrait ? landscape.transposed() : landscape;
            auto display = displayFor(doc(), size.width(), size.height());
            for (const QRect& window : windows) {
                display->SetZoomWindow(window);
                int bad = 0;
                for (int r = window.top(); r <= window.bottom(); ++r)
                    for (int c = window.left(); c <= window.right(); ++c) {
                        const QPoint d = display->ImageToDisplay(c, r);
                        const QPointF back = display->DisplayToImage(d);
                        bad += d.x() < 0 || d.y() < 0 || d.x() >= size.width() ||
                               d.y() >= size.height() || int(back.x()) != c || int(back.y()) != r;
                    }
                EXPECT_EQ(bad, 0) << "orientation " << o << ", " << size.width() << " × "
                                  << size.height() << ", window " << window.x() << ',' << window.y()
                                  << ' ' << window.width() << " × " << window.height();
            }
        }
    }
}

// Catches the orientation formulas themselves: where the image's corners appear.
TEST_F(Geometry, ImageCornersLandWhereTheOrientationPutsThem)
{
    struct Case {
        int o;
        QPoint origin;  // where image pixel (0, 0), the bottom-left of the capture, appears
        QPoint far;     // where (319, 239) appears
    };
    for (const Case& c : {Case{0, {0, 239}, {319, 0}}, Case{1, {0, 0}, {239, 319}},
                          Case{2, {319, 0}, {0, 239}}, Case{3, {239, 319}, {0, 0}}}) {
        doc().setOrientation(c.o);
        const bool portrait = c.o == 1 || c.o == 3;
        auto display = displayFor(doc(), portrait ? 240 : 320, portrait ? 320 : 240);
        EXPECT_EQ(display->ImageToDisplay(0, 0), c.origin) << c.o;
        EXPECT_EQ(display->ImageToDisplay(319, 239), c.far) << c.o;
        const QPointF p = display->DisplayToImage(c.origin);
        EXPECT_EQ(int(p.x()), 0);
        EXPECT_EQ(int(p.y()), 0);
    }
}

// Catches a zoom that does not centre on the current window, lets the window leave the
// image, or fails to hand the window to the document.
TEST_F(Geometry, SetZoomCentresAndShiftsTheWindowInside)
{
    auto display = displayFor(doc(), 320, 240);
    display->SetZoom(2);
    EXPECT_EQ(display->zoom(), 2);
    EXPECT_EQ(display->zoomWindow(), QRect(80, 60, 160, 120));
    EXPECT_EQ(doc().viewRect(), QRect(80, 60, 160, 120));

    // Zoom 4 at the right edge, then back to 2: the window is pushed left until its right
    // column is 319.
    display->SetZoomWindow(QRect(240, 90, 80, 60));
    display->SetZoom(4);
    display->SetZoomWindow(QRect(240, 90, 80, 60));
    display->SetZoom(2);
    EXPECT_EQ(display->zoomWindow().right(), 319);
    EXPECT_EQ(display->zoomWindow(), QRect(160, 60, 160, 120));

    // The same against the left and the top.
    display->SetZoomWindow(QRect(0, 180, 80, 60));
    display->SetZoom(4);
    display->SetZoomWindow(QRect(0, 180, 80, 60));
    display->SetZoom(3);
    EXPECT_EQ(display->zoomWindow(), QRect(0, 160, 106, 80));
    EXPECT_EQ(display->zoomWindow().bottom(), 239);

    // No change for the same zoom or one out of range.
    const QRect kept = display->zoomWindow();
    display->SetZoom(3);
    display->SetZoom(0);
    display->SetZoom(5);
    EXPECT_EQ(display->zoomWindow(), kept);
    EXPECT_EQ(display->zoom(), 3);

    display->SetZoom(1);
    EXPECT_EQ(display->zoomWindow(), QRect(0, 0, 320, 240));
}

// Catches windows outside the image getting through to the drawing.
TEST_F(Geometry, ZoomWindowsAreKeptInsideTheImage)
{
    auto display = displayFor(doc(), 320, 240);
    display->SetZoomWindow(QRect(300, 230, 80, 60));
    EXPECT_EQ(display->zoomWindow(), QRect(240, 180, 80, 60));
    display->SetZoomWindow(QRect(-20, -5, 500, 60));
    EXPECT_EQ(display->zoomWindow(), QRect(0, 0, 320, 60));
    EXPECT_EQ(cArrayDisplay::CentredWindow(0, 0, 160, 120), QRect(0, 0, 160, 120));
    EXPECT_EQ(cArrayDisplay::CentredWindow(319, 239, 160, 120), QRect(160, 120, 160, 120));
    EXPECT_EQ(cArrayDisplay::CentredWindow(159, 119, 160, 120), QRect(80, 60, 160, 120));
}
