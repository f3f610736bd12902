// The report project document: each change announced once, an inspection's entry and record
// moving together, the modified flag, and the project file written and read through it.
#include "document/reportdoc.h"

#include "core/reportproject.h"
#include "platform/fspath.h"
#include "reportchangelog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

cInspection made(char16_t tag)
{
    cInspection i;
    i.image.bitmapPath = std::u16string(u"/s/IR_") + tag + u".bmp";
    i.image.snapshotPath = std::u16string(u"/s/IR_") + tag + u".qvx";
    i.record.name = std::u16string(u"Panel ") + tag;
    return i;
}

// The tags of the inspections in order, read from the entries and checked against the records,
// so an entry that parts from its record shows.
std::u16string order(const CReportDoc& doc)
{
    std::u16string tags;
    for (const cInspection& i : doc.inspections()) {
        const char16_t tag = i.image.bitmapPath[6];
        // A new record has no name.
        if (!i.record.name.empty()) {
            EXPECT_EQ(i.record.name, std::u16string(u"Panel ") + tag) << "entry and record parted";
        }
        tags += tag;
    }
    return tags;
}

// Every announcement of the document, counted by part, with the inspections of the last one.
struct Spies {
    explicit Spies(CReportDoc& doc) : log(doc) {}
    test::ReportChangeLog log;
    // "inserted removed moved changed title captions replaced saved modified", as counts.
    std::string counts() const
    {
        std::string s;
        for (ReportPart part : {ReportPart::Inserted, ReportPart::Removed, ReportPart::Moved,
                                ReportPart::Record, ReportPart::Title, ReportPart::Captions,
                                ReportPart::Project, ReportPart::Saved, ReportPart::Modified})
            s += std::to_string(log.count(part));
        return s;
    }
    // The inspections an announcement of `part` names: first and count for an insert or a
    // removal, from and to for a move, the index for a record.
    static QList<QVariant> args(const ReportChange& c, ReportPart part)
    {
        if (part == ReportPart::Moved) return {c.first, c.to};
        if (part == ReportPart::Record) return {c.first};
        return {c.first, c.count};
    }
};

