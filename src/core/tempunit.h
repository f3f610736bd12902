// The temperature units readings are shown in, and the numbers settings, records, project
// files and command-line options keep them as.
#pragma once

#include <optional>
#include <string>

namespace calivue {

enum class TempUnit : int { Celsius = 0, Fahrenheit = 1, Kelvin = 2 };

// The unit a stored number names, or none for a number outside 0-2: each reader of a stored
// number decides what such a number reads as, so it keeps the reading it always had.
constexpr std::optional<TempUnit> tempUnitFrom(int number)
{
    if (number < 0 || number > 2) return std::nullopt;
    return static_cast<TempUnit>(number);
}

// The number a unit is stored as.
constexpr int tempUnitNumber(TempUnit unit)
{
    return static_cast<int>(unit);
}

inline constexpr TempUnit kTempUnits[] = {TempUnit::Celsius, TempUnit::Fahrenheit,
                                          TempUnit::Kelvin};

// "°C", "°F" or "K" (UTF-8); empty for a value that names no unit.
std::string unitTextOf(TempUnit unit);

}  // namespace calivue
