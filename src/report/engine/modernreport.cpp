#include "modernreport.h"

#include "modernpages.h"
#include "reportlayout.h"
#include "reportpagepainter.h"
#include "reporttext.h"
#include "snapshotstrip.h"

#include "core/printrules.h"

#include "fspath.h"
#include "pdfprinter.h"
#include "stringids.h"
#include "textformat.h"

#include <QPainter>

namespace calivue::detail {

namespace {

// Pictures are rendered at two thirds of the page's resolution (200 dpi): sharp in print,
// a third of the bytes.
constexpr QSize kPictureSize(827, 620);

QRgb penColour(int marker)
{
    const std::uint32_t bgr = markerColours(marker).pen;
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

struct LoadedInspection {
    ModernInspectionData data;
    ReportSnapshot snapshot;
};

// Loads inspection i and everything its pages say; the snapshot stays loaded for rendering.
void loadInspection(const ReportJob& job, std::size_t i, LoadedInspection& out)
{
    ModernInspectionData& d = out.data;
    d.page = inspectionData(job, i);
    d.settings = job.findings.settings;
    const RecordFindings own =
        i < job.findings.records.size() ? job.findings.records[i] : RecordFindings{};
    const cInspectionImage& entry = job.entries[i];
    const QString qvx = toQString(entry.snapshotPath);
    d.page.snapshot = {};
    d.page.snapshot.path = qvx;
    if (const Error e = loadReportSnapshot(qvx, toQString(entry.bitmapPath), out.snapshot);
        e != Error::None) {
        d.page.snapshot.failure = openFailureText(openFailureOf(e));
        d.finding = evaluateFinding(InspectionReadings{}, d.page.record, own, d.settings,
                                    job.templateNumber, job.unit);
        return;
    }
    cBrixa& img = out.snapshot.image;
    settleMeasurementChoice(d.page.record, measurementList(img));
    d.page.snapshot = snapshotFacts(img, d.page.record, job.unit, job.texts);
    d.page.snapshot.dateText = captureDateText(img, job);
    d.page.snapshot.path = qvx;
    const InspectionReadings readings = inspectionReadings(img, d.page.record, job.unit);
    d.finding =
        evaluateFinding(readings, d.page.record, own, d.settings, job.templateNumber, job.unit);
    const QString unitText = QString::fromStdString(img.unitText());
    const int imageEmissivity = img.fields.emissivity[10];
    for (const MeasurementReading& r : readings.rows) {
        ModernReading row;
        row.label = modernMarkerLabel(r.measurement.marker, job.texts);
        row.colour = penColour(r.measurement.marker);
        row.temperature = formatTemperature(r.value, unitText);
        const int m = r.measurement.marker;
        if (m >= 0 && m < 10 &&
            img.fields.emissivity[static_cast<std::size_t>(m)] != imageEmissivity)
            row.emissivity =
                formatText(QStringLiteral("%.2f"),
                           {img.fields.emissivity[static_cast<std::size_t>(m)] / 100.0});
        d.readings.push_back(std::move(row));
    }
    d.pictures = modernPictureFacts(out.snapshot);
}

std::vector<QImage> pagePictures(const ReportSnapshot& snapshot, const StringTable& texts)
{
    ModernPictures p = renderModernPictures(snapshot, kPictureSize, texts);
    std::vector<QImage> out(4);
    out[PictureThermal] = std::move(p.thermal);
    out[PicturePhotograph] = std::move(p.photograph);
    out[PictureBlend] = std::move(p.blend);
    out[PictureScale] = std::move(p.scale);
    return out;
}

}  // namespace

ModernRun printModernReport(const ReportJob& job, PdfPrinter& printer, QPainter& painter,
                            const ReportProgress& progress)
{
    ModernRun run;
    const ReportFonts fonts = reportFonts();
    const std::size_t n = job.entries.size();

    // Lay every inspection out first: the contents name the page each one starts on.
    std::vector<std::vector<PageItems>> inspections(n);
    std::vector<cInspectionRecord> summaryRecords(n);
    for (std::size_t i = 0; i < n; ++i) {
        LoadedInspection loaded;
        loadInspection(job, i, loaded);
        inspections[i] = modernInspectionPages(loaded.data, fonts, job.texts);
        summaryRecords[i] = loaded.data.page.record;
        // The summary prints the priority in force.
        summaryRecords[i].repairPriority = loaded.data.finding.priority;
    }
    const layout::PageCounts classic = layout::pageCounts(static_cast<int>(n));
    const int contentsPages = classic.contents;
    std::vector<ModernContentsRow> rows;
    int page = 1 + contentsPages + 1;
    for (std::size_t i = 0; i < n; ++i) {
        rows.push_back(
            {inspectionHeading(static_cast<int>(i) + 1, summaryRecords[i].name, job.texts), page});
        page += static_cast<int>(inspections[i].size());
    }
    rows.push_back({job.texts.text(sid::Summary), page});
    const int total = page - 1 + classic.summary;

    bool going = true;
    int done = 0;
    const auto print = [&](PageItems items, const QImage* logo,
                           const std::vector<QImage>* pictures) {
        items.push_back(footerItem(done + 1, total, job.language, job.texts));
        paintPageItems(painter, items, fonts, logo, nullptr, pictures);
        ++done;
        run.pages = done;
        if (progress && !progress(done, total)) {
            run.status = ReportOutcome::Status::Cancelled;
            return false;
        }
        if (done == total || printer.newPage()) return true;
        run.status = ReportOutcome::Status::Failed;
        return false;
    };

    going = print(titlePage(titleData(job), job.texts), &job.logo, nullptr);
    for (int k = 0; going && k < contentsPages; ++k)
        going = print(modernContentsPage(rows, k, fonts, job.texts), nullptr, nullptr);
    for (std::size_t i = 0; going && i < n; ++i) {
        ReportSnapshot snapshot;
        const cInspectionImage& entry = job.entries[i];
        std::vector<QImage> pictures;
        if (loadReportSnapshot(toQString(entry.snapshotPath), toQString(entry.bitmapPath),
                               snapshot) == Error::None) {
            snapshot.image.setUnit(job.unit);
            pictures = pagePictures(snapshot, job.texts);
        }
        for (std::size_t k = 0; going && k < inspections[i].size(); ++k)
            going = print(std::move(inspections[i][k]), nullptr, &pictures);
    }
    for (int k = 0; going && k < classic.summary; ++k)
        going = print(summaryPage(summaryRecords, k, job.texts), nullptr, nullptr);
    if (going) run.status = ReportOutcome::Status::Saved;
    return run;
}

}  // namespace calivue::detail
