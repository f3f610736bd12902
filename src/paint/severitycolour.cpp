#include "paint/severitycolour.h"

namespace calivue {

QColor severityColour(int priority)
{
    switch (priority) {
        case 1:
            return QColor(0x2E, 0x7D, 0x32);  // green
        case 2:
            return QColor(0xA6, 0x7C, 0x00);  // dark amber
        case 3:
            return QColor(0xE0, 0x6C, 0x00);  // orange
        case 4:
            return QColor(0xD8, 0x43, 0x15);  // red-orange
        case 5:
            return QColor(0xC6, 0x28, 0x28);  // red
        default:
            return {};
    }
}

}  // namespace calivue
