// `info`: every key, values taken from the right record fields, unit and area
// options, probes, text widening, and golden values of the real samples.
#include "clitest.h"

#include "core/snapshotfiles.h"

#include <cmath>

using namespace calivue;
using namespace calivue::clitest;
using Json = nlohmann::json;

namespace {

Json infoOf(const std::vector<std::string>& args)
{
    CliResult r = runCli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    return Json::parse(r.out);
}

std::vector<std::uint8_t> richRecord()
{
    return recordBytes([](int x, int row) { return 2900 + x / 2 + row; },
                       [](RecordFields& f) {
                           f.scaleCode = 2;  // 25 counts per kelvin
                           f.unit = 1;
                           f.capture = {9, 5, 7, 21, 3, 2009};
                           f.emissivity = {91, 92, 93, 94, 95, 96, 97, 98, 99, 90, 88};
                           f.reflected = 7330;
                           f.palette = 9;
                           f.orientation = 2;
                           f.blend = 103;
                           f.fallbackLow = 2800;
                           f.fallbackHigh = 3400;
                           f.alignX = -5;
                           f.alignY = 64;
                           f.flagsA = 0xC3;
                           f.flagsB = 0x02;
                           f.cursorCount = 2;
                           f.cursorX = {7, 300};
                           f.cursorY = {0, 239};
                           setText(f.comments, "Hot \xB0 spot \xE9t\xE9");
                           setText(std::span(f.textC.data(), 20), "CAPTION OF TWENTY CH");
                           setText(f.textB, "IR_0042.WAV");
                       });
}

}  // namespace

// Catches a key missing, renamed or out of order in the agreed JSON object.
TEST_F(CliTest, InfoPrintsEveryKeyInOrder)
{
    writeAll(m_dir / "S.QVX", richRecord());
    const Json j = infoOf({"info", path("S.QVX")});
    std::vector<std::string> keys;
    for (auto it = j.begin(); it != j.end(); ++it) keys.push_back(it.key());
    // nlohmann::json sorts keys; compare as sets, order is checked on the raw text below.
    const std::vector<std::string> expected = {"version",
                                               "scale",
                                               "scale_code",
                                               "unit",
                                               "unit_text",
                                               "capture",
                                               "modified",
                                               "capture_date_text",
                                               "capture_time_text",
                                               "emissivity",
                                               "cursor_emissivity",
                                               "reflected_raw",
                                               "palette",
                                               "orientation",
                                               "blend",
                                               "span",
                                               "fallback_span",
                                               "auto_span",
                                               "full_range",
                                               "isotherms",
                                               "alignment",
                                               "saved_alignment",
                                               "flags_a",
                                               "flags_b",
                                               "cursor_count",
                                               "cursors",
                                               "stats",
                                               "area",
                                               "markers",
                                               "probes",
                                               "comments",
                                               "caption",
                                               "voice"};
    std::vector<std::string> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(keys, sortedExpected);

    const std::string raw = runCli({"info", path("S.QVX")}).out;
    std::size_t last = 0;
    for (const std::string& k : expected) {
        const std::size_t at = raw.find("\"" + k + "\":");
        ASSERT_NE(at, std::string::npos) << k;
        EXPECT_GT(at, last) << k;
        last = at;
    }
}

