// Raw counts to temperatures, unit conversions and text formatting.
#include "images.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace calivue;
using calivue::test::makeImage;
using calivue::test::makeUniform;

// Catches the wrong kelvin offset (273.15) or reflected temperature leaking in at e = 1.
TEST(TemperatureOf, EmissivityOneIsPlainKelvinInEveryUnit)
{
    auto img = makeUniform(2932, [](RecordFields& f) { f.reflected = 5000; });
    EXPECT_NEAR(img->temperatureOf(2932, 1.0f, true), 20.0f, 1e-4);
    img->setUnit(TempUnit::Fahrenheit);
    EXPECT_NEAR(img->temperatureOf(2932, 1.0f, true), 68.0f, 1e-4);
    img->setUnit(TempUnit::Kelvin);
    EXPECT_NEAR(img->temperatureOf(2932, 1.0f, true), 293.2f, 1e-4);
    img->setUnit(static_cast<TempUnit>(7));  // refused: stays kelvin
    EXPECT_EQ(img->unit(), 2);
}

// Catches a wrong emissivity model: a grey body reads hotter than the black-body value.
TEST(TemperatureOf, EmissivityCorrection)
{
    auto img = makeUniform(2932);
    const float t95 = img->temperatureOf(3500, 0.95f, true);
    EXPECT_NEAR(t95, 79.2f, 0.05);
    EXPECT_NEAR(img->temperatureOf(3500, 1.0f, true), 76.8f, 1e-4);
    // Above 280 °C the upper branch of the curve is used and still continuous.
    const float hot =
        img->temperatureOf(static_cast<std::uint16_t>((300 + 273.2) * 10), 0.95f, true);
    EXPECT_GT(hot, 300.0f);
    EXPECT_LT(hot, 320.0f);
}

// Catches the image-emissivity sentinel (e > 1) and zero guards.
TEST(TemperatureOf, SentinelsAndZeroes)
{
    auto img = makeUniform(2932, [](RecordFields& f) { f.emissivity[10] = 95; });
    EXPECT_FLOAT_EQ(img->temperatureOf(3500, 2.0f, true), img->temperatureOf(3500, 0.95f, true));
    EXPECT_EQ(img->temperatureOf(0, 0.95f, true), 0.0f);
    EXPECT_EQ(img->temperatureOf(3500, 0.0f, true), 0.0f);
    EXPECT_EQ(img->temperatureOf(3500, -1.0f, true), 0.0f);
    img->fields.emissivity[10] = 0;
    EXPECT_EQ(img->temperatureOf(3500, 2.0f, true), 0.0f);
}

// Catches NaN from the square root of a negative number: a sky far colder than
// the reflected temperature at e < 1 must read the model's lowest temperature.
TEST(TemperatureOf, VeryColdObjectsNeverGiveNaN)
{
    auto img = makeUniform(2932);
    for (int raw = 1; raw < 3000; raw += 7) {
        for (float e : {0.10f, 0.50f, 0.95f, 0.99f}) {
            const float t = img->temperatureOf(static_cast<std::uint16_t>(raw), e, true);
            ASSERT_TRUE(std::isfinite(t)) << raw << " " << e;
            ASSERT_GE(t, -78.1f);
        }
    }
    // -65.5 °C at e = 0.95 falls below the curve: clamped to about -78 °C.
    EXPECT_NEAR(img->temperatureOf(2077, 0.95f, true), -78.0f, 0.05);
    for (int raw = 1; raw < 65536; raw += 97)
        ASSERT_TRUE(std::isfinite(img->temperatureOf(static_cast<std::uint16_t>(raw), 0.5f, true)));
}

// Catches a correction applied when it is neutral, or not applied at all.
TEST(TemperatureOf, TemperatureCorrection)
{
    auto img = makeUniform(2932);
    EXPECT_FLOAT_EQ(img->temperatureOf(3000, 0.95f, true), img->temperatureOf(3000, 0.95f, false));
    img->setTemperatureCorrection(2832);
    EXPECT_NEAR(img->temperatureOf(3000, 0.95f, true) - img->temperatureOf(3000, 0.95f, false),
                10.0f, 1e-3);
}

