// The snapshot generator: fixtures for every other test, so its output must be
// reproducible, decodable and laid out as a camera writes it.
#include "files.h"
#include "generator.h"
#include "survey.h"

#include "core/bitmapfile.h"
#include "core/brixa.h"
#include "core/constants.h"
#include "core/fileio.h"
#include "core/record.h"
#include "core/reportproject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace calivue;
using namespace calivue::gen;

namespace {

constexpr int kSeriesLength = 12;

using test::readAll;
using test::TempDir;

std::string textOf(std::span<const std::uint8_t> field)
{
    std::string s;
    for (std::uint8_t b : field) {
        if (b == 0) break;
        s.push_back(static_cast<char>(b));
    }
    return s;
}

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t off)
{
    return b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) |
           (static_cast<std::uint32_t>(b[off + 3]) << 24);
}

// The pixels of a written bitmap, bottom row first, 640 × 3 bytes per row.
std::vector<std::uint8_t> bitmapPixels(const std::vector<std::uint8_t>& file)
{
    const std::uint32_t offset = u32At(file, 10);
    return {file.begin() + offset, file.end()};
}

// What the program itself renders of a record at zoom 1 in the captured frame.
std::vector<std::uint8_t> programRender(const std::vector<std::uint8_t>& record)
{
    cBrixa img;
    EXPECT_EQ(img.loadFromBytes(record, {}), Error::None);
    int lo = img.fields.spanLow, hi = img.fields.spanHigh;
    if (hi <= lo) lo = img.fields.fallbackLow, hi = img.fields.fallbackHigh;
    auto pic = img.renderUnoriented(kWidth, kHeight, 1, lo, hi, 0);
    return pic ? *pic : std::vector<std::uint8_t>{};
}

}  // namespace

// Catches anything taken from the clock or an unseeded random source.
TEST(Generator, SameSeedGivesByteIdenticalFiles)
{
    TempDir a, b;
    for (const fs::path& dir : {a.path(), b.path()}) {
        ASSERT_TRUE(writeSnapshot(dir, "DEMO", demoPlan(7)));
        for (int i = 0; i < 4; ++i) {
            SnapshotPlan s = variedPlan(7, i);
            s.voice = true;
            ASSERT_TRUE(writeSnapshot(dir, "IMG_000" + std::to_string(i + 1), s));
        }
    }
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(a.path())) {
        const fs::path other = b.path() / entry.path().filename();
        ASSERT_TRUE(fs::exists(other)) << other;
        EXPECT_EQ(readAll(entry.path()), readAll(other)) << entry.path().filename();
        ++compared;
    }
    EXPECT_EQ(compared, 15);  // 5 × (BMP, QVX, WAV)
}

// Catches a seed that is accepted but ignored.
TEST(Generator, DifferentSeedsGiveDifferentScenes)
{
    EXPECT_NE(encodeSnapshot(demoPlan(1)), encodeSnapshot(demoPlan(2)));
    EXPECT_NE(encodeSnapshot(variedPlan(1, 3)), encodeSnapshot(variedPlan(2, 3)));
}

