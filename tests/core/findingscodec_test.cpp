// The findings section of the report project: no section for defaults (the file unchanged),
// the round trip through the file, inspections named by snapshot and bad data refused.
#include "core/findingscodec.h"

#include "projects.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::projectOf;

ProjectFindings sample(std::size_t records)
{
    ProjectFindings f;
    f.settings.criteria = Criteria::Custom;
    f.settings.customBands = {{1.5, false, u"Watch \u00b5", 1}, {8.0, false, u"Repair", 4}};
    f.settings.loadExponent = 1.6;
    f.settings.classifyCorrected = false;
    f.settings.minLoadPercent = 30.0;
    f.settings.ambient = -4.5;
    f.settings.frsiThreshold = 0.78;
    f.settings.conditions.weather = u"overcast";
    f.settings.conditions.standard = u"NETA MTS";
    f.records.assign(records, RecordFindings{});
    return f;
}

// Catches a section (or an empty block) written for default findings, which would change
// the bytes of every project saved without them, and a default section not removed again.
TEST(FindingsCodec, DefaultFindingsWriteNoSection)
{
    ReportProject p = projectOf({u"a.qvx", u"b.qvx"});
    const Bytes before = encodeReportProject(p);
    ProjectFindings f;
    f.records.resize(2);
    ASSERT_EQ(putProjectFindings(p, f), Error::None);
    EXPECT_EQ(encodeReportProject(p), before);

    ASSERT_EQ(putProjectFindings(p, sample(2)), Error::None);
    EXPECT_NE(encodeReportProject(p), before);
    ASSERT_EQ(putProjectFindings(p, f), Error::None);
    EXPECT_EQ(encodeReportProject(p), before);
    EXPECT_EQ(readProjectFindings(p)->records.size(), 2u);
}

// Catches a field lost or misplaced on the way through the file, and inspections found by
// position: after a reorder each keeps its own data, the second of two inspections of one
// snapshot included, and one the project no longer holds is skipped.
TEST(FindingsCodec, RoundTripNamesInspectionsBySnapshot)
{
    ReportProject p = projectOf({u"a.qvx", u"b.qvx", u"a.qvx"});
    ProjectFindings f = sample(3);
    f.records[1] = {ReferenceKind::Ambient, 21.5, false};
    f.records[2] = {ReferenceKind::Marker, {}, true};
    ASSERT_EQ(putProjectFindings(p, f), Error::None);
    Result<ReportProject> back = readReportProject(encodeReportProject(p));
    ASSERT_TRUE(back);
    Result<ProjectFindings> read = readProjectFindings(*back);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, f);

    // Reordered by a program that keeps the section as it is: b, a (second), a (first) ...
    ReportProject moved = *back;
    moved.entries = {p.entries[1], p.entries[0], p.entries[2]};
    read = readProjectFindings(moved);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->records[0], f.records[1]);
    EXPECT_EQ(read->records[2], f.records[2]);
    // ... or with b removed.
    moved.entries = {p.entries[0], p.entries[2]};
    read = readProjectFindings(moved);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->records, (std::vector<RecordFindings>{{}, f.records[2]}));
}

// Catches priorities of a project written without findings data replaced by suggestions (a
// stored priority counts as set by hand), a section written for such a project, and a
// suggested priority over a stored one lost on the way through the file.
TEST(FindingsCodec, StoredPrioritiesWithoutFindingsDataStaySetByHand)
{
    ReportProject p = projectOf({u"a.qvx", u"b.qvx", u"c.qvx"});
    p.records[0].repairPriority = 3;
    p.records[2].repairPriority = 9;  // no priority the list shows: not one set by hand
    const Bytes before = encodeReportProject(p);
    Result<ProjectFindings> read = readProjectFindings(p);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->records,
              (std::vector<RecordFindings>{{ReferenceKind::Marker, {}, true}, {}, {}}));
    EXPECT_TRUE(read->isDefaultFor(p.records));
    ASSERT_EQ(putProjectFindings(p, *read), Error::None);
    EXPECT_EQ(encodeReportProject(p), before);

    ProjectFindings f = *read;
    f.records[0].priorityManual = false;  // back to the suggestion with 3 still stored
    f.records[1].priorityManual = true;   // "none" chosen by hand
    ASSERT_EQ(putProjectFindings(p, f), Error::None);
    Result<ReportProject> back = readReportProject(encodeReportProject(p));
    ASSERT_TRUE(back);
    read = readProjectFindings(*back);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->records, f.records);
}

// Catches a reader that steps past the data, accepts values outside their range or other
// versions, or settles for a part of the section.
TEST(FindingsCodec, BadSectionsAreRefusedByName)
{
    const std::vector<cInspectionImage> entries = projectOf({u"a.qvx"}).entries;
    ProjectFindings f = sample(1);
    f.records[0] = {ReferenceKind::Ambient, 3.0, true};
    const Bytes good = encodeFindingsSection(f, entries, {});
    ASSERT_TRUE(decodeFindingsSection(good, 1, entries, {}));
    for (std::size_t n = 0; n < good.size(); ++n) {
        const Result<ProjectFindings> r =
            decodeFindingsSection(std::span(good).first(n), 1, entries, {});
        EXPECT_TRUE(r.error() == Error::Truncated || r.error() == Error::Corrupted) << n;
    }
    EXPECT_EQ(decodeFindingsSection(good, 2, entries, {}).error(), Error::Unsupported);

    struct Spoil {
        std::size_t at;
        std::uint8_t value;
        const char* what;
    };
    const Spoil spoils[] = {
        {0, 4, "criteria 4"},
        {1, 2, "a flag without a meaning"},
        {2 + 7, 0x40, "an exponent far out of range"},
        {2 + 7, 0x7f, "an exponent that is not a number"},
        {18, 2, "ambient given as 2"},
        {35, 7, "seven bands"},
    };
    for (const Spoil& s : spoils) {
        Bytes bad = good;
        bad[s.at] = s.value;
        EXPECT_EQ(decodeFindingsSection(bad, 1, entries, {}).error(), Error::Corrupted) << s.what;
    }
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_EQ(decodeFindingsSection(longer, 1, entries, {}).error(), Error::Corrupted);

    // One inspection named twice.
    ByteSink twice;
    twice.bytes(std::span(good).first(good.size() - (4 + 4 + 10 + 4 + 1 + 1 + 8 + 1)));
    twice.u32le(2);
    for (int k = 0; k < 2; ++k) {
        twice.u32le(5);
        twice.u16array(std::u16string_view(u"a.qvx"));
        twice.u32le(0);
        twice.u8(0);
        twice.u8(0);
        twice.f64le(0);
        twice.u8(1);
    }
    EXPECT_EQ(decodeFindingsSection(twice.bytes(), 1, entries, {}).error(), Error::Corrupted);

    // Settings the program refuses are never stored.
    ReportProject p = projectOf({u"a.qvx"});
    f.settings.customBands[1].from = 1.0;
    EXPECT_EQ(putProjectFindings(p, f), Error::BadArgument);
    EXPECT_TRUE(p.extensions.empty());
}

}  // namespace
}  // namespace calivue
