// The report document's findings data: each inspection's own data staying with it through
// every change of the list, the setters refusing what the rules refuse, the priority set by
// hand and the way back, and the data reaching the project file (or, when the project had
// none, the file staying byte for byte what it was).
#include "document/reportdoc.h"
#include "reportchangelog.h"
#include "qtfiles.h"

#include "core/findingscodec.h"
#include "core/reportproject.h"
#include "platform/fspath.h"

#include <QFile>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace calivue {
namespace {

// Inspection `tag` ('a', 'b' ...) carries its tag as its own ambient, so its findings show
// where they went.
cInspection tagged(char16_t tag)
{
    cInspection i;
    i.image.snapshotPath = std::u16string(u"/s/IR_") + tag + u".qvx";
    i.image.bitmapPath = std::u16string(u"/s/IR_") + tag + u".bmp";
    i.findings.ambient = double(tag);
    return i;
}

// The tags of the inspections, read from their findings and checked against their entries.
std::u16string order(const CReportDoc& doc)
{
    std::u16string tags;
    for (const cInspection& i : doc.inspections()) {
        const char16_t tag = i.findings.ambient ? char16_t(*i.findings.ambient) : u'?';
        EXPECT_EQ(i.image.snapshotPath[6], tag) << "findings parted from their inspection";
        tags += tag;
    }
    return tags;
}

CReportDoc& filled(CReportDoc& doc)
{
    doc.insertInspections(0, {tagged(u'a'), tagged(u'b'), tagged(u'c'), tagged(u'd')});
    return doc;
}

TEST(ReportDocFindings, FollowTheirInspectionThroughEveryChange)
{
    struct Case {
        const char* what;
        std::function<void(CReportDoc&)> change;
        std::u16string order;
    };
    const Case cases[] = {
        {"move down", [](CReportDoc& d) { d.moveInspection(0, 2); }, u"bcad"},
        {"move up", [](CReportDoc& d) { d.moveInspection(3, 1); }, u"adbc"},
        {"remove", [](CReportDoc& d) { d.removeInspections(1, 2); }, u"ad"},
        {"insert", [](CReportDoc& d) { d.insertInspections(2, {tagged(u'x')}); }, u"abxcd"},
        {"append a new one",
         [](CReportDoc& d) {
             d.appendInspection({});
             EXPECT_EQ(d.inspection(4)->findings, RecordFindings{});
             d.removeInspections(4, 1);
         },
         u"abcd"},
        {"new project", [](CReportDoc& d) { d.newProject(); }, u""},
        {"open", [](CReportDoc& d) { d.load(d.project(), QString()); }, u"abcd"},
    };
    for (const Case& k : cases) {
        CReportDoc doc;
        filled(doc);
        k.change(doc);
        EXPECT_EQ(order(doc), k.order) << k.what;
        EXPECT_EQ(doc.findings().records.size(), std::size_t(doc.inspectionCount())) << k.what;
    }
}

// Each setter: what it refuses leaves the document as it was (no signal, not modified);
// what it takes is announced once and marks the project modified.
TEST(ReportDocFindings, SettersRefuseWhatTheRulesRefuse)
{
    const auto with = [](std::function<void(FindingsSettings&)> f) {
        FindingsSettings s;
        f(s);
        return s;
    };
    struct Case {
        const char* what;
        FindingsSettings settings;
        const char* problemKey;  // nullptr: taken
    };
    const Case cases[] = {
        {"exponent above 3", with([](auto& s) { s.loadExponent = 3.5; }), "load_exponent"},
        {"exponent below 1", with([](auto& s) { s.loadExponent = 0.9; }), "load_exponent"},
        {"min load above 100", with([](auto& s) { s.minLoadPercent = 101; }), "min_load_percent"},
        {"unordered bands", with([](auto& s) {
             s.customBands = {{5, false, u"a", 2}, {5, false, u"b", 3}};
         }),
         "custom_bands[1]"},
        {"seven bands", with([](auto& s) {
             for (int i = 0; i < 7; ++i) s.customBands.push_back({double(i), false, u"x", 1});
         }),
         "custom_bands"},
        {"fRsi threshold 1", with([](auto& s) { s.frsiThreshold = 1.0; }), "frsi_threshold"},
        {"worst with ambient", with([](auto& s) {
             s.criteria = Criteria::NetaWorst;
             s.ambient = 18.5;
             s.conditions.wind = u"calm";
         }),
         nullptr},
    };
    for (const Case& k : cases) {
        CReportDoc doc;
        filled(doc);
        doc.setModified(false);
        test::ReportChangeLog log(doc);
        const std::optional<std::string> problem = doc.setFindingsSettings(k.settings);
        if (k.problemKey) {
            ASSERT_TRUE(problem) << k.what;
            EXPECT_EQ(problem->rfind(k.problemKey, 0), 0u) << k.what << ": " << *problem;
            EXPECT_EQ(doc.findingsSettings(), FindingsSettings{}) << k.what;
        } else {
            EXPECT_EQ(problem, std::nullopt) << k.what;
            EXPECT_EQ(doc.findingsSettings(), k.settings) << k.what;
        }
        EXPECT_EQ(log.count(ReportPart::FindingsSettings), k.problemKey ? 0 : 1) << k.what;
        EXPECT_EQ(log.size(), k.problemKey ? 0 : 1) << k.what;
        EXPECT_EQ(doc.isModified(), !k.problemKey) << k.what;
        // The same settings again are no change.
        doc.setModified(false);
        doc.setFindingsSettings(doc.findingsSettings());
        EXPECT_FALSE(doc.isModified()) << k.what;
    }
    CReportDoc doc;
    filled(doc);
    RecordFindings own;
    own.ambient = std::nan("");
    EXPECT_FALSE(doc.setRecordFindings(1, own)) << "an ambient that is no number";
    EXPECT_FALSE(doc.setRecordFindings(4, {})) << "out of range";
    EXPECT_FALSE(doc.setPriority(0, 6));
    EXPECT_EQ(order(doc), u"abcd");
}

// The priority chosen by hand is stored and marked; the way back stores 0 and clears the
// mark; choosing a reference keeps the mark. Each announced once as a findings change.
TEST(ReportDocFindings, PrioritySetByHandAndTheWayBack)
{
    CReportDoc doc;
    filled(doc);
    test::ReportChangeLog log(doc);
    ASSERT_TRUE(doc.setPriority(2, 4));
    EXPECT_EQ(doc.inspection(2)->record.repairPriority, 4);
    EXPECT_TRUE(doc.inspection(2)->findings.priorityManual);
    RecordFindings own = doc.inspection(2)->findings;
    own.reference = ReferenceKind::Ambient;
    own.priorityManual = false;  // not this setter's to change
    ASSERT_TRUE(doc.setRecordFindings(2, own));
    EXPECT_TRUE(doc.inspection(2)->findings.priorityManual);
    EXPECT_EQ(doc.inspection(2)->findings.reference, ReferenceKind::Ambient);
    ASSERT_TRUE(doc.useSuggestedPriority(2));
    EXPECT_EQ(doc.inspection(2)->record.repairPriority, 0);
    EXPECT_FALSE(doc.inspection(2)->findings.priorityManual);
    EXPECT_EQ(log.count(ReportPart::Findings), 3);
    for (const ReportChange& c : log.with(ReportPart::Findings)) EXPECT_EQ(c.first, 2);
    EXPECT_EQ(log.count(ReportPart::Record), 0);
    // A hand-set "none" is the thermographer's too.
    ASSERT_TRUE(doc.setPriority(1, 0));
    EXPECT_TRUE(doc.inspection(1)->findings.priorityManual);
}

class ReportDocFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// What the document holds is written on save and read back alike by the core reader, and
// project() (what the report is made from) carries it before any save.
TEST_F(ReportDocFile, SaveWritesTheFindings)
{
    CReportDoc doc;
    filled(doc);
    FindingsSettings s;
    s.criteria = Criteria::Custom;
    s.customBands = {{2, false, u"Watch", 2}, {9, false, u"Repair", 4}};
    s.loadExponent = 1.6;
    s.conditions.thermographer = u"K. Ament";
    ASSERT_EQ(doc.setFindingsSettings(s), std::nullopt);
    ASSERT_TRUE(doc.setPriority(3, 5));
    ASSERT_TRUE(doc.moveInspection(3, 0));

    Result<ProjectFindings> inProject = readProjectFindings(doc.project());
    ASSERT_TRUE(inProject.ok());
    EXPECT_EQ(*inProject, doc.findings());

    ASSERT_EQ(doc.write(path("f.vrp")), Error::None);
    Result<ReportProject> read = CReportDoc::readFile(path("f.vrp"));
    ASSERT_TRUE(read.ok());
    Result<ProjectFindings> back = readProjectFindings(*read);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, doc.findings());
    EXPECT_TRUE(back->records[0].priorityManual);

