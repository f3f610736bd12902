// The report project file: text and value encodings byte for byte, the
// version gates, every layout read from files made by an independent writer,
// round trips, hostile files and the file-level reading and writing.
#include "files.h"
#include "images.h"
#include "core/archivetext.h"
#include "core/reportproject.h"
#include "core/textcodec.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using namespace calivue;
using calivue::test::readAll;

namespace {

using Bytes = std::vector<std::uint8_t>;

const fs::path kCorpus =
    fs::path(CALIVUE_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "reportproject";

Bytes textBytes(std::u16string_view t)
{
    ByteSink s;
    writeArchiveText(s, t);
    return s.take();
}

Result<std::u16string> readText(const Bytes& b)
{
    ByteStream in(b);
    return readArchiveText(in);
}

// Catches a wrong escape boundary or length byte order in the writer, and a
// reader that does not take its own output back.
TEST(ArchiveText, WritesTheShortestUtf16PrefixAndReadsItBack)
{
    const std::vector<std::pair<std::size_t, Bytes>> cases = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}},
        {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [n, prefix] : cases) {
        std::u16string text(n, u'\u00E9');
        const Bytes b = textBytes(text);
        ASSERT_EQ(b.size(), prefix.size() + 2 * n) << n;
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), b.begin())) << n;
        if (n > 0) {
            EXPECT_EQ(b[prefix.size()], 0xE9) << "UTF-16LE low byte first, " << n;
        }
        Result<std::u16string> back = readText(b);
        ASSERT_TRUE(back) << n;
        EXPECT_EQ(*back, text) << n;
    }
}

// Catches 8-bit texts read as Latin-1 or as UTF-16, each length escape on the
// 8-bit side, and a second mark taken as another mark instead of a length.
TEST(ArchiveText, ReadsCp1252TextsThroughEveryEscape)
{
    struct Case {
        const char* what;
        Bytes bytes;
        std::u16string expected;
    };
    Bytes u16Form = {0xFF, 0x2C, 0x01}, u32Form = {0xFF, 0xFF, 0xFF, 0x03, 0, 0, 0};
    Bytes u64Form = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0, 0, 0, 0};
    u16Form.insert(u16Form.end(), 300, 'x');
    u32Form.insert(u32Form.end(), {0x80, 0x81, 0xE9});
    u64Form.insert(u64Form.end(), {0x93, 0x94});
    Bytes twoMarks = {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF};
    twoMarks.insert(twoMarks.end(), 2 * 65534, 0x41);
    const std::vector<Case> cases = {
        {"one-byte length", {3, 'a', 'b', 'c'}, u"abc"},
        {"FF + u16 length", u16Form, std::u16string(300, u'x')},
        {"FF FFFF + u32 length, undefined byte kept", u32Form, u"\u20AC\u0081\u00E9"},
        {"FF FFFF FFFFFFFF + u64 length", u64Form, u"\u201C\u201D"},
        {"mark then FFFE is a length", twoMarks, std::u16string(65534, u'\u4141')},
    };
    for (const Case& c : cases) {
        Result<std::u16string> t = readText(c.bytes);
        ASSERT_TRUE(t) << c.what << ": " << describe(t.error());
        EXPECT_EQ(*t, c.expected) << c.what;
    }
}

