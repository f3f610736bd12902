// The Excel Output file: value format, row and column order, unit and emissivity
// rules, exact size, and the file write.
#include "core/csvexport.h"
#include "core/fileio.h"
#include "files.h"
#include "images.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace calivue;

namespace {

std::string printfValue(float v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%0.03f, ", static_cast<double>(v));
    return buf;
}

std::string appended(float v)
{
    std::string s;
    appendCsvValue(s, v);
    return s;
}

std::string repeatText(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

}  // namespace

// Catches a fast formatter that drifts from "%0.03f": rounding of ties, negative
// zero ("-0.000" for -0.0001), large magnitudes and non-finite values.
TEST(CsvFormat, ValueTextEqualsPrintfThreeDecimals)
{
    const float special[] = {0.0f, -0.0f, -0.0001f, 0.0001f, 0.0005f, -0.0005f, 0.0015f, 0.0025f,
                             1.0005f, -1.0005f, 20.0f, -273.2f, 293.2f, 68.0f, 1e-8f, -1e-8f,
                             123456.78f, -99999.9f, 3.4e38f, -3.4e38f, 1e-45f, 0.9995f, 2.0005f,
                             -78.04f,
                             // exact halves in binary: printf rounds them to even
                             0.0625f, 0.1875f, -0.0625f, 2.5625f, -1.4375f, 1e9f, 999999.94f, -1e9f,
                             4.5e-4f, 5.0e-4f, -5.0e-4f};
    for (float v : special) EXPECT_EQ(appended(v), printfValue(v)) << v;
    EXPECT_EQ(appended(-0.0001f), "-0.000, ");
    EXPECT_EQ(appended(0.0625f), "0.062, ");
    EXPECT_EQ(appended(0.1875f), "0.188, ");
    EXPECT_EQ(appended(std::numeric_limits<float>::infinity()),
              printfValue(std::numeric_limits<float>::infinity()));
    EXPECT_EQ(appended(-std::numeric_limits<float>::infinity()),
              printfValue(-std::numeric_limits<float>::infinity()));

    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> wide(-400.0f, 1200.0f);
    std::uniform_int_distribution<int> milli(-400000, 1200000);
    for (int i = 0; i < 200000; ++i) {
        const float r = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        ASSERT_EQ(appended(r), printfValue(r)) << r;
        const float a = wide(rng);
        ASSERT_EQ(appended(a), printfValue(a)) << a;
        // Values near a half of the last digit, where rounding is decided.
        const float b = static_cast<float>(milli(rng)) / 1000.0f + 0.0005f;
        ASSERT_EQ(appended(b), printfValue(b)) << b;
        const float c = std::nextafter(b, 0.0f);
        ASSERT_EQ(appended(c), printfValue(c)) << c;
    }
}

// Catches wrong value, separator or line end: 2932 at scale 10 in Celsius is 20.000.
TEST(CsvExport, UniformImageGivesTwentyDegreesEverywhereWithExactSize)
{
    auto img = test::makeUniform(2932);
    ASSERT_NE(img, nullptr);
    const std::string text = csvText(*img);
    const std::string line = repeatText("20.000, ", 320) + "\n";
    EXPECT_EQ(text, repeatText(line, 240));
    EXPECT_EQ(text.size(), 240u * (320u * 8u + 1u));
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

// Catches the image emissivity or reflected temperature leaking into the export.
TEST(CsvExport, ImageEmissivityAndReflectedTemperatureDoNotChangeValues)
{
    auto value = [](int x, int row) { return 2600 + x * 3 + row * 2; };
    auto one = test::makeImage(value, [](RecordFields& f) { f.emissivity[10] = 100; });
    auto half = test::makeImage(value, [](RecordFields& f) {
        f.emissivity[10] = 50;
        f.reflected = 3500;
    });
    ASSERT_TRUE(one && half);
    EXPECT_EQ(csvText(*one), csvText(*half));
}

// Catches rows written bottom-up or columns reversed: line 0 is the top picture
// row (array row 239) and each line runs from column 0 to 319.
TEST(CsvExport, TopPictureRowFirstAndColumnsLeftToRight)
{
    auto img = test::makeImage([](int x, int row) {
        if (row == 239) return x == 0 ? 3732 : 3232;  // top row: 100 °C at the left edge
        if (row == 0) return x == 319 ? 2232 : 2732;  // bottom row: −50 °C at the right edge
        return 2732;
    });
    ASSERT_NE(img, nullptr);
    const std::string text = csvText(*img);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    ASSERT_EQ(lines.size(), 240u);
    // Smoothing may soften a lone pixel; compare with the image's own reading.
    EXPECT_EQ(lines.front().substr(0, printfValue(img->temperatureAt(0, 239, 1.0f)).size()),
              printfValue(img->temperatureAt(0, 239, 1.0f)));
    EXPECT_GT(img->temperatureAt(0, 239, 1.0f), img->temperatureAt(5, 239, 1.0f));
    EXPECT_LT(img->temperatureAt(319, 0, 1.0f), img->temperatureAt(314, 0, 1.0f));
    const std::string lastValue = printfValue(img->temperatureAt(319, 0, 1.0f));
    EXPECT_EQ(lines.back().substr(lines.back().size() - lastValue.size()), lastValue);

    std::string expected;
    for (int row = 239; row >= 0; --row) {
        for (int x = 0; x < 320; ++x) expected += printfValue(img->temperatureAt(x, row, 1.0f));
        expected += '\n';
    }
    EXPECT_EQ(text, expected);
}

// Catches values exported in Celsius whatever the image's unit.
TEST(CsvExport, ValuesFollowImageUnit)
{
    auto f = test::makeUniform(2932, [](RecordFields& r) { r.unit = 1; });
    auto k = test::makeUniform(2932, [](RecordFields& r) { r.unit = 2; });
    auto cold = test::makeUniform(2632);  // 263.2 K = -10 °C
    ASSERT_TRUE(f && k && cold);
    EXPECT_EQ(csvText(*f).substr(0, 16), "68.000, 68.000, ");
    EXPECT_EQ(csvText(*k).substr(0, 16), "293.200, 293.200");
    EXPECT_EQ(csvText(*cold).substr(0, 9), "-10.000, ");
}

// Catches a stream or file write that silently drops data or claims success.
TEST(CsvExport, WritesExactlyTheTextAndReportsFailures)
{
    auto img = test::makeImage([](int x, int row) { return 2700 + (x ^ row) % 300; });
    ASSERT_NE(img, nullptr);
    std::ostringstream out;
    ASSERT_EQ(writeCsv(*img, out), Error::None);
    EXPECT_EQ(out.str(), csvText(*img));

    const test::TempDir tmp("calivue_csv_");
    const fs::path& dir = tmp.path();
    ASSERT_EQ(exportCsv(*img, dir / "out.csv"), Error::None);
    std::ifstream in(dir / "out.csv", std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(file, out.str());

    // An earlier export is replaced whole, not appended to.
    auto uniform = test::makeUniform(2932);
    ASSERT_EQ(exportCsv(*uniform, dir / "out.csv"), Error::None);
    EXPECT_EQ(fs::file_size(dir / "out.csv"), 240u * (320u * 8u + 1u));

    fs::create_directories(dir / "taken.csv");
    EXPECT_EQ(exportCsv(*img, dir / "taken.csv"), Error::WriteFailed);
    EXPECT_EQ(exportCsv(*img, dir / "missing" / "x.csv"), Error::WriteFailed);

    cBrixa empty;
    std::ostringstream none;
    EXPECT_EQ(writeCsv(empty, none), Error::NotLoaded);
    EXPECT_TRUE(none.str().empty());
    EXPECT_EQ(exportCsv(empty, dir / "empty.csv"), Error::NotLoaded);
    EXPECT_FALSE(fs::exists(dir / "empty.csv"));

    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_EQ(writeCsv(*img, broken), Error::WriteFailed);
}
