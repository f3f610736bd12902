// The inspection data page's data-only rules: the fit-check colours of its six fields at the
// box boundaries, the sign of a difference that shows as zero and the companion bitmap path.
#include "view/colouredit.h"
#include "report/colourtextedit.h"
#include "report/detailsdlg.h"
#include "document/reportdoc.h"
#include "report/detailsdlg_controls.h"
#include "report/engine/detailsdlg_text.h"

#include "core/fitcheck.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace calivue {
namespace {

// Words of 17 letters joined by blanks, cut to `length` characters: one line, no long word.
QString words(int length)
{
    QString s;
    while (s.size() < length)
        s += (s.isEmpty() ? QString() : QStringLiteral(" ")) + QString(17, QLatin1Char('w'));
    return s.left(length);
}

constexpr ColourRef kBlack = rgb(0, 0, 0), kOrange = rgb(255, 90, 0), kRed = rgb(255, 0, 0);

// Typing into each coloured field recolours it; a field wired to the wrong box size or not
// recoloured at all shows the wrong colour at one of these boundaries.
TEST(DetailsFitColours, FieldsTakeTheirColourAtTheBoxBoundaries)
{
    QTemporaryDir dir;
    CReportDoc project;
    ReportContext ctx;
    ctx.report = &project;
    ctx.settings = SettingsStore(dir.path());
    DetailsDlg page(ctx);
    const DetailsControls& c = page.controls();
    struct Case {
        const char* field;
        QString text;
        ColourRef colour;
    };
    const QString fiveBreaks = QStringLiteral("a\nb\nc\nd\ne\nf");
    const Case cases[] = {
        {"fault", words(75), kBlack},
        {"fault", words(76), kOrange},
        {"fault", words(124), kOrange},
        {"fault", words(125), kRed},
        {"fault", QString(19, QLatin1Char('x')), kOrange},  // a word too long for 18 a line
        {"fault", QString(25, QLatin1Char('x')), kRed},
        {"fault", QStringLiteral("a\nb\nc\nd"), kBlack},
        {"fault", QStringLiteral("a\nb\nc\nd\ne"), kOrange},
        {"comment", QStringLiteral("a\nb\nc\nd\ne"), kBlack},
        {"comment", fiveBreaks, kRed},
        {"comment", QStringLiteral("a\rb\rc\rd\re\rf"), kRed},
        {"comment", QString(51, QLatin1Char('c')), kBlack},
        {"comment", QString(52, QLatin1Char('c')), kRed},
        {"name", QString(36, QLatin1Char('n')), kBlack},
        {"name", QString(37, QLatin1Char('n')), kRed},
        {"operator", QString(17, QLatin1Char('o')), kBlack},
        {"operator", QString(18, QLatin1Char('o')), kRed},
        {"location", QString(17, QLatin1Char('l')), kBlack},
        {"location", QString(18, QLatin1Char('l')), kRed},
        {"equipment", QStringLiteral("eeeeeeeeeee eeeeeeeeeee"), kBlack},
        {"equipment", QStringLiteral("eeeeeeeeeeee"), kRed},
        {"equipment", QString(24, QLatin1Char(' ')), kRed},
    };
    for (const Case& k : cases) {
        const std::string f = k.field;
        ColourRef got = 0;
        if (f == "fault" || f == "comment") {
            cColourTextEdit* e = f == "fault" ? c.faultAction : c.comment;
            e->setPlainText(k.text);
            got = e->textColour();
        } else {
            cColourEdit* e = f == "name"       ? c.name
                             : f == "operator" ? c.operatorName
                             : f == "location" ? c.location
                                               : c.equipment;
            e->setText(k.text);
            got = e->textColour();
        }
        EXPECT_EQ(got, k.colour) << f << " length " << k.text.size();
    }
}

// The fields accept no more than the record holds.
TEST(DetailsFitColours, FieldsStopAtTheRecordLimits)
{
    QTemporaryDir dir;
    CReportDoc project;
    ReportContext ctx;
    ctx.report = &project;
    ctx.settings = SettingsStore(dir.path());
    DetailsDlg page(ctx);
    const DetailsControls& c = page.controls();
    c.comment->setPlainText(QString(600, QLatin1Char('c')));
    c.faultAction->setPlainText(QString(300, QLatin1Char('f')));
    EXPECT_EQ(c.comment->text().size(), 550);
    EXPECT_EQ(c.faultAction->text().size(), 250);
    const std::pair<QLineEdit*, int> limits[] = {{c.name, 38},       {c.operatorName, 38},
                                                 {c.location, 38},   {c.equipment, 70},
                                                 {c.measured, 20},   {c.rated, 20},
                                                 {c.condition, 8},   {c.indoor, 20},
                                                 {c.pressure, 20},   {c.steps[1].initials, 7},
                                                 {c.captions[4], 25}};
    for (auto [edit, limit] : limits) EXPECT_EQ(edit->maxLength(), limit);
    // Before any inspection the reading boxes are green and orange.
    EXPECT_EQ(c.firstReading->backgroundColour(), rgb(0, 255, 0));
    EXPECT_EQ(c.secondReading->backgroundColour(), rgb(255, 128, 0));
}

// Catches a comment or fault box that swallows Tab (the user is stuck in it, as in no form)
// or offers no way to type a tab.
TEST(DetailsText, TabLeavesTheTextBoxesAndCtrlTabTypesATab)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* before = new QLineEdit(&form);
    auto* box = new cColourTextEdit(&form);
    auto* after = new QLineEdit(&form);
    for (QWidget* w :
         {static_cast<QWidget*>(before), static_cast<QWidget*>(box), static_cast<QWidget*>(after)})
        layout->addWidget(w);
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("\t"));
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(box->text(), QStringLiteral("\t"));
}

TEST(DetailsText, DifferenceNeverShowsMinusZero)
{
    const QString c = QStringLiteral("\u00B0C");
    const std::pair<double, const char*> cases[] = {
        {-0.04, "0.0 \u00B0C"},  {-0.0, "0.0 \u00B0C"},     {0.04, "0.0 \u00B0C"},
        {-0.06, "-0.1 \u00B0C"}, {-12.34, "-12.3 \u00B0C"}, {3.24, "3.2 \u00B0C"},
        {0.05001, "0.1 \u00B0C"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(differenceText(value, c), QString::fromUtf8(text)) << value;
}

TEST(DetailsText, SnapshotPathBecomesItsBitmapPath)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/a/IR_0001.QVX", "/a/IR_0001.bmp"},
        {"/a.b/IR_0001.qvx", "/a.b/IR_0001.bmp"},
        {"/a.b/IR", "/a.b/IR.bmp"},
        {"C:\\x.y\\name.tar.qvx", "C:\\x.y\\name.tar.bmp"}};
    for (auto [in, out] : cases)
        EXPECT_EQ(bitmapPathOf(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

}  // namespace
}  // namespace calivue
