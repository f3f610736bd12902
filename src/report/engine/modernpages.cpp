#include "modernpages.h"

#include "detailsdlg_text.h"
#include "moderncontent.h"
#include "findingtext.h"
#include "reporttext.h"

#include "languagetable.h"

#include "core/printrules.h"

#include "stringids.h"
#include "textformat.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>

namespace calivue {

namespace {

constexpr int kLeft = 100, kRight = 2380, kTop = 100, kBottom = 3380;
constexpr int kPad = 10;                    // the painter's text inset in boxes and labels
constexpr int kLabelW = 600;                // the label column of label | value rows
constexpr int kPaneW = 1240, kPaneH = 930;  // thermal picture and photograph: half the page
constexpr int kBlendW = 960, kBlendH = 720;
// Layout width is kept below the box's inner width, so a line laid out here never reaches
// the edge when the printer's metrics round differently.
constexpr double kWidthSafety = 0.97;

int lineHeight(const QFont& font)
{
    return static_cast<int>(std::ceil(QFontMetricsF(font).lineSpacing()));
}

// A one-line row: 70 units as on the designed pages, taller when a line of a script that comes
// from a fallback font (Japanese, Chinese, Korean) would not fit inside its insets.
int rowHeight()
{
    static const int height = [] {
        const QFontMetricsF metrics(reportFonts().body);
        const QRectF tallest =
            metrics.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop,
                                 QStringLiteral("\u6E29\u30DE\uD55C Ag"));
        return std::max(70, static_cast<int>(std::ceil(tallest.height())) + 2 * 10);
    }();
    return height;
}

// The distance from line to line of laid-out lines in font: the font's own, or more where a
// script comes from a fallback font with taller lines (Japanese, Chinese).
int linePitch(const QStringList& lines, const QFont& font)
{
    const int own = lineHeight(font);
    if (lines.isEmpty()) return own;
    const QRectF used = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, 1e6, 1e7), Qt::AlignLeft | Qt::AlignTop, lines.join(u'\n'));
    return std::max(own, static_cast<int>(std::ceil(used.height() / lines.size())));
}

// The height of a box of n lines `pitch` apart: the inset above and below and a margin for
// descenders.
int boxHeight(int lines, int pitch)
{
    return std::max(rowHeight(), lines * pitch + 2 * kPad + 10);
}
int boxHeight(int lines, const QFont& font)
{
    return boxHeight(lines, lineHeight(font));
}
int boxHeight(const QStringList& lines, const QFont& font)
{
    return boxHeight(static_cast<int>(lines.size()), linePitch(lines, font));
}

// Lays out and places the items of one inspection, opening continuation pages as it goes.
class Flow {
public:
    Flow(const ModernInspectionData& d, const ReportFonts& fonts, const StringTable& texts)
        : m_d(d), m_fonts(fonts), m_texts(texts), m_line(lineHeight(fonts.body))
    {
        pages.emplace_back();
    }

    std::vector<PageItems> pages;
    int y = kTop;

    PageItems& page() { return pages.back(); }
    PageItem& add(PageItem::Kind kind, PageRect r, QString text = {},
                  ReportFont font = ReportFont::Body, QRgb colour = 0xFF000000)
    {
        PageItem i = pageItem(kind, r, std::move(text), TextAlign::Left, font);
        i.colour = colour;
        page().push_back(std::move(i));
        return page().back();
    }

    const QFont& font(ReportFont f) const
    {
        return f == ReportFont::Bold ? m_fonts.bold
                                     : (f == ReportFont::Heading ? m_fonts.heading : m_fonts.body);
    }

    void newPage()
    {
        pages.emplace_back();
        y = kTop;
        const QString heading = formatText(m_texts.text(sid::ModernContinued), {m_d.page.number});
        const int h = boxHeight(1, m_fonts.heading);
        add(PageItem::Kind::Heading, {kLeft, y, kRight, y + h}, heading, ReportFont::Heading);
        y += h + 30;
        m_contentTop = y;
    }
    // Starts a new page unless h units fit below y (or the page is still empty).
    void need(int h)
    {
        if (y + h > kBottom && y > m_contentTop) newPage();
    }
    void markContentTop() { m_contentTop = y; }

