// The report as a Word document, read back with python-docx (tests/report/read_docx.py), a
// reader that shares nothing with the writer: headings, field texts, readings, pictures,
// sections, footer fields and direction; and the write's failure, cancel and footer texts.
#include "docxbody.h"
#include "docxparts.h"
#include "docxreport.h"
#include "modernreport.h"
#include "reporttext.h"

#include "generator.h"
#include "snapshotfolder.h"
#include "survey.h"

#include "core/fileio.h"

#include "languagemodules.h"
#include "languagetable.h"
#include "stringids.h"

#include <QDir>
#include <QFile>
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
        // A PNG logo on the title page.
        QImage logo(300, 100, QImage::Format_RGB32);
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
            const LanguageLoad load = LanguageModules().load(language);
            EXPECT_TRUE(load.fromModule());
            j.texts = load.table;
            j.language = language;
            j.locale = languageLocale(language);
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
    for (const int language : {0, kLanguageHebrew}) {
        SCOPED_TRACE(language);
        const ReportJob j = job(QStringLiteral("report%1.docx").arg(language), language);
        const ReportOutcome outcome = writeDocxReport(j);
        ASSERT_EQ(outcome.status, ReportOutcome::Status::Saved) << outcome.message.toStdString();
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
        if (language == kLanguageHebrew) {
            EXPECT_EQ(strings(doc[u"misdirected"_s]), QStringList());
            EXPECT_GT(leftToRight, 0);
            EXPECT_LT(leftToRight, paragraphs / 2);
        } else {
            EXPECT_EQ(leftToRight, paragraphs);
        }
        // Hebrew words run right to left; numbers and units ("37.3 °C") keep their order.
        const QStringList rtlRuns = strings(doc[u"rtl_runs"_s]);
        EXPECT_EQ(doc[u"hebrew_runs_unmarked"_s].toInt(), 0);
        EXPECT_EQ(rtlRuns.isEmpty(), language != kLanguageHebrew);
        for (const QString& run : rtlRuns)
            EXPECT_TRUE(std::any_of(run.begin(), run.end(), [](QChar c) {
                return c.direction() == QChar::DirR;
            })) << run.toStdString();
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
        ReportOutcome::Status status;
    } cases[] = {
        {"full disk", target, true, false, ReportOutcome::Status::Failed},
        {"parent is a file", m_dir.filePath(u"afile/r.docx"_s), false, false,
         ReportOutcome::Status::Failed},
        {"missing folder", m_dir.filePath(u"none/r.docx"_s), false, false,
         ReportOutcome::Status::Failed},
        {"cancelled", target, false, true, ReportOutcome::Status::Cancelled},
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
        EXPECT_EQ(outcome.status, c.status);
        if (c.status == ReportOutcome::Status::Failed) {
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
