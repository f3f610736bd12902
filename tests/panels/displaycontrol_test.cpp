// The display control page driven as a user would: lists picked, span ends typed and left,
// buttons clicked, against a document opened on a generated snapshot and its display set.
#include "messagelog.h"
#include "panels/displaycontroldlg.h"
#include "sheetinview.h"

#include "view/displayset.h"
#include "view/objectviewer.h"
#include "panels/optionssheet.h"
#include "view/vantoroview.h"
#include "viewtestutil.h"

#include "panels/pagetext.h"

#include "desktop/messagedlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

using test::MessageLog;

// A picture from 20 °C at the bottom to 30 °C at the top in the given scale, unit and
// emissivity.
gen::SnapshotPlan scaledPlan(int scaleCode = 0, int unit = 0, int emissivity = 95)
{
    gen::SnapshotPlan plan = gradientPlan(20.0, 30.0);
    plan.scaleCode = static_cast<std::uint8_t>(scaleCode);
    plan.unit = static_cast<std::uint8_t>(unit);
    plan.emissivity = static_cast<std::uint8_t>(emissivity);
    return plan;
}

// A document on the plan's snapshot, its display set, and the page on both, shown and active.
struct PageOn {
    OpenedDoc opened;
    cDisplaySet set;
    cDisplayControlDlg page;

    explicit PageOn(const gen::SnapshotPlan& plan) : opened(plan), set(*opened.doc)
    {
        set.syncAll();
        page.AttachDocument(opened.doc.get(), &set.panDisplay());
        page.resize(420, 640);
        page.show();
        page.activateWindow();
        // Focus moves only in the active window: the span edits depend on it.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
        doc().setModified(false);
    }
    CVantoroDoc& doc() { return *opened.doc; }
    cBrixa& image() { return opened.doc->image(); }
    QString shown(int raw) const
    {
        const cBrixa& im = opened.doc->image();
        return formatTemperature(im.rawToTemperature(raw), QString::fromStdString(im.unitText()));
    }
    // Types text into a span edit and moves the focus on, as a user tabbing away does.
    void typeAndLeave(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        page.autoButton()->setFocus();  // the edit loses the focus: the value applies
    }
    std::pair<int, int> span() const { return {opened.doc->spanLow(), opened.doc->spanHigh()}; }
    void click(const char* name) { page.findChild<QPushButton*>(QLatin1String(name))->click(); }
};

}  // namespace

// Catches missing or misordered list texts and a wrong page caption (the sheet's tab text).
TEST(DisplayControlPage, ControlsCarryTheirTexts)
{
    cDisplayControlDlg page;
    const auto items = [](QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        return texts.join(QLatin1Char('|'));
    };
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Display"));
    EXPECT_EQ(items(page.paletteList()),
              QStringLiteral("White Hot Mono|Ironbow|Rainbow|Isotherm Style|Hot Metal|High "
                             "Contrast|16 Step Rainbow|Black Hot Mono"));
    EXPECT_EQ(items(page.blendList()),
              QStringLiteral("0 % Visible|25 % Visible|50 % Visible|75 % Visible|100 % Visible|"
                             "Picture in Picture 0% Visible|Picture in Picture 25% Visible|"
                             "Picture in Picture 50% Visible|Picture in Picture 75% Visible|"
                             "Thermal Above Threshold|Thermal Below Threshold"));
    EXPECT_EQ(page.percentageList()->count(), 21);
    EXPECT_EQ(page.areaList()->currentText(), QStringLiteral("Medium"));
    EXPECT_EQ(page.orientationList()->itemText(1), QStringLiteral("90\u00B0 Portrait"));
    EXPECT_EQ(page.panFrame()->parentWidget()->objectName(), QStringLiteral("panControl"));
    EXPECT_EQ(page.panFrame()->minimumSize().boundedTo(QSize(200, 150)), QSize(200, 150));
    QStringList align;
    for (const char* name : {"alignUp", "alignDown", "alignLeft", "alignRight", "alignReset"})
        align << page.findChild<QPushButton*>(QLatin1String(name))->text();
    EXPECT_EQ(align.join(QLatin1Char(' ')), QStringLiteral("/\\ \\/ << >> Reset"));
}

