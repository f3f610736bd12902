#include "report/engine/modernpages.h"
#include "report/engine/modernmetrics.h"

#include "report/engine/reporttext.h"

#include "platform/stringids.h"

#include <QFontMetricsF>

#include <algorithm>

namespace calivue {

using namespace modern;

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
