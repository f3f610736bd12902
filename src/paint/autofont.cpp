#include "paint/autofont.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

// The program's weights (100–900) are the OpenType weights Qt 6 uses as well.
QFont::Weight qtWeight(int weight)
{
    return static_cast<QFont::Weight>(std::clamp(weight, 1, 1000));
}

}  // namespace

cAutoFont::cAutoFont()
{
    Rebuild();
}

void cAutoFont::SetFaceName(const QString& name)
{
    m_description.face = name.left(32);
    Rebuild();
}

int cAutoFont::SetHeight(int height)
{
    const int previous = m_description.height;
    m_description.height = height;
    Rebuild();
    return previous;
}

int cAutoFont::SetWeight(int weight)
{
    const int previous = m_description.weight;
    m_description.weight = weight;
    Rebuild();
    return previous;
}

bool cAutoFont::SetBold(bool on)
{
    return SetWeight(on ? 700 : 400) >= 500;
}

void cAutoFont::SetItalic(bool on)
{
    m_description.italic = on;
    Rebuild();
}

void cAutoFont::SetDC(QPaintDevice* device)
{
    m_device = device;
    Rebuild();
}

void cAutoFont::Rebuild()
{
    const FontDescription& d = m_description;
    QFont font(d.face);
    font.setStyleHint(d.serif ? QFont::Serif : QFont::SansSerif, QFont::PreferQuality);
    font.setWeight(qtWeight(d.weight));
    font.setItalic(d.italic);
    font.setUnderline(d.underline);
    font.setStrikeOut(d.strikeOut);
    if (d.height < 0) {
        font.setPixelSize(-d.height);
    } else if (d.height > 0) {
        // A cell height: scale the character height by this face's cell-to-em ratio.
        font.setPixelSize(100);
        const QFontMetricsF metrics =
            m_device ? QFontMetricsF(font, m_device) : QFontMetricsF(font);
        const double cell = metrics.ascent() + metrics.descent();
        const int px = cell > 0 ? static_cast<int>(std::lround(d.height * 100.0 / cell)) : d.height;
        font.setPixelSize(std::max(px, 1));
    }
    QFont::operator=(font);
}

}  // namespace calivue
