// Snapshot record decoding, encoding and default isotherm bands.
#include "files.h"
#include "images.h"

#include "core/bytecursor.h"
#include "core/fileio.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

using namespace calivue;
using calivue::test::makeImage;
using calivue::test::makeUniform;

namespace {

std::vector<std::uint8_t> minimalRecord()
{
    std::vector<std::uint8_t> r(kRecordSize, 0);
    r[4] = 'Q';
    r[5] = 'V';
    r[6] = 'X';
    r[7] = 3;
    for (std::size_t i = kHeaderSize; i < kRecordSize; i += 2) {
        r[i] = 0x0B;  // 0x0B74 = 2932
        r[i + 1] = 0x74;
    }
    return r;
}

}  // namespace

// Catches a decoder that accepts any signature or a zero version.
TEST(RecordDecode, RejectsWrongMagicAndZeroVersion)
{
    auto r = minimalRecord();
    cBrixa img;
    EXPECT_EQ(decodeRecord(r, img), Error::None);

    r[6] = 'W';
    cBrixa a;
    EXPECT_EQ(decodeRecord(r, a), Error::BadMagic);

    r = minimalRecord();
    r[7] = 0;
    r[8] = 0;
    cBrixa b;
    EXPECT_EQ(decodeRecord(r, b), Error::BadVersion);

    r[7] = 1;  // version 1,0 and 0,1 are both real versions
    cBrixa c;
    EXPECT_EQ(decodeRecord(r, c), Error::None);
    r[7] = 0;
    r[8] = 1;
    cBrixa d;
    EXPECT_EQ(decodeRecord(r, d), Error::None);

    cBrixa e;
    EXPECT_EQ(decodeRecord({}, e), Error::Empty);
}

// Catches missing substitutions for zero dates, 0xFFFF band bounds and the boolean byte.
TEST(RecordDecode, AppliesReadingSubstitutions)
{
    auto r = minimalRecord();
    r[89] = 0xFF;
    r[90] = 0xFF;
    r[93] = 0xFF;
    r[94] = 0xFF;
    r[394] = 7;
    cBrixa img;
    ASSERT_EQ(decodeRecord(r, img), Error::None);
    EXPECT_EQ(img.fields.capture.day, 1);
    EXPECT_EQ(img.fields.capture.month, 1);
    EXPECT_EQ(img.fields.capture.year, 2000);
    EXPECT_EQ(img.fields.modified.year, 2000);
    EXPECT_EQ(img.fields.blueUpper, 0);
    EXPECT_EQ(img.fields.redUpper, 0);
    EXPECT_EQ(img.fields.flag394, 1);
}

// Catches a wrong scale-code table (odd codes must fall back to 50 counts per kelvin).
TEST(RecordDecode, ScaleCodes)
{
    const std::pair<int, float> cases[] = {{0, 10},  {10, 10}, {1, 50},    {50, 50}, {2, 25},
                                           {25, 25}, {3, 100}, {100, 100}, {7, 50},  {255, 50}};
    for (auto [code, scale] : cases) {
        auto r = minimalRecord();
        r[55] = static_cast<std::uint8_t>(code);
        cBrixa img;
        ASSERT_EQ(img.loadFromBytes(r, "x.qvx"), Error::None);
        EXPECT_EQ(img.scale(), scale) << "code " << code;
    }
}

// Catches a missing zero-pixel substitution or one that is not written back.
TEST(RecordDecode, ZeroPixelBecomesScaleTimes294Point5AndIsSavedSo)
{
    auto r = minimalRecord();
    r[kHeaderSize] = 0;
    r[kHeaderSize + 1] = 0;  // top-left pixel
    cBrixa img;
    ASSERT_EQ(img.loadFromBytes(r, "x.qvx"), Error::None);
    // Top row of the picture is array row 239.
    EXPECT_EQ(img.rawPixels()[239 * kWidth + 0], 2945);
    auto out = encodeRecord(img);
    EXPECT_EQ(out[kHeaderSize], 0x0B);
    EXPECT_EQ(out[kHeaderSize + 1], 0x81);  // 2945
}

