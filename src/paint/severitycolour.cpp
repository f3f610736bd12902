#include "severitycolour.h"

#include <array>

namespace calivue {

QColor severityColour(int priority)
{
    // Dark enough to read as text on white paper and on the page's light background.
    static constexpr std::array<QRgb, 5> kColours = {0x2e7d32, 0x7c8f00, 0xc88a00, 0xe65100,
                                                     0xc62828};
    if (priority < 1 || priority > 5) return QColor(0x55, 0x55, 0x55);
    return QColor::fromRgb(kColours[std::size_t(priority - 1)]);
}

}  // namespace calivue
