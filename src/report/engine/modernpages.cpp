#include "report/engine/modernpages.h"
#include "report/engine/modernmetrics.h"

#include "report/engine/detailsdlg_text.h"
#include "report/engine/moderncontent.h"
#include "report/engine/findingtext.h"
#include "report/engine/reporttext.h"

#include "platform/languagetable.h"

#include "core/printrules.h"

#include "platform/stringids.h"
#include "platform/textformat.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <optional>

namespace calivue {

using namespace modern;

namespace {

constexpr int kLabelW = 600;                // the label column of label | value rows
constexpr int kPaneW = 1240, kPaneH = 930;  // thermal picture and photograph: half the page
constexpr int kBlendW = 960, kBlendH = 720;
constexpr int kGap = 24;        // between the blocks of a page
constexpr int kColumnGap = 40;  // between tables standing side by side

// How an inspection is tried on its page: the photograph row (photograph and blend) at
// `photoPercent` of its full size. Smaller sizes are tried only when the full one does not
// let the inspection fit one page.
struct LayoutChoice {
    int photoPercent = 100;
};

// Lays out and places the items of one inspection, opening continuation pages as it goes.
class Flow {
public:
    Flow(const ModernInspectionData& d, const ReportFonts& fonts, const StringTable& texts,
         LayoutChoice choice)
        : choice(choice), m_d(d), m_fonts(fonts), m_texts(texts), m_line(lineHeight(fonts.body))
    {
        pages.emplace_back();
    }

    LayoutChoice choice;
    std::vector<PageItems> pages;
    int y = kTop;
    // The measurement parameters and the repair table once they have their place (beside
    // the photograph when they fit there).
    bool parametersPlaced = false, repairPlaced = false;
    // The finding once it has its place (under the readings beside a tall thermal picture).
    bool findingPlaced = false;

    // Lays a block out on a scratch copy of this flow from y = top and returns its items when
    // it stays on this page with its foot at or above `limit` (the flow itself is unchanged);
    // `bottom` receives the foot.
    template <typename Block>
    std::optional<PageItems> trial(int top, int limit, int& bottom, Block&& block) const
    {
        Flow scratch(*this);
        scratch.pages.assign(1, PageItems());
        scratch.y = top;
        block(scratch);
        if (scratch.pages.size() != 1 || scratch.y > limit) return std::nullopt;
        bottom = scratch.y;
        return std::move(scratch.pages.front());
    }
    void place(PageItems items)
    {
        for (PageItem& i : items) page().push_back(std::move(i));
    }

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
    int contentTop() const { return m_contentTop; }

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
    void sectionLabel(const QString& text, const QStringList& following = {}, int x1 = kLeft,
                      int x2 = kRight)
    {
        int keep = boxHeight(1, m_fonts.body);
        if (!following.isEmpty()) {
            const int whole = rowsHeight(following);
            if (whole <= kBottom - m_contentTop) keep = whole;
        }
        const QStringList lines = layoutLines(text, m_fonts.bold, innerWidth(x1, x2));
        const int h = std::max(rowHeight(), boxHeight(lines, m_fonts.bold));
        need(h + keep);
        // A label that opens the page belongs to its top: what follows fills the page under
        // it rather than leaving it alone.
        const bool opensPage = y == m_contentTop;
        add(PageItem::Kind::Label, {x1, y, x2, y + h}, lines.join(u'\n'), ReportFont::Bold);
        y += h;
        if (opensPage) m_contentTop = y;
    }

