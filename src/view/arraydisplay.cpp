// cArrayDisplay: construction, how the picture is shown (the document's state, or the
// display's own without one), the zoom window and the mapping between content pixels and
// image pixels.
#include "view/arraydisplay.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "platform/fspath.h"

#include <algorithm>
#include <cmath>

namespace calivue {

int cArrayDisplay::Orientation() const
{
    const int o =
        m_document ? m_document->orientation() : (m_image ? m_image->fields.orientation : 0);
    return o >= 0 && o <= 3 ? o : 0;
}

const QRect& cArrayDisplay::zoomWindow() const
{
    return m_document ? m_document->viewRect() : m_ownWindow;
}

int cArrayDisplay::zoom() const
{
    return m_document ? m_document->zoom() : m_ownZoom;
}

int cArrayDisplay::interpolation() const
{
    return m_document ? m_document->interpolation() : m_ownInterpolation;
}

cArrayDisplay::cArrayDisplay(CVantoroDoc* document)
{
    if (document) AttachDocument(document);
    m_labelFont.SetFaceName(QStringLiteral("Arial"));
    m_labelFont.SetBold(true);
    m_labelFont.SetHeight(m_fontHeight);
    m_painter.setLabelFont(m_labelFont);
}

cArrayDisplay::~cArrayDisplay() = default;

void cArrayDisplay::SetImage(cBrixa* image)
{
    if (!image) return;
    m_image = image;
    m_own.spanLow = image->fields.spanLow;
    m_own.spanHigh = image->fields.spanHigh;
    m_own.blendMode = image->fields.blend;
    // The previous image's picture must never show under this one's overlays.
    m_painter.Clear();
    SetDirty();
    Invalidate();
}

void cArrayDisplay::SetSpan(int low, int high)
{
    if (m_document) {
        m_document->setSpan(low, high);
        return;
    }
    m_own.spanLow = low;
    m_own.spanHigh = high;
}

void cArrayDisplay::SetPalette(int index)
{
    if (m_document) {
        m_document->setPalette(index);
        return;
    }
    cIRDisplayObject::SetPalette(index);
    m_own.palette = index;
}

void cArrayDisplay::SetInterpolation(int n)
{
    if (m_document)
        m_document->setInterpolation(n);
    else
        m_ownInterpolation = std::clamp(n, 1, kMaxInterpolation);
    Invalidate();
}

void cArrayDisplay::SetZoomWindow(const QRect& window)
{
    if (m_document) {
        m_document->setViewRect(window);  // moved back inside the picture there
    } else {
        const int w = std::clamp(window.width(), 1, kWidth);
        const int h = std::clamp(window.height(), 1, kHeight);
        const int left = std::clamp(window.left(), 0, kWidth - w);
        const int top = std::clamp(window.top(), 0, kHeight - h);
        m_ownWindow = QRect(left, top, w, h);
    }
    Invalidate();
}

double cArrayDisplay::verticalLinePosition() const
{
    return m_document ? (m_document->profiles().column + 0.5) / kWidth : 0.5;
}

double cArrayDisplay::horizontalLinePosition() const
{
    return m_document ? (m_document->profiles().row + 0.5) / kWidth : 0.5;
}

void cArrayDisplay::SetNavigationMode(bool on)
{
    m_navigation = on;
    Invalidate();
}

void cArrayDisplay::SetIsothermFlags(unsigned flags)
{
    if (!m_document) {
        m_own.isothermFlags = flags & 3u;
        return;
    }
    const RecordFields& f = m_document->image().fields;
    m_document->setIsotherms(flags, f.blueLower, f.blueUpper, f.redLower, f.redUpper);
}

void cArrayDisplay::Refresh()
{
    SetDirty();
    Invalidate();
}

void cArrayDisplay::SetBlend(int mode)
{
    if (mode == blend()) return;
    if (m_document)
        m_document->setBlend(mode);
    else
        m_own.blendMode = mode;
    Invalidate();
}

QRect cArrayDisplay::CentredWindow(int column, int row, int w, int h)
{
    w = std::clamp(w, 1, kWidth);
    h = std::clamp(h, 1, kHeight);
    int left = column - (w - 1) / 2;
    int top = row - (h - 1) / 2;
    if (left + w - 1 > kWidth - 1)
        left -= left + w - 1 - (kWidth - 1);
    else if (left < 0)
        left = 0;
    if (top + h - 1 > kHeight - 1)
        top -= top + h - 1 - (kHeight - 1);
    else if (top < 0)
        top = 0;
    return QRect(left, top, w, h);
}

void cArrayDisplay::SetZoom(int n)
{
    if (n < 1 || n > 4 || n == zoom()) return;
    if (m_document) {
        // The document's rule places the window; the display reads it back when it draws.
        m_document->setZoom(n);
    } else {
        const QRect& z = m_ownWindow;
        m_ownWindow = CentredWindow((z.left() + z.right()) / 2, (z.top() + z.bottom()) / 2,
                                    kWidth / n, kHeight / n);
        m_ownZoom = n;
    }
    Invalidate();
}

bool cArrayDisplay::LoadVisibleImage(const std::filesystem::path& path)
{
    if (m_visible.Load(path) != Error::None) m_visible.Free();
    SetDirty();
    return m_visible.IsValid();
}

void cArrayDisplay::SyncFromDocument()
{
    if (!m_document) return;
    CVantoroDoc& doc = *m_document;
    if (!doc.isLoaded()) return;
    SetImage(&doc.image());
    LoadVisibleImage(toFsPath(doc.currentPath()));
    Invalidate();
}

QPointF cArrayDisplay::DisplayToImage(QPoint p, const QRect& window) const
{
    if (m_W <= 0 || m_H <= 0) return QPointF(window.left(), window.top());
    // The centre of the content pixel, so that a pixel maps back onto the image pixel it
    // shows whichever way the rows run.
    const double a = (p.x() + 0.5) / m_W, b = (p.y() + 0.5) / m_H;
    const double w = window.width(), h = window.height();
    const double L = window.left(), T = window.top();
    double column = 0, row = 0;
    switch (Orientation()) {
        case 0:
            column = w * a + L;
            row = h - h * b + T;
            break;
        case 1:
            column = w * b + L;
            row = h * a + T;
            break;
        case 2:
            column = w - w * a + L;
            row = h * b + T;
            break;
        default:
            column = w - w * b + L;
            row = h - h * a + T;
            break;
    }
    return QPointF(std::clamp(column, 0.0, kWidth - 0.001), std::clamp(row, 0.0, kHeight - 0.001));
}

QPoint cArrayDisplay::ImageToDisplay(int column, int row) const
{
    const QRect& z = zoomWindow();
    const double fx = (column + 0.5 - z.left()) / z.width();
    const double fy = (row + 0.5 - z.top()) / z.height();
    const auto t = [](double v) { return static_cast<int>(std::floor(v)); };
    switch (Orientation()) {
        case 0:
            return QPoint(t(m_W * fx), m_H - 1 - t(m_H * fy));
        case 1:
            return QPoint(t(m_W * fy), t(m_H * fx));
        case 2:
            return QPoint(m_W - 1 - t(m_W * fx), t(m_H * fy));
        default:
            return QPoint(m_W - 1 - t(m_W * fy), m_H - 1 - t(m_H * fx));
    }
}

bool cArrayDisplay::InZoomWindow(int column, int row) const
{
    const QRect& z = zoomWindow();
    return column >= z.left() && column <= z.right() && row >= z.top() && row <= z.bottom();
}

}  // namespace calivue
