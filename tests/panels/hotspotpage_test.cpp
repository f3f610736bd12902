// cHotSpotPage: the rows it lists, emissivities typed, stepped and looked up for the selected
// cursors, the range message, removal, and a page without a document. Driven with clicks and
// key presses on generated snapshots; the message-box responder records what the user saw.
#include "messagelog.h"
#include "panels/hotspotpage.h"
#include "viewtestutil.h"

#include "panels/emissivitydlg.h"

#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using viewtest::OpenedDoc;

const QString kRangeMessage = QStringLiteral("Emissivity must be > 0.0 and <= 1.0");

using test::MessageLog;

struct LookupScope {
    explicit LookupScope(cEmissivityDlg::Responder r)
    {
        cEmissivityDlg::setResponder(std::move(r));
    }
    ~LookupScope() { cEmissivityDlg::setResponder({}); }
};

// A picture from 40 °C at the top to 10 °C at the bottom, so emissivity changes move the
// readings and each position reads differently. Cursor 1 has its own emissivity.
gen::SnapshotPlan threeCursorPlan(std::uint8_t unit = 0)
{
    gen::SnapshotPlan plan = viewtest::flatPlan();
    plan.scene.topC = 40;
    plan.scene.bottomC = 10;
    plan.unit = unit;
    plan.cursors = {{10, 20, 0}, {100, 50, 80}, {300, 200, 0}};
    return plan;
}

QString reading(const CVantoroDoc& doc, int x, int pictureY, float emissivity)
{
    const float t = doc.image().temperatureAt(x, 239 - pictureY, emissivity);
    return QString::asprintf("%0.01f %s", t, doc.image().unitText().c_str());
}

// A page on the document, shown so that rows can be clicked.
struct PageFixture {
    OpenedDoc opened;
    cHotSpotPage page;
    explicit PageFixture(const gen::SnapshotPlan& plan) : opened(plan)
    {
        page.AttachDocument(opened.doc.get());
        page.resize(420, 320);
        page.show();
    }
    CVantoroDoc& doc() { return *opened.doc; }
    QTreeWidgetItem* row(int r) { return page.cursorList()->topLevelItem(r); }
    void click(int r, Qt::KeyboardModifiers mods = {})
    {
        QTreeWidget* list = page.cursorList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods,
                          list->visualItemRect(row(r)).center());
    }
    void type(const QString& text)
    {
        page.emissivityEdit()->selectAll();
        QTest::keyClicks(page.emissivityEdit(), text);
    }
    const Marker& marker(int i) { return doc().markers()[static_cast<std::size_t>(i)]; }
};

// Catches wrong columns, picture/array row mix-ups, the row's marker index and the unit text.
TEST(HotSpotPage, ListsCursorsInUseWithTheirReadings)
{
    for (const std::uint8_t unit : {std::uint8_t{0}, std::uint8_t{1}}) {
        PageFixture f(threeCursorPlan(unit));
        ASSERT_TRUE(f.opened.opened);
        EXPECT_EQ(f.page.windowTitle(), QStringLiteral("Cursors"));
        QTreeWidget* list = f.page.cursorList();
        ASSERT_EQ(list->columnCount(), 4);
        EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Temp."));
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_EQ(f.row(0)->text(0), QStringLiteral("C1"));
        EXPECT_EQ(f.row(0)->text(1), reading(f.doc(), 10, 20, 0.95f));
        EXPECT_EQ(f.row(0)->text(2), QStringLiteral("10, 20"));
        EXPECT_EQ(f.row(0)->text(3), QStringLiteral("0.95"));
        EXPECT_EQ(f.row(1)->text(1), reading(f.doc(), 100, 50, 0.80f));
        EXPECT_EQ(f.row(1)->text(2), QStringLiteral("100, 50"));
        EXPECT_EQ(f.row(1)->text(3), QStringLiteral("0.80"));
        EXPECT_EQ(f.row(2)->text(2), QStringLiteral("300, 200"));
        EXPECT_TRUE(f.row(2)->text(1).endsWith(unit == 0 ? QStringLiteral(" \u00B0C")
                                                         : QStringLiteral(" \u00B0F")));
        EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("1.00"));

        // A gap in the cursor list: rows keep their own marker index, not their position.
        f.doc().removeCursor(1);
        f.page.Refresh();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(f.row(1)->data(0, Qt::UserRole).toInt(), 2);
        EXPECT_EQ(f.row(1)->text(0), QStringLiteral("C3"));
    }
}