// Each structural change: the order after it, the signals it sends (one of its kind), their
// arguments, and whether the project became modified. Catches a change announced twice or not
// at all, an entry moved without its record, a reorder that leaves the project clean (the new
// order would be lost without a question at close) and a no-op that marks modified.
TEST(ReportDoc, EachChangeAnnouncesOnceAndKeepsEntryAndRecordTogether)
{
    struct Case {
        const char* what;
        std::function<void(CReportDoc&)> change;
        std::u16string order;
        std::string
            counts;  // inserted removed moved changed title captions replaced saved modified
        QList<QVariant> args;
        bool modified;
    };
    const std::vector<Case> cases = {
        {"insert two in the middle",
         [](CReportDoc& d) {
             d.insertInspections(1, {made(u'X'), made(u'Y')});
         },
         u"AXYBC",
         "100000001",
         {1, 2},
         true},
        {"insert past the end appends",
         [](CReportDoc& d) { d.insertInspections(9, {made(u'X')}); },
         u"ABCX",
         "100000001",
         {3, 1},
         true},
        {"append a new record",
         [](CReportDoc& d) { d.appendInspection(made(u'Z').image); },
         u"ABCZ",
         "100000001",
         {3, 1},
         true},
        {"remove the middle one",
         [](CReportDoc& d) { d.removeInspections(1, 1); },
         u"AC",
         "010000001",
         {1, 1},
         true},
        {"remove a range running past the end",
         [](CReportDoc& d) { d.removeInspections(1, 9); },
         u"A",
         "010000001",
         {1, 2},
         true},
        {"remove all", [](CReportDoc& d) { d.removeAll(); }, u"", "010000001", {0, 3}, true},
        {"move first to last",
         [](CReportDoc& d) { EXPECT_TRUE(d.moveInspection(0, 2)); },
         u"BCA",
         "001000001",
         {0, 2},
         true},
        {"move last to first",
         [](CReportDoc& d) { EXPECT_TRUE(d.moveInspection(2, 0)); },
         u"CAB",
         "001000001",
         {2, 0},
         true},
        {"move out of range",
         [](CReportDoc& d) { EXPECT_FALSE(d.moveInspection(1, 3)); },
         u"ABC",
         "000000000",
         {},
         false},
        {"change a record",
         [](CReportDoc& d) {
             cInspectionRecord r = d.inspection(1)->record;
             r.comment = u"warm lug";
             d.setRecord(1, r);
         },
         u"ABC",
         "000100001",
         {1},
         true},
        {"store a record unchanged",
         [](CReportDoc& d) { d.setRecord(1, d.inspection(1)->record); },
         u"ABC",
         "000000000",
         {},
         false},
        {"store a record without marking",
         [](CReportDoc& d) {
             cInspectionRecord r = d.inspection(0)->record;
             r.firstMeasurement = 1;
             d.setRecord(0, r, false);
         },
         u"ABC",
         "000100000",
         {0},
         false},
        {"record of no inspection",
         [](CReportDoc& d) { d.setRecord(3, {}); },
         u"ABC",
         "000000000",
         {},
         false},
        {"title",
         [](CReportDoc& d) {
             ReportTitle t = d.title();
             t.company = u"Acme";
             d.setTitle(t);
         },
         u"ABC",
         "000010001",
         {},
         true},
        {"same title",
         [](CReportDoc& d) { d.setTitle(d.title()); },
         u"ABC",
         "000000000",
         {},
         false},
        {"captions are not contents",
         [](CReportDoc& d) {
             ReportCaptions c = d.captions();
             c.details[12] = u"Draught";
             d.setCaptions(c);
         },
         u"ABC",
         "000001000",
         {},
         false},
        {"new project", [](CReportDoc& d) { d.newProject(); }, u"", "000000100", {}, false},
    };
    for (const Case& c : cases) {
        CReportDoc doc;
        doc.insertInspections(0, {made(u'A'), made(u'B'), made(u'C')});
        doc.setModified(false);
        Spies spies(doc);
        c.change(doc);
        EXPECT_EQ(order(doc), c.order) << c.what;
        EXPECT_EQ(spies.counts(), c.counts) << c.what;
        // One call, one announcement (its modified mark included).
        EXPECT_EQ(spies.log.size(), c.counts == "000000000" ? 0 : 1) << c.what;
        for (ReportPart part :
             {ReportPart::Inserted, ReportPart::Removed, ReportPart::Moved, ReportPart::Record})
            if (spies.log.count(part) == 1) {
                EXPECT_EQ(Spies::args(spies.log.with(part)[0], part), c.args) << c.what;
            }
        // Whatever changes the list says so first, so an edit in progress can be stored, and
        // says the same as the announcement that follows.
        const bool structural =
            spies.log.count(ReportPart::Inserted) + spies.log.count(ReportPart::Removed) +
                spies.log.count(ReportPart::Moved) + spies.log.count(ReportPart::Project) >
            0;
        ASSERT_EQ(spies.log.pending().size(), structural ? 1u : 0u) << c.what;
        if (structural) {
            const ReportChange& before = spies.log.pending()[0];
            const ReportChange& after = spies.log.seen()[0];
            EXPECT_EQ(before.what, after.what & ~ReportParts(ReportPart::Modified)) << c.what;
            EXPECT_EQ(Spies::args(before, ReportPart::Inserted),
                      Spies::args(after, ReportPart::Inserted))
                << c.what;
            EXPECT_EQ(before.to, after.to) << c.what;
        }
        EXPECT_EQ(doc.isModified(), c.modified) << c.what;
    }
}

// Catches a read or New left modified by a page that, settling on the new project, stores its
// starting values (the title page fills in a new project's company), and a mark cleared
// without an announcement (the window's title would keep its "*").
TEST(ReportDoc, AProjectReadOrNewIsCleanAfterThePagesSettle)
{
    for (const bool read : {true, false}) {
        SCOPED_TRACE(read ? "read" : "new");
        CReportDoc doc;
        doc.insertInspections(0, {made(u'A')});
        ASSERT_TRUE(doc.isModified());
        QObject::connect(&doc, &CReportDoc::changed, [&doc](const ReportChange& c) {
            if (!c.has(ReportPart::Project)) return;
            ReportTitle t = doc.title();
            t.company = u"Settled";
            doc.setTitle(t);
        });
        test::ReportChangeLog log(doc);
        if (read)
            ASSERT_TRUE(doc.load(ReportProject{}, QString()));
        else
            doc.newProject();
        EXPECT_EQ(doc.title().company, u"Settled");
        EXPECT_FALSE(doc.isModified());
        EXPECT_EQ(log.count(ReportPart::Project), 1);
        EXPECT_EQ(log.pending().size(), 1u);
        ASSERT_GT(log.size(), 0);
        EXPECT_TRUE(log.seen().back().has(ReportPart::Modified));
    }
}

