// The report writer's pages in a right-to-left language: the preview's captions stay over
// their pictures, and dates, units and readings keep their left-to-right order.
#include "colouredit.h"
#include "detailsdlg_controls.h"
#include "imageselect_fixture.h"
#include "snapshotpreview.h"
#include "titledlg.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace calivue::test {
namespace {

// Catches captions mirrored without their pictures (or pictures without their captions),
// and a date, unit or reading box left to the bidi reordering of a right-to-left page, in
// both directions of the window.
TEST(RightToLeftPages, StripCaptionsOverTheirPicturesAndNumbersLeftToRight)
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

        const DetailsControls& c = f.details->controls();
        std::vector<const QWidget*> leftToRight = {
            c.unit,      c.firstReading, c.secondReading,      c.difference,
            c.reflected, c.emissivity,   c.finding.ambientUnit};
        for (const auto& step : c.steps) leftToRight.push_back(step.date);
        for (const QLabel* unit : c.weatherUnits) leftToRight.push_back(unit);
        TitleDlg title(f.ctx);
        leftToRight.push_back(title.findChild<QDateTimeEdit*>(QStringLiteral("titleDate")));
        for (std::size_t i = 0; i < leftToRight.size(); ++i) {
            ASSERT_NE(leftToRight[i], nullptr) << i;
            EXPECT_EQ(leftToRight[i]->layoutDirection(), Qt::LeftToRight) << i;
        }
        // The rest of the page follows the language.
        EXPECT_EQ(c.firstMeasurement->layoutDirection(), direction);
        EXPECT_EQ(title.layoutDirection(), direction);
    }
}

}  // namespace
}  // namespace calivue::test
