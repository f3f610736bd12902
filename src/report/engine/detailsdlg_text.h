// The inspection data page's texts for what the inspection rules (core/printrules.h)
// decide: the field captions of each report template, the entries of the two measurement
// lists, the unit labels beside the weather fields and the formats of the readings.
#pragma once

#include "core/brixa.h"
#include "core/printrules.h"

#include "platform/stringtable.h"

#include <QString>

#include <array>
#include <vector>

namespace calivue {

// The caption words of the string table.
QString captionText(CaptionText caption, const StringTable& texts = StringTable::active());

// The 13 captions of a template as the string table has them, in project-file order (the
// Custom template's defaults for Custom and any unknown number).
std::array<QString, 13> templateCaptions(ReportTemplate reportTemplate,
                                         const StringTable& texts = StringTable::active());

// One entry of a measurement list: its text and the marker it reads (−1 for "none").
struct MeasurementEntry {
    QString text;
    int marker = -1;
};

// The text of a measurement list entry: "none", "Cursor 2", "Hot" or "Cold", in texts' language.
QString measurementText(const Measurement& measurement,
                        const StringTable& texts = StringTable::active());

// The entries of measurementList (printrules.h) with their texts.
std::vector<MeasurementEntry> measurementEntries(const cBrixa& image,
                                                 const StringTable& texts = StringTable::active());

// A reading as "%.1f %s".
QString readingText(double value, const QString& unitText);
// The difference of two readings as "%.1f %s", without the sign of a value that shows as 0.0.
QString differenceText(double value, const QString& unitText);
// "°C", "°F" or "K".
QString unitLabel(TempUnit unit);

// The labels beside indoor, outdoor, humidity, wind and pressure for a unit.
std::array<QString, 5> weatherUnitLabels(TempUnit unit);

// The snapshot's path with the extension after its last "." replaced by "bmp" (".bmp"
// appended when the file name has no extension).
QString bitmapPathOf(const QString& snapshotPath);

}  // namespace calivue
