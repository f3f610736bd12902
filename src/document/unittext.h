// The unit text the image carries for its temperature unit byte.
#pragma once

#include <string>

namespace calivue {

// "°C", "°F" or "K" as UTF-8; any unit other than 1 and 2 reads as Celsius.
inline std::string unitTextFor(int unit)
{
    switch (unit) {
        case 1:
            return "\xC2\xB0"
                   "F";
        case 2:
            return "K";
        default:
            return "\xC2\xB0"
                   "C";
    }
}

}  // namespace calivue
