// cVisibleObject and cIRDisplayObject: the rectangles derived from the object's size, the
// conversion of content rows to surface rows, and where the draw pipeline puts the surface.
#include "view/irdisplayobject.h"
#include "view/objectviewer.h"

#include "viewtestutil.h"

#include <gtest/gtest.h>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

// Paints one content pixel through the content-coordinate helpers.
class Marked : public cIRDisplayObject {
public:
    QRect mark;
    bool DrawContent(QPainter&) override
    {
        FillContentRect(mark, rgb(255, 0, 0));
        return true;
    }
};

}  // namespace

// Catches wrong derived rectangles, and content rows converted one row off (content row 0
// must be the surface's top row, H − 1, not H, which lies outside).
TEST(IRDisplayObject, RectanglesAndSurfaceRows)
{
    Marked object;
    object.SetRect(QRect(30, 40, 100, 60));
    EXPECT_EQ(object.W(), 100);
    EXPECT_EQ(object.H(), 60);
    EXPECT_EQ(object.deviceRect(), (EdgeRect{4, 4, 104, 64}));
    EXPECT_EQ(object.plotRect(), (EdgeRect{0, 59, 99, 0}));
    EXPECT_EQ(object.ToSurfaceRect(QRect(0, 0, 1, 1)), (EdgeRect{0, 59, 0, 59}));
    EXPECT_EQ(object.ToSurfaceRect(QRect(2, 10, 3, 5)), (EdgeRect{2, 49, 4, 45}));
    EXPECT_EQ(object.ToSurfaceRect(QRect(0, 0, 100, 60)), (EdgeRect{0, 59, 99, 0}));
    EXPECT_EQ(object.background(), systemColour(QPalette::Button));

    object.SetImage(nullptr);  // ignored
    EXPECT_EQ(object.image(), nullptr);
    EXPECT_FALSE(object.isDirty());
    cBrixa image;
    object.SetImage(&image);
    EXPECT_EQ(object.image(), &image);
    EXPECT_TRUE(object.isDirty());

    CVantoroDoc doc;
    object.SetPalette(5);
    object.AttachDocument(&doc);
    EXPECT_EQ(object.document(), &doc);
    EXPECT_EQ(object.palette(), 1);
}

// Catches a surface copied to the wrong place on the target, content pixels drawn upside
// down, or an object with no area drawing anything.
TEST(IRDisplayObject, DrawCopiesTheSurfaceToTheObjectsPlace)
{
    Marked object;
    object.mark = QRect(1, 0, 1, 1);  // second column, top row
    object.SetRect(QRect(5, 7, 20, 10));
    QImage target(40, 30, QImage::Format_RGB32);
    target.fill(QColor(255, 0, 255));
    {
        QPainter p(&target);
        object.Draw(&p);
    }
    EXPECT_EQ(imagePixel(target, 6, 7), rgb(255, 0, 0));
    EXPECT_EQ(imagePixel(target, 5, 7), systemColour(QPalette::Button));
    EXPECT_EQ(imagePixel(target, 24, 16), systemColour(QPalette::Button));
    EXPECT_EQ(imagePixel(target, 4, 7), rgb(255, 0, 255));
    EXPECT_EQ(imagePixel(target, 25, 16), rgb(255, 0, 255));
    EXPECT_EQ(imagePixel(target, 5, 17), rgb(255, 0, 255));
    EXPECT_EQ(object.drawingSurface(), nullptr);  // only set while drawing

    // Hosted: the rect is in the viewer's parent coordinates; the copy lands in the content
    // area of the viewer.
    QWidget parent;
    cObjectViewer viewer(&parent);
    viewer.SetBorder3D(true);
    viewer.setGeometry(50, 60, 28, 18);
    viewer.Attach(&object);
    EXPECT_EQ(object.GetRect(), QRect(54, 64, 20, 10));
    const QImage shot = viewer.grab().toImage();
    EXPECT_EQ(imagePixel(shot, 5, 4), rgb(255, 0, 0));
    EXPECT_EQ(imagePixel(shot, 4, 4), systemColour(QPalette::Button));
    viewer.Attach(nullptr);

    // No area: nothing is drawn.
    Marked empty;
    QImage untouched(10, 10, QImage::Format_RGB32);
    untouched.fill(QColor(255, 0, 255));
    {
        QPainter p(&untouched);
        empty.Draw(&p);
    }
    EXPECT_FALSE(empty.HasArea());
    EXPECT_EQ(imagePixel(untouched, 0, 0), rgb(255, 0, 255));
}
