// cBitmapFile and the 24-bit .bmp writer: reading real and hostile files, cutting,
// building and shrinking pictures.
#include "files.h"
#include "images.h"
#include "core/bitmapfile.h"
#include "core/bytecursor.h"
#include "core/fileio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::readAll;
using calivue::test::writeAll;

namespace {

// A packed picture whose every byte tells its own position, so a byte taken
// from the wrong row, column or channel shows up.
std::vector<std::uint8_t> patterned(int w, int h)
{
    std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                px[(static_cast<std::size_t>(y) * w + x) * 3 + c] =
                    static_cast<std::uint8_t>(y * 37 + x * 5 + c + 1);
    return px;
}

void putU16(std::vector<std::uint8_t>& b, std::size_t off, std::uint16_t v)
{
    ByteWriter(b).u16le(off, v);
}
void putU32(std::vector<std::uint8_t>& b, std::size_t off, std::uint32_t v)
{
    ByteWriter(b).u32le(off, v);
}

class BitmapFileTest : public ::testing::Test {
protected:
    test::TempDir m_tmp{"calivue_bmp_"};
    const fs::path m_dir = m_tmp.path();
};

// An object that failed to load must hold nothing a caller could paint or cut.
void expectEmpty(const cBitmapFile& bmp)
{
    EXPECT_FALSE(bmp.IsValid());
    EXPECT_EQ(bmp.infoHeader(), nullptr);
    EXPECT_TRUE(bmp.pixels().empty());
    EXPECT_EQ(bmp.colourTableSize(), 0);
    EXPECT_EQ(bmp.width(), 0);
    EXPECT_FALSE(bmp.CutRegion(0, 0, 0, 0).has_value());
}

}  // namespace

// --- the writer: checked against hand-written bytes, not against the reader ---

// Catches a wrong header layout, size, padding or row order in written files.
TEST(BitmapWriter, TwoByTwoPictureHasTheStandardLayout)
{
    const std::vector<std::uint8_t> px = {1, 2, 3, 4,  5,  6,  // bottom row
                                          7, 8, 9, 10, 11, 12};
    auto b = encodeBmp24(2, 2, px);
    const std::vector<std::uint8_t> expected = {
        'B', 'M', 70, 0,  0,  0,  0, 0, 0, 0, 54, 0, 0, 0,         // file header
        40,  0,   0,  0,  2,  0,  0, 0, 2, 0, 0,  0, 1, 0, 24, 0,  // size, w, h, planes, bits
        0,   0,   0,  0,  16, 0,  0, 0,                            // compression, image size
        0,   0,   0,  0,  0,  0,  0, 0, 0, 0, 0,  0, 0, 0, 0,  0,  // resolution, colours
        1,   2,   3,  4,  5,  6,  0, 0,                            // first stored row + pad
        7,   8,   9,  10, 11, 12, 0, 0};
    EXPECT_EQ(b, expected);
}

// Catches writing garbage (or reading past the buffer) for impossible arguments.
TEST(BitmapWriter, RefusesImpossibleSizes)
{
    const auto px = patterned(3, 2);
    EXPECT_TRUE(encodeBmp24(0, 2, px).empty());
    EXPECT_TRUE(encodeBmp24(3, -2, px).empty());
    EXPECT_TRUE(encodeBmp24(3, 3, px).empty());  // buffer one row short
    EXPECT_TRUE(encodeBmp24(kBitmapMaxSide + 1, 1, {}).empty());
    EXPECT_TRUE(encodeBmp24(INT_MAX, INT_MAX, px).empty());
}

TEST_F(BitmapFileTest, WriterFailsWithoutCreatingAFileForBadArguments)
{
    const auto px = patterned(3, 2);
    EXPECT_EQ(writeBmp24(m_dir / "x.bmp", 3, 3, px), Error::BadArgument);
    EXPECT_FALSE(fs::exists(m_dir / "x.bmp"));
    EXPECT_EQ(writeBmp24(m_dir / "missing" / "x.bmp", 3, 2, px), Error::WriteFailed);
}

