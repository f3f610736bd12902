// The unit text the image carries for its temperature unit byte.
#pragma once

#include "core/brixa.h"

#include <string>

namespace calivue {

// "°C", "°F" or "K" as UTF-8; any unit other than 1 and 2 reads as Celsius.
inline std::string unitTextFor(int unit)
{
    std::string text = unitTextOf(unit);
    return text.empty() ? unitTextOf(0) : text;
}

}  // namespace calivue
