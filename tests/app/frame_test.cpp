// The main frame's menu, tool bar and command rules.
#include "apptest.h"

#include "platform/commandids.h"
#include "app/displaycheck.h"
#include "platform/stringtable.h"
#include "app/toolbaricons.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStyleOptionMenuItem>
#include <QStatusBar>
#include <QToolBar>

namespace calivue::test {

namespace {
// The enabled state of each command, as one comparable map.
std::map<int, bool> enabledStates(CMainFrame& frame)
{
    std::map<int, bool> states;
    for (int command : frame.commands()) states[command] = frame.action(command)->isEnabled();
    return states;
}
}  // namespace

// Catches menu items out of order, missing separators, or prompts and tool tips not taken
// from the command's string.
TEST_F(AppTest, MenuFollowsTheMenuResource)
{
    ASSERT_TRUE(start());
    const QList<MenuDef>& menus = StringTable::active().menus();
    const QList<QAction*> top = frame().menuBar()->actions();
    ASSERT_EQ(top.size(), menus.size());
    for (int m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(top[m]->text(), menus[m].text);
        const QList<QAction*> items = top[m]->menu()->actions();
        ASSERT_EQ(items.size(), menus[m].items.size()) << menus[m].text.toStdString();
        for (int i = 0; i < items.size(); ++i) {
            const MenuEntry& entry = menus[m].items[i];
            EXPECT_EQ(items[i]->isSeparator(), entry.separator);
            if (!entry.separator) {
                EXPECT_EQ(items[i]->text(), entry.text);
                EXPECT_EQ(items[i]->data().toInt(), entry.command);
            }
        }
    }
    EXPECT_EQ(action(cmd::FileOpen)->statusTip(), qs("Open an existing thermal image"));
    EXPECT_EQ(action(cmd::FileOpen)->toolTip(), qs("Open"));
    EXPECT_EQ(action(cmd::HotColdCursors)->toolTip(), qs("Hot & Cold Cursors"));
    EXPECT_EQ(action(cmd::PersistReportDetails)->statusTip(), qs("Persist Report Details"));
}

namespace {
// What a menu draws for an action: its text, a tab and the shortcut when it shows one.
struct MenuProbe : QMenu {
    QString shownText(QAction* action)
    {
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        return option.text;
    }
};
}  // namespace

// Catches File and Edit commands without the desktop's standard keys, or keys the menus do
// not show beside the texts.
TEST_F(AppTest, MenusCarryTheStandardShortcuts)
{
    ASSERT_TRUE(start());
    const struct {
        int command;
        QKeySequence::StandardKey key;
        const char* fallback;
    } cases[] = {{cmd::FileOpen, QKeySequence::Open, "Ctrl+O"},
                 {cmd::FileSave, QKeySequence::Save, "Ctrl+S"},
                 {cmd::FileSaveAs, QKeySequence::SaveAs, "Ctrl+Shift+S"},
                 {cmd::EditCopy, QKeySequence::Copy, "Ctrl+C"},
                 {cmd::AppExit, QKeySequence::Quit, "Ctrl+Q"}};
    MenuProbe probe;
    for (const auto& c : cases) {
        QAction* a = action(c.command);
        ASSERT_NE(a, nullptr);
        const QList<QKeySequence> standard = QKeySequence::keyBindings(c.key);
        const QKeySequence expected =
            standard.isEmpty() ? QKeySequence(qs(c.fallback)) : standard.first();
        EXPECT_EQ(a->shortcut(), expected) << c.command;
        const QString shown = probe.shownText(a);
        EXPECT_TRUE(shown.endsWith(QLatin1Char('\t') + expected.toString(QKeySequence::NativeText)))
            << shown.toStdString();
    }
    EXPECT_TRUE(action(cmd::Revert)->shortcut().isEmpty());
}

// Catches tool-bar buttons out of order, a lost separator, or a button without its own
// 16 × 15 picture.
TEST_F(AppTest, ToolBarFollowsTheLayoutWithOwnIcons)
{
    ASSERT_TRUE(start());
    QList<int> seen;
    for (QAction* a : frame().toolBar()->actions())
        seen << (a->isSeparator() ? 0 : a->data().toInt());
    EXPECT_EQ(seen, StringTable::active().toolbar());
    EXPECT_EQ(frame().toolBar()->iconSize(), QSize(16, 15));

    QSet<QByteArray> pictures;
    for (int command : StringTable::active().toolbar()) {
        if (command == 0) continue;
        const QImage image = toolBarImage(command);
        ASSERT_FALSE(image.isNull()) << command;
        EXPECT_EQ(image.size(), QSize(16, 15));
        pictures.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(pictures.size(), 13);  // every button distinct
}

// Catches analysis commands usable without a snapshot, and always-available commands
// wrongly disabled.
TEST_F(AppTest, CommandsBeforeAnyOpen)
{
    ASSERT_TRUE(start());
    FakeView view(doc());
    frame().setViewCommands(&view);
    const std::map<int, bool> states = enabledStates(frame());
    for (int command :
         {cmd::FileOpen, cmd::AppExit, cmd::ViewToolbar, cmd::ViewStatusBar, cmd::Language,
          cmd::AppAbout, cmd::MeasurementCursorList, cmd::Options, cmd::ReportWriter})
        EXPECT_TRUE(states.at(command)) << command;
    for (int command :
         {cmd::FileSave, cmd::FileSaveAs, cmd::Revert, cmd::ExcelOutput, cmd::Properties,
          cmd::EditCopy, cmd::CopyToBitmap, cmd::MeasurementCursors, cmd::CursorTemperature,
          cmd::HotColdCursors, cmd::AreaSelect, cmd::BlueIsotherm, cmd::RedIsotherm, cmd::Profiles,
          cmd::ResetIsotherms, cmd::PersistReportDetails, cmd::Template, cmd::SeverityCriteria})
        EXPECT_FALSE(states.at(command)) << command;
}

// Catches view commands offered with no view to carry them out.
TEST_F(AppTest, ViewCommandsNeedAView)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0010", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    ASSERT_NE(frame().viewCommands(), nullptr);  // start-up installs the image view
    frame().setViewCommands(nullptr);
    for (int command : {cmd::EditCopy, cmd::CopyToBitmap, cmd::MeasurementCursorList, cmd::Options,
                        cmd::Profiles, cmd::ReportWriter})
        EXPECT_FALSE(action(command)->isEnabled()) << command;
    EXPECT_TRUE(action(cmd::BlueIsotherm)->isEnabled());
}

// Catches enable or check rules that do not follow the document after an open and a toggle,
// Revert offered without changes, or commands without a handler being enabled.
TEST_F(AppTest, CommandsAfterOpenFollowTheDocument)
{
    // Flags A: hot and cold (bits 0, 1), profiles (4, 5); flags B bit 0: cursor temperatures.
    const gen::WrittenFiles files = writeSnapshot("IR_0011", plainPlan(0x33, 0x01));
    ASSERT_TRUE(start({qs(files.bmp)}));
    FakeView view(doc());
    frame().setViewCommands(&view);

    for (int command :
         {cmd::FileSave, cmd::FileSaveAs, cmd::ExcelOutput, cmd::EditCopy, cmd::CopyToBitmap,
          cmd::MeasurementCursors, cmd::CursorTemperature, cmd::HotColdCursors, cmd::AreaSelect,
          cmd::BlueIsotherm, cmd::RedIsotherm, cmd::Profiles, cmd::ResetIsotherms})
        EXPECT_TRUE(action(command)->isEnabled()) << command;
    EXPECT_FALSE(action(cmd::Revert)->isEnabled());
    EXPECT_TRUE(action(cmd::Properties)->isEnabled());  // start-up installs the dialog
    frame().setCommandHandler(cmd::Properties, {});
    EXPECT_FALSE(action(cmd::Properties)->isEnabled());  // a command without a handler
    EXPECT_FALSE(action(cmd::Template)->isEnabled());

    EXPECT_TRUE(action(cmd::HotColdCursors)->isChecked());
    EXPECT_TRUE(action(cmd::CursorTemperature)->isChecked());
    EXPECT_TRUE(action(cmd::MeasurementCursors)->isChecked());
    EXPECT_FALSE(action(cmd::AreaSelect)->isChecked());
    EXPECT_FALSE(action(cmd::BlueIsotherm)->isChecked());
    EXPECT_FALSE(action(cmd::RedIsotherm)->isChecked());
    EXPECT_TRUE(action(cmd::Options)->isChecked());
    EXPECT_FALSE(action(cmd::MeasurementCursorList)->isChecked());

    action(cmd::BlueIsotherm)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(doc().isothermFlags() & 1u, 1u);
    EXPECT_TRUE(action(cmd::BlueIsotherm)->isChecked());
    EXPECT_FALSE(action(cmd::RedIsotherm)->isChecked());
    EXPECT_TRUE(action(cmd::Revert)->isEnabled());  // now there is something to undo

    action(cmd::HotColdCursors)->trigger();
    action(cmd::MeasurementCursorList)->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(doc().hotColdShown());
    EXPECT_FALSE(action(cmd::HotColdCursors)->isChecked());
    EXPECT_TRUE(view.cursorList);
    EXPECT_TRUE(action(cmd::MeasurementCursorList)->isChecked());

    bool propertiesShown = false;
    frame().setCommandHandler(cmd::Properties, [&] { propertiesShown = true; });
    ASSERT_TRUE(action(cmd::Properties)->isEnabled());
    action(cmd::Properties)->trigger();
    EXPECT_TRUE(propertiesShown);

    action(cmd::EditCopy)->trigger();
    action(cmd::CopyToBitmap)->trigger();
    EXPECT_EQ(view.clipboardCopies, 1);
    EXPECT_EQ(view.bitmapCopies, 1);
}

// Catches analysis commands left usable in report-writer mode, or the report-writer-only
// commands usable outside it.
TEST_F(AppTest, ReportWriterModeSwapsTheCommands)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0012", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    FakeView view(doc());
    frame().setViewCommands(&view);
    frame().setCommandHandler(cmd::Template, [] {});
    frame().setCommandHandler(cmd::SeverityCriteria, [] {});
    EXPECT_FALSE(action(cmd::SeverityCriteria)->isEnabled());