    // A section label kept with the first line of what follows it.
    // The height of full-width rows holding texts, each a box of its own.
    int rowsHeight(const QStringList& rows) const
    {
        int h = 0;
        for (const QString& t : rows)
            h += boxHeight(layoutLines(t, m_fonts.body, innerWidth(kLeft, kRight)), m_fonts.body);
        return h;
    }
    // With `following`, the full-width rows under it: the label goes where they start, on the
    // next page when they would all move there (they fit a fresh page but not the room left),
    // so a label never stays behind alone.
    void sectionLabel(const QString& text, const QStringList& following = {})
    {
        int keep = boxHeight(1, m_fonts.body);
        if (!following.isEmpty()) {
            const int whole = rowsHeight(following);
            if (whole <= kBottom - m_contentTop) keep = whole;
        }
        need(rowHeight() + keep);
        add(PageItem::Kind::Label, {kLeft, y, kRight, y + rowHeight()}, text, ReportFont::Bold);
        y += rowHeight();
    }

    // A label | value row (or a full-width box without label) whose value grows with its
    // text and is split over pages line by line; the label is repeated on each part.
    void textRow(const QString& label, const QString& value, QRgb colour = 0xFF000000,
                 int x1 = kLeft, int x2 = kRight)
    {
        const int valueX = label.isNull() ? x1 : x1 + kLabelW;
        const QStringList labelLines =
            label.isNull() ? QStringList()
                           : layoutLines(label, m_fonts.body, innerWidth(x1, valueX));
        QStringList lines = layoutLines(value, m_fonts.body, innerWidth(valueX, x2));
        if (lines.isEmpty()) lines.append(QString());
        const int pitch =
            std::max(linePitch(lines, m_fonts.body), linePitch(labelLines, m_fonts.body));
        qsizetype i = 0;
        while (i < lines.size()) {
            const qsizetype rest = lines.size() - i;
            const int fit = std::max(0, (kBottom - y - 2 * kPad - 10) / pitch);
            const int capacity = (kBottom - m_contentTop - 2 * kPad - 10) / pitch;
            const qsizetype minimum = std::max<qsizetype>(1, labelLines.size());
            // Keep a row together when it fits a fresh page; else fill this one.
            if ((fit < minimum || (rest > fit && rest <= capacity)) && y > m_contentTop) {
                newPage();
                continue;
            }
            const qsizetype take = std::min<qsizetype>(rest, std::max(fit, 1));
            const int n = static_cast<int>(std::max<qsizetype>(take, minimum));
            const int h = boxHeight(n, pitch);
            if (!label.isNull())
                add(PageItem::Kind::Box, {x1, y, valueX, y + h}, labelLines.join(u'\n'));
            add(PageItem::Kind::Box, {valueX, y, x2, y + h}, lines.mid(i, take).join(u'\n'),
                ReportFont::Body, colour);
            y += h;
            i += take;
        }
    }

    int innerWidth(int x1, int x2) const { return x2 - x1 - 2 * kPad; }
    int line() const { return m_line; }

private:
    const ModernInspectionData& m_d;
    const ReportFonts& m_fonts;
    const StringTable& m_texts;
    int m_line;
    int m_contentTop = kTop;
};

