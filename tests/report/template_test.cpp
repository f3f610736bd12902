// The template dialog on its own: what OK stores and says, and when Reset is offered.
#include "templatedlg.h"

#include "messagelog.h"
#include "reportcontext.h"
#include "stringids.h"
#include "stringtable.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace calivue {
namespace {

// Only a changed choice is stored, and only a stored one asks for a restart; no selection
// counts as Maintenance.
TEST(TemplateDlg, OkStoresAChangedChoiceAndAsksForARestart)
{
    struct Case {
        int stored;
        int chosen;  // -1: nothing selected
        bool storeSucceeds;
        std::vector<int> expectStored;
        bool restartMessage;
    } cases[] = {
        {0, 0, true, {}, false},  {1, 1, true, {}, false},   {3, 3, true, {}, false},
        {0, 3, true, {3}, true},  {3, 0, true, {0}, true},   {2, -1, true, {0}, true},
        {0, -1, true, {}, false}, {1, 2, false, {2}, false},
    };
    for (const Case& c : cases) {
        test::MessageLog log;
        std::vector<int> stored;
        cTemplateDlg dialog(c.stored,
                            [&](int n) {
                                stored.push_back(n);
                                return c.storeSucceeds;
                            },
                            {});
        ASSERT_EQ(dialog.list()->count(), 4);
        EXPECT_EQ(dialog.list()->currentRow(), c.stored);
        if (c.chosen < 0)
            dialog.list()->setCurrentRow(-1);
        else
            dialog.list()->setCurrentRow(c.chosen);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(stored, c.expectStored) << c.stored << "->" << c.chosen;
        EXPECT_EQ(log.texts,
                  c.restartMessage ? QStringList{uiText(sid::RestartToApply)} : QStringList{})
            << c.stored << "->" << c.chosen;
        if (c.restartMessage) {
            EXPECT_EQ(log.seen[0].icon, cMessageDlg::IconKind::Information);
        }
    }
}

// Reset follows the stored setting, not the list: choosing Custom with Maintenance stored
// shows no Reset. Reset runs the caption reset and leaves the dialog open; Cancel stores
// nothing.
TEST(TemplateDlg, ResetFollowsTheStoredTemplate)
{
    for (int stored = 0; stored < 4; ++stored) {
        int resets = 0;
        int stores = 0;
        cTemplateDlg dialog(
            stored,
            [&](int) {
                ++stores;
                return true;
            },
            [&] { ++resets; });
        dialog.list()->setCurrentRow(ReportTemplate::Custom);
        const bool custom = stored == ReportTemplate::Custom;
        EXPECT_EQ(dialog.resetButton()->isHidden(), !custom) << stored;
        EXPECT_EQ(dialog.resetButton()->isEnabled(), custom) << stored;
        EXPECT_EQ(dialog.list()->item(stored)->text(), uiText(sid::TemplateMaintenance + stored));
        if (custom) {
            dialog.resetButton()->click();
            EXPECT_EQ(resets, 1);
            EXPECT_EQ(dialog.result(), 0);
        }
        dialog.reject();
        EXPECT_EQ(stores, 0);
    }
}

}  // namespace
}  // namespace calivue
