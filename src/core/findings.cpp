#include "core/findings.h"

#include "core/constants.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace calivue {

namespace {

// Differences are compared at 0.1 K resolution; the margin keeps a bound that is scaled to °F
// (4 × 1.8) equal to the printed value it stands for (7.2).
constexpr double kBoundMargin = 1e-9;

const std::u16string kPossible = u"Possible deficiency; warrants investigation";
const std::u16string kProbable = u"Probable deficiency; repair as time permits";
const std::u16string kMonitor = u"Monitor until corrective measures can be accomplished";
const std::u16string kMajor = u"Major discrepancy; repair immediately";

constexpr std::array<std::string_view, 4> kCriteriaNames = {"neta-similar", "neta-ambient",
                                                            "neta-worst", "custom"};

bool finite(double v)
{
    return std::isfinite(v);
}

}  // namespace

std::string_view criteriaName(Criteria c)
{
    const auto i = static_cast<std::size_t>(c);
    return i < kCriteriaNames.size() ? kCriteriaNames[i] : std::string_view();
}

std::optional<Criteria> criteriaFromName(std::string_view name)
{
    for (std::size_t i = 0; i < kCriteriaNames.size(); ++i)
        if (kCriteriaNames[i] == name) return static_cast<Criteria>(i);
    return std::nullopt;
}

std::array<std::u16string*, 8> conditionTexts(SurveyConditions& c)
{
    return {&c.wind,          &c.weather,       &c.cameraModel, &c.cameraSerial, &c.calibrationDate,
            &c.thermographer, &c.certification, &c.standard};
}

std::array<const std::u16string*, 8> conditionTexts(const SurveyConditions& c)
{
    return {&c.wind,          &c.weather,       &c.cameraModel, &c.cameraSerial, &c.calibrationDate,
            &c.thermographer, &c.certification, &c.standard};
}

std::optional<std::string> settingsProblem(const FindingsSettings& s)
{
    if (!criteriaName(s.criteria).size()) return "criteria: unknown criteria";
    if (s.customBands.size() > kMaxCustomBands) return "custom_bands: more than six bands";
    for (std::size_t i = 0; i < s.customBands.size(); ++i) {
        const SeverityBand& b = s.customBands[i];
        const std::string where = "custom_bands[" + std::to_string(i) + "]";
        if (!finite(b.from)) return where + ".from: expected a number";
        if (b.priority < 1 || b.priority > 5) return where + ".priority: expected 1 to 5";
        if (i > 0 && !(b.from > s.customBands[i - 1].from))
            return where + ".from: the bands are not in rising order";
    }
    if (!finite(s.loadExponent) || s.loadExponent < kMinLoadExponent ||
        s.loadExponent > kMaxLoadExponent)
        return "load_exponent: expected 1.0 to 3.0";
    if (!finite(s.minLoadPercent) || s.minLoadPercent < 0 || s.minLoadPercent > 100)
        return "min_load_percent: expected 0 to 100";
    if (s.ambient && !finite(*s.ambient)) return "ambient: expected a number";
    if (!finite(s.frsiThreshold) || s.frsiThreshold <= 0 || s.frsiThreshold >= 1)
        return "frsi_threshold: expected a number between 0 and 1";
    return std::nullopt;
}

RecordFindings defaultRecordFindings(const cInspectionRecord& record)
{
    RecordFindings r;
    r.priorityManual = shownPriority(record.repairPriority) != 0;
    return r;
}

ProjectFindings ProjectFindings::defaultsFor(const std::vector<cInspectionRecord>& records)
{
    ProjectFindings f;
    f.records.reserve(records.size());
    for (const cInspectionRecord& r : records) f.records.push_back(defaultRecordFindings(r));
    return f;
}

bool ProjectFindings::isDefaultFor(const std::vector<cInspectionRecord>& recs) const
{
    if (settings != FindingsSettings{}) return false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordFindings d =
            i < recs.size() ? defaultRecordFindings(recs[i]) : RecordFindings{};
        if (records[i] != d) return false;
    }
    return true;
}

std::optional<double> leadingNumber(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ascii += static_cast<char>(text[i++]);
    bool digits = false, separator = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            ascii += static_cast<char>(c);
            digits = true;
        } else if ((c == u'.' || c == u',') && !separator && digits) {
            separator = true;
            ascii += '.';
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    return std::strtod(ascii.c_str(), nullptr);
}

double roundedDifference(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    const double v = std::strtod(text, nullptr);
    return v == 0.0 ? 0.0 : v;
}

double celsiusIn(double celsius, TempUnit unit)
{
    if (unit == TempUnit::Fahrenheit) return celsius * 1.8 + 32.0;
    if (unit == TempUnit::Kelvin) return celsius + kKelvinOffset;
    return celsius;
}

double celsiusOf(double value, TempUnit unit)
{
    if (unit == TempUnit::Fahrenheit) return (value - 32.0) / 1.8;
    if (unit == TempUnit::Kelvin) return value - kKelvinOffset;
    return value;
}

std::vector<SeverityBand> criteriaBands(Criteria c, const FindingsSettings& s)
{
    switch (c) {
        case Criteria::NetaAmbient:
            return {{1, false, kPossible, 2},
                    {11, false, kProbable, 3},
                    {21, false, kMonitor, 4},
                    {40, true, kMajor, 5}};
        case Criteria::Custom:
            return s.customBands;
        case Criteria::NetaSimilar:
        case Criteria::NetaWorst:
            break;
    }
    return {{1, false, kPossible, 2}, {4, false, kProbable, 3}, {15, true, kMajor, 5}};
}

