// cTolla, the visual photograph file: metadata decoding and its substitutions,
// byte-exact round trips, rejection of foreign files, and safe saving.
#include "files.h"
#include "images.h"
#include "core/bytecursor.h"
#include "core/tolla.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::readAll;
using calivue::test::writeAll;

namespace {

// A full-size file whose non-metadata bytes follow a pattern (so any byte the
// writer disturbs shows up) and whose metadata fields all differ.
std::vector<std::uint8_t> makeFile()
{
    std::vector<std::uint8_t> b(kTollaSize);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 7 + 3);
    ByteWriter w(b);
    w.bytes(54, std::vector<std::uint8_t>{'Z', 'P', 'Q'});
    w.u8(57, 2);
    w.u8(58, 9);  // a version other than the 1.3 the writer puts back
    w.u8(59, 13);
    w.u8(60, 45);
    w.u8(61, 59);
    w.u8(62, 28);
    w.u8(63, 2);
    w.u16le(64, 2009);
    w.u8(66, 101);
    w.u16le(67, 0x1234);
    w.u16le(69, 0x0B42);
    w.u8(71, 51);
    w.i16le(72, -17);
    w.i16le(74, 33);
    w.u8(76, 0xA5);
    return b;
}

class TollaTest : public ::testing::Test {
protected:
    test::TempDir m_tmp{"calivue_tolla_"};
    const fs::path m_dir = m_tmp.path();
    fs::path file(const std::vector<std::uint8_t>& bytes, const std::string& name = "v.tol")
    {
        writeAll(m_dir / name, bytes);
        return m_dir / name;
    }
};

}  // namespace

TEST(Tolla, ResetValues)
{
    cTolla t;
    const TollaFields& f = t.fields;
    EXPECT_EQ(f.version[0], 1);
    EXPECT_EQ(f.version[1], 3);
    EXPECT_EQ(f.hour + f.minute + f.second, 0);
    EXPECT_EQ(f.day, 1);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.year, 2000);
    EXPECT_EQ(f.param66, 100);
    EXPECT_EQ(f.param67, 2932);
    EXPECT_EQ(f.param69, 2932);
    EXPECT_EQ(f.param71, 50);
    EXPECT_EQ(f.alignX, 0);
    EXPECT_EQ(f.alignY, 0);
    EXPECT_FALSE(t.isLoaded());
    EXPECT_TRUE(t.buffer().empty());
    EXPECT_TRUE(t.text().empty());
}

// Catches wrong offsets, widths or byte order in the metadata decoder.
TEST_F(TollaTest, LoadDecodesEveryMetadataField)
{
    const fs::path p = file(makeFile());
    cTolla t;
    const Error loaded = t.load(p);
    ASSERT_TRUE(t.isLoaded()) << describe(loaded);
    const TollaFields& f = t.fields;
    EXPECT_EQ(f.version[0], 2);
    EXPECT_EQ(f.version[1], 9);
    EXPECT_EQ(f.hour, 13);
    EXPECT_EQ(f.minute, 45);
    EXPECT_EQ(f.second, 59);
    EXPECT_EQ(f.day, 28);
    EXPECT_EQ(f.month, 2);
    EXPECT_EQ(f.year, 2009);
    EXPECT_EQ(f.param66, 101);
    EXPECT_EQ(f.param67, 0x1234);
    EXPECT_EQ(f.param69, 0x0B42);
    EXPECT_EQ(f.param71, 51);
    EXPECT_EQ(f.alignX, -17);
    EXPECT_EQ(f.alignY, 33);
    EXPECT_EQ(f.param76, 0xA5);
    EXPECT_EQ(t.filePath(), p);
    EXPECT_EQ(t.buffer().size(), kTollaSize);
    EXPECT_EQ(loaded, Error::None);
}

// The documented repairs of camera-written values, and that the repaired value
// is what gets saved.
TEST_F(TollaTest, ImpossibleValuesAreReplacedOnLoadAndSavedRepaired)
{
    auto b = makeFile();
    ByteWriter w(b);
    w.u16le(69, 0x7283);
    w.u8(62, 0);
    w.u8(63, 0);
    w.u16le(64, 0);
    cTolla t;
    ASSERT_EQ(t.loadFromBytes(b), Error::None);
    EXPECT_EQ(t.fields.param69, 2882);
    EXPECT_EQ(t.fields.day, 1);
    EXPECT_EQ(t.fields.month, 1);
    EXPECT_EQ(t.fields.year, 2000);
    auto out = t.encode();
    ByteReader r(out);
    EXPECT_EQ(r.u16le(69), 2882);
    EXPECT_EQ(r.u16le(64), 2000);
    EXPECT_EQ(r.u8(62), 1);
    EXPECT_EQ(r.u8(63), 1);

    // Year boundaries: 3000 is kept, anything above becomes 2000.
    for (auto [year, expected] :
         {std::pair<int, int>{3000, 3000}, {3001, 2000}, {65535, 2000}, {1, 1}}) {
        ByteWriter(b).u16le(64, static_cast<std::uint16_t>(year));
        ASSERT_EQ(t.loadFromBytes(b), Error::None);
        EXPECT_EQ(t.fields.year, expected) << year;
    }
}

