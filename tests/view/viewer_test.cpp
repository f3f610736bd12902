// cObjectViewer: attaching and detaching objects, size negotiation, input forwarded in
// content coordinates (Delete included, even when a menu command uses it as a shortcut),
// and the paint path showing the object's surface inside the frame.
#include "view/objectviewer.h"
#include "view/visibleobject.h"

#include "viewtestutil.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QTest>
#include <QWheelEvent>

#include <string>
#include <vector>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

// Records what reaches it; prefers a fixed content size when one is set.
class Recorder : public cVisibleObject {
public:
    Recorder() { setBackground(rgb(0, 0, 255)); }

    struct Call {
        std::string what;
        QPoint point;
        int value = 0;
    };
    std::vector<Call> calls;
    QSize preferred;  // invalid: accept what is offered
    std::vector<int> edges;
    int draws = 0;

    QSize GetPreferredSize(int w, int h, int edge) override
    {
        edges.push_back(edge);
        return preferred.isValid() ? preferred : QSize(w, h);
    }
    bool DrawContent(QPainter&) override
    {
        ++draws;
        return true;
    }
    int OnLButtonDown(unsigned, QPoint p) override { return log("ldown", p); }
    int OnLButtonUp(unsigned, QPoint p) override { return log("lup", p); }
    int OnLButtonDblClk(unsigned, QPoint p) override { return log("ldbl", p); }
    int OnRButtonDown(unsigned, QPoint p) override { return log("rdown", p); }
    int OnRButtonUp(unsigned, QPoint p) override { return log("rup", p); }
    int OnMouseMove(unsigned, QPoint p) override { return log("move", p); }
    int OnMouseLeave() override { return log("leave", QPoint()); }
    int OnMouseWheel(unsigned, int delta, QPoint p) override { return log("wheel", p, delta); }
    int OnKeyDown(int key, int repeat, int flags) override
    {
        calls.push_back({"key", QPoint(repeat, flags), key});
        return 0;
    }

    bool saw(const std::string& what) const
    {
        for (const Call& c : calls)
            if (c.what == what) return true;
        return false;
    }
    const Call* last(const std::string& what) const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->what == what) return &*it;
        return nullptr;
    }

private:
    int log(const char* what, QPoint p, int value = 0)
    {
        calls.push_back({what, p, value});
        return 0;
    }
};

}  // namespace

// Catches an object left pointing at a viewer that no longer shows it, or a viewer that
// deletes an object it does not own.
TEST(ObjectViewer, AttachingASecondObjectDetachesTheFirst)
{
    QWidget parent;
    Recorder first, second;
    {
        cObjectViewer viewer;
        viewer.SetBorder3D(true);
        viewer.Create(QRect(10, 20, 108, 88), &parent, 1001, &first);
        EXPECT_EQ(viewer.id(), 1001);
        EXPECT_EQ(first.owner(), &viewer);
        // The content rect in the parent's coordinates: the window less its border.
        EXPECT_EQ(first.GetRect(), QRect(14, 24, 100, 80));

        viewer.Attach(&second);
        EXPECT_EQ(first.owner(), nullptr);
        EXPECT_FALSE(first.HasArea());
        EXPECT_EQ(second.owner(), &viewer);
        EXPECT_EQ(viewer.object(), &second);

        // One object, one host: a second viewer takes it away from the first.
        cObjectViewer other(&parent);
        other.Attach(&second);
        EXPECT_EQ(viewer.object(), nullptr);
        EXPECT_EQ(second.owner(), &other);
        other.Attach(nullptr);
        EXPECT_EQ(second.owner(), nullptr);
        viewer.Attach(&second);
    }
    // The viewer is gone; the object lives on, detached.
    EXPECT_EQ(second.owner(), nullptr);
    EXPECT_FALSE(second.HasArea());
}

// Catches the wrong side giving way when the object asks for a smaller size: attaching keeps
// left and bottom, moving keeps left and top.
TEST(ObjectViewer, PreferredSizeOnAttachAndMove)
{
    QWidget parent;
    Recorder object;
    object.preferred = QSize(40, 30);
    cObjectViewer viewer(&parent);
    viewer.SetBorder3D(true);
    viewer.setGeometry(0, 0, 108, 88);  // content (4, 4)–(104, 84)
    viewer.Attach(&object);
    ASSERT_FALSE(object.edges.empty());
    EXPECT_EQ(object.edges.back(), EdgeRight);
    EXPECT_EQ(object.GetRect(), QRect(4, 84 - 30, 40, 30));

    viewer.MoveWindow(20, 10, 208, 108);
    EXPECT_EQ(object.edges.back(), EdgeBottom);
    EXPECT_EQ(object.GetRect(), QRect(24, 14, 40, 30));

    // Without a preference the object fills the content area, and follows it.
    object.preferred = QSize();
    viewer.MoveWindow(QRect(30, 40, 58, 48));
    EXPECT_EQ(object.GetRect(), QRect(34, 44, 50, 40));

    viewer.SetBorder3D(false);
    EXPECT_EQ(viewer.border(), 0);
    EXPECT_TRUE(viewer.style3D());  // off only drops the border
    EXPECT_EQ(viewer.contentRect(), viewer.rect());
}