// Catches a vertical flip in the wrong direction or a left-right mirror.
TEST(RecordDecode, TopRowOfRecordIsLastArrayRow)
{
    auto r = minimalRecord();
    auto put = [&](int recRow, int x, int v) {
        std::size_t o = kHeaderSize + (static_cast<std::size_t>(recRow) * kWidth + x) * 2;
        r[o] = static_cast<std::uint8_t>(v >> 8);
        r[o + 1] = static_cast<std::uint8_t>(v);
    };
    put(0, 5, 3000);
    put(239, 7, 3100);
    cBrixa img;
    ASSERT_EQ(img.loadFromBytes(r, "x.qvx"), Error::None);
    EXPECT_EQ(img.rawPixels()[239 * kWidth + 5], 3000);
    EXPECT_EQ(img.rawPixels()[0 * kWidth + 7], 3100);
}

// Catches any header byte lost or altered by a load and save, including text
// bytes after a terminator and the carried camera parameters.
TEST(RecordRoundTrip, EveryByteSurvivesExceptTheDocumentedOnes)
{
    std::vector<std::uint8_t> r(kRecordSize);
    std::uint32_t s = 12345;
    for (auto& b : r) {
        s = s * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(s >> 16);
    }
    r[4] = 'Q';
    r[5] = 'V';
    r[6] = 'X';
    r[89] = 0x12;  // keep the upper bounds away from 0xFFFF
    r[93] = 0x34;
    r[394] = 1;
    for (std::size_t i = kHeaderSize; i < kRecordSize; i += 2)
        if (r[i] == 0 && r[i + 1] == 0) r[i + 1] = 1;
    // Days, months and years of zero are substituted on reading; avoid them here.
    r[12] = r[12] ? r[12] : 1;
    r[13] = r[13] ? r[13] : 1;
    if (r[14] == 0 && r[15] == 0) r[14] = 1;

    cBrixa img;
    ASSERT_EQ(img.loadFromBytes(r, "x.qvx"), Error::None);
    LocalStamp stamp{true, 10, 11, 12, 13, 4, 2024};
    auto out = encodeRecord(img, stamp);
    ASSERT_EQ(out.size(), kRecordSize);
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (i <= 3 || i == 7 || i == 8 || (i >= 16 && i <= 22)) continue;
        ASSERT_EQ(out[i], r[i]) << "byte " << i;
    }
    EXPECT_EQ(ByteReader(out).u32le(0), 154133u);
    EXPECT_EQ(out[7], 3);
    EXPECT_EQ(out[8], 0);
    EXPECT_EQ(out[16], 10);
    EXPECT_EQ(out[19], 13);
    EXPECT_EQ(out[20], 4);
    EXPECT_EQ(ByteReader(out).u16le(21), 2024);
    EXPECT_EQ(img.fields.modified.hour, 10);
}

// Catches a stamp written when the local time is unavailable.
TEST(RecordEncode, UnavailableLocalTimeWritesMarkers)
{
    auto img = makeUniform(2932);
    LocalStamp bad;
    bad.valid = false;
    auto out = encodeRecord(*img, bad);
    EXPECT_EQ(out[16], 255);
    EXPECT_EQ(out[17], 255);
    EXPECT_EQ(out[18], 255);
    EXPECT_EQ(out[19], 0);
    EXPECT_EQ(out[20], 0);
    EXPECT_EQ(ByteReader(out).u16le(21), 0);
}

