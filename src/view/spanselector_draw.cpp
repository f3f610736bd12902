// cSpanSelector: drawing — the histogram cache, the span bar, the labels, the darkening
// outside the span and the isotherm bands.
#include "view/spanselector.h"
#include "platform/textformat.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/palette.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace calivue {

namespace {

constexpr ColourRef kBlack = rgb(0, 0, 0);
constexpr int kAxisRow = 11;     // the line above the span bar
constexpr int kAreaMargin = 12;  // rows between the histogram and the top and bottom edges
constexpr int kLabelStep = 15;   // label lines

}  // namespace

Bitmap* cSpanSelector::CreateImage(QPaintDevice*, int w, int h)
{
    if (w <= 0 || h <= 0) return nullptr;
    // The image holds the limits (the switches are read from the document); a change made
    // elsewhere (an option page, a menu command, a reset) shows even if nobody called
    // SyncSpan or SyncIsotherms. A drag in progress owns the limits until it ends.
    if (m_image && m_target == TargetNone) {
        const RecordFields& f = m_image->fields;
        if (f.spanLow != m_span.rawLow || f.spanHigh != m_span.rawHigh) {
            SetBandRaw(m_span, f.spanLow, f.spanHigh);
            m_redrawRequest = 1;
        }
        if (m_document) {
            if (f.blueLower != m_blue.rawLow || f.blueUpper != m_blue.rawHigh)
                SetBandRaw(m_blue, f.blueLower, f.blueUpper);
            if (f.redLower != m_red.rawLow || f.redUpper != m_red.rawHigh)
                SetBandRaw(m_red, f.redLower, f.redUpper);
        }
    }
    if (w != m_cachedW || h != m_cachedH ||
        m_cache.devicePixelRatio() != Bitmap::Ratio(pixelRatio()) || isDirty() ||
        m_redrawRequest == 1) {
        ClearDirty();
        m_cachedW = w;
        m_cachedH = h;
        m_cache.SetSize(w, h, pixelRatio());
        if (!m_cache.Create()) {
            m_cachedW = m_cachedH = 0;
            return nullptr;
        }
        m_cache.FillRect(EdgeRect{0, h - 1, w - 1, 0}, m_background);
        // Without data the background alone is shown, never a stale histogram.
        if (HasData()) DrawHistogram(w, h);
    }
    m_surface.SetSize(w, h, pixelRatio());
    if (!m_surface.Create()) return nullptr;
    m_surface.CopyFrom(m_cache);
    return &m_surface;
}

void cSpanSelector::DrawHistogram(int w, int h)
{
    m_cache.DrawLine(0, kAxisRow, w - 1, kAxisRow, kBlack);
    const int bottom = kAreaMargin, top = h - 1 - kAreaMargin;
    const int left = static_cast<int>(w * 0.1), right = w - 1 + static_cast<int>(-w * 0.1);
    if (top >= bottom) {
        m_cache.FillRect(EdgeRect{left - 2, top, left - 1, bottom}, kBlack);
        m_cache.FillRect(EdgeRect{right, top, right + 1, bottom}, kBlack);
    }
    // One bin per pixel column of the histogram area.
    if (right > left && right - left != m_bins) {
        m_bins = right - left;
        BuildHistogram();
    }
    if (right - left >= 8 && top - bottom >= 8) DrawBars(left, right, bottom, top);
}

void cSpanSelector::DrawBars(int left, int right, int bottom, int top)
{
    if (m_maxCount <= 0) return;
    const double r = static_cast<double>(top - bottom) / m_maxCount;
    // Colours across the span's width in pixels, so each bar has the colour its values
    // have in the picture.
    const double spanPixels = (m_span.high - m_span.low) * m_W;
    const int spanStart = static_cast<int>(m_W * m_span.low);
    int previousTop = bottom;
    for (int x = left; x < right; ++x) {
        const std::size_t bin = static_cast<std::size_t>(x - left);
        if (bin >= m_histogram.size()) break;
        const int count = m_histogram[bin];
        int v = static_cast<int>(count * r);
        if (count != 0 && v < 1) v = 1;
        const int j = std::max(0, x - spanStart);
        int index = 0;
        if (spanPixels > 0)
            index = std::min(255, static_cast<int>(255.0 / spanPixels * j));
        else
            index = j > 0 ? 255 : 0;  // an empty span: a step at its position
        const int barTop = bottom + v;
        if (v >= 1)
            m_cache.FillRect(EdgeRect{x, barTop - 1, x, bottom}, paletteColour(palette(), index));
        if (x > left) m_cache.DrawLine(x - 1, previousTop, x, barTop, kBlack);
        m_cache.SetPixel(x, barTop, kBlack);
        previousTop = barTop;
    }
}

bool cSpanSelector::DrawContent(QPainter& painter)
{
    if (!HasData() || m_W <= 0 || m_H <= 0) return true;
    DrawSpanBar();
    DrawLabels(painter);
    DarkenOutsideSpan();
    if (isothermFlags() & 1u) DrawIsothermBand(m_blue, rgb(0, 0, 230));
    if (isothermFlags() & 2u) DrawIsothermBand(m_red, rgb(230, 0, 0));
    m_redrawRequest = 0;
    return true;
}

