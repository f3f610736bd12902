// The report as a Word document, read back with python-docx (tests/report/read_docx.py), a
// reader that shares nothing with the writer: headings, field texts, readings, pictures,
// sections, footer fields and direction; and the write's failure, cancel and footer texts.
#include "report/engine/docxbody.h"
#include "report/engine/docxparts.h"
#include "report/engine/docxreport.h"
#include "report/engine/modernreport.h"
#include "report/engine/reporttext.h"

#include "generator.h"
#include "snapshotfolder.h"
#include "survey.h"

#include "core/equipmentappendix.h"
#include "core/fileio.h"
#include "core/surveycomparison.h"

#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Texts print as text in the failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace calivue {
namespace {

using namespace Qt::StringLiterals;

// A Python that has python-docx, or nullopt (the reader tests are skipped).
std::optional<QString> docxPython()
{
    for (const QString& candidate :
         {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(u"python3"_s)}) {
        if (candidate.isEmpty() || !QFile::exists(candidate)) continue;
        QProcess p;
        p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import docx")});
        if (p.waitForFinished(30000) && p.exitCode() == 0) return candidate;
    }
    return std::nullopt;
}

QJsonObject readDocx(const QString& python, const QString& path)
{
    QProcess p;
    p.start(python, {QStringLiteral(CALIVUE_DOCX_READER), path});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

QStringList strings(const QJsonValue& v)
{
    QStringList out;
    for (const QJsonValue& s : v.toArray()) out << s.toString();
    return out;
}

// Every text of a section: its paragraphs and its table cells.
QStringList sectionTexts(const QJsonObject& section)
{
    QStringList out;
    for (const QJsonValue& p : section[u"texts"_s].toArray())
        out << p.toObject()[u"text"_s].toString();
    for (const QJsonValue& row : section[u"rows"_s].toArray()) out << strings(row);
    return out;
}

bool hasRow(const QJsonObject& section, const QStringList& row)
{
    for (const QJsonValue& r : section[u"rows"_s].toArray())
        if (strings(r) == row) return true;
    return false;
}

class DocxReport : public test::SnapshotFolderTest {
protected:
    void SetUp() override
    {
        SnapshotFolderTest::SetUp();
        const std::optional<ReportProject> survey = test::writeSurvey(folder(), 5);
        ASSERT_TRUE(survey);
        m_project = *survey;
        // A text with line breaks, characters XML cannot carry and a long last paragraph.
        m_project.records[1].comment =
            u"First line\r\nSecond \x01line\x0B with \xD800 a lone half\n\n" +
            toU16(QStringLiteral("word ").repeated(400)) + u"end";
        // A PNG logo on the title page, wider than the page.
        QImage logo(3000, 300, QImage::Format_RGB32);
        logo.fill(qRgb(20, 60, 160));
        ASSERT_TRUE(logo.save(m_dir.filePath(u"logo.png"_s)));
        m_project.title.logoPath = toU16(m_dir.filePath(u"logo.png"_s));
        // An inspection whose snapshot is gone prints why instead of pictures.
        m_project.entries[4].snapshotPath = toU16(m_dir.filePath(u"GONE.QVX"_s));
    }
    ReportJob job(const QString& name, int language = 0)
    {
        ReportJob j = reportJobFromProject(m_project);
        j.outputPath = m_dir.filePath(name);
        if (language != 0) {
            const LanguageLoad load = LanguageModules().load(Language{language});
            EXPECT_TRUE(load.fromModule());
            j.texts = load.table;
            j.language = Language{language};
            j.locale = languageLocale(Language{language});
        }
        return j;
    }

    ReportProject m_project;
};

// Catches a heading, field text, reading, picture, inspection section, footer field, document
// property or direction missing from the document as another program reads it, in a
// left-to-right and a right-to-left language.
TEST_F(DocxReport, AnIndependentReaderFindsTheWholeReport)
{
    const std::optional<QString> python = docxPython();
    if (!python) GTEST_SKIP() << "python3-docx is not installed";
    for (const int language : {0, languageNumber(Language::Hebrew)}) {
        SCOPED_TRACE(language);
        const ReportJob j = job(QStringLiteral("report%1.docx").arg(language), language);
        const ReportOutcome outcome = writeDocxReport(j);
        ASSERT_EQ(outcome.error, Error::None) << outcome.message.toStdString();
        const QJsonObject doc = readDocx(*python, j.outputPath);
        const std::size_t n = j.entries.size();

        QStringList headings;
        for (std::size_t i = 0; i < n; ++i)
            headings << inspectionHeading(static_cast<int>(i) + 1, j.records[i].name, j.texts);
        headings << j.texts.text(sid::Summary) << j.texts.text(sid::SeverityCriteria);
        EXPECT_EQ(strings(doc[u"headings"_s]), headings);
        EXPECT_EQ(doc[u"title"_s].toString(),
                  toQString(j.title.company) + u" \u2013 "_s + j.texts.text(sid::ReportTitle));
        EXPECT_EQ(doc[u"author"_s].toString(), toQString(j.title.author));
        EXPECT_EQ(doc[u"page_emu"_s].toArray(), (QJsonArray{7560310, 10692130}));  // A4
        EXPECT_EQ(strings(doc[u"footer_fields"_s]), (QStringList{u"PAGE"_s, u"NUMPAGES"_s}));
        EXPECT_TRUE(strings(doc[u"fields"_s]).value(0).startsWith(u"TOC "_s));
        // Paragraphs with Hebrew letters run right to left, those in Latin letters only left
        // to right; an English report has no right-to-left paragraph.
        const int paragraphs = doc[u"paragraphs"_s].toInt();
        const int leftToRight = doc[u"paragraphs_without_bidi"_s].toInt();
        if (Language{language} == Language::Hebrew) {
            EXPECT_EQ(strings(doc[u"misdirected"_s]), QStringList());
            EXPECT_GT(leftToRight, 0);
            EXPECT_LT(leftToRight, paragraphs / 2);
        } else {
            EXPECT_EQ(leftToRight, paragraphs);
        }
        // Hebrew words run right to left; numbers and units ("37.3 °C") keep their order.
        const QStringList rtlRuns = strings(doc[u"rtl_runs"_s]);
        EXPECT_EQ(doc[u"hebrew_runs_unmarked"_s].toInt(), 0);
        EXPECT_EQ(rtlRuns.isEmpty(), Language{language} != Language::Hebrew);
        for (const QString& run : rtlRuns)
            EXPECT_TRUE(std::any_of(run.begin(), run.end(), [](QChar c) {
                return c.direction() == QChar::DirR;
            })) << run.toStdString();
        // Every table names the table style's parts it uses in the bit mask as in the
        // attributes, the header row exactly when it repeats one: a reader that knows only the
        // mask otherwise shades and emboldens the first row and column of every table.
        int headers = 0, labels = 0;
        QFont bold(u"Liberation Sans"_s);
        bold.setPixelSize(200);  // 10 points in twips
        bold.setBold(true);
        const QFontMetricsF headerBold(bold);
        for (const QJsonValue& t : doc[u"tables"_s].toArray()) {
            const QJsonObject table = t.toObject();
            bool read = false;
            const int look = table[u"look"_s].toString().toInt(&read, 16);
            ASSERT_TRUE(read) << "a table without its look mask";
            EXPECT_EQ((look & 0x20) != 0, table[u"header"_s].toBool());
            EXPECT_EQ((look & 0x20) != 0, table[u"first_row"_s].toString() == u"1"_s);
            EXPECT_EQ((look & 0x80) != 0, table[u"first_column"_s].toString() == u"1"_s);
            // The short tables of an inspection and of the criteria appendix stay on one
            // page: every row keeps with the next but the last.
            const int section = table[u"section"_s].toInt();
            if (section > 0 && section != static_cast<int>(n) + 1 &&
                table[u"style"_s].toString() == u"ReportTable"_s) {
                QList<bool> kept;
                for (const QJsonValue& k : table[u"kept"_s].toArray()) kept << k.toBool();
                ASSERT_FALSE(kept.isEmpty());
                QList<bool> expected(kept.size(), true);
                expected.back() = false;
                EXPECT_EQ(kept, expected) << "a table of section " << section;
            }
            headers += (look & 0x20) != 0;
            labels += (look & 0x80) != 0;
            // No header word is broken over two lines ("Priorit" "y").
            for (const QJsonValue& cell : table[u"first_cells"_s].toArray()) {
                if ((look & 0x20) == 0) break;
                for (const QString& word : cell[0].toString().split(u' ', Qt::SkipEmptyParts))
                    EXPECT_LE(headerBold.horizontalAdvance(word) + 160, cell[1].toInt())
                        << word.toStdString();
            }
        }
        EXPECT_GT(headers, 0);
        EXPECT_GT(labels, 0);
        for (const QString& style : {u"Heading 1"_s, u"Title"_s, u"Caption"_s, u"Report Table"_s})
            EXPECT_TRUE(strings(doc[u"styles"_s]).contains(style)) << style.toStdString();

        const QJsonArray sections = doc[u"sections"_s].toArray();
        ASSERT_EQ(sections.size(), static_cast<qsizetype>(n) + 3);  // title page + contents first
        const QStringList front = sectionTexts(sections[0].toObject());
        for (const QString& t : {toQString(j.title.company), toQString(j.title.author),
                                 toQString(j.title.comments), j.texts.text(sid::ReportTitle)})
            EXPECT_TRUE(front.contains(t)) << t.toStdString();
        EXPECT_EQ(strings(sections[0].toObject()[u"pictures"_s]), QStringList{u"Logo"_s});
        int printed = 1;  // the logo
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            detail::LoadedInspection loaded;
            detail::loadModernInspection(j, i, loaded);
            const ModernInspectionData& d = loaded.data;
            const QJsonObject section = sections[static_cast<qsizetype>(i) + 1].toObject();
            const QStringList texts = sectionTexts(section);
            for (const QString& t :
                 {toQString(d.page.record.location), toQString(d.page.record.equipment),
                  toQString(d.page.record.faultAction)})
                EXPECT_TRUE(texts.contains(t)) << t.toStdString();
            for (const ModernReading& r : d.readings) {
                QStringList row = {r.label, r.temperature};
                if (hasRow(section, row + QStringList{r.emissivity})) row << r.emissivity;
                EXPECT_TRUE(hasRow(section, row)) << r.label.toStdString();
            }
            const QStringList pictures = strings(section[u"pictures"_s]);
            QStringList expected;
            // The colour scale's ends beside the bar, which is against the picture: on the
            // cell's right in a right-to-left report (2: aligned right), else on its left.
            QStringList ends;
            for (const QJsonValue& p : section[u"cell_texts"_s].toArray())
                if (p[u"style"_s].toString() == u"Scale Label"_s) ends << p[u"text"_s].toString();
            const QStringList scale = {d.pictures.spanHigh, d.pictures.spanLow};
            EXPECT_EQ(ends, d.page.snapshot.loaded ? scale : QStringList());
            EXPECT_EQ(doc[u"style_alignments"_s][u"Scale Label"_s].toInt(-1),
                      Language{language} == Language::Hebrew ? 2 : -1);
            if (d.page.snapshot.loaded) {
                expected << j.texts.text(sid::ThermalSnapshot)
                         << d.pictures.spanHigh + u" \u2013 "_s + d.pictures.spanLow;
                if (d.pictures.photograph) expected << j.texts.text(sid::VisibleImage);
                if (d.pictures.blend) expected << j.texts.text(sid::ThermalAndVisibleBlend);
            }
            EXPECT_EQ(pictures, expected);
            printed += static_cast<int>(expected.size());
        }
        EXPECT_EQ(doc[u"pictures"_s].toInt(), printed);
        // No picture is cut off at its cell's or the margin's edge, nor covers its neighbour.
        EXPECT_EQ(strings(doc[u"overflowing_pictures"_s]), QStringList());
        EXPECT_GE(printed, 8);  // four snapshots that load, each at least picture and scale
        // The comment as editable paragraphs: every line, nothing cut, nothing XML cannot hold.
        QStringList comment;
        for (const QJsonValue& p : sections[2].toObject()[u"texts"_s].toArray())
            comment << p.toObject()[u"text"_s].toString();
        const QString words = QStringLiteral("word ").repeated(400) + u"end"_s;
        EXPECT_GE(comment.indexOf(u"First line"_s), 0);
        EXPECT_EQ(comment.value(comment.indexOf(u"First line"_s) + 1),
                  u"Second line with  a lone half"_s);
        EXPECT_TRUE(comment.contains(words));
        // The inspection without its snapshot says so where its pictures would be.
        EXPECT_TRUE(sectionTexts(sections[5].toObject())
                        .join(u'\n')
                        .contains(m_dir.filePath(u"GONE.QVX"_s)));
    }
}

// Catches the equipment appendix missing from the document or its contents, a row, count or
// previous text other than the PDF's, an exception's page that is no field to its inspection's
// heading or names another page than the contents do, and the comparison with the previous
// survey missing from an inspection's finding; in a left-to-right and a right-to-left language,
// with and without a previous survey.
TEST_F(DocxReport, TheEquipmentAppendixAndTheComparisonAreRead)
{
    const std::optional<QString> python = docxPython();
    if (!python) GTEST_SKIP() << "python3-docx is not installed";
    using S = EquipmentStatus;
    ProjectEquipment equipment;
    equipment.items = {{u"MCC-1", u"Hall", u"Motor control centre", u"", S::NotInspected, u""},
                       {u"DB-2", u"Hall", u"Distribution board", u"", S::NotInspected, u""},
                       {u"FAN-3", u"Roof", u"Extract fan", u"", S::NotInspected, u"inaccessible"},
                       {u"PUMP-4", u"Yard", u"Pump", u"", S::Inspected, u""},
                       {u"SPARE-5", u"Yard", u"Spare feeder", u"", S::NotInspected, u""}};
    // Two inspections of one item, one of none, one whose snapshot is gone.
    equipment.recordItems = {u"MCC-1", u"DB-2", u"MCC-1", u"", u"PUMP-4"};
    // The previous survey: the same snapshots, judged by priorities set by hand.
    PreviousSurvey before;
    before.project = m_project;
    before.findings = ProjectFindings::defaultsFor(before.project.records);
    const int priorities[] = {4, 0, 0, 2, 3};
    for (std::size_t r = 0; r < before.project.records.size(); ++r) {
        before.project.records[r].repairPriority = priorities[r];
        before.findings.records[r].priorityManual = true;
    }
    before.equipment = equipment;
    before.equipment.items[2].reason = u"de-energised";

    for (const auto& [language, previous] :
         {std::pair{0, true}, std::pair{languageNumber(Language::Hebrew), true},
          std::pair{0, false}}) {
        SCOPED_TRACE(language);
        SCOPED_TRACE(previous);
        ReportJob j =
            job(QStringLiteral("equipment%1%2.docx").arg(language).arg(previous), language);
        j.equipment = equipment;
        if (previous) j.previous = before;
        const ReportOutcome outcome = writeDocxReport(j);
        ASSERT_EQ(outcome.error, Error::None) << outcome.message.toStdString();
        const QJsonObject doc = readDocx(*python, j.outputPath);
        const std::size_t n = j.entries.size();
        const QStringList headings = strings(doc[u"headings"_s]);
        ASSERT_EQ(headings.size(), static_cast<qsizetype>(n) + 3);
        EXPECT_EQ(headings.back(), j.texts.text(sid::EquipmentAppendix));

        // The pages the contents give each heading, by bookmark.
        std::map<QString, QString> pages;
        QStringList pageFields;
        for (const QJsonValue& f : doc[u"field_results"_s].toArray()) {
            const QStringList field = strings(f);
            const QStringList words = field.value(0).split(u' ');
            if (words.value(0) != u"PAGEREF"_s) continue;
            pageFields << words.value(1);
            pages.emplace(words.value(1), field.value(1));
        }
        // One per heading in the contents, then one per exception in the appendix.
        ASSERT_GE(pageFields.size(), static_cast<qsizetype>(n) + 3);
        EXPECT_EQ(pages.size(), n + 3);

        const PreviousFindings found = detail::previousFindingsOf(j);
        EXPECT_EQ(found.empty(), !previous);
        std::vector<InspectionOnPage> onPage(n);
        int comparisons = 0;
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            detail::LoadedInspection loaded;
            detail::loadModernInspection(j, i, loaded);
            const Finding& finding = loaded.data.finding;
            onPage[i] = {pages[pageFields[static_cast<qsizetype>(i)]].toInt(), isException(finding),
                         finding.deltaT.has_value()};
            EXPECT_GT(onPage[i].page, 2);
            // The comparison's lines follow the finding's in the inspection's section.
            QStringList expected;
            for (const PrintedLine& line : detail::comparisonOf(j, found, i, finding))
                expected << line.text;
            comparisons += expected.isEmpty() ? 0 : 1;
            QStringList texts;
            for (const QJsonValue& p :
                 doc[u"sections"_s][static_cast<qsizetype>(i) + 1][u"texts"_s].toArray())
                texts << p.toObject()[u"text"_s].toString();
            const qsizetype at = expected.isEmpty() ? -1 : texts.indexOf(expected[0]);
            EXPECT_EQ(texts.mid(at, expected.size()), expected);
            // The finding's lines and the comparison's stay on one page: each keeps with the
            // next but the last.
            const QJsonArray paragraphs =
                doc[u"sections"_s][static_cast<qsizetype>(i) + 1][u"texts"_s].toArray();
            for (qsizetype k = 0; at >= 0 && k < expected.size(); ++k)
                EXPECT_EQ(paragraphs[at + k][u"kept"_s].toBool(), k + 1 < expected.size()) << k;
        }
        EXPECT_EQ(comparisons, previous ? 4 : 0);  // every inspection naming an item

        const EquipmentPagesData data = detail::equipmentAppendixData(j, found, onPage, onPage);
        const QJsonObject appendix = doc[u"sections"_s].toArray().last().toObject();
        EXPECT_EQ(sectionTexts(appendix).value(0), data.counts);
        const QJsonArray rows = appendix[u"rows"_s].toArray();
        ASSERT_EQ(rows.size(), static_cast<qsizetype>(data.rows.size()) + 1);
        EXPECT_EQ(strings(rows[0]).size(), previous ? 5 : 4);
        EXPECT_EQ(strings(rows[0]).value(3), j.texts.text(sid::EquipmentAppendixStatus));
        int exceptionPages = 0;
        for (std::size_t r = 0; r < data.rows.size(); ++r) {
            const EquipmentRowText& t = data.rows[r];
            QStringList row = {t.id, t.location, t.description, t.status};
            if (previous) row << t.previous;
            EXPECT_EQ(strings(rows[static_cast<qsizetype>(r) + 1]), row);
            exceptionPages +=
                static_cast<int>(equipmentAppendix(j.equipment, onPage).rows[r].pages.size());
        }
        // The appendix's pages are fields to the headings of the item's inspections with
        // exceptions.
        QStringList refs;
        for (std::size_t i = 0; i < n; ++i)
            if (onPage[i].exception && !equipment.recordItems[i].empty())
                refs << pageFields[static_cast<qsizetype>(i)];
        EXPECT_EQ(exceptionPages, refs.size());
        QStringList inAppendix = pageFields.mid(static_cast<qsizetype>(n) + 3);
        std::sort(inAppendix.begin(), inAppendix.end());
        EXPECT_EQ(inAppendix, refs);
    }
}

