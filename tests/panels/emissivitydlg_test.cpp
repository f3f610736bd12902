// The emissivity lookup: exact-value preselection and what OK, double-click and Cancel give.
#include "panels/emissivitydlg.h"

#include <QListWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

using namespace calivue;

namespace {
struct ResponderScope {
    explicit ResponderScope(cEmissivityDlg::Responder r)
    {
        cEmissivityDlg::setResponder(std::move(r));
    }
    ~ResponderScope() { cEmissivityDlg::setResponder({}); }
};
}  // namespace

// Catches rounded or nearest matching: only an exact value preselects, first match wins.
TEST(EmissivityDlg, PreselectsOnlyAnExactValue)
{
    cEmissivityDlg dlg;
    ASSERT_EQ(dlg.list()->count(), cEmissivityDlg::kEntries);
    dlg.setEmissivity(0.64);
    EXPECT_EQ(dlg.selectedIndex(), 12);
    EXPECT_EQ(dlg.list()->item(12)->text(), QStringLiteral("0.64 Cast Iron"));
    dlg.setEmissivity(0.95);
    EXPECT_EQ(dlg.selectedIndex(), -1);
    dlg.setEmissivity(1.0);
    EXPECT_EQ(dlg.selectedIndex(), 0);
}

// Catches OK without a selection inventing a value, and Cancel leaking a choice.
TEST(EmissivityDlg, OkCancelAndDoubleClick)
{
    {
        ResponderScope scope([](cEmissivityDlg& d) {
            d.accept();
            return d.result();
        });
        cEmissivityDlg dlg;
        dlg.setEmissivity(0.95);
        EXPECT_EQ(dlg.run(), QDialog::Accepted);
        EXPECT_DOUBLE_EQ(dlg.emissivity(), 0.95);
    }
    {
        ResponderScope scope([](cEmissivityDlg& d) {
            d.list()->setCurrentRow(5, QItemSelectionModel::ClearAndSelect);
            d.reject();
            return d.result();
        });
        cEmissivityDlg dlg;
        dlg.setEmissivity(0.95);
        EXPECT_EQ(dlg.run(), QDialog::Rejected);
        EXPECT_DOUBLE_EQ(dlg.emissivity(), 0.95);
    }
    // A real double-click on "0.90 Wood" chooses it and closes with OK.
    cEmissivityDlg dlg;
    dlg.setEmissivity(0.95);
    dlg.show();
    QListWidget* list = dlg.list();
    const QRect cell = list->visualItemRect(list->item(5));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dlg.emissivity(), 0.90);
}

// Catches the table values drifting from the list texts.
TEST(EmissivityDlg, TableValuesMatchTheirTexts)
{
    cEmissivityDlg dlg;
    for (int i = 0; i < cEmissivityDlg::kEntries; ++i) {
        const QString text = dlg.list()->item(i)->text();
        EXPECT_DOUBLE_EQ(text.left(4).toDouble(), cEmissivityDlg::tableValue(i)) << i;
    }
    EXPECT_EQ(cEmissivityDlg::tableValue(13), 0.0);
}
