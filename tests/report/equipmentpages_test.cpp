// The printed equipment appendix: its place in the page count and contents, the status and
// previous texts of each kind of row, the table over several pages, and the comparison lines
// of an inspection page.
#include "report/engine/equipmentpages.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

using S = EquipmentStatus;
using namespace std::chrono;
using namespace Qt::StringLiterals;

// Catches the equipment pages not counted, listed before the criteria page, or pointing at the
// wrong page, and a report without them changed.
TEST(EquipmentLayout, CountedAndListedLast)
{
    const struct {
        int n;
        bool criteria;
        int equipment, contents, total, equipmentRowPage;
    } cases[] = {
        {0, false, 1, 1, 3, 3},   {3, true, 2, 1, 9, 8},    {3, false, 1, 1, 7, 7},
        {37, true, 3, 1, 46, 44}, {38, true, 1, 2, 46, 46}, {38, false, 2, 1, 45, 44},
        {78, true, 4, 3, 93, 90},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        const layout::PageCounts counts = layout::pageCounts(c.n, c.criteria, c.equipment);
        EXPECT_EQ(counts.contents, c.contents);
        EXPECT_EQ(counts.total, c.total);
        EXPECT_EQ(counts.equipment, c.equipment);
        const auto last = layout::contentsRows(c.n, c.contents - 1, c.criteria, c.equipment);
        ASSERT_FALSE(last.empty());
        EXPECT_EQ(last.back(), (layout::ContentsRow{layout::kEquipmentRow, c.equipmentRowPage}));
        if (c.criteria && last.size() >= 2) {
            EXPECT_EQ(last[last.size() - 2],
                      (layout::ContentsRow{layout::kAppendixRow, c.equipmentRowPage - 1}));
        }
        EXPECT_EQ(layout::pageCounts(c.n, c.criteria, 0), layout::pageCounts(c.n, c.criteria));
    }
}

// Catches a row given the wrong status words, an exception's pages lost or a several-page
// item given one, a reason dropped, and the column "previous" shown without a previous survey.
TEST(EquipmentAppendixText, RowsOfEveryKind)
{
    ProjectEquipment e;
    e.items = {{u"A", u"Hall", u"Feeder", u"", S::NotInspected, u""},
               {u"B", u"Hall", u"Panel", u"", S::Inspected, u""},
               {u"C", u"Roof", u"Fan", u"", S::NotInspected, u"de-energised"},
               {u"D", u"Yard", u"Pump", u"", S::NotInspected, u""},
               {u"E", u"Yard", u"Motor", u"", S::NotInspected, u""}};
    e.recordItems = {u"A", u"E", u"E", u"E", u"B"};
    const std::vector<InspectionOnPage> actual = {
        {3, true}, {4, true}, {5, false}, {6, true}, {7, false}};
    std::vector<InspectionOnPage> all = actual;
    for (InspectionOnPage& p : all) p.exception = true;
    const StringTable& texts = StringTable::english();
    const EquipmentPagesData d =
        equipmentPagesData(e, actual, all, nullptr, TempUnit::Celsius, QLocale::c(), texts);
    const struct {
        const char* status;
        const char* reserve;
    } expected[] = {
        {"exception, see page 3", "exception, see page 3"},
        {"no exception", "exception, see page 7"},
        {"not inspected: de-energised", "not inspected: de-energised"},
        {"not inspected", "not inspected"},
        {"exception, see pages 4, 6", "exception, see pages 4, 5, 6"},
    };
    ASSERT_EQ(d.rows.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.rows[i].id, QString::fromStdU16String(e.items[i].id));
        EXPECT_EQ(d.rows[i].status, QString::fromUtf8(expected[i].status));
        EXPECT_EQ(d.rows[i].reserve, QString::fromUtf8(expected[i].reserve));
        EXPECT_TRUE(d.rows[i].previous.isEmpty());
    }
    EXPECT_EQ(d.counts, u"5 items, 3 inspected, 2 with exceptions, 2 not inspected"_qs);
    EXPECT_FALSE(d.previousColumn);

    PreviousFindings previous;
    previous[u"B"].finding = PreviousFinding{0, year{2025} / May / day{14}, 12.34, std::nullopt, 4};
    previous[u"C"].listed = true;
    previous[u"C"].reason = u"inaccessible";
    const EquipmentPagesData withPrevious =
        equipmentPagesData(e, actual, actual, &previous, TempUnit::Fahrenheit,
                           QLocale(QLocale::English, QLocale::UnitedKingdom), texts);
    EXPECT_TRUE(withPrevious.previousColumn);
    EXPECT_EQ(withPrevious.rows[1].previous,
              u"exception (priority 4, \u0394T 12.3 \u00B0F, 14/05/2025); repair verified"_qs);
    EXPECT_EQ(withPrevious.rows[2].previous, u"not inspected: inaccessible"_qs);
    EXPECT_TRUE(withPrevious.rows[0].previous.isEmpty());
}