// Catches a writer that disturbs bytes outside the metadata block, or writes
// fields anywhere but their offsets.
TEST_F(TollaTest, SaveRewritesOnlyTheMetadataBlock)
{
    const auto original = makeFile();
    cTolla t(file(original));
    ASSERT_TRUE(t.isLoaded());
    t.fields.alignX = 64;
    t.fields.hour = 7;
    const fs::path out = m_dir / "out.tol";
    ASSERT_EQ(t.save(out), Error::None);
    EXPECT_EQ(t.filePath(), out);
    const auto saved = readAll(out);
    ASSERT_EQ(saved.size(), kTollaSize);
    for (std::size_t i = 0; i < kTollaSize; ++i) {
        if (i >= 54 && i <= 76) continue;
        ASSERT_EQ(saved[i], original[i]) << "byte " << i;
    }
    auto expected = original;
    ByteWriter w(expected);
    w.u8(57, 1);  // the version is always written as 1.3
    w.u8(58, 3);
    w.u8(59, 7);
    w.i16le(72, 64);
    EXPECT_EQ(saved, expected);

    // And it reads back as saved.
    cTolla again(out);
    ASSERT_TRUE(again.isLoaded());
    EXPECT_EQ(again.fields.alignX, 64);
    EXPECT_EQ(again.fields.hour, 7);
}

// A file that reads but is rejected used to load "successfully"; the load now
// fails with the decoder's reason and keeps the path.
TEST_F(TollaTest, ForeignFilesAreOpenedButNotLoaded)
{
    auto wrongMagic = makeFile();
    wrongMagic[56] = 'R';
    auto zeroVersion = makeFile();
    zeroVersion[57] = zeroVersion[58] = 0;
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        Error expected;
    };
    for (const Case& c :
         {Case{"wrong magic", wrongMagic, Error::BadMagic},
          Case{"version 0.0", zeroVersion, Error::BadVersion}, Case{"empty", {}, Error::Empty},
          Case{"ends before the magic", std::vector<std::uint8_t>(55, 'Z'), Error::BadMagic}}) {
        cTolla t;
        const fs::path p = file(c.bytes);
        EXPECT_EQ(t.load(p), c.expected) << c.name;
        EXPECT_FALSE(t.isLoaded()) << c.name;
        EXPECT_TRUE(t.buffer().empty()) << c.name;
        EXPECT_EQ(t.filePath(), p) << c.name;
        EXPECT_EQ(t.fields, TollaFields{}) << c.name;
    }
}

// Either version byte alone marks a real file.
TEST(Tolla, OneNonZeroVersionByteIsEnough)
{
    for (auto [a, b] : {std::pair<std::uint8_t, std::uint8_t>{1, 0}, {0, 1}}) {
        auto bytes = makeFile();
        bytes[57] = a;
        bytes[58] = b;
        cTolla t;
        EXPECT_EQ(t.loadFromBytes(bytes), Error::None);
        EXPECT_TRUE(t.isLoaded());
    }
}

TEST_F(TollaTest, MissingFileFailsToLoad)
{
    cTolla t;
    EXPECT_EQ(t.load(m_dir / "missing.tol"), Error::NotFound);
    EXPECT_FALSE(t.isLoaded());
    EXPECT_NE(t.load(m_dir), Error::None);  // a folder is not a file
    EXPECT_NE(t.load(fs::path()), Error::None);
}

// A short file reads as zero-filled to full size; catches reads past the end
// of the short input and a short or unpadded save.
TEST_F(TollaTest, ShortFileIsZeroFilledToFullSize)
{
    auto full = makeFile();
    std::vector<std::uint8_t> shortFile(full.begin(), full.begin() + 77);
    cTolla t(file(shortFile));
    ASSERT_TRUE(t.isLoaded());
    EXPECT_EQ(t.fields.param76, 0xA5);
    auto out = t.encode();
    ASSERT_EQ(out.size(), kTollaSize);
    EXPECT_TRUE(std::equal(shortFile.begin(), shortFile.begin() + 54, out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 77, out.end(), [](auto v) { return v == 0; }));

    // A file that ends inside the block: the missing fields read as 0 and are repaired.
    std::vector<std::uint8_t> cut(full.begin(), full.begin() + 63);
    ASSERT_EQ(t.loadFromBytes(cut), Error::None);
    EXPECT_EQ(t.fields.day, 28);
    EXPECT_EQ(t.fields.month, 1);
    EXPECT_EQ(t.fields.year, 2000);
    EXPECT_EQ(t.fields.param67, 0);
}

