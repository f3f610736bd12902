// The options sheet hosted by the image view: each page follows the document's announcement
// through its own one connection and shows the new values after a change, while the view's
// hints and its redraw timer tell the pages nothing (a page must not hear a change twice).
#include "panels/displaycontroldlg.h"
#include "sheetinview.h"
#include "panels/hotspotpage.h"
#include "view/objectviewer.h"
#include "panels/optionssheet.h"
#include "panels/settingspage.h"
#include "view/vantoroview.h"
#include "viewtestutil.h"

#include "platform/textformat.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

// What the user sees on the three pages; a page that read its controls again replaces the
// planted text with the document's values.
struct SheetView {
    cDisplayControlDlg& display;
    cHotSpotPage& cursors;
    cSettingsPage& settings;

    // As standard strings, so that a failure prints the texts.
    std::string spanLow() const { return display.spanLowEdit()->text().toStdString(); }
    std::string reflected() const { return settings.reflectedEdit()->text().toStdString(); }
    std::string firstRow(int column) const
    {
        const QTreeWidgetItem* row = cursors.cursorList()->topLevelItem(0);
        return row ? row->text(column).toStdString() : std::string();
    }
    // Typed-looking text in every page's controls, without the pages noticing.
    void plant(const QString& text)
    {
        for (QLineEdit* edit : {display.spanLowEdit(), settings.reflectedEdit()}) {
            const QSignalBlocker silent(edit);
            edit->setText(text);
        }
        if (QTreeWidgetItem* row = cursors.cursorList()->topLevelItem(0))
            row->setText(cHotSpotPage::ColPosition, text);
    }
};

}  // namespace

// Catches hints routed to the wrong pages, a page that hears one change twice (its own
// connection and the view's hint or the redraw timer's image flag), and change flags left set
// by the timer.
TEST(OptionsSheetInView, HintsAndRedrawTimer)
{
    OpenedDoc opened(gradientPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    ASSERT_EQ(doc.toggleCursorAt(40, 50), CVantoroDoc::CursorToggle::Added);
    test::SheetInView shown(doc);
    ASSERT_NE(shown.sheet, nullptr);
    CVantoroView& view = shown.view;
    cOptionsSheet* sheet = shown.sheet;
    SheetView pages{*sheet->displayPage(), *sheet->cursorPage(), *sheet->settingsPage()};
    // Each rebuild of the cursor list resets its model once.
    QSignalSpy rebuilds(pages.cursors.cursorList()->model(), &QAbstractItemModel::modelReset);
    const QString typed = QStringLiteral("typed");
    const std::string typedText = typed.toStdString();
    const QString unit = QString::fromStdString(doc.image().unitText());
    const auto shownSpanLow = [&] {
        return formatTemperature(doc.image().rawToTemperature(doc.spanLow()), unit).toStdString();
    };
    view.redrawTick();  // nothing pending from the opening

    // Readings: the cursor page lists the moved cursor, once; the other pages keep their text.
    const std::string reflected = pages.reflected();
    pages.plant(typed);
    ASSERT_TRUE(doc.moveCursor(0, 60, 150));
    EXPECT_EQ(rebuilds.count(), 1);
    EXPECT_EQ(pages.firstRow(cHotSpotPage::ColPosition), "60, 89");
    EXPECT_EQ(pages.firstRow(cHotSpotPage::ColTemperature),
              formatTemperature(doc.markers()[0].temperature, unit).toStdString());
    EXPECT_EQ(pages.spanLow(), typedText);
    EXPECT_EQ(pages.reflected(), typedText);

    // A saved snapshot changes nothing a page shows.
    rebuilds.clear();
    pages.plant(typed);
    emit doc.changed(DocChange::Saved);
    EXPECT_EQ(rebuilds.count(), 0);
    EXPECT_EQ(pages.firstRow(cHotSpotPage::ColPosition), typedText);
    EXPECT_EQ(pages.spanLow(), typedText);
    EXPECT_EQ(pages.reflected(), typedText);

    // Controls: every page reads all its controls again, each once.
    emit doc.changed(DocChange::Controls);
    EXPECT_EQ(rebuilds.count(), 1);
    EXPECT_EQ(pages.firstRow(cHotSpotPage::ColPosition), "60, 89");
    EXPECT_EQ(pages.spanLow(), shownSpanLow());
    EXPECT_EQ(pages.reflected(), reflected);

    // A colour change shows at once; the timer's repaint does not refresh the page again.
    doc.setSpan(doc.spanLow() + 40, doc.spanHigh());
    doc.setPalette(3);
    doc.setProfileRow(doc.profiles().row);  // sets the overlay flag
    EXPECT_EQ(pages.spanLow(), shownSpanLow());
    EXPECT_EQ(pages.display.paletteList()->currentIndex(), 3);
    pages.plant(typed);
    rebuilds.clear();
    view.redrawTick();
    EXPECT_EQ(doc.takeImageChanged(), 0u);
    EXPECT_EQ(doc.takeOverlayChanged(), 0u);
    EXPECT_EQ(pages.spanLow(), typedText);
    EXPECT_EQ(pages.reflected(), typedText);
    EXPECT_EQ(rebuilds.count(), 0);
    view.redrawTick();  // nothing changed
    EXPECT_EQ(pages.spanLow(), typedText);
}

// Catches a change the pan control shows that no longer repaints it: the page leaves the
// pan display to the display set, the one listener of the display objects.
TEST(OptionsSheetInView, PanControlRepaintsForEveryChangeItShows)
{
    OpenedDoc opened(gradientPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    test::SheetInView shown(doc);
    ASSERT_NE(shown.sheet, nullptr);
    QWidget* pan = shown.sheet->displayPage()->panViewer();
    ASSERT_TRUE(pan->isVisible());
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } count;
    pan->installEventFilter(&count);
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"span", [&] { doc.setSpan(doc.spanLow() + 20, doc.spanHigh()); }},
        {"palette", [&] { doc.setPalette(5); }},
        {"blend", [&] { doc.setBlend(50); }},
        {"interpolation", [&] { doc.setInterpolation(2); }},
        {"zoom", [&] { doc.setZoom(2); }},
        {"zoom window", [&] { doc.setViewRect(QRect(0, 0, 160, 120)); }},
        {"isotherms", [&] { doc.toggleBlueIsotherm(); }},
        {"unit", [&] { doc.setUnit(TempUnit::Fahrenheit); }},
    };
    for (const auto& [name, change] : changes) {
        QCoreApplication::processEvents();
        count.paints = 0;
        change();
        QCoreApplication::processEvents();
        EXPECT_EQ(count.paints, 1) << name;
    }
}
