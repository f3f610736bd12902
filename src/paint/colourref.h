// Colours as the drawing code passes them around: 0x00BBGGRR values (red in the low byte),
// the same layout the palettes use, and the palette roles that stand in for system colours.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace calivue {

using ColourRef = std::uint32_t;

constexpr ColourRef rgb(int r, int g, int b)
{
    return static_cast<ColourRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(ColourRef c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(ColourRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(ColourRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

inline QColor toQColor(ColourRef c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline ColourRef fromQColor(const QColor& c)
{
    return rgb(c.red(), c.green(), c.blue());
}

// The application palette's colour for a role, in place of the system colours: Button is
// the button face, WindowText the window text, Light / Midlight / Dark / Shadow the four
// 3-D frame colours (highlight, light, shadow, dark shadow).
ColourRef systemColour(QPalette::ColorRole role);

}  // namespace calivue