// Catches a narrow-range widening that is not centred or not 50 counts wide.
TEST(DefaultIsotherms, UniformImageWidensToFiftyCounts)
{
    auto img = makeUniform(3000);
    ASSERT_TRUE(img);
    // lo = 2975, hi = 3025, R = 50: bands [2985, 2987] and [3010, 3012].
    EXPECT_EQ(img->fields.blueLower, 2985);
    EXPECT_EQ(img->fields.blueUpper, 2987);
    EXPECT_EQ(img->fields.redLower, 3010);
    EXPECT_EQ(img->fields.redUpper, 3012);
}

// Catches bands computed over the wrong range or recomputed when a record has its own.
TEST(DefaultIsotherms, WideRangeAndStoredBands)
{
    auto img = makeImage([](int x, int) { return 2000 + x * 10; });  // 2000..5190
    ASSERT_TRUE(img);
    const double R = 3190;
    EXPECT_EQ(img->fields.blueLower, 2000 + static_cast<int>(0.20 * R));
    EXPECT_EQ(img->fields.blueUpper, 2000 + static_cast<int>(0.25 * R));
    EXPECT_EQ(img->fields.redLower, 2000 + static_cast<int>(0.70 * R));
    EXPECT_EQ(img->fields.redUpper, 2000 + static_cast<int>(0.75 * R));

    auto kept = makeUniform(3000, [](RecordFields& f) { f.redUpper = 3100; });
    EXPECT_EQ(kept->fields.blueLower, 0);
    EXPECT_EQ(kept->fields.redUpper, 3100);
}

// Catches a loader that reports success for a file that is not a snapshot.
TEST(BrixaLoad, FailedLoadsLeaveTheObjectReset)
{
    cBrixa img;
    EXPECT_EQ(img.loadFromPath("/nonexistent/dir/x.qvx"), Error::NotFound);
    EXPECT_EQ(img.hasImage(), nullptr);

    auto garbage = std::vector<std::uint8_t>(1000, 0x41);
    EXPECT_EQ(img.loadFromBytes(garbage, "g.qvx"), Error::BadMagic);

    // A file that reads but holds no record used to load "successfully".
    const auto dir = std::filesystem::temp_directory_path() / "calivue_brixa_load_test";
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes, want] :
         {std::tuple{"garbage.qvx", garbage, Error::BadMagic},
          std::tuple{"empty.qvx", std::vector<std::uint8_t>{}, Error::Empty}}) {
        const auto p = dir / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(img.loadFromPath(p), want) << name;
        EXPECT_EQ(img.hasImage(), nullptr) << name;
        EXPECT_FALSE(img.isLoaded()) << name;
    }
    std::filesystem::remove_all(dir);

    EXPECT_EQ(img.hasImage(), nullptr);
    EXPECT_EQ(img.fields.version[0], 2);  // reset value

    // A truncated record decodes with zeros, which become scale × 294.5.
    auto r = minimalRecord();
    r.resize(kHeaderSize + 100);
    EXPECT_EQ(img.loadFromBytes(r, "t.qvx"), Error::None);
    EXPECT_EQ(img.rawPixels()[0], 2945);
}

// Catches a store of an unloaded image or one that is not atomic.
TEST(BrixaSerialize, StoringNeedsALoadedImage)
{
    cBrixa empty;
    const test::TempDir tmp("calivue_serialize_");
    const std::filesystem::path& dir = tmp.path();
    CArchive ar(CArchive::Mode::Store, dir / "a.qvx");
    EXPECT_NE(empty.serialize(ar), Error::None);

    auto img = makeUniform(2932);
    CArchive ar2(CArchive::Mode::Store, dir / "b.qvx");
    ASSERT_EQ(img->serialize(ar2), Error::None);
    ASSERT_EQ(ar2.commit(), Error::None);
    CArchive in(CArchive::Mode::Load, dir / "b.qvx");
    cBrixa back;
    ASSERT_EQ(back.serialize(in), Error::None);
    EXPECT_NE(back.hasImage(), nullptr);
    EXPECT_EQ(back.filePath(), dir / "b.qvx");
}
