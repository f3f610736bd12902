// Report projects from the main window: File Open in report mode, the caption, and the
// question asked when the window closes over unsaved report changes.
#include "apptest.h"

#include "platform/commandids.h"
#include "report/reportsheet.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "report/titledlg.h"

#include "core/reportproject.h"
#include "platform/fspath.h"

#include <QAction>
#include <QFile>

namespace calivue::test {
namespace {

// Catches the close question missing in report mode, Yes not saving the project, or the
// main window's caption not following the project's name and flag.
TEST_F(AppTest, ClosingWithAModifiedProjectAsksAndYesSaves)
{
    ASSERT_TRUE(start());
    action(cmd::ReportWriter)->trigger();
    cReportSheet* sheet = m_app->reportSheet();
    ASSERT_NE(sheet, nullptr);
    const QString app = uiText(sid::ProductTitle);
    EXPECT_EQ(frame().windowTitle(), qs("Untitled.vrp - ") + app);

    sheet->titlePage()->setCompany(qs("Acme"));
    EXPECT_EQ(frame().windowTitle(), qs("Untitled.vrp* - ") + app);
    m_chosen = m_files.filePath(qs("site.vrp"));
    ASSERT_TRUE(sheet->saveProjectAs());
    EXPECT_EQ(frame().windowTitle(), qs("site.vrp - ") + app);

    sheet->titlePage()->setCompany(qs("Acme Thermal"));
    EXPECT_EQ(frame().windowTitle(), qs("site.vrp* - ") + app);
    m_messages.clear();
    m_answer = cMessageDlg::IdYes;
    m_chosen.reset();  // Save must not need a dialog now
    EXPECT_TRUE(frame().close());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, qs("Save changes to site.vrp?"));
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Question);
    const auto saved = readReportProjectFile(toFsPath(m_files.filePath(qs("site.vrp"))));
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->title.company, u"Acme Thermal");
}

// Catches File Open in report mode opening a snapshot instead of a project, or a failure
// passing without its message.
TEST_F(AppTest, FileOpenInReportModeReadsAProject)
{
    ASSERT_TRUE(start());
    action(cmd::ReportWriter)->trigger();
    cReportSheet* sheet = m_app->reportSheet();
    ASSERT_NE(sheet, nullptr);
    ReportProject project;
    project.title.company = u"Opened Co";
    ASSERT_EQ(writeReportProjectFile(toFsPath(m_files.filePath(qs("job.vrp"))), project),
              Error::None);

    m_chosen = m_files.filePath(qs("job.vrp"));
    action(cmd::FileOpen)->trigger();
    ASSERT_FALSE(m_dialogs.empty());
    EXPECT_TRUE(
        m_dialogs.back().nameFilters().value(0).startsWith(qs("Calivue Report Files (*.vrp)")));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(sheet->titlePage()->title().company, u"Opened Co");
    EXPECT_EQ(frame().windowTitle(), qs("job.vrp - ") + uiText(sid::ProductTitle));

    m_chosen = m_files.filePath(qs("none.vrp"));
    action(cmd::FileOpen)->trigger();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorReadingVrp));
    EXPECT_EQ(sheet->projectName(), qs("job.vrp"));
}

}  // namespace
}  // namespace calivue::test
