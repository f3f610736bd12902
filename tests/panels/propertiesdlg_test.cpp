// The image properties dialog: value texts from a generated snapshot, the locale moment
// texts with their "--" and invalid cases, and the buttons.
#include "panels/propertiesdlg.h"

#include "viewtestutil.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace calivue;

namespace {

gen::SnapshotPlan propertiesPlan()
{
    gen::SnapshotPlan p = viewtest::flatPlan();
    p.emissivity = 100;  // readings are raw / scale exactly
    p.reflectedC = 20.0;
    p.comment = "Bearing runs hot";
    return p;
}

// Catches wrong sources or formats for the value lines: the span line is built from the
// table's "%0.01f %s to %0.01f %s" with the readings of the span's raw ends.
TEST(PropertiesDlg, ShowsTheImagesValues)
{
    viewtest::OpenedDoc opened(propertiesPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    doc.setSpan(2932, 3087);  // 20.0 °C and 35.5 °C at 10 counts per kelvin
    doc.setPalette(4);

    cPropertiesDlg dlg(&doc);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Properties"));
    EXPECT_EQ(dlg.spanText(), QString::fromUtf8("20.0 °C to 35.5 °C"));
    EXPECT_EQ(dlg.reflectedText(), QString::fromUtf8("20.0 °C"));
    EXPECT_EQ(dlg.emissivityText(), QStringLiteral("1.00"));
    EXPECT_EQ(dlg.paletteText(), QStringLiteral("Hot Metal"));
    EXPECT_EQ(dlg.fileText(), opened.bmpPath);
    EXPECT_EQ(dlg.commentText(), QStringLiteral("Bearing runs hot"));

    doc.setUnit(TempUnit::Fahrenheit);
    cPropertiesDlg fahrenheit(&doc);
    EXPECT_EQ(fahrenheit.spanText(), QString::fromUtf8("68.0 °F to 95.9 °F"));
}

// Catches the midnight rule missing and locale texts not taken from the system locale.
TEST(PropertiesDlg, CaptureMomentTexts)
{
    gen::SnapshotPlan midnight = propertiesPlan();
    midnight.capture = RecordTime{0, 0, 0, 21, 3, 2009};
    viewtest::OpenedDoc atMidnight(midnight);
    ASSERT_TRUE(atMidnight.opened);
    cPropertiesDlg first(atMidnight.doc.get());
    EXPECT_EQ(first.captureTimeText(), QStringLiteral("--"));
    EXPECT_EQ(first.captureDateText(),
              QLocale::system().toString(QDate(2009, 3, 21), QLocale::ShortFormat));

    gen::SnapshotPlan afternoon = propertiesPlan();
    afternoon.capture = RecordTime{14, 35, 10, 21, 3, 2009};
    viewtest::OpenedDoc opened(afternoon);
    ASSERT_TRUE(opened.opened);
    cPropertiesDlg dlg(opened.doc.get());
    const QString expected = QLocale::system().toString(QTime(14, 35, 10), QLocale::ShortFormat);
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(dlg.captureTimeText(), expected);
    EXPECT_EQ(dlg.modifiedTimeText(), expected) << "the generator stamps the capture moment";
    EXPECT_EQ(dlg.modifiedDateText(), dlg.captureDateText());
}

// Catches the year rule, all-zero dates shown as a date, and impossible parts shown.
TEST(PropertiesDlg, MomentRules)
{
    const QLocale locale = QLocale::system();
    EXPECT_EQ(cPropertiesDlg::dateText(RecordTime{10, 0, 0, 5, 6, 1998}),
              locale.toString(QDate(2000, 6, 5), QLocale::ShortFormat));
    EXPECT_EQ(cPropertiesDlg::dateText(RecordTime{10, 0, 0, 0, 0, 0}), QStringLiteral("--"));
    EXPECT_EQ(cPropertiesDlg::timeText(RecordTime{10, 0, 0, 0, 0, 0}),
              locale.toString(QTime(10, 0), QLocale::ShortFormat))
        << "a missing date does not hide a real time";
    EXPECT_EQ(cPropertiesDlg::timeText(RecordTime{25, 0, 0, 5, 6, 2010}), QString());
    EXPECT_EQ(cPropertiesDlg::dateText(RecordTime{25, 0, 0, 5, 6, 2010}),
              locale.toString(QDate(2010, 6, 5), QLocale::ShortFormat));
    EXPECT_EQ(cPropertiesDlg::dateText(RecordTime{10, 0, 0, 31, 4, 2010}), QString());
}

// Catches a visible Cancel and values invented without a document.
TEST(PropertiesDlg, ButtonsAndEmptyDocument)
{
    CVantoroDoc empty;
    cPropertiesDlg dlg(&empty);
    EXPECT_FALSE(dlg.okButton()->isHidden());
    EXPECT_TRUE(dlg.cancelButton()->isHidden());
    EXPECT_EQ(dlg.okButton()->text(), uiText(sid::Ok));
    EXPECT_TRUE(dlg.spanText().isEmpty());
    EXPECT_TRUE(dlg.captureTimeText().isEmpty());
    EXPECT_TRUE(dlg.fileText().isEmpty());

    cPropertiesDlg none(nullptr);
    EXPECT_TRUE(none.reflectedText().isEmpty());
    dlg.okButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

}  // namespace
