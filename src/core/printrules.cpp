#include "core/printrules.h"

#include "core/brixa.h"
#include "core/constants.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace calivue {

std::vector<Measurement> measurementList(const cBrixa& image)
{
    std::vector<Measurement> list{{Measurement::Kind::None, -1}};
    if (!(image.fields.flagsB & flags::B_CursorsHidden)) {
        const int n = std::min<int>(image.fields.cursorCount, kMaxCursors);
        for (int i = 0; i < n; ++i) list.push_back({Measurement::Kind::Cursor, i});
    }
    if (image.fields.flagsA & flags::A_Hottest)
        list.push_back({Measurement::Kind::Hot, kHottestMarker});
    if (image.fields.flagsA & flags::A_Coldest)
        list.push_back({Measurement::Kind::Cold, kColdestMarker});
    return list;
}

MeasurementChoice defaultMeasurementChoice(const std::vector<Measurement>& list)
{
    int cursors = 0;
    bool hot = false, cold = false;
    for (const Measurement& m : list) {
        cursors += m.kind == Measurement::Kind::Cursor;
        hot = hot || m.kind == Measurement::Kind::Hot;
        cold = cold || m.kind == Measurement::Kind::Cold;
    }
    const int count = static_cast<int>(list.size());
    MeasurementChoice c;
    if (cursors >= 1 || hot) c.first = 1;
    // With neither cursors nor the hot marker the cold reading sits at position 1.
    if (cursors >= 2 || cold) c.second = std::min(2, count - 1);
    return c;
}

namespace {

int usablePosition(int stored, int count)
{
    return stored >= 0 && stored < count ? stored : 0;
}

}  // namespace

MeasurementChoice measurementChoice(const cInspectionRecord& record,
                                    const std::vector<Measurement>& list)
{
    if (record.firstMeasurement == -1) return defaultMeasurementChoice(list);
    const int count = static_cast<int>(list.size());
    return {usablePosition(record.firstMeasurement, count),
            usablePosition(record.secondMeasurement, count)};
}

void settleMeasurementChoice(cInspectionRecord& record, const std::vector<Measurement>& list)
{
    if (record.firstMeasurement != -1) return;
    const MeasurementChoice c = defaultMeasurementChoice(list);
    record.firstMeasurement = c.first;
    record.secondMeasurement = c.second;
}

double shownDifference(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    return std::strcmp(text, "-0.0") == 0 ? 0.0 : value;
}

InspectionReadings inspectionReadings(cBrixa& image, const cInspectionRecord& record, TempUnit unit)
{
    InspectionReadings out;
    image.setUnit(unit);
    const std::vector<Measurement> list = measurementList(image);
    for (const Measurement& m : list)
        if (m.kind != Measurement::Kind::None)
            out.rows.push_back({m, static_cast<double>(image.markerTemperature(m.marker))});
    const MeasurementChoice c = measurementChoice(record, list);
    const auto reading = [&](int position) -> std::optional<MeasurementReading> {
        if (position <= 0) return std::nullopt;
        const Measurement& m = list[static_cast<std::size_t>(position)];
        return MeasurementReading{m, static_cast<double>(image.markerTemperature(m.marker))};
    };
    out.first = reading(c.first);
    out.second = reading(c.second);
    if (out.first && out.second)
        out.difference = shownDifference(static_cast<double>(
            image.markerDifference(out.first->measurement.marker, out.second->measurement.marker)));
    out.measurementsHeading = image.fields.cursorCount > 0;
    out.reflected = static_cast<double>(image.temperatureOf(image.fields.reflected, 1.0f, false));
    out.emissivity = image.fields.emissivity[10] / 100.0;
    return out;
}

std::array<CaptionText, 13> templateCaptionTexts(ReportTemplate reportTemplate)
{
    using C = CaptionText;
    std::array<CaptionText, 13> c = {
        C::InspectionName,    C::Inspector,          C::Location,         C::Equipment,
        C::Comment,           C::Material,           C::MaterialMuValue,  C::MaterialCondition,
        C::IndoorTemperature, C::OutdoorTemperature, C::RelativeHumidity, C::WindSpeed,
        C::PressureDifference};
    if (reportTemplate == ReportTemplate::Maintenance ||
        reportTemplate == ReportTemplate::Mechanical) {
        c[1] = C::Operator;
        c[5] = C::MeasuredLoad;
        c[6] = C::RatedLoad;
        c[7] = reportTemplate == ReportTemplate::Maintenance ? C::LoadPercent : C::Rpm;
    }
    return c;
}

bool userCaptions(ReportTemplate reportTemplate)
{
    return reportTemplate == ReportTemplate::Custom;
}

bool captionRowShown(ReportTemplate reportTemplate, int row)
{
    if (row < 0 || row > 12) return false;
    if (reportTemplate == ReportTemplate::Buildings) return row != 3;
    if (reportTemplate == ReportTemplate::Maintenance ||
        reportTemplate == ReportTemplate::Mechanical)
        return row < 8;
    return true;
}

bool conditionIsChoice(ReportTemplate reportTemplate)
{
    return reportTemplate == ReportTemplate::Buildings;
}

int shownPriority(int stored)
{
    return stored >= 0 && stored <= 5 ? stored : 0;
}

int shownConditionChoice(int stored)
{
    return stored >= 0 && stored <= 2 ? stored : 0;
}

WeatherUnits weatherUnits(TempUnit unit)
{
    const bool fahrenheit = unit == TempUnit::Fahrenheit;
    return {fahrenheit ? TempUnit::Fahrenheit : TempUnit::Celsius, fahrenheit};
}

}  // namespace calivue
