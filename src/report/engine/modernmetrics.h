// Internal to the report/engine layer.
// The measures the modern pages share: the printable area, the text inset, and the heights
// of rows and boxes in the report's fonts. Internal to the report engine.
#pragma once

#include <QFont>
#include <QStringList>

namespace calivue::modern {

inline constexpr int kLeft = 100, kRight = 2380, kTop = 100, kBottom = 3380;
inline constexpr int kPad = 10;  // the painter's text inset in boxes and labels
// Layout width is kept below the box's inner width, so a line laid out here never reaches
// the edge when the printer's metrics round differently.
inline constexpr double kWidthSafety = 0.97;

// The font's line spacing, rounded up.
int lineHeight(const QFont& font);

// A one-line row: 70 units as on the designed pages, taller when a line of a script that comes
// from a fallback font (Japanese, Chinese, Korean) would not fit inside its insets.
int rowHeight();

// The distance from line to line of laid-out lines in font: the font's own, or more where a
// script comes from a fallback font with taller lines (Japanese, Chinese).
int linePitch(const QStringList& lines, const QFont& font);

// The height of a box of n lines `pitch` apart (or in font's own pitch, or of laid-out
// lines): the inset above and below and a margin for descenders, at least a row.
int boxHeight(int lines, int pitch);
int boxHeight(int lines, const QFont& font);
int boxHeight(const QStringList& lines, const QFont& font);

}  // namespace calivue::modern
