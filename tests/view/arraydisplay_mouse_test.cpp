// cArrayDisplay, the mouse: double-click adds and removes cursors and the eleventh gives the
// maximum message once; hover states and pointer shapes; dragging cursors and profile lines;
// leaving the window; navigation mode; and the same through a real viewer.
#include "view/objectviewer.h"
#include "viewtestutil.h"

#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

class Mouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(opened.opened);
        for (int i = 0; i < kMaxCursors; ++i) doc().removeCursor(i);
        host.resize(400, 300);
        viewer = new cObjectViewer(&host);
        viewer->SetBorder3D(true);
        viewer->setGeometry(0, 0, 328, 248);
        display = std::make_unique<cArrayDisplay>(&doc());
        viewer->Attach(display.get());
        display->SyncFromDocument();
        ASSERT_EQ(display->W(), 320);
        ASSERT_EQ(display->H(), 240);
    }
    void TearDown() override
    {
        cMessageDlg::setResponder([](const cMessageDlg& box) { return box.closeResult(); });
        if (viewer) viewer->Attach(nullptr);
    }

    CVantoroDoc& doc() { return *opened.doc; }
    QPoint pointOf(int x, int row) const { return display->ImageToDisplay(x, row); }
    void hover(QPoint p) { display->OnMouseMove(0, p); }
    Qt::CursorShape shape() const { return viewer->cursor().shape(); }
    int cursorsInUse()
    {
        int n = 0;
        for (int i = 0; i < kMaxCursors; ++i)
            n += doc().markers()[static_cast<std::size_t>(i)].inUse;
        return n;
    }

    OpenedDoc opened{flatPlan()};
    QWidget host;
    cObjectViewer* viewer = nullptr;
    std::unique_ptr<cArrayDisplay> display;
};

}  // namespace

// Catches a double-click that places the cursor on the wrong pixel, does not remove an
// existing one, or leaves the document unmodified.
TEST_F(Mouse, DoubleClickAddsAndRemovesCursors)
{
    doc().setModified(false);
    display->OnLButtonDblClk(KeyLButton, pointOf(50, 60));
    const Marker& m = doc().markers()[0];
    ASSERT_TRUE(m.inUse);
    EXPECT_TRUE(m.shown);
    EXPECT_EQ(m.x, 50);
    EXPECT_EQ(m.row, 60);
    EXPECT_EQ(m.emissivity, doc().image().fields.emissivity[10]);
    EXPECT_TRUE(doc().isModified());
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverCursor);

    display->OnLButtonDblClk(KeyLButton, pointOf(50, 60));
    EXPECT_FALSE(doc().markers()[0].inUse);
    EXPECT_EQ(cursorsInUse(), 0);

    // Hidden cursors come back on first.
    doc().setCursorsShown(false);
    display->OnLButtonDblClk(KeyLButton, pointOf(5, 6));
    EXPECT_TRUE(doc().cursorsShown());
}

// Catches an eleventh cursor being placed, a missing or wrong message, and a second box
// opening while the first is still up.
TEST_F(Mouse, EleventhCursorShowsTheMaximumMessageOnce)
{
    for (int i = 0; i < kMaxCursors; ++i)
        display->OnLButtonDblClk(KeyLButton, pointOf(10 + 20 * i, 100));
    ASSERT_EQ(cursorsInUse(), kMaxCursors);
    const auto before = doc().markers();

    int shown = 0;
    QString text;
    cMessageDlg::IconKind icon = cMessageDlg::IconKind::Stop;
    cMessageDlg::setResponder([&](const cMessageDlg& box) {
        ++shown;
        text = box.text();
        icon = box.iconKind();
        // Another double-click while the box is up must not open a second one.
        display->OnLButtonDblClk(KeyLButton, pointOf(300, 200));
        return int(cMessageDlg::IdOk);
    });
    display->OnLButtonDblClk(KeyLButton, pointOf(300, 200));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(text, uiText(sid::MaximumMarkersPlaced));
    EXPECT_EQ(text, QStringLiteral("Maximum number of markers have been placed"));
    EXPECT_EQ(icon, cMessageDlg::IconKind::Exclamation);
    for (int i = 0; i < kMaxCursors; ++i) {
        EXPECT_EQ(doc().markers()[i].x, before[i].x);
        EXPECT_EQ(doc().markers()[i].row, before[i].row);
        EXPECT_TRUE(doc().markers()[i].inUse);
    }
    // The guard is down again: the next attempt shows the message again.
    cMessageDlg::setResponder([&](const cMessageDlg&) { return ++shown, int(cMessageDlg::IdOk); });
    display->OnLButtonDblClk(KeyLButton, pointOf(300, 200));
    EXPECT_EQ(shown, 2);
}

