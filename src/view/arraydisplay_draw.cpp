// cArrayDisplay: rendering the picture into the render buffer and copying the shown part
// of it onto the surface. The render buffer is rebuilt only when a colour-changing setting
// or the orientation changed; every other draw only copies it and adds the overlays.
#include "arraydisplay.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/render.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace calivue {

bool cArrayDisplay::ReadyToDraw() const
{
    return m_image && m_image->isLoaded() && m_document && m_renderBuffer.IsValid() && m_W > 9 &&
           m_H > 9;
}

bool cArrayDisplay::DrawContent(QPainter& painter)
{
    if (!ReadyToDraw()) {
        FillContentRect(QRect(0, 0, m_W, m_H), systemColour(QPalette::Button));
        return true;
    }
    m_drawnLow = m_spanLow;
    m_drawnHigh = m_spanHigh;
    const int orientation = Orientation();
    if (TakeDirty() || orientation != m_lastOrientation) {
        m_lastOrientation = orientation;
        if (!RebuildRenderBuffer()) {
            // Nothing sensible to show; a new image brings a new buffer.
            m_renderBuffer.Free();
            FillContentRect(QRect(0, 0, m_W, m_H), systemColour(QPalette::Button));
            return true;
        }
    }
    StretchPicture();
    if (!m_navigation) {
        DrawMarkers(painter);
        DrawProfileLines();
        DrawAreaBox(painter);
    } else if (m_zoom > 1) {
        DrawZoomOutline();
    }
    return true;
}

bool cArrayDisplay::RebuildRenderBuffer()
{
    const int s = m_interpolation, o = m_lastOrientation;
    bool rendered = false;
    if (m_blend != 0 && m_visible.IsValid()) {
        // The right half of the photograph file is the visual picture, rows bottom-up like
        // the image array; blending happens in the captured frame, before the turn.
        if (auto photo = m_visible.CutRegion(kWidth, 0, 2 * kWidth, kHeight)) {
            std::vector<std::uint8_t> visual =
                s > 1 ? repeatPixels(*photo, kWidth, kHeight, s) : std::move(*photo);
            m_pixels =
                renderBlended(*m_image, s, m_drawnLow, m_drawnHigh, m_isotherms, visual, m_blend);
            rendered = !m_pixels.empty();
        }
    }
    if (!rendered && !m_image->renderInto(m_pixels, s, m_drawnLow, m_drawnHigh, m_isotherms, o))
        return false;
    const bool portrait = o == 1 || o == 3;
    const int cols = s * (portrait ? kHeight : kWidth), rows = s * (portrait ? kWidth : kHeight);
    if (m_renderBuffer.CreateFromPixels(cols, rows, m_pixels) != Error::None) return false;
    ++m_renderCount;
    return true;
}

QRect cArrayDisplay::SourceRect() const
{
    // The zoom window in the render buffer, whose rows run upwards like the image's.
    const int s = m_interpolation;
    const QRect& z = m_zoomWindow;
    const int L = z.left(), T = z.top(), R = z.right(), B = z.bottom();
    const int w = z.width(), h = z.height();
    switch (m_lastOrientation) {
        case 1:
            return QRect(s * T, s * (kWidth - 1 - R), s * h, s * w);
        case 2:
            return QRect(s * (kWidth - 1 - R), s * (kHeight - 1 - B), s * w, s * h);
        case 3:
            return QRect(s * (kHeight - 1 - B), s * L, s * h, s * w);
        default:
            return QRect(s * L, s * T, s * w, s * h);
    }
}

void cArrayDisplay::StretchPicture()
{
    Bitmap* surface = drawingSurface();
    if (!surface) return;
    const int bw = m_renderBuffer.width(), bh = m_renderBuffer.height();
    QRect src = m_navigation ? QRect(0, 0, bw, bh) : SourceRect();
    src = src.intersected(QRect(0, 0, bw, bh));
    if (src.isEmpty()) return;

    // Nearest pixel to the centre of each target pixel: a plain copy at scale 1, whole
    // repeats when enlarging by a whole factor.
    const std::int64_t sw = src.width(), sh = src.height();
    m_columnMap.resize(static_cast<std::size_t>(m_W));
    for (int x = 0; x < m_W; ++x)
        m_columnMap[static_cast<std::size_t>(x)] =
            3 * (src.x() + static_cast<int>(((2 * x + 1) * sw) / (2 * m_W)));

    const std::uint8_t* pixels = m_renderBuffer.pixels().data();
    const std::size_t stride = m_renderBuffer.stride();
    const std::uint8_t* previousSource = nullptr;
    const std::uint8_t* previousRow = nullptr;
    for (int y = 0; y < m_H; ++y) {  // surface rows, bottom-up like the buffer's
        const int sy = src.y() + static_cast<int>(((2 * y + 1) * sh) / (2 * m_H));
        const std::uint8_t* source = pixels + static_cast<std::size_t>(sy) * stride;
        std::uint8_t* target = surface->row(y);
        if (source == previousSource) {
            std::memcpy(target, previousRow, static_cast<std::size_t>(m_W) * 3);
        } else {
            for (int x = 0; x < m_W; ++x)
                std::memcpy(target + 3 * x, source + m_columnMap[static_cast<std::size_t>(x)], 3);
        }
        previousSource = source;
        previousRow = target;
    }
}

}  // namespace calivue
