// The Template command of report-writer mode: the dialog on the stored setting, the restart
// message, and Reset reaching the report writer's captions only when its sheet exists.
#include "apptest.h"

#include "platform/commandids.h"
#include "report/reportsheet.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "report/templatedlg.h"
#include "report/titledlg.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>

namespace calivue::test {
namespace {

QString storedCaption(const QString& root, int i)
{
    return SettingsStore(root)
        .reportText(QLatin1String(kTitleCaptionKeys[std::size_t(i)]))
        .value_or(QStringLiteral("<none>"));
}

// Catches the command missing from report mode, OK storing without the restart message, the
// dialog showing the template in use rather than the stored one, or Reset not reaching the
// pages.
TEST_F(AppTest, TemplateCommandStoresTheChoiceAndResetsCaptions)
{
    ASSERT_TRUE(start());
    EXPECT_FALSE(action(cmd::Template)->isEnabled());
    action(cmd::ReportWriter)->trigger();
    ASSERT_TRUE(frame().reportShown());
    ASSERT_TRUE(action(cmd::Template)->isEnabled());
    ASSERT_NE(m_app->reportSheet(), nullptr);

    int shown = 0;
    CVantoroApp::setTemplateHook([&](QDialog& dialog) {
        auto& dlg = static_cast<cTemplateDlg&>(dialog);
        ++shown;
        if (shown == 1) {
            EXPECT_EQ(dlg.list()->currentRow(), 0);
            EXPECT_TRUE(dlg.resetButton()->isHidden());
            dlg.list()->setCurrentRow(reportTemplateNumber(ReportTemplate::Custom));
            dlg.accept();
        } else {
            // Custom is stored now, though this run keeps the template it started with.
            EXPECT_EQ(dlg.list()->currentRow(), reportTemplateNumber(ReportTemplate::Custom));
            ASSERT_FALSE(dlg.resetButton()->isHidden());
            dlg.resetButton()->click();
            dlg.reject();
        }
    });
    action(cmd::Template)->trigger();
    EXPECT_EQ(SettingsStore(m_config.path()).reportTemplate(), ReportTemplate::Custom);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::RestartToApply));

    SettingsStore(m_config.path()).setReportText(QLatin1String(kTitleCaptionKeys[0]), qs("Firm"));
    action(cmd::Template)->trigger();
    CVantoroApp::setTemplateHook({});
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(storedCaption(m_config.path(), 0), qs("Company"));
    EXPECT_EQ(storedCaption(m_config.path(), 3), qs("General Comments"));
    EXPECT_EQ(m_app->reportSheet()->titlePage()->captions()[0], u"Company");
    EXPECT_EQ(m_messages.size(), 1u);
}

// Catches Reset writing captions while the report writer's pages do not exist.
TEST_F(AppTest, TemplateResetWithoutTheReportWriterChangesNothing)
{
    SettingsStore(m_config.path()).setReportTemplate(ReportTemplate::Custom);
    SettingsStore(m_config.path()).setReportText(QLatin1String(kTitleCaptionKeys[0]), qs("Firm"));
    AppOptions options;
    options.configRoot = m_config.path();
    options.moduleDirs = QStringList{};
    options.locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    m_app = std::make_unique<CVantoroApp>(options);
    m_app->setReportSheetFactory([](CVantoroDoc&, cDisplaySet&) -> QWidget* { return nullptr; });
    ASSERT_TRUE(m_app->initInstance({}, false));
    action(cmd::ReportWriter)->trigger();
    ASSERT_EQ(m_app->reportSheet(), nullptr);
    int resets = 0;
    CVantoroApp::setTemplateHook([&](QDialog& dialog) {
        auto& dlg = static_cast<cTemplateDlg&>(dialog);
        ASSERT_FALSE(dlg.resetButton()->isHidden());
        dlg.resetButton()->click();
        ++resets;
        dlg.accept();  // the stored template again: no message
    });
    action(cmd::Template)->trigger();
    CVantoroApp::setTemplateHook({});
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(storedCaption(m_config.path(), 0), qs("Firm"));
    EXPECT_EQ(storedCaption(m_config.path(), 1), qs("<none>"));
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
}  // namespace calivue::test