// Catches values read from the wrong record field or widened wrongly.
TEST_F(CliTest, InfoReportsRecordFieldsAsStored)
{
    writeAll(m_dir / "S.QVX", richRecord());
    const Json j = infoOf({"info", path("S.QVX")});
    EXPECT_EQ(j["version"], 3);
    EXPECT_EQ(j["scale"], 25.0);
    EXPECT_EQ(j["scale_code"], 2);
    EXPECT_EQ(j["unit"], 1);
    EXPECT_EQ(j["unit_text"],
              "\xC2\xB0"
              "F");
    EXPECT_EQ(
        j["capture"],
        (Json{
            {"year", 2009}, {"month", 3}, {"day", 21}, {"hour", 9}, {"minute", 5}, {"second", 7}}));
    EXPECT_EQ(j["modified"].size(), 6u);  // stamped by the encoder with the time of writing
    EXPECT_EQ(j["capture_date_text"], "21st March 2009");
    EXPECT_EQ(j["capture_time_text"], "9.05");
    EXPECT_EQ(j["emissivity"], 88);
    EXPECT_EQ(j["cursor_emissivity"], Json({91, 92, 93, 94, 95, 96, 97, 98, 99, 90}));
    EXPECT_EQ(j["reflected_raw"], 7330);
    EXPECT_EQ(j["palette"], 9);  // as stored, not corrected to 1
    EXPECT_EQ(j["orientation"], 2);
    EXPECT_EQ(j["blend"], 103);
    EXPECT_EQ(j["span"], Json({2900, 3100}));
    EXPECT_EQ(j["fallback_span"], Json({2800, 3400}));
    EXPECT_EQ(j["full_range"], Json({2900, 2900 + 159 + 239}));  // the raw scene's extremes
    EXPECT_LE(j["full_range"][0], j["stats"]["min_raw"]);  // stats come from the smoothed array
    EXPECT_GE(j["full_range"][1], j["stats"]["max_raw"]);
    EXPECT_EQ(j["isotherms"], (Json{{"blue", {2950, 2960}}, {"red", {3050, 3060}}}));
    EXPECT_EQ(j["alignment"], Json({-5, 64}));
    EXPECT_EQ(j["saved_alignment"], Json({-5, 64}));
    EXPECT_EQ(j["flags_a"], 0xC3);
    EXPECT_EQ(j["flags_b"], 2);
    EXPECT_EQ(j["cursor_count"], 2);
    EXPECT_EQ(j["cursors"], Json({{7, 0}, {300, 239}}));
    EXPECT_EQ(j["stats"]["coldest"].size(), 2u);
    EXPECT_EQ(j["area"]["mode"], 1);
    EXPECT_EQ(j["markers"].size(), 12u);
    EXPECT_EQ(j["probes"], Json::array());
    EXPECT_EQ(j["comments"], "Hot \xC2\xB0 spot \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(j["caption"], "CAPTION OF TWENTY CH");
    EXPECT_EQ(j["voice"], "IR_0042.WAV");
}

// Catches impossible dates and times printed as text instead of null.
TEST_F(CliTest, InfoGivesNullForImpossibleCaptureDateAndTime)
{
    writeAll(m_dir / "odd.qvx",
             recordBytes([](int, int) { return 3000; },
                         [](RecordFields& f) { f.capture = {24, 60, 0, 31, 13, 2001}; }));
    const Json j = infoOf({"info", path("odd.qvx")});
    EXPECT_TRUE(j["capture_date_text"].is_null());
    EXPECT_TRUE(j["capture_time_text"].is_null());
}

// Catches --unit applied after temperatures were computed, unit_text left stale,
// --area-mode ignored, or probes out of order or without the image's unit.
TEST_F(CliTest, InfoUnitAreaModeAndProbes)
{
    writeAll(m_dir / "u.qvx", recordBytes([](int, int) { return 2932; }));
    const Json c = infoOf({"info", path("u.qvx"), "--probe", "2932,1", "--probe", "3500,0.95"});
    ASSERT_EQ(c["probes"].size(), 2u);
    EXPECT_EQ(c["probes"][0], 20.0);
    EXPECT_NEAR(c["probes"][1].get<double>(), 79.2, 0.1);
    for (const Json& m : c["markers"]) EXPECT_EQ(m, 20.0);  // uniform scene, emissivity 1.00

    const Json k = infoOf({"info", path("u.qvx"), "--unit", "k", "--probe", "2932,1"});
    EXPECT_EQ(k["unit"], 2);
    EXPECT_EQ(k["unit_text"], "K");
    EXPECT_NEAR(k["probes"][0].get<double>(), 293.2, 1e-3);
    EXPECT_NEAR(k["markers"][11].get<double>(), 293.2, 1e-3);

    const Json f = infoOf({"info", path("u.qvx"), "--unit", "F", "--area-mode", "2"});
    EXPECT_EQ(f["unit_text"],
              "\xC2\xB0"
              "F");
    EXPECT_NEAR(f["markers"][0].get<double>(), 68.0, 1e-3);
    EXPECT_EQ(f["area"]["mode"], 2);
    EXPECT_EQ(infoOf({"info", path("u.qvx"), "--area-mode", "0"})["area"]["mode"], 0);
}

// Golden values of the real blend/alignment scene.
TEST(CliSamples, InfoOfSteamValvesSample)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots in " << CALIVUE_SAMPLES;
    const Json j = infoOf({"info", (dir / "IR_0004.BMP").string()});
    EXPECT_EQ(j["blend"], 50);
    EXPECT_EQ(j["alignment"], Json({3, -2}));
    EXPECT_EQ(j["saved_alignment"], Json({3, -2}));
    EXPECT_EQ(j["capture"], (Json{{"year", 2015},
                                  {"month", 8},
                                  {"day", 15},
                                  {"hour", 14},
                                  {"minute", 47},
                                  {"second", 43}}));
    EXPECT_EQ(j["capture_date_text"], "15th August 2015");
    EXPECT_EQ(j["capture_time_text"], "14.47");
    EXPECT_EQ(j["scale"], 10.0);
    EXPECT_EQ(j["emissivity"], 95);
    EXPECT_EQ(j["span"], Json({3078, 4517}));
    EXPECT_EQ(j["flags_a"], 0x30);
    EXPECT_EQ(j["cursor_count"], 4);
    EXPECT_EQ(j["cursors"][0], Json({138, 117}));
    EXPECT_EQ(j["caption"], "LOCO STEAM VALVES");
    EXPECT_EQ(j["voice"], "");
    // The hottest point lies above 150 °C; emissivity 0.95 reads above the apparent value.
    EXPECT_GT(j["markers"][11].get<double>(), 181.0);
}