// Catches lost padding or flipped rows between writer and reader for widths
// whose rows need 0, 1, 2 and 3 pad bytes.
TEST_F(BitmapFileTest, WrittenFilesReadBackForEveryPadding)
{
    for (int w : {4, 5, 6, 7}) {
        const auto px = patterned(w, 3);
        const fs::path p = m_dir / ("w" + std::to_string(w) + ".bmp");
        ASSERT_EQ(writeBmp24(p, w, 3, px), Error::None);
        cBitmapFile bmp(p);
        ASSERT_TRUE(bmp.IsValid()) << w;
        EXPECT_EQ(bmp.fileOpened(), 1);
        EXPECT_EQ(bmp.width(), w);
        EXPECT_EQ(bmp.height(), 3);
        EXPECT_EQ(bmp.stride() % 4, 0u);
        EXPECT_EQ(bmp.pixels().size(), bmp.stride() * 3);
        EXPECT_EQ(bmp.CutRegion(0, 0, w, 3), px) << w;
    }
}

TEST_F(BitmapFileTest, WriterReplacesAnExistingFile)
{
    const fs::path p = m_dir / "x.bmp";
    writeAll(p, std::vector<std::uint8_t>(1000, 0xEE));
    ASSERT_EQ(writeBmp24(p, 1, 1, std::vector<std::uint8_t>{1, 2, 3}), Error::None);
    EXPECT_EQ(readAll(p), encodeBmp24(1, 1, std::vector<std::uint8_t>{1, 2, 3}));
}

// --- reading ---

// The camera's own 640 × 240 bitmaps: the reader must agree with the raw file.
TEST(BitmapFileSamples, SnapshotBitmapLoadsAndYieldsTheVisualPhotograph)
{
    const fs::path p = fs::path(CALIVUE_SAMPLES) / "IR_0002.BMP";
    if (!fs::exists(p)) GTEST_SKIP() << "samples not available";
    const auto raw = readAll(p);
    cBitmapFile bmp;
    const Error loaded = bmp.Load(p);
    ASSERT_TRUE(bmp.IsValid()) << describe(loaded);
    EXPECT_EQ(bmp.fileOpened(), 1);
    EXPECT_EQ(bmp.width(), 640);
    EXPECT_EQ(bmp.height(), 240);
    EXPECT_EQ(bmp.bitCount(), 24);
    EXPECT_EQ(bmp.fileHeader().fileSize, 460854u);
    EXPECT_EQ(bmp.fileHeader().pixelOffset, 54u);
    EXPECT_EQ(bmp.colourTableSize(), 0);
    EXPECT_EQ(bmp.pixels().size(), 460800u);
    EXPECT_EQ(bmp.imageSize(), 460800u);

    auto photo = bmp.CutRegion(320, 0, 640, 240);
    ASSERT_TRUE(photo.has_value());
    ASSERT_EQ(photo->size(), 320u * 240u * 3u);
    // Spot-check corners and the middle against the file's own bytes.
    for (auto [x, y] : {std::pair{0, 0}, {319, 0}, {0, 239}, {319, 239}, {160, 120}}) {
        const std::size_t fileAt = 54 + static_cast<std::size_t>(y) * 1920 + (320 + x) * 3;
        const std::size_t cutAt = (static_cast<std::size_t>(y) * 320 + x) * 3;
        for (int c = 0; c < 3; ++c) EXPECT_EQ((*photo)[cutAt + c], raw[fileAt + c]);
    }
}

// Catches treating a wrong signature as "not opened", or keeping a picture.
TEST_F(BitmapFileTest, WrongSignatureIsInvalidButOpened)
{
    auto b = encodeBmp24(2, 2, patterned(2, 2));
    b[1] = 'A';
    const fs::path p = m_dir / "ba.bmp";
    writeAll(p, b);
    cBitmapFile bmp;
    const Error loaded = bmp.Load(p);
    expectEmpty(bmp);
    EXPECT_EQ(bmp.fileOpened(), 1);
    EXPECT_EQ(loaded, Error::BadMagic);
}

