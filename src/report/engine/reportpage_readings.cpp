// What an inspection page prints of its snapshot: the readings of its markers in the report's
// unit, the difference the record selects, and the capture and measurement parameters.
#include "reportpage.h"

#include "detailsdlg_text.h"

#include "core/brixa.h"
#include "core/constants.h"

#include "stringids.h"
#include "stringtable.h"
#include "textformat.h"

#include <cmath>

namespace calivue {

namespace {

int cursorCount(const cBrixa& img)
{
    return std::min<int>(img.fields.cursorCount, kMaxCursors);
}

QRgb penColour(int marker)
{
    const std::uint32_t bgr = markerColours(marker).pen;
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The name a marker has in the difference row: the cursor number, "Hot" or "Cold".
QString markerName(int marker, const StringTable& texts)
{
    if (marker == kHottestMarker) return texts.text(sid::Hot);
    if (marker == kColdestMarker) return texts.text(sid::Cold);
    return QString::number(marker + 1);
}

}  // namespace

std::vector<int> measurementMarkers(const cBrixa& img)
{
    // The same list the inspection data page offers, so a stored position means one marker.
    std::vector<int> markers;
    for (const MeasurementEntry& e : measurementEntries(img)) markers.push_back(e.marker);
    return markers;
}

void applyDefaultSelections(cInspectionRecord& record, const cBrixa& img)
{
    const int cursors = cursorCount(img);
    if (record.firstMeasurement == -1) record.firstMeasurement = cursors >= 1 ? 1 : 0;
    if (record.secondMeasurement == -1) record.secondMeasurement = cursors >= 2 ? 2 : 0;
}

SnapshotFacts snapshotFacts(cBrixa& img, const cInspectionRecord& record, int unit,
                            const StringTable& texts)
{
    SnapshotFacts f;
    f.loaded = true;
    img.setUnit(unit);
    const std::string unitText = unitTextOf(img.unit());
    f.dateText = QString::fromStdString(img.captureDateText().value_or(std::string()));
    f.timeText = QString::fromStdString(img.captureTimeText().value_or(std::string()));
    f.hasCursors = cursorCount(img) > 0;
    const auto reading = [&](int marker) {
        return formatTemperature(img.markerTemperature(marker), unitText);
    };
    // The readings of the markers the inspection data page lists, in its order.
    const std::vector<MeasurementEntry> entries = measurementEntries(img, texts);
    for (const MeasurementEntry& e : entries)
        if (e.marker >= 0) f.readings.push_back({e.text, penColour(e.marker), reading(e.marker)});

    // A selection past the end of the lists (a record kept from another snapshot) names no
    // measurement: no difference rather than a reading of the wrong marker.
    const std::vector<int> markers = measurementMarkers(img);
    const int first = record.firstMeasurement, second = record.secondMeasurement;
    const int count = static_cast<int>(markers.size());
    if (first > 0 && second > 0 && first < count && second < count) {
        const int a = markers[static_cast<std::size_t>(first)];
        const int b = markers[static_cast<std::size_t>(second)];
        double diff = img.markerDifference(a, b);
        if (std::fabs(diff) < 0.05) diff = 0.0;  // no "-0.0"
        f.readings.push_back({texts.text(sid::Difference), 0xFF000000,
                              formatText(QStringLiteral("%.1f %s   (%s - %s)"),
                                         {diff, QString::fromStdString(unitText),
                                          markerName(a, texts), markerName(b, texts)})});
    }
    f.emissivity = formatText(QStringLiteral("%.2f"), {img.fields.emissivity[10] / 100.0});
    f.reflected = formatTemperature(img.temperatureOf(img.fields.reflected, 1.0f, false), unitText);
    return f;
}

}  // namespace calivue
