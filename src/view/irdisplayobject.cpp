#include "view/irdisplayobject.h"

#include "document/vantorodoc.h"

namespace calivue {

cIRDisplayObject::cIRDisplayObject()
{
    m_background = systemColour(QPalette::Button);
}

cIRDisplayObject::~cIRDisplayObject() = default;

void cIRDisplayObject::SetRect(const QRect& rect)
{
    cVisibleObject::SetRect(rect);
    m_W = rect.width();
    m_H = rect.height();
    m_deviceRect = EdgeRect{4, 4, m_W + 4, m_H + 4};
    m_plotRect = EdgeRect{0, m_H - 1, m_W - 1, 0};
}

EdgeRect cIRDisplayObject::ToSurfaceRect(const QRect& c) const
{
    return EdgeRect{c.x(), m_H - 1 - c.y(), c.x() + c.width() - 1, m_H - c.y() - c.height()};
}

int cIRDisplayObject::palette() const
{
    return m_document ? m_document->palette() : m_palette;
}

void cIRDisplayObject::SetPalette(int index)
{
    if (m_document)
        m_document->setPalette(index);
    else
        m_palette = index;
}

void cIRDisplayObject::AttachDocument(CVantoroDoc* document)
{
    m_document = document;
    m_palette = 1;
}

void cIRDisplayObject::SetImage(cBrixa* image)
{
    if (!image) return;
    m_image = image;
    SetDirty();
    Invalidate();
}

void cIRDisplayObject::FillContentRect(const QRect& content, ColourRef colour)
{
    if (Bitmap* s = drawingSurface()) s->FillRect(ToSurfaceRect(content), colour);
}

void cIRDisplayObject::BlendContentRect(const QRect& content, ColourRef colour, double alpha)
{
    if (Bitmap* s = drawingSurface()) s->BlendRect(ToSurfaceRect(content), colour, alpha);
}

void cIRDisplayObject::FrameContentRect(const QRect& r, ColourRef colour)
{
    if (r.width() <= 0 || r.height() <= 0) return;
    const int x0 = r.x(), y0 = r.y(), x1 = r.x() + r.width() - 1, y1 = r.y() + r.height() - 1;
    FillContentRect(QRect(x0, y0, r.width(), 1), colour);
    FillContentRect(QRect(x0, y1, r.width(), 1), colour);
    FillContentRect(QRect(x0, y0, 1, r.height()), colour);
    FillContentRect(QRect(x1, y0, 1, r.height()), colour);
}

}  // namespace calivue