// Catches surrogate pairs split, dropped or counted as one unit, and lenient
// UTF-8 decoding that lets malformed input through.
TEST(TextCodec, SurrogatePairsAndUtf8)
{
    const std::u16string face = u"a\U0001F600";
    const Bytes b = textBytes(face);
    EXPECT_EQ(b, (Bytes{0xFF, 0xFE, 0xFF, 3, 'a', 0, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(*readText(b), face);
    EXPECT_EQ(utf16ToUtf8(face), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8ToUtf16("a\xF0\x9F\x98\x80"), face);
    EXPECT_EQ(utf8ToUtf16("\xC2\xB5\xE2\x82\xAC"), u"\u00B5\u20AC");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80"})
        EXPECT_FALSE(utf8ToUtf16(bad)) << "accepted malformed UTF-8";
}

// Catches comparisons made in double precision (1.1f < 1.1) or by equality,
// and NaN or out-of-range marks picking a newer layout.
TEST(ReportProject, VersionGatesCompareSinglePrecision)
{
    struct Case {
        std::uint32_t bits;
        ProjectLayout expected;
    };
    const std::vector<Case> cases = {
        {0x3F800000, {false, false, false}},  // 1.0
        {0x3F8CCCCC, {false, false, false}},  // just below 1.1
        {0x3F8CCCCD, {true, false, false}},   // 1.1
        {0x3F99999A, {true, true, false}},    // 1.2
        {0x3FA66665, {true, true, false}},    // just below 1.3
        {0x3FA66666, {true, true, true}},     // 1.3
        {0x40000000, {true, true, true}},     // 2.0
        {0x7F800000, {true, true, true}},     // +Inf
        {0xFF800000, {false, false, false}},  // -Inf
        {0x7FC00000, {false, false, false}},  // NaN
        {0xBF800000, {false, false, false}},  // -1.0
    };
    for (const Case& c : cases) {
        const ProjectLayout l = projectLayout(std::bit_cast<float>(c.bits));
        EXPECT_EQ(l.thumbnailIndex, c.expected.thumbnailIndex) << std::hex << c.bits;
        EXPECT_EQ(l.recordExtras, c.expected.recordExtras) << std::hex << c.bits;
        EXPECT_EQ(l.captions, c.expected.captions) << std::hex << c.bits;
    }
}

// Catches a wrong order or kind in the title block, the counts or the
// captions: the whole empty project, byte for byte.
TEST(ReportProject, EmptyProjectGoldenBytes)
{
    ReportProject p;
    p.captions = ReportCaptions{};
    Bytes expected = {0x66, 0x66, 0xA6, 0x3F};
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), {0xFF, 0xFE, 0xFF, 0});
    expected.insert(expected.end(), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // shown, date
    expected.insert(expected.end(), {0xFF, 0xFE, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int i = 0; i < 17; ++i) expected.insert(expected.end(), {0xFF, 0xFE, 0xFF, 0});
    EXPECT_EQ(encodeReportProject(p), expected);
    Result<ReportProject> back = readReportProject(expected);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->entries.empty() && back->records.empty());
    EXPECT_EQ(back->captions, ReportCaptions{});
    // Without captions in the model the writer puts the default ones.
    ReportProject none;
    EXPECT_EQ(readReportProject(encodeReportProject(none))->captions, defaultReportCaptions());
}

// Reads the files of every layout made by the independent Python writer:
// catches a layout gate applied to the wrong fields, stored thumbnail indices
// ignored or invented, and defaults lost for fields older files lack.
TEST(ReportProject, ReadsEveryLayout)
{
    struct Case {
        const char* file;
        float version;
        std::size_t count;
        bool storedThumbs, extras, captions;
    };
    const std::vector<Case> cases = {
        {"ansi_10", 1.0f, 2, false, false, false},
        {"one_11", kProjectVersion11, 1, true, false, false},
        {"one_12", kProjectVersion12, 1, true, true, false},
        {"two_13", kProjectVersion13, 2, true, true, true},
    };
    for (const Case& c : cases) {
        const Bytes bytes = readAll(kCorpus / c.file);
        ASSERT_FALSE(bytes.empty()) << c.file;
        Result<ReportProject> p = readReportProject(bytes);
        ASSERT_TRUE(p) << c.file << ": " << describe(p.error());
        EXPECT_EQ(p->version, c.version) << c.file;
        EXPECT_EQ(p->title.company, u"Acme") << c.file;
        EXPECT_TRUE(p->title.dateShown);
        EXPECT_EQ(p->title.titleDate, (cDateTime{0, 45000.25})) << c.file;
        EXPECT_EQ(p->title.comments, u"General notes") << c.file;
        ASSERT_EQ(p->entries.size(), c.count) << c.file;
        ASSERT_EQ(p->records.size(), c.count) << c.file;
        for (std::size_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(p->entries[i].thumbnailIndex, int(c.storedThumbs ? i + 7 : i)) << c.file;
            const cInspectionRecord& r = p->records[i];
            EXPECT_EQ(r.name, u"Motor " + std::u16string(1, char16_t(u'0' + i))) << c.file;
            EXPECT_EQ(r.faultAction, u"Replace bearing");
            EXPECT_EQ(r.repairPriority, 3);
            EXPECT_EQ(r.repairedDate.status, cDateTime::Invalid);
            EXPECT_EQ(r.reinspectedDate.status, cDateTime::Null);
            EXPECT_TRUE(r.inspectedDated && !r.repairedDated);
            EXPECT_TRUE(r.reinspectedDated) << "bool8 7 must read as true";
            EXPECT_EQ(r.reinspectedInitials, u"CD");
            EXPECT_EQ(r.secondMeasurement, -1);
            EXPECT_EQ(r.pressure, c.extras ? u"0.1 bar" : u"") << c.file;
            EXPECT_EQ(r.conditionChoice, c.extras ? 2 : 0) << c.file;
        }
        EXPECT_EQ(p->captions.has_value(), c.captions) << c.file;
        if (c.captions) {
            EXPECT_EQ(p->captions, defaultReportCaptions());
        }
    }
}

// Catches any field the encoder drops, reorders or normalises: what was read
// re-encodes to the independent writer's bytes, and 1.0 files come back whole.
TEST(ReportProject, RoundTrips)
{
    for (const char* file : {"empty_13", "two_13"}) {
        const Bytes bytes = readAll(kCorpus / file);
        EXPECT_EQ(encodeReportProject(*readReportProject(bytes)), bytes) << file;
    }
    // Texts of 300 and 70,000 UTF-16 and 254 code page 1252 characters.
    Result<ReportProject> texts = readReportProject(readAll(kCorpus / "long_texts_13"));
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->title.logoPath, std::u16string(300, u'x'));
    EXPECT_EQ(texts->title.company, std::u16string(70000, u'\u00E9'));
    EXPECT_EQ(texts->title.author, std::u16string(254, u'\u20AC'));
    EXPECT_EQ(readReportProject(encodeReportProject(*texts))->title, texts->title);
    Result<ReportProject> old = readReportProject(readAll(kCorpus / "ansi_10"));
    ASSERT_TRUE(old);
    Result<ReportProject> again = readReportProject(encodeReportProject(*old));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->version, kProjectVersion13);
    EXPECT_TRUE(again->title == old->title && again->entries == old->entries);
    EXPECT_TRUE(again->records == old->records);

    // Odd values survive: unknown date status, NaN days, counts that differ.
    ReportProject p;
    p.title.dateShown = false;
    p.title.titleDate = {7, std::nan("")};
    p.entries.resize(2);
    p.records.resize(1);
    p.records[0].comment = std::u16string(70000, u'c');
    Result<ReportProject> q = readReportProject(encodeReportProject(p));
    ASSERT_TRUE(q);
    EXPECT_TRUE(q->title == p.title && q->entries == p.entries && q->records == p.records);
    EXPECT_FALSE(q->countsAgree()) << "both counts must reach the caller";
}

