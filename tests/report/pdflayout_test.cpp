// The report's page arithmetic and logo rule, and the items of each page kind.
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"

#include "platform/languagepack.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace calivue {
namespace {

using layout::ContentsRow;

}  // namespace

void PrintTo(const PageRect& r, std::ostream* os)
{
    *os << "(" << r.x1 << ", " << r.y1 << ")-(" << r.x2 << ", " << r.y2 << ")";
}

namespace {

TEST(PdfLayout, PageCountsAndWhereEachPageLands)
{
    struct Case {
        int n, contents, summary, total, firstInspectionPage, summaryPage;
    };
    const Case cases[] = {
        {0, 1, 0, 2, 3, 3},    {1, 1, 1, 4, 3, 4},    {14, 1, 1, 17, 3, 17}, {15, 1, 2, 19, 3, 18},
        {39, 1, 3, 44, 3, 42}, {40, 2, 3, 46, 4, 44}, {79, 2, 6, 88, 4, 83}, {80, 3, 6, 90, 5, 85},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(layout::pageCounts(c.n), (layout::PageCounts{c.contents, c.summary, c.total}));
        EXPECT_EQ(layout::inspectionPageNumber(c.n, 0), c.firstInspectionPage);
        EXPECT_EQ(layout::summaryPageNumber(c.n), c.summaryPage);
        // The inspection pages run without a gap up to the first summary page.
        if (c.n > 0) {
            EXPECT_EQ(layout::inspectionPageNumber(c.n, c.n - 1) + 1, c.summaryPage);
        }
    }
}

TEST(PdfLayout, ContentsRowsEndWithSummaryWhereThereIsRoom)
{
    EXPECT_EQ(layout::contentsRows(1, 0), (std::vector<ContentsRow>{{0, 3}, {-1, 4}}));
    const auto n39 = layout::contentsRows(39, 0);
    ASSERT_EQ(n39.size(), 40u);
    EXPECT_EQ(n39[38], (ContentsRow{38, 41}));
    EXPECT_EQ(n39.back(), (ContentsRow{-1, 42}));
    const auto n40 = layout::contentsRows(40, 0);
    ASSERT_EQ(n40.size(), 40u);
    EXPECT_EQ(n40.front(), (ContentsRow{0, 4}));
    EXPECT_EQ(n40.back(), (ContentsRow{39, 43}));
    EXPECT_EQ(layout::contentsRows(40, 1), (std::vector<ContentsRow>{{-1, 44}}));
    EXPECT_TRUE(layout::contentsRows(40, 2).empty());
    EXPECT_EQ(layout::contentsRows(45, 1).size(), 6u);
}

TEST(PdfLayout, SummaryPagesHoldFourteenRows)
{
    EXPECT_EQ(layout::summaryRows(14, 0), (layout::RowRange{0, 14}));
    EXPECT_EQ(layout::summaryRows(14, 1), (layout::RowRange{}));
    EXPECT_EQ(layout::summaryRows(15, 1), (layout::RowRange{14, 1}));
    EXPECT_EQ(layout::summaryRows(40, 2), (layout::RowRange{28, 12}));
}

TEST(PdfLayout, LogoFitsTheTitlePageKeepingItsProportions)
{
    struct Case {
        int w, h, fitW, fitH, left;
    };
    const Case cases[] = {
        {3000, 500, 2480, 413, 0}, {1000, 1000, 780, 780, 850},  {2480, 780, 2480, 780, 0},
        {600, 200, 600, 200, 940}, {5000, 3000, 1300, 780, 590}, {2600, 3000, 676, 780, 902},
        {100000, 10, 2480, 1, 0},  {0, 50, 0, 0, 1240},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        EXPECT_EQ(layout::fitLogo(c.w, c.h), (layout::LogoSize{c.fitW, c.fitH}));
        EXPECT_EQ(layout::logoLeft(c.fitW), c.left);
    }
    // 300 pixels at the screen's 96 dpi are 937 printer dots; at 300 dpi (11811 dots per
    // metre) they stay 300.
    EXPECT_EQ(layout::logoDeviceUnits(300, 0), 937);
    EXPECT_EQ(layout::logoDeviceUnits(300, 11811), 300);
}

const PageItem* findText(const PageItems& items, const QString& text)
{
    const auto it =
        std::find_if(items.begin(), items.end(), [&](const PageItem& i) { return i.text == text; });
    return it == items.end() ? nullptr : &*it;
}

const PageItem* findAt(const PageItems& items, PageRect r)
{
    const auto it =
        std::find_if(items.begin(), items.end(), [&](const PageItem& i) { return i.rect == r; });
    return it == items.end() ? nullptr : &*it;
}

TEST(PdfPage, FooterNumbersAreReversedForHebrew)
{
    EXPECT_EQ(footerItem(3, 10, Language::English).text, QStringLiteral("Page 3 of 10"));
    EXPECT_EQ(footerItem(3, 10, Language::UsEnglish).text, QStringLiteral("Page 3 of 10"));
    EXPECT_EQ(footerItem(3, 10, Language::Hebrew).text, QStringLiteral("Page 10 of 3"));
    // The designed Hebrew text keeps the reversal; the present one reads page first.
    const auto hebrewWith = [](const char16_t* format) {
        LanguagePack pack;
        pack.strings.insert(sid::PageOfFormat, QString::fromUtf16(format));
        return StringTable::withModule(pack);
    };
    EXPECT_EQ(pageOfText(3, 10, Language::Hebrew, hebrewWith(u"%d עמודים, עמוד %d")),
              QString::fromUtf16(u"10 עמודים, עמוד 3"));
    EXPECT_EQ(pageOfText(3, 10, Language::Hebrew, hebrewWith(u"עמוד %d מתוך %d")),
              QString::fromUtf16(u"עמוד 3 מתוך 10"));
    EXPECT_EQ(footerItem(1, 4, Language::English).rect, (PageRect{1880, 3450, 2380, 3500}));
    EXPECT_EQ(footerItem(1, 4, Language::English).align, TextAlign::RightFoot);
}

// A priority the page's list does not hold (0, 9, -1) prints as the page shows it: none.
TEST(PdfPage, PriorityZeroLeavesBothPriorityBoxesEmpty)
{
    const std::pair<int, const char*> cases[] = {{0, ""}, {4, "\n4"}, {9, ""}, {-1, ""}};
    std::vector<cInspectionRecord> records(std::size(cases));
    for (std::size_t i = 0; i < records.size(); ++i) records[i].repairPriority = cases[i].first;
    const PageItems summary = summaryPage(records, 0);
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const QString want = QString::fromLatin1(cases[i].second);
        InspectionPageData d;
        d.record = records[static_cast<std::size_t>(i)];
        const PageItems page = inspectionPage(d);
        const PageItem* box = findAt(page, {2180, 100, 2380, 250});
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text, want) << cases[i].first;
        const PageItem* cell = findAt(summary, {2180, 340 + 210 * i, 2380, 550 + 210 * i});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text, want) << cases[i].first;
        EXPECT_EQ(cell->kind, PageItem::Kind::Box);
    }
}

