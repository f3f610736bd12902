#include "report/engine/modernreport.h"

#include "report/engine/findingtext.h"
#include "report/engine/modernpages.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reportpagepainter.h"
#include "report/engine/reporttext.h"
#include "report/engine/snapshotstrip.h"

#include "core/printrules.h"

#include "platform/fspath.h"
#include "platform/languageenvironment.h"
#include "platform/pdfprinter.h"
#include "platform/stringids.h"
#include "platform/textformat.h"

#include <QPainter>

#include <algorithm>
#include <atomic>
#include <deque>
#include <future>
#include <thread>

namespace calivue::detail {

namespace {

// Pictures are rendered at two thirds of the page's resolution (200 dpi): sharp in print,
// a third of the bytes.
constexpr QSize kPictureSize(827, 620);

}  // namespace

void loadModernInspection(const ReportJob& job, std::size_t i, LoadedInspection& out)
{
    ModernInspectionData& d = out.data;
    d.page = inspectionData(job, i);
    d.settings = job.findings.settings;
    const RecordFindings own = i < job.findings.records.size()
                                   ? job.findings.records[i]
                                   : defaultRecordFindings(d.page.record);
    const cInspectionImage& entry = job.entries[i];
    const QString qvx = toQString(entry.snapshotPath);
    d.page.snapshot = {};
    d.page.snapshot.path = qvx;
    if (const Error e = loadReportSnapshot(qvx, toQString(entry.bitmapPath), out.snapshot);
        e != Error::None) {
        d.page.snapshot.failure = openFailureText(e);
        d.finding = evaluateFinding(InspectionReadings{}, d.page.record, own, d.settings,
                                    job.reportTemplate, job.unit);
        return;
    }
    cBrixa& img = out.snapshot.image;
    settleMeasurementChoice(d.page.record, measurementList(img));
    d.page.snapshot = snapshotFacts(img, d.page.record, job.unit, job.texts);
    d.page.snapshot.dateText = captureDateText(img, job);
    // "09:10" in the report's language, as the classic pages print it, not the English "9.10".
    d.page.snapshot.timeText = captureTimeText(img, job);
    d.page.snapshot.path = qvx;
    const InspectionReadings readings = inspectionReadings(img, d.page.record, job.unit);
    d.finding =
        evaluateFinding(readings, d.page.record, own, d.settings, job.reportTemplate, job.unit);
    const QString unitText = QString::fromStdString(img.unitText());
    const int imageEmissivity = img.fields.emissivity[10];
    for (const MeasurementReading& r : readings.rows) {
        ModernReading row;
        row.label = modernMarkerLabel(r.measurement.marker, job.texts);
        row.temperature = formatTemperature(r.value, unitText);
        const int m = r.measurement.marker;
        if (m >= 0 && m < 10 &&
            img.fields.emissivity[static_cast<std::size_t>(m)] != imageEmissivity)
            row.emissivity =
                formatEmissivity(img.fields.emissivity[static_cast<std::size_t>(m)] / 100.0);
        d.readings.push_back(std::move(row));
    }
    d.pictures = modernPictureFacts(out.snapshot);
}

namespace {

// Loads every inspection on all cores (each snapshot read, measured and judged on its own)
// and keeps what its pages say; the snapshots are loaded again when their pictures are
// rendered, so no more than a few are held at once. The results are in the entries' order.
std::vector<ModernInspectionData> loadInspections(const ReportJob& job)
{
    const std::size_t n = job.entries.size();
    std::vector<ModernInspectionData> out(n);
    std::atomic<std::size_t> next{0};
    const auto work = [&]() {
        for (std::size_t i = next++; i < n; i = next++) {
            LoadedInspection loaded;
            loadModernInspection(job, i, loaded);
            out[i] = std::move(loaded.data);
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(n, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    return out;
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

QString documentTitle(const ReportJob& job)
{
    const QString company = toQString(job.title.company);
    const QString reportTitle = job.texts.text(sid::ReportTitle);
    return company.isEmpty() ? reportTitle : company + QStringLiteral(" \u2013 ") + reportTitle;
}

ModernRun printModernReport(const ReportJob& job, PdfPrinter& printer, QPainter& painter,
                            const ReportProgress& progress, PdfNavigation& navigation)
{
    ModernRun run;
    const ReportFonts fonts = reportFonts();
    const std::size_t n = job.entries.size();

    // Lay every inspection out first: the contents name the page each one starts on.
    const PreviousFindings previous = previousFindingsOf(job);
    std::vector<std::vector<PageItems>> inspections(n);
    std::vector<cInspectionRecord> summaryRecords(n);
    std::vector<int> priorities(n, 0);
    std::vector<InspectionOnPage> onPage(n);
    std::vector<ModernInspectionData> loaded = loadInspections(job);
    for (std::size_t i = 0; i < n; ++i) {
        ModernInspectionData& data = loaded[i];
        data.comparison = comparisonOf(job, previous, i, data.finding);
        inspections[i] = modernInspectionPages(data, fonts, job.texts);
        summaryRecords[i] = data.page.record;
        // The summary prints the priority in force, in its class colour.
        priorities[i] = data.finding.priority;
        onPage[i].exception = isException(data.finding);
        onPage[i].measured = data.finding.deltaT.has_value();
    }
    loaded.clear();
    // The modern layout always prints the findings, so it always has the criteria appendix;
    // a project with an equipment list has its appendix last.
    const bool equipment = printsEquipment(job);
    const int contentsRows = static_cast<int>(n) + 2 + (equipment ? 1 : 0);
    const int contentsPages = (contentsRows + kModernContentsRows - 1) / kModernContentsRows;
    std::vector<ModernContentsRow> rows;
    int page = 1 + contentsPages + 1;
    for (std::size_t i = 0; i < n; ++i) {
        rows.push_back(
            {inspectionHeading(static_cast<int>(i) + 1, summaryRecords[i].name, job.texts), page});
        onPage[i].page = page;
        page += static_cast<int>(inspections[i].size());
    }
    std::vector<PageItems> summary =
        modernSummaryPages(summaryRecords, priorities, fonts, job.texts);
    const int summaryPages = static_cast<int>(summary.size());
    rows.push_back({job.texts.text(sid::Summary), page});
    rows.push_back({job.texts.text(sid::SeverityCriteria), page + summaryPages});
    std::vector<PageItems> equipmentPages;
    if (equipment) {
        equipmentPages = equipmentAppendixPages(job, previous, onPage, onPage);
        rows.push_back({job.texts.text(sid::EquipmentAppendix), page + summaryPages + 1});
    }
    const int total = page - 1 + summaryPages + 1 + static_cast<int>(equipmentPages.size());

    // Title "Company - Report title", the author, an outline entry per part and a link per
    // contents row (pages 0-based).
    const QString reportTitle = job.texts.text(sid::ReportTitle);
    navigation.title = documentTitle(job);
    navigation.author = toQString(job.title.author);
    navigation.outline.push_back({reportTitle, 0});
    navigation.outline.push_back({job.texts.text(sid::Contents), 1});
    for (std::size_t r = 0; r < rows.size(); ++r) {
        navigation.outline.push_back({rows[r].text, rows[r].page - 1});
        PageRect at = modernContentsRowRect(static_cast<int>(r) % kModernContentsRows);
        if (layoutDirectionOf(job.language) == Qt::RightToLeft)
            at = {kModernPageWidth - at.x2, at.y1, kModernPageWidth - at.x1, at.y2};
        navigation.links.push_back({1 + static_cast<int>(r) / kModernContentsRows,
                                    QRectF(at.x1, at.y1, at.x2 - at.x1, at.y2 - at.y1),
                                    rows[r].page - 1});
    }

    bool going = true;
    int done = 0;
    // A report in a right-to-left language reads from the right on every page; the footer
    // stays where the designed pages put it.
    const bool mirrored = layoutDirectionOf(job.language) == Qt::RightToLeft;
    const auto print = [&](PageItems items, const QImage* logo,
                           const std::vector<QImage>* pictures) {
        if (mirrored) mirrorForRightToLeft(items);
        items.push_back(footerItem(done + 1, total, job.language, job.texts));
        paintPageItems(painter, items, fonts, logo, nullptr, pictures);
        ++done;
        run.pages = done;
        if (progress && !progress(done, total)) {
            run.error = Error::Cancelled;
            return false;
        }
        if (done == total || printer.newPage()) return true;
        run.error = Error::WriteFailed;
        return false;
    };

    going = print(titlePage(titleData(job), job.texts), &job.logo, nullptr);
    for (int k = 0; going && k < contentsPages; ++k)
        going = print(modernContentsPage(rows, k, fonts, job.texts), nullptr, nullptr);
    // The pictures are rendered on worker threads a few inspections ahead of the page being
    // printed; the document itself is written in order on this thread.
    const std::size_t ahead = std::max(2u, std::thread::hardware_concurrency());
    std::deque<std::future<std::vector<QImage>>> rendering;
    std::size_t queued = 0;
    const auto render = [&job](std::size_t i) {
        ReportSnapshot snapshot;
        const cInspectionImage& entry = job.entries[i];
        if (loadReportSnapshot(toQString(entry.snapshotPath), toQString(entry.bitmapPath),
                               snapshot) != Error::None)
            return std::vector<QImage>();
        snapshot.image.setUnit(job.unit);
        return pagePictures(snapshot, job.texts);
    };
    for (std::size_t i = 0; going && i < n; ++i) {
        while (queued < n && queued < i + ahead)
            rendering.push_back(std::async(std::launch::async, render, queued++));
        const std::vector<QImage> pictures = rendering.front().get();
        rendering.pop_front();
        for (std::size_t k = 0; going && k < inspections[i].size(); ++k)
            going = print(std::move(inspections[i][k]), nullptr, &pictures);
    }
    // A cancelled job waits for the renders under way (their futures' destructors).
    rendering.clear();
    for (std::size_t k = 0; going && k < summary.size(); ++k)
        going = print(std::move(summary[k]), nullptr, nullptr);
    if (going)
        going = print(criteriaPage(job.findings.settings, job.unit, job.texts), nullptr, nullptr);
    for (std::size_t k = 0; going && k < equipmentPages.size(); ++k)
        going = print(std::move(equipmentPages[k]), nullptr, nullptr);
    if (going) run.error = Error::None;
    return run;
}

}  // namespace calivue::detail
