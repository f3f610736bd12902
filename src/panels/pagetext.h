// Internal to the panels layer.
// Texts shared by the option pages: how temperatures, emissivities and palettes are shown in
// their fields, and how a typed field is read back.
#pragma once

#include "platform/textformat.h"  // formatTemperature, formatEmissivity

#include <QString>

namespace calivue {

// The number a field starts with, read like the C library's atof: leading blanks skipped,
// then the longest prefix that is a decimal number, its separator a point or a comma;
// anything after it (a unit text) is ignored. A text that does not start with a number reads
// as 0.
double leadingNumber(const QString& text);
// An emissivity typed as a fraction, in hundredths. Rounded to the nearest hundredth, so the
// 0.95 a user reads in the field is 95 (truncating 0.95 × 100 = 94.999… would give 94).
int hundredthsOf(double value);
// A palette's name in the user's language; a stored number that is no palette is named as
// the palette it shows as (Ironbow).
QString paletteText(int palette);

}  // namespace calivue