TEST_F(BitmapFileTest, UnopenablePathsAreInvalidAndNotOpened)
{
    const std::pair<fs::path, Error> cases[] = {
        {m_dir / "missing.bmp", Error::NotFound},
        {fs::path(), Error::NotFound},
        {m_dir, Error::NotRegular},  // a folder is never read as a file
    };
    for (const auto& [p, want] : cases) {
        cBitmapFile bmp;
        EXPECT_EQ(bmp.Load(p), want) << p;
        expectEmpty(bmp);
        EXPECT_EQ(bmp.fileOpened(), 0) << p;
    }
}

// Catches a failed load that leaves the previous picture behind.
TEST_F(BitmapFileTest, FailedLoadReleasesThePreviousPicture)
{
    cBitmapFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(encodeBmp24(4, 4, patterned(4, 4))), Error::None);
    EXPECT_NE(bmp.Load(m_dir / "missing.bmp"), Error::None);
    expectEmpty(bmp);
    ASSERT_EQ(bmp.LoadFromBytes(encodeBmp24(4, 4, patterned(4, 4))), Error::None);
    EXPECT_EQ(bmp.LoadFromBytes({}), Error::Empty);
    expectEmpty(bmp);
}

// Catches reading pixels from offset 54 instead of the declared pixel offset.
TEST(BitmapFileRead, BytesBetweenHeaderAndPixelsBecomeTheColourTable)
{
    const auto px = patterned(3, 2);
    auto plain = encodeBmp24(3, 2, px);
    std::vector<std::uint8_t> b(plain.begin(), plain.begin() + 54);
    for (int i = 0; i < 8; ++i) b.push_back(static_cast<std::uint8_t>(0xC0 + i));
    b.insert(b.end(), plain.begin() + 54, plain.end());
    putU32(b, 2, static_cast<std::uint32_t>(b.size()));
    putU32(b, 10, 62);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(b), Error::None);
    ASSERT_EQ(bmp.colourTableSize(), 8);
    EXPECT_EQ(bmp.colourTable()[0], 0xC0);
    EXPECT_EQ(bmp.colourTable()[7], 0xC7);
    EXPECT_EQ(bmp.CutRegion(0, 0, 3, 2), px);
}

// Files from newer writers carry a 108- or 124-byte header that starts with the
// 40-byte one; catches treating its tail as pixels or as a colour table.
TEST(BitmapFileRead, LongerInfoHeaderIsSkipped)
{
    const auto px = patterned(2, 2);
    auto plain = encodeBmp24(2, 2, px);
    std::vector<std::uint8_t> b(plain.begin(), plain.begin() + 54);
    b.insert(b.end(), 124 - 40, 0x77);
    b.insert(b.end(), plain.begin() + 54, plain.end());
    putU32(b, 2, static_cast<std::uint32_t>(b.size()));
    putU32(b, 10, 14 + 124);
    putU32(b, 14, 124);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(b), Error::None);
    EXPECT_EQ(bmp.colourTableSize(), 0);
    EXPECT_EQ(bmp.infoHeader()->size, 40u);
    EXPECT_EQ(bmp.CutRegion(0, 0, 2, 2), px);
}

// Top-down files (negative height) are supported by flipping them on load;
// catches a held picture upside down or a negative height reaching callers.
TEST(BitmapFileRead, TopDownFileIsHeldBottomUp)
{
    const auto px = patterned(3, 4);
    auto b = encodeBmp24(3, 4, px);  // stored bottom-up
    // Reverse the stored rows and mark the file top-down: same picture.
    std::vector<std::uint8_t> flipped(b.begin(), b.begin() + 54);
    for (int row = 3; row >= 0; --row)
        flipped.insert(flipped.end(), b.begin() + 54 + row * 12, b.begin() + 54 + (row + 1) * 12);
    putU32(flipped, 22, static_cast<std::uint32_t>(-4));
    cBitmapFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(flipped), Error::None);
    EXPECT_EQ(bmp.height(), 4);
    EXPECT_EQ(bmp.CutRegion(0, 0, 3, 4), px);
}

