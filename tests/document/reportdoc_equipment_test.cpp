// The report document's equipment data: each inspection's item staying with it through every
// change of the list, the list setter refusing what the rules refuse and carrying links through
// renames and removals, the link setter, and the data reaching the project file (or, when the
// section did not read, the file keeping it byte for byte).
#include "document/reportdoc.h"
#include "reportchangelog.h"

#include "core/equipmentcodec.h"
#include "core/reportproject.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace calivue {
namespace {

using S = EquipmentStatus;

EquipmentItem item(const char16_t* id, S status = S::NotInspected, const char16_t* reason = u"")
{
    return {id, u"loc", u"desc", u"", status, reason};
}

// Inspection `tag` is snapshot IR_<tag> and names item "<tag>" (upper case), or none for '-'.
cInspection tagged(char16_t tag)
{
    cInspection i;
    i.image.snapshotPath = std::u16string(u"/s/IR_") + tag + u".qvx";
    i.image.bitmapPath = std::u16string(u"/s/IR_") + tag + u".bmp";
    if (tag != u'-') i.equipmentId = std::u16string(1, char16_t(tag - u'a' + u'A'));
    return i;
}

// The items the inspections name, in order, checked against their snapshots ('-' for none).
std::u16string links(const CReportDoc& doc)
{
    std::u16string out;
    for (int n = 0; n < doc.inspectionCount(); ++n) {
        const std::u16string id = doc.equipmentId(n);
        const std::u16string& path = doc.inspection(n)->image.snapshotPath;
        const char16_t snap = path.size() > 6 ? path[6] : u'-';
        EXPECT_EQ(id.empty() ? u'-' : char16_t(id[0] - u'A' + u'a'), snap)
            << "a link parted from its inspection";
        out += id.empty() ? u'-' : id[0];
    }
    EXPECT_EQ(doc.equipment().recordItems.size(), std::size_t(doc.inspectionCount()));
    return out;
}

CReportDoc& filled(CReportDoc& doc)
{
    EXPECT_EQ(doc.setEquipmentItems(
                  {item(u"A"), item(u"B"), item(u"C"), item(u"D"), item(u"X"), item(u"Z")}),
              std::nullopt);
    doc.insertInspections(0, {tagged(u'a'), tagged(u'b'), tagged(u'-'), tagged(u'd')});
    doc.setModified(false);
    return doc;
}

// Catches a link left at its old position when the inspections change, lost on open, or kept
// by a new project.
TEST(ReportDocEquipment, LinksFollowTheirInspectionThroughEveryChange)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("e.vrp"));
    struct Case {
        const char* what;
        std::function<void(CReportDoc&)> change;
        std::u16string links;
    };
    const Case cases[] = {
        {"move down", [](CReportDoc& d) { d.moveInspection(0, 2); }, u"B-AD"},
        {"move up", [](CReportDoc& d) { d.moveInspection(3, 1); }, u"ADB-"},
        {"remove", [](CReportDoc& d) { d.removeInspections(1, 2); }, u"AD"},
        {"insert", [](CReportDoc& d) { d.insertInspections(2, {tagged(u'x')}); }, u"ABX-D"},
        {"append a new one", [](CReportDoc& d) { d.appendInspection({}); }, u"AB-D-"},
        {"new project",
         [](CReportDoc& d) {
             d.newProject();
             EXPECT_TRUE(d.equipmentItems().empty());
         },
         u""},
        {"open", [](CReportDoc& d) { d.load(d.project(), QString()); }, u"AB-D"},
        {"write, move, read",
         [&](CReportDoc& d) {
             d.moveInspection(3, 0);
             ASSERT_EQ(d.write(file), Error::None);
             Result<ReportProject> read = CReportDoc::readFile(file);
             ASSERT_TRUE(read.ok());
             ASSERT_TRUE(d.load(*read, file));
             EXPECT_EQ(d.equipmentItems().size(), 6u);
         },
         u"DAB-"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CReportDoc doc;
        filled(doc);
        k.change(doc);
        EXPECT_EQ(links(doc), k.links);
    }
}

