// The rules of a finding: reading loads, rounding the difference, the criteria tables and their
// boundaries, load correction, the reference, the priority and the building temperature factor.
#include "core/findings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace calivue {
namespace {

// The unit a table row names by its stored number.
TempUnit unitOf(int number)
{
    return static_cast<TempUnit>(number);
}

// Readings with a concern of `concern` and a marker reference `difference` below it.
InspectionReadings readingsOf(std::optional<double> concern, std::optional<double> difference)
{
    InspectionReadings r;
    if (concern) r.first = MeasurementReading{{Measurement::Kind::Cursor, 0}, *concern};
    if (concern && difference) {
        r.second = MeasurementReading{{Measurement::Kind::Cursor, 1}, *concern - *difference};
        r.difference = *difference;
    }
    return r;
}

cInspectionRecord loaded(std::u16string measured, std::u16string rated)
{
    cInspectionRecord rec;
    rec.measured = std::move(measured);
    rec.rated = std::move(rated);
    return rec;
}

bool hasWarning(const Finding& f, FindingWarning w)
{
    return std::find(f.warnings.begin(), f.warnings.end(), w) != f.warnings.end();
}

// Catches a load read past a unit, a comma not taken as the decimal point, or text read as 0.
TEST(Findings, LeadingNumberOfALoadField)
{
    const std::pair<std::u16string, std::optional<double>> cases[] = {
        {u"41 A", 41.0}, {u"63,5", 63.5}, {u"65 %", 65.0}, {u"  12.25kW", 12.25},
        {u"0", 0.0},     {u"abc", {}},    {u"", {}},       {u"A 41", {}},
        {u"-3", -3.0},   {u"1.5.2", 1.5}, {u"7,", 7.0}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(leadingNumber(text), expected);
    }
}

// Catches a difference truncated instead of rounded, or a "-0.0" kept negative.
TEST(Findings, DifferenceRoundedAsPrinted)
{
    const std::pair<double, double> cases[] = {{3.94, 3.9},   {3.96, 4.0},   {-0.04, 0.0},
                                               {15.06, 15.1}, {-2.26, -2.3}, {40.04, 40.0}};
    for (const auto& [in, out] : cases) EXPECT_EQ(roundedDifference(in), out) << in;
    EXPECT_FALSE(std::signbit(roundedDifference(-0.04)));
}

// Catches a class applied below its bound, an "above" bound taken as "from", an off-by-one
// band, or bounds not scaled in a Fahrenheit report (kelvin reports use them unscaled).
TEST(Findings, NetaTablesAtTheirBoundaries)
{
    struct Case {
        Criteria criteria;
        double deltaT;
        int unit;
        int priority;  // 0: no class
    };
    const Case cases[] = {
        {Criteria::NetaSimilar, 0.9, 0, 0},
        {Criteria::NetaSimilar, 1.0, 0, 2},
        {Criteria::NetaSimilar, 3.9, 0, 2},
        {Criteria::NetaSimilar, 4.0, 0, 3},
        {Criteria::NetaSimilar, 15.0, 0, 3},
        {Criteria::NetaSimilar, 15.1, 0, 5},
        {Criteria::NetaSimilar, -20.0, 0, 0},
        {Criteria::NetaSimilar, 4.0, 2, 3},
        {Criteria::NetaAmbient, 0.9, 0, 0},
        {Criteria::NetaAmbient, 1.0, 0, 2},
        {Criteria::NetaAmbient, 10.9, 0, 2},
        {Criteria::NetaAmbient, 11.0, 0, 3},
        {Criteria::NetaAmbient, 20.9, 0, 3},
        {Criteria::NetaAmbient, 21.0, 0, 4},
        {Criteria::NetaAmbient, 40.0, 0, 4},
        {Criteria::NetaAmbient, 40.1, 0, 5},
        // °F: every bound × 1.8.
        {Criteria::NetaSimilar, 1.7, 1, 0},
        {Criteria::NetaSimilar, 1.8, 1, 2},
        {Criteria::NetaSimilar, 7.1, 1, 2},
        {Criteria::NetaSimilar, 7.2, 1, 3},
        {Criteria::NetaSimilar, 27.0, 1, 3},
        {Criteria::NetaSimilar, 27.1, 1, 5},
        {Criteria::NetaAmbient, 19.7, 1, 2},
        {Criteria::NetaAmbient, 19.8, 1, 3},
        {Criteria::NetaAmbient, 37.7, 1, 3},
        {Criteria::NetaAmbient, 37.8, 1, 4},
        {Criteria::NetaAmbient, 72.0, 1, 4},
        {Criteria::NetaAmbient, 72.1, 1, 5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << criteriaName(k.criteria) << " " << k.deltaT << " unit " << k.unit);
        const auto band = classify(criteriaBands(k.criteria, {}), k.deltaT, unitOf(k.unit));
        EXPECT_EQ(band ? band->priority : 0, k.priority);
        // The same through the whole rule, from readings.
        FindingsSettings s;
        s.criteria = k.criteria;
        RecordFindings own;
        if (k.criteria == Criteria::NetaAmbient) {
            own.reference = ReferenceKind::Ambient;
            own.ambient = celsiusOf(100.0 - k.deltaT, unitOf(k.unit));
        }
        const Finding f = evaluateFinding(readingsOf(100.0, k.deltaT), {}, own, s,
                                          ReportTemplate::Buildings, unitOf(k.unit));
        EXPECT_EQ(f.suggestedPriority, k.priority);
    }
    const auto major = classify(criteriaBands(Criteria::NetaSimilar, {}), 20.0, TempUnit::Celsius);
    ASSERT_TRUE(major);
    EXPECT_EQ(major->text, u"Major discrepancy; repair immediately");
}

// Catches a load ratio upside down, the exponent ignored, a load shown without ΔTc or a
// class taken from ΔT while the corrected one is asked for (and the other way round).
TEST(Findings, LoadCorrectionAndItsWarnings)
{
    struct Case {
        std::u16string measured, rated;
        double exponent;
        bool corrected;
        std::optional<double> percent, deltaTc;
        int priority;
        std::optional<FindingWarning> warning;
    };
    const double c16 = 3.0 * std::pow(2.0, 1.6);
    const Case cases[] = {
        {u"50 A", u"100 A", 2.0, true, 50.0, 12.0, 3, {}},
        {u"50 A", u"100 A", 1.6, true, 50.0, c16, 3, {}},
        {u"50 A", u"100 A", 2.0, false, 50.0, 12.0, 2, {}},
        {u"41 A", u"100", 2.0, true, 41.0, 3.0 * std::pow(100.0 / 41.0, 2.0), 5, {}},
        {u"30", u"100", 2.0, true, 30.0, 3.0 * std::pow(100.0 / 30.0, 2.0), 5,
         FindingWarning::LoadBelowMinimum},
        {u"0", u"100", 2.0, true, {}, {}, 2, FindingWarning::LoadUnknown},
        {u"abc", u"100", 2.0, true, {}, {}, 2, FindingWarning::LoadUnknown},
        {u"63,5", u"", 2.0, true, {}, {}, 2, FindingWarning::LoadUnknown},
        {u"100", u"100", 2.0, true, 100.0, 3.0, 2, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << std::string(k.measured.begin(), k.measured.end())
                                        << " n=" << k.exponent << " corrected " << k.corrected);
        FindingsSettings s;
        s.loadExponent = k.exponent;
        s.classifyCorrected = k.corrected;
        const Finding f = evaluateFinding(readingsOf(40.0, 3.0), loaded(k.measured, k.rated), {}, s,
                                          ReportTemplate::Maintenance, TempUnit::Celsius);
        EXPECT_EQ(f.deltaT, 3.0);
        EXPECT_EQ(f.loadPercent.has_value(), k.percent.has_value());
        if (f.loadPercent && k.percent) {
            EXPECT_DOUBLE_EQ(*f.loadPercent, *k.percent);
        }
        ASSERT_EQ(f.deltaTCorrected.has_value(), k.deltaTc.has_value());
        if (k.deltaTc) {
            EXPECT_DOUBLE_EQ(*f.deltaTCorrected, *k.deltaTc);
        }
        EXPECT_EQ(f.suggestedPriority, k.priority);
        EXPECT_EQ(f.warnings.size(), k.warning ? 1u : 0u);
        if (k.warning) {
            EXPECT_TRUE(hasWarning(f, *k.warning));
        }
    }
    // Buildings has no loads, so neither a load nor its warning.
    const Finding b = evaluateFinding(readingsOf(40.0, 3.0), loaded(u"50", u"100"), {}, {},
                                      ReportTemplate::Buildings, TempUnit::Celsius);
    EXPECT_FALSE(b.loadPercent);
    EXPECT_TRUE(b.warnings.empty());
}

// Catches the ambient reference ignored, the survey's ambient preferred over the record's own,
// an ambient in °C compared unconverted with °F readings, a missing reference classed as 0,
// and neta-worst reporting the ambient difference or missing the worse class.
TEST(Findings, ReferenceAndTheWorstOfBothTables)
{
    struct Case {
        Criteria criteria;
        ReferenceKind reference;
        std::optional<double> own, survey;  // °C
        std::optional<double> markerDifference;
        int unit;
        std::optional<double> deltaT;
        int priority;
        bool referenceMissing;
    };
    const Case cases[] = {
        // concern 50 °C (122 °F)
        {Criteria::NetaAmbient, ReferenceKind::Ambient, 25.0, 10.0, 2.0, 0, 25.0, 4, false},
        {Criteria::NetaAmbient, ReferenceKind::Ambient, {}, 10.0, 2.0, 0, 40.0, 4, false},
        {Criteria::NetaAmbient, ReferenceKind::Ambient, 25.0, {}, 2.0, 1, 45.0, 4, false},
        {Criteria::NetaAmbient, ReferenceKind::Ambient, {}, {}, 2.0, 0, {}, 0, true},
        {Criteria::NetaSimilar, ReferenceKind::Marker, 0.0, 0.0, {}, 0, {}, 0, true},
        {Criteria::NetaSimilar, ReferenceKind::Ambient, 45.0, {}, 20.0, 0, 5.0, 3, false},
        // worst: marker 2 K (possible, 2) against ambient 25 K (monitor, 4): the ambient wins,
        // the reported ΔT stays the marker's.
        {Criteria::NetaWorst, ReferenceKind::Marker, 25.0, {}, 2.0, 0, 2.0, 4, false},
        {Criteria::NetaWorst, ReferenceKind::Marker, {}, {}, 2.0, 0, 2.0, 2, false},
        {Criteria::NetaWorst, ReferenceKind::Marker, {}, 45.0, 20.0, 0, 20.0, 5, false},
        // similar 3 (ΔT 5) ties ambient 3 (ΔT 15).
        {Criteria::NetaWorst, ReferenceKind::Marker, 35.0, {}, 5.0, 0, 5.0, 3, false},
        {Criteria::NetaWorst, ReferenceKind::Ambient, 45.0, {}, 20.0, 0, 5.0, 2, false},
        {Criteria::NetaWorst, ReferenceKind::Marker, 25.0, {}, {}, 0, {}, 4, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << criteriaName(k.criteria) << " own " << k.own.value_or(-1) << " survey "
                     << k.survey.value_or(-1) << " unit " << k.unit);
        FindingsSettings s;
        s.criteria = k.criteria;
        s.ambient = k.survey;
        const RecordFindings own{k.reference, k.own, false};
        const double concern = celsiusIn(50.0, unitOf(k.unit));
        const Finding f = evaluateFinding(readingsOf(concern, k.markerDifference), {}, own, s,
                                          ReportTemplate::Buildings, unitOf(k.unit));
        EXPECT_EQ(f.deltaT, k.deltaT);
        EXPECT_EQ(f.suggestedPriority, k.priority);
        EXPECT_EQ(hasWarning(f, FindingWarning::ReferenceMissing), k.referenceMissing);
        if (k.reference == ReferenceKind::Ambient && f.reference) {
            EXPECT_FALSE(f.reference->measurement);
        }
    }
}

// Catches a custom table read as a built-in one, or bands checked out of order.
TEST(Findings, CustomBandsAndTheirChecks)
{
    FindingsSettings s;
    s.criteria = Criteria::Custom;
    s.customBands = {{2.0, false, u"Watch", 1}, {5.0, false, u"Fix", 4}};
    EXPECT_FALSE(settingsProblem(s));
    const std::pair<double, int> cases[] = {{1.9, 0}, {2.0, 1}, {4.9, 1}, {5.0, 4}, {99.0, 4}};
    for (const auto& [deltaT, priority] : cases)
        EXPECT_EQ(evaluateFinding(readingsOf(60.0, deltaT), {}, {}, s, ReportTemplate::Buildings,
                                  TempUnit::Celsius)
                      .suggestedPriority,
                  priority)
            << deltaT;

    struct Bad {
        void (*spoil)(FindingsSettings&);
        const char* key;
    };
    const Bad bad[] = {
        {[](FindingsSettings& t) { t.customBands[1].from = 2.0; }, "custom_bands[1].from"},
        {[](FindingsSettings& t) { t.customBands[0].priority = 6; }, "custom_bands[0].priority"},
        {[](FindingsSettings& t) { t.customBands.resize(7, t.customBands[1]); }, "custom_bands"},
        {[](FindingsSettings& t) { t.loadExponent = 0.9; }, "load_exponent"},
        {[](FindingsSettings& t) { t.loadExponent = 3.1; }, "load_exponent"},
        {[](FindingsSettings& t) { t.loadExponent = NAN; }, "load_exponent"},
        {[](FindingsSettings& t) { t.frsiThreshold = 1.5; }, "frsi_threshold"},
        {[](FindingsSettings& t) { t.minLoadPercent = -1; }, "min_load_percent"},
    };
    for (const Bad& b : bad) {
        FindingsSettings t = s;
        b.spoil(t);
        const auto problem = settingsProblem(t);
        ASSERT_TRUE(problem) << b.key;
        EXPECT_EQ(problem->rfind(b.key, 0), 0u) << *problem;
    }
    FindingsSettings edge = s;
    edge.loadExponent = 1.0;
    EXPECT_FALSE(settingsProblem(edge));
    edge.loadExponent = 3.0;
    EXPECT_FALSE(settingsProblem(edge));
}

// Catches a hand-set priority overwritten by the suggestion, or a suggestion ignored.
TEST(Findings, ManualPriorityIsKept)
{
    cInspectionRecord rec;
    rec.repairPriority = 1;
    const struct {
        bool manual;
        int priority;
    } cases[] = {{true, 1}, {false, 5}};
    for (const auto& k : cases) {
        const Finding f =
            evaluateFinding(readingsOf(60.0, 20.0), rec, {ReferenceKind::Marker, {}, k.manual}, {},
                            ReportTemplate::Buildings, TempUnit::Celsius);
        EXPECT_EQ(f.suggestedPriority, 5);
        EXPECT_EQ(f.priority, k.priority);
        EXPECT_EQ(f.priorityManual, k.manual);
    }
}

// Catches fRsi with indoor and outdoor swapped, judged unrounded at the threshold, computed
// from weather fields in the wrong unit, or the small-difference warning missed at 10 K.
TEST(Findings, BuildingTemperatureFactor)
{
    struct Case {
        double concern;  // report unit
        std::u16string indoor, outdoor;
        int unit;
        double threshold;
        std::optional<double> frsi;
        bool pass, smallDifference;
    };
    const Case cases[] = {
        {14.0, u"20", u"0", 0, 0.70, 0.70, true, false},
        {13.99, u"20", u"0", 0, 0.70, 0.6995, true, false},  // printed 0.70
        {13.8, u"20", u"0", 0, 0.70, 0.69, false, false},
        {14.0, u"20", u"0", 0, 0.75, 0.70, false, false},
        {17.0, u"20 °C", u"10", 0, 0.70, 0.70, true, false},
        {17.0, u"20", u"10,1", 0, 0.70, 6.9 / 9.9, true, true},  // 0.697 prints 0.70
        {16.9, u"20", u"10,1", 0, 0.70, 6.8 / 9.9, false, true},
        {57.2, u"68", u"32", 1, 0.70, 0.70, true, false},  // °F report, °F weather fields
        {287.2, u"20", u"0", 2, 0.70, 0.70, true, false},  // K report, °C weather fields
        {14.0, u"abc", u"0", 0, 0.70, {}, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.concern << " unit " << k.unit);
        cInspectionRecord rec;
        rec.indoor = k.indoor;
        rec.outdoor = k.outdoor;
        FindingsSettings s;
        s.frsiThreshold = k.threshold;
        const Finding f = evaluateFinding(readingsOf(k.concern, {}), rec, {}, s,
                                          ReportTemplate::Buildings, unitOf(k.unit));
        ASSERT_EQ(f.frsi.has_value(), k.frsi.has_value());
        if (!k.frsi) continue;
        EXPECT_NEAR(*f.frsi, *k.frsi, 1e-6);
        EXPECT_EQ(f.frsiPass, k.pass);
        EXPECT_EQ(hasWarning(f, FindingWarning::IndoorOutdoorBelow10K), k.smallDifference);
    }
    // Not a building template: no factor.
    cInspectionRecord rec;
    rec.indoor = u"20";
    rec.outdoor = u"0";
    EXPECT_FALSE(evaluateFinding(readingsOf(14.0, {}), rec, {}, {}, ReportTemplate::Maintenance,
                                 TempUnit::Celsius)
                     .frsi);
}

}  // namespace
}  // namespace calivue
