// cProfileDisplay: choosing and sampling the line, and drawing the curve, the marker and
// its read-out. The curve is drawn into the second surface and copied on every redraw; it is
// redrawn when the object is dirty, its size changed, or what it shows (line, span, palette,
// orientation) differs from what the cached drawing was made from.
#include "view/profiledisplay.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/palette.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace calivue {

namespace {

constexpr ColourRef kBlack = rgb(0, 0, 0);

int orientationOf(const cBrixa& image)
{
    const int o = image.fields.orientation;
    return o >= 0 && o <= 3 ? o : 0;
}

}  // namespace

cProfileDisplay::cProfileDisplay(int direction, CVantoroDoc* document)
    : m_direction(direction == Lower ? Lower : Side),
      m_samples(kMaxSamples, 0),
      m_columns(kMaxSamples, 0),
      m_rows(kMaxSamples, 0)
{
    if (document) AttachDocument(document);
    m_font.SetFaceName(QStringLiteral("Arial"));
    m_font.SetBold(true);
    m_font.SetHeight(15);
}

cProfileDisplay::~cProfileDisplay() = default;

void cProfileDisplay::Refresh()
{
    m_redrawRequest = 1;
    SetDirty();
    Invalidate();
}

void cProfileDisplay::SetZoomWindow(const QRect& window)
{
    if (m_document)
        m_document->setViewRect(window);
    else
        m_zoomWindow = window;
    SetDirty();
}

const QRect& cProfileDisplay::zoomWindow() const
{
    return m_document ? m_document->viewRect() : m_zoomWindow;
}

bool cProfileDisplay::FollowsRow() const
{
    // The lower profile follows the line that runs across the screen: the image row in
    // landscape, the image column when the picture is turned by a quarter.
    const int o = m_image ? orientationOf(*m_image) : 0;
    return (m_direction == Lower) == (o == 0 || o == 2);
}

cProfileDisplay::Segment cProfileDisplay::ChooseLine() const
{
    Segment s;
    if (!m_document || !m_image) return s;
    const int o = orientationOf(*m_image);
    const ProfileState& p = m_document->profiles();
    const QRect& z = zoomWindow();
    if (FollowsRow()) {
        const int a = std::max(p.rowFirst, z.left()), b = std::min(p.rowLast, z.right());
        if (p.row < z.top() || p.row > z.bottom() || a > b) return s;
        // Column 0 is shown first (left or bottom) in orientations 0 and 3.
        const bool forward = o == 0 || o == 3;
        s = Segment{forward ? a : b, p.row, forward ? b : a, p.row, true};
    } else {
        const int a = std::max(p.columnFirst, z.top()), b = std::min(p.columnLast, z.bottom());
        if (p.column < z.left() || p.column > z.right() || a > b) return s;
        // Array row 0 is shown first (bottom or left) in orientations 0 and 1.
        const bool forward = o == 0 || o == 1;
        s = Segment{p.column, forward ? a : b, p.column, forward ? b : a, true};
    }
    return s;
}

bool cProfileDisplay::LineOutOfView() const
{
    return m_document && m_image && !ChooseLine().valid;
}

QString cProfileDisplay::OutOfViewNote() const
{
    return LineOutOfView() ? uiText(sid::ProfileOutsideView) : QString();
}

void cProfileDisplay::BringLineIntoView()
{
    if (!m_document) return;
    const QRect& z = zoomWindow();
    if (FollowsRow())
        m_document->setProfileRow(z.top() + z.height() / 2);
    else
        m_document->setProfileColumn(z.left() + z.width() / 2);
    Refresh();
}

void cProfileDisplay::Sample(int x0, int row0, int x1, int row1)
{
    m_count = 0;
    m_min = 64000;
    m_max = -64000;
    const std::int32_t* values = m_image ? m_image->imageArray() : nullptr;
    if (!values) return;
    x0 = std::clamp(x0, 0, kWidth - 1);
    x1 = std::clamp(x1, 0, kWidth - 1);
    row0 = std::clamp(row0, 0, kHeight - 1);
    row1 = std::clamp(row1, 0, kHeight - 1);
    const int dx = std::abs(x1 - x0), dy = -std::abs(row1 - row0);
    const int sx = x0 < x1 ? 1 : -1, sy = row0 < row1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, row = row0;
    while (m_count < kMaxSamples) {
        const int v = values[static_cast<std::size_t>(row) * kWidth + x];
        const auto i = static_cast<std::size_t>(m_count++);
        m_samples[i] = v;
        m_columns[i] = x;
        m_rows[i] = row;
        m_min = std::min(m_min, v);
        m_max = std::max(m_max, v);
        if (x == x1 && row == row1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            row += sy;
        }
    }
}

Bitmap* cProfileDisplay::CreateImage(QPaintDevice*, int w, int h)
{
    if (w <= 0 || h <= 0) return nullptr;
    const Segment line = ChooseLine();
    const int spanLow = m_image ? m_image->fields.spanLow : 0;
    const int spanHigh = m_image ? m_image->fields.spanHigh : 0;
    const int orientation = m_image ? orientationOf(*m_image) : -1;
    const bool stale = line != m_drawnSegment || spanLow != m_drawnSpanLow ||
                       spanHigh != m_drawnSpanHigh || palette() != m_drawnPalette ||
                       orientation != m_drawnOrientation;
    if (TakeDirty() || stale || w != m_cachedW || h != m_cachedH ||
        m_surface2.devicePixelRatio() != Bitmap::Ratio(pixelRatio())) {
        m_cachedW = w;
        m_cachedH = h;
        m_drawnSegment = line;
        m_drawnSpanLow = spanLow;
        m_drawnSpanHigh = spanHigh;
        m_drawnPalette = palette();
        m_drawnOrientation = orientation;
        m_surface2.SetSize(w, h, pixelRatio());
        if (!m_surface2.Create()) {
            m_cachedW = m_cachedH = 0;
            return nullptr;
        }
        m_surface2.FillRect(EdgeRect{0, h - 1, w - 1, 0}, m_background);
        m_count = 0;
        if (line.valid) Sample(line.x0, line.row0, line.x1, line.row1);
        if (w >= 10 && h >= 10) DrawCurve(w, h);
    }
    m_surface.SetSize(w, h, pixelRatio());
    if (!m_surface.Create()) return nullptr;
    m_surface.CopyFrom(m_surface2);
    return &m_surface;
}