    CReportDoc reopened;
    ASSERT_TRUE(reopened.load(*read, path("f.vrp")));
    EXPECT_EQ(reopened.findings(), doc.findings());
    EXPECT_EQ(order(reopened), u"dabc");
}

// A project without findings data, opened and saved unchanged, is the same file; so is one
// whose hand-set priorities were stored before findings existed.
TEST_F(ReportDocFile, ProjectWithoutFindingsStaysByteIdentical)
{
    for (int priority : {0, 3}) {
        // As the program wrote projects before findings existed.
        ReportProject plain;
        plain.captions = defaultReportCaptions();
        for (char16_t tag : std::u16string(u"abc")) {
            plain.entries.push_back(tagged(tag).image);
            plain.entries.back().thumbnailIndex = std::int32_t(plain.records.size());
            plain.records.emplace_back();
        }
        plain.records[1].repairPriority = priority;
        ASSERT_EQ(plain.extensions.find(kFindingsTag), nullptr);
        ASSERT_EQ(writeReportProjectFile(toFsPath(path("plain.vrp")), plain), Error::None);

        Result<ReportProject> read = CReportDoc::readFile(path("plain.vrp"));
        ASSERT_TRUE(read.ok());
        CReportDoc doc;
        ASSERT_TRUE(doc.load(*read, path("plain.vrp")));
        EXPECT_EQ(doc.inspection(1)->findings.priorityManual, priority != 0);
        ASSERT_EQ(doc.write(path("again.vrp")), Error::None);
        EXPECT_EQ(test::fileBytes(path("again.vrp")), test::fileBytes(path("plain.vrp")))
            << priority;
    }
}