// Written through the document and read back into another: the same title, inspections (the
// thumbnail index renumbered by place), captions; name and folder follow the file; a project
// whose counts differ is refused whole; New keeps the folder and forgets the rest.
TEST(ReportDoc, WriteAndLoadRoundTripAndTheFileNameFollows)
{
    QTemporaryDir dir;
    CReportDoc doc;
    const QString app = QStringLiteral("App");
    EXPECT_TRUE(doc.isUntitled());
    EXPECT_EQ(doc.windowTitle(app), QStringLiteral("Untitled.vrp - App"));
    doc.insertInspections(0, {made(u'A'), made(u'B')});
    ReportTitle t;
    t.company = u"Acme";
    t.dateShown = false;
    t.titleDate = {cDateTime::Valid, 45000.5};
    doc.setTitle(t);
    ReportCaptions c = defaultReportCaptions();
    c.title[0] = u"Firm";
    doc.setCaptions(c);
    cInspectionRecord r = doc.inspection(1)->record;
    r.repairPriority = 4;
    doc.setRecord(1, r);
    ASSERT_TRUE(doc.isModified());
    EXPECT_EQ(doc.windowTitle(app), QStringLiteral("Untitled.vrp* - App"));

    Spies spies(doc);
    const QString path = dir.filePath(QStringLiteral("site.vrp"));
    ASSERT_EQ(doc.write(path), Error::None);
    EXPECT_EQ(spies.counts(), "000000011");
    EXPECT_EQ(spies.log.size(), 1) << "saved and clean in one announcement";
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.name(), QStringLiteral("site.vrp"));
    EXPECT_EQ(doc.folder(), dir.path() + QLatin1Char('/'));
    EXPECT_FALSE(doc.isUntitled());
    EXPECT_EQ(doc.windowTitle(app), QStringLiteral("site.vrp - App"));
    // A write that cannot happen changes nothing.
    EXPECT_NE(doc.write(dir.filePath(QStringLiteral("no/such/folder/x.vrp"))), Error::None);
    EXPECT_EQ(doc.name(), QStringLiteral("site.vrp"));

    Result<ReportProject> read = CReportDoc::readFile(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->entries[1].thumbnailIndex, 1);
    CReportDoc other;
    other.setModified(true);
    Spies otherSpies(other);
    ASSERT_TRUE(other.load(*read, path));
    EXPECT_EQ(otherSpies.counts(), "000000101");
    EXPECT_EQ(otherSpies.log.size(), 1) << "read and clean in one announcement";
    EXPECT_EQ(order(other), u"AB");
    EXPECT_EQ(other.title(), doc.title());
    EXPECT_EQ(other.captions(), doc.captions());
    EXPECT_EQ(other.records(), doc.records());
    EXPECT_EQ(other.images(), doc.images());
    EXPECT_EQ(other.project().title, doc.project().title);
    EXPECT_EQ(other.name(), QStringLiteral("site.vrp"));
    EXPECT_FALSE(other.isModified());

    ReportProject odd = *read;
    odd.records.pop_back();
    EXPECT_FALSE(other.load(odd, dir.filePath(QStringLiteral("odd.vrp"))));
    EXPECT_EQ(order(other), u"AB");
    EXPECT_EQ(other.name(), QStringLiteral("site.vrp"));

    // A file older than the captions reads with the default captions.
    ReportProject old = *read;
    old.captions.reset();
    ASSERT_TRUE(other.load(old, QString()));
    EXPECT_EQ(other.captions(), defaultReportCaptions());
    EXPECT_EQ(other.name(), QStringLiteral("site.vrp"));

    // Catches a document that drops the extension sections of a file it read: a section this
    // version does not know survives an edit and a save byte for byte, and New forgets it.
    ReportProject extended = *read;
    ASSERT_EQ(extended.extensions.put({*ExtensionTag::parse("ZZ01"), 3, {1, 2, 0, 255}}),
              Error::None);
    ASSERT_TRUE(other.load(extended, path));
    cInspectionRecord edited = other.inspection(0)->record;
    edited.comment = u"edited";
    other.setRecord(0, edited);
    ASSERT_EQ(other.write(path), Error::None);
    Result<ReportProject> reread = CReportDoc::readFile(path);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->extensions, extended.extensions);
    EXPECT_EQ(reread->records[0].comment, u"edited");

    other.newProject();
    EXPECT_TRUE(other.project().extensions.empty());
    EXPECT_TRUE(other.isUntitled());
    EXPECT_EQ(other.folder(), dir.path() + QLatin1Char('/'));
    EXPECT_EQ(other.inspectionCount(), 0);
    EXPECT_EQ(other.title(), ReportTitle{});
    EXPECT_FALSE(CReportDoc::readFile(dir.filePath(QStringLiteral("none.vrp"))).ok());
}

}  // namespace
}  // namespace calivue
