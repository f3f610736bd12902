// Whole reports written through the PDF printer and read back with the PDF tools (poppler's
// pdfinfo, pdftotext, pdffonts, pdfimages, pdftoppm and qpdf; tests needing them skip when
// they are missing), and the readings an inspection page takes from its snapshot.
#include "report/engine/reportgenerator.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/engine/reporttext.h"
#include "report/engine/snapshotstrip.h"

#include "generator.h"
#include "qtfiles.h"
#include "snapshotfolder.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/pdfprinter.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/fileio.h"
#include "core/printrules.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using test::tool;

QString pageText(const QString& pdf, int page)
{
    return test::pdfPageText(pdf, page).value_or(QString());
}

class RecordingListener : public PdfPrinterListener {
public:
    void fileSaved(const QString& path) override { events << QStringLiteral("saved ") + path; }
    void printError(int code) override { events << QStringLiteral("error %1").arg(code); }
    QStringList events;
};

class PdfReport : public test::SnapshotFolderTest {};

// One inspection: the document's pages, texts, fonts and pictures, and where the strip lies.
TEST_F(PdfReport, OneInspectionReadsBackAsTextPicturesAndFonts)
{
    const gen::SnapshotPlan plan = gen::demoPlan(11);
    ReportJob job;
    job.entries = {snapshot("IR_0001", plan)};
    job.records.resize(1);
    job.records[0].name = u"Boiler feed pump";
    job.records[0].faultAction = u"Bearing runs hot";
    job.title.company = u"Acme Thermography";
    job.title.titleDate = fromQDateTime(QDateTime(QDate(2024, 5, 17), QTime(9, 0)));
    job.titleCaptions = defaultReportCaptions().title;
    job.detailsCaptions = defaultReportCaptions().details;
    job.unit = TempUnit::Fahrenheit;
    job.locale = languageLocale(Language::English);
    job.logo = QImage(3000, 500, QImage::Format_RGB32);
    job.logo.fill(qRgb(200, 30, 30));
    job.logo.setDotsPerMeterX(11811);
    job.logo.setDotsPerMeterY(11811);
    job.outputPath = path(QStringLiteral("report.pdf"));
    const ReportOutcome outcome = writeReport(job);
    ASSERT_EQ(outcome.error, Error::None);
    EXPECT_EQ(outcome.pages, 4);
    EXPECT_EQ(outcome.path, job.outputPath);

    const auto info = tool(QStringLiteral("pdfinfo"), {job.outputPath});
    if (!info) GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))))
        << info->toStdString();
    EXPECT_TRUE(info->contains(QStringLiteral("595 x 842 pts (A4)")));
    EXPECT_TRUE(info->contains(QRegularExpression(
        QStringLiteral("Title:\\s+Acme Thermography \u2013 Thermography Inspection Report"))));

    // The readings the page must show, in °F, from the snapshot itself.
    ReportSnapshot loaded;
    ASSERT_EQ(loadReportSnapshot(toQString(job.entries[0].snapshotPath), {}, loaded), Error::None);
    cBrixa& image = loaded.image;
    image.setUnit(TempUnit::Fahrenheit);
    const auto reading = [&](int marker) {
        return QString::asprintf("%.1f \u00B0F", image.markerTemperature(marker));
    };
    const QString diff = QString::asprintf("%.1f \u00B0F", image.markerDifference(0, 1));
    const struct {
        int page;
        std::vector<QString> texts;
    } pages[] = {
        {1,
         {QStringLiteral("Thermography Inspection Report"), QStringLiteral("Acme Thermography"),
          QStringLiteral("17/05/2024"), QStringLiteral("Page 1 of 4")}},
        {2,
         {QStringLiteral("Contents"), QStringLiteral("Inspection 1 - Boiler feed pump"),
          QStringLiteral("Summary"), QStringLiteral("Page 2 of 4")}},
        {3,
         {QStringLiteral("Cursor 1"), reading(0), reading(2), QStringLiteral("Hot"),
          reading(kHottestMarker), reading(kColdestMarker), diff + QStringLiteral("   (1 - 2)"),
          QStringLiteral("Bearing runs hot"), QStringLiteral("Page 3 of 4")}},
        {4,
         {QStringLiteral("Insp. No."), QStringLiteral("Fault / Action"),
          QStringLiteral("Page 4 of 4")}},
    };
    for (const auto& p : pages) {
        const QString text = pageText(job.outputPath, p.page);
        // The text tool gives runs of blanks as one.
        for (const QString& t : p.texts)
            EXPECT_TRUE(text.simplified().contains(t.simplified()))
                << "page " << p.page << ": " << t.toStdString() << "\n"
                << text.toStdString();
    }
    const QString contents = pageText(job.outputPath, 2);
    EXPECT_TRUE(contents.contains(QRegularExpression(QStringLiteral("\\b3\\b"))));
    EXPECT_TRUE(contents.contains(QRegularExpression(QStringLiteral("\\b4\\b"))));

    const auto fonts = tool(QStringLiteral("pdffonts"), {job.outputPath});
    ASSERT_TRUE(fonts);
    EXPECT_TRUE(fonts->contains(QStringLiteral("LiberationSans"))) << fonts->toStdString();
    for (const QString& line : fonts->split(QLatin1Char('\n')).mid(2)) {
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();
        }
    }

    // The strip is embedded once at its own 960 × 240, the logo at 3000 × 500.
    const auto images =
        tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), job.outputPath});
    ASSERT_TRUE(images);
    EXPECT_TRUE(images->contains(
        QRegularExpression(QStringLiteral("\\n\\s+1\\s+\\d+\\s+image\\s+3000\\s+500\\s"))));
    EXPECT_TRUE(images->contains(
        QRegularExpression(QStringLiteral("\\n\\s+3\\s+\\d+\\s+image\\s+960\\s+240\\s"))));
    EXPECT_FALSE(images->contains(QStringLiteral(" 1920 ")));

    int qpdfCode = -1;
    if (tool(QStringLiteral("qpdf"), {QStringLiteral("--check"), job.outputPath}, &qpdfCode)) {
        EXPECT_EQ(qpdfCode, 0);
    }

    // Page 3 at 50 dpi (6 device units a pixel): the strip at (280, 1200)–(2200, 1680) shows
    // the camera's thermal picture in its left third; below it the page is white.
    const QString prefix = path(QStringLiteral("page"));
    ASSERT_TRUE(
        tool(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"), QStringLiteral("3"),
              QStringLiteral("-l"), QStringLiteral("3"), QStringLiteral("-singlefile"),
              QStringLiteral("-png"), job.outputPath, prefix}));
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_NEAR(page.width(), 413, 1);
    ASSERT_EQ(page.height(), 585);
    const QImage camera = QImage(QString::fromStdU16String(job.entries[0].bitmapPath));
    long diffSum = 0, samples = 0;
    for (int y = 205; y < 275; y += 5)
        for (int x = 52; x < 150; x += 5) {
            const QRgb got = page.pixel(x, y);
            // The same point of the 320 × 240 thermal picture.
            const QRgb want = camera.pixel((x * 6 - 280) / 2, (y * 6 - 1200) / 2);
            diffSum += std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                       std::abs(qBlue(got) - qBlue(want));
            ++samples;
        }
    EXPECT_LT(diffSum / samples, 40);
    for (int x = 20; x < 390; x += 10) EXPECT_EQ(page.pixel(x, 300), qRgb(255, 255, 255)) << x;
}