// Catches wrong hover states or pointer shapes, including the swapped shapes of portrait
// orientations, and the grabbed cursor not being the last one on the pixel.
TEST_F(Mouse, HoverStatesAndPointerShapes)
{
    if (!doc().profilesShown()) doc().toggleProfiles();
    doc().setProfileRow(100);
    doc().setProfileColumn(200);
    display->OnLButtonDblClk(KeyLButton, pointOf(40, 40));
    display->OnLButtonDblClk(KeyLButton, pointOf(60, 60));

    hover(pointOf(150, 50));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverPlain);
    EXPECT_EQ(shape(), Qt::CrossCursor);
    hover(pointOf(200, 50));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverColumnLine);
    EXPECT_EQ(shape(), Qt::SizeHorCursor);
    hover(pointOf(150, 100));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverRowLine);
    EXPECT_EQ(shape(), Qt::SizeVerCursor);
    hover(pointOf(200, 100));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverBothLines);
    EXPECT_EQ(shape(), Qt::SizeAllCursor);
    hover(pointOf(60, 60));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverCursor);
    EXPECT_EQ(display->grabbedCursor(), 1);
    EXPECT_EQ(shape(), Qt::PointingHandCursor);
    // Within five display pixels of the column line still counts; ten pixels off does not.
    hover(pointOf(200, 50) + QPoint(4, 0));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverColumnLine);
    hover(pointOf(200, 50) + QPoint(10, 0));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverPlain);

    // Turned a quarter, the column line lies across the display.
    doc().setOrientation(1);
    display->SetRect(QRect(0, 0, 240, 320));
    hover(pointOf(200, 50));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverColumnLine);
    EXPECT_EQ(shape(), Qt::SizeVerCursor);
    hover(pointOf(150, 100));
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverRowLine);
    EXPECT_EQ(shape(), Qt::SizeHorCursor);
}

// Catches drags that do not move the cursor or the lines to the pointer, that go on after
// the button is up, or that leave the document unmodified.
TEST_F(Mouse, DraggingCursorsAndProfileLines)
{
    display->OnLButtonDblClk(KeyLButton, pointOf(40, 40));
    doc().setModified(false);
    hover(pointOf(40, 40));
    display->OnLButtonDown(KeyLButton, pointOf(40, 40));
    EXPECT_TRUE(display->dragging());
    display->OnMouseMove(KeyLButton, pointOf(45, 38));
    EXPECT_EQ(doc().markers()[0].x, 45);
    EXPECT_EQ(doc().markers()[0].row, 38);
    EXPECT_TRUE(doc().isModified());
    display->OnLButtonUp(0, pointOf(45, 38));
    EXPECT_FALSE(display->dragging());
    display->OnMouseMove(0, pointOf(100, 100));
    EXPECT_EQ(doc().markers()[0].x, 45);

    if (!doc().profilesShown()) doc().toggleProfiles();
    doc().setProfileRow(100);
    doc().setProfileColumn(200);
    hover(pointOf(200, 100));
    display->OnLButtonDown(KeyLButton, pointOf(200, 100));
    display->OnMouseMove(KeyLButton, pointOf(210, 90));
    EXPECT_EQ(doc().profiles().column, 210);
    EXPECT_EQ(doc().profiles().row, 90);
    EXPECT_DOUBLE_EQ(display->verticalLinePosition(), 210.5 / 320);
    EXPECT_DOUBLE_EQ(display->horizontalLinePosition(), 90.5 / 320);
    display->OnLButtonUp(0, pointOf(210, 90));

    // A press on plain picture starts nothing.
    hover(pointOf(150, 30));
    display->OnLButtonDown(KeyLButton, pointOf(150, 30));
    EXPECT_FALSE(display->dragging());
}