void cSpanSelector::DrawSpanBar()
{
    Bitmap* s = drawingSurface();
    if (!s) return;
    const int lastColumn = m_W - 1;
    int x0 = std::max(0, static_cast<int>(m_W * m_span.low));
    int x1 = std::min(lastColumn, static_cast<int>(m_W * m_span.high));
    if (x1 - x0 < 5) {  // at least six pixels wide, still inside the plot
        if (x0 + 5 <= lastColumn)
            x1 = x0 + 5;
        else
            x0 = std::max(0, lastColumn - 5), x1 = lastColumn;
    }
    const int b = 0, t = kBarHeight;
    s->FillRect(EdgeRect{x0, t, x1, b}, systemColour(QPalette::Button));
    // Raised edge: highlight and shadow inside, light and dark shadow outside.
    const ColourRef highlight = systemColour(QPalette::Light);
    const ColourRef light = systemColour(QPalette::Midlight);
    const ColourRef shadow = systemColour(QPalette::Dark);
    const ColourRef darkShadow = systemColour(QPalette::Shadow);
    s->FillRect(EdgeRect{x0 + 1, t - 1, x1 - 1, t - 1}, highlight);
    s->FillRect(EdgeRect{x0 + 1, t - 1, x0 + 1, b + 1}, highlight);
    s->FillRect(EdgeRect{x0 + 1, b + 1, x1 - 1, b + 1}, shadow);
    s->FillRect(EdgeRect{x1 - 1, t - 1, x1 - 1, b + 1}, shadow);
    s->FillRect(EdgeRect{x0, t, x1, t}, light);
    s->FillRect(EdgeRect{x0, t, x0, b}, light);
    s->FillRect(EdgeRect{x0, b, x1, b}, darkShadow);
    s->FillRect(EdgeRect{x1, t, x1, b}, darkShadow);
}

void cSpanSelector::DrawLabels(QPainter& painter)
{
    painter.save();
    painter.setFont(m_font);
    DrawLabelPair(painter, m_span, 0);
    if (isothermFlags() & 1u) DrawLabelPair(painter, m_blue, kLabelStep);
    if (isothermFlags() & 2u) DrawLabelPair(painter, m_red, 2 * kLabelStep);
    painter.restore();
}

void cSpanSelector::DrawLabelPair(QPainter& painter, const Band& band, int y)
{
    const QFontMetrics metrics(m_font);
    const QString unit = QString::fromStdString(m_image->unitText());
    const auto text = [&](int raw) {
        // Values dragged beyond the image's range are still counts the record can hold.
        const float t = m_image->rawToTemperature(std::clamp(raw, 0, 0xFFFF));
        return formatTemperature(t, unit);
    };
    const auto draw = [&](int x, int top, const QString& s) {
        const QRect box(x, top, metrics.horizontalAdvance(s), metrics.height());
        painter.fillRect(box, toQColor(systemColour(QPalette::Button)));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, s);
    };

    const QString low = text(band.rawLow), high = text(band.rawHigh);
    const LabelPlaces at =
        PlaceLabels(band, y, metrics.horizontalAdvance(low), metrics.horizontalAdvance(high));
    draw(at.low.x(), at.low.y(), low);
    draw(at.high.x(), at.high.y(), high);
}

cSpanSelector::LabelPlaces cSpanSelector::PlaceLabels(const Band& band, int y, int lowWidth,
                                                      int highWidth) const
{
    LabelPlaces at;
    int lowX = static_cast<int>(m_W * band.low) - 4 - lowWidth;
    if (band.low < 0 || lowX < 2) lowX = 2;
    at.low = QPoint(lowX, y);
    if (band.high > 1) {
        // Beyond the display: at the right edge, one line lower so it clears the low label.
        at.high = QPoint(m_W - 2 - highWidth, y + kLabelStep);
    } else {
        int highX = static_cast<int>(m_W * band.high);
        if (highX + highWidth > m_W - 2) highX = m_W - 2 - highWidth;
        at.high = QPoint(highX, y);
    }
    return at;
}

void cSpanSelector::DarkenOutsideSpan()
{
    Bitmap* s = drawingSurface();
    if (!s) return;
    const int bottom = kAreaMargin, top = m_H - 1 - kAreaMargin;
    const int last = m_W - 1;
    if (top >= bottom) {
        if (m_span.low > 0) {
            const int x = std::min(last, static_cast<int>(m_W * m_span.low) - 1);
            if (x >= 0) s->BlendRect(EdgeRect{0, top, x, bottom}, kBlack, 0.2);
        }
        if (m_span.high < 1) {
            const int x = std::max(0, static_cast<int>(m_W * m_span.high) + 1);
            if (x <= last) s->BlendRect(EdgeRect{x, top, last, bottom}, kBlack, 0.2);
        }
    }
    if (m_span.low < 0) DrawArrow(0, true);
    if (m_span.high > 1) DrawArrow(last, false);
}

void cSpanSelector::DrawArrow(int x, bool pointsLeft)
{
    // A solid triangle seven pixels tall on the span bar, its tip on the edge.
    Bitmap* s = drawingSurface();
    const int middle = kBarHeight / 2;
    for (int k = 0; k <= 3; ++k) {
        const int column = pointsLeft ? x + k : x - k;
        s->FillRect(EdgeRect{column, middle + k, column, middle - k}, kBlack);
    }
}

void cSpanSelector::DrawIsothermBand(const Band& band, ColourRef colour)
{
    Bitmap* s = drawingSurface();
    if (!s) return;
    const int x0 = std::max(0, static_cast<int>(m_W * std::max(band.low, 0.0)));
    const int x1 = std::min(m_W - 1, static_cast<int>(m_W * std::min(band.high, 0.9999)));
    if (x1 < x0) return;
    s->BlendRect(EdgeRect{x0, m_H - 1, x1, 0}, colour, 0.4);
}

}  // namespace calivue