// Every hostile file fails with its own error and never crashes; catches a
// length or count trusted before the bytes that back it are checked.
TEST(ReportProject, RefusesHostileFiles)
{
    const std::map<std::string, Error> expected = {
        {"vrp_empty", Error::Empty},
        {"vrp_version_only", Error::Truncated},
        {"vrp_version_cut", Error::Truncated},
        {"vrp_text_u16_length_past_end", Error::Truncated},
        {"vrp_text_u32_length_absurd", Error::Truncated},
        {"vrp_text_u64_length_absurd", Error::Truncated},
        {"vrp_ansi_u64_length_absurd", Error::Truncated},
        {"vrp_text_prefix_cut", Error::Truncated},
        {"vrp_text_mark_then_end", Error::Truncated},
        {"vrp_entry_count_2p31", Error::TooLarge},
        {"vrp_entry_count_over_cap", Error::TooLarge},
        {"vrp_entry_count_negative", Error::Corrupted},
        {"vrp_record_count_2p31", Error::TooLarge},
        {"vrp_record_count_over_cap", Error::TooLarge},
        {"vrp_record_count_negative", Error::Corrupted},
        {"vrp_ends_inside_title_date", Error::Truncated},
        {"vrp_ends_inside_record_date", Error::Truncated},
        {"vrp_ends_inside_captions", Error::Truncated},
        {"vrp_version_nan", Error::TooLarge},
        {"vrp_version_inf", Error::TooLarge},
        {"vrp_version_neg_inf", Error::TooLarge},
        // Counts under the cap that the bytes after them cannot hold; texts claiming gigabytes.
        {"vrp_entry_count_past_end", Error::Truncated},
        {"vrp_record_count_past_end", Error::Truncated},
        {"vrp_text_u32_length_1g", Error::Truncated},
        {"vrp_logo_length_2g", Error::Truncated},
        // Sound files naming a device and folders: the report refuses those paths, not the reader.
        {"vrp_snapshot_dev_zero", Error::None},
        {"vrp_logo_dev_zero", Error::None},
        {"vrp_snapshot_and_logo_folders", Error::None},
        // Extension blocks after a sound project: damage there is not ignored.
        {"vrp_ext_signature_only", Error::Truncated},
        {"vrp_ext_version_cut", Error::Truncated},
        {"vrp_ext_version_2", Error::Unsupported},
        {"vrp_ext_version_0", Error::Unsupported},
        {"vrp_ext_count_cut", Error::Truncated},
        {"vrp_ext_count_over_cap", Error::TooLarge},
        {"vrp_ext_count_past_end", Error::Truncated},
        {"vrp_ext_section_header_cut", Error::Truncated},
        {"vrp_ext_tag_not_alnum", Error::Corrupted},
        {"vrp_ext_tag_space", Error::Corrupted},
        {"vrp_ext_tag_twice", Error::Corrupted},
        {"vrp_ext_length_over_cap", Error::TooLarge},
        {"vrp_ext_length_past_end", Error::Truncated},
        {"vrp_ext_second_section_cut", Error::Truncated},
    };
    std::size_t seen = 0;
    for (const auto& e : fs::directory_iterator(fs::path(CALIVUE_TEST_DATA) / "crashers")) {
        const std::string name = e.path().filename().string();
        if (name.rfind("vrp_", 0) != 0) continue;
        ++seen;
        ASSERT_TRUE(expected.count(name)) << name << " has no expected error here";
        EXPECT_EQ(readReportProject(readAll(e.path())).error(), expected.at(name)) << name;
    }
    EXPECT_EQ(seen, expected.size()) << "a listed crasher file is missing";
}