// A findings section that does not read is kept as it came: the findings show the defaults,
// every setter refuses, and the section is written back unchanged.
TEST_F(ReportDocFile, UnreadableSectionIsKeptAndRefusesEdits)
{
    CReportDoc source;
    filled(source);
    ReportProject project = source.project();
    const std::vector<std::uint8_t> junk = {0x09, 0x00, 0x01, 0x02};
    ASSERT_EQ(project.extensions.put({kFindingsTag, kFindingsSectionVersion, junk}), Error::None);

    CReportDoc doc;
    ASSERT_TRUE(doc.load(project, QString()));
    EXPECT_NE(doc.findingsProblem(), Error::None);
    EXPECT_FALSE(doc.findingsEditable());
    EXPECT_EQ(doc.findingsSettings(), FindingsSettings{});
    EXPECT_TRUE(doc.setFindingsSettings(FindingsSettings{}).has_value());
    EXPECT_FALSE(doc.setPriority(0, 2));
    EXPECT_FALSE(doc.useSuggestedPriority(0));
    EXPECT_FALSE(doc.setRecordFindings(0, {}));
    EXPECT_FALSE(doc.isModified());

    ASSERT_TRUE(doc.moveInspection(0, 1));
    ASSERT_EQ(doc.write(path("kept.vrp")), Error::None);
    Result<ReportProject> read = CReportDoc::readFile(path("kept.vrp"));
    ASSERT_TRUE(read.ok());
    const ExtensionSection* kept = read->extensions.find(kFindingsTag);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->data, junk);

    // A new project starts editable again.
    doc.newProject();
    EXPECT_TRUE(doc.findingsEditable());
}

}  // namespace
}  // namespace calivue
