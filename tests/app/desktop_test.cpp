// The desktop's habits of the main window: placement and docking remembered between runs,
// status panes shown only with information, tool-bar icons drawn at any size, and the same
// layout at every screen scale factor.
#include "apptest.h"

#include "view/objectviewer.h"
#include "platform/settingsstore.h"
#include "app/toolbaricons.h"
#include "view/vantoroview.h"

#include "platform/commandids.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>

namespace calivue::test {

// Catches a window that forgets its size, position or the floating options sheet on the
// next start.
TEST_F(AppTest, WindowPlacementAndDockingAreRemembered)
{
    ASSERT_TRUE(start());
    FakeView view(doc());
    frame().setViewCommands(&view);
    frame().setGeometry(70, 80, 900, 640);
    view.toggleOptionsDocked();
    frame().show();
    QCoreApplication::processEvents();
    const QRect placed = frame().geometry();
    ASSERT_TRUE(frame().close());

    SettingsStore store(m_config.path());
    CMainFrame next(doc(), store, Language::English);
    FakeView nextView(doc());
    ASSERT_TRUE(nextView.docked);
    next.setViewCommands(&nextView);
    EXPECT_FALSE(nextView.docked);
    EXPECT_EQ(next.geometry().size(), placed.size());
    EXPECT_EQ(next.geometry().topLeft(), placed.topLeft());
}

// Catches empty read-out panes taking room in the status bar, a pane not coming back when
// it has a reading, and greyed lock-key indicators that never say anything.
TEST_F(AppTest, StatusPanesShowOnlyWithInformation)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0040", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    frame().show();
    const auto visible = [this](const char* name) {
        auto* pane = frame().statusBar()->findChild<QLabel*>(QString::fromLatin1(name));
        return pane && pane->isVisible();
    };
    EXPECT_FALSE(visible("pane1"));
    EXPECT_FALSE(visible("pane129"));
    EXPECT_FALSE(visible("pane130"));
    doc().setSelectedPoint(10, 219);
    EXPECT_TRUE(visible("pane1"));
    EXPECT_TRUE(visible("pane129"));
    EXPECT_FALSE(visible("pane130"));
    doc().clearSelectedPoint();
    EXPECT_FALSE(visible("pane1"));
    EXPECT_EQ(frame().statusBar()->findChild<QLabel*>(QStringLiteral("indicatorCaps")), nullptr);
}

// Catches tool-bar icons that are one small bitmap blown up: at twice the size the drawing is
// painted again (smooth edges, more colours than pixel doubling gives), at the button's own
// size it is the picture itself.
TEST_F(AppTest, ToolBarIconsArePaintedAtEverySize)
{
    for (int command : {cmd::FileOpen, cmd::Options, cmd::Profiles, cmd::AppAbout}) {
        const QIcon icon = toolBarIcon(command);
        const QImage small = toolBarImage(command);
        EXPECT_EQ(icon.pixmap(QSize(16, 15)).toImage().convertToFormat(small.format()), small)
            << command;
        const QImage large = icon.pixmap(QSize(64, 60)).toImage();
        ASSERT_EQ(large.size(), QSize(64, 60));
        const QImage doubled = small.scaled(64, 60).convertToFormat(large.format());
        EXPECT_NE(large, doubled) << command;
        QSet<QRgb> colours, doubledColours;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 64; ++x) {
                colours.insert(large.pixel(x, y));
                doubledColours.insert(doubled.pixel(x, y));
            }
        EXPECT_GT(colours.size(), doubledColours.size()) << command;
    }
}

// Run at QT_SCALE_FACTOR 1, 1.5 and 2 (see CMakeLists.txt). Catches a window whose grab is
// not at device resolution, or whose panels move when the scale factor changes: the
// logical layout of a 1100 × 760 window is the same at every scale.
TEST_F(AppTest, HiDpiGrabHasDevicePixelsAndTheSameLayout)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0041", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    frame().resize(1100, 760);
    frame().show();
    QCoreApplication::processEvents();
    const qreal ratio = frame().devicePixelRatioF();
    EXPECT_DOUBLE_EQ(ratio,
                     qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    const QPixmap shot = frame().grab();
    EXPECT_EQ(shot.size(), (QSizeF(frame().size()) * ratio).toSize());

    auto* view = dynamic_cast<CVantoroView*>(frame().viewCommands());
    ASSERT_NE(view, nullptr);
    const auto place = [view](CVantoroView::Viewer which) {
        cObjectViewer* v = view->viewer(which);
        return QRect(v->mapTo(view, QPoint(0, 0)), v->size());
    };
    // Recorded at scale 1.
    EXPECT_EQ(place(CVantoroView::ImageViewer), QRect(423, 0, 604, 453));
    EXPECT_EQ(place(CVantoroView::ColourBarViewer), QRect(1031, 0, 65, 453));
    EXPECT_EQ(place(CVantoroView::SpanViewer), QRect(0, 589, 1100, 100));
    // The picture in the grab has device pixels: its viewer covers ratio × its logical size.
    const QImage picture = view->viewer(CVantoroView::ImageViewer)->grab().toImage();
    EXPECT_EQ(picture.size(), (QSizeF(place(CVantoroView::ImageViewer).size()) * ratio).toSize());
}

}  // namespace calivue::test