std::optional<SeverityBand> classify(const std::vector<SeverityBand>& bands, double difference,
                                     TempUnit unit)
{
    const double scale = unit == TempUnit::Fahrenheit ? 1.8 : 1.0;
    std::optional<SeverityBand> found;
    for (const SeverityBand& b : bands) {
        const double bound = b.from * scale;
        if (b.strict ? difference > bound + kBoundMargin : difference >= bound - kBoundMargin)
            found = b;
    }
    return found;
}

std::string_view warningCode(FindingWarning w)
{
    switch (w) {
        case FindingWarning::ReferenceMissing:
            return "reference-missing";
        case FindingWarning::LoadBelowMinimum:
            return "load-below-minimum";
        case FindingWarning::LoadUnknown:
            return "load-unknown";
        case FindingWarning::IndoorOutdoorBelow10K:
            return "indoor-outdoor-below-10k";
    }
    return "";
}

namespace {

struct Load {
    double percent = 0.0;
    double factor = 1.0;  // (rated / measured)^n
};

std::optional<Load> loadOf(const cInspectionRecord& record, double exponent)
{
    const std::optional<double> measured = leadingNumber(record.measured);
    const std::optional<double> rated = leadingNumber(record.rated);
    if (!measured || !rated || !(*measured > 0) || !(*rated > 0)) return std::nullopt;
    return Load{100.0 * *measured / *rated, std::pow(*rated / *measured, exponent)};
}

// The class of a difference and, with a load, of its corrected value as the settings choose.
std::optional<SeverityBand> classOf(const std::vector<SeverityBand>& bands, double deltaT,
                                    const std::optional<Load>& load, const FindingsSettings& s,
                                    TempUnit unit)
{
    const double value = load && s.classifyCorrected ? deltaT * load->factor : deltaT;
    return classify(bands, value, unit);
}

}  // namespace

Finding evaluateFinding(const InspectionReadings& readings, const cInspectionRecord& record,
                        const RecordFindings& own, const FindingsSettings& settings,
                        ReportTemplate reportTemplate, TempUnit unit)
{
    Finding f;
    if (readings.first)
        f.concern = FindingReading{readings.first->measurement, readings.first->value};

    std::optional<double> ambient = own.ambient ? own.ambient : settings.ambient;
    if (ambient) ambient = celsiusIn(*ambient, unit);

    if (own.reference == ReferenceKind::Ambient) {
        if (ambient) f.reference = FindingReading{std::nullopt, *ambient};
        if (f.concern && ambient) f.deltaT = roundedDifference(f.concern->temperature - *ambient);
    } else {
        if (readings.second)
            f.reference = FindingReading{readings.second->measurement, readings.second->value};
        // The printed Difference row, so the finding and the page agree to the last digit.
        if (f.concern && f.reference && readings.difference)
            f.deltaT = roundedDifference(*readings.difference);
    }
    if (!f.deltaT) f.warnings.push_back(FindingWarning::ReferenceMissing);

    std::optional<Load> load;
    if (reportTemplate != ReportTemplate::Buildings) {
        load = loadOf(record, settings.loadExponent);
        if (!load)
            f.warnings.push_back(FindingWarning::LoadUnknown);
        else if (load->percent < settings.minLoadPercent)
            f.warnings.push_back(FindingWarning::LoadBelowMinimum);
        if (load) f.loadPercent = load->percent;
        if (load && f.deltaT) f.deltaTCorrected = *f.deltaT * load->factor;
    }

    const bool byAmbient =
        settings.criteria == Criteria::NetaAmbient ||
        (settings.criteria == Criteria::NetaWorst && own.reference == ReferenceKind::Ambient);
    const std::vector<SeverityBand> bands =
        criteriaBands(byAmbient ? Criteria::NetaAmbient : settings.criteria, settings);
    if (f.deltaT) f.severity = classOf(bands, *f.deltaT, load, settings, unit);
    // The worst of the two NETA tables: the similar-component class against the marker and the
    // ambient-air class against the ambient, when one is known; a tie keeps the former.
    if (settings.criteria == Criteria::NetaWorst && !byAmbient && f.concern && ambient) {
        const std::optional<SeverityBand> airClass =
            classOf(criteriaBands(Criteria::NetaAmbient, settings),
                    roundedDifference(f.concern->temperature - *ambient), load, settings, unit);
        if (airClass && (!f.severity || airClass->priority > f.severity->priority))
            f.severity = airClass;
    }
    f.suggestedPriority = f.severity ? f.severity->priority : 0;
    f.priorityManual = own.priorityManual;
    f.priority = own.priorityManual ? shownPriority(record.repairPriority) : f.suggestedPriority;

    if (reportTemplate == ReportTemplate::Buildings && f.concern) {
        const std::optional<double> indoor = leadingNumber(record.indoor);
        const std::optional<double> outdoor = leadingNumber(record.outdoor);
        if (indoor && outdoor) {
            // The weather fields are in °C, or °F in a Fahrenheit report; all in °C here.
            const TempUnit weatherUnit = weatherUnits(unit).temperatureUnit;
            const double ti = celsiusOf(*indoor, weatherUnit);
            const double te = celsiusOf(*outdoor, weatherUnit);
            const double tsi = celsiusOf(f.concern->temperature, unit);
            if (ti - te < 10.0 - kBoundMargin)
                f.warnings.push_back(FindingWarning::IndoorOutdoorBelow10K);
            if (ti != te) {
                f.frsi = (tsi - te) / (ti - te);
                // Judged as printed, so a factor shown as 0.70 never fails a 0.70 threshold.
                char shown[64];
                std::snprintf(shown, sizeof shown, "%.2f", *f.frsi);
                f.frsiPass = std::strtod(shown, nullptr) >= settings.frsiThreshold - kBoundMargin;
            }
        }
    }
    return f;
}

}  // namespace calivue