// Catches the Latin-1 degree sign passed through as a raw byte (invalid UTF-8)
// and the camera's upper-case voice-note name being altered.
TEST(CliSamples, InfoWidensLatin1CommentOfPanelSample)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots in " << CALIVUE_SAMPLES;
    CliResult r = runCli({"info", (dir / "IR_0003.QVX").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const Json j = Json::parse(r.out);
    const std::string comments = j["comments"];
    EXPECT_NE(comments.find("85 \xC2\xB0"
                            "C"),
              std::string::npos)
        << comments;
    EXPECT_EQ(j["voice"], "IR_0003.WAV");
    EXPECT_EQ(j["capture"]["year"], 1999);
    EXPECT_EQ(j["capture_date_text"], "31st December 1999");
    EXPECT_EQ(j["capture_time_text"], "23.22");
}

// Catches NaN readings (printed as null) from the cold sky of the winter facade,
// and the hidden-cursor flag of the night street scene.
TEST(CliSamples, InfoReadingsOfEverySampleAreFinite)
{
    const fs::path dir = samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no sample snapshots in " << CALIVUE_SAMPLES;
    for (int i = 1; i <= 8; ++i) {
        const std::string name = "IR_000" + std::to_string(i) + ".BMP";
        SCOPED_TRACE(name);
        const Json j = infoOf({"info", (dir / name).string(), "--probe", "2077,0.95"});
        for (const Json& m : j["markers"]) EXPECT_TRUE(m.is_number()) << m;
        EXPECT_TRUE(j["probes"][0].is_number());
        EXPECT_TRUE(j["stats"]["average_raw"].is_number());
        EXPECT_TRUE(j["area"]["average_raw"].is_number());
        EXPECT_EQ(j["version"], 3);
        EXPECT_EQ(j["reflected_raw"], 2932);
    }
    const Json facade = infoOf({"info", (dir / "IR_0005.BMP").string()});
    EXPECT_LT(facade["markers"][2].get<double>(), -60.0);  // cursor 3 in the sky
    EXPECT_EQ(facade["flags_a"], 0x08);
    EXPECT_EQ(infoOf({"info", (dir / "IR_0006.BMP").string()})["flags_b"], 3);
}
