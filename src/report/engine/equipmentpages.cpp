#include "report/engine/equipmentpages.h"

#include "report/engine/modernpages.h"
#include "report/engine/reporttext.h"

#include "core/brixa.h"

#include "platform/stringids.h"
#include "platform/textformat.h"

#include <QDate>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

constexpr int kLeft = 100, kRight = 2380, kBottom = 3380;
constexpr int kRow = 70;
constexpr int kPad = 10;
// A cell shows at most this many lines; the rest is cut with an ellipsis.
constexpr int kMaxCellLines = 12;

QString decimal(double value)
{
    return localDecimals(QString::number(value, 'f', 1));
}

QString deltaText(double value, TempUnit unit, bool sign)
{
    QString number = decimal(value);
    if (sign && value > 0) number.prepend(u'+');
    return QStringLiteral("\u0394T ") + number + QLatin1Char(' ') +
           QString::fromStdString(unitTextOf(unit));
}

QString dateText(const std::optional<std::chrono::year_month_day>& date, const QLocale& locale)
{
    if (!date || !date->ok()) return {};
    return shortDateText(
        QDate(static_cast<int>(date->year()), static_cast<int>(unsigned(date->month())),
              static_cast<int>(unsigned(date->day()))),
        locale);
}

QString changeText(FindingChange change, const StringTable& texts)
{
    switch (change) {
        case FindingChange::RepairVerified:
            return texts.text(sid::RepairVerified);
        case FindingChange::NewException:
            return texts.text(sid::ChangeNewException);
        case FindingChange::Worse:
            return texts.text(sid::ChangeWorse);
        case FindingChange::Better:
            return texts.text(sid::ChangeBetter);
        case FindingChange::NotMeasured:
            return texts.text(sid::ChangeNotMeasured);
        case FindingChange::Unchanged:
            break;
    }
    return texts.text(sid::ChangeUnchanged);
}

int lineHeight(const QFont& font)
{
    return static_cast<int>(std::ceil(QFontMetricsF(font).lineSpacing()));
}

int boxHeight(int lines, const QFont& font)
{
    return std::max(kRow, lines * lineHeight(font) + 2 * kPad + 10);
}

// `text` laid out in a cell of `width`, cut to kMaxCellLines lines.
QStringList cellLines(const QString& text, const QFont& font, int width)
{
    QStringList lines = layoutLines(text, font, width - 2 * kPad);
    if (lines.size() > kMaxCellLines) {
        lines = lines.mid(0, kMaxCellLines);
        lines.back() += QChar(0x2026);
    }
    return lines;
}

}  // namespace

QString equipmentStatusText(const EquipmentAppendixRow& row, const StringTable& texts)
{
    switch (row.outcome) {
        case EquipmentOutcome::Exception: {
            QStringList pages;
            for (const int page : row.pages) pages << QString::number(page);
            return formatText(texts.text(pages.size() == 1 ? sid::EquipmentExceptionPage
                                                           : sid::EquipmentExceptionPages),
                              {pages.join(QStringLiteral(", "))});
        }
        case EquipmentOutcome::NoException:
            return texts.text(sid::EquipmentNoException);
        case EquipmentOutcome::NotInspected:
            break;
    }
    if (!row.item || row.item->reason.empty()) return texts.text(sid::EquipmentNotInspected);
    return formatText(texts.text(sid::EquipmentNotInspectedReason), {toQString(row.item->reason)});
}

QString equipmentCountText(const EquipmentCounts& c, const StringTable& texts)
{
    const auto n = [](std::size_t v) { return static_cast<long long>(v); };
    return formatText(texts.text(sid::EquipmentCountLine),
                      {n(c.items), n(c.inspected), n(c.exceptions), n(c.notInspected)});
}

QString previousCellText(const PreviousCell& cell, TempUnit unit, const QLocale& locale,
                         const StringTable& texts)
{
    if (!cell.item) return {};
    const PreviousItem& p = *cell.item;
    QString text;
    if (p.finding) {
        const PreviousFinding& f = *p.finding;
        QStringList parts;
        if (f.exception() && f.priority > 0)
            parts << formatText(texts.text(sid::PreviousPriority), {f.priority});
        if (f.deltaT) parts << deltaText(*f.deltaT, unit, false);
        if (const QString date = dateText(f.date, locale); !date.isEmpty()) parts << date;
        text = texts.text(f.exception() ? sid::EquipmentException : sid::EquipmentNoException);
        if (!parts.isEmpty())
            text += QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + u')';
    } else if (p.status == EquipmentStatus::Inspected) {
        text = texts.text(sid::EquipmentNoException);
    } else {
        text = p.reason.empty() ? texts.text(sid::EquipmentNotInspected)
                                : formatText(texts.text(sid::EquipmentNotInspectedReason),
                                             {toQString(p.reason)});
    }
    if (cell.repairVerified) text += QStringLiteral("; ") + texts.text(sid::RepairVerified);
    return text;
}

std::vector<PrintedLine> comparisonLines(const Comparison& c, TempUnit unit, const QLocale& locale,
                                         const StringTable& texts)
{
    const PreviousFinding& f = c.previous;
    QStringList parts;
    if (f.deltaT) parts << deltaText(*f.deltaT, unit, false);
    if (f.severity) parts << classText(*f.severity, texts);
    if (!f.exception()) parts << texts.text(sid::EquipmentNoException);
    if (f.priority > 0) parts << formatText(texts.text(sid::PreviousPriority), {f.priority});
    QString date = dateText(f.date, locale);
    if (date.isEmpty()) date = QStringLiteral("-");
    std::vector<PrintedLine> lines;
    lines.push_back(
        {formatText(texts.text(sid::PreviousSurveyLine), {date, parts.join(QStringLiteral(", "))}),
         priorityColour(f.exception() ? f.priority : 0)});
    QString change = changeText(c.change, texts);
    if (c.deltaTChange)
        change += QStringLiteral(" (") + deltaText(*c.deltaTChange, unit, true) + u')';
    lines.push_back({formatText(texts.text(sid::ChangeLine), {change})});
    return lines;
}