// Catches fields lost or misplaced between the plan and the encoder.
TEST(Generator, DemoRecordDecodesWithTheFieldsSet)
{
    TempDir dir;
    const SnapshotPlan plan = demoPlan(1);
    auto files = writeSnapshot(dir.path(), "DEMO", plan);
    ASSERT_TRUE(files);
    const auto bytes = readAll(files->qvx);
    ASSERT_EQ(bytes.size(), kRecordSize);

    cBrixa img;
    ASSERT_EQ(decodeRecord(bytes, img), Error::None);
    const RecordFields& f = img.fields;
    EXPECT_EQ(f.version[0], 3);
    EXPECT_EQ(f.scaleCode, 0);
    EXPECT_EQ(f.palette, 1);
    EXPECT_EQ(f.unit, 0);
    EXPECT_EQ(f.emissivity[10], 95);
    EXPECT_EQ(f.reflected, 2932);  // 20.0 °C at 10 counts per kelvin
    EXPECT_EQ(f.orientation, 0);
    EXPECT_EQ(f.blend, 0);
    EXPECT_EQ(f.flagsA, 0x03);
    EXPECT_EQ(f.flagsB, 0x01);
    EXPECT_EQ(f.cursorCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.cursorX[i], plan.cursors[i].x);
        EXPECT_EQ(f.cursorY[i], plan.cursors[i].y);
    }
    EXPECT_EQ(textOf(f.textB), "DEMO.WAV");
    EXPECT_EQ(textOf(f.textC), plan.caption);
    EXPECT_EQ(textOf(f.comments), plan.comment);
    EXPECT_EQ(f.capture.year, plan.capture.year);
    EXPECT_EQ(f.capture.month, plan.capture.month);
    EXPECT_EQ(f.capture.day, plan.capture.day);
    EXPECT_EQ(f.capture.second, plan.capture.second);
    // The modified stamp is the fixed one, not the clock.
    EXPECT_EQ(f.modified.year, plan.capture.year);
    EXPECT_EQ(f.modified.hour, plan.capture.hour);

    // Fallback span = min..max of the real pixels; visible span strictly inside.
    const std::vector<std::uint16_t> counts = sceneCounts(plan);
    std::uint16_t lo = 65535, hi = 0;
    for (std::uint16_t c : counts)
        if (c != 0) lo = std::min(lo, c), hi = std::max(hi, c);
    EXPECT_EQ(f.fallbackLow, lo);
    EXPECT_EQ(f.fallbackHigh, hi);
    EXPECT_GT(f.spanLow, lo);
    EXPECT_LT(f.spanHigh, hi);
    EXPECT_LT(f.spanLow, f.spanHigh);
}

// Catches cursors placed upside down (y counted from the wrong end) or on the
// wrong objects: the bearing must read hotter than the housing, the housing
// hotter than the chilled-water pipe.
TEST(Generator, DemoCursorsSitOnTheirObjects)
{
    cBrixa img;
    ASSERT_EQ(img.loadFromBytes(encodeSnapshot(demoPlan(1)), {}), Error::None);
    ASSERT_NE(img.hasImage(), nullptr);
    const float bearing = img.markerTemperature(0);
    const float housing = img.markerTemperature(1);
    const float pipe = img.markerTemperature(2);
    EXPECT_GT(bearing, housing + 10.0f);
    EXPECT_GT(housing, pipe + 20.0f);
    EXPECT_NEAR(pipe, 7.5f, 3.0f);
}

// Catches series entries whose record does not carry what the series promises.
TEST(Generator, VariedRecordsDecodeWithTheirFields)
{
    for (int i = 0; i < kSeriesLength; ++i) {
        SCOPED_TRACE(i);
        const SnapshotPlan plan = variedPlan(3, i);
        cBrixa img;
        ASSERT_EQ(decodeRecord(encodeSnapshot(plan), img), Error::None);
        const RecordFields& f = img.fields;
        EXPECT_EQ(f.scaleCode, plan.scaleCode);
        EXPECT_FLOAT_EQ(img.scale(), scaleForCode(plan.scaleCode));
        EXPECT_EQ(f.unit, plan.unit);
        EXPECT_EQ(f.emissivity[10], plan.emissivity);
        EXPECT_EQ(f.palette, plan.palette);
        EXPECT_EQ(f.blend, plan.blend);
        EXPECT_EQ(f.orientation, plan.orientation);
        EXPECT_EQ(f.alignX, plan.alignX);
        EXPECT_EQ(f.alignY, plan.alignY);
        EXPECT_EQ(f.savedAlignX, plan.alignX);
        EXPECT_EQ(f.flagsA, plan.flagsA);
        EXPECT_EQ(f.flagsB, plan.flagsB);
        EXPECT_EQ(f.flag394, plan.flag394 ? 1 : 0);
        EXPECT_EQ(f.capture.year, plan.capture.year);
        EXPECT_EQ(f.capture.month, plan.capture.month);
        EXPECT_EQ(f.capture.day, plan.capture.day);
        EXPECT_EQ(textOf(f.comments), plan.comment);
        const std::size_t cursors = std::min<std::size_t>(plan.cursors.size(), kMaxCursors);
        ASSERT_EQ(f.cursorCount, cursors);
        for (std::size_t c = 0; c < cursors; ++c) {
            EXPECT_EQ(f.cursorX[c], plan.cursors[c].x);
            EXPECT_EQ(f.cursorY[c], plan.cursors[c].y);
            const int e = plan.cursors[c].emissivity ? plan.cursors[c].emissivity : plan.emissivity;
            EXPECT_EQ(f.emissivity[c], e);
        }
        if (plan.visibleSpan) {
            EXPECT_LT(f.spanLow, f.spanHigh);
        } else {
            EXPECT_EQ(f.spanLow, 0);
            EXPECT_EQ(f.spanHigh, 0);
        }
        EXPECT_LT(f.fallbackLow, f.fallbackHigh);
        if (plan.explicitIsotherms) {
            EXPECT_LE(f.blueLower, f.blueUpper);
            EXPECT_LT(f.blueUpper, f.redLower);
            EXPECT_LE(f.redLower, f.redUpper);
        } else {
            EXPECT_EQ(f.blueLower | f.blueUpper | f.redLower | f.redUpper, 0);
        }
    }
}

