// The real image view inside the running program: the options sheet with its three pages,
// the Properties command, and the analysis panels reacting to menu commands.
#include "apptest.h"

#include "platform/commandids.h"
#include "view/objectviewer.h"
#include "panels/optionssheet.h"
#include "panels/propertiesdlg.h"
#include "view/vantoroview.h"

#include <QAction>
#include <QCoreApplication>
#include <QSet>
#include <QTabWidget>

namespace calivue::test {

namespace {
CVantoroView* imageView(CMainFrame& frame)
{
    return dynamic_cast<CVantoroView*>(frame.viewCommands());
}
}  // namespace

// Catches an opened snapshot that never reaches the screen, or a view without its options.
TEST_F(AppTest, OpenedSnapshotFillsTheViewAndItsOptions)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0030", plainPlan(0x30));
    ASSERT_TRUE(start());
    CVantoroView* view = imageView(frame());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame().centralWidget(), view);
    frame().resize(1280, 800);
    frame().show();
    EXPECT_FALSE(view->viewer(CVantoroView::ImageViewer)->isVisible());

    ASSERT_TRUE(m_app->openFile(qs(files.bmp)));
    QCoreApplication::processEvents();
    cObjectViewer* image = view->viewer(CVantoroView::ImageViewer);
    ASSERT_TRUE(image->isVisible());
    EXPECT_TRUE(view->profilesShown());  // flags A bits 4 and 5 of the record
    EXPECT_TRUE(view->viewer(CVantoroView::LowerProfileViewer)->isVisible());

    auto* sheet = qobject_cast<cOptionsSheet*>(view->optionsSheet());
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->count(), 3);
    EXPECT_EQ(sheet->tabText(0), QStringLiteral("Display"));
    EXPECT_EQ(sheet->tabText(1), QStringLiteral("Cursors"));
    EXPECT_EQ(sheet->tabText(2), QStringLiteral("Settings"));
    EXPECT_TRUE(sheet->isVisible());
    // The docked sheet stands left of everything else.
    EXPECT_GE(view->viewer(CVantoroView::SideProfileViewer)->geometry().left(), sheet->width());

    const QImage shot = image->grab(image->contentRect()).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 4)
        for (int x = 0; x < shot.width(); x += 4) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 50);

    // "&Profiles" hides both profile viewers and clears the record's bits.
    action(cmd::Profiles)->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view->viewer(CVantoroView::LowerProfileViewer)->isVisible());
    EXPECT_EQ(doc().image().fields.flagsA & 0x30, 0);
    EXPECT_FALSE(action(cmd::Profiles)->isChecked());

    // "&Options" hides the sheet and gives its room to the picture.
    action(cmd::Options)->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(action(cmd::Options)->isChecked());
    EXPECT_EQ(image->geometry().left(), 0);
}

// Catches the Properties command showing another snapshot's data or none.
TEST_F(AppTest, PropertiesShowsTheOpenSnapshot)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0031", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    QString title;
    bool ok = false;
    CVantoroApp::setPropertiesHook([&](QDialog& dialog) {
        title = dialog.windowTitle();
        ok = dynamic_cast<cPropertiesDlg*>(&dialog) != nullptr;
    });
    ASSERT_TRUE(action(cmd::Properties)->isEnabled());
    action(cmd::Properties)->trigger();
    CVantoroApp::setPropertiesHook({});
    EXPECT_TRUE(ok);
    EXPECT_EQ(title, QStringLiteral("Properties"));
}

}  // namespace calivue::test
