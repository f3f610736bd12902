// Every menu and tool-bar command's enabled state, with the real image view, in the three
// situations a user meets: nothing open, a snapshot open, the report writer shown.
#include "apptest.h"

#include "platform/commandids.h"

#include <QAction>
#include <QCoreApplication>

#include <map>

namespace calivue::test {

// Catches a command that works on a snapshot but is offered while none is open (or the other
// way round), one offered in the wrong mode, and a new command nobody decided a rule for: the
// table must name every command the window has.
TEST_F(AppTest, EveryCommandFollowsItsRuleWithTheRealView)
{
    struct States {
        bool none, snapshot, report;
    };
    constexpr bool T = true, F = false;
    const std::map<int, States> table = {
        {cmd::FileOpen, {T, T, T}},
        {cmd::NewReportProject, {T, T, T}},
        {cmd::FileSave, {F, T, T}},
        {cmd::FileSaveAs, {F, T, T}},
        {cmd::Revert, {F, F, F}},
        {cmd::ExcelOutput, {F, T, F}},
        {cmd::Properties, {F, T, F}},
        {cmd::AppExit, {T, T, T}},
        {cmd::EditCopy, {F, T, F}},
        {cmd::CopyToBitmap, {F, T, F}},
        {cmd::ViewToolbar, {T, T, T}},
        {cmd::ViewStatusBar, {T, T, T}},
        {cmd::MeasurementCursorList, {T, T, F}},
        {cmd::MeasurementCursors, {F, T, F}},
        {cmd::CursorTemperature, {F, T, F}},
        {cmd::HotColdCursors, {F, T, F}},
        {cmd::AreaSelect, {F, T, F}},
        {cmd::BlueIsotherm, {F, T, F}},
        {cmd::RedIsotherm, {F, T, F}},
        {cmd::Profiles, {F, T, F}},
        {cmd::Options, {T, T, F}},
        {cmd::ReportWriter, {T, T, T}},
        {cmd::ResetIsotherms, {F, T, F}},
        {cmd::PersistReportDetails, {F, F, T}},
        {cmd::Language, {T, T, T}},
        {cmd::Template, {F, F, T}},
        {cmd::SeverityCriteria, {F, F, T}},
        {cmd::AppAbout, {T, T, T}},
        {cmd::HelpGuide, {T, T, T}},
        {cmd::HelpShortcuts, {T, T, T}},
    };
    const auto check = [&](const char* situation, bool States::*column) {
        SCOPED_TRACE(situation);
        frame().updateCommandStates();
        for (int command : frame().commands()) {
            const auto rule = table.find(command);
            ASSERT_NE(rule, table.end()) << "no rule for command " << command;
            EXPECT_EQ(action(command)->isEnabled(), rule->second.*column) << command;
        }
        EXPECT_EQ(frame().commands().size(), static_cast<qsizetype>(table.size()));
    };

    ASSERT_TRUE(start());
    check("nothing open", &States::none);
    const gen::WrittenFiles files = writeSnapshot("IR_0095", plainPlan(0x30));
    m_app.reset();
    ASSERT_TRUE(start({qs(files.bmp)}));
    ASSERT_TRUE(doc().isLoaded());
    check("snapshot open", &States::snapshot);
    action(cmd::ReportWriter)->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(frame().reportShown());
    check("report writer", &States::report);
}

}  // namespace calivue::test