// Catches a dragged frame whose fixed side moves: for each dragged edge the opposite sides
// stay and the content gets the preferred size; any other edge changes nothing.
TEST(ObjectViewer, DraggedEdgeKeepsTheOppositeSides)
{
    const QRect frame(100, 200, 300, 150);  // right 400, bottom 350 as the edges count
    const QSize want(120, 90);
    const int border = 4, b2 = 8;
    struct Case {
        int edge;
        bool keepLeft, keepTop;
    };
    const Case cases[] = {
        {EdgeLeft, false, true},       {EdgeRight, true, true},       {EdgeTop, true, false},
        {EdgeTopLeft, false, false},   {EdgeTopRight, true, false},   {EdgeBottom, true, true},
        {EdgeBottomLeft, false, true}, {EdgeBottomRight, true, true},
    };
    for (const Case& c : cases) {
        const QRect r = cObjectViewer::AdjustDraggedFrame(frame, c.edge, border, want);
        SCOPED_TRACE(c.edge);
        EXPECT_EQ(r.size(), want + QSize(b2, b2));
        if (c.keepLeft)
            EXPECT_EQ(r.left(), frame.left());
        else
            EXPECT_EQ(r.x() + r.width(), frame.x() + frame.width());
        if (c.keepTop)
            EXPECT_EQ(r.top(), frame.top());
        else
            EXPECT_EQ(r.y() + r.height(), frame.y() + frame.height());
    }
    EXPECT_EQ(cObjectViewer::AdjustDraggedFrame(frame, 0, border, want), frame);
    EXPECT_EQ(cObjectViewer::AdjustDraggedFrame(frame, 9, border, want), frame);

    // Through the viewer: the object is asked with the dragged frame's content size.
    Recorder object;
    object.preferred = want;
    cObjectViewer viewer;
    viewer.SetBorder3D(true);
    viewer.Attach(&object);
    QRect dragged = frame;
    viewer.OnSizing(EdgeTopLeft, dragged);
    EXPECT_EQ(object.edges.back(), EdgeTopLeft);
    EXPECT_EQ(dragged.x() + dragged.width(), 400);  // bottom-right corner fixed
    EXPECT_EQ(dragged.y() + dragged.height(), 350);
    EXPECT_EQ(dragged.size(), QSize(128, 98));
}

// Catches input forwarded in window rather than content coordinates, or not at all.
TEST(ObjectViewer, MouseReachesTheObjectInContentCoordinates)
{
    QWidget parent;
    parent.resize(300, 300);
    Recorder object;
    cObjectViewer viewer(&parent);
    viewer.SetBorder3D(true);
    viewer.setGeometry(10, 10, 200, 150);
    viewer.Attach(&object);
    parent.show();
    EXPECT_TRUE(viewer.hasMouseTracking());

    const QPoint at(24, 19);  // content (20, 15)
    QTest::mouseMove(&viewer, at);
    QTest::mousePress(&viewer, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&viewer, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&viewer, Qt::LeftButton, {}, at);
    QTest::mousePress(&viewer, Qt::RightButton, {}, at);
    QTest::mouseRelease(&viewer, Qt::RightButton, {}, at);
    for (const char* what : {"move", "ldown", "lup", "ldbl", "rdown", "rup"}) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(object.saw(what));
        EXPECT_EQ(object.last(what)->point, QPoint(20, 15));
    }
    EXPECT_TRUE(viewer.isTracking());

    QWheelEvent wheel(QPointF(at), viewer.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&viewer, &wheel);
    ASSERT_TRUE(object.saw("wheel"));
    EXPECT_EQ(object.last("wheel")->point, QPoint(20, 15));
    EXPECT_EQ(object.last("wheel")->value, 120);
    EXPECT_TRUE(wheel.isAccepted());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&viewer, &leave);
    EXPECT_TRUE(object.saw("leave"));
    EXPECT_FALSE(viewer.isTracking());
}

