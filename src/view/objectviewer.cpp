#include "view/objectviewer.h"

#include "view/visibleobject.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace calivue {

cObjectViewer::cObjectViewer(QWidget* parent) : QWidget(parent)
{
    // The object covers the content area and the frame the rest: nothing to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

cObjectViewer::~cObjectViewer()
{
    if (m_object && m_object->owner() == this) m_object->SetOwner(nullptr);
    m_object = nullptr;
}

void cObjectViewer::Create(const QRect& rect, QWidget* parent, int id, cVisibleObject* object)
{
    setParent(parent);
    setWindowTitle(QString());
    setGeometry(rect);
    m_id = id;
    if (object) Attach(object);
}

void cObjectViewer::Attach(cVisibleObject* object)
{
    if (m_object && m_object->owner() == this) m_object->SetOwner(nullptr);
    m_object = nullptr;
    if (object) {
        // An object has one host: take it away from a viewer that still shows it.
        if (auto* previous = qobject_cast<cObjectViewer*>(object->owner());
            previous && previous != this) {
            previous->m_object = nullptr;
            previous->update();
        }
        m_object = object;
        object->SetOwner(this);
        FitObject(EdgeRight);
    }
    update();
}

void cObjectViewer::SetBorder3D(bool on)
{
    if (on) {
        m_3d = true;
        m_flat = false;
        m_border = 4;
    } else {
        m_border = 0;
    }
    FitObject(EdgeBottom);
    update();
}

void cObjectViewer::MoveWindow(int x, int y, int w, int h, bool repaint)
{
    MoveWindow(QRect(x, y, w, h), repaint);
}

void cObjectViewer::MoveWindow(const QRect& rect, bool repaint)
{
    setGeometry(rect);
    FitObject(EdgeBottom);
    if (repaint) update();
}

QRect cObjectViewer::contentRect() const
{
    return rect().adjusted(m_border, m_border, -m_border, -m_border);
}

QRect cObjectViewer::contentRectInParent() const
{
    // A top-level viewer is its own parent: its object lives in its client coordinates.
    return isWindow() ? contentRect() : contentRect().translated(pos());
}

void cObjectViewer::FitObject(int edge)
{
    if (!m_object) return;
    const QRect content = contentRectInParent();
    const QSize wanted = m_object->GetPreferredSize(std::max(content.width(), 0),
                                                    std::max(content.height(), 0), edge);
    const int w = std::max(wanted.width(), 0), h = std::max(wanted.height(), 0);
    if (edge == EdgeRight) {
        // Left and bottom stay.
        const int bottom = content.y() + std::max(content.height(), 0);
        m_object->SetRect(QRect(content.x(), bottom - h, w, h));
    } else {
        // Left and top stay.
        m_object->SetRect(QRect(content.x(), content.y(), w, h));
    }
}

QRect cObjectViewer::AdjustDraggedFrame(const QRect& frame, int edge, int border, QSize out)
{
    // Edges as the frame reports them: right and bottom lie just outside.
    int left = frame.x(), top = frame.y();
    int right = left + frame.width(), bottom = top + frame.height();
    const int b2 = 2 * border;
    switch (edge) {
        case EdgeLeft:
            left = right - b2 - out.width();
            bottom = top + b2 + out.height();
            break;
        case EdgeRight:
            right = left + b2 + out.width();
            bottom = top + b2 + out.height();
            break;
        case EdgeTop:
        case EdgeTopRight:
            top = bottom - b2 - out.height();
            right = left + b2 + out.width();
            break;
        case EdgeTopLeft:
            top = bottom - b2 - out.height();
            left = right - b2 - out.width();
            break;
        case EdgeBottomLeft:
            bottom = top + b2 + out.height();
            left = right - b2 - out.width();
            break;
        case EdgeBottom:
        case EdgeBottomRight:
            bottom = top + b2 + out.height();
            right = left + b2 + out.width();
            break;
        default:
            return frame;
    }
    return QRect(left, top, right - left, bottom - top);
}

void cObjectViewer::OnSizing(int edge, QRect& frame)
{
    if (!m_object || edge < EdgeLeft || edge > EdgeBottomRight) return;
    const int b2 = 2 * m_border;
    const QSize out = m_object->GetPreferredSize(std::max(frame.width() - b2, 0),
                                                 std::max(frame.height() - b2, 0), edge);
    frame = AdjustDraggedFrame(frame, edge, m_border, out);
}

void cObjectViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_object) return;
    FitObject(EdgeBottom);
    m_object->OnSize(0, width(), height());
}