TEST_F(TollaTest, LongerFileIsCutToTheFixedSize)
{
    auto b = makeFile();
    b.resize(kTollaSize + 1000, 0xEE);
    cTolla t(file(b));
    ASSERT_TRUE(t.isLoaded());
    EXPECT_EQ(t.encode().size(), kTollaSize);
}

// Saving without a loaded file used to create or truncate the target before
// failing; now nothing on disk is touched.
TEST_F(TollaTest, SaveWithoutLoadedFileLeavesTheTargetAlone)
{
    const auto precious = makeFile();
    const fs::path existing = file(precious, "keep.tol");
    cTolla t;
    EXPECT_EQ(t.save(existing), Error::NotLoaded);
    EXPECT_EQ(readAll(existing), precious);

    EXPECT_NE(t.save(m_dir / "new.tol"), Error::None);
    EXPECT_FALSE(fs::exists(m_dir / "new.tol"));

    // A file that failed to load counts as not loaded.
    auto foreign = precious;
    foreign[54] = 'X';
    cTolla rejected(file(foreign, "foreign.tol"));
    EXPECT_NE(rejected.save(existing), Error::None);
    EXPECT_EQ(readAll(existing), precious);
}

// A failed write must not destroy the previous file or leave temporaries.
TEST_F(TollaTest, FailedSaveKeepsNothingHalfWritten)
{
    cTolla t(file(makeFile()));
    ASSERT_TRUE(t.isLoaded());
    const fs::path bad = m_dir / "no-such-folder" / "x.tol";
    EXPECT_EQ(t.save(bad), Error::WriteFailed);
    EXPECT_FALSE(fs::exists(bad));
    EXPECT_NE(t.filePath(), bad);

    // Saving onto itself replaces the file in one step and leaves no temporary.
    const fs::path p = t.filePath();
    t.fields.alignY = -5;
    ASSERT_EQ(t.save(p), Error::None);
    int entries = 0;
    for (const auto& e : fs::directory_iterator(m_dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(cTolla(p).fields.alignY, -5);
}

// The alignment buttons' load, nudge, save cycle through serialize.
TEST_F(TollaTest, SerializeStoresOnlyWhenLoaded)
{
    cTolla empty;
    CArchive store(CArchive::Mode::Store, m_dir / "s.tol");
    EXPECT_NE(empty.serialize(store), Error::None);

    const fs::path p = file(makeFile());
    cTolla t;
    CArchive load(CArchive::Mode::Load, p);
    ASSERT_EQ(t.serialize(load), Error::None);
    ASSERT_TRUE(t.isLoaded());
    ASSERT_TRUE(t.nudgeAlignment(true, +1));
    CArchive store2(CArchive::Mode::Store, p);
    ASSERT_EQ(t.serialize(store2), Error::None);
    ASSERT_EQ(store2.commit(), Error::None);
    EXPECT_EQ(cTolla(p).fields.alignX, -16);
}

// The limits keep offsets within -64..+64; catches an off-by-one at either end.
TEST(Tolla, NudgeAlignmentLimits)
{
    cTolla t;
    struct Case {
        std::int16_t start;
        int dir;
        bool changed;
        std::int16_t end;
    };
    for (Case c :
         {Case{64, +1, false, 64}, Case{63, +1, true, 64}, Case{-64, -1, false, -64},
          Case{-63, -1, true, -64}, Case{0, +2, false, 0}, Case{0, 0, false, 0},
          Case{1000, +1, false, 1000}, Case{1000, -1, true, 999}, Case{-1000, -1, false, -1000}}) {
        for (bool horizontal : {true, false}) {
            std::int16_t& v = horizontal ? t.fields.alignX : t.fields.alignY;
            v = c.start;
            EXPECT_EQ(t.nudgeAlignment(horizontal, c.dir), c.changed) << c.start << " " << c.dir;
            EXPECT_EQ(v, c.end);
        }
    }
}

// Every hand-made or fuzzer-found hostile photograph file must be rejected
// without a crash.
TEST(TollaCrashers, AllAreRejected)
{
    const fs::path dir = fs::path(CALIVUE_TEST_DATA) / "crashers";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("tolla_", 0) != 0) continue;
        ++count;
        cTolla t;
        const Error loaded = t.load(entry.path());
        EXPECT_FALSE(t.isLoaded()) << name;
        EXPECT_NE(loaded, Error::None) << name;
    }
    EXPECT_GT(count, 0) << "no tolla_ crashers found in " << dir;
}