// Catches rejecting files that carry harmless bytes after the declared size,
// or copying those bytes into the pixels.
TEST(BitmapFileRead, BytesAfterTheDeclaredSizeAreIgnored)
{
    const auto px = patterned(4, 2);
    auto b = encodeBmp24(4, 2, px);
    b.insert(b.end(), 100, 0xAB);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(b), Error::None);
    EXPECT_EQ(bmp.pixels().size(), 24u);
    EXPECT_EQ(bmp.CutRegion(0, 0, 4, 2), px);
}

// Headers that contradict themselves or the file. Each case would make a
// trusting reader read out of bounds, allocate absurdly or misread pixels.
TEST_F(BitmapFileTest, HostileHeadersAreRejectedWithTheirReason)
{
    struct Case {
        const char* name;
        void (*mutate)(std::vector<std::uint8_t>&);
        Error expected;
    };
    // Base: 3 × 2, stride 12, pixels 24 bytes, file 78 bytes.
    const Case cases[] = {
        {"offset below 54", [](auto& b) { putU32(b, 10, 53); }, Error::Corrupted},
        {"offset zero", [](auto& b) { putU32(b, 10, 0); }, Error::Corrupted},
        {"offset beyond file size", [](auto& b) { putU32(b, 10, 79); }, Error::Corrupted},
        {"offset huge", [](auto& b) { putU32(b, 10, 0xFFFFFFF0u); }, Error::Corrupted},
        {"file size below offset", [](auto& b) { putU32(b, 2, 40); }, Error::Corrupted},
        {"file size zero", [](auto& b) { putU32(b, 2, 0); }, Error::Corrupted},
        {"file size beyond file", [](auto& b) { putU32(b, 2, 79); }, Error::Truncated},
        {"file size absurd", [](auto& b) { putU32(b, 2, 0xFFFFFFFFu); }, Error::TooLarge},
        {"pixels short of rows × stride",
         [](auto& b) {
             b.resize(77);
             putU32(b, 2, 77);
         },
         Error::Truncated},
        {"width zero", [](auto& b) { putU32(b, 18, 0); }, Error::Corrupted},
        {"width negative", [](auto& b) { putU32(b, 18, static_cast<std::uint32_t>(-3)); },
         Error::Corrupted},
        {"height zero", [](auto& b) { putU32(b, 22, 0); }, Error::Corrupted},
        {"width above the cap", [](auto& b) { putU32(b, 18, 40000); }, Error::TooLarge},
        {"width overflowing the stride", [](auto& b) { putU32(b, 18, 0x7FFFFFFF); },
         Error::TooLarge},
        {"height above the cap", [](auto& b) { putU32(b, 22, 40000); }, Error::TooLarge},
        {"height most negative", [](auto& b) { putU32(b, 22, 0x80000000u); }, Error::TooLarge},
        {"pixel bytes above the cap",
         [](auto& b) {
             putU32(b, 18, 30000);
             putU32(b, 22, 30000);
         },
         Error::TooLarge},
        {"8-bit", [](auto& b) { putU16(b, 28, 8); }, Error::Unsupported},
        {"32-bit", [](auto& b) { putU16(b, 28, 32); }, Error::Unsupported},
        {"bit count zero", [](auto& b) { putU16(b, 28, 0); }, Error::Unsupported},
        {"run-length compressed", [](auto& b) { putU32(b, 30, 1); }, Error::Unsupported},
        {"bit fields", [](auto& b) { putU32(b, 30, 3); }, Error::Unsupported},
        {"planes zero", [](auto& b) { putU16(b, 26, 0); }, Error::Corrupted},
        {"12-byte core header", [](auto& b) { putU32(b, 14, 12); }, Error::Unsupported},
        {"info header zero", [](auto& b) { putU32(b, 14, 0); }, Error::Unsupported},
        {"info header past the pixels", [](auto& b) { putU32(b, 14, 41); }, Error::Corrupted},
        {"info header absurd", [](auto& b) { putU32(b, 14, 0xFFFFFFFFu); }, Error::Corrupted},
    };
    const auto good = encodeBmp24(3, 2, patterned(3, 2));
    ASSERT_EQ(good.size(), 78u);
    for (const Case& c : cases) {
        auto b = good;
        c.mutate(b);
        cBitmapFile fromBytes;
        EXPECT_EQ(fromBytes.LoadFromBytes(b), c.expected) << c.name;
        expectEmpty(fromBytes);

        const fs::path p = m_dir / "hostile.bmp";
        writeAll(p, b);
        cBitmapFile fromFile;
        EXPECT_EQ(fromFile.Load(p), c.expected) << c.name;
        EXPECT_EQ(fromFile.fileOpened(), 1) << c.name;
        expectEmpty(fromFile);
    }
}

