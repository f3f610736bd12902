// The Severity Criteria command of report-writer mode: the dialog edits the report project the
// application holds, so the page, the file and the report see its settings.
#include "apptest.h"

#include "platform/commandids.h"
#include "report/criteriadlg.h"
#include "document/reportdoc.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

namespace calivue::test {
namespace {

// Catches the command editing some other document than the report project, or a dialog that
// does not start from the project's settings.
TEST_F(AppTest, SeverityCriteriaEditsTheReportProject)
{
    ASSERT_TRUE(start());
    EXPECT_FALSE(action(cmd::SeverityCriteria)->isEnabled());
    action(cmd::ReportWriter)->trigger();
    ASSERT_TRUE(frame().reportShown());
    ASSERT_TRUE(action(cmd::SeverityCriteria)->isEnabled());
    CReportDoc* report = m_app->reportDocument();
    ASSERT_NE(report, nullptr);

    int shown = 0;
    CVantoroApp::setCriteriaHook([&](QDialog& dialog) {
        auto& dlg = static_cast<cCriteriaDlg&>(dialog);
        ++shown;
        EXPECT_EQ(dlg.controls().criteria->currentIndex(), shown == 1 ? 0 : 2);
        dlg.controls().criteria->setCurrentIndex(2);
        dlg.controls().minLoad->setText(qs("25"));
        dlg.controls().buttons->button(QDialogButtonBox::Ok)->click();
    });
    action(cmd::SeverityCriteria)->trigger();
    action(cmd::SeverityCriteria)->trigger();
    CVantoroApp::setCriteriaHook({});
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(report->findingsSettings().criteria, Criteria::NetaWorst);
    EXPECT_EQ(report->findingsSettings().minLoadPercent, 25.0);
    EXPECT_TRUE(report->isModified());
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
}  // namespace calivue::test