// Catches Delete being swallowed by a menu command's shortcut before the focused viewer's
// object sees it. The control case shows the shortcut does take it from a plain widget.
TEST(ObjectViewer, DeleteReachesTheObjectDespiteADeleteShortcut)
{
    for (bool useViewer : {true, false}) {
        SCOPED_TRACE(useViewer ? "viewer" : "plain widget");
        QMainWindow window;
        int triggered = 0;
        auto* action = new QAction(&window);
        action->setShortcut(QKeySequence(Qt::Key_Delete));
        window.addAction(action);
        QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
        Recorder object;
        QWidget* focus = nullptr;
        if (useViewer) {
            auto* viewer = new cObjectViewer;
            viewer->Attach(&object);
            focus = viewer;
        } else {
            focus = new QWidget;
            focus->setFocusPolicy(Qt::ClickFocus);
        }
        window.setCentralWidget(focus);
        window.resize(200, 150);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        focus->setFocus();
        QTest::keyClick(window.windowHandle(), Qt::Key_Delete);
        if (useViewer) {
            ASSERT_TRUE(object.saw("key"));
            EXPECT_EQ(object.last("key")->value, int(Qt::Key_Delete));
            EXPECT_EQ(object.last("key")->point, QPoint(0, 0));  // repeat 0, flags 0
            EXPECT_EQ(triggered, 0);
            // Other keys arrive as they are.
            QTest::keyClick(window.windowHandle(), Qt::Key_Left);
            EXPECT_EQ(object.last("key")->value, int(Qt::Key_Left));
        } else {
            EXPECT_EQ(triggered, 1);
        }
        // The object dies before the window: detach it first.
        if (useViewer) static_cast<cObjectViewer*>(focus)->Attach(nullptr);
    }
}

// Catches a paint path that renders anything but the object's surface in the content area,
// or a frame drawn over the content.
TEST(ObjectViewer, PaintShowsTheObjectSurfaceInsideTheFrame)
{
    QWidget parent;
    parent.resize(200, 200);
    Recorder object;  // content is its background, blue
    cObjectViewer viewer(&parent);
    viewer.SetBorder3D(true);
    viewer.setGeometry(20, 30, 60, 50);
    viewer.Attach(&object);
    const QImage shot = viewer.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(60, 50));
    EXPECT_GE(object.draws, 1);
    for (int y = 4; y < 46; ++y)
        for (int x = 4; x < 56; ++x)
            ASSERT_EQ(imagePixel(shot, x, y), rgb(0, 0, 255)) << x << ',' << y;
    // The sunken frame: dark inside and shadow outside at the top left, 3-D light inside
    // and highlight outside at the bottom right; the outermost ring is the button face.
    EXPECT_EQ(imagePixel(shot, 30, 3), systemColour(QPalette::Shadow));
    EXPECT_EQ(imagePixel(shot, 30, 2), systemColour(QPalette::Dark));
    EXPECT_EQ(imagePixel(shot, 30, 46), systemColour(QPalette::Midlight));
    EXPECT_EQ(imagePixel(shot, 30, 47), systemColour(QPalette::Light));
    EXPECT_EQ(imagePixel(shot, 3, 20), systemColour(QPalette::Shadow));
    EXPECT_EQ(imagePixel(shot, 56, 20), systemColour(QPalette::Midlight));
    EXPECT_EQ(imagePixel(shot, 0, 20), systemColour(QPalette::Button));

    // Asked to draw without a painter, an owned object has its viewer repaint it at once.
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    const int before = object.draws;
    object.Draw(nullptr);
    EXPECT_EQ(object.draws, before + 1);

    // The flat style: a rounded line in the highlight colour along the window's edge.
    cObjectViewer flat(&parent);
    flat.setGeometry(100, 100, 60, 50);
    EXPECT_TRUE(flat.flatStyle());
    Recorder inside;
    flat.Attach(&inside);
    const QImage flatShot = flat.grab().toImage();
    EXPECT_EQ(imagePixel(flatShot, 30, 0), systemColour(QPalette::Light));
    EXPECT_EQ(imagePixel(flatShot, 0, 25), systemColour(QPalette::Light));
    EXPECT_EQ(imagePixel(flatShot, 30, 25), rgb(0, 0, 255));
    flat.Attach(nullptr);

    // A viewer without an object shows the button face, and draws nothing of anyone's.
    cObjectViewer empty(&parent);
    empty.setGeometry(0, 0, 30, 30);
    const QImage blank = empty.grab().toImage();
    EXPECT_EQ(imagePixel(blank, 15, 15), systemColour(QPalette::Button));
}