// Sparse files whose headers declare a huge picture or a file at the cap:
// catches a reader that takes the declared bytes (up to 257 MB) before checking
// the headers, or more than the pixels of a small picture need.
TEST_F(BitmapFileTest, ReadsOnlyWhatCheckedHeadersDeclare)
{
    struct Case {
        const char* name;
        std::int32_t width, height;
        Error expected;
        std::uint64_t mostBytesRead;
    };
    const Case cases[] = {
        {"100,000 x 100,000", 100000, 100000, Error::TooLarge, 54},
        {"over the pixel cap", 30000, 30000, Error::TooLarge, 54},
        {"3 x 2", 3, 2, Error::None, 54 + 78},
    };
    const fs::path p = m_dir / "sparse.bmp";
    for (const Case& c : cases) {
        auto b = encodeBmp24(3, 2, patterned(3, 2));
        putU32(b, 2, static_cast<std::uint32_t>(kBitmapMaxFileBytes));
        putU32(b, 18, static_cast<std::uint32_t>(c.width));
        putU32(b, 22, static_cast<std::uint32_t>(c.height));
        writeAll(p, b);
        fs::resize_file(p, kBitmapMaxFileBytes);
        const std::uint64_t before = fileio_hooks::bytesRead();
        cBitmapFile bmp;
        EXPECT_EQ(bmp.Load(p), c.expected) << c.name;
        EXPECT_LE(fileio_hooks::bytesRead() - before, c.mostBytesRead) << c.name;
    }
}

// Every prefix of a valid file is a truncated file; catches any read past the
// end of the bytes at hand (under the sanitizers) and any prefix accepted.
TEST(BitmapFileRead, EveryTruncationIsRejected)
{
    const auto good = encodeBmp24(3, 2, patterned(3, 2));
    for (std::size_t n = 0; n < good.size(); ++n) {
        cBitmapFile bmp;
        EXPECT_EQ(bmp.LoadFromBytes(std::span(good).first(n)),
                  n == 0 ? Error::Empty : Error::Truncated)
            << n;
    }
    cBitmapFile whole;
    EXPECT_EQ(whole.LoadFromBytes(good), Error::None);  // the untruncated file is fine
}

TEST_F(BitmapFileTest, ShortAndGarbageFilesOnDiskFailCleanly)
{
    const fs::path p = m_dir / "f.bmp";
    std::mt19937 rng(7);
    const std::vector<std::vector<std::uint8_t>> inputs = {
        {},
        {'B'},
        {'B', 'M'},
        {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F},
        std::vector<std::uint8_t>(53, 'B'),
        [&] {
            std::vector<std::uint8_t> v(4096);
            for (auto& x : v) x = static_cast<std::uint8_t>(rng());
            v[0] = 'B';
            v[1] = 'M';
            return v;
        }()};
    for (const auto& in : inputs) {
        writeAll(p, in);
        cBitmapFile bmp;
        const Error loaded = bmp.Load(p);
        expectEmpty(bmp);
        EXPECT_EQ(bmp.fileOpened(), 1);
        EXPECT_NE(loaded, Error::None) << in.size();
    }
}

