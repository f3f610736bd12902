// The status-bar read-outs and the window title.
#include "apptest.h"

#include "platform/commandids.h"
#include "platform/textformat.h"

#include <QAction>

namespace calivue::test {

// Catches the position or temperature panes showing without a valid point, the wrong y,
// or a temperature not taken at the selected pixel.
TEST_F(AppTest, PositionAndTemperaturePanesAtASelectedPoint)
{
    gen::SnapshotPlan plan = plainPlan();
    plan.unit = 1;  // Fahrenheit
    const gen::WrittenFiles files = writeSnapshot("IR_0020", plan);
    ASSERT_TRUE(start({qs(files.bmp)}));
    EXPECT_EQ(frame().paneText(1), QString());
    EXPECT_EQ(frame().paneText(129), QString());
    EXPECT_EQ(frame().paneText(130), QString());

    // Picture (10, 20) counted from the top is array row 219.
    doc().setSelectedPoint(10, 219);
    EXPECT_EQ(frame().paneText(1), qs("X 10 Y 20"));
    const float expected = doc().image().temperatureAtImageEmissivity(10, 219);
    EXPECT_EQ(frame().paneText(129), QString::asprintf("%.1f", expected) + qs(" °F"));
    // A different pixel of the scene reads differently: the pane follows the point.
    doc().setSelectedPoint(160, 120);
    EXPECT_EQ(frame().paneText(1), qs("X 160 Y 119"));
    EXPECT_EQ(frame().paneText(129),
              QString::asprintf("%.1f", doc().image().temperatureAtImageEmissivity(160, 120)) +
                  qs(" °F"));

    doc().setSelectedPoint(320, 10);  // outside the picture
    EXPECT_EQ(frame().paneText(1), QString());
    EXPECT_EQ(frame().paneText(129), QString());
    doc().setSelectedPoint(5, 5);
    doc().clearSelectedPoint();  // the pointer left the picture
    EXPECT_EQ(frame().paneText(1), QString());
}

// Catches the difference pane showing with one isotherm, or computing anything but red band
// middle minus blue band middle.
TEST_F(AppTest, DiffPaneNeedsBothIsotherms)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0021", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    doc().toggleBlueIsotherm();
    EXPECT_EQ(frame().paneText(130), QString());
    doc().toggleRedIsotherm();
    const RecordFields& f = doc().image().fields;
    const int blue = f.blueLower + (f.blueUpper - f.blueLower) / 2;
    const int red = f.redLower + (f.redUpper - f.redLower) / 2;
    const double diff = doc().image().rawToTemperature(red) - doc().image().rawToTemperature(blue);
    EXPECT_NE(f.redLower, f.blueLower);
    EXPECT_EQ(frame().paneText(130), QString::asprintf("Diff %.1f", diff) + qs(" °C"));
    doc().toggleBlueIsotherm();  // red alone
    EXPECT_EQ(frame().paneText(130), QString());
}

// Catches a title without the product name, a missing modified mark, or a stale title after
// a save.
TEST_F(AppTest, TitleCarriesNameModifiedMarkAndProduct)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(frame().windowTitle(), qs("Orvane Calivue Razadi"));

    const gen::WrittenFiles files = writeSnapshot("IR_0022", plainPlan());
    ASSERT_TRUE(m_app->openFile(qs(files.qvx)));
    EXPECT_EQ(frame().windowTitle(), qs("IR_0022.BMP - Orvane Calivue Razadi"));
    action(cmd::RedIsotherm)->trigger();
    EXPECT_EQ(frame().windowTitle(), qs("IR_0022.BMP* - Orvane Calivue Razadi"));
    action(cmd::FileSave)->trigger();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(frame().windowTitle(), qs("IR_0022.BMP - Orvane Calivue Razadi"));
}

// Catches opening another snapshot over unsaved changes without asking.
TEST_F(AppTest, OpeningAnotherSnapshotAsksAboutChanges)
{
    const gen::WrittenFiles first = writeSnapshot("IR_0023", plainPlan());
    const gen::WrittenFiles second = writeSnapshot("IR_0024", plainPlan());
    ASSERT_TRUE(start({qs(first.bmp)}));
    doc().toggleAreaSelect();
    m_answer = cMessageDlg::IdCancel;
    EXPECT_FALSE(m_app->openFile(qs(second.bmp)));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(doc().currentPath().endsWith(qs("IR_0023.BMP")));
    m_answer = cMessageDlg::IdNo;
    EXPECT_TRUE(m_app->openFile(qs(second.bmp)));
    EXPECT_TRUE(doc().currentPath().endsWith(qs("IR_0024.BMP")));
}

// Catches the language command not offering the language in use.
TEST_F(AppTest, LanguageCommandStartsFromTheLanguageInUse)
{
    ASSERT_TRUE(start({}, std::nullopt, QLocale(QLocale::English, QLocale::UnitedStates)));
    std::optional<Language> offered;
    CMainFrame::setLanguageDialogHook([&](Language language) { offered = language; });
    action(cmd::Language)->trigger();
    CMainFrame::setLanguageDialogHook({});
    EXPECT_EQ(offered, Language::UsEnglish);
}

}  // namespace calivue::test