// Catches a refused list that still changes the document or announces itself, a list taken
// without marking the project, and links that do not follow renames and removals.
TEST(ReportDocEquipment, ListSetterRefusesAndRelinks)
{
    struct Case {
        const char* what;
        std::vector<EquipmentItem> items;
        std::map<std::u16string, std::u16string> fate;
        bool taken;
        std::u16string links;
        std::size_t lost;
    };
    const std::vector<EquipmentItem> same = {item(u"A"), item(u"B"), item(u"C"),
                                             item(u"D"), item(u"X"), item(u"Z")};
    const Case cases[] = {
        {"identifier twice", {item(u"A"), item(u"A")}, {}, false, u"AB-D", 0},
        {"empty identifier", {item(u"A"), item(u"")}, {}, false, u"AB-D", 0},
        {"reason for an inspected item",
         {item(u"A", S::Inspected, u"inaccessible")},
         {},
         false,
         u"AB-D",
         0},
        {"the same list", same, {}, true, u"AB-D", 0},
        {"reordered, statuses set",
         {item(u"D", S::Inspected), item(u"C"), item(u"B", S::NotInspected, u"not found"),
          item(u"A")},
         {},
         true,
         u"AB-D",
         0},
        {"B removed", {item(u"A"), item(u"D")}, {{u"B", u""}}, true, u"A--D", 1},
        {"A renamed to Q, B removed, a new B",
         {item(u"Q"), item(u"B"), item(u"D")},
         {{u"A", u"Q"}, {u"B", u""}},
         true,
         u"Q--D",
         1},
        {"emptied", {}, {}, true, u"----", 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CReportDoc doc;
        filled(doc);
        if (k.taken) {
            EXPECT_EQ(doc.linksLostBy(k.items, k.fate), k.lost);
        }
        test::ReportChangeLog log(doc);
        const std::optional<std::string> problem = doc.setEquipmentItems(k.items, k.fate);
        EXPECT_EQ(!problem, k.taken) << (problem ? *problem : std::string());
        EXPECT_EQ(doc.equipmentItems(), k.taken ? k.items : same);
        const bool changed = k.taken && k.items != same;
        EXPECT_EQ(log.count(ReportPart::Equipment), changed ? 1 : 0);
        EXPECT_EQ(log.size(), changed ? 1 : 0);
        EXPECT_EQ(doc.isModified(), changed);
        std::u16string got;
        for (int n = 0; n < doc.inspectionCount(); ++n)
            got += doc.equipmentId(n).empty() ? u'-' : doc.equipmentId(n)[0];
        EXPECT_EQ(got, k.links);
    }
}

// Catches a link to an item the list does not hold, a link set out of range, or a repeated
// link announced as a change.
TEST(ReportDocEquipment, LinkSetter)
{
    CReportDoc doc;
    filled(doc);
    test::ReportChangeLog log(doc);
    EXPECT_FALSE(doc.setEquipmentId(2, u"NOPE"));
    EXPECT_FALSE(doc.setEquipmentId(4, u"A"));
    EXPECT_FALSE(doc.setEquipmentId(-1, u""));
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(doc.setEquipmentId(0, u"A"));  // already so
    EXPECT_EQ(log.count(ReportPart::EquipmentLink), 0);
    EXPECT_TRUE(doc.setEquipmentId(2, u"Z"));
    EXPECT_TRUE(doc.setEquipmentId(0, u""));
    const std::vector<ReportChange> linked = log.with(ReportPart::EquipmentLink);
    ASSERT_EQ(linked.size(), 2u);
    EXPECT_EQ(linked[0].first, 2);
    EXPECT_EQ(linked[1].first, 0);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.equipment().recordItems, (std::vector<std::u16string>{u"", u"B", u"Z", u"D"}));
    EXPECT_EQ(doc.equipmentId(7), u"");

    // The previous project is kept with the list and written with it.
    doc.setModified(false);
    EXPECT_TRUE(doc.setPreviousProject(u"../2025/survey.vrp"));
    EXPECT_TRUE(doc.isModified());
    CReportDoc reopened;
    ASSERT_TRUE(reopened.load(doc.project(), QString()));
    EXPECT_EQ(reopened.equipment(), doc.equipment());
}

// Catches an equipment section that did not read being dropped or rewritten on save, or
// edits accepted on top of it.
TEST(ReportDocEquipment, UnreadableSectionIsKeptAndRefusesEdits)
{
    CReportDoc source;
    filled(source);
    ReportProject project = source.project();
    const std::vector<std::uint8_t> junk = {0x07, 0x00, 0x00, 0x00, 0x41};
    ASSERT_EQ(project.extensions.put({kEquipmentTag, kEquipmentSectionVersion, junk}), Error::None);

    CReportDoc doc;
    ASSERT_TRUE(doc.load(project, QString()));
    EXPECT_NE(doc.equipmentProblem(), Error::None);
    EXPECT_FALSE(doc.equipmentEditable());
    EXPECT_TRUE(doc.equipmentItems().empty());
    EXPECT_TRUE(doc.setEquipmentItems({item(u"A")}).has_value());
    EXPECT_FALSE(doc.setEquipmentId(0, u""));
    EXPECT_FALSE(doc.setPreviousProject(u"x.vrp"));
    EXPECT_FALSE(doc.isModified());
    ASSERT_TRUE(doc.moveInspection(0, 1));
    const ReportProject saved = doc.project();
    const ExtensionSection* kept = saved.extensions.find(kEquipmentTag);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->data, junk);

    doc.newProject();
    EXPECT_TRUE(doc.equipmentEditable());
    EXPECT_EQ(doc.project().extensions.find(kEquipmentTag), nullptr);
}

}  // namespace
}  // namespace calivue