// Forty inspections whose snapshots are gone but one with an impossible capture date, in the
// Hebrew footer order: every page is there, the missing pictures are named.
// The report prints in the language of its job's string table, whatever table the process
// has active, and the job leaves the active table alone: the generator used to read the
// interface's table, so the command line swapped it for the length of a job.
TEST_F(PdfReport, TheJobsStringTableIsTheOnlyOneItPrints)
{
    std::optional<Language> germanLanguage;
    for (const LanguageInfo& info : languageTable())
        if (info.moduleName && QByteArray(info.moduleName) == "German")
            germanLanguage = info.language;
    ASSERT_TRUE(germanLanguage);
    const LanguageLoad load = LanguageModules().load(*germanLanguage);
    if (!load.ok()) GTEST_SKIP() << "no German language module beside the tests";
    const StringTable german = load.table, english = StringTable::english();
    const int ids[] = {sid::ReportTitle, sid::Contents, sid::Difference, sid::Summary};
    for (const int id : ids) ASSERT_NE(german.text(id), english.text(id)) << id;

    const StringTable kept = StringTable::active();
    struct Case {
        const StringTable& active;
        const StringTable& printed;
        const StringTable& other;
    };
    int run = 0;
    for (const Case& c : {Case{english, german, english}, Case{german, english, german}}) {
        StringTable::setActive(c.active);
        ReportJob job;
        job.entries = {snapshot("IR_" + std::to_string(run), gen::demoPlan(5))};
        job.records.resize(1);
        job.texts = c.printed;
        job.outputPath = path(QStringLiteral("report%1.pdf").arg(run++));
        ASSERT_EQ(writeReport(job).error, Error::None);
        EXPECT_EQ(StringTable::active().tag(), c.active.tag());
        const QString title = pageText(job.outputPath, 1);
        if (title.isEmpty()) GTEST_SKIP() << "pdftotext not installed";
        const QString all = title + pageText(job.outputPath, 2) + pageText(job.outputPath, 3) +
                            pageText(job.outputPath, 4);
        for (const int id : ids) {
            EXPECT_TRUE(all.contains(c.printed.text(id))) << c.printed.tag().toStdString() << id;
            EXPECT_FALSE(all.contains(c.other.text(id))) << c.printed.tag().toStdString() << id;
        }
    }
    StringTable::setActive(kept);
}

