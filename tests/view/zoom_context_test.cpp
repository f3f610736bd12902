// Zooming on the picture with the wheel, the keyboard and the context menu, and the context
// menu's cursor command.
#include "view/displayset.h"
#include "view/objectviewer.h"
#include "view/vantoroview.h"
#include "viewtestutil.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWheelEvent>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

QAction* actionNamed(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

int cursorsInUse(const CVantoroDoc& doc)
{
    int n = 0;
    for (int i = 0; i < kMaxCursors; ++i) n += doc.markers()[static_cast<std::size_t>(i)].inUse;
    return n;
}

}  // namespace

// Catches a wheel zoom that recentres on the old window instead of keeping the point under
// the pointer, ignores the orientation, steps more than one factor a notch, leaves 1–4, or
// leaves the document's zoom behind.
TEST(WheelZoom, KeepsThePointUnderThePointerInEveryOrientation)
{
    OpenedDoc opened{flatPlan()};
    ASSERT_TRUE(opened.opened);
    for (int orientation = 0; orientation < 4; ++orientation) {
        opened.doc->setZoom(1);
        opened.doc->image().fields.orientation = static_cast<std::uint8_t>(orientation);
        const bool turned = orientation % 2 == 1;
        auto display = displayFor(*opened.doc, turned ? 240 : 320, turned ? 320 : 240);
        for (const QPoint p : {QPoint(40, 30), QPoint(200, 150), QPoint(230, 10)}) {
            display->SetZoom(1);
            opened.doc->setZoom(1);
            display->SetZoomWindow(QRect(0, 0, 320, 240));
            for (int zoom = 2; zoom <= 4; ++zoom) {
                const QPointF before = display->DisplayToImage(p);
                EXPECT_EQ(display->OnMouseWheel(0, 120, p), 1);
                EXPECT_EQ(display->zoom(), zoom);
                EXPECT_EQ(opened.doc->zoom(), zoom);
                EXPECT_EQ(display->zoomWindow(), opened.doc->viewRect());
                EXPECT_EQ(display->zoomWindow().width(), 320 / zoom);
                const QRect w = display->zoomWindow();
                const bool inside =
                    w.left() > 0 && w.top() > 0 && w.right() < 319 && w.bottom() < 239;
                // Against an edge the window is pushed back inside, so the point moves.
                if (inside) {
                    EXPECT_NEAR(display->DisplayToImage(p).x(), before.x(), 1.0)
                        << orientation << " " << zoom;
                    EXPECT_NEAR(display->DisplayToImage(p).y(), before.y(), 1.0);
                }
            }
            display->OnMouseWheel(0, 120, p);  // already at 4: stays
            EXPECT_EQ(display->zoom(), 4);
            display->OnMouseWheel(0, 60, p);  // half a notch does nothing yet ...
            display->OnMouseWheel(0, -60, p);
            EXPECT_EQ(display->zoom(), 4);
            display->OnMouseWheel(0, -60, p);  // ... and two halves back make one notch
            display->OnMouseWheel(0, -60, p);
            EXPECT_EQ(display->zoom(), 3);
        }
    }
    opened.doc->image().fields.orientation = 0;
}

// Catches the navigation display (the pan control) zooming on the wheel.
TEST(WheelZoom, PanControlIgnoresTheWheel)
{
    OpenedDoc opened{flatPlan()};
    ASSERT_TRUE(opened.opened);
    auto display = displayFor(*opened.doc, 320, 240);
    display->SetNavigationMode(true);
    EXPECT_EQ(display->OnMouseWheel(0, 240, QPoint(10, 10)), 0);
    EXPECT_EQ(opened.doc->zoom(), 1);
}

// Catches a context menu whose cursor command does not add and then remove the cursor at the
// clicked pixel, or whose zoom items ignore the limits; and the viewer's wheel not reaching
// the display.
TEST(PictureMenu, CursorAndZoomCommandsWorkAtThePoint)
{
    OpenedDoc opened{flatPlan()};
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    CVantoroView view(doc);
    view.resize(1100, 760);
    view.show();
    ASSERT_TRUE(doc.openDocument(opened.bmpPath));  // the view's displays take this image
    for (int i = 0; i < kMaxCursors; ++i) doc.removeCursor(i);
    QCoreApplication::processEvents();
    cArrayDisplay& display = view.displays().arrayDisplay();
    const QPoint p(display.W() / 3, display.H() / 2);
    const QPoint pixel = display.ImagePixelAt(p);
    ASSERT_GE(pixel.x(), 0);

    std::unique_ptr<QMenu> menu(view.pictureMenu(p));
    ASSERT_NE(actionNamed(menu.get(), QStringLiteral("Add Cursor Here")), nullptr);
    EXPECT_FALSE(actionNamed(menu.get(), QStringLiteral("Zoom Out"))->isEnabled());
    actionNamed(menu.get(), QStringLiteral("Add Cursor Here"))->trigger();
    ASSERT_EQ(cursorsInUse(doc), 1);
    EXPECT_EQ(doc.markers()[0].x, pixel.x());
    EXPECT_EQ(doc.markers()[0].row, pixel.y());

    menu.reset(view.pictureMenu(p));
    ASSERT_NE(actionNamed(menu.get(), QStringLiteral("Remove Cursor Here")), nullptr);
    actionNamed(menu.get(), QStringLiteral("Remove Cursor Here"))->trigger();
    EXPECT_EQ(cursorsInUse(doc), 0);

    for (int zoom = 2; zoom <= 4; ++zoom) {
        menu.reset(view.pictureMenu(p));
        actionNamed(menu.get(), QStringLiteral("Zoom In"))->trigger();
        EXPECT_EQ(doc.zoom(), zoom);
    }
    menu.reset(view.pictureMenu(p));
    EXPECT_FALSE(actionNamed(menu.get(), QStringLiteral("Zoom In"))->isEnabled());
    actionNamed(menu.get(), QStringLiteral("Zoom Out"))->trigger();
    EXPECT_EQ(doc.zoom(), 3);

    // Outside the picture nothing applies.
    menu.reset(view.pictureMenu(QPoint(-5, -5)));
    EXPECT_FALSE(actionNamed(menu.get(), QStringLiteral("Add Cursor Here"))->isEnabled());

    cObjectViewer* image = view.viewer(CVantoroView::ImageViewer);
    const QPointF at = image->contentRect().topLeft() + QPointF(p);
    QWheelEvent wheel(at, image->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(image, &wheel);
    EXPECT_EQ(doc.zoom(), 2);
}

// Catches picture commands offered, or zoom keys and the wheel acting, while no snapshot is
// open: each would work on an empty picture.
TEST(PictureMenu, NothingAppliesWithoutASnapshot)
{
    CVantoroDoc doc;
    CVantoroView view(doc);
    view.resize(1100, 760);
    view.show();
    QCoreApplication::processEvents();
    cArrayDisplay& display = view.displays().arrayDisplay();
    const QPoint p(display.W() / 3, display.H() / 2);
    std::unique_ptr<QMenu> menu(view.pictureMenu(p));
    int offered = 0;
    for (QAction* a : menu->actions()) offered += !a->isSeparator() && a->isEnabled();
    EXPECT_EQ(offered, 0);
    view.zoomStep(1);
    EXPECT_EQ(doc.zoom(), 1);
    cObjectViewer* image = view.viewer(CVantoroView::ImageViewer);
    const QPointF at = image->contentRect().topLeft() + QPointF(p);
    QWheelEvent wheel(at, image->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(image, &wheel);
    EXPECT_EQ(doc.zoom(), 1);
    EXPECT_FALSE(doc.isModified());
}
