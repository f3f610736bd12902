// cArrayDisplay, zooming with the mouse wheel (and the keyboard and context menu, through
// ZoomAround): the zoom factor steps 1–4 and the image point under the pointer stays there.
#include "view/arraydisplay.h"

#include "core/constants.h"
#include "document/vantorodoc.h"

#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {
constexpr int kNotch = 120;  // one wheel notch in eighths of a degree
}

int cArrayDisplay::OnMouseWheel(unsigned, int delta, QPoint point)
{
    if (m_navigation) return 0;
    // Turning back before a notch is complete cancels what was collected.
    if ((m_wheelRest > 0 && delta < 0) || (m_wheelRest < 0 && delta > 0)) m_wheelRest = 0;
    m_wheelRest += delta;
    const int steps = m_wheelRest / kNotch;
    if (steps == 0) return 0;
    m_wheelRest -= steps * kNotch;
    ZoomAround(point, zoom() + steps);
    return 1;
}

QPoint cArrayDisplay::ImagePixelAt(QPoint p) const
{
    if (!AcceptsPoint(p)) return {-1, -1};
    const QPointF ip = DisplayToImage(p);
    return {static_cast<int>(ip.x()), static_cast<int>(ip.y())};
}

bool cArrayDisplay::ZoomAround(QPoint p, int n)
{
    n = std::clamp(n, 1, 4);
    if (!m_document || !m_image || m_navigation || n == zoom() || W() <= 0 || H() <= 0)
        return false;
    if (!AcceptsPoint(p)) p = QPoint(W() / 2, H() / 2);
    const QPointF anchor = DisplayToImage(p);
    const int w = kWidth / n, h = kHeight / n;
    // DisplayToImage is the window's corner plus an offset that depends only on the window's
    // size and the orientation, so the corner that keeps the anchor under p is the anchor
    // minus the offset of a window at (0, 0).
    const QPointF offset = DisplayToImage(p, QRect(0, 0, w, h));
    const QRect window(static_cast<int>(std::lround(anchor.x() - offset.x())),
                       static_cast<int>(std::lround(anchor.y() - offset.y())), w, h);
    m_document->setZoom(n);
    m_document->setViewRect(window);  // moved back inside the image there
    return true;
}

}  // namespace calivue
