// The extension block of the report project file: byte identity without
// sections, the block's bytes, sections kept as read, bytes that are no block,
// the caps on both sides and the model's put / find / erase.
#include "core/reportproject.h"

#include "files.h"
#include "images.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::readAll;

namespace {

using Bytes = std::vector<std::uint8_t>;

const fs::path kCorpus =
    fs::path(CALIVUE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "reportproject";

ExtensionSection section(std::string_view tag, std::uint16_t version, Bytes data)
{
    return {*ExtensionTag::parse(tag), version, std::move(data)};
}

Bytes concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Catches a block (even an empty one) written for a project without sections,
// and sections that cannot be taken out again: the designed file comes back.
TEST(ProjectExtensions, NoSectionsWritesTheDesignedFile)
{
    const Bytes designed = readAll(kCorpus / "two_13");
    Result<ReportProject> p = readReportProject(designed);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->extensions.empty());
    EXPECT_EQ(p->ignoredTrailingBytes, 0u);
    EXPECT_EQ(encodeReportProject(*p), designed);

    Result<ReportProject> ext = readReportProject(readAll(kCorpus / "two_13_ext"));
    ASSERT_TRUE(ext);
    ASSERT_FALSE(ext->extensions.empty());
    for (const char* tag : {"FIND", "zq01", "EMPT", "NEST"})
        EXPECT_TRUE(ext->extensions.erase(*ExtensionTag::parse(tag))) << tag;
    EXPECT_FALSE(ext->extensions.erase(*ExtensionTag::parse("FIND"))) << "erased twice";
    EXPECT_EQ(encodeReportProject(*ext), designed);
}

// Catches a wrong field order, width or byte order in the block the writer puts.
TEST(ProjectExtensions, BlockGoldenBytes)
{
    ReportProject p;
    const Bytes designed = encodeReportProject(p);
    ASSERT_EQ(p.extensions.put(section("FIND", 0x0102, {'a', 'b'})), Error::None);
    ASSERT_EQ(p.extensions.put(section("zq01", 7, {})), Error::None);
    const Bytes block = {0x89, 'C', 'V', 'X', 0x0D, 0x0A, 0x1A, 0x0A, 1, 0, 2, 0,
                         0,    0,   'F', 'I', 'N',  'D',  2,    1,    2, 0, 0, 0,
                         'a',  'b', 'z', 'q', '0',  '1',  7,    0,    0, 0, 0, 0};
    EXPECT_EQ(encodeReportProject(p), concat(designed, block));
    EXPECT_EQ(p.extensions.encodedSize(), block.size());
}

// Reads the independent writer's file: catches sections reordered, a version
// or byte changed, unknown or empty sections dropped, and a section holding
// block-like bytes taken for a block of its own.
TEST(ProjectExtensions, KeepsEverySectionAsRead)
{
    const Bytes bytes = readAll(kCorpus / "two_13_ext");
    Result<ReportProject> p = readReportProject(bytes);
    ASSERT_TRUE(p) << describe(p.error());
    const auto& s = p->extensions.sections();
    ASSERT_EQ(s.size(), 4u);
    const std::vector<std::pair<std::string_view, std::uint16_t>> expected = {
        {"FIND", 2}, {"zq01", 7}, {"EMPT", 0}, {"NEST", 65535}};
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].tag.view(), expected[i].first);
        EXPECT_EQ(s[i].version, expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(s[1].data.size(), 256u);
    EXPECT_EQ(s[1].data[255], 255);
    EXPECT_TRUE(s[2].data.empty());
    EXPECT_EQ(s[3].data.size(), 14u + 10u + 1u);
    EXPECT_EQ(p->records.size(), 2u) << "the designed part reads as without the block";
    EXPECT_EQ(encodeReportProject(*p), bytes);
}

// Bytes after the captions that are no block (an old file's tail, a block's
// signature cut short) or that follow a block: the file opens, they are
// counted, and the writer leaves them out. Catches a reader refusing files the
// designed reader opens, and ignored bytes written back.
TEST(ProjectExtensions, BytesThatAreNoBlockAreIgnored)
{
    struct Case {
        const char* file;
        std::size_t ignored;
        std::size_t sections;
    };
    for (const Case& c : {Case{"one_13_trailing", 13, 0}, Case{"empty_13_ext_trailing", 2, 1},
                          Case{"two_13", 0, 0}}) {
        const Bytes bytes = readAll(kCorpus / c.file);
        Result<ReportProject> p = readReportProject(bytes);
        ASSERT_TRUE(p) << c.file << ": " << describe(p.error());
        EXPECT_EQ(p->ignoredTrailingBytes, c.ignored) << c.file;
        EXPECT_EQ(p->extensions.sections().size(), c.sections) << c.file;
        EXPECT_EQ(encodeReportProject(*p), Bytes(bytes.begin(), bytes.end() - c.ignored)) << c.file;
    }
}