// Catches a failed write reported as saved, an earlier file of the name damaged, a temporary
// file left behind, and a cancelled job that writes anything.
TEST_F(DocxReport, FailureAndCancelKeepTheEarlierFile)
{
    const QString target = m_dir.filePath(u"kept.docx"_s);
    const auto writeEarlier = [&] {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier report");
    };
    QFile blocker(m_dir.filePath(u"afile"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const struct {
        const char* what;
        QString path;
        bool fullDisk, cancel;
        Error error;
    } cases[] = {
        {"full disk", target, true, false, Error::WriteFailed},
        {"parent is a file", m_dir.filePath(u"afile/r.docx"_s), false, false, Error::WriteFailed},
        {"missing folder", m_dir.filePath(u"none/r.docx"_s), false, false, Error::WriteFailed},
        {"cancelled", target, false, true, Error::Cancelled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeEarlier();
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        ReportJob j = job(u"unused.docx"_s);
        j.outputPath = c.path;
        if (c.fullDisk)
            fileio_hooks::setWriteFault(fileio_hooks::WriteFault{c.path.toStdString(), 1, true});
        int calls = 0;
        const ReportOutcome outcome =
            writeDocxReport(j, [&](int, int) { return !c.cancel || ++calls < 2; });
        fileio_hooks::setWriteFault(std::nullopt);
        EXPECT_EQ(outcome.error, c.error);
        if (c.error == Error::WriteFailed) {
            EXPECT_TRUE(
                outcome.message.startsWith(QStringLiteral("Could not write the Word document %1: ")
                                               .arg(QDir::toNativeSeparators(c.path))))
                << outcome.message.toStdString();
            EXPECT_GT(outcome.message.size(), 40);  // and the reason
        }
        QFile kept(target);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("earlier report"));
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), before);
        EXPECT_FALSE(QFile::exists(c.path) && c.path != target);
    }
}