EquipmentPagesData equipmentPagesData(const ProjectEquipment& equipment,
                                      std::span<const InspectionOnPage> inspections,
                                      std::span<const InspectionOnPage> reserve,
                                      const PreviousFindings* previous, TempUnit unit,
                                      const QLocale& locale, const StringTable& texts)
{
    const EquipmentAppendix actual = equipmentAppendix(equipment, inspections);
    const EquipmentAppendix planned = equipmentAppendix(equipment, reserve);
    EquipmentPagesData data;
    data.counts = equipmentCountText(actual.counts, texts);
    data.countsReserve = equipmentCountText(planned.counts, texts);
    data.previousColumn = previous != nullptr;
    std::vector<PreviousCell> cells;
    if (previous) cells = previousColumn(actual, *previous);
    for (std::size_t i = 0; i < actual.rows.size(); ++i) {
        const EquipmentItem& item = *actual.rows[i].item;
        EquipmentRowText row;
        row.id = toQString(item.id);
        row.location = toQString(item.location);
        row.description = toQString(item.description);
        row.status = equipmentStatusText(actual.rows[i], texts);
        row.reserve = equipmentStatusText(planned.rows[i], texts);
        if (previous) row.previous = previousCellText(cells[i], unit, locale, texts);
        data.rows.push_back(std::move(row));
    }
    return data;
}

std::vector<PageItems> equipmentPages(const EquipmentPagesData& data, const ReportFonts& fonts,
                                      const StringTable& texts)
{
    // The columns: item, location, description, status (and previous).
    const std::vector<int> edges = data.previousColumn
                                       ? std::vector<int>{kLeft, 380, 760, 1300, 1800, kRight}
                                       : std::vector<int>{kLeft, 450, 1000, 1700, kRight};
    const std::size_t columns = edges.size() - 1;
    std::vector<PageItems> pages;
    int y = 0;
    const auto cell = [&](std::size_t c, int top, int bottom, const QString& text,
                          ReportFont font) {
        pages.back().push_back(pageItem(PageItem::Kind::Box, {edges[c], top, edges[c + 1], bottom},
                                        text, TextAlign::Left, font));
    };
    const auto width = [&](std::size_t c) { return edges[c + 1] - edges[c]; };
    const auto header = [&]() {
        pages.emplace_back();
        pages.back().push_back(pageItem(PageItem::Kind::Heading, {kLeft, 100, kRight, 170},
                                        texts.text(sid::EquipmentAppendix), TextAlign::Left,
                                        ReportFont::Heading));
        const QStringList count = cellLines(data.counts, fonts.body, kRight - kLeft);
        // Laid out as the reserve, so counting the pages before and printing them agree.
        const auto planned = cellLines(data.countsReserve, fonts.body, kRight - kLeft).size();
        const int ch = boxHeight(static_cast<int>(planned), fonts.body);
        pages.back().push_back(pageItem(PageItem::Kind::Label, {kLeft, 200, kRight, 200 + ch},
                                        count.mid(0, static_cast<qsizetype>(planned)).join(u'\n')));
        const QString heads[5] = {texts.text(sid::EquipmentItem), texts.text(sid::CaptionLocation),
                                  texts.text(sid::Description),
                                  texts.text(sid::EquipmentAppendixStatus),
                                  texts.text(sid::EquipmentPreviousColumn)};
        std::vector<QStringList> lines;
        int n = 1;
        for (std::size_t c = 0; c < columns; ++c) {
            lines.push_back(cellLines(heads[c], fonts.bold, width(c)));
            n = std::max(n, static_cast<int>(lines.back().size()));
        }
        const int top = 200 + ch + 30;
        const int h = boxHeight(n, fonts.bold);
        for (std::size_t c = 0; c < columns; ++c)
            cell(c, top, top + h, lines[c].join(u'\n'), ReportFont::Bold);
        y = top + h;
    };
    header();
    const int firstRow = y;
    for (const EquipmentRowText& row : data.rows) {
        const QString shown[5] = {row.id, row.location, row.description, row.status, row.previous};
        std::vector<QStringList> lines;
        int n = 1;
        for (std::size_t c = 0; c < columns; ++c) {
            // The status takes the room of its reserve, so every layout of it breaks alike.
            QStringList l = cellLines(shown[c], fonts.body, width(c));
            const int planned =
                c == 3 ? static_cast<int>(cellLines(row.reserve, fonts.body, width(c)).size())
                       : static_cast<int>(l.size());
            n = std::max(n, planned);
            lines.push_back(std::move(l));
        }
        // A row taller than a page is cut to the page.
        const int room = (kBottom - firstRow - 2 * kPad - 10) / lineHeight(fonts.body);
        n = std::min(n, room);
        const int h = boxHeight(n, fonts.body);
        if (y + h > kBottom && y > firstRow) header();
        for (std::size_t c = 0; c < columns; ++c)
            cell(c, y, y + h, lines[c].mid(0, n).join(u'\n'), ReportFont::Body);
        y += h;
    }
    return pages;
}

}  // namespace calivue