// Catches a blend value shown as the wrong entry, a wrong blend value sent for an entry, a
// percentage list enabled for the wrong entries, and a percentage change that is lost.
TEST(DisplayControlPage, EveryBlendEntrySetsTheDocument)
{
    gen::SnapshotPlan plan = flatPlan();
    plan.blend = 163;
    PageOn p(plan);
    EXPECT_EQ(p.page.blendList()->currentText(), QStringLiteral("Thermal Above Threshold"));
    EXPECT_EQ(p.page.percentageList()->currentText(), QStringLiteral("65%"));
    EXPECT_TRUE(p.page.percentageList()->isEnabled());

    const int expected[] = {0, 25, 50, 75, 100, 101, 102, 103, 104, 150, 200};
    for (int entry = 0; entry <= 10; ++entry) {
        p.doc().setModified(false);
        p.page.blendList()->setCurrentIndex(entry);
        EXPECT_EQ(p.doc().blend(), expected[entry]) << entry;
        EXPECT_EQ(p.page.percentageList()->isEnabled(), entry >= 9) << entry;
        EXPECT_TRUE(p.doc().isModified()) << entry;
    }
    p.page.blendList()->setCurrentIndex(9);
    p.page.percentageList()->setCurrentIndex(13);
    EXPECT_EQ(p.doc().blend(), 163);
    EXPECT_EQ(p.set.panDisplay().blend(), 163);
    p.page.blendList()->setCurrentIndex(10);  // the chosen percentage carries over
    EXPECT_EQ(p.doc().blend(), 213);
    p.page.blendList()->setCurrentIndex(2);
    p.page.percentageList()->setCurrentIndex(5);  // disabled: no threshold mode to adjust
    EXPECT_EQ(p.doc().blend(), 50);
    for (int unknown : {171, 221, 99}) {  // shown as visible only
        p.doc().setBlend(unknown);
        EXPECT_EQ(p.page.blendList()->currentIndex(), 4) << unknown;
        EXPECT_FALSE(p.page.percentageList()->isEnabled()) << unknown;
    }
}

// Catches a palette entry sent as the wrong number or not saved into the image's record, a
// zoom index sent unshifted (x3 as 2), and a zoom window of the wrong size.
TEST(DisplayControlPage, ListChoicesReachTheDocument)
{
    PageOn p(flatPlan());  // Ironbow
    for (int i = 7; i >= 0; --i) {
        p.doc().setModified(false);
        p.page.paletteList()->setCurrentIndex(i);
        EXPECT_EQ(p.doc().palette(), i);
        EXPECT_EQ(p.image().fields.palette, i);
        EXPECT_EQ(p.set.panDisplay().palette(), i);
        EXPECT_TRUE(p.doc().isModified()) << i;
    }
    p.page.zoomList()->setCurrentIndex(2);  // "x3"
    EXPECT_EQ(p.doc().zoom(), 3);
    EXPECT_EQ(p.doc().viewRect().size(), QSize(106, 80));
    EXPECT_EQ(p.set.panDisplay().zoomWindow().size(), QSize(106, 80));

    for (int i : {1, 0}) {
        p.page.interpolationList()->setCurrentIndex(i);
        EXPECT_EQ(p.doc().interpolation(), i + 1);
    }
    for (int i : {0, 2}) {
        p.page.areaList()->setCurrentIndex(i);
        EXPECT_EQ(p.doc().areaMode(), i);
    }
}

// Catches a pan viewer left at the landscape shape after turning the picture, one not centred,
// and one not refitted when the page grows.
TEST(DisplayControlPage, OrientationRefitsThePanViewer)
{
    PageOn p(flatPlan());
    const auto expectFitted = [&](double aspect) {
        const QRect frame = p.page.panFrame()->rect();
        const QRect v = p.page.panViewer()->geometry();
        ASSERT_GT(v.height(), 0);
        EXPECT_EQ(v.top(), 0);                                               // top-aligned
        EXPECT_LE(std::abs(v.left() - (frame.width() - v.right() - 1)), 1);  // centred
        EXPECT_TRUE(v.width() == frame.width() || v.height() == frame.height());
        EXPECT_NEAR(double(v.width()) / v.height(), aspect, 0.02);
    };
    expectFitted(4.0 / 3.0);
    EXPECT_EQ(p.page.panViewer()->object(), &p.set.panDisplay());
    EXPECT_TRUE(p.page.panViewer()->style3D());

    p.page.orientationList()->setCurrentIndex(1);
    EXPECT_EQ(p.doc().orientation(), 1);
    expectFitted(0.75);
    // Portrait in a landscape frame: the full height, three quarters of it wide.
    const QRect portrait = p.page.panViewer()->geometry();
    EXPECT_EQ(portrait.height(), p.page.panFrame()->height());
    EXPECT_EQ(portrait.width(), std::lround(portrait.height() * 0.75));

    p.page.resize(700, 900);
    QApplication::processEvents();
    expectFitted(0.75);
    EXPECT_GT(p.page.panViewer()->height(), portrait.height());

    p.page.orientationList()->setCurrentIndex(2);
    expectFitted(4.0 / 3.0);
}