// Catches 0.95 truncated to 94, an unrecomputed reading, a lost modified mark and a value
// that never reaches the saved record.
TEST(HotSpotPage, SetAppliesTypedEmissivityToTheSelectedCursorAndIsSaved)
{
    MessageLog log;
    PageFixture f(threeCursorPlan());
    ASSERT_TRUE(f.opened.opened);
    ASSERT_FALSE(f.doc().isModified());

    f.click(1);
    EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("0.80"));  // selection shows it
    f.type(QStringLiteral("0.95"));
    QTest::mouseClick(f.page.setButton(), Qt::LeftButton);

    EXPECT_EQ(f.marker(1).emissivity, 95);
    EXPECT_FLOAT_EQ(f.marker(1).temperature, f.doc().image().temperatureAt(100, 189, 0.95f));
    EXPECT_NE(f.row(1)->text(1), reading(f.doc(), 100, 50, 0.80f));
    EXPECT_EQ(f.row(1)->text(1), reading(f.doc(), 100, 50, 0.95f));
    EXPECT_EQ(f.row(1)->text(3), QStringLiteral("0.95"));
    EXPECT_EQ(f.marker(0).emissivity, 95);  // untouched, it was not selected
    EXPECT_EQ(f.marker(2).emissivity, 95);
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("0.95"));
    EXPECT_TRUE(log.texts.isEmpty());

    // 0.29 × 100 is 28.999… in binary: the typed value must not lose a hundredth.
    f.click(0);
    f.type(QStringLiteral("0.29"));
    QTest::mouseClick(f.page.setButton(), Qt::LeftButton);
    EXPECT_EQ(f.marker(0).emissivity, 29);
    EXPECT_EQ(f.marker(1).emissivity, 95);

    ASSERT_TRUE(f.doc().save());
    CVantoroDoc reopened;
    ASSERT_TRUE(reopened.openDocument(f.opened.bmpPath));
    EXPECT_EQ(reopened.image().fields.emissivity[1], 95);
    EXPECT_EQ(reopened.image().fields.emissivity[0], 29);
}

// Catches a refused value half-applied, a missing message, or a box per cursor.
TEST(HotSpotPage, OutOfRangeValuesAreRefusedWithOneMessage)
{
    for (const QString& typed : {QStringLiteral("1.50"), QStringLiteral("0.00")}) {
        MessageLog log;
        PageFixture f(threeCursorPlan());
        f.click(0);
        f.click(2, Qt::ControlModifier);
        ASSERT_EQ(f.page.selectedCursors(), (std::vector<int>{0, 2}));
        f.type(typed);
        QTest::mouseClick(f.page.setButton(), Qt::LeftButton);
        EXPECT_EQ(log.texts, QStringList{kRangeMessage}) << typed.toStdString();
        EXPECT_EQ(f.marker(0).emissivity, 95);
        EXPECT_EQ(f.marker(2).emissivity, 95);
        EXPECT_EQ(f.row(0)->text(3), QStringLiteral("0.95"));
        EXPECT_FALSE(f.doc().isModified());
    }
}

// Catches Set without a selection touching cursors, or leaving the typed text unformatted.
TEST(HotSpotPage, SetWithoutSelectionOnlyFormatsTheField)
{
    MessageLog log;
    PageFixture f(threeCursorPlan());
    f.type(QStringLiteral("0.7"));
    QTest::mouseClick(f.page.setButton(), Qt::LeftButton);
    EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("0.70"));
    EXPECT_EQ(f.marker(0).emissivity, 95);
    EXPECT_EQ(f.marker(1).emissivity, 80);
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_TRUE(log.texts.isEmpty());
}

// Catches steps in the wrong direction, a truncating step (0.57 up staying 0.57), steps past
// the range, and a step that applies itself to the selected cursor.
TEST(HotSpotPage, UpDownStepsTheFieldWithinRange)
{
    MessageLog log;
    PageFixture f(threeCursorPlan());
    f.click(0);
    QLineEdit* field = f.page.emissivityEdit();
    ASSERT_EQ(field->text(), QStringLiteral("0.95"));

    QTest::mouseClick(f.page.upButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("0.96"));
    f.type(QStringLiteral("0.57"));  // 56.999… hundredths in binary
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(field->text(), QStringLiteral("0.58"));
    f.type(QStringLiteral("0.96"));
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(field->text(), QStringLiteral("0.94"));
    EXPECT_EQ(f.marker(0).emissivity, 95);
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_TRUE(log.texts.isEmpty());

    f.type(QStringLiteral("1.00"));
    f.page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.page));
    f.page.cursorList()->setFocus();
    QTest::mouseClick(f.page.upButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("1.00"));
    EXPECT_EQ(log.texts, QStringList{kRangeMessage});
    EXPECT_TRUE(field->hasFocus());  // back in the field to correct the value

    f.type(QStringLiteral("0.01"));
    QTest::mouseClick(f.page.downButton(), Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("0.01"));
    EXPECT_EQ(log.texts, (QStringList{kRangeMessage, kRangeMessage}));
    EXPECT_EQ(f.marker(0).emissivity, 95);
}

