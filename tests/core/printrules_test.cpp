// The rules of what an inspection shows and prints: the measurement lists and their choices,
// the readings and their difference, and the templates' captions, rows and stored choices.
#include "core/brixa.h"
#include "core/constants.h"
#include "core/printrules.h"

#include "generator.h"

#include <gtest/gtest.h>

#include <cmath>

namespace calivue {
namespace {

cBrixa markers(int cursors, std::uint8_t flagsA, std::uint8_t flagsB)
{
    cBrixa image;
    image.fields.cursorCount = static_cast<std::uint8_t>(cursors);
    image.fields.flagsA = flagsA;
    image.fields.flagsB = flagsB;
    return image;
}

// Catches a list that offers hidden cursors, misses a marker, or a default choice that ignores
// the hot and cold markers or points past the end of the list (a cold marker alone is at 1).
TEST(InspectionRules, MeasurementListsAndTheirDefaultChoice)
{
    struct Case {
        int cursors;
        std::uint8_t flagsA, flagsB;
        int entries, first, second;
    };
    const Case cases[] = {
        {3, 0x03, 0x00, 6, 1, 2}, {3, 0x03, 0x02, 3, 1, 2},  {3, 0x01, 0x02, 2, 1, 0},
        {3, 0x00, 0x02, 1, 0, 0}, {1, 0x00, 0x00, 2, 1, 0},  {1, 0x01, 0x00, 3, 1, 0},
        {2, 0x00, 0x00, 3, 1, 2}, {0, 0x02, 0x00, 2, 0, 1},  {0, 0x03, 0x00, 3, 1, 2},
        {0, 0x00, 0x00, 1, 0, 0}, {12, 0x00, 0x00, 11, 1, 2}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.cursors << " A " << int(k.flagsA) << " B " << int(k.flagsB));
        const std::vector<Measurement> list =
            measurementList(markers(k.cursors, k.flagsA, k.flagsB));
        ASSERT_EQ(static_cast<int>(list.size()), k.entries);
        EXPECT_EQ(list.front(), (Measurement{Measurement::Kind::None, -1}));
        if (k.flagsA & flags::A_Coldest) {
            EXPECT_EQ(list.back(), (Measurement{Measurement::Kind::Cold, kColdestMarker}));
        }
        EXPECT_EQ(defaultMeasurementChoice(list), (MeasurementChoice{k.first, k.second}));
    }
}

// Catches a record whose never-made choice is decided by another rule (cursors only) where it
// is printed, a stored choice overridden, or a position past the list read as a marker.
TEST(InspectionRules, ARecordsChoiceIsItsOwnOrTheDefault)
{
    const std::vector<Measurement> list = measurementList(markers(0, 0x03, 0x00));  // Hot, Cold
    struct Case {
        int first, second;
        MeasurementChoice shown;
        int settledFirst, settledSecond;
    };
    const Case cases[] = {
        {-1, -1, {1, 2}, 1, 2},  // never shown: Hot − Cold, as the page would choose
        {-1, 0, {1, 2}, 1, 2},   // the first selection alone says "never chosen"
        {0, 0, {0, 0}, 0, 0},   {2, 1, {2, 1}, 2, 1},
        {1, -1, {1, 0}, 1, -1},  // a second never chosen beside a chosen first is "none"
        {5, 2, {0, 2}, 5, 2},    // past the list: "none", but the record keeps its number
        {-3, 1, {0, 1}, -3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << "," << c.second);
        cInspectionRecord r;
        r.firstMeasurement = c.first;
        r.secondMeasurement = c.second;
        EXPECT_EQ(measurementChoice(r, list), c.shown);
        settleMeasurementChoice(r, list);
        EXPECT_EQ(r.firstMeasurement, c.settledFirst);
        EXPECT_EQ(r.secondMeasurement, c.settledSecond);
    }
}

// Catches readings of the wrong marker, a difference without both choices, "-0.0", and a
// heading that follows the listed rows instead of the snapshot's cursors.
TEST(InspectionRules, ReadingsFollowTheChoiceAndTheUnit)
{
    cBrixa image = gen::makeSnapshot(gen::demoPlan(5));  // three cursors, hottest and coldest
    ASSERT_TRUE(image.buildArrays());
    cInspectionRecord r;
    r.firstMeasurement = 4;   // Hot
    r.secondMeasurement = 1;  // Cursor 1
    for (TempUnit unit : kTempUnits) {
        const InspectionReadings got = inspectionReadings(image, r, unit);
        EXPECT_EQ(image.unit(), tempUnitNumber(unit));
        ASSERT_EQ(got.rows.size(), 5u);
        EXPECT_EQ(got.rows[3].measurement.kind, Measurement::Kind::Hot);
        EXPECT_DOUBLE_EQ(got.rows[0].value, image.markerTemperature(0));
        ASSERT_TRUE(got.first && got.second && got.difference);
        EXPECT_EQ(got.first->measurement.marker, kHottestMarker);
        EXPECT_DOUBLE_EQ(*got.difference, image.markerDifference(kHottestMarker, 0));
        EXPECT_TRUE(got.measurementsHeading);
        EXPECT_DOUBLE_EQ(got.emissivity, image.fields.emissivity[10] / 100.0);
    }
    r.secondMeasurement = 0;
    EXPECT_FALSE(inspectionReadings(image, r, TempUnit::Celsius).difference);
    image.fields.flagsB = flags::B_CursorsHidden;
    const InspectionReadings hidden = inspectionReadings(image, {}, TempUnit::Celsius);
    EXPECT_EQ(hidden.rows.size(), 2u);
    EXPECT_TRUE(hidden.measurementsHeading);
    EXPECT_EQ(hidden.first->measurement.kind, Measurement::Kind::Hot);

    const std::pair<double, double> shown[] = {
        {-0.04, 0.0}, {-0.0, 0.0}, {0.04, 0.04}, {-0.06, -0.06}, {-12.34, -12.34}};
    for (auto [value, want] : shown) {
        EXPECT_EQ(shownDifference(value), want) << value;
        EXPECT_FALSE(std::signbit(shownDifference(value)) && shownDifference(value) == 0.0);
    }
}

// Catches a stored template number read as another template, or a number outside 0-3 taken
// for one.
TEST(InspectionRules, StoredTemplateNumbers)
{
    const std::pair<int, std::optional<ReportTemplate>> cases[] = {{0, ReportTemplate::Maintenance},
                                                                   {1, ReportTemplate::Buildings},
                                                                   {2, ReportTemplate::Mechanical},
                                                                   {3, ReportTemplate::Custom},
                                                                   {4, std::nullopt},
                                                                   {-1, std::nullopt}};
    for (const auto& [number, named] : cases) {
        EXPECT_EQ(reportTemplateFrom(number), named) << number;
        if (named) {
            EXPECT_EQ(reportTemplateNumber(*named), number);
        }
    }
}

// Catches a template printing rows or words the page does not show, and stored numbers the
// lists do not hold shown as something else than their first entry.
TEST(InspectionRules, TemplatesAndStoredChoices)
{
    using C = CaptionText;
    EXPECT_EQ(templateCaptionTexts(ReportTemplate::Maintenance)[7], C::LoadPercent);
    EXPECT_EQ(templateCaptionTexts(ReportTemplate::Mechanical)[7], C::Rpm);
    EXPECT_EQ(templateCaptionTexts(ReportTemplate::Mechanical)[1], C::Operator);
    EXPECT_EQ(templateCaptionTexts(ReportTemplate::Buildings),
              templateCaptionTexts(ReportTemplate::Custom));
    EXPECT_EQ(templateCaptionTexts(ReportTemplate::Buildings)[1], C::Inspector);
    const struct {
        ReportTemplate templateNumber;
        const char* rows;  // 13 flags, one per caption row
        bool choice, user;
    } templates[] = {{ReportTemplate::Maintenance, "1111111100000", false, false},
                     {ReportTemplate::Buildings, "1110111111111", true, false},
                     {ReportTemplate::Mechanical, "1111111100000", false, false},
                     {ReportTemplate::Custom, "1111111111111", false, true}};
    for (const auto& t : templates) {
        for (int row = 0; row < 13; ++row)
            EXPECT_EQ(captionRowShown(t.templateNumber, row), t.rows[row] == '1')
                << reportTemplateNumber(t.templateNumber) << " row " << row;
        EXPECT_FALSE(captionRowShown(t.templateNumber, 13));
        EXPECT_EQ(conditionIsChoice(t.templateNumber), t.choice);
        EXPECT_EQ(userCaptions(t.templateNumber), t.user);
    }
    const std::pair<int, int> priorities[] = {{0, 0}, {1, 1}, {5, 5}, {6, 0}, {-1, 0}, {99, 0}};
    for (auto [stored, shown] : priorities) EXPECT_EQ(shownPriority(stored), shown) << stored;
    const std::pair<int, int> conditions[] = {{0, 0}, {2, 2}, {3, 0}, {-2, 0}};
    for (auto [stored, shown] : conditions) EXPECT_EQ(shownConditionChoice(stored), shown);
    EXPECT_EQ(weatherUnits(TempUnit::Fahrenheit).temperatureUnit, TempUnit::Fahrenheit);
    EXPECT_TRUE(weatherUnits(TempUnit::Fahrenheit).milesPerHour);
    // Kelvin reports give weather in °C
    EXPECT_EQ(weatherUnits(TempUnit::Kelvin).temperatureUnit, TempUnit::Celsius);
    EXPECT_FALSE(weatherUnits(TempUnit::Kelvin).milesPerHour);
}

}  // namespace
}  // namespace calivue