// Catches a report that prints its numbers as the window's (or the process's) locale writes
// them rather than its own language ("86.0" in a German report), a two-digit year, or a
// capture date in another style than the records' repair dates (or a time written "14.52");
// and a job that leaves its locale behind as the process's default.
TEST_F(PdfReport, AGermanReportWritesDecimalCommasAndOneFourDigitDateStyle)
{
    const LocaleScope window(QLocale(QLocale::English, QLocale::UnitedStates));
    ReportJob job;
    job.entries = {snapshot("IR_DE", gen::demoPlan(11))};
    job.records.resize(1);
    job.records[0].inspectedDated = true;
    job.records[0].inspectedDate = fromQDateTime(QDateTime(QDate(2024, 5, 17), QTime(9, 0)));
    job.language = Language::German;
    job.locale = languageLocale(Language::German);
    // Both layouts: the modern one prints the inspection over pages 3 and 4.
    for (const ReportLayout layout : {ReportLayout::Classic, ReportLayout::Modern}) {
        job.layout = layout;
        const bool modern = layout == ReportLayout::Modern;
        job.outputPath = path(modern ? QStringLiteral("de_m.pdf") : QStringLiteral("de.pdf"));
        ASSERT_EQ(writeReport(job).error, Error::None);
        EXPECT_EQ(QLocale(), QLocale(QLocale::English, QLocale::UnitedStates));
        QString page = pageText(job.outputPath, 3);
        if (modern) page += u' ' + pageText(job.outputPath, 4);
        page = page.simplified();
        if (page.isEmpty()) GTEST_SKIP() << "pdftotext not installed";

        ReportSnapshot loaded;
        ASSERT_EQ(loadReportSnapshot(toQString(job.entries[0].snapshotPath), {}, loaded),
                  Error::None);
        const cBrixa& image = loaded.image;
        const auto comma = [](QString text) { return text.replace(u'.', u','); };
        const std::chrono::year_month_day capture = image.captureDate().value();
        const QDate captured(int(capture.year()), int(unsigned(capture.month())),
                             int(unsigned(capture.day())));
        const QString expected[] = {
            comma(QString::asprintf("%.1f \u00B0C", image.markerTemperature(kHottestMarker))),
            comma(QString::asprintf("%.1f \u00B0C", image.markerTemperature(0))),
            comma(QString::asprintf("%.2f", image.fields.emissivity[10] / 100.0)),
            QStringLiteral("17.05.2024"),
            captured.toString(QStringLiteral("dd.MM.yyyy")),
            QTime(image.fields.capture.hour, image.fields.capture.minute)
                .toString(QStringLiteral("HH:mm")),
        };
        for (const QString& t : expected)
            EXPECT_TRUE(page.contains(t)) << modern << " " << t.toStdString() << "\n"
                                          << page.toStdString();
        EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("\\d\\.\\d \u00B0C"))))
            << page.toStdString();
    }
}

