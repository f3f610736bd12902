#include "report/engine/docxreport.h"

#include "report/engine/criteriacontent.h"
#include "report/engine/docxbody.h"
#include "report/engine/docxpackage.h"
#include "report/engine/docxparts.h"
#include "report/engine/findingtext.h"
#include "report/engine/moderncontent.h"
#include "report/engine/modernreport.h"
#include "report/engine/reporttext.h"

#include "core/equipmentappendix.h"
#include "core/fileio.h"
#include "core/surveycomparison.h"

#include "platform/fspath.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/textformat.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <deque>
#include <future>
#include <thread>

namespace calivue {

namespace {

// The thermal picture at the PDF's print resolution (200 dpi over its pane). The photograph
// and the blend are made of 320 × 240 pictures: at one and a half times that they keep all
// they hold (the markers' labels stay sharp) at a third of the pixels, which keeps a
// 100-inspection document near 20 MB.
constexpr QSize kPictureSize(827, 620);
constexpr QSize kPhotographSize(480, 360);
// zlib's level 4 (Qt's PNG quality 50): a tenth larger than its default level 6, in less than
// half the time.
constexpr int kPngQuality = 50;
// The scale bar's 256 colours, stretched without smoothing so each band stays one colour.
constexpr QSize kScalePixels(24, 512);

// A length of the PDF page (300 units an inch) in picture units and in table units.
int emu(int units)
{
    return static_cast<int>(units * kEmuPerInch / 300);
}

// Columns in proportion to `parts`, filling the text width.
std::vector<int> columns(std::initializer_list<int> parts)
{
    int sum = 0;
    for (int p : parts) sum += p;
    std::vector<int> out;
    int used = 0;
    for (int p : parts) out.push_back(p * kTextWidthTwips / sum);
    for (int w : out) used += w;
    out.back() += kTextWidthTwips - used;
    return out;
}

// Columns as `columns` gives them, each at least as wide as the longest word of its header in
// the table style's bold (a header word broken over two lines reads as two), the room taken from
// the widest column.
std::vector<int> headerColumns(std::initializer_list<int> parts, const std::vector<DocxCell>& head)
{
    std::vector<int> out = columns(parts);
    QFont bold(QStringLiteral("Liberation Sans"));
    bold.setPixelSize(200);  // 10 points in twips
    bold.setBold(true);
    const QFontMetricsF metrics(bold);
    for (std::size_t c = 0; c < out.size() && c < head.size(); ++c) {
        int longest = 0;
        for (const QString& word : head[c].text.split(u' ', Qt::SkipEmptyParts))
            longest =
                std::max(longest, static_cast<int>(std::ceil(metrics.horizontalAdvance(word))));
        const int need = longest + DocxPageModel::kCellTextMargins + 40;
        const auto widest =
            static_cast<std::size_t>(std::max_element(out.begin(), out.end()) - out.begin());
        if (out[c] >= need || widest == c) continue;
        const int moved = std::min(need - out[c], out[widest] / 2);
        out[widest] -= moved;
        out[c] += moved;
    }
    return out;
}

QByteArray png(const QImage& image)
{
    QByteArray out;
    if (image.isNull()) return out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG", kPngQuality)) out.clear();
    return out;
}

// One inspection read and its pictures encoded, ready to be written in order.
struct Prepared {
    ModernInspectionData data;
    std::array<QByteArray, 4> pictures;  // by ModernPicture; empty: not printed
};

Prepared prepare(const ReportJob& job, std::size_t i)
{
    detail::LoadedInspection loaded;
    detail::loadModernInspection(job, i, loaded);
    Prepared p;
    p.data = std::move(loaded.data);
    if (!p.data.page.snapshot.loaded) return p;
    const ModernPictures pictures = renderModernPictures(loaded.snapshot, kPictureSize, job.texts);
    p.pictures[PictureThermal] = png(pictures.thermal);
    const auto smaller = [](const QImage& image) {
        return image.isNull()
                   ? image
                   : image.scaled(kPhotographSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    };
    p.pictures[PicturePhotograph] = png(smaller(pictures.photograph));
    p.pictures[PictureBlend] = png(smaller(pictures.blend));
    p.pictures[PictureScale] =
        png(pictures.scale.scaled(kScalePixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return p;
}

QString bookmark(std::size_t k)
{
    return QStringLiteral("_Toc%1").arg(100001 + k);
}

// The page number the equipment appendix's texts are made with for inspection i: it stands for
// the page the inspection starts on, which the document gets from a PAGEREF field. Seven digits
// each, so no placeholder begins another.
int pagePlaceholder(std::size_t i)
{
    return 9000001 + static_cast<int>(i);
}

class DocxReport {
public:
    explicit DocxReport(const ReportJob& job)
        : m_job(job), m_texts(job.texts), m_rtl(job.language == Language::Hebrew), m_body(m_rtl)
    {
        m_package.add(QStringLiteral("[Content_Types].xml"), docxContentTypes());
        m_package.add(QStringLiteral("_rels/.rels"), docxPackageRelations());
    }

    void titlePage();
    void contents(const std::vector<DocxTocEntry>& entries);
    void inspection(const Prepared& p, const QString& mark);
    void summary(const std::vector<cInspectionRecord>& records, const std::vector<int>& priorities,
                 const QString& mark);
    void appendix(const QString& mark);
    // The "Equipment" appendix: the count line and a table of every item, an exception's pages
    // as fields to its inspections' headings.
    void equipment(const std::vector<InspectionOnPage>& inspections,
                   const PreviousFindings& previous, const QString& mark);
    // The package's bytes; empty when it could not be made (problem says why).
    QByteArray finish();
    QString problem() const { return m_package.problem(); }

private:
    // Adds a PNG to the package; its relationship id, empty for no picture.
    QString media(const QByteArray& png);
    void picture(const QByteArray& png, QSize size, const QString& name);
    void labelTable(const std::vector<ModernRow>& rows, std::initializer_list<int> parts);
    // The rows of a short table, kept on one page: a word processor moves such a table to the
    // next page whole rather than leave its last rows there alone.
    void keptRows(const std::vector<std::vector<DocxCell>>& rows);

    const ReportJob& m_job;
    const StringTable& m_texts;
    bool m_rtl;
    DocxBody m_body;
    DocxPackage m_package;
    std::vector<QString> m_media;
};

QString DocxReport::media(const QByteArray& png)
{
    if (png.isEmpty()) return {};
    const QString name = QStringLiteral("media/image%1.png").arg(m_media.size() + 1);
    if (!m_package.add(QStringLiteral("word/") + name, png, true)) return {};
    m_media.push_back(name);
    return docxImageRelation(m_media.size());
}

void DocxReport::picture(const QByteArray& png, QSize size, const QString& name)
{
    const QString id = media(png);
    if (!id.isEmpty()) m_body.picture(id, size, name, name);
}

void DocxReport::labelTable(const std::vector<ModernRow>& rows, std::initializer_list<int> parts)
{
    m_body.beginTable(columns(parts), false, true);
    std::vector<std::vector<DocxCell>> cells;
    for (const ModernRow& r : rows) cells.push_back({{r.label}, {r.value}});
    keptRows(cells);
    m_body.endTable();
}

void DocxReport::keptRows(const std::vector<std::vector<DocxCell>>& rows)
{
    for (std::size_t r = 0; r < rows.size(); ++r) m_body.row(rows[r], r + 1 < rows.size());
}

void DocxReport::titlePage()
{
    const TitlePageData d = detail::titleData(m_job);
    if (!m_job.logo.isNull() && d.logoWidth > 0 && d.logoHeight > 0) {
        const QString id = media(png(m_job.logo));
        if (!id.isEmpty())
            m_body.picture(id, QSize(emu(d.logoWidth), emu(d.logoHeight)), QStringLiteral("Logo"),
                           toQString(m_job.title.company), QStringLiteral("Logo"));
    }
    m_body.paragraphs(QStringLiteral("Title"), m_texts.text(sid::ReportTitle));
    labelTable({{d.labels[0], toQString(d.title.company)},
                {d.labels[1], toQString(d.title.author)},
                {d.labels[2], d.dateText}},
               {330, 1950});
    m_body.paragraphs(QStringLiteral("SectionLabel"), d.labels[3]);
    m_body.paragraphs(QStringLiteral("Normal"), toQString(d.title.comments));
}

void DocxReport::contents(const std::vector<DocxTocEntry>& entries)
{
    m_body.paragraphs(QStringLiteral("TOCHeading"), m_texts.text(sid::Contents));
    m_body.contents(entries);
}

void DocxReport::inspection(const Prepared& p, const QString& mark)
{
    const ModernInspectionData& d = p.data;
    m_body.heading(QStringLiteral("Heading1"),
                   inspectionHeading(d.page.number, d.page.record.name, m_texts), mark);
    const int priority = d.finding.priority;
    m_body.beginTable(columns({600, 1680}), false, true);
    std::vector<std::vector<DocxCell>> details = {
        {{m_texts.text(sid::Priority)},
         {priority > 0 ? QString::number(priority) : QStringLiteral("-"), priorityColour(priority),
          true}}};
    for (const ModernRow& r : modernDetailRows(d, m_texts))
        details.push_back({{r.label}, {r.value}});
    keptRows(details);
    m_body.endTable();

    if (!d.page.snapshot.loaded) {
        m_body.paragraphs(QStringLiteral("Normal"), modernPictureFailure(d.page, m_texts));
    } else {
        // The thermal picture with its colour scale beside it, the span's ends at the bar's.
        m_body.paragraphs(QStringLiteral("Caption"), m_texts.text(sid::ThermalSnapshot));
        // The picture's column as wide as the picture, the scale's the rest.
        const int pictureTwips = static_cast<int>(emu(1240) / kEmuPerTwip) + 60;
        const std::vector<int> grid = {pictureTwips, kTextWidthTwips - pictureTwips};
        m_body.beginTable(grid, false, false, QStringLiteral("PictureGrid"));
        m_body.beginRow();
        m_body.beginCell(grid[0]);
        picture(p.pictures[PictureThermal], QSize(emu(1240), emu(930)),
                m_texts.text(sid::ThermalSnapshot));
        m_body.endCell();
        m_body.beginCell(grid[1]);
        m_body.paragraphs(QStringLiteral("ScaleLabel"), d.pictures.spanHigh);
        picture(p.pictures[PictureScale], QSize(emu(60), emu(760)),
                d.pictures.spanHigh + QStringLiteral(" \u2013 ") + d.pictures.spanLow);
        m_body.paragraphs(QStringLiteral("ScaleLabel"), d.pictures.spanLow);
        m_body.endCell();
        m_body.endRow();
        m_body.endTable();
        if (!p.pictures[PicturePhotograph].isEmpty()) {
            m_body.paragraphs(QStringLiteral("Caption"), m_texts.text(sid::VisibleImage));
            picture(p.pictures[PicturePhotograph], QSize(emu(1240), emu(930)),
                    m_texts.text(sid::VisibleImage));
        }
        if (!p.pictures[PictureBlend].isEmpty()) {
            m_body.paragraphs(QStringLiteral("Caption"), m_texts.text(sid::ThermalAndVisibleBlend));
            picture(p.pictures[PictureBlend], QSize(emu(960), emu(720)),
                    m_texts.text(sid::ThermalAndVisibleBlend));
        }
    }

    if (!d.readings.empty()) {
        m_body.paragraphs(QStringLiteral("SectionLabel"), m_texts.text(sid::ModernReadings));
        const bool emissivity = modernReadingsWithEmissivity(d);
        m_body.beginTable(emissivity ? columns({1, 1, 1}) : columns({1, 1}), true, false);
        std::vector<DocxCell> head = {{m_texts.text(sid::ModernMarker)},
                                      {m_texts.text(sid::ModernTemperature)}};
        if (emissivity) head.push_back({m_texts.text(sid::ModernEmissivity)});
        std::vector<std::vector<DocxCell>> rows = {head};
        for (const ModernReading& r : d.readings) {
            std::vector<DocxCell> cells = {{r.label, r.colour}, {r.temperature}};
            if (emissivity) cells.push_back({r.emissivity});
            rows.push_back(std::move(cells));
        }
        keptRows(rows);
        m_body.endTable();
    }

    // The finding, then the comparison with the previous survey, on one page; a finding that
    // says nothing has no heading either.
    std::vector<PrintedLine> finding =
        findingLines(d.finding, d.settings, d.page.reportTemplate, d.page.unit, m_texts);
    finding.insert(finding.end(), d.comparison.begin(), d.comparison.end());
    if (!finding.empty())
        m_body.paragraphs(QStringLiteral("SectionLabel"), m_texts.text(sid::ModernFinding));
    for (std::size_t k = 0; k < finding.size(); ++k)
        m_body.paragraphs(QStringLiteral("Normal"), finding[k].text, finding[k].colour,
                          k + 1 < finding.size());

    for (const ModernTextSection& section : modernTextSections(d, m_texts)) {
        m_body.paragraphs(QStringLiteral("SectionLabel"), section.heading);
        m_body.paragraphs(QStringLiteral("Normal"), section.text);
    }

    m_body.paragraphs(QStringLiteral("SectionLabel"), m_texts.text(sid::MeasurementParameters));
    labelTable(modernParameterRows(d, m_texts), {600, 1680});

    m_body.paragraphs(QStringLiteral("SectionLabel"), m_texts.text(sid::RepairAction));
    m_body.beginTable(columns({1, 1, 1}), true, false);
    std::vector<std::vector<DocxCell>> repair;
    for (const auto& row : modernRepairCells(d, m_texts))
        repair.push_back({{row[0]}, {row[1]}, {row[2]}});
    keptRows(repair);
    m_body.endTable();
}

void DocxReport::summary(const std::vector<cInspectionRecord>& records,
                         const std::vector<int>& priorities, const QString& mark)
{
    m_body.heading(QStringLiteral("Heading1"), m_texts.text(sid::Summary), mark);
    const std::vector<DocxCell> head = {{m_texts.text(sid::InspNo)},
                                        {m_texts.text(sid::CaptionLocation)},
                                        {m_texts.text(sid::CaptionEquipment)},
                                        {m_texts.text(sid::FaultAction)},
                                        {m_texts.text(sid::Priority)}};
    m_body.beginTable(headerColumns({200, 525, 525, 830, 200}, head), true, false);
    m_body.row(head);
    for (std::size_t r = 0; r < records.size(); ++r) {
        const int priority = r < priorities.size() ? priorities[r] : 0;
        m_body.row({{QString::number(r + 1)},
                    {toQString(records[r].location)},
                    {toQString(records[r].equipment)},
                    {toQString(records[r].faultAction)},
                    {priority > 0 ? QString::number(priority) : QString(), priorityColour(priority),
                     priority > 0}});
    }
    m_body.endTable();
}

void DocxReport::appendix(const QString& mark)
{
    const CriteriaContent c = criteriaContent(m_job.findings.settings, m_job.unit, m_texts);
    m_body.heading(QStringLiteral("Heading1"), c.heading, mark);
    labelTable({{c.criteria.first, c.criteria.second}, {c.standard.first, c.standard.second}},
               {600, 1680});
    for (const CriteriaTable& table : c.tables) {
        if (c.tables.size() > 1) m_body.paragraphs(QStringLiteral("SectionLabel"), table.name);
        const std::vector<DocxCell> head = {
            {c.tableHeader[0]}, {c.tableHeader[1]}, {c.tableHeader[2]}};
        m_body.beginTable(headerColumns({500, 1480, 300}, head), true, false);
        std::vector<std::vector<DocxCell>> rows = {head};
        for (const CriteriaBandRow& band : table.rows)
            rows.push_back({{band.bound},
                            {band.className},
                            {QString::number(band.priority), band.colour, true}});
        keptRows(rows);
        m_body.endTable();
    }
    for (const QString& rule : c.rules) m_body.paragraphs(QStringLiteral("Normal"), rule);
    m_body.paragraphs(QStringLiteral("SectionLabel"), c.conditionsHeading);
    std::vector<ModernRow> rows;
    for (const auto& [label, value] : c.conditions) rows.push_back({label, value});
    labelTable(rows, {600, 1680});
}

void DocxReport::equipment(const std::vector<InspectionOnPage>& inspections,
                           const PreviousFindings& previous, const QString& mark)
{
    const EquipmentPagesData data =
        detail::equipmentAppendixData(m_job, previous, inspections, inspections);
    const EquipmentAppendix appendix = equipmentAppendix(m_job.equipment, inspections);
    m_body.heading(QStringLiteral("Heading1"), m_texts.text(sid::EquipmentAppendix), mark);
    m_body.paragraphs(QStringLiteral("Normal"), data.counts);
    std::vector<DocxCell> head = {{m_texts.text(sid::EquipmentItem)},
                                  {m_texts.text(sid::CaptionLocation)},
                                  {m_texts.text(sid::Description)},
                                  {m_texts.text(sid::EquipmentAppendixStatus)}};
    if (data.previousColumn) head.push_back({m_texts.text(sid::EquipmentPreviousColumn)});
    // The PDF's columns: item, location, description, status (and previous).
    m_body.beginTable(data.previousColumn ? headerColumns({280, 380, 540, 500, 580}, head)
                                          : headerColumns({350, 550, 700, 680}, head),
                      true, false);
    m_body.row(head);
    for (std::size_t r = 0; r < data.rows.size(); ++r) {
        const EquipmentRowText& row = data.rows[r];
        DocxCell status{row.status};
        // Only an exception's status names pages, and it holds no text of the project's.
        if (r < appendix.rows.size())
            for (const int page : appendix.rows[r].pages)
                status.pages.push_back({QString::number(page), bookmark(static_cast<std::size_t>(
                                                                   page - pagePlaceholder(0)))});
        std::vector<DocxCell> cells = {{row.id}, {row.location}, {row.description}, status};
        if (data.previousColumn) cells.push_back({row.previous});
        m_body.row(cells);
    }
    m_body.endTable();
}

QByteArray DocxReport::finish()
{
    const QString company = toQString(m_job.title.company);
    const QString reportTitle = m_texts.text(sid::ReportTitle);
    const QString title =
        company.isEmpty() ? reportTitle : company + QStringLiteral(" \u2013 ") + reportTitle;
    const QString page = QStringLiteral("1000001"), total = QStringLiteral("2000002");
    const DocxPageText footer =
        docxPageText(pageOfText(page.toInt(), total.toInt(), m_job.language, m_texts), page, total);
    const bool added =
        m_package.add(QStringLiteral("docProps/core.xml"),
                      docxCoreProperties(title, toQString(m_job.title.author))) &&
        m_package.add(QStringLiteral("word/document.xml"), m_body.finish(kFooterRelation)) &&
        m_package.add(QStringLiteral("word/_rels/document.xml.rels"),
                      docxDocumentRelations(m_media)) &&
        m_package.add(QStringLiteral("word/styles.xml"), docxStyles(m_rtl)) &&
        m_package.add(QStringLiteral("word/settings.xml"), docxSettings()) &&
        m_package.add(QStringLiteral("word/footer1.xml"), docxFooter(footer, m_rtl));
    return added ? m_package.finish() : QByteArray();
}

}  // namespace

ReportFormat reportFormatOf(const QString& path)
{
    return path.endsWith(QStringLiteral(".docx"), Qt::CaseInsensitive) ? ReportFormat::Docx
                                                                       : ReportFormat::Pdf;
}

ReportOutcome writeDocxReport(const ReportJob& job, const ReportProgress& progress)
{
    // Every number follows the report's language, as on the PDF.
    const LocaleScope numbers(job.locale);
    ReportOutcome outcome;
    const std::filesystem::path target =
        job.outputFile.empty() ? toFsPath(job.outputPath) : job.outputFile;
    const QString shown = QDir::toNativeSeparators(job.outputPath);
    const auto failed = [&](const QString& reason) {
        outcome.error = Error::WriteFailed;
        outcome.message = formatText(uiText(sid::DocxCannotWriteFile), {shown, reason});
        return outcome;
    };

    const std::size_t n = job.entries.size();
    DocxReport report(job);
    std::vector<DocxTocEntry> entries;
    for (std::size_t i = 0; i < n; ++i)
        entries.push_back(
            {inspectionHeading(static_cast<int>(i) + 1,
                               i < job.records.size() ? job.records[i].name : std::u16string(),
                               job.texts),
             bookmark(i)});
    entries.push_back({job.texts.text(sid::Summary), bookmark(n)});
    entries.push_back({job.texts.text(sid::SeverityCriteria), bookmark(n + 1)});
    // A project with an equipment list ends with its appendix, as the PDF does.
    const bool equipment = printsEquipment(job);
    if (equipment) entries.push_back({job.texts.text(sid::EquipmentAppendix), bookmark(n + 2)});
    const PreviousFindings previous = detail::previousFindingsOf(job);
    report.titlePage();
    report.contents(entries);

    // Inspections are read, rendered and encoded on worker threads a few ahead of the one
    // being written; the document itself is written in order on this thread.
    const std::size_t ahead = std::max(2u, std::thread::hardware_concurrency());
    std::deque<std::future<Prepared>> preparing;
    std::size_t queued = 0;
    std::vector<cInspectionRecord> records(n);
    std::vector<int> priorities(n, 0);
    std::vector<InspectionOnPage> onPage(n);
    for (std::size_t i = 0; i < n; ++i) {
        while (queued < n && queued < i + ahead)
            preparing.push_back(std::async(std::launch::async, prepare, std::cref(job), queued++));
        Prepared p = preparing.front().get();
        preparing.pop_front();
        p.data.comparison = detail::comparisonOf(job, previous, i, p.data.finding);
        report.inspection(p, bookmark(i));
        records[i] = p.data.page.record;
        priorities[i] = p.data.finding.priority;
        onPage[i] = {pagePlaceholder(i), isException(p.data.finding),
                     p.data.finding.deltaT.has_value()};
        outcome.pages = static_cast<int>(i) + 1;
        if (progress && !progress(static_cast<int>(i) + 1, static_cast<int>(n))) {
            // A cancelled job waits for the work under way and writes nothing.
            preparing.clear();
            outcome.error = Error::Cancelled;
            return outcome;
        }
    }
    report.summary(records, priorities, bookmark(n));
    report.appendix(bookmark(n + 1));
    if (equipment) report.equipment(onPage, previous, bookmark(n + 2));
    const QByteArray bytes = report.finish();
    if (bytes.isEmpty()) return failed(report.problem());
    FileFailure failure;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (writeFileAtomically(target, {data, static_cast<std::size_t>(bytes.size())}, &failure) !=
        Error::None)
        return failed(QString::fromStdString(failure.reason.message()));
    outcome.error = Error::None;
    outcome.path = job.outputPath;
    return outcome;
}

}  // namespace calivue
