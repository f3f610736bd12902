// What an inspection shows on the details page and prints on its report page, decided once:
// the entries of the two measurement lists, the choices a record never shown starts with,
// the readings and their difference, the captions and rows of each report template and the
// choices a stored number stands for. The details page, the printed pages and the
// command-line report all read these rules, so what the client receives never depends on
// which of them computed it or on whether the page was ever opened.
#pragma once

#include "core/reportdata.h"
#include "core/tempunit.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace calivue {

class cBrixa;

// The report templates of the "Template" setting, by the number the setting stores.
enum class ReportTemplate : int { Maintenance = 0, Buildings = 1, Mechanical = 2, Custom = 3 };

// The template a stored number names, or none outside 0-3: each reader of a stored number
// decides what such a number reads as.
constexpr std::optional<ReportTemplate> reportTemplateFrom(int number)
{
    if (number < 0 || number > 3) return std::nullopt;
    return static_cast<ReportTemplate>(number);
}

// The number a template is stored as.
constexpr int reportTemplateNumber(ReportTemplate t)
{
    return static_cast<int>(t);
}

// --- the measurement lists ------------------------------------------------------------------

// One entry of a measurement list: "none", a measurement cursor, the hottest or the coldest
// point, with the marker it reads (0-9 the cursors, 10 coldest, 11 hottest, -1 none).
struct Measurement {
    enum class Kind { None, Cursor, Hot, Cold };
    Kind kind = Kind::None;
    int marker = -1;

    bool operator==(const Measurement&) const = default;
};

// "none", then each measurement cursor when the cursors are not hidden, then the hottest and
// the coldest point when their markers are on. Both lists hold the same entries, so a stored
// position names one marker of that snapshot.
std::vector<Measurement> measurementList(const cBrixa& image);

// Positions in the two lists (0 is "none").
struct MeasurementChoice {
    int first = 0;
    int second = 0;

    bool operator==(const MeasurementChoice&) const = default;
};

// The choice of an inspection never shown: the first list on the first reading when there is
// a listed cursor or the hot marker, the second on the next one when there are two listed
// cursors or the cold marker (on the cold reading itself when it is the only one).
MeasurementChoice defaultMeasurementChoice(const std::vector<Measurement>& list);

// The positions a record stands for in `list`: the default when its first selection was never
// made (-1), else the stored ones, any position the list does not hold reading as "none".
MeasurementChoice measurementChoice(const cInspectionRecord& record,
                                    const std::vector<Measurement>& list);

// A record never shown takes the default choice, as showing it on the page would give it.
// A record whose choice was made keeps it as stored.
void settleMeasurementChoice(cInspectionRecord& record, const std::vector<Measurement>& list);

// --- the readings -----------------------------------------------------------------------------

struct MeasurementReading {
    Measurement measurement;
    double value = 0.0;  // in the unit the readings were made in
};

struct InspectionReadings {
    // Every listed marker with its reading, in list order ("none" left out).
    std::vector<MeasurementReading> rows;
    // The two chosen readings (empty for "none") and, when both are chosen, first − second
    // as shown at one decimal: a value that shows as 0.0 is +0, never "-0.0".
    std::optional<MeasurementReading> first, second;
    std::optional<double> difference;
    // The printed page heads its readings with "Temperature Measurements" only when the
    // snapshot has a measurement cursor, hidden or not.
    bool measurementsHeading = false;
    double reflected = 0.0;
    double emissivity = 0.0;  // the image emissivity, 0.95 for 95 hundredths
};

// The readings of `record` on `image` in `unit` (the image is switched to it). The image must have
// its arrays built.
InspectionReadings inspectionReadings(cBrixa& image, const cInspectionRecord& record,
                                      TempUnit unit);

// A difference as it is shown at one decimal: values that round to zero lose their sign.
double shownDifference(double value);

// --- the templates ------------------------------------------------------------------------------

// The texts a template's captions are made of (the string table holds each word).
enum class CaptionText {
    InspectionName,
    Operator,
    Inspector,
    Location,
    Equipment,
    Comment,
    MeasuredLoad,
    RatedLoad,
    LoadPercent,
    Rpm,
    Material,
    MaterialMuValue,
    MaterialCondition,
    IndoorTemperature,
    OutdoorTemperature,
    RelativeHumidity,
    WindSpeed,
    PressureDifference,
};

// The 13 captions of a template in project-file order. Custom (3) and any unknown number
// give the Buildings captions, which are also the Custom defaults.
std::array<CaptionText, 13> templateCaptionTexts(ReportTemplate reportTemplate);

// Whether a template's captions are the user's own (Custom) rather than the fixed words.
bool userCaptions(ReportTemplate reportTemplate);

// Whether caption row i (0-12) is shown and printed: Buildings has no equipment row,
// Maintenance and Mechanical none of the five weather rows (8-12).
bool captionRowShown(ReportTemplate reportTemplate, int row);

// Whether the condition row is the "No Comment" / "Good" / "Poor" choice (Buildings) rather
// than the typed condition text.
bool conditionIsChoice(ReportTemplate reportTemplate);

// The repair priority and the condition choice as their lists can show them: a stored number
// the list does not hold reads as its first entry ("none", "No Comment").
int shownPriority(int stored);
int shownConditionChoice(int stored);

// The units beside the weather fields: °F and mph for a Fahrenheit report, else °C and km/h.
struct WeatherUnits {
    TempUnit temperatureUnit = TempUnit::Celsius;  // Celsius or Fahrenheit, never Kelvin
    bool milesPerHour = false;
};
WeatherUnits weatherUnits(TempUnit unit);

}  // namespace calivue
