#include "view/colourbar.h"
#include "platform/textformat.h"

#include "core/brixa.h"
#include "core/palette.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace calivue {

cColourBar::cColourBar()
{
    m_font.SetFaceName(QStringLiteral("Arial"));
    m_font.SetBold(true);
    m_font.SetHeight(15);
}

cColourBar::~cColourBar() = default;

void cColourBar::SetPalette(int index)
{
    cIRDisplayObject::SetPalette(index);
    SetDirty();
    Invalidate();
}

int cColourBar::LabelHeightFor(int w)
{
    return std::max(15, w / 4);
}

EdgeRect cColourBar::GradientRect(int w, int h)
{
    return EdgeRect{w / 4, h - w / 3, w - w / 4, w / 3};
}

int cColourBar::GradientIndex(int i, int rows)
{
    if (rows <= 0) return 0;
    // The small allowance keeps the top row at 255 where 255 ÷ rows × rows rounds below it.
    return std::clamp(static_cast<int>(255.0 / rows * i + 1e-9), 0, 255);
}

void cColourBar::DrawGradient(int w, int h)
{
    m_cache.FillRect(EdgeRect{0, h - 1, w - 1, 0}, m_background);
    const EdgeRect r = GradientRect(w, h);
    const int rows = r.top - r.bottom;
    if (r.right < r.left || rows < 0) return;
    for (int i = 0; i <= rows; ++i) {
        const int y = r.bottom + i;
        if (y < 0 || y >= h) continue;
        const ColourRef colour = paletteColour(palette(), GradientIndex(i, rows));
        m_cache.FillRect(EdgeRect{r.left, y, std::min(r.right, w - 1), y}, colour);
    }
}

Bitmap* cColourBar::CreateImage(QPaintDevice*, int w, int h)
{
    if (w <= 0 || h <= 0) return nullptr;
    if (w != m_cachedW || h != m_cachedH ||
        m_cache.devicePixelRatio() != Bitmap::Ratio(pixelRatio()) || isDirty() ||
        palette() != m_drawnPalette) {
        ClearDirty();
        m_drawnPalette = palette();
        m_cachedW = w;
        m_cachedH = h;
        m_cache.SetSize(w, h, pixelRatio());
        if (!m_cache.Create()) {
            m_cachedW = m_cachedH = 0;
            return nullptr;
        }
        DrawGradient(w, h);
    }
    m_surface.SetSize(w, h, pixelRatio());
    if (!m_surface.Create()) return nullptr;
    m_surface.CopyFrom(m_cache);
    return &m_surface;
}

bool cColourBar::DrawContent(QPainter& painter)
{
    if (!m_image || !m_image->isLoaded()) return true;
    const int fontHeight = LabelHeightFor(m_W);
    if (m_font.description().height != fontHeight) m_font.SetHeight(fontHeight);
    const QString unit = QString::fromStdString(m_image->unitText());
    const auto label = [&](int raw) {
        return formatTemperature(m_image->rawToTemperature(raw), unit);
    };
    painter.save();
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    // Centred on W ÷ 2: the boxes span the whole width and may spill over both sides.
    const int th = QFontMetrics(m_font).height();
    const QRect top(0, 0, m_W, th), bottom(0, m_H - fontHeight, m_W, th);
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                     label(m_image->fields.spanHigh));
    painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                     label(m_image->fields.spanLow));
    painter.restore();
    return true;
}

}  // namespace calivue