// Catches the reader's and the put's caps drifting apart (a block the writer
// puts that the reader refuses) and the block's total unchecked on reading.
TEST(ProjectExtensions, CapsAgreeOnBothSides)
{
    const Bytes designed = readAll(kCorpus / "empty_13");
    ReportProject p = *readReportProject(designed);
    // Two sections that fill the block to the byte.
    const std::size_t rest = kMaxExtensionBlockBytes - 14 - 2 * 10 - kMaxExtensionSectionBytes;
    ASSERT_EQ(p.extensions.put(section("AAAA", 1, Bytes(kMaxExtensionSectionBytes, 1))),
              Error::None);
    ASSERT_EQ(p.extensions.put(section("BBBB", 1, Bytes(rest, 2))), Error::None);
    EXPECT_EQ(p.extensions.encodedSize(), kMaxExtensionBlockBytes);
    EXPECT_EQ(p.extensions.put(section("CCCC", 1, {})), Error::TooLarge);
    EXPECT_EQ(p.extensions.put(section("BBBB", 1, Bytes(rest + 1, 2))), Error::TooLarge);
    EXPECT_EQ(p.extensions.sections().size(), 2u) << "a refused put changed the sections";
    EXPECT_EQ(p.extensions.sections()[1].data.size(), rest);
    Result<ReportProject> back = readReportProject(encodeReportProject(p));
    ASSERT_TRUE(back) << describe(back.error());
    EXPECT_TRUE(back->extensions == p.extensions);

    // The same block with one more (empty) section passes the cap by its
    // header: the reader refuses it before looking for its bytes.
    Bytes over = encodeReportProject(p);
    over[designed.size() + 10] = 3;  // the section count
    over.insert(over.end(), {'C', 'C', 'C', 'C', 1, 0, 0, 0, 0, 0});
    EXPECT_EQ(readReportProject(over).error(), Error::TooLarge);
}

// Catches put appending a second section of a tag, moving a replaced one,
// accepting tags the reader refuses, and the count and size caps unchecked.
TEST(ProjectExtensions, PutFindErase)
{
    ProjectExtensions x;
    ASSERT_EQ(x.put(section("FIND", 1, {1})), Error::None);
    ASSERT_EQ(x.put(section("LAYT", 1, {2})), Error::None);
    ASSERT_EQ(x.put(section("FIND", 3, {9, 9})), Error::None);
    ASSERT_EQ(x.sections().size(), 2u);
    EXPECT_EQ(x.sections()[0], section("FIND", 3, {9, 9})) << "replaced in place";
    EXPECT_EQ(x.find(ExtensionTag::of("LAYT"))->data, Bytes{2});
    EXPECT_EQ(x.find(ExtensionTag::of("find")), nullptr) << "tags are case-sensitive";

    EXPECT_EQ(x.put({ExtensionTag{}, 1, {}}), Error::BadArgument);
    EXPECT_EQ(x.put({ExtensionTag{{'A', 'B', '-', 'D'}}, 1, {}}), Error::BadArgument);
    EXPECT_EQ(x.put(section("BIGG", 1, Bytes(kMaxExtensionSectionBytes + 1))), Error::TooLarge);

    ProjectExtensions full;
    for (std::size_t i = 0; i < kMaxExtensionSections; ++i) {
        const std::string tag = "T" + std::to_string(100 + i);
        ASSERT_EQ(full.put(section(tag, 1, {})), Error::None) << tag;
    }
    EXPECT_EQ(full.put(section("ZZZZ", 1, {})), Error::TooLarge);
    EXPECT_EQ(full.put(section("T100", 2, {7})), Error::None) << "replacing in a full set";
}

// Catches tags of other lengths or characters outside 0-9 A-Z a-z let through.
TEST(ProjectExtensions, TagSpace)
{
    for (const char* good : {"FIND", "zq01", "0000", "aZ9b"})
        EXPECT_EQ(ExtensionTag::parse(good)->view(), good);
    for (const char* bad : {"", "FIN", "FINDS", "FI D", "FI-D", "F\xFCmD", "FI_D"})
        EXPECT_FALSE(ExtensionTag::parse(bad)) << bad;
    EXPECT_FALSE(ExtensionTag::parse(std::string_view("FI\0D", 4)));
}

}  // namespace
