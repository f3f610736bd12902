// The classic layout's fit check explains itself: a red field's tool tip names its box and the
// lines, and "Generate PDF Report" lists the texts that will be cut and asks first.
#include "report/fitnotes.h"
#include "report/imageselectdlg.h"
#include "document/reportdoc.h"
#include "report/reportsheet.h"

#include "filedialoglog.h"
#include "messagelog.h"
#include "sheetfixture.h"

#include "core/printrules.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

std::u16string longText(int words)
{
    std::u16string out = u"word";
    for (int i = 1; i < words; ++i) out += u" word";
    return out;
}

// Catches a cut text left off the list (or a fitting one put on it), an equipment text
// listed for a template that does not print it, and a tool tip on a field that fits or one
// that does not say the box and its lines.
TEST(FitNotes, ListsEveryTextThatWillBeCutAndExplainsTheField)
{
    ReportTitle title;
    std::vector<cInspectionRecord> records(3);
    records[0].equipment = longText(8);
    records[1].comment = longText(80);
    records[1].faultAction = longText(40);
    records[2].name = u"Short";
    EXPECT_EQ(textsThatWillBeCut(title, records, ReportTemplate::Maintenance),
              (QStringList{QStringLiteral("Inspection 1: Equipment"),
                           QStringLiteral("Inspection 2: Comment"),
                           QStringLiteral("Inspection 2: Fault / Recommended Action")}));
    title.comments = longText(600);
    const QStringList buildings = textsThatWillBeCut(title, records, ReportTemplate::Buildings);
    EXPECT_EQ(buildings.size(), 3);  // comments first, no equipment
    EXPECT_FALSE(buildings.join(u'|').contains(QStringLiteral("Equipment")));
    EXPECT_TRUE(
        textsThatWillBeCut({}, {cInspectionRecord{}}, ReportTemplate::Maintenance).isEmpty());

    EXPECT_TRUE(fitToolTip(FitField::FaultAction, QStringLiteral("Tighten.")).isEmpty());
    const QString tip = fitToolTip(FitField::FaultAction, QString::fromStdU16String(longText(40)));
    EXPECT_EQ(tip, QStringLiteral("Box \"Fault / Recommended Action\": 5 lines of 24 characters "
                                  "fit; this text needs 8 and will be cut in the classic report."));
}

// Catches a classic report generated over cut texts without asking, Cancel that still writes,
// and a modern report (whose boxes grow) that asks at all.
TEST(FitNotes, GenerateAsksBeforeACutClassicReport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    test::SheetOn on(test::sheetContext(dir));
    cReportSheet& sheet = on.sheet;
    const std::optional<cInspectionImage> entry = test::demoSnapshot(dir);
    ASSERT_TRUE(entry);
    cInspectionRecord record;
    record.faultAction = longText(40);
    ASSERT_TRUE(sheet.imageSelectPage()->loadProjectEntries({*entry}, {record}));
    const QString out = dir.filePath(QStringLiteral("r.pdf"));
    test::FileDialogLog dialogs;
    dialogs.answer = out;
    const struct {
        ReportLayout layout;
        std::optional<int> answer;
        int questions;
        bool written;
    } cases[] = {
        {ReportLayout::Classic, cMessageDlg::IdCancel, 1, false},
        {ReportLayout::Classic, std::nullopt, 1, false},  // closed: Cancel
        {ReportLayout::Classic, cMessageDlg::IdChoice, 1, true},
        {ReportLayout::Modern, std::nullopt, 0, true},
    };
    for (const auto& c : cases) {
        QFile::remove(out);
        dialogs.seen.clear();
        ASSERT_TRUE(sheet.document().setReportLayout(c.layout));
        test::MessageLog log;
        log.answer = c.answer;
        sheet.generateReport();
        const qsizetype questions = log.texts.filter(QStringLiteral("will be cut")).size();
        EXPECT_EQ(questions, c.questions) << static_cast<int>(c.layout);
        if (questions > 0) {
            EXPECT_TRUE(log.texts.front().contains(
                QStringLiteral("Inspection 1: Fault / Recommended Action")));
        }
        EXPECT_EQ(dialogs.asked(), c.written ? 1 : 0) << static_cast<int>(c.layout);
        EXPECT_EQ(QFile::exists(out), c.written) << static_cast<int>(c.layout);
    }
}

}  // namespace
}  // namespace calivue