// Catches a table that runs off its page, loses or repeats a row, drops the header on a
// continuation page, or breaks differently when laid out for the reserve than when printed.
TEST(EquipmentAppendixPages, TableOverSeveralPages)
{
    ProjectEquipment e;
    for (int i = 0; i < 130; ++i)
        e.items.push_back({u"Q" + std::u16string(QString::number(i).toStdU16String()), u"Hall",
                           i % 7 == 0 ? std::u16string(200, u'w') : u"Breaker", u"",
                           S::NotInspected, i % 3 ? u"" : u"not found"});
    // Item 5 has eight inspections: its reserve takes more lines than its status.
    e.recordItems.assign(8, u"Q5");
    std::vector<InspectionOnPage> actual(8), all(8);
    for (int i = 0; i < 8; ++i) {
        actual[static_cast<std::size_t>(i)] = {100 + i, i == 2};
        all[static_cast<std::size_t>(i)] = {100 + i, true};
    }
    const StringTable& texts = StringTable::english();
    const ReportFonts fonts = reportFonts();
    for (const bool previous : {false, true}) {
        SCOPED_TRACE(previous);
        PreviousFindings none;
        const auto data = [&](std::span<const InspectionOnPage> shown) {
            return equipmentPagesData(e, shown, all, previous ? &none : nullptr, TempUnit::Celsius,
                                      QLocale::c(), texts);
        };
        const std::vector<PageItems> printed = equipmentPages(data(actual), fonts, texts);
        const std::vector<PageItems> planned = equipmentPages(data(all), fonts, texts);
        ASSERT_GT(printed.size(), 2u);
        ASSERT_EQ(printed.size(), planned.size());
        int row = 0;
        for (std::size_t p = 0; p < printed.size(); ++p) {
            SCOPED_TRACE(p);
            ASSERT_EQ(printed[p].size(), planned[p].size());
            EXPECT_EQ(printed[p][0].text, texts.text(sid::EquipmentAppendix));
            EXPECT_EQ(printed[p][1].text,
                      u"130 items, 1 inspected, 1 with exceptions, 129 not inspected"_qs);
            const std::size_t columns = previous ? 5 : 4;
            EXPECT_EQ(printed[p][2].text, texts.text(sid::EquipmentItem));
            EXPECT_EQ(
                printed[p][1 + columns].text,
                texts.text(previous ? sid::EquipmentPreviousColumn : sid::EquipmentAppendixStatus));
            for (std::size_t k = 2 + columns; k < printed[p].size(); k += columns) {
                EXPECT_EQ(printed[p][k].text, QStringLiteral("Q%1").arg(row++));
                for (std::size_t c = 0; c < columns; ++c) {
                    EXPECT_LE(printed[p][k + c].rect.y2, 3380);
                    EXPECT_EQ(printed[p][k + c].rect, planned[p][k + c].rect);
                }
            }
        }
        EXPECT_EQ(row, 130);
    }
}

// Catches the comparison printed without its date, ΔT, class or priority, a change without
// its sign, and a repair not verified in words.
TEST(EquipmentComparison, LinesOfAnInspectionPage)
{
    Comparison c;
    c.previous.date = year{2025} / May / day{14};
    c.previous.deltaT = 12.0;
    c.previous.severity = SeverityBand{4.0, false, u"Probable", 3};
    c.previous.priority = 3;
    c.change = FindingChange::RepairVerified;
    c.deltaTChange = -11.6;
    const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
    const StringTable& texts = StringTable::english();
    std::vector<PrintedLine> lines = comparisonLines(c, TempUnit::Celsius, uk, texts);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text,
              u"Previous survey (14/05/2025): \u0394T 12.0 \u00B0C, Probable, priority 3"_qs);
    EXPECT_EQ(lines[1].text, u"Change: repair verified (\u0394T -11.6 \u00B0C)"_qs);
    c.change = FindingChange::Worse;
    c.deltaTChange = 2.5;
    c.previous.date.reset();
    c.previous.severity.reset();
    c.previous.priority = 0;
    lines = comparisonLines(c, TempUnit::Kelvin, uk, texts);
    EXPECT_EQ(lines[0].text, u"Previous survey (-): \u0394T 12.0 K, no exception"_qs);
    EXPECT_EQ(lines[1].text, u"Change: worse (\u0394T +2.5 K)"_qs);
}

}  // namespace
}  // namespace calivue