// Catches stacked boxes: steps and Sets arriving while the message is up open no second box,
// and the guard is released afterwards.
TEST(HotSpotPage, RangeMessageNeverStacks)
{
    MessageLog log;
    PageFixture f(threeCursorPlan());
    f.type(QStringLiteral("1.00"));
    int entered = 0;
    log.whileShown = [&] {
        if (entered++ > 0) return;  // a missing guard must show as a count, not a stack overflow
        f.page.StepEmissivity(+1);
        f.page.SetCursorEmissivity(500);
    };
    f.page.StepEmissivity(+1);
    EXPECT_EQ(log.texts.size(), 1);
    log.whileShown = nullptr;
    f.page.SetCursorEmissivity(0);
    EXPECT_EQ(log.texts.size(), 2);
    EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("1.00"));
}

// Catches the lookup opened with the wrong value, its choice not applied, or Cancel applying.
TEST(HotSpotPage, LookupAppliesTheChosenMaterial)
{
    MessageLog log;
    PageFixture f(threeCursorPlan());
    f.click(2);
    f.type(QStringLiteral("0.64"));
    {
        double offered = -1;
        LookupScope scope([&](cEmissivityDlg& d) {
            offered = d.emissivity();
            d.list()->setCurrentRow(5, QItemSelectionModel::ClearAndSelect);  // 0.90 Wood
            d.reject();
            return d.result();
        });
        QTest::mouseClick(f.page.lookupButton(), Qt::LeftButton);
        EXPECT_DOUBLE_EQ(offered, 0.64);
        EXPECT_EQ(f.marker(2).emissivity, 95);
    }
    LookupScope scope([](cEmissivityDlg& d) {
        d.list()->setCurrentRow(5, QItemSelectionModel::ClearAndSelect);
        d.accept();
        return d.result();
    });
    QTest::mouseClick(f.page.lookupButton(), Qt::LeftButton);
    EXPECT_EQ(f.marker(2).emissivity, 90);
    EXPECT_EQ(f.row(2)->text(3), QStringLiteral("0.90"));
    EXPECT_EQ(f.row(2)->text(1), reading(f.doc(), 300, 200, 0.90f));
    EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("0.90"));
    EXPECT_EQ(f.marker(0).emissivity, 95);
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_TRUE(log.texts.isEmpty());
}

// Catches a multi-selection losing cursors when the view rebuilds the rows after each
// document change (as the options sheet does on the cursor hint).
TEST(HotSpotPage, SetsEverySelectedCursorWhileTheViewRefreshes)
{
    PageFixture f(threeCursorPlan());
    int refreshes = 0;
    QObject::connect(f.opened.doc.get(), &CVantoroDoc::changed, &f.page, [&](DocChanges what) {
        if (!(what & DocChange::Readings)) return;
        ++refreshes;
        f.page.Refresh();
    });
    f.click(0);
    f.click(1, Qt::ControlModifier);
    f.type(QStringLiteral("0.50"));
    QTest::mouseClick(f.page.setButton(), Qt::LeftButton);
    EXPECT_EQ(f.marker(0).emissivity, 50);
    EXPECT_EQ(f.marker(1).emissivity, 50);
    EXPECT_EQ(f.marker(2).emissivity, 95);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(f.row(0)->text(3), QStringLiteral("0.50"));
    EXPECT_EQ(f.row(1)->text(3), QStringLiteral("0.50"));
    EXPECT_EQ(f.page.selectedCursors(), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.page.emissivityEdit()->text(), QStringLiteral("0.50"));
}