// Catches a typed end that does not read back as typed (tenths of kelvin ignore the scale and
// the emissivity) and a unit text after the number that is not ignored.
TEST(DisplayControlPage, TypedSpanEndsReadBackAsTyped)
{
    // Fine enough counts for a tenth of a degree: 100 per kelvin in Fahrenheit at emissivity
    // 0.8, and 10 per kelvin in Celsius at emissivity 1. Low typed with its unit, high without.
    const auto check = [](PageOn& p, const char* low, double lowValue, double highValue,
                          double countStep = 0.1) {
        MessageLog log;
        const QString unit = QString::fromStdString(p.image().unitText());
        const int high = p.doc().spanHigh();
        p.typeAndLeave(p.page.spanLowEdit(), QString::fromUtf8(low));
        EXPECT_NEAR(p.image().rawToTemperature(p.doc().spanLow()), lowValue, countStep / 2) << low;
        EXPECT_EQ(p.doc().spanHigh(), high);
        EXPECT_EQ(p.page.spanLowEdit()->text(), QString::asprintf("%0.01f ", lowValue) + unit);
        p.typeAndLeave(p.page.spanHighEdit(), QString::number(highValue));
        EXPECT_NEAR(p.image().rawToTemperature(p.doc().spanHigh()), highValue, countStep / 2)
            << low;
        EXPECT_EQ(p.page.spanHighEdit()->text(), QString::asprintf("%0.01f ", highValue) + unit);
        EXPECT_EQ(p.set.panDisplay().spanHigh(), p.doc().spanHigh());
        EXPECT_TRUE(p.doc().isModified());
        EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(QLatin1Char('|')).toStdString();
    };
    PageOn fahrenheit(scaledPlan(3, 1, 80));
    check(fahrenheit, "70.4 \u00B0F", 70.4, 95.3);
    PageOn celsius(scaledPlan(0, 0, 100));
    check(celsius, "21.3 \u00B0C", 21.3, 28.7);
    // Counts coarser than a tenth near 80 °C at emissivity 0.95: no count reads 80.0, and the
    // edit shows 80.0 as typed rather than the 80.1 of the nearest count.
    PageOn coarse(scaledPlan(0, 0, 95));
    check(coarse, "25", 25.0, 80.0, 0.12);
}

// Catches a span edit that shows a German reader a point, or refuses (reads as 80 or 0) the
// comma it shows: "80,5" typed in a German window sets 80.5 and reads back "80,5 °C".
TEST(DisplayControlPage, AGermanSpanEditShowsAndAcceptsTheDecimalComma)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    MessageLog log;
    PageOn p(scaledPlan(0, 0, 100));
    const QString unit = QString::fromStdString(p.image().unitText());
    EXPECT_TRUE(p.page.spanHighEdit()->text().contains(u','))
        << p.page.spanHighEdit()->text().toStdString();
    const struct {
        QLineEdit* edit;
        const char* typed;
        double value;
        const char* shown;
    } cases[] = {{p.page.spanHighEdit(), "80,5", 80.5, "80,5 "},
                 {p.page.spanLowEdit(), "21,3 \u00B0C", 21.3, "21,3 "},
                 {p.page.spanHighEdit(), "79.5", 79.5, "79,5 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        p.typeAndLeave(c.edit, QString::fromUtf8(c.typed));
        const int raw = c.edit == p.page.spanHighEdit() ? p.doc().spanHigh() : p.doc().spanLow();
        EXPECT_NEAR(p.image().rawToTemperature(raw), c.value, 0.05);
        EXPECT_EQ(c.edit->text(), QString::fromUtf8(c.shown) + unit);
    }
    EXPECT_TRUE(log.texts.isEmpty()) << log.texts.join(QLatin1Char('|')).toStdString();
}

