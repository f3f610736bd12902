// cSnapshotPainter: rendering the picture and copying the shown part of it onto a surface,
// and the all-in-one Paint onto any painter.
#include "paint/snapshotpainter.h"

#include "paint/autofont.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/render.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace calivue {

cSnapshotPainter::cSnapshotPainter()
{
    // The analysis window's label font.
    cAutoFont font;
    font.SetFaceName(QStringLiteral("Arial"));
    font.SetBold(true);
    font.SetHeight(15);
    m_labelFont = font;
}

bool cSnapshotPainter::Render(const cBrixa& img, const DisplayState& state, int interpolation,
                              const cBitmapFile* photograph)
{
    const int s = std::clamp(interpolation, 1, kMaxInterpolation);
    const int o = state.orientation >= 0 && state.orientation <= 3 ? state.orientation : 0;
    // The right half of the photograph file is the visual picture, rows bottom-up like the
    // image array; without one (or without a blend) the picture is the thermal one alone.
    std::vector<std::uint8_t> visual;
    if (state.blendMode != 0 && photograph && photograph->IsValid()) {
        if (auto photo = photograph->CutRegion(kWidth, 0, 2 * kWidth, kHeight))
            visual = s > 1 ? repeatPixels(*photo, kWidth, kHeight, s) : std::move(*photo);
    }
    if (!renderShown(img, state, s, visual, m_pixels)) {
        m_picture.Free();
        return false;
    }
    const bool portrait = o == 1 || o == 3;
    const int cols = s * (portrait ? kHeight : kWidth), rows = s * (portrait ? kWidth : kHeight);
    if (m_picture.CreateFromPixels(cols, rows, m_pixels) != Error::None) {
        m_picture.Free();
        return false;
    }
    m_interpolation = s;
    m_orientation = o;
    ++m_renderCount;
    return true;
}

namespace {

// The zoom window in the rendered picture, whose rows run upwards like the image's.
QRect sourceRect(const QRect& z, int s, int orientation)
{
    const int L = z.left(), T = z.top(), R = z.right(), B = z.bottom();
    const int w = z.width(), h = z.height();
    switch (orientation) {
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

}  // namespace

void cSnapshotPainter::DrawWholePicture(Bitmap& surface, int w, int h) const
{
    DrawPicture(surface, w, h, QRect(0, 0, kWidth, kHeight));
}

void cSnapshotPainter::DrawPicture(Bitmap& surface, int w, int h, const QRect& window) const
{
    if (!m_picture.IsValid() || !surface.IsCreated()) return;
    w = std::min(w, surface.width());
    h = std::min(h, surface.height());
    if (w <= 0 || h <= 0) return;
    // The area is the top-left w × h logical pixels; it is filled in device pixels, each
    // sampling the rendered picture at its own centre, so an interpolated picture keeps
    // its detail on a HiDPI surface. At ratio 1 device and logical pixels are the same.
    const int deviceRows = surface.deviceHeight();
    const int bottomRow = surface.deviceFirst(surface.height() - h);
    w = surface.deviceLast(w - 1, surface.deviceWidth()) + 1;
    h = deviceRows - bottomRow;
    if (w <= 0 || h <= 0) return;
    const int bw = m_picture.width(), bh = m_picture.height();
    const QRect src =
        sourceRect(window, m_interpolation, m_orientation).intersected(QRect(0, 0, bw, bh));
    if (src.isEmpty()) return;

    // Nearest pixel to the centre of each target pixel: a plain copy at scale 1, whole
    // repeats when enlarging by a whole factor.
    const std::int64_t sw = src.width(), sh = src.height();
    m_columnMap.resize(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        m_columnMap[static_cast<std::size_t>(x)] =
            3 * (src.x() + static_cast<int>(((2 * x + 1) * sw) / (2 * w)));

    const std::uint8_t* pixels = m_picture.pixels().data();
    const std::size_t stride = m_picture.stride();
    const std::uint8_t* previousSource = nullptr;
    const std::uint8_t* previousRow = nullptr;
    for (int y = 0; y < h; ++y) {  // surface rows of the area, bottom-up like the picture's
        const int sy = src.y() + static_cast<int>(((2 * y + 1) * sh) / (2 * h));
        const std::uint8_t* source = pixels + static_cast<std::size_t>(sy) * stride;
        std::uint8_t* target = surface.row(bottomRow + y);
        if (source == previousSource) {
            std::memcpy(target, previousRow, static_cast<std::size_t>(w) * 3);
        } else {
            for (int x = 0; x < w; ++x)
                std::memcpy(target + 3 * x, source + m_columnMap[static_cast<std::size_t>(x)], 3);
        }
        previousSource = source;
        previousRow = target;
    }
}

bool cSnapshotPainter::Paint(QPainter& painter, const QRect& target, const cBrixa& img,
                             const DisplayState& state, const std::vector<SnapshotMarker>& markers,
                             MarkerStyle style, const cBitmapFile* photograph, QPointF smallOffset)
{
    if (target.width() <= 0 || target.height() <= 0) return false;
    if (!Render(img, state, m_interpolation, photograph)) return false;
    Bitmap surface;
    surface.SetSize(target.width(), target.height());
    if (!surface.Create()) return false;
    const int w = target.width(), h = target.height();
    DrawWholePicture(surface, w, h);
    if (style == MarkerStyle::Numbered) {
        painter.drawImage(target.topLeft(), surface.image(), QRect(0, 0, w, h));
        QFont font = m_labelFont;
        font.setPixelSize(std::max(8, h / 16));
        DrawNumberedMarkers(painter, QRectF(target), markers, font, smallOffset, nullptr,
                            m_orientation);
        return true;
    }
    if (style == MarkerStyle::Small) {
        DrawSmallMarkers(surface, QRect(0, 0, w, h), markers, smallOffset);
    } else {
        QPainter onSurface(&surface.image());
        DrawLargeMarkers(surface, onSurface, w, h, markers, QRect(0, 0, kWidth, kHeight),
                         m_orientation);
    }
    painter.drawImage(target.topLeft(), surface.image(), QRect(0, 0, w, h));
    return true;
}

}  // namespace calivue
