// The unit text the image carries for its temperature unit byte.
#pragma once

#include "core/brixa.h"

#include <string>

namespace calivue {

// "°C", "°F" or "K" as UTF-8 for the record's unit byte; any byte that names no unit reads as
// Celsius.
inline std::string unitTextFor(int unitByte)
{
    return unitTextOf(tempUnitFrom(unitByte).value_or(TempUnit::Celsius));
}

}  // namespace calivue
