#include "core/tempunit.h"

namespace calivue {

std::string unitTextOf(TempUnit unit)
{
    switch (unit) {
        case TempUnit::Celsius:
            return "\xC2\xB0"
                   "C";
        case TempUnit::Fahrenheit:
            return "\xC2\xB0"
                   "F";
        case TempUnit::Kelvin:
            return "K";
    }
    return {};
}

}  // namespace calivue
