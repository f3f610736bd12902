// cArrayDisplay: the mouse — hover feedback, dragging the profile lines and the cursors,
// adding and removing cursors by double-click, and moving the zoom window in navigation
// mode.
#include "view/arraydisplay.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"

#include <QWidget>

#include <cmath>

namespace calivue {

namespace {

// Only one "maximum number of markers" box at a time, however many double-clicks arrive
// while it is up.
bool s_maxMarkersMessageOpen = false;

}  // namespace

bool cArrayDisplay::AcceptsPoint(QPoint p) const
{
    return m_document && m_image && m_image->isLoaded() && p.x() >= 0 && p.y() >= 0 &&
           p.x() < m_W && p.y() < m_H;
}

void cArrayDisplay::SetHover(int state)
{
    if (state == m_hover) return;
    m_hover = state;
    QWidget* window = owner();
    if (!window) return;
    const bool portrait = Orientation() == 1 || Orientation() == 3;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (state) {
        case HoverRowLine:
            shape = portrait ? Qt::SizeHorCursor : Qt::SizeVerCursor;
            break;
        case HoverColumnLine:
            shape = portrait ? Qt::SizeVerCursor : Qt::SizeHorCursor;
            break;
        case HoverBothLines:
            shape = Qt::SizeAllCursor;
            break;
        case HoverCursor:
            shape = Qt::PointingHandCursor;
            break;
        case HoverPlain:
            shape = Qt::CrossCursor;
            break;
        default:
            break;
    }
    window->setCursor(shape);
}

void cArrayDisplay::EvaluateHover(QPoint p)
{
    const QPointF ip = DisplayToImage(p);
    int state = HoverPlain;
    if (m_document->profilesShown()) {
        // Five display pixels across each line at zoom 1; in portrait the image columns run
        // down the display, so the display's height measures the column line.
        const bool portrait = Orientation() == 1 || Orientation() == 3;
        const double columnReach = 5.0 / ((portrait ? m_H : m_W) * zoom());
        const double rowReach = 5.0 / ((portrait ? m_W : m_H) * zoom());
        const bool onColumn = std::abs(ip.x() / kWidth - verticalLinePosition()) < columnReach;
        const bool onRow = std::abs(ip.y() / kWidth - horizontalLinePosition()) < rowReach;
        if (onColumn && onRow)
            state = HoverBothLines;
        else if (onColumn)
            state = HoverColumnLine;
        else if (onRow)
            state = HoverRowLine;
    }
    if (state == HoverPlain) {
        const int column = static_cast<int>(ip.x()), row = static_cast<int>(ip.y());
        const auto& markers = m_document->markers();
        for (int i = 0; i < kMaxCursors; ++i) {
            const Marker& m = markers[static_cast<std::size_t>(i)];
            if (m.inUse && m.shown && m.x == column && m.row == row) {
                state = HoverCursor;
                m_grabbed = i;  // the last one on the pixel wins
            }
        }
    }
    SetHover(state);
}

void cArrayDisplay::MoveLinesTo(const QPointF& ip)
{
    const int column = static_cast<int>(ip.x()), row = static_cast<int>(ip.y());
    // The document keeps the lines; the display reads them back when it draws.
    if (m_hover == HoverRowLine || m_hover == HoverBothLines) m_document->setProfileRow(row);
    if (m_hover == HoverColumnLine || m_hover == HoverBothLines)
        m_document->setProfileColumn(column);
    Invalidate();
}

void cArrayDisplay::MoveGrabbedCursor(const QPointF& ip)
{
    // The document refreshes the temperatures, marks itself modified on a real move and
    // has the displays redrawn.
    if (m_document->moveCursor(m_grabbed, static_cast<int>(ip.x()), static_cast<int>(ip.y())))
        Invalidate();
}

void cArrayDisplay::NavigateTo(QPoint p)
{
    const QPointF ip = DisplayToImage(p, QRect(0, 0, kWidth, kHeight));
    const QRect window = CentredWindow(static_cast<int>(ip.x()), static_cast<int>(ip.y()),
                                       kWidth / zoom(), kHeight / zoom());
    m_document->setViewRect(window);
    Invalidate();
}

int cArrayDisplay::OnMouseMove(unsigned, QPoint p)
{
    if (!AcceptsPoint(p)) return 0;
    if (m_navigation) {
        if (QWidget* window = owner()) window->setCursor(Qt::PointingHandCursor);
        if (m_dragging) NavigateTo(p);
        return 0;
    }
    const QPointF ip = DisplayToImage(p);
    m_document->setSelectedPoint(static_cast<int>(ip.x()), static_cast<int>(ip.y()));
    if (!m_dragging) {
        EvaluateHover(p);
    } else if (m_hover == HoverCursor) {
        MoveGrabbedCursor(ip);
    } else if (m_hover >= HoverRowLine && m_hover <= HoverBothLines) {
        MoveLinesTo(ip);
    }
    return 0;
}

int cArrayDisplay::OnLButtonDown(unsigned, QPoint p)
{
    if (!AcceptsPoint(p)) return 0;
    if (m_navigation) {
        m_dragging = true;
        NavigateTo(p);
        return 0;
    }
    if (m_hover == HoverNone || m_hover == HoverPlain) return 0;
    m_dragging = true;
    if (m_hover != HoverCursor) MoveLinesTo(DisplayToImage(p));
    return 0;
}

int cArrayDisplay::OnLButtonUp(unsigned, QPoint)
{
    // Wherever the button comes up, the drag is over.
    m_dragging = false;
    return 0;
}

int cArrayDisplay::OnLButtonDblClk(unsigned, QPoint p)
{
    if (m_navigation || !AcceptsPoint(p)) return 0;
    const QPointF ip = DisplayToImage(p);
    ToggleCursorAt(static_cast<int>(ip.x()), static_cast<int>(ip.y()));
    EvaluateHover(p);
    return 0;
}

void cArrayDisplay::ToggleCursorAt(int column, int row)
{
    // The document switches the cursors on, removes or places the cursor, marks itself
    // modified and announces the change; only the full list is ours to report.
    if (m_document->toggleCursorAt(column, row) != CVantoroDoc::CursorToggle::Full) {
        Invalidate();
        return;
    }
    if (s_maxMarkersMessageOpen) return;
    struct Guard {
        Guard() { s_maxMarkersMessageOpen = true; }
        ~Guard() { s_maxMarkersMessageOpen = false; }
    } guard;
    cMessageDlg::messageBox(sid::MaximumMarkersPlaced, cMessageDlg::IconExclamation,
                            cMessageDlg::ButtonsOk, owner());
}

int cArrayDisplay::OnMouseLeave()
{
    if (QWidget* window = owner()) window->setCursor(Qt::ArrowCursor);
    m_hover = HoverNone;
    const bool wasDragging = m_dragging;
    m_dragging = false;
    if (!m_document) return 0;
    if (wasDragging) Invalidate();
    if (!m_navigation) m_document->clearSelectedPoint();
    return 0;
}

}  // namespace calivue