// Catches a refused end that reaches the document, a message that stacks while it is open
// (the box takes the focus and the restore changes the text), an edit left unrestored, and a
// range check missing from either edit or made in the display unit rather than in Celsius.
TEST(DisplayControlPage, RefusedSpanEndsShowOneMessageAndRestore)
{
    PageOn p(scaledPlan());
    MessageLog log;
    const std::pair<int, int> span = p.span();
    QLineEdit* low = p.page.spanLowEdit();
    QLineEdit* high = p.page.spanHighEdit();
    const QString highBefore = high->text();
    log.whileShown = [&] {
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(high, &out);
        QApplication::sendEvent(low, &out);
    };
    const QString max =
        QStringLiteral("The upper end of the temperature span must be above the lower end");
    const QString min =
        QStringLiteral("The lower end of the temperature span must be below the upper end");
    const QString range = QStringLiteral("Temperature out of range");
    p.typeAndLeave(high, low->text());  // high equal to low
    EXPECT_EQ(log.texts, QStringList{max});
    EXPECT_EQ(high->text(), highBefore);
    EXPECT_TRUE(high->hasFocus());

    log.whileShown = nullptr;
    p.typeAndLeave(high, QStringLiteral("10"));
    p.typeAndLeave(low, p.shown(span.second));
    p.typeAndLeave(low, QStringLiteral("-300"));
    p.typeAndLeave(high, QStringLiteral("-300"));
    p.typeAndLeave(high, QStringLiteral("1000.5"));
    EXPECT_EQ(log.texts, QStringList({max, max, min, range, range, range}));
    EXPECT_EQ(p.span(), span);
    EXPECT_FALSE(p.doc().isModified());
    EXPECT_EQ(low->text(), p.shown(span.first));
    EXPECT_EQ(high->text(), highBefore);

    PageOn f(scaledPlan(0, 1));  // 1500 °F is about 816 °C: in range once converted
    f.typeAndLeave(f.page.spanHighEdit(), QStringLiteral("1500"));
    EXPECT_EQ(log.texts.size(), 6);
    EXPECT_NEAR(f.image().rawToTemperature(f.doc().spanHigh()), 1500.0, 0.5);
}

// Catches typing that applies at each keystroke, and the change-notification rule broken: a
// text announced again (after a silent write, as a program may do) is applied.
TEST(DisplayControlPage, OnlyLeavingOrTextAnnouncedAgainApplies)
{
    PageOn p(scaledPlan());
    MessageLog log;
    QLineEdit* edit = p.page.spanLowEdit();
    const QString original = edit->text();
    const int low = p.doc().spanLow();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("22.0 \u00B0C"));
    EXPECT_EQ(p.doc().spanLow(), low);
    EXPECT_FALSE(p.doc().isModified());
    {
        const QSignalBlocker silent(edit);
        edit->setText(original);  // unseen by the page
    }
    edit->setText(QStringLiteral("22.0 \u00B0C"));  // the text the page last saw
    EXPECT_NEAR(p.image().rawToTemperature(p.doc().spanLow()), 22.0, 0.05);
    EXPECT_TRUE(log.texts.isEmpty());
}

// Catches Auto not taking the automatic span, swapped directions or axes of the alignment
// buttons, and Reset not restoring the offsets the snapshot was loaded with.
TEST(DisplayControlPage, AutoAndAlignmentButtons)
{
    gen::SnapshotPlan plan = scaledPlan();
    plan.alignX = 3;
    plan.alignY = -2;
    PageOn p(plan);
    p.doc().setSpan(1000, 60000);
    int low = 0, high = 0;
    ASSERT_TRUE(p.image().spanRange(low, high));
    p.click("autoSpan");
    EXPECT_EQ(p.span(), std::pair(low, high));
    EXPECT_EQ(p.page.spanLowEdit()->text(), p.shown(low));

    const RecordFields& f = p.image().fields;  // each press below, then the offsets after it
    const std::tuple<const char*, int, int> steps[] = {
        {"alignUp", 3, -1},    {"alignDown", 3, -2},  {"alignDown", 3, -3}, {"alignLeft", 2, -3},
        {"alignRight", 3, -3}, {"alignRight", 4, -3}, {"alignReset", 3, -2}};
    for (const auto& [name, x, y] : steps) {
        p.click(name);
        EXPECT_EQ(std::pair(int{f.alignX}, int{f.alignY}), std::pair(x, y)) << name;
    }
    EXPECT_TRUE(p.doc().isModified());
}