// Catches a pointer that leaves behind its hover state, drag, shape or selected point, and
// moves outside the content area being taken as picture points.
TEST_F(Mouse, MovesSelectPointsAndLeavingClearsEverything)
{
    int x = -1, row = -1;
    hover(pointOf(123, 45));
    ASSERT_TRUE(doc().selectedPoint(x, row));
    EXPECT_EQ(x, 123);
    EXPECT_EQ(row, 45);
    hover(QPoint(-1, 10));
    hover(QPoint(10, 240));
    ASSERT_TRUE(doc().selectedPoint(x, row));
    EXPECT_EQ(x, 123);

    display->OnLButtonDblClk(KeyLButton, pointOf(40, 40));
    hover(pointOf(40, 40));
    display->OnLButtonDown(KeyLButton, pointOf(40, 40));
    ASSERT_TRUE(display->dragging());
    display->OnMouseLeave();
    EXPECT_FALSE(display->dragging());
    EXPECT_EQ(display->hoverState(), cArrayDisplay::HoverNone);
    EXPECT_EQ(shape(), Qt::ArrowCursor);
    EXPECT_FALSE(doc().selectedPoint(x, row));
}

// Catches navigation that moves the window to the wrong place, lets it leave the image, or
// does not tell the document.
TEST_F(Mouse, NavigationModeMovesTheZoomWindow)
{
    display->SetZoom(2);
    display->SetNavigationMode(true);
    // The whole image is shown: display (x, y) is image column x, row 239 − y.
    display->OnLButtonDown(KeyLButton, QPoint(100, 139));
    EXPECT_EQ(display->zoomWindow(), QRect(100 - 79, 100 - 59, 160, 120));
    EXPECT_EQ(doc().viewRect(), display->zoomWindow());
    display->OnMouseMove(KeyLButton, QPoint(310, 5));  // near the top-right corner
    EXPECT_EQ(display->zoomWindow(), QRect(160, 120, 160, 120));
    EXPECT_EQ(shape(), Qt::PointingHandCursor);
    display->OnLButtonUp(0, QPoint(310, 5));
    display->OnMouseMove(0, QPoint(10, 230));
    EXPECT_EQ(display->zoomWindow(), QRect(160, 120, 160, 120));
    // Double-clicks place nothing in navigation mode.
    display->OnLButtonDblClk(KeyLButton, QPoint(10, 230));
    EXPECT_EQ(cursorsInUse(), 0);
}

// Catches a broken path from a real double-click on the viewer to the document: the cursor
// must land on the image pixel under the pointer.
TEST_F(Mouse, DoubleClickThroughTheViewer)
{
    host.show();
    const QPoint content = pointOf(77, 88);
    const QPoint at = content + QPoint(viewer->border(), viewer->border());
    QTest::mouseMove(viewer, at);
    QTest::mouseDClick(viewer, Qt::LeftButton, {}, at);
    const Marker& m = doc().markers()[0];
    ASSERT_TRUE(m.inUse);
    EXPECT_EQ(m.x, 77);
    EXPECT_EQ(m.row, 88);

    // The viewer's picture is the display's surface: the new cross is on screen.
    const QImage shot = viewer->grab().toImage();
    EXPECT_EQ(imagePixel(shot, at.x(), at.y()), rgb(255, 255, 255));
}