// Every hand-made or fuzzer-found hostile bitmap must be rejected without a crash.
TEST(BitmapFileCrashers, AllAreRejected)
{
    const fs::path dir = fs::path(CALIVUE_TEST_DATA) / "crashers";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("bmp_", 0) != 0) continue;
        ++count;
        cBitmapFile bmp;
        const Error loaded = bmp.Load(entry.path());
        expectEmpty(bmp);
        EXPECT_NE(loaded, Error::None) << name;
        cBitmapFile fromBytes;
        EXPECT_NE(fromBytes.LoadFromBytes(readAll(entry.path())), Error::None) << name;
    }
    EXPECT_GT(count, 0) << "no bmp_ crashers found in " << dir;
}

// --- cutting ---

TEST(BitmapFileCut, RegionsOutsideThePictureGiveNothing)
{
    cBitmapFile bmp;
    EXPECT_FALSE(bmp.CutRegion(0, 0, 1, 1).has_value());  // empty object
    ASSERT_EQ(bmp.CreateFromPixels(5, 3, patterned(5, 3)), Error::None);
    EXPECT_FALSE(bmp.CutRegion(0, 0, 6, 3).has_value());  // x1 = width + 1
    EXPECT_FALSE(bmp.CutRegion(0, 0, 5, 4).has_value());
    EXPECT_FALSE(bmp.CutRegion(-1, 0, 5, 3).has_value());
    EXPECT_FALSE(bmp.CutRegion(0, -1, 5, 3).has_value());
    EXPECT_FALSE(bmp.CutRegion(3, 0, 2, 3).has_value());  // x1 < x0
    EXPECT_FALSE(bmp.CutRegion(0, 2, 5, 1).has_value());
    EXPECT_FALSE(bmp.CutRegion(INT_MIN, 0, INT_MAX, 3).has_value());
    // An empty rectangle inside the picture is a valid, empty cut.
    auto none = bmp.CutRegion(5, 3, 5, 3);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());
}

// Catches a cut that ignores the row padding (width 5 pads each row by 1 byte).
TEST(BitmapFileCut, InnerRegionTakesTheRightPixels)
{
    const auto px = patterned(5, 4);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.CreateFromPixels(5, 4, px), Error::None);
    auto cut = bmp.CutRegion(1, 1, 4, 3);
    ASSERT_TRUE(cut.has_value());
    std::vector<std::uint8_t> expected;
    for (int y = 1; y < 3; ++y)
        expected.insert(expected.end(), px.begin() + (y * 5 + 1) * 3, px.begin() + (y * 5 + 4) * 3);
    EXPECT_EQ(*cut, expected);
}

// --- building ---

TEST(BitmapFileCreate, OddWidthRowsArePaddedAndZeroFilled)
{
    cBitmapFile bmp;
    ASSERT_EQ(bmp.CreateFromPixels(321, 2), Error::None);
    const BitmapInfoHeader* h = bmp.infoHeader();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->size, 40u);
    EXPECT_EQ(h->width, 321);
    EXPECT_EQ(h->height, 2);
    EXPECT_EQ(h->planes, 1);
    EXPECT_EQ(h->bitCount, 24);
    EXPECT_EQ(h->compression, 0u);
    EXPECT_EQ(h->imageSize, 1928u);
    EXPECT_EQ(bmp.stride(), 964u);
    ASSERT_EQ(bmp.pixels().size(), 1928u);
    EXPECT_TRUE(
        std::all_of(bmp.pixels().begin(), bmp.pixels().end(), [](auto v) { return v == 0; }));
    EXPECT_EQ(bmp.fileOpened(), 0);
}

// Catches rows copied without skipping the pad bytes, or pad bytes left dirty.
TEST(BitmapFileCreate, PixelsLandOnRowBoundaries)
{
    const auto px = patterned(3, 2);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.CreateFromPixels(3, 2, px), Error::None);
    auto held = bmp.pixels();
    ASSERT_EQ(held.size(), 24u);
    EXPECT_TRUE(std::equal(px.begin(), px.begin() + 9, held.begin()));
    EXPECT_EQ(held[9] | held[10] | held[11], 0);
    EXPECT_TRUE(std::equal(px.begin() + 9, px.end(), held.begin() + 12));
    EXPECT_EQ(held[21] | held[22] | held[23], 0);
}