// Catches the page fields swapped or lost around a language's words, the total first where a
// language says it first, and a translation without its numbers.
TEST(DocxFooter, ThePageTextIsCutAroundItsTwoNumbers)
{
    const struct {
        QString text;
        DocxPageText expected;
    } cases[] = {
        {u"Page 1000001 of 2000002"_s, {u"Page "_s, u" of "_s, QString(), false}},
        {u"2000002 pages, page 1000001"_s, {QString(), u" pages, page "_s, QString(), true}},
        {u"Seite 1000001/2000002."_s, {u"Seite "_s, u"/"_s, u"."_s, false}},
        {u"Page"_s, {QString(), u" / "_s, QString(), false}},
    };
    for (const auto& c : cases) {
        const DocxPageText t = docxPageText(c.text, u"1000001"_s, u"2000002"_s);
        EXPECT_EQ(t.before, c.expected.before) << c.text.toStdString();
        EXPECT_EQ(t.between, c.expected.between) << c.text.toStdString();
        EXPECT_EQ(t.after, c.expected.after) << c.text.toStdString();
        EXPECT_EQ(t.totalFirst, c.expected.totalFirst) << c.text.toStdString();
    }
    EXPECT_EQ(reportFormatOf(u"/a/b.DOCX"_s), ReportFormat::Docx);
    EXPECT_EQ(reportFormatOf(u"/a/b.docx.pdf"_s), ReportFormat::Pdf);
    EXPECT_EQ(reportFormatOf(u"/a/docx"_s), ReportFormat::Pdf);
}

}  // namespace
}  // namespace calivue
