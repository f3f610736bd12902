// The File commands with two documents: in report mode New, Save and Save As act on the report
// project, elsewhere on the snapshot; closing the window asks about both, and the report
// project's question can be cancelled.
#include "apptest.h"

#include "platform/commandids.h"
#include "document/reportdoc.h"
#include "report/reportsheet.h"
#include "report/engine/reporttext.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"
#include "report/titledlg.h"

#include "core/reportproject.h"
#include "platform/fspath.h"

#include <QAction>
#include <QFile>

namespace calivue::test {
namespace {

// Catches Save or Save As reaching the snapshot while the report writer is shown (or the
// project outside it), and New Report Project not starting afresh or dropping unsaved work
// when the user cancels.
TEST_F(AppTest, FileCommandsGoToTheCurrentDocument)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0004", plainPlan());
    ASSERT_TRUE(start({qs(files.bmp)}));
    action(cmd::ReportWriter)->trigger();
    cReportSheet* sheet = m_app->reportSheet();
    ASSERT_NE(sheet, nullptr);
    CReportDoc& project = *m_app->reportDocument();
    ASSERT_EQ(&sheet->document(), &project);

    doc().setPalette(5);  // the snapshot changes too, but is not the current document
    sheet->titlePage()->setCompany(qs("Acme"));
    m_chosen = m_files.filePath(qs("site.vrp"));
    action(cmd::FileSave)->trigger();  // an untitled project: Save asks for a name
    ASSERT_FALSE(m_dialogs.empty());
    EXPECT_TRUE(
        m_dialogs.back().nameFilters().value(0).startsWith(qs("Calivue Report Files (*.vrp)")));
    EXPECT_EQ(project.name(), qs("site.vrp"));
    EXPECT_FALSE(project.isModified());
    EXPECT_TRUE(doc().isModified());

    sheet->titlePage()->setCompany(qs("Acme Thermal"));
    m_chosen = m_files.filePath(qs("copy.vrp"));
    action(cmd::FileSaveAs)->trigger();
    EXPECT_EQ(readReportProjectFile(toFsPath(*m_chosen))->title.company, u"Acme Thermal");
    EXPECT_EQ(frame().windowTitle(), qs("copy.vrp - ") + uiText(sid::ProductTitle));
    EXPECT_TRUE(doc().isModified());

    // Back in the analysis window the snapshot is the current document.
    action(cmd::ReportWriter)->trigger();
    EXPECT_EQ(frame().windowTitle(), qs("IR_0004.BMP* - ") + uiText(sid::ProductTitle));
    action(cmd::FileSave)->trigger();
    EXPECT_FALSE(doc().isModified());

    // New Report Project brings the report writer back; Cancel on the question keeps the work.
    sheet->titlePage()->setComments(qs("unsaved"));
    sheet->titlePage()->setCompany(qs("Unsaved Co"));
    m_messages.clear();
    m_answer = cMessageDlg::IdCancel;
    action(cmd::NewReportProject)->trigger();
    EXPECT_TRUE(frame().reportShown());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(project.name(), qs("copy.vrp"));
    EXPECT_EQ(project.title().company, u"Unsaved Co");
    m_answer = cMessageDlg::IdNo;
    action(cmd::NewReportProject)->trigger();
    EXPECT_TRUE(project.isUntitled());
    EXPECT_FALSE(project.isModified());
    EXPECT_EQ(project.title().comments, u"");
    EXPECT_EQ(sheet->titlePage()->title(), project.title());
    EXPECT_EQ(frame().windowTitle(), qs("Untitled.vrp - ") + uiText(sid::ProductTitle));
}

// Closing with a modified report project asks "Save changes to …?" with Yes, No and Cancel.
// Escape and Cancel keep the program open with the project unsaved (Escape used to mean No and
// the work was lost); No closes without writing. The question comes in the analysis window too.
TEST_F(AppTest, ClosingWithAModifiedProjectCanBeCancelled)
{
    ASSERT_TRUE(start());
    action(cmd::ReportWriter)->trigger();
    cReportSheet* sheet = m_app->reportSheet();
    ASSERT_NE(sheet, nullptr);
    m_chosen = m_files.filePath(qs("site.vrp"));
    sheet->titlePage()->setCompany(qs("Saved Co"));
    ASSERT_TRUE(sheet->saveProjectAs());
    sheet->titlePage()->setCompany(qs("Unsaved Co"));
    action(cmd::ReportWriter)->trigger();  // the analysis window is shown when closing

    const QString question = formatText(uiText(sid::SaveChangesTo), {qs("site.vrp")});
    const struct {
        const char* what;
        std::optional<int> answer;  // nullopt: Escape
        bool closes;
    } cases[] = {{"Escape", std::nullopt, false},
                 {"Cancel", cMessageDlg::IdCancel, false},
                 {"No", cMessageDlg::IdNo, true}};
    for (const auto& c : cases) {
        MessageLog log;
        log.answer = c.answer;
        EXPECT_EQ(frame().close(), c.closes) << c.what;
        ASSERT_EQ(log.seen.size(), 1u) << c.what;
        EXPECT_EQ(log.seen[0].text, question) << c.what;
        EXPECT_EQ(log.seen[0].buttons,
                  (QList<int>{cMessageDlg::IdYes, cMessageDlg::IdNo, cMessageDlg::IdCancel}))
            << c.what;
        EXPECT_TRUE(m_app->reportDocument()->isModified()) << c.what;
        EXPECT_EQ(readReportProjectFile(toFsPath(*m_chosen))->title.company, u"Saved Co") << c.what;
    }
}

// Catches a report project named on the command line (the desktop's "open with", the demo)
// being taken for a snapshot: it opens in the report writer with its inspections, and a file
// that is no project says so and leaves the open project as it was.
TEST_F(AppTest, AReportProjectOnTheCommandLineOpensInTheReportWriter)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0007", plainPlan());
    ReportProject project;
    project.entries = {{toU16(qs(files.qvx)), toU16(qs(files.bmp)), 0}};
    project.records.resize(1);
    project.records[0].name = u"Pump";
    project.title.company = u"Acme";
    const QString path = m_files.filePath(qs("survey.VRP"));
    ASSERT_EQ(writeReportProjectFile(toFsPath(path), project), Error::None);
    QFile garbage(m_files.filePath(qs("bad.vrp")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a project");
    garbage.close();

    ASSERT_TRUE(start({path}));
    EXPECT_TRUE(frame().reportShown());
    EXPECT_FALSE(doc().isLoaded());
    const CReportDoc& report = *m_app->reportDocument();
    ASSERT_EQ(report.inspectionCount(), 1);
    EXPECT_EQ(report.inspection(0)->record.name, u"Pump");
    EXPECT_EQ(report.title().company, u"Acme");
    EXPECT_EQ(frame().windowTitle(), qs("survey.VRP - ") + uiText(sid::ProductTitle));
    EXPECT_TRUE(m_messages.empty());

    m_messages.clear();
    EXPECT_FALSE(m_app->openReportFile(garbage.fileName()));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorReadingVrp));
    EXPECT_EQ(report.inspectionCount(), 1);
}

}  // namespace
}  // namespace calivue::test