// A count the bytes can back is still refused above the cap, so a small file
// cannot make the reader build millions of entries; the cap itself is accepted.
TEST(ReportProject, CapsInspectionCounts)
{
    for (const bool records : {false, true}) {
        for (const std::size_t n : {kMaxProjectInspections, kMaxProjectInspections + 1}) {
            ReportProject p;
            (records ? p.records.resize(n) : p.entries.resize(n));
            const Result<ReportProject> back = readReportProject(encodeReportProject(p));
            EXPECT_EQ(back.error(), n > kMaxProjectInspections ? Error::TooLarge : Error::None)
                << (records ? "records " : "entries ") << n;
        }
    }
}

class ReportProjectFile : public ::testing::Test {
protected:
    test::TempDir m_tmp{"calivue_vrp_"};
    const fs::path m_dir = m_tmp.path();
};

// Catches a reader that loads any size, a writer that leaves temporaries or
// writes elsewhere, and empty paths or missing files not reported.
TEST_F(ReportProjectFile, ReadsAndWritesWholeFiles)
{
    ReportProject p;
    p.entries.push_back({u"/x/IR_1.QVX", u"/x/IR_1.BMP", 4});
    p.records.emplace_back().name = u"Pump";
    const fs::path file = m_dir / "site.vrp";
    ASSERT_EQ(writeReportProjectFile(file, p), Error::None);
    EXPECT_EQ(readAll(file), encodeReportProject(p));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
    Result<ReportProject> back = readReportProjectFile(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->records, p.records);

    EXPECT_EQ(readReportProjectFile(m_dir / "none.vrp").error(), Error::NotFound);
    EXPECT_EQ(readReportProjectFile("").error(), Error::BadArgument);
    EXPECT_EQ(writeReportProjectFile("", p), Error::BadArgument);
    EXPECT_EQ(writeReportProjectFile(m_dir / "no" / "such.vrp", p), Error::WriteFailed);
    const fs::path big = m_dir / "big.vrp";
    {
        std::ofstream(big, std::ios::binary).put('\0');
    }
    fs::resize_file(big, kMaxProjectFileBytes + 1);  // sparse: costs no disk
    EXPECT_EQ(readReportProjectFile(big).error(), Error::TooLarge);
}

// Catches a writer that stores a project its own reader refuses (counts over the cap, a file
// over the size cap), destroying the earlier file: refused, the earlier file kept, the file
// and reason named. The largest project the reader takes is still written.
TEST_F(ReportProjectFile, WritesNothingTheReaderWouldRefuse)
{
    struct Case {
        const char* name;
        std::size_t entries, records, logoChars;
        Error expected;
    };
    const std::size_t textCap = kMaxProjectFileBytes / 2;  // UTF-16 units filling the file
    for (const Case& c : std::initializer_list<Case>{
             {"entries at the cap", kMaxProjectInspections, kMaxProjectInspections, 0, Error::None},
             {"entries over the cap", kMaxProjectInspections + 1, 1, 0, Error::TooLarge},
             {"records over the cap", 1, kMaxProjectInspections + 1, 0, Error::TooLarge},
             {"text filling the size cap", 0, 0, textCap, Error::TooLarge},
             {"text just under the size cap", 0, 0, textCap - 4096, Error::None}}) {
        SCOPED_TRACE(c.name);
        const fs::path file = m_dir / "site.vrp";
        const std::vector<std::uint8_t> earlier{'o', 'l', 'd'};
        std::ofstream(file, std::ios::binary).write("old", 3);
        ReportProject p;
        p.entries.resize(c.entries);
        p.records.resize(c.records);
        p.title.logoPath.assign(c.logoChars, u'x');
        FileFailure failure;
        ASSERT_EQ(writeReportProjectFile(file, p, &failure), c.expected);
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
        if (c.expected == Error::None) {
            EXPECT_TRUE(readReportProjectFile(file)) << "written but unreadable";
            continue;
        }
        EXPECT_EQ(readAll(file), earlier);
        EXPECT_EQ(failure.path, file);
        EXPECT_EQ(failure.reason, std::make_error_code(std::errc::file_too_large));
    }
}

}  // namespace
