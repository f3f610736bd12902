// The report writer's pages in a right-to-left language: the preview's captions stay over
// their pictures, and unit texts keep their left-to-right order.
#include "view/colouredit.h"
#include "report/detailsdlg_controls.h"
#include "imageselect_fixture.h"
#include "report/snapshotpreview.h"
#include "report/engine/detailsdlg_text.h"
#include "platform/textformat.h"
#include "report/titledlg.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace calivue::test {
namespace {

// Catches captions mirrored without their pictures (or pictures without their captions),
// and a unit text left to the bidi reordering of a right-to-left page ("C°"), in both
// directions of the window.
TEST(RightToLeftPages, StripCaptionsOverTheirPicturesAndUnitsLeftToRight)
{
    for (const Qt::LayoutDirection direction : {Qt::RightToLeft, Qt::LeftToRight}) {
        SCOPED_TRACE(direction == Qt::RightToLeft ? "right to left" : "left to right");
        QGuiApplication::setLayoutDirection(direction);
        struct Restore {
            ~Restore() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
        } restore;
        PageFixture f;
        f.page->resize(1100, 600);
        f.page->show();
        EXPECT_EQ(f.page->layoutDirection(), direction);
        const QWidget* preview = f.page->previewArea();
        const int previewLeft = preview->mapTo(f.page.get(), QPoint(0, 0)).x();
        for (int pane = 0; pane < 3; ++pane) {
            const QLabel* caption = f.page->paneLabel(pane);
            // Over its own pane, give or take the strip's spare pixels.
            const int offset = caption->mapTo(f.page.get(), QPoint(0, 0)).x() - previewLeft;
            EXPECT_NEAR(offset, pane * cSnapshotPreview::kPaneWidth, 4) << "caption " << pane;
        }

        // The inspection data page's headings sit over their pictures likewise.
        const DetailsControls& d = f.details->controls();
        f.details->resize(1100, 760);
        f.details->show();
        const int stripLeft = d.preview->mapTo(f.details.get(), QPoint(0, 0)).x();
        for (int pane = 0; pane < 3; ++pane)
            EXPECT_NEAR(
                d.previewHeadings[pane]->mapTo(f.details.get(), QPoint(0, 0)).x() - stripLeft,
                pane * cSnapshotPreview::kPaneWidth, 4)
                << "heading " << pane;
        // Unit texts read "°C" either way: a left-to-right mark leads them right to left.
        const DetailsControls& c = f.details->controls();
        const QString mark = direction == Qt::RightToLeft ? QString(QChar(0x200E)) : QString();
        for (TempUnit u : kTempUnits)
            EXPECT_EQ(c.unit->itemText(tempUnitNumber(u)), mark + unitLabel(u));
        EXPECT_EQ(c.weatherUnits[0]->text(), mark + unitLabel(TempUnit::Celsius));
        // The rest of the page follows the language.
        EXPECT_EQ(c.unit->layoutDirection(), direction);
    }
}

// Catches date fields of the report writer (title date, repair dates) whose sections run in
// reverse in a right-to-left window ("18:1 2026.12.9" for 9.12.2026 1:18), and a calendar
// pop-up that no longer follows the window.
TEST(RightToLeftPages, DateFieldsReadInOrder)
{
    const LocaleScope hebrew(QLocale(QLocale::Hebrew, QLocale::Israel));
    for (const Qt::LayoutDirection direction : {Qt::RightToLeft, Qt::LeftToRight}) {
        SCOPED_TRACE(direction == Qt::RightToLeft ? "right to left" : "left to right");
        QGuiApplication::setLayoutDirection(direction);
        struct Restore {
            ~Restore() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
        } restore;
        PageFixture f;
        TitleDlg title(f.ctx);
        QList<QDateTimeEdit*> fields = title.findChildren<QDateTimeEdit*>();
        fields += f.details->findChildren<QDateTimeEdit*>();
        ASSERT_EQ(fields.size(), 4);  // the title date and the three repair steps
        const QDateTime when(QDate(2026, 12, 9), QTime(1, 18));
        for (QDateTimeEdit* field : fields) {
            field->setDateTime(when);
            const QString shown = field->findChild<QLineEdit*>()->text();
            EXPECT_EQ(shown.toStdString(),
                      QLocale().toString(when, field->displayFormat()).toStdString());
            EXPECT_TRUE(shown.startsWith(u'9')) << shown.toStdString();
            EXPECT_EQ(field->layoutDirection(), Qt::LeftToRight);
            EXPECT_EQ(field->calendarWidget()->layoutDirection(), direction);
        }
    }
}

}  // namespace
}  // namespace calivue::test
