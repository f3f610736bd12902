// cSnapshotPainter: the numbered markers of the modern report — a cross and a label box in
// vector form, so they are as sharp as the page and legible over any palette.
#include "paint/snapshotpainter.h"

#include "paint/colourref.h"

#include "core/constants.h"
#include "core/brixa.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace calivue {

namespace {

QColor qColour(ColourRef c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace

QPointF cSnapshotPainter::TurnedPoint(QPointF at, int orientation)
{
    // a and b run from the captured picture's left and top edges.
    const double a = at.x(), b = at.y();
    switch (orientation) {
        case 1:
            return {1 - b, a};
        case 2:
            return {1 - a, 1 - b};
        case 3:
            return {b, 1 - a};
        default:
            return at;
    }
}

void cSnapshotPainter::DrawNumberedMarkers(QPainter& p, const QRectF& area,
                                           const std::vector<SnapshotMarker>& markers,
                                           const QFont& font, QPointF offset,
                                           std::vector<QRectF>* labelBoxes, int orientation)
{
    if (area.width() <= 0 || area.height() <= 0) return;
    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    const double arm = std::max(4.0, area.height() / 40);
    const double line = std::max(1.0, arm / 5);
    const QFontMetricsF metrics(font, p.device());
    std::vector<QRectF> placed;
    for (const SnapshotMarker& m : markers) {
        const QPointF turned =
            TurnedPoint(QPointF((m.x + 0.5 - offset.x()) / kWidth,
                                (kHeight - 1 - m.row + 0.5 + offset.y()) / kHeight),
                        orientation);
        const QPointF c(turned.x() * area.width() + area.left(),
                        turned.y() * area.height() + area.top());
        if (!area.contains(c)) continue;
        const MarkerColours colours = markerColours(m.index);
        // The cross: a dark outline under the marker's own pen colour.
        for (const auto& [colour, width] :
             {std::pair{QColor(Qt::black), 3 * line}, std::pair{qColour(colours.pen), line}}) {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
            p.drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
        }
        if (m.label.isEmpty()) continue;
        // The label box above right of the cross, moved to the other side at an edge.
        const double pad = metrics.height() / 8;
        const QSizeF size(metrics.horizontalAdvance(m.label) + 2 * pad, metrics.height());
        QPointF at(c.x() + arm, c.y() - arm - size.height());
        if (at.x() + size.width() > area.right()) at.setX(c.x() - arm - size.width());
        if (at.y() < area.top()) at.setY(c.y() + arm);
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        at.setY(
            std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
        QRectF box(at, size);
        // A label that would cover one placed before it (a hot or cold marker on a cursor)
        // tries the other corners of its cross, then steps down or up until it is clear.
        const auto clear = [&](const QRectF& r) {
            return area.contains(r) &&
                   std::none_of(placed.begin(), placed.end(), [&](const QRectF& q) {
                       return q.adjusted(-line, -line, line, line).intersects(r);
                   });
        };
        if (!clear(box)) {
            std::vector<QRectF> tried;
            for (const double dx : {arm, -arm - size.width()})
                for (const double dy : {-arm - size.height(), arm})
                    tried.emplace_back(QPointF(c.x() + dx, c.y() + dy), size);
            for (int step = 1; step < 2 * area.height() / size.height(); ++step)
                tried.push_back(box.translated(
                    0, (step % 2 ? 1 : -1) * ((step + 1) / 2) * (size.height() + 2 * line)));
            const auto found = std::find_if(tried.begin(), tried.end(), clear);
            if (found != tried.end()) box = *found;
        }
        placed.push_back(box);
        p.setPen(QPen(Qt::black, line));
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawRoundedRect(box, pad, pad);
        p.setPen(Qt::black);
        p.setFont(font);
        p.drawText(box, Qt::AlignCenter, m.label);
    }
    p.restore();
    if (labelBoxes) *labelBoxes = std::move(placed);
}

}  // namespace calivue
