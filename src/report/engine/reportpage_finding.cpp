// What a report with findings adds to the designed pages: the finding band of an inspection
// page and the appendix "Severity criteria".
#include "report/engine/reportpage.h"

#include "report/engine/criteriacontent.h"
#include "report/engine/findingtext.h"
#include "report/engine/reportpagepainter.h"

#include "core/brixa.h"

#include "platform/stringids.h"
#include "platform/textformat.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

const QString kEllipsis = QString(QChar(0x2026));

// The band's two columns: item rectangles kColumn wide, kColumnGap apart; a label's text sits
// inside its rectangle shrunk by 10, so a line is kColumn - 20 wide.
constexpr int kColumnGap = 40;
constexpr int kColumn = (kFindingBand.x2 - kFindingBand.x1 - kColumnGap) / 2;
constexpr int kColumnWidth = kColumn - 20;
constexpr int kTextTop = kFindingBand.y1 + 10;
constexpr int kTextBottom = kFindingBand.y2 - 10;

// `text` in lines no wider than `width`, broken where the script allows (between words, or
// between the characters of a script written without spaces); a word wider than a line is
// broken inside it rather than lost.
QStringList wrapped(const QString& text, const QFont& font, qreal width)
{
    QStringList lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        if (!part.isEmpty()) lines << part;
    }
    layout.endLayout();
    return lines;
}

// `text` in at most `maxLines` lines of `width`; when it needs more, the last line shown ends
// in an ellipsis.
QStringList fitted(const QString& text, const QFont& font, qreal width, int maxLines)
{
    const QFontMetricsF m(font);
    QStringList lines = wrapped(text, font, width);
    if (lines.size() <= maxLines) return lines;
    lines = lines.mid(0, maxLines);
    QString& last = lines.back();
    last = m.elidedText(last, Qt::ElideRight, width - m.horizontalAdvance(kEllipsis));
    if (!last.endsWith(kEllipsis)) last += kEllipsis;
    return lines;
}

PageItem bandLine(int column, int row, int lineHeight, QString text, QRgb colour)
{
    const int x = kFindingBand.x1 + column * (kColumnWidth + 20 + kColumnGap);
    const int y = kTextTop + row * lineHeight;
    PageItem item =
        pageItem(PageItem::Kind::Label, {x, y - 10, x + kColumnWidth + 20, y + lineHeight + 10},
                 std::move(text), TextAlign::Left, ReportFont::Small);
    item.colour = colour;
    return item;
}

}  // namespace

PageItems findingBand(const std::vector<PrintedLine>& sentences)
{
    const QFont font = reportFonts().small;
    const QFontMetricsF m(font);
    const int lineHeight = static_cast<int>(std::ceil(m.lineSpacing()));
    const int rows = (kTextBottom - kTextTop) / lineHeight;
    const qreal width = kColumnWidth;

    struct Line {
        QString text;
        QRgb colour;
        bool sentenceStart;
    };
    std::vector<Line> lines;
    for (const PrintedLine& s : sentences) {
        bool first = true;
        for (const QString& l : wrapped(s.text, font, width)) {
            lines.push_back({l, s.colour, first});
            first = false;
        }
    }
    // Column one takes whole sentences while they fit; the rest goes to column two.
    PageItems items;
    int column = 0, row = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (column == 0 && lines[i].sentenceStart) {
            std::size_t end = i + 1;
            while (end < lines.size() && !lines[end].sentenceStart) ++end;
            if (row + static_cast<int>(end - i) > rows && row > 0) {
                column = 1;
                row = 0;
            }
        }
        if (row == rows && column == 0) {
            column = 1;
            row = 0;
        }
        if (row == rows - 1 && column == 1 && i + 1 < lines.size()) {
            // The last place: what is left does not fit, and the line says so.
            QString last =
                m.elidedText(lines[i].text, Qt::ElideRight, width - m.horizontalAdvance(kEllipsis));
            if (!last.endsWith(kEllipsis)) last += kEllipsis;
            items.push_back(bandLine(column, row, lineHeight, last, lines[i].colour));
            break;
        }
        items.push_back(bandLine(column, row, lineHeight, lines[i].text, lines[i].colour));
        ++row;
    }
    return items;
}

PageItems criteriaPage(const FindingsSettings& s, TempUnit unit, const StringTable& texts)
{
    const CriteriaContent content = criteriaContent(s, unit, texts);
    PageItems items;
    const auto box = [&](PageRect r, QString text, TextAlign align = TextAlign::Left) {
        items.push_back(pageItem(PageItem::Kind::Box, r, std::move(text), align));
        return &items.back();
    };
    const auto label = [&](PageRect r, QString text, TextAlign align = TextAlign::Left,
                           ReportFont font = ReportFont::Body) {
        items.push_back(pageItem(PageItem::Kind::Label, r, std::move(text), align, font));
    };
    // What the project names (a custom class, the conditions) may be longer than its cell:
    // a value keeps one line and a class four, each cut short with an ellipsis.
    const QFont body = reportFonts().body;
    const QFontMetricsF m(body);
    const int lineHeight = static_cast<int>(std::ceil(m.lineSpacing()));
    const auto oneLine = [&](const QString& text, int boxWidth) {
        return fitted(text, body, boxWidth - 20, 1).value(0);
    };
    items.push_back(pageItem(PageItem::Kind::Heading, {100, 100, 2380, 170}, content.heading,
                             TextAlign::Left, ReportFont::Heading));
    box({100, 270, 700, 340}, content.criteria.first);
    box({700, 270, 2380, 340}, content.criteria.second);
    box({100, 340, 700, 410}, content.standard.first);
    box({700, 340, 2380, 410}, oneLine(content.standard.second, 1680));

    int y = 480;
    for (const CriteriaTable& table : content.tables) {
        if (content.tables.size() > 1) {
            label({100, y, 2380, y + 70}, table.name, TextAlign::Left, ReportFont::Bold);
            y += 70;
        }
        box({100, y, 600, y + 70}, content.tableHeader[0]);
        box({600, y, 2080, y + 70}, content.tableHeader[1]);
        box({2080, y, 2380, y + 70}, content.tableHeader[2], TextAlign::Centre);
        y += 70;
        for (const CriteriaBandRow& band : table.rows) {
            const QStringList lines = fitted(band.className, body, 1480 - 20, 4);
            const int h = std::max(120, static_cast<int>(lines.size()) * lineHeight + 20);
            box({100, y, 600, y + h}, band.bound);
            box({600, y, 2080, y + h}, lines.join(u'\n'));
            box({2080, y, 2380, y + h}, QString::number(band.priority), TextAlign::Centre)->colour =
                band.colour;
            y += h;
        }
        y += 70;
    }

    for (const QString& rule : content.rules) {
        label({100, y, 2380, y + 140}, rule, TextAlign::Wrap);
        y += 140;
    }

    y += 70;
    label({100, y, 2380, y + 70}, content.conditionsHeading, TextAlign::Left, ReportFont::Bold);
    y += 70;
    for (const auto& [name, value] : content.conditions) {
        box({100, y, 700, y + 70}, name);
        box({700, y, 2380, y + 70}, oneLine(value, 1680));
        y += 70;
    }
    return items;
}

}  // namespace calivue