void headingBlock(Flow& f, const ModernInspectionData& d, const ReportFonts& fonts,
                  const StringTable& texts)
{
    constexpr int boxX = 2080;
    const QStringList lines =
        layoutLines(inspectionHeading(d.page.number, d.page.record.name, texts), fonts.heading,
                    boxX - 40 - kLeft);
    const int h = std::max(150, static_cast<int>(lines.size()) * linePitch(lines, fonts.heading));
    f.add(PageItem::Kind::Heading, {kLeft, f.y, boxX - 40, f.y + h}, lines.join(u'\n'),
          ReportFont::Heading);
    const int priority = d.finding.priority;
    const QStringList priorityLines =
        layoutLines(texts.text(sid::Priority), fonts.bold, kRight - boxX - 2 * kPad);
    const int ph = boxHeight(priorityLines, fonts.bold);
    f.add(PageItem::Kind::Label, {boxX, f.y, kRight, f.y + ph}, priorityLines.join(u'\n'),
          ReportFont::Bold);
    f.add(PageItem::Kind::Box, {boxX, f.y + ph, kRight, f.y + ph + 100},
          priority > 0 ? QString::number(priority) : QStringLiteral("-"), ReportFont::Heading,
          priorityColour(priority));
    f.page().back().align = TextAlign::Centre;
    f.y += std::max(h, ph + 100) + 30;
}

void detailsBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    for (const ModernRow& row : modernDetailRows(d, texts)) f.textRow(row.label, row.value);
    f.y += 30;
}

// The widths the readings table's columns need (marker, temperature and, where a marker's
// emissivity differs from the image's, emissivity): the widest text of each plus the insets.
std::vector<int> readingColumns(const ModernInspectionData& d, const ReportFonts& fonts,
                                const StringTable& texts)
{
    const bool withEmissivity = modernReadingsWithEmissivity(d);
    const QFontMetricsF body(fonts.body), bold(fonts.bold);
    std::vector<int> widths = {0, 0};
    if (withEmissivity) widths.push_back(0);
    const auto widen = [&](std::size_t c, const QString& t, const QFontMetricsF& m) {
        widths[c] =
            std::max(widths[c], static_cast<int>(std::ceil(m.horizontalAdvance(t) / kWidthSafety)) +
                                    2 * kPad + 10);
    };
    widen(0, texts.text(sid::ModernMarker), bold);
    widen(1, texts.text(sid::ModernTemperature), bold);
    if (withEmissivity) widen(2, texts.text(sid::ModernEmissivity), bold);
    for (const ModernReading& r : d.readings) {
        widen(0, r.label, body);
        widen(1, r.temperature, body);
        if (withEmissivity) widen(2, r.emissivity, body);
    }
    return widths;
}

// The readings table from x1 on, its columns widened in proportion to fill x2 - x1.
void readingsTable(Flow& f, const ModernInspectionData& d, const ReportFonts& fonts,
                   const StringTable& texts, int x1, int x2)
{
    if (d.readings.empty()) return;
    std::vector<int> widths = readingColumns(d, fonts, texts);
    int needed = 0;
    for (int w : widths) needed += w;
    std::vector<int> edges = {x1};
    for (std::size_t c = 0; c < widths.size(); ++c)
        edges.push_back(c + 1 == widths.size()
                            ? x2
                            : edges.back() + widths[c] * std::max(needed, x2 - x1) / needed);
    const auto row = [&](const std::vector<QString>& cells, QRgb colour, ReportFont font) {
        f.need(rowHeight());
        for (std::size_t c = 0; c < widths.size(); ++c)
            f.add(PageItem::Kind::Box, {edges[c], f.y, edges[c + 1], f.y + rowHeight()}, cells[c],
                  font, c == 0 ? colour : 0xFF000000);
        f.y += rowHeight();
    };
    row({texts.text(sid::ModernMarker), texts.text(sid::ModernTemperature),
         texts.text(sid::ModernEmissivity)},
        0xFF000000, ReportFont::Bold);
    for (const ModernReading& r : d.readings)
        row({r.label, r.temperature, r.emissivity}, r.colour, ReportFont::Body);
}

