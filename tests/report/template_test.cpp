// The template dialog on its own: what OK stores and says, and when Reset is offered.
#include "report/templatedlg.h"

#include "messagelog.h"
#include "report/reportcontext.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace calivue {
namespace {

// Only a changed choice is stored and only a stored one asks for a restart; no selection
// counts as Maintenance. Reset follows the stored setting, not the row chosen in the list.
TEST(TemplateDlg, OkStoresAChangeAndResetFollowsTheStoredSetting)
{
    const struct {
        int stored, chosen;  // chosen -1: nothing selected
        bool storeSucceeds;
        std::vector<int> expectStored;
    } cases[] = {{0, 0, true, {}},   {3, 3, true, {}},  {0, 3, true, {3}},  {3, 0, true, {0}},
                 {2, -1, true, {0}}, {0, -1, true, {}}, {1, 2, false, {2}}, {1, 1, false, {}}};
    for (const auto& c : cases) {
        test::MessageLog log;
        std::vector<int> stored;
        int resets = 0;
        cTemplateDlg dialog(
            ReportTemplate{c.stored},
            [&](ReportTemplate t) {
                return stored.push_back(reportTemplateNumber(t)), c.storeSucceeds;
            },
            [&] { ++resets; });
        ASSERT_EQ(dialog.list()->count(), 4);
        EXPECT_EQ(dialog.list()->item(c.stored)->text(),
                  uiText(sid::TemplateMaintenance + c.stored));
        EXPECT_EQ(dialog.list()->currentRow(), c.stored);
        dialog.list()->setCurrentRow(c.chosen);
        const bool custom = reportTemplateFrom(c.stored) == ReportTemplate::Custom;
        EXPECT_EQ(dialog.resetButton()->isHidden(), !custom) << c.stored << c.chosen;
        EXPECT_EQ(dialog.resetButton()->isEnabled(), custom);
        dialog.resetButton()->click();
        EXPECT_EQ(resets, custom ? 1 : 0);
        EXPECT_EQ(dialog.result(), 0);  // Reset leaves the dialog open
        dialog.accept();
        EXPECT_EQ(stored, c.expectStored) << c.stored << "->" << c.chosen;
        const bool restart = !c.expectStored.empty() && c.storeSucceeds;
        EXPECT_EQ(log.texts, restart ? QStringList{uiText(sid::RestartToApply)} : QStringList{});
        if (restart) {
            EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Information);
        }
    }
}

}  // namespace
}  // namespace calivue