    action(cmd::ReportWriter)->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(view.reportMode());
    EXPECT_TRUE(action(cmd::ReportWriter)->isChecked());
    for (int command : {cmd::ExcelOutput, cmd::EditCopy, cmd::MeasurementCursors, cmd::BlueIsotherm,
                        cmd::Profiles, cmd::Options, cmd::MeasurementCursorList,
                        cmd::ResetIsotherms, cmd::Revert})
        EXPECT_FALSE(action(command)->isEnabled()) << command;
    for (int command : {cmd::FileSave, cmd::FileSaveAs, cmd::Template, cmd::PersistReportDetails,
                        cmd::ReportWriter, cmd::SeverityCriteria})
        EXPECT_TRUE(action(command)->isEnabled()) << command;

    const bool persisted = doc().persistReportDetails();
    action(cmd::PersistReportDetails)->trigger();
    QCoreApplication::processEvents();
    EXPECT_NE(doc().persistReportDetails(), persisted);
    EXPECT_EQ(action(cmd::PersistReportDetails)->isChecked(), !persisted);
}

// Catches the tool bar and status bar commands not hiding their bars or their ticks lying.
TEST_F(AppTest, ToolBarAndStatusBarToggle)
{
    ASSERT_TRUE(start());
    frame().show();
    frame().updateCommandStates();
    EXPECT_TRUE(action(cmd::ViewToolbar)->isChecked());
    action(cmd::ViewToolbar)->trigger();
    action(cmd::ViewStatusBar)->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame().toolBar()->isHidden());
    EXPECT_TRUE(frame().statusBar()->isHidden());
    EXPECT_FALSE(action(cmd::ViewToolbar)->isChecked());
    EXPECT_FALSE(action(cmd::ViewStatusBar)->isChecked());
    action(cmd::ViewToolbar)->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame().toolBar()->isHidden());
    EXPECT_TRUE(action(cmd::ViewToolbar)->isChecked());
}

// Catches the display check refusing a chosen platform or accepting an empty environment
// (where Qt would abort instead of the program explaining itself).
TEST(DisplayCheck, NeedsADisplayOrAChosenPlatform)
{
    EXPECT_FALSE(displayAvailable({}));
    EXPECT_TRUE(displayAvailable({"offscreen", {}, {}}));
    EXPECT_TRUE(displayAvailable({{}, ":0", {}}));
    EXPECT_TRUE(displayAvailable({{}, {}, "wayland-0"}));
}

}  // namespace calivue::test