// Each template's labels, where they stand, and the Custom captions in their place.
TEST(PdfPage, EveryTemplatePrintsItsLabels)
{
    struct Case {
        int templ;
        std::vector<std::pair<QString, PageRect>> labels;
        std::vector<QString> absent;
    };
    const Case cases[] = {
        {0,
         {{QStringLiteral("Operator"), {100, 300, 430, 370}},
          {QStringLiteral("Equipment"), {100, 440, 430, 580}},
          {QStringLiteral("Time"), {1300, 440, 1840, 580}},
          {QStringLiteral("Load %"), {1300, 2350, 1840, 2420}},
          {QStringLiteral("Repair Action"), {1300, 2520, 2380, 2590}},
          {QStringLiteral("Comment"), {100, 680, 2380, 750}}},
         {QStringLiteral("RPM"), QStringLiteral("Indoor Temperature")}},
        {1,
         {{QStringLiteral("Inspector"), {100, 370, 430, 440}},
          {QStringLiteral("Location"), {100, 440, 430, 510}},
          {QStringLiteral("Time"), {1300, 440, 1840, 510}},
          {QStringLiteral("Material Condition"), {1300, 2350, 1840, 2420}},
          {QStringLiteral("Good"), {1840, 2350, 2380, 2420}},
          {QStringLiteral("Indoor Temperature"), {1300, 2420, 1840, 2490}},
          {QStringLiteral("21 \u00B0F"), {1840, 2420, 2380, 2490}},
          {QStringLiteral("12 mph"), {1840, 2630, 2380, 2700}},
          {QStringLiteral("40 %"), {1840, 2560, 2380, 2630}},
          {QStringLiteral("Pressure Difference"), {1300, 2700, 1840, 2770}},
          {QStringLiteral("Repair Action"), {1300, 2980, 2380, 3050}}},
         {QStringLiteral("Equipment"), QStringLiteral("Operator")}},
        {2,
         {{QStringLiteral("RPM"), {1300, 2350, 1840, 2420}},
          {QStringLiteral("Measured Load"), {1300, 2210, 1840, 2280}}},
         {QStringLiteral("Load %")}},
        {3,
         {{QStringLiteral("Tech"), {100, 300, 430, 370}},
          {QStringLiteral("Notes"), {100, 680, 2380, 750}},
          {QStringLiteral("Field 8"), {1300, 2350, 1840, 2420}},
          {QStringLiteral("Field 13"), {1300, 2700, 1840, 2770}},
          {QStringLiteral("21 \u00B0F"), {1840, 2420, 2380, 2490}},
          {QStringLiteral("Repair Action"), {1300, 2980, 2380, 3050}}},
         {QStringLiteral("Operator"), QStringLiteral("Comment")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templ);
        InspectionPageData d;
        d.reportTemplate = static_cast<ReportTemplate>(c.templ);
        d.unit = TempUnit::Fahrenheit;
        d.record.conditionChoice = 1;
        d.record.indoor = u"21";
        d.record.humidity = u"40";
        d.record.wind = u"12";
        d.captions = {u"Name",     u"Tech",     u"Where",   u"What",    u"Notes",
                      u"Field 6",  u"Field 7",  u"Field 8", u"Field 9", u"Field 10",
                      u"Field 11", u"Field 12", u"Field 13"};
        d.snapshot.emissivity = QStringLiteral("0.95");
        const PageItems items = inspectionPage(d);
        for (const auto& [text, rect] : c.labels) {
            const PageItem* it = findText(items, text);
            ASSERT_NE(it, nullptr) << text.toStdString();
            EXPECT_EQ(it->rect, rect) << text.toStdString();
        }
        for (const QString& text : c.absent)
            EXPECT_EQ(findText(items, text), nullptr) << text.toStdString();
        // The fixed blocks are in every template.
        for (const char* fixed :
             {"Snapshot", "Date", "Measurement Parameters", "Global Emissivity:", "Reflected Temp:",
              "Fault / Recommended Action", "Inspected", "Reinspected", "Initials",
              "Thermal Snapshot", "Thermal and Visible Blend", "Visible Image"})
            EXPECT_NE(findText(items, QString::fromUtf8(fixed)), nullptr) << fixed;
    }

    const std::array<std::u16string, 4> captions{u"Firm", u"By", u"When", u"Notes"};
    EXPECT_EQ(titleLabels(ReportTemplate::Custom, captions)[0], QStringLiteral("Firm"));
    for (ReportTemplate t :
         {ReportTemplate::Maintenance, ReportTemplate::Buildings, ReportTemplate::Mechanical})
        EXPECT_EQ(
            titleLabels(t, captions),
            (std::array<QString, 4>{QStringLiteral("Company"), QStringLiteral("Author"),
                                    QStringLiteral("Date"), QStringLiteral("General Comments")}));
}

TEST(PdfPage, TitleContentsAndMissingSnapshotItems)
{
    TitlePageData t;
    t.labels = titleLabels(ReportTemplate::Maintenance, {});
    t.title.company = u"Acme";
    t.logoWidth = 2480;
    t.logoHeight = 413;
    const PageItems title = titlePage(t);
    EXPECT_EQ(title.front().kind, PageItem::Kind::Logo);
    EXPECT_EQ(title.front().rect, (PageRect{0, 50, 2480, 463}));
    EXPECT_EQ(findText(title, QStringLiteral("Thermography Inspection Report"))->rect,
              (PageRect{0, 513, 2480, 583}));
    EXPECT_EQ(findText(title, QStringLiteral("Acme"))->rect, (PageRect{430, 1200, 1200, 1270}));
    EXPECT_EQ(findText(title, QStringLiteral("General Comments"))->kind, PageItem::Kind::Heading);

    std::vector<cInspectionRecord> records(40);
    records[0].name = u"Boiler";
    const PageItems first = contentsPage(records, 0);
    EXPECT_EQ(findText(first, QStringLiteral("Inspection 1 - Boiler"))->rect,
              (PageRect{100, 340, 1980, 410}));
    EXPECT_EQ(findText(first, QStringLiteral("Inspection 40"))->rect.y1, 340 + 39 * 70);
    EXPECT_EQ(findText(first, QStringLiteral("Summary")), nullptr);
    const PageItems second = contentsPage(records, 1);
    EXPECT_EQ(findText(second, QStringLiteral("Summary"))->rect, (PageRect{100, 340, 1980, 410}));
    EXPECT_EQ(findText(second, QStringLiteral("44"))->align, TextAlign::Right);

    // A snapshot that did not load is named in the strip's place, in the word order of the
    // language (German, Spanish, Japanese, Korean and Dutch put the path first, as the image
    // selection page does), or with what is wrong with it when it is there.
    const struct {
        int language;
        const char* failure;
        const char* text;
    } missingCases[] = {
        {0, "", "Could not find /cards/IR_0007.QVX"},
        {2, "", "Could not find /cards/IR_0007.QVX"},
        {1, "", "/cards/IR_0007.QVX Could not find"},
        {6, "", "/cards/IR_0007.QVX Could not find"},
        {11, "", "/cards/IR_0007.QVX Could not find"},
        {1, "not a snapshot record", "/cards/IR_0007.QVX: not a snapshot record"},
    };
    for (const auto& c : missingCases) {
        InspectionPageData d;
        d.language = Language{c.language};
        d.snapshot.loaded = false;
        d.snapshot.path = QStringLiteral("/cards/IR_0007.QVX");
        d.snapshot.failure = QString::fromUtf8(c.failure);
        const PageItems page = inspectionPage(d);
        EXPECT_TRUE(std::none_of(page.begin(), page.end(), [](const PageItem& i) {
            return i.kind == PageItem::Kind::Strip;
        }));
        const PageItem* missing = findAt(page, kStripRect);
        ASSERT_NE(missing, nullptr);
        EXPECT_EQ(missing->text, QString::fromUtf8(c.text)) << c.language;
        EXPECT_NE(findText(page, QStringLiteral("Inspection 1")), nullptr);
    }
}

TEST(PdfPage, WrappedTextCutsOnlyWordsWiderThanTheBox)
{
    QFont font = reportFonts().body;
    const QFontMetricsF fm(font);
    const qreal width = fm.horizontalAdvance(QStringLiteral("abcdefghij"));
    const QString out =
        elideLongWords(QStringLiteral("short abcdefghijklmnopqrstuvwxyz\nend"), fm, width);
    EXPECT_TRUE(out.startsWith(QStringLiteral("short ")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("\nend")));
    EXPECT_TRUE(out.contains(QChar(0x2026)));
    EXPECT_LE(
        fm.horizontalAdvance(out.section(QLatin1Char(' '), 1).section(QLatin1Char('\n'), 0, 0)),
        width);
    EXPECT_EQ(elideLongWords(QStringLiteral("fits  fine"), fm, width),
              QStringLiteral("fits  fine"));
}

// Catches report drawing that follows the interface's direction: with the Hebrew interface
// running right to left, readings, wrapped text and the Hebrew footer are painted exactly as
// in a left-to-right one, so the pages keep their designed layout.
TEST(PdfLayout, RightToLeftInterfaceKeepsThePageDrawing)
{
    const PageItems items{
        pageItem(PageItem::Kind::Box, {100, 100, 700, 200}, QStringLiteral("25.3 °C"),
                 TextAlign::Left),
        pageItem(PageItem::Kind::Box, {100, 250, 700, 450},
                 QStringLiteral("Pump 2 (C1-C2) 4.1 K, see note"), TextAlign::Wrap),
        footerItem(3, 7, Language::Hebrew)};
    QImage drawn[2];
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QGuiApplication::setLayoutDirection(direction);
        QImage page(2480, 3508, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        paintPageItems(painter, items, reportFonts(), nullptr, nullptr);
        painter.end();
        drawn[direction == Qt::RightToLeft] = page;
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    EXPECT_TRUE(drawn[0] == drawn[1]);
}

}  // namespace
}  // namespace calivue