// Catches rounding and unit mistakes in the tenths-of-kelvin helpers.
TEST(UnitHelpers, TenthsKelvinAndCelsius)
{
    auto img = makeUniform(2932);
    EXPECT_EQ(img->toTenthsKelvin(20.0), 2932);
    EXPECT_EQ(img->toTenthsKelvinFromCelsius(20.0), 2932);
    EXPECT_DOUBLE_EQ(img->toCelsius(20.0), 20.0);
    img->setUnit(TempUnit::Fahrenheit);
    EXPECT_EQ(img->toTenthsKelvin(68.0), 2932);
    EXPECT_NEAR(img->toCelsius(68.0), 20.0, 1e-9);
    img->setUnit(TempUnit::Kelvin);
    EXPECT_EQ(img->toTenthsKelvin(293.2), 2932);
    EXPECT_NEAR(img->toCelsius(293.2), 20.0, 1e-9);
    img->fields.unit = 9;
    EXPECT_EQ(img->toTenthsKelvin(20.0), 0);
    EXPECT_EQ(img->toCelsius(20.0), 0.0);
}

// Catches cursor y not being counted from the top, or the wrong emissivity per marker.
TEST(MarkerReadings, CursorsUseTheirOwnEmissivityAndTopCountedY)
{
    auto img = makeImage([](int, int row) { return row == 239 ? 3500 : 2932; },
                         [](RecordFields& f) {
                             f.cursorCount = 2;
                             f.cursorX = {10, 10};
                             f.cursorY = {0, 100};  // y 0 is the top row = array row 239
                             f.emissivity[0] = 100;
                             f.emissivity[1] = 95;
                         });
    // Smoothing averages the top row with nothing above it: row 239 keeps its value.
    EXPECT_NEAR(img->markerTemperature(0), 76.8f, 1e-3);
    EXPECT_NEAR(img->markerTemperature(1), 20.0f, 1e-3);
    EXPECT_NEAR(img->markerDifference(0, 1), 56.8f, 1e-3);
    EXPECT_EQ(img->markerDifference(-1, 1), 0.0f);
    EXPECT_EQ(img->markerTemperature(12), 0.0f);
}

// Catches the alignment limits drifting past ±64.
TEST(Alignment, NudgeLimitsAndReset)
{
    auto img = makeUniform(2932, [](RecordFields& f) {
        f.alignX = 64;
        f.alignY = -63;
    });
    EXPECT_FALSE(img->nudgeAlignment(true, +1));
    EXPECT_EQ(img->fields.alignX, 64);
    EXPECT_TRUE(img->nudgeAlignment(false, -1));
    EXPECT_EQ(img->fields.alignY, -64);
    EXPECT_FALSE(img->nudgeAlignment(false, -1));
    EXPECT_TRUE(img->nudgeAlignment(true, -1));
    img->resetAlignment();
    EXPECT_EQ(img->fields.alignX, 64);
    EXPECT_EQ(img->fields.alignY, -63);
}