void picturesBlock(Flow& f, const ModernInspectionData& d, const ReportFonts& fonts,
                   const StringTable& texts)
{
    const InspectionPageData& p = d.page;
    if (!p.snapshot.loaded) {
        f.textRow(QString(), modernPictureFailure(p, texts));
        f.y += 30;
        return;
    }
    // A portrait picture (turned a quarter) keeps the width, at least half the page's, and
    // grows in height; the blend pane turns with it.
    const bool portrait = d.pictures.portrait();
    const int paneW = kPaneW;
    const int paneH = portrait ? kPaneW * 4 / 3 : kPaneH;
    const int blendW = portrait ? kBlendH : kBlendW;
    const int blendH = portrait ? kBlendW : kBlendH;
    f.need(rowHeight() + paneH);
    const int top = f.y;
    f.add(PageItem::Kind::Label, {kLeft, top, kLeft + paneW, top + rowHeight()},
          texts.text(sid::ThermalSnapshot), ReportFont::Bold);
    f.add(PageItem::Kind::Picture,
          {kLeft, top + rowHeight(), kLeft + paneW, top + rowHeight() + paneH})
        .picture = PictureThermal;
    // The colour scale: the span's ends beside a bar of the palette.
    const int barX = kLeft + paneW + 30;
    constexpr int barW = 60;
    const int labelX = barX + barW + 10;
    const int bottom = top + rowHeight() + paneH;
    f.add(PageItem::Kind::Picture, {barX, top + rowHeight(), barX + barW, bottom}).picture =
        PictureScale;
    f.add(PageItem::Kind::Label,
          {labelX, top + rowHeight() - kPad, labelX + 330, top + 2 * rowHeight()},
          d.pictures.spanHigh);
    f.add(PageItem::Kind::Label, {labelX, bottom - rowHeight() + kPad, labelX + 330, bottom + kPad},
          d.pictures.spanLow);
    // The readings in the column right of the scale when they fit its height.
    const int columnX = labelX + 340;
    const int tableH = rowHeight() * (static_cast<int>(d.readings.size()) + 1);
    int tableW = 0;
    for (int w : readingColumns(d, fonts, texts)) tableW += w;
    const bool beside = tableH <= paneH && tableW <= kRight - columnX;
    if (beside) {
        f.y = top + rowHeight();
        readingsTable(f, d, fonts, texts, columnX, kRight);
    }
    f.y = bottom + 30;
    if (d.pictures.photograph) {
        const int h = rowHeight() + paneH;
        f.need(h);
        const int t = f.y;
        f.add(PageItem::Kind::Label, {kLeft, t, kLeft + paneW, t + rowHeight()},
              texts.text(sid::VisibleImage), ReportFont::Bold);
        f.add(PageItem::Kind::Picture, {kLeft, t + rowHeight(), kLeft + paneW, t + h}).picture =
            PicturePhotograph;
        if (d.pictures.blend) {
            const QStringList caption =
                layoutLines(texts.text(sid::ThermalAndVisibleBlend), fonts.bold, blendW - 2 * kPad);
            const int ch = boxHeight(caption, fonts.bold);
            f.add(PageItem::Kind::Label, {kRight - blendW, t, kRight, t + ch}, caption.join(u'\n'),
                  ReportFont::Bold);
            f.add(PageItem::Kind::Picture, {kRight - blendW, t + ch, kRight, t + ch + blendH})
                .picture = PictureBlend;
        }
        f.y = t + h + 30;
    }
    if (!beside) {
        f.sectionLabel(texts.text(sid::ModernReadings));
        readingsTable(f, d, fonts, texts, kLeft, kRight);
        f.y += 30;
    }
}

void findingBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    const std::vector<PrintedLine> lines =
        findingLines(d.finding, d.settings, d.page.templateNumber, d.page.unit, texts);
    // A finding that says nothing prints no heading either.
    if (lines.empty() && d.comparison.empty()) return;
    QStringList rows;
    for (const PrintedLine& line : lines) rows << line.text;
    for (const PrintedLine& line : d.comparison) rows << line.text;
    f.sectionLabel(texts.text(sid::ModernFinding), rows);
    for (const PrintedLine& line : lines) f.textRow(QString(), line.text, line.colour);
    for (const PrintedLine& line : d.comparison) f.textRow(QString(), line.text, line.colour);
    f.y += 30;
}

void parametersBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    f.sectionLabel(texts.text(sid::MeasurementParameters));
    for (const ModernRow& row : modernParameterRows(d, texts)) f.textRow(row.label, row.value);
    f.y += 30;
}

void textsBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    for (const ModernTextSection& section : modernTextSections(d, texts)) {
        f.sectionLabel(section.heading, {section.text});
        f.textRow(QString(), section.text);
        f.y += 30;
    }
}

void repairBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    f.need(rowHeight() * 5);
    f.add(PageItem::Kind::Label, {kLeft, f.y, kRight, f.y + rowHeight()},
          texts.text(sid::RepairAction), ReportFont::Bold);
    f.y += rowHeight();
    const ModernRepairCells cells = modernRepairCells(d, texts);
    constexpr int cw = (kRight - kLeft) / 3;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col)
            f.add(PageItem::Kind::Box,
                  {kLeft + cw * col, f.y, kLeft + cw * (col + 1), f.y + rowHeight()},
                  cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)],
                  row == 0 ? ReportFont::Bold : ReportFont::Body);
        f.y += rowHeight();
    }
}

}  // namespace

QStringList layoutLines(const QString& text, const QFont& font, double width)
{
    QStringList out;
    const double w = std::max(1.0, width * kWidthSafety);
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    if (normalised.isEmpty()) return out;
    for (const QString& paragraph : normalised.split(u'\n')) {
        if (paragraph.isEmpty()) {
            out.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(w);
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (!part.isEmpty() && part.back().isSpace()) part.chop(1);
            out.append(part);
        }
    }
    return out;
}

std::vector<PageItems> modernInspectionPages(const ModernInspectionData& d,
                                             const ReportFonts& fonts, const StringTable& texts)
{
    Flow f(d, fonts, texts);
    headingBlock(f, d, fonts, texts);
    f.markContentTop();
    detailsBlock(f, d, texts);
    picturesBlock(f, d, fonts, texts);
    findingBlock(f, d, texts);
    textsBlock(f, d, texts);
    parametersBlock(f, d, texts);
    repairBlock(f, d, texts);
    return std::move(f.pages);
}

std::vector<PageItems> modernSummaryPages(const std::vector<cInspectionRecord>& records,
                                          const std::vector<int>& priorities,
                                          const ReportFonts& fonts, const StringTable& texts)
{
    constexpr int edges[6] = {kLeft, 300, 825, 1350, 2180, kRight};
    std::vector<PageItems> pages;
    int y = 0;
    const auto cell = [&](int c, int top, int bottom, const QString& text, ReportFont font,
                          QRgb colour = 0xFF000000) {
        PageItem i = pageItem(PageItem::Kind::Box, {edges[c], top, edges[c + 1], bottom}, text,
                              c == 0 || c == 4 ? TextAlign::Centre : TextAlign::Left, font);
        i.colour = colour;
        pages.back().push_back(std::move(i));
    };
    const auto header = [&]() {
        pages.emplace_back();
        pages.back().push_back(pageItem(PageItem::Kind::Heading, {kLeft, kTop, kRight, kTop + 100},
                                        texts.text(sid::Summary), TextAlign::Left,
                                        ReportFont::Heading));
        const QString heads[5] = {texts.text(sid::InspNo), texts.text(sid::CaptionLocation),
                                  texts.text(sid::CaptionEquipment), texts.text(sid::FaultAction),
                                  texts.text(sid::Priority)};
        std::vector<QStringList> lines;
        int n = 1, pitch = lineHeight(fonts.bold);
        for (int c = 0; c < 5; ++c) {
            lines.push_back(layoutLines(heads[c], fonts.bold, edges[c + 1] - edges[c] - 2 * kPad));
            n = std::max(n, static_cast<int>(lines.back().size()));
            pitch = std::max(pitch, linePitch(lines.back(), fonts.bold));
        }
        const int h = boxHeight(n, pitch);
        for (int c = 0; c < 5; ++c)
            cell(c, 270, 270 + h, lines[static_cast<std::size_t>(c)].join(u'\n'), ReportFont::Bold);
        y = 270 + h;
    };
    header();
    for (std::size_t r = 0; r < records.size(); ++r) {
        const cInspectionRecord& rec = records[r];
        const int priority = r < priorities.size() ? priorities[r] : 0;
        const QString cells[5] = {QString::number(r + 1), toQString(rec.location),
                                  toQString(rec.equipment), toQString(rec.faultAction),
                                  priority > 0 ? QString::number(priority) : QString()};
        std::vector<QStringList> lines;
        int line = lineHeight(fonts.body);
        for (int c = 0; c < 5; ++c) {
            lines.push_back(layoutLines(cells[c], fonts.body, edges[c + 1] - edges[c] - 2 * kPad));
            line = std::max(line, linePitch(lines.back(), fonts.body));
        }
        // The row is split over pages line by line where it is taller than the room left.
        for (int from = 0;;) {
            int rest = 1;
            for (const QStringList& l : lines)
                rest = std::max(rest, static_cast<int>(l.size()) - from);
            const int room = (kBottom - y - 2 * kPad - 10) / line;
            if (room < std::min(rest, 3) && y > 400) {
                header();
                continue;
            }
            const int take = std::max(1, std::min(rest, room));
            const int h = boxHeight(take, line);
            for (int c = 0; c < 5; ++c)
                cell(c, y, y + h, lines[static_cast<std::size_t>(c)].mid(from, take).join(u'\n'),
                     ReportFont::Body, c == 4 ? priorityColour(priority) : 0xFF000000);
            y += h;
            from += take;
            if (take >= rest) break;
            header();
        }
    }
    return pages;
}

