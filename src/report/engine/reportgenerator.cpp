#include "report/engine/reportgenerator.h"

#include "report/engine/equipmentpages.h"
#include "report/engine/findingtext.h"
#include "report/engine/modernreport.h"
#include "report/engine/pdfnavigation.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"
#include "report/engine/reporttext.h"
#include "report/engine/snapshotstrip.h"

#include "core/equipmentcodec.h"
#include "core/fileio.h"
#include "core/findings.h"
#include "core/findingscodec.h"
#include "core/printrules.h"
#include "core/reportproject.h"
#include "core/snapshotfiles.h"

#include "platform/errortext.h"
#include "platform/fspath.h"
#include "platform/languagetable.h"
#include "platform/pdfprinter.h"
#include "platform/pictureloader.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTime>

namespace calivue {

namespace detail {

namespace {

// The two English languages print the snapshot's own English date and time texts.
bool englishDates(Language language)
{
    return language == Language::English || language == Language::UsEnglish;
}

}  // namespace

// The capture date as the report's language writes it. The English reports keep the
// snapshot's own ordinal form ("21st March 2009"); every other language gets its locale's
// short date with a four-digit year, the form of the title page and of the records' repair
// dates, rather than an English month name amid its own text.
QString captureDateText(const cBrixa& img, const ReportJob& job)
{
    if (englishDates(job.language))
        return QString::fromStdString(img.captureDateText().value_or(std::string()));
    const std::optional<std::chrono::year_month_day> date = img.captureDate();
    if (!date) return {};
    const QDate day(static_cast<int>(date->year()), static_cast<int>(unsigned(date->month())),
                    static_cast<int>(unsigned(date->day())));
    return shortDateText(day, job.locale);
}

// The capture time beside it: the English "9.05" of the snapshot, the locale's short time
// ("09:05") for the others, whose readers would take "9.05" for a decimal number.
QString captureTimeText(const cBrixa& img, const ReportJob& job)
{
    const std::optional<std::string> english = img.captureTimeText();
    if (!english || englishDates(job.language))
        return QString::fromStdString(english.value_or(std::string()));
    const RecordTime& c = img.fields.capture;
    return job.locale.toString(QTime(c.hour, c.minute), QLocale::ShortFormat);
}

}  // namespace detail

namespace {

const QString kProfile = QStringLiteral("RW Profile");
const QString kPrinterName = QStringLiteral("PDF Converter");
const QString kApplicationName = QStringLiteral("Report Writer");

// Size of the picture strip as it is rendered: three 320 × 240 panes.
constexpr int kStripWidth = 960;
constexpr int kStripHeight = 240;

// Hears the printer for the job and passes every event on.
class OutcomeListener : public PdfPrinterListener {
public:
    explicit OutcomeListener(PdfPrinterListener* next) : m_next(next) {}
    void fileSaved(const QString& path) override
    {
        saved = true;
        if (m_next) m_next->fileSaved(path);
    }
    void printError(int code) override
    {
        errorCode = code;
        if (m_next) m_next->printError(code);
    }
    bool saved = false;
    int errorCode = 0;

private:
    PdfPrinterListener* m_next;
};

}  // namespace

namespace detail {

// What is wrong with a snapshot that exists but did not open; empty when it is not there.
QString openFailureText(Error e)
{
    return e == Error::NotFound ? QString() : errorReasonText(e, FileKind::SnapshotRecord);
}

}  // namespace detail

namespace {
using detail::captureDateText;
using detail::inspectionData;
using detail::openFailureText;
using detail::titleData;

struct InspectionPicture {
    SnapshotFacts facts;
    QImage strip;
    InspectionReadings readings;  // empty when the snapshot did not load
};

// Loads inspection i's snapshot, gives its record the default selections, and renders its
// strip once at the panes' own size.
InspectionPicture loadInspection(const ReportJob& job, std::size_t i, cInspectionRecord& record)
{
    InspectionPicture out;
    const cInspectionImage& entry = job.entries[i];
    const QString qvx = toQString(entry.snapshotPath);
    ReportSnapshot snapshot;
    if (const Error e = loadReportSnapshot(qvx, toQString(entry.bitmapPath), snapshot);
        e != Error::None) {
        out.facts.path = qvx;
        out.facts.failure = openFailureText(e);
        return out;
    }
    // A record never shown takes the choice the details page would have given it.
    settleMeasurementChoice(record, measurementList(snapshot.image));
    out.strip = QImage(kStripWidth, kStripHeight, QImage::Format_RGB888);
    out.strip.fill(Qt::white);
    {
        QPainter p(&out.strip);
        if (!paintSnapshotStrip(p, out.strip.rect(), snapshot)) out.strip = QImage();
    }
    out.readings = inspectionReadings(snapshot.image, record, job.unit);
    out.facts = snapshotFacts(snapshot.image, record, job.unit, job.texts);
    out.facts.dateText = captureDateText(snapshot.image, job);
    out.facts.timeText = detail::captureTimeText(snapshot.image, job);
    out.facts.path = qvx;
    return out;
}

}  // namespace

namespace detail {

InspectionPageData inspectionData(const ReportJob& job, std::size_t i)
{
    InspectionPageData d;
    d.number = static_cast<int>(i) + 1;
    if (i < job.records.size()) d.record = job.records[i];
    d.reportTemplate = job.reportTemplate;
    d.captions = job.detailsCaptions;
    d.unit = job.unit;
    d.language = job.language;
    const cInspectionRecord& r = d.record;
    d.repairDates = {
        r.inspectedDated ? reportDateText(r.inspectedDate, job.locale) : QString(),
        r.repairedDated ? reportDateText(r.repairedDate, job.locale) : QString(),
        r.reinspectedDated ? reportDateText(r.reinspectedDate, job.locale) : QString()};
    return d;
}

TitlePageData titleData(const ReportJob& job)
{
    TitlePageData d;
    d.title = job.title;
    d.labels = titleLabels(job.reportTemplate, job.titleCaptions, job.texts);
    if (job.title.dateShown) d.dateText = reportDateText(job.title.titleDate, job.locale);
    if (!job.logo.isNull()) {
        const layout::LogoSize s =
            layout::fitLogo(layout::logoDeviceUnits(job.logo.width(), job.logo.dotsPerMeterX()),
                            layout::logoDeviceUnits(job.logo.height(), job.logo.dotsPerMeterY()));
        d.logoWidth = s.width;
        d.logoHeight = s.height;
    }
    return d;
}

PreviousFindings previousFindingsOf(const ReportJob& job)
{
    if (!job.previous || !printsEquipment(job)) return {};
    return previousFindings(*job.previous, job.reportTemplate, job.unit);
}

std::vector<PrintedLine> comparisonOf(const ReportJob& job, const PreviousFindings& previous,
                                      std::size_t i, const Finding& finding)
{
    if (previous.empty() || i >= job.equipment.recordItems.size()) return {};
    const std::optional<Comparison> c =
        compareWithPrevious(finding, job.equipment.recordItems[i], previous);
    if (!c) return {};
    return comparisonLines(*c, job.unit, job.locale, job.texts);
}

EquipmentPagesData equipmentAppendixData(const ReportJob& job, const PreviousFindings& previous,
                                         std::span<const InspectionOnPage> inspections,
                                         std::span<const InspectionOnPage> reserve)
{
    return equipmentPagesData(job.equipment, inspections, reserve,
                              job.previous ? &previous : nullptr, job.unit, job.locale, job.texts);
}

std::vector<PageItems> equipmentAppendixPages(const ReportJob& job,
                                              const PreviousFindings& previous,
                                              std::span<const InspectionOnPage> inspections,
                                              std::span<const InspectionOnPage> reserve)
{
    return equipmentPages(equipmentAppendixData(job, previous, inspections, reserve), reportFonts(),
                          job.texts);
}

}  // namespace detail

bool printsEquipment(const ReportJob& job)
{
    return job.equipmentProblem.isEmpty() && !job.equipment.items.empty();
}

bool printsFindings(const ReportJob& job)
{
    // The equipment appendix says which inspections found an exception: the report then
    // prints the findings that say so, and the criteria they are judged by.
    return job.findingsProblem.isEmpty() &&
           (!job.findings.isDefaultFor(job.records) || printsEquipment(job));
}

QString reportDateText(const cDateTime& value, const QLocale& locale)
{
    const QDateTime dt = toQDateTime(value);
    return dt.isValid() ? shortDateText(dt.date(), locale) : QString();
}

ReportJob reportJobFromProject(const ReportProject& project,
                               const std::filesystem::path& projectFile)
{
    ReportJob job;
    job.title = project.title;
    const ReportCaptions captions = project.captions.value_or(defaultReportCaptions());
    job.titleCaptions = captions.title;
    job.detailsCaptions = captions.details;
    job.entries = project.entries;
    job.records = project.records;
    if (Result<ProjectFindings> findings = readProjectFindings(project); findings.ok()) {
        job.findings = std::move(findings.value());
    } else {
        job.findings = ProjectFindings::defaultsFor(job.records);
        job.findingsProblem = QString::fromUtf8(describe(findings.error()));
    }
    if (Result<ProjectEquipment> equipment = readProjectEquipment(project); equipment.ok())
        job.equipment = std::move(equipment.value());
    else
        job.equipmentProblem = QString::fromUtf8(describe(equipment.error()));
    if (!job.equipment.previousProject.empty()) {
        const std::filesystem::path file =
            previousProjectFile(job.equipment.previousProject, projectFile);
        Result<PreviousSurvey> previous = readPreviousSurvey(file);
        if (previous.ok())
            job.previous = std::move(previous.value());
        else
            job.previousProblem = formatText(
                uiText(previous.error() == Error::NotFound ? sid::PreviousSurveyMissing
                                                           : sid::PreviousSurveyUnreadable),
                {fromFsPath(file)});
    }
    if (Result<ReportLayout> layout = readReportLayout(project); layout.ok())
        job.layout = layout.value();
    else
        job.layoutProblem = QString::fromUtf8(describe(layout.error()));
    if (!project.title.logoPath.empty()) {
        const QString path = toQString(project.title.logoPath);
        if (const Result<Picture> logo = loadPicture(path))
            job.logo = logo->image;
        else
            job.logoProblem = fileErrorText(logo.error(), path, FileKind::Picture);
    }
    return job;
}

SavedProfile beginReportProfile(PdfPrinter& printer, const QString& path,
                                PdfPrinterListener* listener)
{
    const QFileInfo target(path);
    printer.addProfile(kProfile, 0);
    printer.setOptionString(pdfopt::SaveFolder,
                            QDir::toNativeSeparators(target.absolutePath()) + QDir::separator(),
                            kProfile);
    printer.setOptionString(pdfopt::SaveFile, target.fileName(), kProfile);
    printer.setOptionLong(pdfopt::PageSize, pdfopt::PageSizeA4, kProfile);
    printer.setOptionLong(pdfopt::PageMagnification, pdfopt::MagnificationPercentOfPage, kProfile);
    printer.setOptionLong(pdfopt::MagnificationPercent, 100, kProfile);
    printer.setOptionLong(pdfopt::PromptSaveDialog, 0, kProfile);
    printer.setOptionLong(pdfopt::FileConflictStrategy, pdfopt::ConflictOverwrite, kProfile);
    printer.setOptionLong(pdfopt::UseImageCompression, 1, kProfile);
    printer.registerEventWindow(listener);
    printer.setDefaultPrinter();
    SavedProfile saved;
    saved.name = printer.activeProfile(&saved.flags);
    printer.setActiveProfile(kProfile, 0);
    return saved;
}

void endReportProfile(PdfPrinter& printer, const SavedProfile& saved)
{
    printer.unregisterEventWindow();
    printer.setActiveProfile(saved.name, saved.flags);
    printer.deleteProfile(kProfile, 0);
    printer.restoreDefaultPrinter();
}

ReportOutcome runReportJob(const ReportJob& job, PdfPrinter& printer,
                           const ReportProgress& progress, PdfPrinterListener* listener)
{
    // Every number the pages print ("86,0 °C" in German) follows the report's language, not
    // the window's or the process's.
    const LocaleScope numbers(job.locale);
    ReportOutcome outcome;
    OutcomeListener events(listener);
    const SavedProfile saved = beginReportProfile(printer, job.outputPath, &events);
    const std::filesystem::path target =
        job.outputFile.empty() ? toFsPath(job.outputPath) : job.outputFile;
    // Every report's document information names the report and its author; the modern
    // layout adds its outline and links as its pages are printed. All of it goes into the
    // finished document before it is written.
    PdfNavigation navigation;
    navigation.title = detail::documentTitle(job);
    navigation.author = toQString(job.title.author);
    // The document goes to the file as it is written, under a temporary name until it is
    // complete (no second copy in memory); a failure leaves any earlier file as it was.
    printer.setFileWriter([&target, &navigation](const QByteArray& document) {
        QString problem;
        PendingFile file(target);
        const bool written = writePdfWithNavigation(
            document, navigation,
            [&file](std::span<const char> piece) {
                return file.write(
                    {reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()});
            },
            &problem);
        if (written && file.finish() && file.commit()) return QString();
        if (file.failure()) return QString::fromStdString(file.failure().reason.message());
        return problem;
    });
    const auto finish = [&](Error error) {
        printer.setFileWriter({});
        endReportProfile(printer, saved);
        outcome.error = events.saved ? Error::None : error;
        outcome.errorCode = events.errorCode;
        if (events.saved)
            outcome.path = printer.outputPath();
        else
            outcome.message = printer.failureText(events.errorCode);
        return outcome;
    };

    QPainter* painter =
        printer.startDocument(job.texts.text(sid::ReportTitle), job.texts.text(sid::ProductTitle));
    if (painter == nullptr) return finish(Error::WriteFailed);
    if (job.layout == ReportLayout::Modern) {
        const detail::ModernRun run =
            detail::printModernReport(job, printer, *painter, progress, navigation);
        outcome.pages = run.pages;
        if (run.error != Error::None) {
            printer.abortDocument(run.error == Error::Cancelled ? PdfPrinter::JobCancelled
                                                                : PdfPrinter::TemporaryFileError);
            return finish(run.error);
        }
        printer.endDocument();
        return finish(Error::WriteFailed);
    }

    const ReportFonts fonts = reportFonts();
    const int n = static_cast<int>(job.entries.size());
    const bool findings = printsFindings(job);
    const bool equipment = printsEquipment(job);
    // The previous survey's snapshots are read first: the appendix's rows need them for
    // their height, and the contents count the appendix's pages.
    const PreviousFindings previous = detail::previousFindingsOf(job);
    std::vector<InspectionOnPage> onPage(job.entries.size());
    std::vector<InspectionOnPage> reserve(job.entries.size());
    int equipmentPages = 0;
    if (equipment) {
        const int contents = layout::pageCounts(n, findings, 1).contents;
        for (std::size_t i = 0; i < onPage.size(); ++i) {
            onPage[i] = {contents + 2 + static_cast<int>(i), false};
            reserve[i] = {onPage[i].page, true};
        }
        equipmentPages = static_cast<int>(
            detail::equipmentAppendixPages(job, previous, reserve, reserve).size());
    }
    const layout::PageCounts counts = layout::pageCounts(n, findings, equipmentPages);
    std::vector<int> priorities(job.entries.size(), 0);
    std::vector<cInspectionRecord> records(job.entries.size());
    for (std::size_t i = 0; i < records.size() && i < job.records.size(); ++i)
        records[i] = job.records[i];

    int page = 0;
    bool pageFailed = false;
    // Ends the page just drawn (the footer goes last) and reports progress; false cancels.
    const auto pageDone = [&](PageItems items) {
        items.push_back(footerItem(page + 1, counts.total, job.language, job.texts));
        return items;
    };
    const auto next = [&]() {
        ++page;
        outcome.pages = page;
        if (progress && !progress(page, counts.total)) return false;
        if (page == counts.total || printer.newPage()) return true;
        pageFailed = true;
        return false;
    };

    paintPageItems(*painter, pageDone(titlePage(titleData(job), job.texts)), fonts, &job.logo);
    bool going = next();
    for (int k = 0; going && k < counts.contents; ++k) {
        paintPageItems(*painter,
                       pageDone(contentsPage(records, k, job.texts, findings, equipmentPages)),
                       fonts);
        going = next();
    }
    for (std::size_t i = 0; going && i < job.entries.size(); ++i) {
        InspectionPageData data = inspectionData(job, i);
        InspectionPicture picture = loadInspection(job, i, data.record);
        records[i] = data.record;
        data.snapshot = std::move(picture.facts);
        // The appendix needs every inspection's exception also when the findings section did
        // not read (the defaults then judge); the band prints only what the report shows.
        if (findings || equipment) {
            const RecordFindings own = i < job.findings.records.size()
                                           ? job.findings.records[i]
                                           : defaultRecordFindings(data.record);
            const Finding finding =
                evaluateFinding(picture.readings, data.record, own, job.findings.settings,
                                job.reportTemplate, job.unit);
            if (findings) {
                data.finding = findingLines(finding, job.findings.settings, job.reportTemplate,
                                            job.unit, job.texts);
                priorities[i] = finding.priority;
                data.priority = finding.priority;
            }
            onPage[i].exception = isException(finding);
            onPage[i].measured = finding.deltaT.has_value();
            // The comparison with the previous survey follows the finding in its band.
            for (PrintedLine& line : detail::comparisonOf(job, previous, i, finding))
                data.finding.push_back(std::move(line));
        }
        paintPageItems(*painter, pageDone(inspectionPage(data, job.texts)), fonts, nullptr,
                       &picture.strip);
        going = next();
    }
    for (int k = 0; going && k < counts.summary; ++k) {
        paintPageItems(
            *painter,
            pageDone(summaryPage(records, k, job.texts, findings ? &priorities : nullptr)), fonts);
        going = next();
    }
    if (going && findings) {
        paintPageItems(*painter, pageDone(criteriaPage(job.findings.settings, job.unit, job.texts)),
                       fonts);
        going = next();
    }
    if (going && equipment) {
        for (PageItems& items : detail::equipmentAppendixPages(job, previous, onPage, reserve)) {
            if (!going) break;
            paintPageItems(*painter, pageDone(std::move(items)), fonts);
            going = next();
        }
    }
    if (!going) {
        printer.abortDocument(pageFailed ? PdfPrinter::TemporaryFileError
                                         : PdfPrinter::JobCancelled);
        return finish(pageFailed ? Error::WriteFailed : Error::Cancelled);
    }
    printer.endDocument();
    return finish(Error::WriteFailed);
}

ReportOutcome writeReport(const ReportJob& job, const ReportProgress& progress)
{
    PdfPrinter printer;
    printer.initialize(kPrinterName, kApplicationName);
    return runReportJob(job, printer, progress);
}

}  // namespace calivue
