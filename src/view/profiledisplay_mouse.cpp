// cProfileDisplay: the mouse — dragging the read-out marker along the plot, and moving the
// other profile line through a sample by double-clicking it.
#include "view/profiledisplay.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace calivue {

bool cProfileDisplay::Accepts(QPoint p) const
{
    return m_image && p.x() >= 0 && p.y() >= 0 && p.x() < m_W && p.y() < m_H;
}

double cProfileDisplay::FractionOf(QPoint p) const
{
    return m_direction == Lower ? static_cast<double>(p.x()) / m_W
                                : static_cast<double>(p.y()) / m_H;
}

void cProfileDisplay::SetHovering(bool on)
{
    if (on == m_hovering) return;
    m_hovering = on;
    m_pointer = !on                    ? Qt::ArrowCursor
                : m_direction == Lower ? Qt::SizeHorCursor
                                       : Qt::SizeVerCursor;
    if (QWidget* window = owner()) window->setCursor(m_pointer);
}

int cProfileDisplay::OnMouseMove(unsigned, QPoint point)
{
    if (!Accepts(point)) return 0;
    const double f = FractionOf(point);
    if (m_dragging) {
        m_markerPosition = std::clamp(f, 0.0, 1.0);
        // Moves arriving faster than redraws ask for one redraw only.
        if (m_redrawRequest == 0) {
            m_redrawRequest = 1;
            Invalidate();
        }
        return 0;
    }
    const double reach = 5.0 / (m_direction == Lower ? m_W : m_H);
    SetHovering(std::abs(f - m_markerPosition) <= reach);
    return 0;
}

int cProfileDisplay::OnLButtonDown(unsigned keys, QPoint point)
{
    if (!Accepts(point)) return 0;
    OnMouseMove(keys, point);  // the press may come without a move onto the marker first
    if (!m_hovering) return 0;
    m_dragging = true;
    m_markerPosition = std::clamp(FractionOf(point), 0.0, 1.0);
    m_redrawRequest = 1;
    Invalidate();
    return 0;
}

int cProfileDisplay::OnLButtonUp(unsigned, QPoint)
{
    // A release outside the plot still ends the drag.
    if (!m_dragging) return 0;
    m_dragging = false;
    m_redrawRequest = 1;
    Invalidate();
    return 0;
}

int cProfileDisplay::OnLButtonDblClk(unsigned, QPoint point)
{
    if (!Accepts(point) || !m_document) return 0;
    // An empty plot whose line zoom has left out of view: the click brings the line back.
    if (m_count <= 0) {
        if (LineOutOfView()) BringLineIntoView();
        return 0;
    }
    const double f = m_direction == Lower ? static_cast<double>(point.x()) / m_W
                                          : 1.0 - static_cast<double>(point.y()) / m_H;
    const int i = std::clamp(static_cast<int>(f * m_count), 0, m_count - 1);
    const int o = m_image->fields.orientation;
    const bool landscape = o != 1 && o != 3;
    // This profile samples one line; the click moves the other through the sample's pixel.
    const int column = m_columns[static_cast<std::size_t>(i)];
    const int row = m_rows[static_cast<std::size_t>(i)];
    if ((m_direction == Lower) == landscape)
        m_document->setProfileColumn(column);
    else
        m_document->setProfileRow(row);
    Refresh();
    return 0;
}

int cProfileDisplay::OnMouseLeave()
{
    SetHovering(false);
    m_pointer = Qt::ArrowCursor;
    if (QWidget* window = owner()) window->setCursor(Qt::ArrowCursor);
    if (m_dragging) {
        m_dragging = false;
        m_redrawRequest = 1;
        Invalidate();
    }
    return 0;
}

}  // namespace calivue
