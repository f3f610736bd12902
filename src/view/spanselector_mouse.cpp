// cSpanSelector: the mouse — hover feedback, dragging the ends or the whole of the span and
// isotherm bands (the red band also with the right button), and the automatic span on a
// double-click. Every step of a drag is handed to the document.
#include "view/spanselector.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"

#include <QWidget>

namespace calivue {

namespace {

// How close to its neighbour an end may come: a band never turns inside out.
double minimumGap(int target)
{
    return target == cSpanSelector::TargetSpan ? 0.001 : 0.0001;
}

}  // namespace

bool cSpanSelector::Accepts(QPoint p) const
{
    return HasData() && p.x() >= 0 && p.y() >= 0 && p.x() < m_W && p.y() < m_H;
}

int cSpanSelector::HoverHandle(QPoint p, int* target) const
{
    // The isotherm bands lie over the span, red over blue, so they win.
    if (isothermFlags() & 2u) {
        if (const int h = HitTest(m_red, p.x())) {
            *target = TargetRed;
            return h;
        }
    }
    if (isothermFlags() & 1u) {
        if (const int h = HitTest(m_blue, p.x())) {
            *target = TargetBlue;
            return h;
        }
    }
    const int h = HitTest(m_span, p.x());
    *target = h ? TargetSpan : TargetNone;
    return h;
}

void cSpanSelector::SetPointerFor(int handle)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (handle == HandleLow || handle == HandleHigh)
        shape = Qt::SizeHorCursor;
    else if (handle == HandleBand)
        shape = Qt::PointingHandCursor;
    m_pointer = shape;
    if (QWidget* window = owner()) window->setCursor(shape);
}

void cSpanSelector::EvaluateHover(QPoint p)
{
    int target = TargetNone;
    const int h = HoverHandle(p, &target);
    if (h == m_handle) return;
    m_handle = h;
    SetPointerFor(h);
}

void cSpanSelector::BeginDrag(int target, int handle, QPoint p)
{
    m_target = target;
    m_handle = handle;
    m_grabPosition = static_cast<double>(p.x()) / m_W;
    m_bandAtGrab = *TargetBand(target);
    SetPointerFor(handle);
}

void cSpanSelector::HandOver(int target)
{
    if (!m_document) return;
    if (target == TargetSpan)
        m_document->setSpan(m_span.rawLow, m_span.rawHigh);
    else if (target == TargetBlue || target == TargetRed)
        m_document->setIsotherms(isothermFlags(), m_blue.rawLow, m_blue.rawHigh, m_red.rawLow,
                                 m_red.rawHigh);
}

void cSpanSelector::DragTo(QPoint p)
{
    Band* band = TargetBand(m_target);
    if (!band) return;
    const double e = static_cast<double>(p.x()) / m_W;
    const double gap = minimumGap(m_target);
    switch (m_handle) {
        case HandleLow:
            if (e >= band->high - gap) return;
            band->low = e;
            band->rawLow = RawAt(e);
            break;
        case HandleHigh:
            if (e <= band->low + gap) return;
            band->high = e;
            band->rawHigh = RawAt(e);
            break;
        case HandleBand: {
            const double d = e - m_grabPosition;
            band->low = m_bandAtGrab.low + d;
            band->high = m_bandAtGrab.high + d;
            // Moving a band keeps its width in counts exactly.
            band->rawLow = RawAt(band->low);
            band->rawHigh = band->rawLow + (m_bandAtGrab.rawHigh - m_bandAtGrab.rawLow);
            break;
        }
        default:
            return;
    }
    const int target = m_target;
    m_redrawRequest = target == TargetSpan ? 1 : 2;
    HandOver(target);
    Invalidate();
}

void cSpanSelector::EndDrag(bool haveUpPoint, QPoint p)
{
    const int target = m_target;
    m_target = TargetNone;
    m_handle = HandleReleased;
    HandOver(target);
    if (haveUpPoint && Accepts(p))
        EvaluateHover(p);
    else
        SetPointerFor(m_handle = HandleNone);
    SetDirty();
    Invalidate();
}

int cSpanSelector::OnMouseMove(unsigned, QPoint point)
{
    if (!Accepts(point)) return 0;
    if (m_target != TargetNone)
        DragTo(point);
    else
        EvaluateHover(point);
    return 0;
}

int cSpanSelector::OnLButtonDown(unsigned, QPoint point)
{
    if (!Accepts(point) || m_target != TargetNone) return 0;
    int target = TargetNone;
    const int h = HoverHandle(point, &target);
    if (target != TargetNone) {
        m_rightDrag = false;
        BeginDrag(target, h, point);
    }
    Invalidate();
    return 0;
}

int cSpanSelector::OnLButtonUp(unsigned, QPoint point)
{
    // A release outside the display still ends the drag; only the hover needs the point.
    if (m_target == TargetNone || m_rightDrag) return 0;
    EndDrag(true, point);
    return 0;
}

int cSpanSelector::OnRButtonDown(unsigned, QPoint point)
{
    if (!(isothermFlags() & 2u) || !Accepts(point) || m_target != TargetNone) return 0;
    const int h = HitTest(m_red, point.x(), 20);
    if (h == HandleNone) return 0;
    m_rightDrag = true;
    BeginDrag(TargetRed, h, point);
    Invalidate();
    return 0;
}

int cSpanSelector::OnRButtonUp(unsigned, QPoint point)
{
    if (m_target == TargetNone || !m_rightDrag) return 0;
    m_rightDrag = false;
    EndDrag(true, point);
    return 0;
}

int cSpanSelector::OnLButtonDblClk(unsigned, QPoint point)
{
    if (!Accepts(point)) return 0;
    int low = 0, high = 0;
    if (!m_image->spanRange(low, high)) return 0;
    // Shown at once; the document's answer (SyncSpan) brings the same values.
    SetBandRaw(m_span, low, high);
    m_redrawRequest = 1;
    if (m_document) m_document->setSpan(low, high);
    Invalidate();
    return 0;
}

int cSpanSelector::OnMouseLeave()
{
    if (m_target != TargetNone) {
        m_rightDrag = false;
        EndDrag(false, QPoint());
    } else {
        m_handle = HandleNone;
        SetPointerFor(HandleNone);
    }
    Invalidate();
    return 0;
}

}  // namespace calivue
