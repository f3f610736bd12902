#include "report/engine/modernmetrics.h"

#include "report/engine/reportpagepainter.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace calivue::modern {

int lineHeight(const QFont& font)
{
    return static_cast<int>(std::ceil(QFontMetricsF(font).lineSpacing()));
}

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

int linePitch(const QStringList& lines, const QFont& font)
{
    const int own = lineHeight(font);
    if (lines.isEmpty()) return own;
    const QRectF used = QFontMetricsF(font).boundingRect(
        QRectF(0, 0, 1e6, 1e7), Qt::AlignLeft | Qt::AlignTop, lines.join(u'\n'));
    return std::max(own, static_cast<int>(std::ceil(used.height() / lines.size())));
}

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

}  // namespace calivue::modern