void mirrorForRightToLeft(PageItems& items)
{
    for (PageItem& i : items) {
        const int x1 = kModernPageWidth - i.rect.x2, x2 = kModernPageWidth - i.rect.x1;
        i.rect.x1 = x1;
        i.rect.x2 = x2;
        // A line keeps its own direction: both ends mirror.
        if (i.kind == PageItem::Kind::Line) std::swap(i.rect.x1, i.rect.x2);
        i.rightToLeft = true;
        // Only a text that reads from the right reorders its numbers.
        if (hasRightToLeftLetters(i.text)) i.text = isolateNumbers(i.text);
    }
}

PageRect modernContentsRowRect(int j)
{
    return {kLeft, 330 + rowHeight() * j, kRight, 330 + rowHeight() * (j + 1)};
}

PageItems modernContentsPage(const std::vector<ModernContentsRow>& rows, int k,
                             const ReportFonts& fonts, const StringTable& texts)
{
    PageItems items;
    items.push_back(pageItem(PageItem::Kind::Heading, {kLeft, kTop, kRight, kTop + 100},
                             texts.text(sid::Contents), TextAlign::Left, ReportFont::Heading));
    items.push_back(pageItem(PageItem::Kind::Label, {kLeft, 250, 2000, 320},
                             texts.text(sid::Description), TextAlign::Left, ReportFont::Bold));
    items.push_back(pageItem(PageItem::Kind::Label, {2000, 250, kRight, 320},
                             texts.text(sid::PageNo), TextAlign::Right, ReportFont::Bold));
    const QFontMetricsF metrics(fonts.body);
    const std::size_t first = static_cast<std::size_t>(k) * kModernContentsRows;
    for (std::size_t i = first; i < rows.size() && i < first + kModernContentsRows; ++i) {
        const int y = modernContentsRowRect(static_cast<int>(i - first)).y1;
        items.push_back(pageItem(PageItem::Kind::Label, {kLeft, y, 2000, y + rowHeight()},
                                 metrics.elidedText(rows[i].text, Qt::ElideRight,
                                                    (2000 - kLeft - 2 * kPad) * kWidthSafety)));
        items.push_back(pageItem(PageItem::Kind::Label, {2000, y, kRight, y + rowHeight()},
                                 QString::number(rows[i].page), TextAlign::Right));
    }
    return items;
}

}  // namespace calivue