// A buffer shorter than w × h × 3 used to be read past its end; now it, and
// impossible sizes, are refused and the object keeps its picture.
TEST(BitmapFileCreate, BadArgumentsLeaveTheObjectUnchanged)
{
    cBitmapFile bmp;
    const auto px = patterned(4, 2);
    ASSERT_EQ(bmp.CreateFromPixels(4, 2, px), Error::None);
    const std::vector<std::uint8_t> before(bmp.pixels().begin(), bmp.pixels().end());
    EXPECT_EQ(bmp.CreateFromPixels(4, 3, px), Error::BadArgument);
    EXPECT_EQ(bmp.CreateFromPixels(0, 2), Error::BadArgument);
    EXPECT_EQ(bmp.CreateFromPixels(4, -2), Error::BadArgument);
    EXPECT_EQ(bmp.CreateFromPixels(kBitmapMaxSide + 1, 1), Error::BadArgument);
    EXPECT_EQ(bmp.CreateFromPixels(30000, 30000), Error::BadArgument);  // beyond the byte cap
    EXPECT_EQ(bmp.width(), 4);
    EXPECT_EQ(bmp.height(), 2);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), bmp.pixels().begin(), bmp.pixels().end()));
}

TEST(BitmapFileCreate, FreeReturnsToTheEmptyState)
{
    cBitmapFile bmp;
    ASSERT_EQ(bmp.LoadFromBytes(encodeBmp24(2, 2, patterned(2, 2))), Error::None);
    bmp.Free();
    expectEmpty(bmp);
    EXPECT_EQ(bmp.fileOpened(), 0);
    EXPECT_EQ(bmp.fileHeader().type, 0);
}

// --- shrinking ---

TEST(BitmapFileShrink, HalvingKeepsEvenRowsAndColumns)
{
    const auto px = patterned(320, 240);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.CreateFromPixels(320, 240, px), Error::None);
    ASSERT_EQ(bmp.Shrink(2), Error::None);
    EXPECT_EQ(bmp.width(), 160);
    EXPECT_EQ(bmp.height(), 120);
    auto small = bmp.CutRegion(0, 0, 160, 120);
    ASSERT_TRUE(small.has_value());
    bool allMatch = true;
    for (int y = 0; y < 120 && allMatch; ++y)
        for (int x = 0; x < 160 && allMatch; ++x)
            for (int c = 0; c < 3; ++c)
                allMatch &= (*small)[(y * 160 + x) * 3 + c] == px[((2 * y) * 320 + 2 * x) * 3 + c];
    EXPECT_TRUE(allMatch);
}

TEST(BitmapFileShrink, ByOneKeepsThePicture)
{
    const auto px = patterned(8, 3);
    cBitmapFile bmp;
    ASSERT_EQ(bmp.CreateFromPixels(8, 3, px), Error::None);
    ASSERT_EQ(bmp.Shrink(1), Error::None);
    EXPECT_EQ(bmp.CutRegion(0, 0, 8, 3), px);
}

// Sizes the row addressing cannot handle used to produce a scrambled or
// overrun picture; they are refused and the picture stays as it was.
TEST(BitmapFileShrink, RefusedSizesLeaveThePictureUnchanged)
{
    cBitmapFile empty;
    EXPECT_EQ(empty.Shrink(2), Error::NotLoaded);
    EXPECT_FALSE(empty.IsValid());

    struct Case {
        int w, h, n;
    };
    for (Case c : {Case{8, 4, 0}, Case{8, 4, -2}, Case{6, 4, 2}, Case{5, 4, 1}, Case{8, 3, 2},
                   Case{12, 6, 8}, Case{8, 8, INT_MIN}}) {
        const auto px = patterned(c.w, c.h);
        cBitmapFile bmp;
        ASSERT_EQ(bmp.CreateFromPixels(c.w, c.h, px), Error::None);
        EXPECT_EQ(bmp.Shrink(c.n), Error::BadArgument) << c.w << "x" << c.h << "/" << c.n;
        EXPECT_EQ(bmp.width(), c.w);
        EXPECT_EQ(bmp.CutRegion(0, 0, c.w, c.h), px);
    }
}
