// cArrayDisplay: what is drawn over the picture — the markers with their labels, the
// profile-line bands, the area box, and in navigation mode the zoom-window outline.
#include "view/arraydisplay.h"
#include "platform/textformat.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

constexpr ColourRef kWhite = rgb(255, 255, 255);
constexpr ColourRef kBlack = rgb(0, 0, 0);

}  // namespace

QString cArrayDisplay::MarkerLabel(int index) const
{
    if (!m_document || index < 0 || index >= kMarkerCount) return QString();
    const Marker& m = m_document->markers()[static_cast<std::size_t>(index)];
    if (!m_image || !m_document->cursorTemperaturesShown()) return m.name;
    const float t = m_image->temperatureAt(m.x, m.row, m.emissivity / 100.0f);
    return formatTemperature(t, m_image->unitText());
}

std::vector<SnapshotMarker> cArrayDisplay::DocumentMarkers() const
{
    std::vector<SnapshotMarker> list;
    if (!m_document) return list;
    const auto& markers = m_document->markers();
    for (int i = 0; i < kMarkerCount; ++i) {
        const Marker& m = markers[static_cast<std::size_t>(i)];
        if (m.inUse && m.shown) list.push_back({i, m.x, m.row, MarkerLabel(i)});
    }
    return list;
}

void cArrayDisplay::DrawMarkers(QPainter& painter)
{
    if (Bitmap* surface = drawingSurface())
        m_painter.DrawLargeMarkers(*surface, painter, m_W, m_H, DocumentMarkers(), zoomWindow(),
                                   m_lastOrientation);
}

void cArrayDisplay::DrawProfileLines()
{
    Bitmap* surface = drawingSurface();
    if (!surface || !m_document->profilesShown()) return;
    const QRect& z = zoomWindow();
    const ProfileState& lines = m_document->profiles();
    const double g = (horizontalLinePosition() * kWidth - z.top()) / z.height();
    const double f = (verticalLinePosition() * kWidth - z.left()) / z.width();
    const auto t = [](double v) { return static_cast<int>(std::floor(v)); };
    int c = 0, r = 0;
    switch (m_lastOrientation) {
        case 1:
            c = t(m_W * g);
            r = t(m_H * f);
            break;
        case 2:
            c = m_W - 1 - t(m_W * f);
            r = t(m_H * g);
            break;
        case 3:
            c = m_W - 1 - t(m_W * g);
            r = m_H - 1 - t(m_H * f);
            break;
        default:
            c = t(m_W * f);
            r = m_H - 1 - t(m_H * g);
            break;
    }
    const int column = lines.column, row = lines.row;
    const bool columnInside = column >= z.left() && column <= z.right();
    const bool rowInside = row >= z.top() && row <= z.bottom();
    const bool portrait = m_lastOrientation == 1 || m_lastOrientation == 3;
    const ColourRef band[3] = {rgb(50, 200, 50), rgb(50, 230, 50), rgb(50, 200, 50)};
    if (portrait ? rowInside : columnInside) {
        const int x = std::clamp(c, 1, m_W - 4);
        for (int i = 0; i < 3; ++i)
            surface->BlendRect(EdgeRect{x + i, m_H - 1, x + i, 0}, band[i], 0.7);
    }
    if (portrait ? columnInside : rowInside) {
        const int y = std::clamp(m_H - r - 1, 0, m_H - 4);
        for (int i = 0; i < 3; ++i)
            surface->BlendRect(EdgeRect{0, y + i, m_W - 1, y + i}, band[i], 0.7);
    }
}

void cArrayDisplay::DrawAreaBox(QPainter& painter)
{
    const int areaMode = m_document->displayState().areaMode;
    if (areaMode < 0) return;
    // The measured area is centred in the view: columns 99–219 and rows 79–159 of a
    // 320 × 240 view for the small size, 20 pixels more on each side per size step.
    const int grow = 20 * std::clamp(areaMode, 0, 2);
    const double u0 = 99 - grow, u1 = 219 + grow, v0 = 79 - grow, v1 = 159 + grow;
    const bool portrait = m_lastOrientation == 1 || m_lastOrientation == 3;
    // A portrait display shows the view turned, so the box turns with it.
    const double kx = portrait ? m_W / double(kHeight) : m_W / double(kWidth);
    const double ky = portrait ? m_H / double(kWidth) : m_H / double(kHeight);
    const int x0 = static_cast<int>((portrait ? v0 : u0) * kx);
    const int x1 = static_cast<int>((portrait ? v1 : u1) * kx);
    const int y0 = static_cast<int>((portrait ? u0 : v0) * ky);
    const int y1 = static_cast<int>((portrait ? u1 : v1) * ky);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 255, 0), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const QPoint outline[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0 - 1}};
    painter.drawPolyline(outline, 5);
    painter.restore();
}

void cArrayDisplay::DrawZoomOutline()
{
    Bitmap* surface = drawingSurface();
    if (!surface) return;
    const int W1 = m_W - 1, H1 = m_H - 1;
    const QRect& z = zoomWindow();
    const int cx[2] = {z.left(), z.right()};
    const int ry[2] = {z.top(), z.bottom()};
    // Corners in surface pixels (rows bottom-up, as the image counts them).
    int xs[2], ys[2];
    for (int i = 0; i < 2; ++i) {
        const int c = cx[i], r = ry[i];
        switch (m_lastOrientation) {
            case 1:
                xs[i] = W1 * r / (kHeight - 1);
                ys[i] = H1 - H1 * c / (kWidth - 1);
                break;
            case 2:
                xs[i] = W1 - W1 * c / (kWidth - 1);
                ys[i] = H1 - H1 * r / (kHeight - 1);
                break;
            case 3:
                xs[i] = W1 - W1 * r / (kHeight - 1);
                ys[i] = H1 * c / (kWidth - 1);
                break;
            default:
                xs[i] = W1 * c / (kWidth - 1);
                ys[i] = H1 * r / (kHeight - 1);
                break;
        }
    }
    const int x0 = std::min(xs[0], xs[1]), x1 = std::max(xs[0], xs[1]);
    const int y0 = std::min(ys[0], ys[1]), y1 = std::max(ys[0], ys[1]);
    const auto outline = [&](int l, int b, int r, int t, ColourRef colour) {
        l = std::clamp(l, 0, W1);
        r = std::clamp(r, 0, W1);
        b = std::clamp(b, 0, H1);
        t = std::clamp(t, 0, H1);
        surface->BlendRect(EdgeRect{l, b, r, b}, colour, 0.7);
        if (t != b) surface->BlendRect(EdgeRect{l, t, r, t}, colour, 0.7);
        if (t - 1 >= b + 1) {  // the sides without the corners, so none is blended twice
            surface->BlendRect(EdgeRect{l, t - 1, l, b + 1}, colour, 0.7);
            if (r != l) surface->BlendRect(EdgeRect{r, t - 1, r, b + 1}, colour, 0.7);
        }
    };
    if (const int p = palette(); p == 0 || p == 7) {
        outline(x0, y0, x1, y1, rgb(255, 255, 0));
    } else {
        outline(x0, y0, x1, y1, kBlack);
        outline(x0 - 1, y0 - 1, x1 + 1, y1 + 1, kWhite);
    }
}

}  // namespace calivue
