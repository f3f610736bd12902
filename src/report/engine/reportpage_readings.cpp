// What an inspection page prints of its snapshot: the readings of its markers in the report's
// unit, the difference the record selects, and the capture and measurement parameters.
#include "report/engine/reportpage.h"

#include "report/engine/detailsdlg_text.h"

#include "core/brixa.h"
#include "core/constants.h"
#include "core/printrules.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

namespace {

QRgb penColour(int marker)
{
    const std::uint32_t bgr = markerColours(marker).pen;
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The name a measurement has in the difference row: the cursor number, "Hot" or "Cold".
QString measurementName(const Measurement& m, const StringTable& texts)
{
    return m.kind == Measurement::Kind::Cursor ? QString::number(m.marker + 1)
                                               : measurementText(m, texts);
}

}  // namespace

SnapshotFacts snapshotFacts(cBrixa& img, const cInspectionRecord& record, TempUnit unit,
                            const StringTable& texts)
{
    SnapshotFacts f;
    f.loaded = true;
    const InspectionReadings readings = inspectionReadings(img, record, unit);
    const QString unitText = QString::fromStdString(unitTextOf(img.unit()));
    f.dateText = QString::fromStdString(img.captureDateText().value_or(std::string()));
    f.timeText = QString::fromStdString(img.captureTimeText().value_or(std::string()));
    f.hasCursors = readings.measurementsHeading;
    for (const MeasurementReading& r : readings.rows)
        f.readings.push_back({measurementText(r.measurement, texts),
                              penColour(r.measurement.marker),
                              formatTemperature(r.value, unitText)});
    if (readings.difference)
        f.readings.push_back({texts.text(sid::Difference), 0xFF000000,
                              formatText(QStringLiteral("%.1f %s   (%s - %s)"),
                                         {*readings.difference, unitText,
                                          measurementName(readings.first->measurement, texts),
                                          measurementName(readings.second->measurement, texts)})});
    f.emissivity = formatEmissivity(readings.emissivity);
    f.reflected = formatTemperature(readings.reflected, unitText);
    return f;
}

}  // namespace calivue