TEST_F(PdfReport, FortyInspectionsKeepEveryPage)
{
    gen::SnapshotPlan plan = gen::demoPlan(3);
    plan.capture.month = 13;
    ReportJob job;
    job.entries = {snapshot("IR_0001", plan)};
    for (int i = 1; i < 40; ++i)
        job.entries.push_back({toU16(path(QStringLiteral("gone/IR_%1.QVX").arg(i))), {}, 0});
    // Inspection 3's snapshot is there but holds no snapshot record.
    {
        QFile junk(path(QStringLiteral("JUNK.QVX")));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4000, 'x'));
    }
    job.entries[2].snapshotPath = toU16(path(QStringLiteral("JUNK.QVX")));
    job.records.resize(40);
    job.language = Language::Hebrew;
    job.outputPath = path(QStringLiteral("forty.pdf"));
    const ReportOutcome outcome = writeReport(job);
    ASSERT_EQ(outcome.error, Error::None);
    EXPECT_EQ(outcome.pages, 46);
    const auto info = tool(QStringLiteral("pdfinfo"), {job.outputPath});
    if (!info) GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+46\\n"))));
    const struct {
        int page;
        std::vector<QString> present, absent;
    } pages[] = {
        {1, {QStringLiteral("Page 46 of 1")}, {}},
        {2, {QStringLiteral("Inspection 40"), QStringLiteral("43")}, {QStringLiteral("Summary")}},
        {3,
         {QStringLiteral("Summary"), QStringLiteral("44"), QStringLiteral("Page 46 of 3")},
         {QStringLiteral("Inspection")}},
        {4, {QStringLiteral("Inspection 1"), QStringLiteral("Cursor 1")}, {QStringLiteral("13th")}},
        {5,
         {QStringLiteral("Inspection 2"), QStringLiteral("Could not find"),
          QStringLiteral("IR_1.QVX")},
         {QStringLiteral("Cursor 1")}},
        {6,
         {QStringLiteral("Inspection 3"), QStringLiteral("JUNK.QVX: not a snapshot record")},
         {QStringLiteral("Could not find")}},
        {46,
         {QStringLiteral("Summary"), QStringLiteral("40"), QStringLiteral("Page 46 of 46")},
         {}},
    };
    for (const auto& p : pages) {
        const QString text = pageText(job.outputPath, p.page);
        for (const QString& t : p.present)
            EXPECT_TRUE(text.contains(t)) << p.page << " " << t.toStdString();
        for (const QString& t : p.absent)
            EXPECT_FALSE(text.contains(t)) << p.page << " " << t.toStdString();
    }
}