void cObjectViewer::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (!m_object) return;
    m_object->OnMove(x(), y());
    FitObject(EdgeBottom);
}

bool cObjectViewer::event(QEvent* event)
{
    // Delete belongs to the object with the focus, even where a menu command uses it as a
    // shortcut: claiming the override turns it back into an ordinary key press here.
    if (event->type() == QEvent::ShortcutOverride && m_object &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

QPoint cObjectViewer::ContentPoint(const QPointF& p) const
{
    return p.toPoint() - QPoint(m_border, m_border);
}

void cObjectViewer::mousePressEvent(QMouseEvent* e)
{
    if (!m_object) return;
    const unsigned keys = mouseKeysOf(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_object->OnLButtonDown(keys, ContentPoint(e->position()));
    else if (e->button() == Qt::RightButton)
        m_object->OnRButtonDown(keys, ContentPoint(e->position()));
    e->accept();
}

void cObjectViewer::mouseReleaseEvent(QMouseEvent* e)
{
    if (!m_object) return;
    const unsigned keys = mouseKeysOf(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_object->OnLButtonUp(keys, ContentPoint(e->position()));
    else if (e->button() == Qt::RightButton)
        m_object->OnRButtonUp(keys, ContentPoint(e->position()));
    e->accept();
}

void cObjectViewer::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (!m_object) return;
    const unsigned keys = mouseKeysOf(e->buttons(), e->modifiers());
    if (e->button() == Qt::LeftButton)
        m_object->OnLButtonDblClk(keys, ContentPoint(e->position()));
    else if (e->button() == Qt::RightButton)  // the second press of a quick pair
        m_object->OnRButtonDown(keys, ContentPoint(e->position()));
    e->accept();
}

void cObjectViewer::mouseMoveEvent(QMouseEvent* e)
{
    m_tracking = true;  // Qt reports the leave without being asked
    if (!m_object) return;
    const QPoint p = ContentPoint(e->position());
    m_object->OnMouseMove(mouseKeysOf(e->buttons(), e->modifiers()), p);
    UpdateTip(p, e->globalPosition().toPoint());
    e->accept();
}

void cObjectViewer::leaveEvent(QEvent* event)
{
    m_tracking = false;
    if (m_tipShown) {
        QToolTip::hideText();
        m_tipShown = false;
    }
    if (m_object) m_object->OnMouseLeave();
    QWidget::leaveEvent(event);
}

void cObjectViewer::wheelEvent(QWheelEvent* e)
{
    if (m_object)
        m_object->OnMouseWheel(mouseKeysOf(e->buttons(), e->modifiers()), e->angleDelta().y(),
                               ContentPoint(e->position()));
    e->accept();
}

void cObjectViewer::keyPressEvent(QKeyEvent* e)
{
    if (!m_object) {
        QWidget::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Delete)
        m_object->OnKeyDown(Qt::Key_Delete, 0, 0);
    else
        m_object->OnKeyDown(e->key(), e->count(), static_cast<int>(e->modifiers()));
    e->accept();
}

void cObjectViewer::UpdateTip(QPoint p, QPoint global)
{
    if (m_flat && p.y() <= 9 && !m_tipText.isEmpty()) {
        QToolTip::showText(global, m_tipText, this);
        m_tipShown = true;
    } else if (m_tipShown) {
        QToolTip::hideText();
        m_tipShown = false;
    }
}

}  // namespace calivue
