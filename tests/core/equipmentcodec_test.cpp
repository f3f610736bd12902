// The equipment section of the report project: nothing written without equipment data (the
// file unchanged), the round trip through the file with inspections named by snapshot, and
// bad data refused by name.
#include "core/equipmentcodec.h"

#include "core/bytestream.h"
#include "core/sectionvaluereader.h"

#include "projects.h"

#include <gtest/gtest.h>

namespace calivue {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::projectOf;

ProjectEquipment sample()
{
    ProjectEquipment e;
    e.items = {{u"MCC-1", u"Plant room", u"Motor control centre", u"400 A",
                EquipmentStatus::Inspected, u""},
               {u"DB-2", u"Roof", u"Distribution board \u00b5", u"", EquipmentStatus::NotInspected,
                std::u16string(kReasonInaccessible)},
               {u"TX-3", u"", u"", u"", EquipmentStatus::NotInspected, u""}};
    e.recordItems = {u"MCC-1", u"", u"MCC-1"};
    e.previousProject = u"/surveys/2025/plant.vrp";
    return e;
}

// Catches a section (or an empty block) written without equipment data, which would change the
// bytes of every project saved without it, and a section not removed again.
TEST(EquipmentCodec, NoEquipmentWritesNoSection)
{
    ReportProject p = projectOf({u"a.qvx", u"b.qvx", u"a.qvx"});
    const Bytes before = encodeReportProject(p);
    ProjectEquipment none;
    none.recordItems.resize(3);
    ASSERT_EQ(putProjectEquipment(p, none), Error::None);
    EXPECT_EQ(encodeReportProject(p), before);
    EXPECT_TRUE(readProjectEquipment(p)->isDefault());
    EXPECT_EQ(readProjectEquipment(p)->recordItems.size(), 3u);

    ASSERT_EQ(putProjectEquipment(p, sample()), Error::None);
    EXPECT_NE(encodeReportProject(p), before);
    ASSERT_EQ(putProjectEquipment(p, none), Error::None);
    EXPECT_EQ(encodeReportProject(p), before);
}

// Catches a field lost or misplaced on the way through the file, and links found by position:
// after a reorder each inspection keeps its own item, the second of two inspections of one
// snapshot included, and a link to an inspection the project no longer holds is skipped.
TEST(EquipmentCodec, RoundTripNamesInspectionsBySnapshot)
{
    ReportProject p = projectOf({u"a.qvx", u"b.qvx", u"a.qvx"});
    ProjectEquipment e = sample();
    e.recordItems = {u"", u"DB-2", u"MCC-1"};
    ASSERT_EQ(putProjectEquipment(p, e), Error::None);
    Result<ReportProject> back = readReportProject(encodeReportProject(p));
    ASSERT_TRUE(back);
    Result<ProjectEquipment> read = readProjectEquipment(*back);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, e);

    // b first, then the second inspection of a.qvx, then the first; a third a.qvx is new.
    ReportProject moved = *back;
    moved.entries = {back->entries[1], back->entries[0], back->entries[2], {u"c.qvx", u"", 3}};
    std::swap(moved.entries[1], moved.entries[2]);
    moved.records.resize(4);
    // The section names the second a.qvx as occurrence 1, which is now position 2.
    Result<ProjectEquipment> after = readProjectEquipment(moved);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->recordItems, (std::vector<std::u16string>{u"DB-2", u"", u"MCC-1", u""}));

    ReportProject fewer = projectOf({u"b.qvx"});
    fewer.extensions = back->extensions;
    Result<ProjectEquipment> kept = readProjectEquipment(fewer);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->recordItems, std::vector<std::u16string>{u"DB-2"});
    EXPECT_EQ(kept->items, e.items);
}

// Catches bad data stored by a caller, which would make the file unreadable afterwards.
TEST(EquipmentCodec, PutRefusesBadDataAndKeepsTheProject)
{
    struct Case {
        const char* name;
        void (*spoil)(ProjectEquipment&);
        EquipmentProblemKind kind;
        std::size_t index;
    };
    const Case cases[] = {
        {"empty id", [](ProjectEquipment& e) { e.items[1].id.clear(); },
         EquipmentProblemKind::EmptyId, 1},
        {"duplicate id", [](ProjectEquipment& e) { e.items[2].id = u"MCC-1"; },
         EquipmentProblemKind::DuplicateId, 2},
        {"reason for inspected", [](ProjectEquipment& e) { e.items[0].reason = u"x"; },
         EquipmentProblemKind::ReasonForInspected, 0},
        {"unknown item", [](ProjectEquipment& e) { e.recordItems[2] = u"mcc-1"; },
         EquipmentProblemKind::UnknownItem, 2},
        {"too many", [](ProjectEquipment& e) { e.items.resize(kMaxEquipmentItems + 1); },
         EquipmentProblemKind::TooManyItems, kMaxEquipmentItems},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportProject p = projectOf({u"a.qvx", u"b.qvx", u"a.qvx"});
        ASSERT_EQ(putProjectEquipment(p, sample()), Error::None);
        const Bytes before = encodeReportProject(p);
        ProjectEquipment e = sample();
        c.spoil(e);
        EXPECT_EQ(equipmentProblem(e), (EquipmentProblem{c.kind, c.index}));
        EXPECT_EQ(putProjectEquipment(p, e), Error::BadArgument);
        EXPECT_EQ(encodeReportProject(p), before);
    }
    // A link past the project's inspections has no inspection to name.
    ReportProject p = projectOf({u"a.qvx"});
    ProjectEquipment e = sample();
    EXPECT_EQ(putProjectEquipment(p, e), Error::BadArgument);
}