// Catches a page that follows the document only when asked: a change made elsewhere shows at
// once, and showing it sends nothing back.
TEST(DisplayControlPage, FollowsTheDocumentWithoutFeedingBack)
{
    PageOn p(scaledPlan());
    p.doc().setPalette(5);
    p.doc().setZoom(2);
    p.doc().setOrientation(3);
    p.doc().setSpan(2950, 3050);
    p.doc().setModified(false);
    const auto lists = [&p] {
        return QList<int>{p.page.paletteList()->currentIndex(), p.page.zoomList()->currentIndex(),
                          p.page.orientationList()->currentIndex()};
    };
    EXPECT_EQ(lists(), QList<int>({5, 1, 3}));
    EXPECT_EQ(p.page.spanLowEdit()->text(), p.shown(2950));
    p.page.Refresh();
    EXPECT_FALSE(p.doc().isModified());
    EXPECT_EQ(p.span(), std::pair(2950, 3050));
}

// Catches a crash or a change applied when the page has no document, or a document without
// an image, and a pan display left attached after detaching.
TEST(DisplayControlPage, WithoutDocumentOrImageNothingHappens)
{
    MessageLog log;
    cDisplayControlDlg page;
    CVantoroDoc empty;  // no snapshot open
    page.show();
    for (CVantoroDoc* doc : {static_cast<CVantoroDoc*>(nullptr), &empty}) {
        page.AttachDocument(doc, nullptr);
        page.paletteList()->setCurrentIndex(6);
        page.blendList()->setCurrentIndex(9);
        page.zoomList()->setCurrentIndex(3);
        page.orientationList()->setCurrentIndex(1);
        page.autoButton()->click();
        page.findChild<QPushButton*>(QStringLiteral("alignUp"))->click();
        page.spanLowEdit()->setText(QStringLiteral("-300"));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(page.spanLowEdit(), &out);
        page.Refresh();
    }
    EXPECT_TRUE(log.texts.isEmpty());
    EXPECT_EQ(QList<int>({empty.palette(), empty.zoom(), empty.orientation()}),
              QList<int>({1, 1, 0}));
    EXPECT_TRUE(page.spanLowEdit()->text().isEmpty());

    PageOn p(flatPlan());
    p.page.AttachDocument(nullptr, nullptr);
    EXPECT_EQ(p.page.panViewer()->object(), nullptr);
    EXPECT_EQ(p.set.panDisplay().owner(), nullptr);
    p.doc().setPalette(3);  // no longer followed
    EXPECT_NE(p.page.paletteList()->currentIndex(), 3);
}

// Catches the page hearing a change twice: hosted in the options sheet, it follows the
// document through its own connection at once, and the view's redraw timer does not
// refresh its span edits a second time (a second refresh would overwrite an edit the user
// has begun since).
TEST(DisplayControlPage, InTheOptionsSheetItHearsEachChangeOnce)
{
    OpenedDoc opened(gradientPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    test::SheetInView shown(doc);
    ASSERT_NE(shown.sheet, nullptr);
    CVantoroView& view = shown.view;
    cOptionsSheet* sheet = shown.sheet;
    cDisplayControlDlg& page = *sheet->displayPage();
    const QString sentinel = QStringLiteral("typed");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"span", [&] { doc.setSpan(2950, 3050); }},
        {"palette", [&] { doc.setPalette(4); }},
        {"unit", [&] { doc.setUnit(TempUnit::Fahrenheit); }},
        {"isotherms", [&] { doc.toggleBlueIsotherm(); }},
    };
    for (const auto& [name, change] : changes) {
        page.Refresh();     // the last case's text gone
        view.redrawTick();  // nothing pending
        change();
        const QString shown = formatTemperature(doc.image().rawToTemperature(doc.spanLow()),
                                                QString::fromStdString(doc.image().unitText()));
        EXPECT_EQ(page.spanLowEdit()->text(), shown) << name;
        {
            const QSignalBlocker silent(page.spanLowEdit());
            page.spanLowEdit()->setText(sentinel);
        }
        view.redrawTick();
        EXPECT_EQ(page.spanLowEdit()->text(), sentinel) << name;
    }
}
