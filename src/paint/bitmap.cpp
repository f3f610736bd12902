#include "paint/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace calivue {

namespace {

// Device pixels for a logical extent, rounded up so a fractional ratio leaves no seam at
// the far edge.
int deviceExtent(int logical, double ratio)
{
    return static_cast<int>(std::ceil(logical * ratio - 1e-9));
}

}  // namespace

void Bitmap::SetSize(int w, int h, double ratio)
{
    m_height = h;
    m_width = w > 0 ? (w + 3) / 4 * 4 : w;  // a side that is not positive is refused by Create
    m_ratio = Ratio(ratio);
}

int Bitmap::deviceFirst(int v) const
{
    return static_cast<int>(std::floor(v * m_ratio + 1e-9));
}

int Bitmap::deviceLast(int v, int extent) const
{
    return std::min(extent, deviceExtent(v + 1, m_ratio)) - 1;
}

bool Bitmap::Create()
{
    if (m_width <= 0 || m_height <= 0 || m_width > kMaxSide || m_height > kMaxSide) {
        Free();
        return false;
    }
    const int dw = deviceExtent(m_width, m_ratio), dh = deviceExtent(m_height, m_ratio);
    if (dw > kMaxSide || dh > kMaxSide) {
        Free();
        return false;
    }
    m_size = 3 * m_width * m_height;
    if (!m_image.isNull() && m_image.width() == dw && m_image.height() == dh &&
        m_image.devicePixelRatio() == m_ratio)
        return true;
    m_image = QImage(dw, dh, QImage::Format_BGR888);
    if (m_image.isNull()) {
        m_size = 0;
        return false;
    }
    m_image.setDevicePixelRatio(m_ratio);
    m_image.fill(Qt::black);
    return true;
}

void Bitmap::Free()
{
    m_image = QImage();
    m_size = 0;
}

std::uint8_t* Bitmap::row(int y)
{
    if (m_image.isNull() || y < 0 || y >= m_image.height()) return nullptr;
    return m_image.scanLine(m_image.height() - 1 - y);
}

const std::uint8_t* Bitmap::row(int y) const
{
    if (m_image.isNull() || y < 0 || y >= m_image.height()) return nullptr;
    return m_image.constScanLine(m_image.height() - 1 - y);
}

void Bitmap::CopyFrom(const Bitmap& other)
{
    if (m_image.isNull() || other.m_image.isNull()) return;
    // Both buffers are read as one bottom-up byte stream, the way the surfaces are laid out.
    const std::size_t ownStride = static_cast<std::size_t>(m_image.width()) * 3;
    const std::size_t otherStride = static_cast<std::size_t>(other.m_image.width()) * 3;
    const std::size_t total =
        std::min(ownStride * m_image.height(), otherStride * other.m_image.height());
    std::size_t done = 0;
    while (done < total) {
        const std::size_t dy = done / ownStride, dx = done % ownStride;
        const std::size_t sy = done / otherStride, sx = done % otherStride;
        const std::size_t n = std::min({ownStride - dx, otherStride - sx, total - done});
        std::memcpy(row(static_cast<int>(dy)) + dx, other.row(static_cast<int>(sy)) + sx, n);
        done += n;
    }
}

void Bitmap::SetPixel(int x, int y, ColourRef colour)
{
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) return;
    FillRect(EdgeRect{x, y, x, y}, colour);
}

ColourRef Bitmap::Pixel(int x, int y) const
{
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) return 0;
    const int dx = deviceFirst(x);
    const std::uint8_t* p = row(deviceFirst(y));
    if (!p || dx >= m_image.width()) return 0;
    p += static_cast<std::size_t>(dx) * 3;
    return rgb(p[2], p[1], p[0]);
}

void Bitmap::FillRect(const EdgeRect& r, ColourRef colour)
{
    if (m_image.isNull()) return;
    const int dw = m_image.width(), dh = m_image.height();
    const int left = std::max(r.left, 0), right = std::min(r.right, m_width - 1);
    const int bottom = std::max(r.bottom, 0), top = std::min(r.top, m_height - 1);
    if (left > right || bottom > top) return;
    const int x0 = deviceFirst(left), x1 = deviceLast(right, dw);
    const int y0 = deviceFirst(bottom), y1 = deviceLast(top, dh);
    if (x0 > x1 || y0 > y1) return;
    const std::uint8_t b = static_cast<std::uint8_t>(blueOf(colour));
    const std::uint8_t g = static_cast<std::uint8_t>(greenOf(colour));
    const std::uint8_t red = static_cast<std::uint8_t>(redOf(colour));
    for (int y = y0; y <= y1; ++y) {
        std::uint8_t* p = row(y) + static_cast<std::size_t>(x0) * 3;
        for (int x = x0; x <= x1; ++x, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = red;
        }
    }
}

void Bitmap::BlendRect(const EdgeRect& r, ColourRef colour, double alpha)
{
    if (m_image.isNull()) return;
    const int w = m_width, h = m_height;
    if (r.left < 0 || r.left >= w || r.right < 0 || r.right >= w) return;
    if (r.top < 0 || r.top >= h || r.bottom < 0 || r.bottom >= h || r.bottom > r.top) return;
    const int dw = m_image.width(), dh = m_image.height();
    const int x0 = deviceFirst(r.left), x1 = deviceLast(r.right, dw);
    const int y0 = deviceFirst(r.bottom), y1 = deviceLast(r.top, dh);
    const double keep = 1.0 - alpha;
    // Blue, green, red: the order of the bytes in a pixel.
    const int add[3] = {static_cast<int>(blueOf(colour) * alpha),
                        static_cast<int>(greenOf(colour) * alpha),
                        static_cast<int>(redOf(colour) * alpha)};
    for (int y = y0; y <= y1; ++y) {
        std::uint8_t* p = row(y) + static_cast<std::size_t>(x0) * 3;
        for (int x = x0; x <= x1; ++x) {
            for (int c = 0; c < 3; ++c, ++p) {
                const int v = add[c] + static_cast<int>(*p * keep);
                *p = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
            }
        }
    }
}

void Bitmap::DrawLine(int x0, int y0, int x1, int y1, ColourRef colour)
{
    if (m_image.isNull()) return;
    // The lower limit only keeps absurd coordinates from overflowing or looping for long;
    // what it cuts off lies far outside the surface anyway.
    constexpr int kFar = -4 * kMaxSide;
    const int maxX = m_width - 1, maxY = m_height - 1;
    x0 = std::clamp(x0, kFar, maxX);
    x1 = std::clamp(x1, kFar, maxX);
    y0 = std::clamp(y0, kFar, maxY);
    y1 = std::clamp(y1, kFar, maxY);
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        SetPixel(x0, y0, colour);  // skips what lies outside
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Bitmap::DrawPolyline(const QPoint* points, int count, ColourRef colour, bool closed)
{
    if (!points || count < 1) return;
    for (int i = 1; i < count; ++i)
        DrawLine(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), colour);
    if (closed && count > 1)
        DrawLine(points[count - 1].x(), points[count - 1].y(), points[0].x(), points[0].y(),
                 colour);
    if (count == 1) SetPixel(points[0].x(), points[0].y(), colour);
}

}  // namespace calivue