// Catches wrong ordinal suffixes, missing normalisation and exceptions on bad dates.
TEST(CaptureText, DatesAndTimes)
{
    cBrixa img;
    auto date = [&](int d, int m, int y) {
        img.fields.capture.day = static_cast<std::uint8_t>(d);
        img.fields.capture.month = static_cast<std::uint8_t>(m);
        img.fields.capture.year = static_cast<std::uint16_t>(y);
        return img.captureDateText();
    };
    EXPECT_EQ(date(21, 3, 2009), "21st March 2009");
    EXPECT_EQ(date(2, 12, 1999), "2nd December 1999");
    EXPECT_EQ(date(23, 1, 2020), "23rd January 2020");
    EXPECT_EQ(date(11, 6, 2012), "11th June 2012");
    EXPECT_EQ(date(12, 6, 2012), "12th June 2012");
    EXPECT_EQ(date(31, 2, 2021), "3rd March 2021");  // rolls over like the C library
    EXPECT_FALSE(date(1, 1, 1899));
    EXPECT_FALSE(date(0, 1, 2000));
    EXPECT_FALSE(date(1, 13, 2000));

    auto time = [&](int h, int m, int s) {
        img.fields.capture.hour = static_cast<std::uint8_t>(h);
        img.fields.capture.minute = static_cast<std::uint8_t>(m);
        img.fields.capture.second = static_cast<std::uint8_t>(s);
        return img.captureTimeText();
    };
    EXPECT_EQ(time(10, 0, 0), "10.00");
    EXPECT_EQ(time(0, 7, 0), "0.07");
    EXPECT_EQ(time(9, 5, 59), "9.05");
    EXPECT_FALSE(time(24, 0, 0));
    EXPECT_FALSE(time(1, 60, 0));
    EXPECT_FALSE(time(1, 0, 60));
}

// Catches typed temperatures turned into tenths of kelvin regardless of the image's scale
// and emissivity: the chosen raw count must read back as the typed value.
TEST(UnitHelpers, RawForTemperatureReadsBackAsTyped)
{
    auto img = makeUniform(2932);
    EXPECT_EQ(img->rawForTemperature(20.0), 2932);
    img->setUnit(TempUnit::Fahrenheit);
    EXPECT_EQ(img->rawForTemperature(68.0), 2932);
    img->setUnit(TempUnit::Celsius);
    img->fields.emissivity[10] = 95;
    for (double t : {-20.0, 0.0, 30.0, 79.2, 250.0, 600.0}) {
        const int raw = img->rawForTemperature(t);
        EXPECT_NEAR(img->rawToTemperature(raw), t, 0.1) << t;
    }
    img->fields.unit = 5;
    EXPECT_EQ(img->rawForTemperature(20.0), 0);
}

// Catches the reflected temperature stored as tenths of kelvin at scales other than 10.
TEST(UnitHelpers, ReflectedRawFollowsTheScale)
{
    auto img = makeUniform(2932);
    EXPECT_EQ(img->reflectedRawFor(20.0), 2932);
    img->setUnit(TempUnit::Fahrenheit);
    EXPECT_EQ(img->reflectedRawFor(68.0), 2932);
    img->setUnit(TempUnit::Kelvin);
    EXPECT_EQ(img->reflectedRawFor(473.2), 4732);
    auto scaled = makeUniform(29320, [](RecordFields& f) { f.scaleCode = 100; });
    ASSERT_EQ(scaled->scale(), 100.0f);
    EXPECT_EQ(scaled->reflectedRawFor(20.0), 29320);
    EXPECT_NEAR(scaled->rawToTemperature(scaled->rawForTemperature(20.0)), 20.0, 0.01);
    EXPECT_EQ(img->reflectedRawFor(-1e9), 0);
}

// Catches a stored unit number read as another unit, a number outside 0-2 taken for a unit,
// or a unit text that does not follow its number (records, settings and options keep numbers).
TEST(TempUnitNumbers, StoredNumbersNameTheirUnits)
{
    const struct {
        int number;
        std::optional<TempUnit> unit;
        const char* text;
    } cases[] = {{0, TempUnit::Celsius,
                  "\xC2\xB0"
                  "C"},
                 {1, TempUnit::Fahrenheit,
                  "\xC2\xB0"
                  "F"},
                 {2, TempUnit::Kelvin, "K"},
                 {3, std::nullopt, ""},
                 {255, std::nullopt, ""},
                 {-1, std::nullopt, ""}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.number);
        EXPECT_EQ(tempUnitFrom(k.number), k.unit);
        EXPECT_EQ(unitTextOf(k.number), k.text);
        if (k.unit) {
            EXPECT_EQ(tempUnitNumber(*k.unit), k.number);
            EXPECT_EQ(unitTextOf(*k.unit), k.text);
        }
    }
}
