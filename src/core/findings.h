// The finding of an inspection: its temperature difference against a stated reference, the
// load at the time and the difference corrected to full load, a severity class from the
// project's criteria table with the repair priority it suggests, and for building surveys the
// temperature factor of the cold spot. The window, the printed report and the command line
// all take the finding from here, so the three never disagree.
#pragma once

#include "core/printrules.h"
#include "core/reportdata.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calivue {

// --- the project's settings ------------------------------------------------------------------

enum class Criteria { NetaSimilar = 0, NetaAmbient = 1, NetaWorst = 2, Custom = 3 };

// The names the project JSON and the command line use; empty for an unknown name.
std::string_view criteriaName(Criteria c);
std::optional<Criteria> criteriaFromName(std::string_view name);

// One row of a criteria table: the class applies from `from` upward (strictly above it when
// `strict`), in kelvin differences.
struct SeverityBand {
    double from = 0.0;
    bool strict = false;
    std::u16string text;
    int priority = 1;  // 1-5

    bool operator==(const SeverityBand&) const = default;
};

inline constexpr std::size_t kMaxCustomBands = 6;
inline constexpr double kMinLoadExponent = 1.0;
inline constexpr double kMaxLoadExponent = 3.0;

// The texts of the survey's conditions, printed with the report.
struct SurveyConditions {
    std::u16string wind;
    std::u16string weather;
    std::u16string cameraModel;
    std::u16string cameraSerial;
    std::u16string calibrationDate;
    std::u16string thermographer;
    std::u16string certification;
    std::u16string standard;

    bool operator==(const SurveyConditions&) const = default;
};

// The JSON keys of the conditions, in the order of the members above.
inline constexpr std::array<const char*, 8> kConditionKeys = {
    "wind",          "weather",       "camera_model", "camera_serial", "calibration_date",
    "thermographer", "certification", "standard"};
std::array<std::u16string*, 8> conditionTexts(SurveyConditions& c);
std::array<const std::u16string*, 8> conditionTexts(const SurveyConditions& c);

struct FindingsSettings {
    Criteria criteria = Criteria::NetaSimilar;
    std::vector<SeverityBand> customBands;  // used by Criteria::Custom; never strict
    double loadExponent = 2.0;
    bool classifyCorrected = true;
    double minLoadPercent = 40.0;
    std::optional<double> ambient;  // the survey's ambient air, °C
    double frsiThreshold = 0.70;
    SurveyConditions conditions;

    bool operator==(const FindingsSettings&) const = default;
};

// What is wrong with the settings, naming the setting as the project JSON does
// ("custom_bands", "load_exponent", ...); empty when they are usable.
std::optional<std::string> settingsProblem(const FindingsSettings& s);

// --- one inspection's own data -----------------------------------------------------------------

enum class ReferenceKind { Marker = 0, Ambient = 1 };

struct RecordFindings {
    ReferenceKind reference = ReferenceKind::Marker;
    std::optional<double> ambient;  // this inspection's ambient air, °C
    bool priorityManual = false;    // the record's repair priority was set by hand

    bool operator==(const RecordFindings&) const = default;
};

// The findings data an inspection has when nothing records any: a marker reference, no
// ambient air of its own, and its stored repair priority taken as set by hand when it holds
// one. Projects written before findings existed carry priorities their thermographer chose,
// and those keep printing as chosen.
RecordFindings defaultRecordFindings(const cInspectionRecord& record);

// The findings data of a project: the settings and one entry per record, by position.
struct ProjectFindings {
    FindingsSettings settings;
    std::vector<RecordFindings> records;

    // The findings a project has without findings data: default settings, and each record's
    // defaultRecordFindings.
    static ProjectFindings defaultsFor(const std::vector<cInspectionRecord>& records);
    // True when nothing differs from defaultsFor(records), so no findings data need storing;
    // records beyond `records` count as differing unless they are the plain defaults.
    bool isDefaultFor(const std::vector<cInspectionRecord>& records) const;
    bool operator==(const ProjectFindings&) const = default;
};

// --- the rules ------------------------------------------------------------------------------

// The number a text starts with (after blanks), the decimal separator a point or a comma:
// "41 A" 41, "63,5" 63.5, "65 %" 65; empty when it starts with no digit.
std::optional<double> leadingNumber(std::u16string_view text);

// A difference rounded to 0.1 as it is printed ("%.1f"); a value printed "-0.0" is 0.
double roundedDifference(double value);

// A temperature in °C in the unit, and back.
double celsiusIn(double celsius, TempUnit unit);
double celsiusOf(double value, TempUnit unit);

// The table a criteria uses (the custom bands for Custom). NetaWorst has no table of its own:
// it gives the NetaSimilar one, the rule combining the two lives in evaluateFinding.
std::vector<SeverityBand> criteriaBands(Criteria c, const FindingsSettings& s);

// The band a difference falls in (bounds compared in the unit: scaled by 1.8 for °F), or
// nothing below the first band.
std::optional<SeverityBand> classify(const std::vector<SeverityBand>& bands, double difference,
                                     TempUnit unit);

enum class FindingWarning {
    ReferenceMissing,
    LoadBelowMinimum,
    LoadUnknown,
    IndoorOutdoorBelow10K
};
std::string_view warningCode(FindingWarning w);

struct FindingReading {
    std::optional<Measurement> measurement;  // empty for the ambient air
    double temperature = 0.0;                // in the report's unit
};

struct Finding {
    std::optional<FindingReading> concern, reference;
    std::optional<double> deltaT;  // rounded to 0.1
    std::optional<double> loadPercent;
    std::optional<double> deltaTCorrected;
    std::optional<SeverityBand> severity;
    int suggestedPriority = 0;  // 0: no exception
    int priority = 0;           // the record's: its own when set by hand, else the suggestion
    bool priorityManual = false;
    std::optional<double> frsi;
    std::optional<bool> frsiPass;
    std::vector<FindingWarning> warnings;
};

// The finding of one inspection from its readings in `unit`, as
// inspectionReadings gives them, its record and its findings data, under a report template.
Finding evaluateFinding(const InspectionReadings& readings, const cInspectionRecord& record,
                        const RecordFindings& own, const FindingsSettings& settings,
                        ReportTemplate reportTemplate, TempUnit unit);

}  // namespace calivue