// Catches removing unselected cursors, rows left for removed cursors, and a lost modified mark.
TEST(HotSpotPage, RemoveTakesTheSelectedCursorsAway)
{
    PageFixture f(threeCursorPlan());
    f.click(0);
    f.click(2, Qt::ControlModifier);
    QTest::mouseClick(f.page.removeButton(), Qt::LeftButton);
    EXPECT_FALSE(f.marker(0).inUse);
    EXPECT_TRUE(f.marker(1).inUse);
    EXPECT_FALSE(f.marker(2).inUse);
    EXPECT_TRUE(f.doc().isModified());
    ASSERT_EQ(f.page.cursorList()->topLevelItemCount(), 1);
    EXPECT_EQ(f.row(0)->text(0), QStringLiteral("C2"));

    f.click(0);
    QTest::mouseClick(f.page.removeButton(), Qt::LeftButton);
    f.page.Refresh();
    EXPECT_EQ(f.page.cursorList()->topLevelItemCount(), 0);
    EXPECT_FALSE(f.marker(1).inUse);
}

// Catches a Delete key that does not remove the selected cursor, or one that the emissivity
// field loses to the page.
TEST(HotSpotPage, DeleteKeyRemovesTheSelectedCursor)
{
    PageFixture f(threeCursorPlan());
    f.page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.page));
    f.click(1);
    QTest::keyClick(f.page.cursorList(), Qt::Key_Delete);
    EXPECT_TRUE(f.marker(0).inUse);
    EXPECT_FALSE(f.marker(1).inUse);
    EXPECT_TRUE(f.marker(2).inUse);

    f.click(0);
    f.page.emissivityEdit()->setFocus();
    f.page.emissivityEdit()->setCursorPosition(0);
    const QString before = f.page.emissivityEdit()->text();
    QTest::keyClick(f.page.emissivityEdit(), Qt::Key_Delete);
    EXPECT_TRUE(f.marker(0).inUse);
    EXPECT_EQ(f.page.emissivityEdit()->text(), before.mid(1));
}

// Catches a page that dereferences a missing, unloaded or deleted document.
TEST(HotSpotPage, WithoutADocumentNothingHappens)
{
    MessageLog log;
    cHotSpotPage page;
    page.show();
    page.Refresh();
    page.SetCursorEmissivity(500);
    QTest::mouseClick(page.setButton(), Qt::LeftButton);
    QTest::mouseClick(page.removeButton(), Qt::LeftButton);
    QTest::mouseClick(page.upButton(), Qt::LeftButton);
    QTest::mouseClick(page.lookupButton(), Qt::LeftButton);
    EXPECT_EQ(page.cursorList()->topLevelItemCount(), 0);
    EXPECT_EQ(page.emissivityEdit()->text(), QStringLiteral("1.00"));
    EXPECT_TRUE(log.texts.isEmpty());

    CVantoroDoc unloaded;
    page.AttachDocument(&unloaded);
    QTest::mouseClick(page.setButton(), Qt::LeftButton);
    EXPECT_EQ(page.cursorList()->topLevelItemCount(), 0);

    {
        OpenedDoc opened(threeCursorPlan());
        page.AttachDocument(opened.doc.get());
        ASSERT_EQ(page.cursorList()->topLevelItemCount(), 3);
    }
    page.Refresh();  // the document is gone
    EXPECT_EQ(page.cursorList()->topLevelItemCount(), 0);
    QTest::mouseClick(page.setButton(), Qt::LeftButton);
    page.AttachDocument(nullptr);
    EXPECT_TRUE(log.texts.isEmpty());
}

}  // namespace
// Catches an accelerator forced onto the first character of a caption that carries its own:
// a CJK "削除(&R)" would otherwise be marked on 削, which no keyboard types.
TEST(HotSpotPage, ButtonsKeepTheAcceleratorTheirCaptionCarries)
{
    struct Case {
        QString remove, set, removeShown, setShown;
    } cases[] = {{QStringLiteral("Remove"), QStringLiteral("Set"), QStringLiteral("&Remove"),
                  QStringLiteral("&Set")},
                 {QStringLiteral("削除(&R)"), QStringLiteral("設定(&S)"),
                  QStringLiteral("削除(&R)"), QStringLiteral("設定(&S)")}};
    for (const Case& c : cases) {
        LanguagePack module;
        module.strings.insert(sid::Remove, c.remove);
        module.strings.insert(sid::Set, c.set);
        StringTable::setActive(StringTable::withModule(module));
        PageFixture f(threeCursorPlan());
        EXPECT_EQ(f.page.removeButton()->text(), c.removeShown);
        EXPECT_EQ(f.page.setButton()->text(), c.setShown);
    }
    StringTable::setActive(StringTable::english());
}

}  // namespace calivue