// The section's bytes, built value by value, so each bad value can be put in its place.
struct SectionBuilder {
    ByteSink out;
    SectionBuilder& text(std::u16string_view t)
    {
        putSectionText(out, t);
        return *this;
    }
    SectionBuilder& u32(std::uint32_t v)
    {
        out.u32le(v);
        return *this;
    }
    SectionBuilder& u8(std::uint8_t v)
    {
        out.u8(v);
        return *this;
    }
    SectionBuilder& item(std::u16string_view id, std::uint8_t status = 1,
                         std::u16string_view reason = u"")
    {
        return text(id).text(u"loc").text(u"desc").text(u"").u8(status).text(reason);
    }
    Bytes take() { return out.take(); }
};

// Catches a damaged section read as data (or crashing the reader) instead of failing by name.
TEST(EquipmentCodec, DecodeRefusesBadData)
{
    const std::vector<cInspectionImage> entries = {{u"a.qvx", u"", 0}, {u"b.qvx", u"", 1}};
    struct Case {
        const char* name;
        Bytes data;
        std::uint16_t version;
        Error expected;
    };
    const Bytes good = SectionBuilder{}
                           .text(u"old.vrp")
                           .u32(1)
                           .item(u"A")
                           .u32(1)
                           .text(u"a.qvx")
                           .u32(0)
                           .text(u"A")
                           .take();
    Bytes trailing = good;
    trailing.push_back(0);
    const Case cases[] = {
        {"good", good, 1, Error::None},
        {"other version", good, 2, Error::Unsupported},
        {"empty", {}, 1, Error::Truncated},
        {"cut inside the last link", Bytes(good.begin(), good.end() - 1), 1, Error::Truncated},
        {"byte after the end", trailing, 1, Error::Corrupted},
        {"item count past the data", SectionBuilder{}.text(u"").u32(5000).item(u"A").u32(0).take(),
         1, Error::Truncated},
        {"item count past the cap", SectionBuilder{}.text(u"").u32(kMaxEquipmentItems + 1).take(),
         1, Error::TooLarge},
        {"text count past the data", SectionBuilder{}.u32(0x7FFFFFFF).take(), 1, Error::Truncated},
        {"status 2", SectionBuilder{}.text(u"").u32(1).item(u"A", 2).u32(0).take(), 1,
         Error::Corrupted},
        {"empty id", SectionBuilder{}.text(u"").u32(1).item(u"").u32(0).take(), 1,
         Error::Corrupted},
        {"duplicate id", SectionBuilder{}.text(u"").u32(2).item(u"A").item(u"A").u32(0).take(), 1,
         Error::Corrupted},
        {"reason for inspected",
         SectionBuilder{}.text(u"").u32(1).item(u"A", 0, u"inaccessible").u32(0).take(), 1,
         Error::Corrupted},
        {"link to an unknown id",
         SectionBuilder{}
             .text(u"")
             .u32(1)
             .item(u"A")
             .u32(1)
             .text(u"a.qvx")
             .u32(0)
             .text(u"B")
             .take(),
         1, Error::Corrupted},
        {"link without id",
         SectionBuilder{}.text(u"").u32(1).item(u"A").u32(1).text(u"a.qvx").u32(0).text(u"").take(),
         1, Error::Corrupted},
        {"inspection named twice",
         SectionBuilder{}
             .text(u"")
             .u32(1)
             .item(u"A")
             .u32(2)
             .text(u"b.qvx")
             .u32(0)
             .text(u"A")
             .text(u"b.qvx")
             .u32(0)
             .text(u"A")
             .take(),
         1, Error::Corrupted},
        {"link to a missing inspection is skipped",
         SectionBuilder{}
             .text(u"")
             .u32(1)
             .item(u"A")
             .u32(1)
             .text(u"a.qvx")
             .u32(1)
             .text(u"B")
             .take(),
         1, Error::Corrupted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result<ProjectEquipment> r = decodeEquipmentSection(c.data, c.version, entries);
        EXPECT_EQ(r.error(), c.expected);
    }
    Result<ProjectEquipment> r = decodeEquipmentSection(good, 1, entries);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->previousProject, u"old.vrp");
    EXPECT_EQ(r->recordItems, (std::vector<std::u16string>{u"A", u""}));
}

// Catches a status word read wrongly: the list and the command line give them in any case.
TEST(EquipmentStatusText, ParsesBothWordsOnly)
{
    EXPECT_EQ(parseStatus(u"Inspected"), EquipmentStatus::Inspected);
    EXPECT_EQ(parseStatus(u"NOT INSPECTED"), EquipmentStatus::NotInspected);
    for (std::u16string_view bad : {u"", u"inspected ", u"not_inspected", u"done"})
        EXPECT_EQ(parseStatus(bad), std::nullopt);
    for (EquipmentStatus s : {EquipmentStatus::Inspected, EquipmentStatus::NotInspected})
        EXPECT_EQ(parseStatus(statusText(s)), s);
}

}  // namespace
}  // namespace calivue
