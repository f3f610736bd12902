// Painting of the object viewer: the object's surface in the content area, the frame
// around it, and the button face wherever neither reaches.
#include "view/objectviewer.h"

#include "paint/colourref.h"
#include "view/visibleobject.h"

#include <QPaintEvent>
#include <QPainter>

namespace calivue {

namespace {

// A horizontal or vertical line from `from` up to, but not including, `to`.
void segment(QPainter& p, QPoint from, QPoint to)
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    if (step.isNull()) return;
    p.drawLine(from, to - step);
}

}  // namespace

void cObjectViewer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect content = contentRect();
    QRegion uncovered(rect());
    if (m_object) {
        const QRect objectRect = m_object->GetRect().translated(isWindow() ? QPoint() : -pos());
        uncovered -= QRegion(objectRect.intersected(content));
    }
    const QColor face = toQColor(systemColour(QPalette::Button));
    for (const QRect& r : uncovered) painter.fillRect(r, face);

    if (m_object) {
        painter.save();
        painter.setClipRect(content);
        m_object->Draw(&painter);
        painter.restore();
    }

    painter.setClipRegion(QRegion(rect()) - QRegion(content));
    DrawFrame(painter);
}

void cObjectViewer::DrawFrame(QPainter& p) const
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    if (m_flat) {
        p.setPen(toQColor(systemColour(QPalette::Light)));
        const qreal radius = m_border / 2.0;
        p.drawRoundedRect(QRectF(0, 0, width() - 1, height() - 1), radius, radius);
        return;
    }
    if (!m_3d || m_border <= 1) return;
    // Two lines on each side, dark inside at the top left and light outside at the bottom
    // right, so the content looks sunk into the panel.
    const int b = m_border, r = width(), bottom = height();
    const QPoint pts[] = {
        {r - b, b - 1},    {b - 1, b - 1}, {b - 1, bottom - b},     {r - b, bottom - b},
        {r - b, b - 2},    {b - 2, b - 2}, {b - 2, bottom - b + 1}, {r - b + 1, bottom - b + 1},
        {r - b + 1, b - 3}};
    const QPalette::ColorRole roles[] = {QPalette::Shadow, QPalette::Midlight, QPalette::Dark,
                                         QPalette::Light};
    for (int i = 0; i < 8; ++i) {
        p.setPen(toQColor(systemColour(roles[i / 2])));
        segment(p, pts[i], pts[i + 1]);
    }
}

}  // namespace calivue