// Catches a series that stops exercising the awkward values the program must handle.
TEST(Generator, VariedSeriesCoversTheVariations)
{
    std::set<int> scales, blends, orientations, units, emissivities, palettes, cursorCounts;
    bool year1999 = false, degreeSign = false, offsets = false, noVisibleSpan = false,
         explicitBands = false, ownEmissivity = false, cursorsHidden = false;
    for (int i = 0; i < kSeriesLength; ++i) {
        const SnapshotPlan s = variedPlan(1, i);
        scales.insert(s.scaleCode);
        blends.insert(s.blend);
        orientations.insert(s.orientation);
        units.insert(s.unit);
        emissivities.insert(s.emissivity);
        palettes.insert(s.palette);
        cursorCounts.insert(static_cast<int>(s.cursors.size()));
        year1999 |= s.capture.year == 1999;
        degreeSign |= s.comment.find('\xB0') != std::string::npos;
        offsets |= s.alignX != 0 || s.alignY != 0;
        noVisibleSpan |= !s.visibleSpan;
        explicitBands |= s.explicitIsotherms;
        cursorsHidden |= (s.flagsB & 0x02) != 0;
        for (const CursorPlan& c : s.cursors) ownEmissivity |= c.emissivity != 0;
    }
    for (int code : {0, 1, 2, 3, 7}) EXPECT_TRUE(scales.count(code)) << "scale code " << code;
    for (int mode : {0, 25, 50, 75, 100, 101, 102, 103, 104, 160, 210})
        EXPECT_TRUE(blends.count(mode)) << "blend " << mode;
    EXPECT_EQ(orientations, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(units, (std::set<int>{0, 1, 2}));
    for (int e : {95, 90, 100}) EXPECT_TRUE(emissivities.count(e)) << "emissivity " << e;
    EXPECT_GE(palettes.size(), 8u);
    EXPECT_TRUE(cursorCounts.count(0));
    EXPECT_TRUE(cursorCounts.count(10));
    EXPECT_TRUE(year1999);
    EXPECT_TRUE(degreeSign);
    EXPECT_TRUE(offsets);
    EXPECT_TRUE(noVisibleSpan);
    EXPECT_TRUE(explicitBands);
    EXPECT_TRUE(ownEmissivity);
    EXPECT_TRUE(cursorsHidden);
}

// Catches a bitmap of the wrong size or layout, and a left half that is not
// what the program renders (wrong span, orientation applied, rows reversed).
TEST(Generator, BitmapIsTheCameraPictureWithTheProgramsRender)
{
    TempDir dir;
    // Demo; an orientation-3 record; a record with no visible span (fallback).
    std::vector<std::pair<std::string, SnapshotPlan>> cases = {
        {"DEMO", demoPlan(1)}, {"IMG_0004", variedPlan(1, 3)}, {"IMG_0006", variedPlan(1, 5)}};
    ASSERT_EQ(cases[1].second.orientation, 3);
    ASSERT_FALSE(cases[2].second.visibleSpan);
    for (const auto& [name, plan] : cases) {
        SCOPED_TRACE(name);
        auto files = writeSnapshot(dir.path(), name, plan);
        ASSERT_TRUE(files);
        const auto file = readAll(files->bmp);
        ASSERT_EQ(file.size(), 460854u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(u32At(file, 10), 54u);
        EXPECT_EQ(u32At(file, 18), 640u);
        EXPECT_EQ(u32At(file, 22), 240u);
        EXPECT_EQ(file[28], 24);

        const auto pixels = bitmapPixels(file);
        const auto expected = programRender(readAll(files->qvx));
        ASSERT_EQ(expected.size(), static_cast<std::size_t>(kPixels) * 3);
        const std::size_t half = kWidth * 3;
        for (int row = 0; row < kHeight; ++row) {
            ASSERT_EQ(std::memcmp(&pixels[row * 2 * half], &expected[row * half], half), 0)
                << "thermal row " << row;
        }
        // The photograph half is a picture, not a blank.
        std::set<std::uint8_t> values;
        for (int row = 0; row < kHeight; row += 7)
            for (std::size_t k = half; k < 2 * half; k += 5)
                values.insert(pixels[row * 2 * half + k]);
        EXPECT_GT(values.size(), 40u);
    }
}

// Catches dropouts that never reach the file, and decoder-visible positions
// that disagree with the encoder's row order.
TEST(Generator, ZeroPixelsArePresentInTheRecord)
{
    for (const SnapshotPlan& plan : {demoPlan(1), variedPlan(1, 2), variedPlan(1, 3)}) {
        const auto bytes = encodeSnapshot(plan);
        ASSERT_EQ(bytes.size(), kRecordSize);
        std::vector<int> zeros;  // record order: top row first
        for (int i = 0; i < kPixels; ++i)
            if (bytes[kHeaderSize + 2 * i] == 0 && bytes[kHeaderSize + 2 * i + 1] == 0)
                zeros.push_back(i);
        ASSERT_EQ(static_cast<int>(zeros.size()), plan.zeroPixels);

        cBrixa img;
        ASSERT_EQ(decodeRecord(bytes, img), Error::None);
        const auto replacement =
            static_cast<std::uint16_t>(static_cast<int>(scaleForCode(plan.scaleCode) * 294.5f));
        for (int i : zeros) {
            const int x = i % kWidth, y = i / kWidth;
            EXPECT_EQ(img.rawPixels()[(kHeight - 1 - y) * kWidth + x], replacement);
        }
    }
}

// Catches a malformed voice note or a text B that does not name it.
TEST(Generator, VoiceNoteIsOneSecondOfPcmNamedInTextB)
{
    TempDir dir;
    SnapshotPlan plan = variedPlan(1, 0);
    plan.voice = true;
    auto files = writeSnapshot(dir.path(), "IMG_0001", plan);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->wav.filename(), "IMG_0001.WAV");
    const auto wav = readAll(files->wav);
    ASSERT_EQ(wav.size(), 44u + 22050u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(u32At(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(wav[20] | (wav[21] << 8), 1);  // PCM
    EXPECT_EQ(wav[22] | (wav[23] << 8), 1);  // mono
    EXPECT_EQ(u32At(wav, 24), 11025u);
    EXPECT_EQ(wav[34] | (wav[35] << 8), 16);  // bits
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(u32At(wav, 40), 22050u);
    int peak = 0;
    for (std::size_t i = 44; i + 1 < wav.size(); i += 2)
        peak = std::max(
            peak,
            std::abs(static_cast<int>(static_cast<std::int16_t>(wav[i] | (wav[i + 1] << 8)))));
    EXPECT_GT(peak, 5000);

    cBrixa img;
    ASSERT_EQ(decodeRecord(readAll(files->qvx), img), Error::None);
    EXPECT_EQ(textOf(img.fields.textB), "IMG_0001.WAV");

    // Without a voice note there is no file and text B stays empty.
    plan.voice = false;
    auto silent = writeSnapshot(dir.path(), "IMG_0002", plan);
    ASSERT_TRUE(silent);
    EXPECT_TRUE(silent->wav.empty());
    EXPECT_FALSE(fs::exists(dir.path() / "IMG_0002.WAV"));
    ASSERT_EQ(decodeRecord(readAll(silent->qvx), img), Error::None);
    EXPECT_EQ(textOf(img.fields.textB), "");
}

// Catches a photograph stored without, or against, the alignment mapping: a
// bright square must move by 3·xoff columns left and yoff rows (bottom-up) down.
TEST(Generator, PhotographIsDisplacedByTheAlignmentOffsets)
{
    SnapshotPlan plan;
    plan.scene.topColour = plan.scene.bottomColour = {10, 10, 10};
    Shape square;
    square.kind = Shape::Kind::Box;
    square.x0 = 150, square.y0 = 110, square.x1 = 170, square.y1 = 130;
    square.colour = {250, 250, 250};
    square.tempC = square.tempC2 = 60;
    plan.scene.shapes.push_back(square);

    auto centroid = [&](std::int16_t ax, std::int16_t ay) {
        plan.alignX = ax, plan.alignY = ay;
        const auto pic = snapshotPicture(plan, encodeSnapshot(plan));
        EXPECT_FALSE(pic.empty());
        double sx = 0, sy = 0, n = 0;
        for (int row = 0; row < kHeight; ++row)
            for (int col = 0; col < kWidth; ++col)
                if (pic[(static_cast<std::size_t>(row) * 2 * kWidth + kWidth + col) * 3] > 128)
                    sx += col, sy += row, ++n;
        EXPECT_GT(n, 300);
        return std::pair{sx / n, sy / n};
    };
    const auto [x0, row0] = centroid(0, 0);
    const auto [x1, row1] = centroid(3, -2);
    EXPECT_NEAR(x1 - x0, -9.0, 0.01);
    EXPECT_NEAR(row1 - row0, 2.0, 0.01);
}

// Catches names that would escape the folder or overflow text B.
TEST(Generator, UnsafeNamesAreRefused)
{
    TempDir dir;
    const std::vector<std::string> bad = {"", "a/b", "..", "x y", std::string(29, 'A'), "\xE9"};
    for (const std::string& name : bad)
        EXPECT_EQ(writeSnapshot(dir.path(), name, demoPlan(1)).error(), Error::BadArgument) << name;
    EXPECT_TRUE(writeSnapshot(dir.path(), std::string(28, 'A'), demoPlan(1)));
    EXPECT_TRUE(fs::exists(dir.path() / (std::string(28, 'A') + ".QVX")));
}

// Catches a survey project that points at files it did not write, rows and records that
// differ in count, or a walk whose snapshots all look alike (the demo's report shows the
// palettes, cursors and texts a real survey has).
TEST(Generator, SurveyProjectListsItsSnapshotsWithTheirDetails)
{
    TempDir dir;
    std::vector<WrittenFiles> written;
    std::vector<SnapshotPlan> plans;
    for (int i = 0; i < kSurveySnapshots; ++i) {
        plans.push_back(surveyPlan(7, i));
        auto files = writeSnapshot(dir.path(), "S_000" + std::to_string(i + 1), plans.back());
        ASSERT_TRUE(files) << i;
        written.push_back(*files);
    }
    ASSERT_EQ(writeReportProjectFile(dir.path() / "S.vrp", surveyProject(written, plans)),
              Error::None);
    auto project = readReportProjectFile(dir.path() / "S.vrp");
    ASSERT_TRUE(project);
    ASSERT_EQ(project->entries.size(), std::size_t{kSurveySnapshots});
    ASSERT_TRUE(project->countsAgree());

    std::set<int> palettes;
    for (std::size_t i = 0; i < project->entries.size(); ++i) {
        const cInspectionImage& e = project->entries[i];
        EXPECT_EQ(fs::path(e.bitmapPath), fs::absolute(written[i].bmp)) << i;
        cBrixa img;
        ASSERT_EQ(img.loadFromBytes(readAll(fs::path(e.snapshotPath)), {}), Error::None) << i;
        palettes.insert(img.fields.palette);
        const cInspectionRecord& r = project->records[i];
        EXPECT_FALSE(r.name.empty() || r.location.empty() || r.comment.empty()) << i;
        EXPECT_EQ(r.firstMeasurement, -1) << "left to the report's default rule";
        EXPECT_FALSE(plans[i].cursors.empty()) << i;
    }
    EXPECT_GE(palettes.size(), 4u);
    EXPECT_TRUE(project->captions.has_value());
    EXPECT_EQ(encodeReportProject(*project), encodeReportProject(surveyProject(written, plans)));
}