    // A label | value row (or a full-width box without label) whose value grows with its
    // text and is split over pages line by line; the label is repeated on each part.
    // `labelWidth` 0: the label column's usual width (two fifths of a narrow table).
    void textRow(const QString& label, const QString& value, QRgb colour = 0xFF000000,
                 int x1 = kLeft, int x2 = kRight, int labelWidth = 0)
    {
        const int labelW = labelWidth > 0 ? labelWidth : std::min(kLabelW, (x2 - x1) * 2 / 5);
        const int valueX = label.isNull() ? x1 : x1 + labelW;
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

// The heading, and at its right the priority in its colour with its label before it.
void headingBlock(Flow& f, const ModernInspectionData& d, const ReportFonts& fonts,
                  const StringTable& texts)
{
    constexpr int boxX = 2180, labelX = 1800, boxH = 100;
    const QStringList lines =
        layoutLines(inspectionHeading(d.page.number, d.page.record.name, texts), fonts.heading,
                    labelX - 40 - kLeft);
    const int h = std::max(boxH, static_cast<int>(lines.size()) * linePitch(lines, fonts.heading));
    f.add(PageItem::Kind::Heading, {kLeft, f.y, labelX - 40, f.y + h}, lines.join(u'\n'),
          ReportFont::Heading);
    const int priority = d.finding.priority;
    const QStringList priorityLines =
        layoutLines(texts.text(sid::Priority), fonts.bold, boxX - labelX - 2 * kPad);
    const int ph = std::max(boxH, boxHeight(priorityLines, fonts.bold));
    f.add(PageItem::Kind::Label, {labelX, f.y, boxX, f.y + ph}, priorityLines.join(u'\n'),
          ReportFont::Bold);
    f.page().back().align = TextAlign::Right;
    f.add(PageItem::Kind::Box, {boxX, f.y, kRight, f.y + boxH},
          priority > 0 ? QString::number(priority) : QStringLiteral("-"), ReportFont::Heading,
          priorityColour(priority));
    f.page().back().align = TextAlign::Centre;
    f.y += std::max(h, ph) + kGap;
}

// The details two to a row (equipment beside location, operator beside the capture time)
// where both of a pair fit this page, their boxes made as tall as the taller one's; else
// one to a row across the page.
void detailsBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    constexpr int mid = (kLeft + kRight) / 2;
    const std::vector<ModernRow> rows = modernDetailRows(d, texts);
    for (std::size_t r = 0; r < rows.size(); r += 2) {
        if (r + 1 == rows.size()) {
            f.textRow(rows[r].label, rows[r].value);
            break;
        }
        int left = 0, right = 0;
        auto a = f.trial(f.y, kBottom, left, [&](Flow& s) {
            s.textRow(rows[r].label, rows[r].value, 0xFF000000, kLeft, mid);
        });
        auto b = f.trial(f.y, kBottom, right, [&](Flow& s) {
            s.textRow(rows[r + 1].label, rows[r + 1].value, 0xFF000000, mid, kRight);
        });
        if (a && b) {
            const int bottom = std::max(left, right);
            for (PageItems* items : {&*a, &*b}) {
                for (PageItem& i : *items)
                    if (i.rect.y2 == (items == &*a ? left : right)) i.rect.y2 = bottom;
                f.place(std::move(*items));
            }
            f.y = bottom;
            continue;
        }
        f.textRow(rows[r].label, rows[r].value);
        f.textRow(rows[r + 1].label, rows[r + 1].value);
    }
    f.y += kGap;
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

void parametersBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts,
                     int x1 = kLeft, int x2 = kRight)
{
    f.sectionLabel(texts.text(sid::MeasurementParameters), {}, x1, x2);
    const std::vector<ModernRow> rows = modernParameterRows(d, texts);
    // The label column as wide as its longest label ("Globaler Emissionsgrad:") needs, so
    // the labels stay on one line where the table has room: between a quarter and three
    // fifths of the table (the values are mostly short numbers).
    const QFontMetricsF metrics(f.font(ReportFont::Body));
    int widest = 0;
    for (const ModernRow& row : rows)
        widest = std::max(widest, static_cast<int>(std::ceil(metrics.horizontalAdvance(row.label) /
                                                             kWidthSafety)));
    const int labelW = std::clamp(widest + 2 * kPad + 10, (x2 - x1) / 4, (x2 - x1) * 3 / 5);
    for (const ModernRow& row : rows) f.textRow(row.label, row.value, 0xFF000000, x1, x2, labelW);
}

// The widths the repair table's columns need for their texts on one line each.
std::array<int, 3> repairColumnWidths(const Flow& f, const ModernRepairCells& cells)
{
    std::array<int, 3> widths{};
    for (std::size_t row = 0; row < 4; ++row) {
        const QFontMetricsF metrics(f.font(row == 0 ? ReportFont::Bold : ReportFont::Body));
        for (std::size_t col = 0; col < 3; ++col)
            widths[col] = std::max(
                widths[col], static_cast<int>(std::ceil(metrics.horizontalAdvance(cells[row][col]) /
                                                        kWidthSafety)) +
                                 2 * kPad + 10);
    }
    return widths;
}

// Whether the repair table's texts stay on one line each between x1 and x2: a place beside
// the pictures is taken only then.
bool repairFits(const Flow& f, const ModernInspectionData& d, const StringTable& texts, int x1,
                int x2)
{
    const std::array<int, 3> need = repairColumnWidths(f, modernRepairCells(d, texts));
    return need[0] + need[1] + need[2] <= x2 - x1;
}

// The repair table: three columns, each row as tall as its tallest cell.
void repairBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts, int x1 = kLeft,
                 int x2 = kRight)
{
    const ModernRepairCells cells = modernRepairCells(d, texts);
    // Three equal columns (room to write a date by hand) where every text fits its third; else
    // columns in proportion to what they hold, or equal again where the texts need more than
    // the table has and break.
    const std::array<int, 3> need = repairColumnWidths(f, cells);
    const int needed = need[0] + need[1] + need[2];
    const bool thirds = std::max({need[0], need[1], need[2]}) <= (x2 - x1) / 3;
    std::array<int, 4> edges = {x1, 0, 0, x2};
    for (std::size_t c = 1; c < 3; ++c)
        edges[c] = !thirds && needed <= x2 - x1 ? edges[c - 1] + need[c - 1] * (x2 - x1) / needed
                                                : x1 + (x2 - x1) * static_cast<int>(c) / 3;
    std::array<std::array<QStringList, 3>, 4> lines;
    std::array<int, 4> heights{};
    int whole = 0;
    for (std::size_t row = 0; row < 4; ++row) {
        const QFont& font = f.font(row == 0 ? ReportFont::Bold : ReportFont::Body);
        for (std::size_t col = 0; col < 3; ++col) {
            lines[row][col] =
                layoutLines(cells[row][col], font, f.innerWidth(edges[col], edges[col + 1]));
            heights[row] = std::max(heights[row], boxHeight(lines[row][col], font));
        }
        whole += heights[row];
    }
    const QStringList title =
        layoutLines(texts.text(sid::RepairAction), f.font(ReportFont::Bold), f.innerWidth(x1, x2));
    const int titleH = std::max(rowHeight(), boxHeight(title, f.font(ReportFont::Bold)));
    f.need(titleH + whole);
    f.add(PageItem::Kind::Label, {x1, f.y, x2, f.y + titleH}, title.join(u'\n'), ReportFont::Bold);
    f.y += titleH;
    for (std::size_t row = 0; row < 4; ++row) {
        for (std::size_t col = 0; col < 3; ++col)
            f.add(PageItem::Kind::Box, {edges[col], f.y, edges[col + 1], f.y + heights[row]},
                  lines[row][col].join(u'\n'), row == 0 ? ReportFont::Bold : ReportFont::Body);
        f.y += heights[row];
    }
}

// Sentences in their colours in one box, one under the other at one pitch: lower than a box
// each. Where the box does not fit the room left the sentences go a box each, split over pages
// as any text row.
void sentencesBox(Flow& f, const std::vector<PrintedLine>& sentences, int x1, int x2)
{
    const QFont& body = f.font(ReportFont::Body);
    std::vector<QStringList> laid;
    int pitch = lineHeight(body), count = 0;
    for (const PrintedLine& s : sentences) {
        laid.push_back(layoutLines(s.text, body, f.innerWidth(x1, x2)));
        if (laid.back().isEmpty()) laid.back().append(QString());
        pitch = std::max(pitch, linePitch(laid.back(), body));
        count += static_cast<int>(laid.back().size());
    }
    const int h = boxHeight(count, pitch);
    if (f.y + h > kBottom) {
        for (const PrintedLine& s : sentences) f.textRow(QString(), s.text, s.colour, x1, x2);
        return;
    }
    f.add(PageItem::Kind::Box, {x1, f.y, x2, f.y + h});
    int y = f.y;
    for (std::size_t k = 0; k < sentences.size(); ++k) {
        const int n = static_cast<int>(laid[k].size());
        f.add(PageItem::Kind::Label, {x1, y, x2, y + n * pitch + 2 * kPad + 10},
              laid[k].join(u'\n'), ReportFont::Body, sentences[k].colour);
        y += n * pitch;
    }
    f.y += h;
}

// The finding's sentences and the comparison with the previous survey, between x1 and x2.
void findingBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts, int x1 = kLeft,
                  int x2 = kRight)
{
    if (f.findingPlaced) return;
    std::vector<PrintedLine> lines =
        findingLines(d.finding, d.settings, d.page.reportTemplate, d.page.unit, texts);
    // A finding that says nothing prints no heading either.
    if (lines.empty() && d.comparison.empty()) return;
    lines.insert(lines.end(), d.comparison.begin(), d.comparison.end());
    QStringList rows;
    for (const PrintedLine& line : lines) rows << line.text;
    f.sectionLabel(texts.text(sid::ModernFinding), rows, x1, x2);
    sentencesBox(f, lines, x1, x2);
    f.y += kGap;
}

// The measurement parameters and the repair table side by side between x1 and x2 from top,
// when both end at or above limit on this page; returns the foot of the taller, or 0.
int tablesSideBySide(Flow& f, const ModernInspectionData& d, const StringTable& texts, int x1,
                     int x2, int top, int limit)
{
    const int mid = (x1 + x2) / 2;
    int left = 0, right = 0;
    auto parameters = f.trial(
        top, limit, left, [&](Flow& s) { parametersBlock(s, d, texts, x1, mid - kColumnGap / 2); });
    if (!repairFits(f, d, texts, mid + kColumnGap / 2, x2)) return 0;
    auto repair = f.trial(top, limit, right,
                          [&](Flow& s) { repairBlock(s, d, texts, mid + kColumnGap / 2, x2); });
    if (!parameters || !repair) return 0;
    f.place(std::move(*parameters));
    f.place(std::move(*repair));
    f.parametersPlaced = f.repairPlaced = true;
    return std::max(left, right);
}

// Beside the photograph (x1 to x2, top to limit): the measurement parameters and the repair
// table side by side where the room is wide enough, else one under the other, as many of the
// two, in that order, as fit there.
void besidePhotograph(Flow& f, const ModernInspectionData& d, const StringTable& texts, int x1,
                      int x2, int top, int limit)
{
    // Narrower than this the labels would break into many lines.
    constexpr int kNarrowest = 700;
    if (x2 - x1 < kNarrowest) return;
    if (x2 - x1 >= 2 * kNarrowest + kColumnGap &&
        tablesSideBySide(f, d, texts, x1, x2, top, limit) > 0)
        return;
    int bottom = top;
    if (auto items =
            f.trial(top, limit, bottom, [&](Flow& s) { parametersBlock(s, d, texts, x1, x2); })) {
        f.place(std::move(*items));
        f.parametersPlaced = true;
        top = bottom + kGap;
    }
    if (!repairFits(f, d, texts, x1, x2)) return;
    if (auto items =
            f.trial(top, limit, bottom, [&](Flow& s) { repairBlock(s, d, texts, x1, x2); })) {
        f.place(std::move(*items));
        f.repairPlaced = true;
    }
}

void picturesBlock(Flow& f, const ModernInspectionData& d, const ReportFonts& fonts,
                   const StringTable& texts)
{
    const InspectionPageData& p = d.page;
    if (!p.snapshot.loaded) {
        f.textRow(QString(), modernPictureFailure(p, texts));
        f.y += kGap;
        return;
    }
    // A portrait picture (turned a quarter) keeps the width, at least half the page's, and
    // grows in height; the blend pane turns with it.
    const bool portrait = d.pictures.portrait();
    const int paneW = kPaneW;
    const int paneH = portrait ? kPaneW * 4 / 3 : kPaneH;
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
        // The finding under the readings when the picture is tall enough to leave it room.
        int foot = 0;
        if (auto items = f.trial(f.y + kGap, bottom, foot,
                                 [&](Flow& s) { findingBlock(s, d, texts, columnX, kRight); })) {
            f.place(std::move(*items));
            f.findingPlaced = true;
        }
    }
    f.y = bottom + kGap;
    if (d.pictures.photograph) {
        // The photograph row at the size the layout tries (the full size is the thermal
        // picture's, so the markers stand at the same scale).
        const int scale = f.choice.photoPercent;
        const int photoW = paneW * scale / 100, photoH = paneH * scale / 100;
        const int blendW = (portrait ? kBlendH : kBlendW) * scale / 100;
        const int blendH = (portrait ? kBlendW : kBlendH) * scale / 100;
        const QStringList caption =
            layoutLines(texts.text(sid::ThermalAndVisibleBlend), fonts.bold, blendW - 2 * kPad);
        const int ch = boxHeight(caption, fonts.bold);
        const int h = std::max(rowHeight() + photoH, d.pictures.blend ? ch + blendH : 0);
        f.need(h);
        const int t = f.y;
        f.add(PageItem::Kind::Label, {kLeft, t, kLeft + photoW, t + rowHeight()},
              texts.text(sid::VisibleImage), ReportFont::Bold);
        f.add(PageItem::Kind::Picture,
              {kLeft, t + rowHeight(), kLeft + photoW, t + rowHeight() + photoH})
            .picture = PicturePhotograph;
        if (d.pictures.blend) {
            f.add(PageItem::Kind::Label, {kRight - blendW, t, kRight, t + ch}, caption.join(u'\n'),
                  ReportFont::Bold);
            f.add(PageItem::Kind::Picture, {kRight - blendW, t + ch, kRight, t + ch + blendH})
                .picture = PictureBlend;
        }
        // Between the photograph and the blend (or the margin), when there is room.
        const int columnEnd = d.pictures.blend ? kRight - blendW - kColumnGap : kRight;
        besidePhotograph(f, d, texts, kLeft + photoW + kColumnGap, columnEnd, t, t + h);
        f.y = t + h + kGap;
    }
    if (!beside) {
        f.sectionLabel(texts.text(sid::ModernReadings));
        readingsTable(f, d, fonts, texts, kLeft, kRight);
        f.y += kGap;
    }
}

void textsBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    for (const ModernTextSection& section : modernTextSections(d, texts)) {
        f.sectionLabel(section.heading, {section.text});
        f.textRow(QString(), section.text);
        f.y += kGap;
    }
}

// The parameters and the repair table that found no place beside the photograph: side by
// side, on this page or together on the next, else one under the other across the page.
void tablesBlock(Flow& f, const ModernInspectionData& d, const StringTable& texts)
{
    constexpr int mid = (kLeft + kRight) / 2;
    if (!f.parametersPlaced && !f.repairPlaced && repairFits(f, d, texts, mid, kRight)) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (const int foot = tablesSideBySide(f, d, texts, kLeft, kRight, f.y, kBottom)) {
                f.y = foot;
                return;
            }
            if (f.y <= f.contentTop()) break;
            f.newPage();
        }
    }
    if (!f.parametersPlaced) {
        parametersBlock(f, d, texts);
        f.y += kGap;
    }
    if (!f.repairPlaced) repairBlock(f, d, texts);
}

std::vector<PageItems> layOut(const ModernInspectionData& d, const ReportFonts& fonts,
                              const StringTable& texts, LayoutChoice choice)
{
    Flow f(d, fonts, texts, choice);
    headingBlock(f, d, fonts, texts);
    f.markContentTop();
    detailsBlock(f, d, texts);
    picturesBlock(f, d, fonts, texts);
    findingBlock(f, d, texts);
    textsBlock(f, d, texts);
    tablesBlock(f, d, texts);
    return std::move(f.pages);
}

}  // namespace

namespace {

// paragraph with the space between a number and its unit ("14.8 °C", "40 %") made one that
// does not break, so a line never ends on a number whose unit starts the next.
QString unitsKeptWithNumbers(const QString& paragraph)
{
    static const QRegularExpression gap(QStringLiteral("(?<=\\d) (?=\\x{00B0}|%|K(?!\\p{L}))"));
    QString out = paragraph;
    for (auto it = gap.globalMatch(paragraph); it.hasNext();)
        out[it.next().capturedStart()] = QChar(0x00A0);
    return out;
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
        // Laid out with the units kept; the lines are cut from the text as given.
        QTextLayout layout(unitsKeptWithNumbers(paragraph), font);
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
    // The full-size photograph first; a smaller one only where it saves a page.
    std::vector<PageItems> best = layOut(d, fonts, texts, {});
    if (best.size() > 1 && d.page.snapshot.loaded && d.pictures.photograph)
        for (const int percent : {90, 80, 70, 60}) {
            std::vector<PageItems> pages = layOut(d, fonts, texts, {percent});
            if (pages.size() < best.size()) best = std::move(pages);
            if (best.size() == 1) break;
        }
    return best;
}

}  // namespace calivue
