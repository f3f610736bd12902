#include "view/visibleobject.h"

#include <QPainter>
#include <QWidget>

namespace calivue {

unsigned mouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    unsigned keys = 0;
    if (buttons & Qt::LeftButton) keys |= KeyLButton;
    if (buttons & Qt::RightButton) keys |= KeyRButton;
    if (buttons & Qt::MiddleButton) keys |= KeyMButton;
    if (modifiers & Qt::ShiftModifier) keys |= KeyShift;
    if (modifiers & Qt::ControlModifier) keys |= KeyControl;
    return keys;
}

cVisibleObject::cVisibleObject() = default;
cVisibleObject::~cVisibleObject() = default;

void cVisibleObject::OnSize(int, int, int) {}
void cVisibleObject::OnMove(int, int) {}
void cVisibleObject::SetDirty()
{
    m_dirty.store(1);
}

void cVisibleObject::SetOwner(QWidget* owner)
{
    m_owner = owner;
    if (!owner) SetRect(QRect());
}

void cVisibleObject::SetRect(const QRect& rect)
{
    m_rect = rect;
}

bool cVisibleObject::HasArea() const
{
    // Any of the four edges non-zero, as the edges were stored.
    return m_rect.left() != 0 || m_rect.top() != 0 || m_rect.left() + m_rect.width() != 0 ||
           m_rect.top() + m_rect.height() != 0;
}

void cVisibleObject::Invalidate()
{
    if (m_owner) m_owner->update();
}

Bitmap* cVisibleObject::CreateImage(QPaintDevice*, int w, int h)
{
    m_surface.SetSize(w, h, pixelRatio());
    if (!m_surface.Create()) return nullptr;
    m_surface.FillRect(EdgeRect{0, h - 1, w - 1, 0}, m_background);
    return &m_surface;
}

bool cVisibleObject::PreDraw(Bitmap*)
{
    return true;
}
bool cVisibleObject::DrawContent(QPainter&)
{
    return true;
}
bool cVisibleObject::PostDraw(QPainter&)
{
    return true;
}

bool cVisibleObject::Prepare(Bitmap* surface)
{
    return surface ? PreDraw(surface) : false;
}

bool cVisibleObject::Render(QPainter* painter)
{
    if (!painter) return false;
    const bool drawn = DrawContent(*painter);
    return PostDraw(*painter) && drawn;
}

QPoint cVisibleObject::TargetOrigin() const
{
    // The rect is in the owner's parent coordinates; a top-level owner is its own parent.
    if (m_owner && !m_owner->isWindow()) return m_rect.topLeft() - m_owner->pos();
    return m_rect.topLeft();
}

void cVisibleObject::Draw(QPainter* target)
{
    const int w = m_rect.width(), h = m_rect.height();
    if (w <= 0 || h <= 0) return;
    if (!target && m_owner) {
        // Widgets are painted only from their paint event, which comes back here.
        m_owner->repaint();
        return;
    }
    QPaintDevice* device = target ? target->device() : nullptr;
    m_pixelRatio = device ? device->devicePixelRatioF() : 1.0;
    Bitmap* surface = CreateImage(device, w, h);
    if (!surface) return;
    m_drawingSurface = surface;
    Prepare(surface);
    {
        QPainter memory(&surface->image());
        Render(&memory);
    }
    if (target) {
        // The logical w × h area is copied device pixel for device pixel.
        const double r = surface->devicePixelRatio();
        target->drawImage(QRectF(TargetOrigin(), QSizeF(w, h)), surface->image(),
                          QRectF(0, 0, w * r, h * r));
    }
    m_drawingSurface = nullptr;
}

int cVisibleObject::OnLButtonDown(unsigned, QPoint)
{
    return 0;
}
int cVisibleObject::OnLButtonUp(unsigned, QPoint)
{
    return 0;
}
int cVisibleObject::OnLButtonDblClk(unsigned, QPoint)
{
    return 0;
}
int cVisibleObject::OnRButtonDown(unsigned, QPoint)
{
    return 0;
}
int cVisibleObject::OnRButtonUp(unsigned, QPoint)
{
    return 0;
}
int cVisibleObject::OnMouseMove(unsigned, QPoint)
{
    return 0;
}
int cVisibleObject::OnMouseLeave()
{
    return 0;
}
int cVisibleObject::OnMouseWheel(unsigned, int, QPoint)
{
    return 0;
}
int cVisibleObject::OnKeyDown(int, int, int)
{
    return 0;
}

QSize cVisibleObject::GetPreferredSize(int w, int h, int)
{
    return QSize(w, h);
}

}  // namespace calivue
