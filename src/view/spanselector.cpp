// cSpanSelector: its state — the histogram, the mapping between positions and raw values,
// and what it takes from the image and the document.
#include "view/spanselector.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/displaystate.h"

#include <algorithm>
#include <cmath>

namespace calivue {

cSpanSelector::cSpanSelector()
{
    m_font.SetFaceName(QStringLiteral("Arial"));
    m_font.SetBold(true);
    m_font.SetHeight(15);
}

cSpanSelector::~cSpanSelector() = default;

void cSpanSelector::SetRect(const QRect& rect)
{
    cIRDisplayObject::SetRect(rect);
    m_histLeft = static_cast<int>(m_W * 0.1);
    m_histRight = static_cast<int>(m_W * 0.9);
    SetDirty();
}

bool cSpanSelector::HasData() const
{
    return m_image && m_image->imageArray() != nullptr;
}

double cSpanSelector::PositionOf(int raw) const
{
    if (m_rawMax == m_rawMin) return 0;
    return static_cast<double>(raw - m_rawMin) / (m_rawMax - m_rawMin) * 0.8 + 0.1;
}

int cSpanSelector::RawAt(double position) const
{
    return m_rawMin + static_cast<int>((position - 0.1) * 1.25 * (m_rawMax - m_rawMin));
}

void cSpanSelector::SetBandRaw(Band& band, int low, int high) const
{
    band.rawLow = low;
    band.rawHigh = high;
    band.low = PositionOf(low);
    band.high = PositionOf(high);
}

cSpanSelector::Band* cSpanSelector::TargetBand(int target)
{
    switch (target) {
        case TargetSpan:
            return &m_span;
        case TargetBlue:
            return &m_blue;
        case TargetRed:
            return &m_red;
        default:
            return nullptr;
    }
}

void cSpanSelector::BuildHistogram()
{
    m_maxCount = 0;
    if (!HasData() || m_bins <= 0) {
        m_histogram.clear();
        return;
    }
    m_histogram.assign(static_cast<std::size_t>(m_bins), 0);
    int range = m_rawMax - m_rawMin;
    if (range < 2) range = 1;
    const double scale = static_cast<double>(m_bins) / range;
    const std::int32_t* values = m_image->imageArray();
    for (int i = 0; i < kPixels; ++i) {
        const int bin = std::clamp(static_cast<int>((values[i] - m_rawMin) * scale), 0, m_bins - 1);
        int& count = m_histogram[static_cast<std::size_t>(bin)];
        m_maxCount = std::max(m_maxCount, ++count);
    }
}

void cSpanSelector::SetImage(cBrixa* image)
{
    if (!image) return;
    cIRDisplayObject::SetImage(image);
    m_rawMin = m_rawMax = 0;
    if (HasData()) image->fullRange(m_rawMin, m_rawMax);
    BuildHistogram();
    m_histLeft = static_cast<int>(m_W * 0.1);
    m_histRight = static_cast<int>(m_W * 0.9);
    RecordFields& f = image->fields;
    // Only the document may give its own image a span: that is a change it saves.
    if (m_document && image == &m_document->image() && HasData() && f.spanLow == 0 &&
        f.spanHigh == 0) {
        int low = 0, high = 0;
        defaultSpanOf(*image, low, high);
        m_document->setSpan(low, high);
    }
    SetBandRaw(m_span, f.spanLow, f.spanHigh);
    if (m_document) {
        SetBandRaw(m_blue, f.blueLower, f.blueUpper);
        SetBandRaw(m_red, f.redLower, f.redUpper);
    }
    SetDirty();
    Invalidate();
}

void cSpanSelector::SyncSpan()
{
    if (!m_image) return;
    SetBandRaw(m_span, m_image->fields.spanLow, m_image->fields.spanHigh);
    m_redrawRequest = 1;
    Invalidate();
}

void cSpanSelector::SyncIsotherms()
{
    if (!m_image) return;
    const RecordFields& f = m_image->fields;
    SetBandRaw(m_blue, f.blueLower, f.blueUpper);
    SetBandRaw(m_red, f.redLower, f.redUpper);
    Invalidate();
}

void cSpanSelector::DetachImage()
{
    m_image = nullptr;
    m_histogram.clear();
    m_maxCount = 0;
    m_target = TargetNone;
    m_handle = HandleNone;
    SetDirty();
    Invalidate();
}

void cSpanSelector::SetIsothermFlags(unsigned flags)
{
    if (m_document) {
        const RecordFields& f = m_document->image().fields;
        m_document->setIsotherms(flags & 3u, f.blueLower, f.blueUpper, f.redLower, f.redUpper);
    } else {
        m_isoFlags = flags & 3u;
    }
    Invalidate();
}

unsigned cSpanSelector::isothermFlags() const
{
    return m_document ? m_document->isothermFlags() & 3u : m_isoFlags;
}

int cSpanSelector::HitTest(const Band& band, int x, double tolerancePixels) const
{
    if (m_W <= 0) return HandleNone;
    const double e = static_cast<double>(x) / m_W;
    const double f = std::abs(band.low - e), g = std::abs(band.high - e);
    const bool inside = band.low < e && e < band.high;
    double d = tolerancePixels / m_W;
    // A narrow band keeps its middle grabbable: the ends reach at most a tenth into it.
    if (inside) d = std::min(d, (band.high - band.low) / 10);
    if (f > g && g < d) return HandleHigh;
    if (f < g && f < d) return HandleLow;
    return inside ? HandleBand : HandleNone;
}

}  // namespace calivue