// The printer is set up for the job with the report's profile and set back afterwards; a
// cancelled or failed job leaves the earlier file of that name as it was and no other file.
TEST_F(PdfReport, ProfileCancelAndFailure)
{
    PdfPrinter printer;
    ASSERT_TRUE(
        printer.initialize(QStringLiteral("PDF Converter"), QStringLiteral("Report Writer")));
    printer.addProfile(QStringLiteral("Mine"), 0);
    printer.setActiveProfile(QStringLiteral("Mine"), 1);
    RecordingListener listener;
    ReportJob job;
    job.entries.resize(3);
    job.records.resize(3);
    job.outputPath = path(QStringLiteral("out.pdf"));
    {
        QFile old(job.outputPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier report");
    }
    const std::pair<QString, QVariant> options[] = {
        {QStringLiteral("Save Folder"), QDir::toNativeSeparators(m_dir.path()) + QDir::separator()},
        {QStringLiteral("Save File"), QStringLiteral("out.pdf")},
        {QStringLiteral("Page Size"), 9},
        {QStringLiteral("Document Page Magnification"), 4},
        {QStringLiteral("Document Magnification Percent"), 100},
        {QStringLiteral("Prompt Save Dialog"), 0},
        {QStringLiteral("File Conflict Strategy"), 3},
        {QStringLiteral("Use Image Compression"), 1},
    };
    int calls = 0;
    const auto cancelAtTwo = [&](int done, int total) {
        ++calls;
        EXPECT_EQ(total, 6);
        EXPECT_EQ(printer.activeProfile(), QStringLiteral("RW Profile"));
        EXPECT_TRUE(printer.isDefaultPrinter());
        for (const auto& [name, value] : options)
            EXPECT_EQ(printer.option(name, QStringLiteral("RW Profile")), value)
                << name.toStdString();
        // 300 dpi on the A4 media box of 595 × 842 points: 2479.2 × 3508.3 units, of which
        // the device reports the whole ones.
        EXPECT_EQ(printer.painter()->device()->logicalDpiX(), 300);
        EXPECT_NEAR(printer.painter()->device()->width(), layout::kPageWidth, 1);
        EXPECT_EQ(printer.painter()->device()->height(), layout::kPageHeight);
        return done < 2;
    };
    const ReportOutcome cancelled = runReportJob(job, printer, cancelAtTwo, &listener);
    EXPECT_EQ(cancelled.error, Error::Cancelled);
    EXPECT_EQ(cancelled.errorCode, 4);
    EXPECT_EQ(calls, 2);
    int flags = -1;
    EXPECT_EQ(printer.activeProfile(&flags), QStringLiteral("Mine"));
    EXPECT_EQ(flags, 1);
    EXPECT_FALSE(printer.hasProfile(QStringLiteral("RW Profile")));
    EXPECT_FALSE(printer.isDefaultPrinter());
    QFile kept(job.outputPath);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("earlier report"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.pdf")});

    job.outputPath = path(QStringLiteral("no/such/folder/out.pdf"));
    const ReportOutcome failed = runReportJob(job, printer, {}, &listener);
    EXPECT_EQ(failed.error, Error::WriteFailed);
    EXPECT_EQ(failed.errorCode, 1);
    // The message names the folder that is not there rather than a printer-server failure.
    EXPECT_EQ(failed.message,
              QStringLiteral("Could not save the PDF file: the folder %1 does not exist")
                  .arg(QDir::toNativeSeparators(path(QStringLiteral("no/such/folder")))));
    EXPECT_EQ(cancelled.message, QStringLiteral("PDF print job was cancelled"));
    EXPECT_FALSE(QFile::exists(job.outputPath));
    EXPECT_EQ(listener.events, (QStringList{QStringLiteral("error 4"), QStringLiteral("error 1")}));
    EXPECT_EQ(PdfPrinter::errorMessage(1),
              QStringLiteral("PDF error saving temporary file on printer server"));
    EXPECT_EQ(PdfPrinter::errorMessage(3), QStringLiteral("Error saving PDF file"));
    EXPECT_EQ(PdfPrinter::errorMessage(4), QStringLiteral("PDF print job was cancelled"));
}

// Catches "Generate PDF Report" into a full disk counted as saved, or its truncated document
// renamed over the earlier report: the save error names the file and the system's reason.
TEST_F(PdfReport, AFullDiskFailsTheJobAndKeepsTheEarlierFile)
{
    ReportJob job;
    job.entries.resize(1);
    job.records.resize(1);
    job.outputPath = path(QStringLiteral("out.pdf"));
    {
        QFile old(job.outputPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier report");
    }
    RecordingListener listener;
    PdfPrinter printer;
    printer.initialize(QStringLiteral("PDF Converter"), QStringLiteral("Report Writer"));
    fileio_hooks::setWriteFault(fileio_hooks::WriteFault{job.outputPath.toStdString(), 1, true});
    const ReportOutcome outcome = runReportJob(job, printer, {}, &listener);
    fileio_hooks::setWriteFault(std::nullopt);
    EXPECT_EQ(outcome.error, Error::WriteFailed);
    EXPECT_EQ(outcome.errorCode, PdfPrinter::SaveError);
    EXPECT_EQ(outcome.message,
              QStringLiteral("Could not write the PDF file %1: No space left on device")
                  .arg(job.outputPath));
    EXPECT_EQ(listener.events, QStringList{QStringLiteral("error 3")});
    QFile kept(job.outputPath);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("earlier report"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("out.pdf")});
}

// Catches a printer used without the engine's writer that drops its document: it saves the
// file itself, whole, and says so.
TEST_F(PdfReport, APrinterWithoutAWriterSavesTheFileItself)
{
    PdfPrinter printer;
    RecordingListener listener;
    printer.initialize(QStringLiteral("PDF Converter"), QStringLiteral("Report Writer"));
    const QString out = path(QStringLiteral("own.pdf"));
    beginReportProfile(printer, out, &listener);
    ASSERT_NE(printer.startDocument(QStringLiteral("t"), QString()), nullptr);
    printer.painter()->drawText(100, 100, QStringLiteral("hello"));
    ASSERT_TRUE(printer.endDocument());
    EXPECT_EQ(listener.events, QStringList{QStringLiteral("saved ") + out});
    QFile pdf(out);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
}

TEST(PdfReadings, SnapshotFactsFollowTheMarkersUnitAndSelections)
{
    gen::SnapshotPlan plan = gen::demoPlan(5);  // three cursors, hottest and coldest on
    cBrixa image = gen::makeSnapshot(plan);
    ASSERT_TRUE(image.buildArrays());
    ASSERT_EQ(image.fields.cursorCount, 3);
    EXPECT_EQ(measurementList(image).size(), 6u);

    struct Case {
        int unit;
        int first, second;
        std::uint8_t flagsB;
        int rows;
        QString suffix, difference;
    };
    const Case cases[] = {
        {0, 0, 0, 0x00, 5, QStringLiteral(" \u00B0C"), {}},
        {1, 1, 4, 0x00, 6, QStringLiteral(" \u00B0F"), QStringLiteral("(1 - Hot)")},
        {2, 5, 2, 0x00, 6, QStringLiteral(" K"), QStringLiteral("(Cold - 2)")},
        {0, 1, 6, 0x00, 5, QStringLiteral(" \u00B0C"), {}},  // past the end of the list
        {0, 1, 2, flags::B_CursorsHidden, 3, QStringLiteral(" \u00B0C"),
         QStringLiteral("(Hot - Cold)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit * 100 + c.first * 10 + c.second);
        image.fields.flagsB = c.flagsB;
        cInspectionRecord r;
        r.firstMeasurement = c.first;
        r.secondMeasurement = c.second;
        const SnapshotFacts f = snapshotFacts(image, r, static_cast<TempUnit>(c.unit));
        ASSERT_EQ(static_cast<int>(f.readings.size()), c.rows);
        EXPECT_TRUE(f.hasCursors);
        EXPECT_TRUE(f.reflected.endsWith(c.suffix));
        EXPECT_EQ(f.emissivity, QStringLiteral("0.95"));
        for (const ReadingRow& row : f.readings)
            EXPECT_TRUE(row.value.contains(c.suffix.trimmed()));
        if (c.flagsB == 0) {
            const std::uint32_t pen = markerColours(1).pen;
            EXPECT_EQ(f.readings[1].colour, qRgb(pen & 0xFF, (pen >> 8) & 0xFF, pen >> 16));
            EXPECT_EQ(f.readings[1].label, QStringLiteral("Cursor 2"));
        }
        if (c.difference.isEmpty()) {
            EXPECT_NE(f.readings.back().label, QStringLiteral("Difference"));
        } else {
            EXPECT_EQ(f.readings.back().label, QStringLiteral("Difference"));
            EXPECT_TRUE(f.readings.back().value.endsWith(c.difference))
                << f.readings.back().value.toStdString();
        }
    }
    EXPECT_FALSE(snapshotFacts(image, {}, TempUnit::Celsius).dateText.isEmpty());
    image.fields.capture.month = 13;
    image.fields.capture.hour = 25;
    const SnapshotFacts impossible = snapshotFacts(image, {}, TempUnit::Celsius);
    EXPECT_TRUE(impossible.dateText.isEmpty());
    EXPECT_TRUE(impossible.timeText.isEmpty());
}

// An inspection never shown on the details page prints the readings the page would have
// chosen for it: the hot and cold markers count as readings as the cursors do, and hidden
// cursors do not.
TEST_F(PdfReport, NeverShownInspectionsPrintThePagesDefaultReadings)
{
    struct Case {
        int cursors;
        std::uint8_t flagsA, flagsB;
        const char* difference;  // empty: no difference row
    };
    const Case cases[] = {
        {0, 0x03, 0x00, "(Hot - Cold)"},
        {2, 0x03, 0x02, "(Hot - Cold)"},
        {1, 0x02, 0x00, "(1 - Cold)"},
        {2, 0x03, 0x00, "(1 - 2)"},
        {0, 0x01, 0x00, ""},
        {2, 0x00, 0x02, ""},
    };
    ReportJob job;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        gen::SnapshotPlan plan = gen::demoPlan(7);
        plan.cursors.resize(static_cast<std::size_t>(cases[i].cursors));
        plan.flagsA = cases[i].flagsA;
        plan.flagsB = cases[i].flagsB;
        job.entries.push_back(snapshot("IR_" + std::to_string(i), plan));
    }
    job.records.resize(job.entries.size());  // every choice never made
    job.outputPath = path(QStringLiteral("defaults.pdf"));
    ASSERT_EQ(writeReport(job).error, Error::None);
    if (!tool(QStringLiteral("pdftotext"), {QStringLiteral("-v")})) GTEST_SKIP() << "no pdftotext";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QString text = pageText(job.outputPath, 3 + static_cast<int>(i)).simplified();
        const QString want = QString::fromLatin1(cases[i].difference);
        EXPECT_EQ(text.contains(QStringLiteral("Difference")), !want.isEmpty()) << i;
        if (!want.isEmpty()) {
            EXPECT_TRUE(text.contains(want)) << i << ": " << text.toStdString();
        }
    }
}

}  // namespace
}  // namespace calivue
