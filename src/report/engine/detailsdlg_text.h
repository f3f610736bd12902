// The inspection data page's texts and choices that follow from data alone: the field
// captions of each report template, the entries of the two measurement lists and their first
// selections, the unit labels beside the weather fields and the formats of the readings.
#pragma once

#include "core/brixa.h"

#include "stringtable.h"

#include <QString>

#include <array>
#include <vector>

namespace calivue {

// The 13 captions of a template, in project-file order: Maintenance (0), Buildings (1) and
// Mechanical (2) as the string table has them. Custom (3) and any other number give the
// Buildings captions, which are also the Custom defaults.
std::array<QString, 13> templateCaptions(int templateNumber);

// Whether caption row i (0-12) is shown in a template: Buildings has no equipment row,
// Maintenance and Mechanical none of the five weather rows (8-12).
bool captionRowShown(int templateNumber, int row);

// One entry of a measurement list: its text and the marker it reads (−1 for "none").
struct MeasurementEntry {
    QString text;
    int marker = -1;
};

// "none", then "Cursor 1" … for each measurement cursor when cursors are shown, then "Hot"
// and "Cold" when those markers are on (marker indices 0 … n−1, 11, 10), in texts' language.
std::vector<MeasurementEntry> measurementEntries(const cBrixa& image,
                                                 const StringTable& texts = StringTable::active());

// The positions an inspection shown for the first time starts with: the first list on the
// first reading when there is a cursor or the hot marker, the second on the next reading
// when there are two cursors or the cold marker; never past the end of the list.
struct MeasurementPositions {
    int first = 0;
    int second = 0;
};
MeasurementPositions firstMeasurementPositions(const std::vector<MeasurementEntry>& entries);

// A stored list position as the list can take it: positions the list does not hold read as
// "none" (0), so a record never points past a snapshot's readings.
int usablePosition(int stored, int count);

// A reading as "%.1f %s".
QString readingText(double value, const QString& unitText);
// The difference of two readings as "%.1f %s", without the sign of a value that shows as 0.0.
QString differenceText(double value, const QString& unitText);
// "°C", "°F" or "K".
QString unitLabel(int unit);

// The labels beside indoor, outdoor, humidity, wind and pressure for a unit.
std::array<QString, 5> weatherUnitLabels(int unit);

// The snapshot's path with the extension after its last "." replaced by "bmp" (".bmp"
// appended when the file name has no extension).
QString bitmapPathOf(const QString& snapshotPath);

}  // namespace calivue
