// The findings a report prints: the sentences of a finding, the band they take on an
// inspection page (inside it in every language, never cut short without saying so), the
// appendix and its place in the page count and contents, coloured priorities, and whole
// reports with and without findings data read back from the PDF.
#include "report/engine/findingtext.h"
#include "report/engine/reportgenerator.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"
#include "report/engine/reporttext.h"

#include "generator.h"
#include "qtfiles.h"
#include "snapshotfolder.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "paint/severitycolour.h"
#include "platform/stringtable.h"
#include "survey.h"

#include "core/findingscodec.h"

#include <QFontMetricsF>
#include <QSet>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace calivue {
namespace {

const QString kEllipsis = QString(QChar(0x2026));

Measurement cursor(int marker)
{
    Measurement m;
    m.kind = Measurement::Kind::Cursor;
    m.marker = marker;
    return m;
}

// A finding with a marker reference, a load and a class.
Finding markerFinding()
{
    Finding f;
    f.concern = FindingReading{cursor(0), 53.26};
    f.reference = FindingReading{cursor(1), 41.0};
    f.deltaT = 12.3;
    f.loadPercent = 65.0;
    f.deltaTCorrected = 29.112;
    f.severity = criteriaBands(Criteria::NetaSimilar, {})[1];  // probable, priority 3
    f.suggestedPriority = f.priority = 3;
    return f;
}

QStringList texts(const std::vector<PrintedLine>& lines)
{
    QStringList out;
    for (const PrintedLine& l : lines) out << l.text;
    return out;
}

// Catches a sentence with the wrong reference, load ratio, exponent or unit, a hand-set
// priority called suggested (or the reverse), the fRsi verdict or threshold wrong, a warning
// left out, and the class not in its priority's colour.
TEST(FindingText, TheSentencesOfAFinding)
{
    FindingsSettings settings;
    settings.loadExponent = 1.6;
    const auto ambient = [] {
        Finding f = markerFinding();
        f.reference = FindingReading{std::nullopt, 20.0};
        f.deltaT = 33.3;
        f.loadPercent.reset();
        f.deltaTCorrected.reset();
        f.severity = criteriaBands(Criteria::NetaAmbient, {})[3];
        f.suggestedPriority = 5;
        f.priority = 2;
        f.priorityManual = true;
        f.warnings = {FindingWarning::LoadUnknown};
        return f;
    };
    const auto building = [] {
        Finding f = markerFinding();
        f.loadPercent.reset();
        f.deltaTCorrected.reset();
        f.severity.reset();
        f.suggestedPriority = f.priority = 0;
        f.frsi = 0.6949;
        f.frsiPass = false;
        f.warnings = {FindingWarning::IndoorOutdoorBelow10K};
        return f;
    };
    const auto missing = [] {
        Finding f;
        f.concern = FindingReading{cursor(0), 30.0};
        f.loadPercent = 25.0;
        f.warnings = {FindingWarning::ReferenceMissing, FindingWarning::LoadBelowMinimum};
        return f;
    };
    const struct {
        const char* name;
        Finding finding;
        int templateNumber, unit;
        QStringList want;
        std::vector<QRgb> colours;
    } cases[] = {
        {"marker, load, suggested",
         markerFinding(),
         0,
         0,
         {u"ΔT 12.3 °C: Cursor 1 53.3 °C against Cursor 2 41.0 °C"_qs,
          u"Load 65 %, ΔTc 29.1 °C (n = 1.6)"_qs,
          u"Class: Probable deficiency; repair as time permits"_qs,
          u"Priority 3, suggested by the criteria"_qs},
         {0xFF000000, 0xFF000000, severityColour(3).rgb(), severityColour(3).rgb()}},
        {"ambient, °F, set by hand",
         ambient(),
         2,
         1,
         {u"ΔT 33.3 °F: Cursor 1 53.3 °F against Ambient air 20.0 °F"_qs,
          u"Class: Major discrepancy; repair immediately"_qs,
          u"Priority 2, set by the thermographer"_qs,
          u"The load is unknown: the difference is not corrected to full load."_qs},
         {0xFF000000, severityColour(5).rgb(), severityColour(2).rgb(), 0xFF000000}},
        {"buildings, no class, fRsi fails",
         building(),
         reportTemplateNumber(ReportTemplate::Buildings),
         0,
         {u"ΔT 12.3 °C: Cursor 1 53.3 °C against Cursor 2 41.0 °C"_qs,
          u"No exception (below the first class)"_qs, u"fRsi 0.69: fail (threshold 0.70)"_qs,
          u"Indoor and outdoor differ by less than 10 K (18 °F): the temperature factor is "
          "uncertain."_qs},
         {}},
        {"reference missing, low load",
         missing(),
         0,
         0,
         {u"Load 25 %"_qs, u"A reading is missing: no temperature difference."_qs,
          u"The load is below the minimum of 40 %: the class may understate the fault."_qs},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<PrintedLine> lines =
            findingLines(c.finding, settings, static_cast<ReportTemplate>(c.templateNumber),
                         static_cast<TempUnit>(c.unit), StringTable::english());
        EXPECT_EQ(texts(lines), c.want);
        for (std::size_t i = 0; i < c.colours.size() && i < lines.size(); ++i)
            EXPECT_EQ(lines[i].colour, c.colours[i]) << i;
    }
    // A custom class prints as the project names it; a bound of a Fahrenheit report is scaled.
    EXPECT_EQ(classText({2.5, false, u"Watch µ", 2}, StringTable::english()), u"Watch µ"_qs);
    EXPECT_EQ(bandBoundText({15, true, u"", 5}, TempUnit::Fahrenheit, StringTable::english()),
              u"above 27.0 °F"_qs);
    EXPECT_EQ(bandBoundText({4, false, u"", 3}, TempUnit::Kelvin, StringTable::english()),
              u"from 4.0 K"_qs);
}

// The worst case the band must hold: a Buildings finding with every warning and a long custom
// class, and far more sentences than there is room for.
std::vector<PrintedLine> worstCase(const StringTable& table, int extra)
{
    Finding f = markerFinding();
    f.severity = SeverityBand{
        1, false,
        u"Heat loss through the whole junction of wall, floor slab and window frame; insulate "
        u"and seal before the next heating season, then survey again",
        4};
    f.priority = 4;
    f.priorityManual = true;
    f.frsi = 0.7;
    f.frsiPass = true;
    f.warnings = {FindingWarning::ReferenceMissing, FindingWarning::LoadBelowMinimum,
                  FindingWarning::LoadUnknown, FindingWarning::IndoorOutdoorBelow10K};
    std::vector<PrintedLine> lines =
        findingLines(f, {}, ReportTemplate::Buildings, TempUnit::Fahrenheit, table);
    for (int i = 0; i < extra; ++i) lines.push_back(lines[static_cast<std::size_t>(i) % 4]);
    return lines;
}

// Catches a number or unit of a finding sentence left to the bidi reordering of a
// right-to-left language ("C° 61.9" for "61.9 °C"), a Hebrew sentence set left to right
// because it begins with "ΔT", and isolates put into the sentences of a left-to-right
// language, for every language's sentences and class bounds.
TEST(FindingText, NumbersWithTheirUnitsIsolatedInRightToLeftLanguages)
{
    const LanguageModules modules;
    const QChar lri(0x2066), pdi(0x2069);
    static const QRegularExpression isolated(u"\\x{2066}[^\\x{2066}\\x{2069}]*\\x{2069}"_s);
    static const QRegularExpression looseReading(u"[0-9\\x{00B0}%]|(?<=\\d )K"_s);
    for (const LanguageInfo& info : languageTable()) {
        StringTable table = StringTable::english();
        if (info.language != Language::English) {
            const LanguageLoad load = modules.load(info.language);
            ASSERT_TRUE(load.ok()) << info.language;
            table = load.table;
        }
        const bool rtl = info.language == Language::Hebrew;
        QStringList sentences = texts(worstCase(table, 0));
        sentences << bandBoundText({15, true, u"", 5}, TempUnit::Celsius, table)
                  << bandBoundText({4, false, u"", 3}, TempUnit::Fahrenheit, table);
        for (const QString& s : sentences) {
            SCOPED_TRACE(testing::Message()
                         << "language " << info.language << ": " << s.toStdString());
            // The line reads from the right, even when it begins with "ΔT" or "fRsi".
            EXPECT_EQ(s.isRightToLeft(), rtl);
            if (!rtl) {
                EXPECT_FALSE(s.contains(lri) || s.contains(pdi));
                continue;
            }
            // Every digit, degree sign, percent and kelvin sits inside one isolate, and the
            // isolates hold nothing else but the number, its separators and its unit.
            QString outside = s;
            outside.remove(isolated);
            EXPECT_FALSE(outside.contains(looseReading)) << outside.toStdString();
            EXPECT_FALSE(outside.contains(lri) || outside.contains(pdi));
            for (auto it = isolated.globalMatch(s); it.hasNext();) {
                const QString inside = it.next().captured();
                EXPECT_FALSE(hasRightToLeftLetters(inside)) << inside.toStdString();
                EXPECT_TRUE(inside.at(1).isDigit() || inside.at(1) == u'-') << inside.toStdString();
            }
        }
        if (rtl) {
            // The readings of the difference sentence: each number keeps its unit.
            const QString deltaT = sentences.front();
            for (const char* reading : {"12.3 \u00B0F", "53.3 \u00B0F", "41.0 \u00B0F"})
                EXPECT_TRUE(deltaT.contains(lri + QString::fromUtf8(reading) + pdi))
                    << deltaT.toStdString();
        }
    }
}

QRectF inner(const PageRect& r)
{
    return QRectF(r.x1 + 10, r.y1 + 10, r.x2 - r.x1 - 20, r.y2 - r.y1 - 20);
}

// Catches band text outside the band or the page, lines overlapping or wider than their
// column, words lost when everything fits, and a band cut short without an ellipsis, in every
// language.
TEST(FindingBand, EveryLanguagesWorstCaseStaysInsideTheBand)
{
    const QFontMetricsF m(reportFonts().small);
    const LanguageModules modules;
    const QRectF band(kFindingBand.x1, kFindingBand.y1, kFindingBand.x2 - kFindingBand.x1,
                      kFindingBand.y2 - kFindingBand.y1);
    for (const LanguageInfo& info : languageTable()) {
        StringTable table = StringTable::english();
        if (info.language != Language::English) {
            const LanguageLoad load = modules.load(info.language);
            ASSERT_TRUE(load.ok()) << info.language;
            table = load.table;
        }
        for (const int extra : {-1, 0, 12}) {
            SCOPED_TRACE(testing::Message() << "language " << info.language << ", extra " << extra);
            // -1: one sentence that is a single word longer than a line, broken, not lost.
            const std::vector<PrintedLine> lines =
                extra < 0 ? std::vector<PrintedLine>{{QString(60, u'W') + QString(60, u'i')}}
                          : worstCase(table, extra);
            const PageItems items = findingBand(lines);
            ASSERT_FALSE(items.empty());
            QString shown;
            for (std::size_t i = 0; i < items.size(); ++i) {
                const PageItem& item = items[i];
                const QRectF r(item.rect.x1, item.rect.y1, item.rect.x2 - item.rect.x1,
                               item.rect.y2 - item.rect.y1);
                EXPECT_TRUE(band.contains(r)) << item.text.toStdString();
                EXPECT_LE(item.rect.x2, layout::kPageWidth);
                EXPECT_EQ(item.font, ReportFont::Small);
                const QRectF room = inner(item.rect);
                EXPECT_LE(m.horizontalAdvance(item.text), room.width() + 4)
                    << item.text.toStdString();
                EXPECT_GE(room.height(), m.height()) << item.text.toStdString();
                for (std::size_t j = 0; j < i; ++j)
                    EXPECT_FALSE(room.intersects(inner(items[j].rect)))
                        << item.text.toStdString() << " | " << items[j].text.toStdString();
                shown += item.text + QLatin1Char(' ');
            }
            const bool cut = items.back().text.endsWith(kEllipsis);
            if (extra <= 0 && !cut) {
                // Nothing left out: every character of every sentence is printed, in order.
                QString all;
                for (const PrintedLine& l : lines) all += l.text;
                static const QRegularExpression blanks(QStringLiteral("\\s+"));
                EXPECT_EQ(shown.remove(blanks), all.remove(blanks));
            }
            if (extra > 0) {
                EXPECT_TRUE(cut) << items.back().text.toStdString();
            }
        }
    }
}

// Catches an appendix not counted, numbered or listed: the contents make room for its row
// and the pages after them move on.
TEST(PdfLayout, TheAppendixIsCountedAndListedLast)
{
    const struct {
        int n, contents, total, summaryRowPage, appendixPage;
        std::size_t lastPageRows;
    } cases[] = {
        {0, 1, 3, 1, 3, 2},    {1, 1, 5, 1, 5, 3},     {38, 1, 44, 1, 44, 40},
        {39, 2, 46, 1, 46, 1}, {78, 2, 88, 2, 88, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        const layout::PageCounts counts = layout::pageCounts(c.n, true);
        EXPECT_EQ(counts.contents, c.contents);
        EXPECT_EQ(counts.total, c.total);
        EXPECT_EQ(counts.appendix, 1);
        EXPECT_EQ(layout::appendixPageNumber(c.n), c.total);
        const std::vector<layout::ContentsRow> last =
            layout::contentsRows(c.n, c.contents - 1, true);
        ASSERT_EQ(last.size(), c.lastPageRows);
        EXPECT_EQ(last.back(), (layout::ContentsRow{layout::kAppendixRow, c.total}));
        // "Summary" names the first page after the inspections.
        const auto rows = layout::contentsRows(c.n, c.summaryRowPage - 1, true);
        const auto summary = std::find_if(rows.begin(), rows.end(),
                                          [](const auto& r) { return r.inspection == -1; });
        ASSERT_NE(summary, rows.end());
        EXPECT_EQ(summary->page, 2 + c.contents + c.n);
        // The first row (inspection 1, or "Summary" with none) is the page after the contents.
        EXPECT_EQ(layout::contentsRows(c.n, 0, true).front().page, 2 + c.contents);
    }
    // Without the appendix nothing changes.
    EXPECT_EQ(layout::pageCounts(39), (layout::PageCounts{1, 3, 44}));
    EXPECT_EQ(layout::contentsRows(39, 1).size(), 0u);
}

// Catches priorities printed from the stored value when a finding gives another, or without
// their colour; and a report without findings coloured or changed.
TEST(PdfPage, PrintedPrioritiesTakeTheFindingsAndTheirColour)
{
    std::vector<cInspectionRecord> records(3);
    records[0].repairPriority = 4;
    const std::vector<int> priorities = {0, 5, 2};
    const PageItems plain = summaryPage(records, 0);
    const PageItems coloured = summaryPage(records, 0, StringTable::english(), &priorities);
    ASSERT_EQ(plain.size(), coloured.size());
    for (int i = 0; i < 3; ++i) {
        const PageRect cell{2180, 340 + 210 * i, 2380, 550 + 210 * i};
        const auto at = [&](const PageItems& items) {
            return *std::find_if(items.begin(), items.end(),
                                 [&](const PageItem& it) { return it.rect == cell; });
        };
        const int p = priorities[static_cast<std::size_t>(i)];
        EXPECT_EQ(at(coloured).text, p > 0 ? QStringLiteral("\n%1").arg(p) : QString()) << i;
        EXPECT_EQ(at(coloured).colour, p > 0 ? severityColour(p).rgb() : 0xFF000000) << i;
        EXPECT_EQ(at(plain).colour, 0xFF000000u);
    }
    InspectionPageData d;
    d.record.repairPriority = 1;
    d.priority = 5;
    const PageItems page = inspectionPage(d);
    const auto box = std::find_if(page.begin(), page.end(), [](const PageItem& it) {
        return it.rect == PageRect{2180, 100, 2380, 250};
    });
    ASSERT_NE(box, page.end());
    EXPECT_EQ(box->text, QStringLiteral("\n5"));
    EXPECT_EQ(box->colour, severityColour(5).rgb());
    // Every priority has a colour, distinct from the others; none for 0 or out of range.
    QSet<QRgb> seen;
    for (int p = 1; p <= 5; ++p) seen.insert(severityColour(p).rgb());
    EXPECT_EQ(seen.size(), 5);
    EXPECT_FALSE(severityColour(0).isValid());
    EXPECT_FALSE(severityColour(6).isValid());
}

// Catches an appendix that runs off the page or cuts a long custom class or condition without
// saying so: six long custom bands and long conditions, every text inside its box, the page
// above its footer.
TEST(CriteriaPage, LongCustomTablesAndConditionsStayOnThePage)
{
    FindingsSettings s;
    s.criteria = Criteria::Custom;
    const std::u16string longText =
        u"Heat loss through the whole junction of wall, floor slab and window frame; insulate "
        u"and seal before the next heating season, then survey again with the same camera, "
        u"at the same hour and in the same weather, and compare the two reports line by line";
    for (int i = 0; i < 6; ++i)
        s.customBands.push_back(
            {1.0 + 2 * i, false, i % 2 ? u"Short" : longText + u" " + longText, 1 + i % 5});
    for (std::u16string* t : conditionTexts(s.conditions)) *t = longText;
    s.ambient = 21.5;
    const PageItems items = criteriaPage(s, TempUnit::Fahrenheit, StringTable::english());
    const QFontMetricsF m(reportFonts().body);
    int classes = 0, cut = 0;
    for (const PageItem& item : items) {
        EXPECT_LE(item.rect.y2, 3400) << item.text.toStdString();
        if (item.kind != PageItem::Kind::Box || item.text.isEmpty()) continue;
        const QRectF room = inner(item.rect);
        const QStringList lines = item.text.split(u'\n');
        EXPECT_LE((lines.size() - 1) * m.lineSpacing() + m.height(), room.height() + 1)
            << item.text.toStdString();
        for (const QString& line : lines)
            EXPECT_LE(m.horizontalAdvance(line), room.width() + 4) << line.toStdString();
        if (item.text.startsWith(u"Heat loss"_qs)) {
            ++classes;
            if (item.text.endsWith(kEllipsis)) ++cut;
        }
    }
    // Three long classes, the standard and seven condition texts, each cut with an ellipsis.
    EXPECT_EQ(classes, 3 + 8);
    EXPECT_EQ(cut, classes);
    // The bounds are scaled to the report's °F; the ambient converted.
    const auto has = [&](const QString& t) {
        return std::any_of(items.begin(), items.end(),
                           [&](const PageItem& i) { return i.text == t; });
    };
    EXPECT_TRUE(has(u"from 9.0 °F"_qs));
    EXPECT_TRUE(has(u"70.7 °F"_qs));
    EXPECT_TRUE(has(u"Custom table"_qs));
}

using test::pdfPageText;

// The generated survey as a job, with loads on the first two inspections.
class FindingsReport : public test::SnapshotFolderTest {
protected:
    void SetUp() override
    {
        SnapshotFolderTest::SetUp();
        const std::optional<ReportProject> survey = test::writeSurvey(folder(), 11, 3);
        ASSERT_TRUE(survey);
        m_project = *survey;
        m_project.records[0].measured = u"41 A";
        m_project.records[0].rated = u"100 A";
        m_project.records[1].measured = u"30 A";
        m_project.records[1].rated = u"100 A";
    }
    ReportJob job(const ProjectFindings* findings, const QString& name)
    {
        ReportProject project = m_project;
        if (findings != nullptr) {
            EXPECT_EQ(putProjectFindings(project, *findings), Error::None);
        }
        ReportJob j = reportJobFromProject(project);
        j.outputPath = m_dir.filePath(name);
        return j;
    }

    ReportProject m_project;
};

// Catches findings printed for a project without findings data or with a section that does
// not read, and a report with findings missing its band, appendix, conditions or page count.
TEST_F(FindingsReport, TheBandAndAppendixPrintOnlyWithFindingsData)
{
    ProjectFindings findings;
    findings.records.resize(3);
    findings.settings.criteria = Criteria::NetaWorst;
    findings.settings.ambient = 21.5;
    findings.settings.conditions.cameraSerial = u"SN 40211";
    findings.settings.conditions.standard = u"NETA MTS 2023";
    findings.records[2].reference = ReferenceKind::Ambient;

    ReportJob plain = job(nullptr, QStringLiteral("plain.pdf"));
    ReportJob broken = job(nullptr, QStringLiteral("broken.pdf"));
    broken.findingsProblem = QStringLiteral("truncated");
    broken.findings = findings;
    ReportJob with = job(&findings, QStringLiteral("with.pdf"));
    ASSERT_TRUE(with.findingsProblem.isEmpty());
    EXPECT_FALSE(printsFindings(plain));
    EXPECT_FALSE(printsFindings(broken));
    EXPECT_TRUE(printsFindings(with));

    const struct {
        ReportJob* job;
        int pages;
    } cases[] = {{&plain, 6}, {&broken, 6}, {&with, 7}};
    for (const auto& c : cases) {
        const ReportOutcome outcome = writeReport(*c.job);
        ASSERT_EQ(outcome.error, Error::None);
        EXPECT_EQ(outcome.pages, c.pages);
    }
    const auto page3 = pdfPageText(with.outputPath, 3);
    if (!page3) GTEST_SKIP() << "pdftotext not installed";
    for (const ReportJob* j : {&plain, &broken}) {
        EXPECT_FALSE(pdfPageText(j->outputPath, 3)->contains(u"ΔT"_qs));
        EXPECT_FALSE(pdfPageText(j->outputPath, 2)->contains(u"Severity criteria"_qs));
    }
    const struct {
        int page;
        QStringList present;
    } pages[] = {
        {2, {u"Summary"_qs, u"Severity criteria"_qs, u"7"_qs, u"Page 2 of 7"_qs}},
        {3, {u"ΔT "_qs, u"Load 41 %, ΔTc"_qs, u"(n = 2.0)"_qs, u"suggested by the criteria"_qs}},
        {4, {u"Load 30 %"_qs, u"below the minimum of 40 %"_qs}},
        {5, {u"against Ambient air 21.5 °C"_qs, u"The load is unknown"_qs}},
        {7,
         {u"Severity criteria"_qs, u"NETA, the worse of similar component and ambient air"_qs,
          u"NETA, against a similar component"_qs, u"NETA, against ambient air"_qs,
          u"above 40.0 °C"_qs, u"n = 2.0; minimum load 40 %"_qs, u"pass from 0.70"_qs,
          u"NETA MTS 2023"_qs, u"SN 40211"_qs, u"21.5 °C"_qs, u"Page 7 of 7"_qs}},
    };
    for (const auto& p : pages) {
        const QString text = *pdfPageText(with.outputPath, p.page);
        for (const QString& t : p.present)
            EXPECT_TRUE(text.contains(t)) << p.page << ": " << t.toStdString() << "\n"
                                          << text.toStdString();
    }
}

// Catches a Hebrew report whose finding readings turn round in the PDF ("C° 53.3" for
// "53.3 °C") or whose isolate marks print as characters of their own.
TEST_F(FindingsReport, HebrewReadingsKeepTheirUnitsInThePdf)
{
    ProjectFindings findings;
    findings.records.resize(3);
    findings.records[2].reference = ReferenceKind::Ambient;
    findings.settings.ambient = 21.5;
    const LanguageLoad hebrew = LanguageModules().load(Language::Hebrew);
    ASSERT_TRUE(hebrew.ok());
    ReportJob j = job(&findings, QStringLiteral("hebrew.pdf"));
    j.language = Language::Hebrew;
    j.texts = hebrew.table;
    j.locale = languageLocale(Language::Hebrew);
    ASSERT_EQ(writeReport(j).error, Error::None);
    const auto page5 = pdfPageText(j.outputPath, 5);
    if (!page5) GTEST_SKIP() << "pdftotext not installed";
    EXPECT_TRUE(page5->contains(u"21.5 °C"_qs)) << page5->toStdString();
    EXPECT_FALSE(page5->contains(u"C° "_qs) || page5->contains(u"°C21"_qs)) << page5->toStdString();
    EXPECT_FALSE(page5->contains(QChar(0x2066)) || page5->contains(QChar(0x2069)));
}

}  // namespace
}  // namespace calivue