void cProfileDisplay::DrawCurve(int w, int h)
{
    if (m_count <= 0) return;
    Bitmap& c = m_surface2;
    const int spanLow = m_image->fields.spanLow, spanHigh = m_image->fields.spanHigh;
    // An empty span would divide by zero; it shows every value in the first colour.
    const double colourFactor = spanHigh != spanLow ? 255.0 / (spanHigh - spanLow) : 0;
    const int range = m_max - m_min;
    const int length = m_direction == Lower ? w : h;
    const int depth = m_direction == Lower ? h : w;
    const double scale = range != 0 ? static_cast<double>(depth - 11) / range : 0;
    int previous = 0;
    for (int i = 0; i < length; ++i) {
        const auto s = static_cast<std::size_t>(static_cast<long long>(i) * m_count / length);
        const int v = m_samples[s];
        const int a = static_cast<int>((v - m_min) * scale) + 10;
        const int index = std::clamp(static_cast<int>((v - spanLow) * colourFactor), 0, 255);
        const ColourRef colour = paletteColour(palette(), index);
        if (m_direction == Lower) {
            if (a >= 1 && a - 1 >= 5) c.FillRect(EdgeRect{i, a - 1, i, 5}, colour);
            c.SetPixel(i, a, kBlack);
            if (i > 0) c.DrawLine(i - 1, previous, i, a, kBlack);
        } else {
            if (a >= 1 && a - 1 >= 5) c.FillRect(EdgeRect{5, i, a - 1, i}, colour);
            c.SetPixel(a, i, kBlack);
            if (i > 0) c.DrawLine(previous, i - 1, a, i, kBlack);
        }
        previous = a;
    }
}

int cProfileDisplay::MarkerSample() const
{
    if (m_count <= 0) return 0;
    const int k = static_cast<int>(m_count * m_markerPosition);
    const int i = m_direction == Lower ? k : m_count - k - 1;
    return std::clamp(i, 0, m_count - 1);
}

QString cProfileDisplay::MarkerLabel() const
{
    if (!m_image || m_count <= 0) return {};
    const int raw = m_samples[static_cast<std::size_t>(MarkerSample())];
    const float t = m_image->rawToTemperature(std::clamp(raw, 0, 0xFFFF));
    return formatTemperature(t, m_image->unitText());
}

bool cProfileDisplay::DrawContent(QPainter& painter)
{
    if (!m_image || m_W < 21 || m_H < 21) return true;
    if (m_count <= 0) {
        // An empty plot after zooming would look like a fault; it says why it is empty.
        if (LineOutOfView()) DrawNote(painter);
        return true;
    }
    DrawMarker();
    DrawLabel(painter);
    m_redrawRequest = 0;
    return true;
}

void cProfileDisplay::DrawNote(QPainter& painter)
{
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(toQColor(systemColour(QPalette::WindowText)));
    // The side profile is tall and narrow: its note reads upwards along it.
    QRect box(6, 6, m_W - 12, m_H - 12);
    if (m_direction == Side) {
        painter.translate(0, m_H);
        painter.rotate(-90);
        box = QRect(6, 6, m_H - 12, m_W - 12);
    }
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, OutOfViewNote());
    painter.restore();
}

void cProfileDisplay::DrawMarker()
{
    Bitmap* s = drawingSurface();
    if (!s) return;
    const ColourRef band[3] = {rgb(50, 200, 50), rgb(50, 230, 50), rgb(50, 200, 50)};
    if (m_direction == Lower) {
        const int x = std::clamp(static_cast<int>(m_W * m_markerPosition) - 1, 1, m_W - 4);
        for (int k = 0; k < 3; ++k) s->BlendRect(EdgeRect{x + k, m_H - 1, x + k, 0}, band[k], 0.7);
    } else {
        const int y = std::clamp(static_cast<int>((1 - m_markerPosition) * m_H) - 1, 0, m_H - 4);
        for (int k = 0; k < 3; ++k) s->BlendRect(EdgeRect{0, y + k, m_W - 1, y + k}, band[k], 0.7);
    }
}

void cProfileDisplay::DrawLabel(QPainter& painter)
{
    const QString text = MarkerLabel();
    const QFontMetrics metrics(m_font);
    const int tw = metrics.horizontalAdvance(text), th = metrics.height();
    // A label that would cover the whole plot is left out; the marker still shows.
    if (tw + 10 >= m_W || th + 10 >= m_H) return;
    QPoint at;
    if (m_direction == Lower) {
        const int left = static_cast<int>(m_W * m_markerPosition) - 5 - tw;
        at = left < 7 ? QPoint(2, 4) : QPoint(left, 4);
    } else {
        const int markerY = static_cast<int>(m_markerPosition * m_H);
        const int top = markerY - 4 - th;
        at = QPoint(m_W - 4 - tw, top < 7 ? 4 : top);
    }
    const QRect box(at, QSize(tw, th));
    painter.save();
    painter.setFont(m_font);
    painter.fillRect(box, toQColor(systemColour(QPalette::Button)));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter.restore();
}

}  // namespace calivue
