// Opening snapshots: the paths a user may give, failures, and the after-load step that turns
// the record's display flags into the document's state.
#include "doctest.h"
#include "samples.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace calivue::test {
namespace {

using OpenTest = DocumentTest;

TEST_F(OpenTest, UpperCaseQvxPathOpensItsBmp)
{
    writeSnapshot("IR_0001", plainPlan(0x03, 0x00));
    ASSERT_TRUE(m_commands.open(path("IR_0001.QVX")));
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_doc.isLoaded());
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(m_doc.currentPath(), path("IR_0001.BMP"));
    EXPECT_EQ(m_doc.displayName(), QStringLiteral("IR_0001.BMP"));
}

// A lower-case name typed by the user must find the camera's upper-case files, and the
// document must keep the spelling on disk so a later save copies the real picture.
TEST_F(OpenTest, NameInOtherCaseFindsFilesAndKeepsDiskSpelling)
{
    writeSnapshot("IR_0002", plainPlan());
    ASSERT_TRUE(m_commands.open(path("ir_0002.qvx")));
    EXPECT_EQ(m_doc.currentPath(), path("IR_0002.BMP"));
    ASSERT_TRUE(m_commands.open(path("ir_0002.bmp")));
    EXPECT_EQ(m_doc.currentPath(), path("IR_0002.BMP"));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(OpenTest, SamplesOpenByUpperCaseQvxPath)
{
    const std::filesystem::path dir = test::samplesDir();
    if (dir.empty()) GTEST_SKIP() << "no samples folder";
    const QDir samples(QString::fromStdString(dir.string()));
    const QStringList records =
        samples.entryList({QStringLiteral("*.QVX"), QStringLiteral("*.qvx")}, QDir::Files);
    ASSERT_FALSE(records.isEmpty());
    for (const QString& name : records) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(m_commands.open(samples.filePath(name)));
        EXPECT_TRUE(m_doc.isLoaded());
        EXPECT_FALSE(m_doc.isModified());
        EXPECT_TRUE(m_doc.currentPath().endsWith(QStringLiteral(".BMP")));
        EXPECT_LT(m_doc.spanLow(), m_doc.spanHigh());
        EXPECT_GE(m_doc.palette(), 0);
        EXPECT_LE(m_doc.palette(), 7);
        EXPECT_TRUE(m_doc.markers()[kHottestMarker].inUse);
        EXPECT_FLOAT_EQ(m_doc.markers()[kHottestMarker].temperature,
                        m_doc.image().markerTemperature(kHottestMarker));
    }
    EXPECT_TRUE(m_messages.empty());
}

// A missing, empty, foreign or non-regular file shows the one stop message with the product
// title, the path and the reason on its second line, and leaves an empty document that still
// opens the next good snapshot. Catches a message without path or reason, and (FIFO) an open
// that blocks forever.
TEST_F(OpenTest, FailedOpenShowsErrorAndLeavesUsableEmptyDocument)
{
    QFile empty(path("EMPTY.QVX"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile foreign(path("OTHER.QVX"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(200000, 'x'));
    foreign.close();
    writeSnapshot("GOOD", plainPlan(0x0F, 0x00));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("DIR.QVX")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("FIFO.QVX")).constData(), 0600), 0);

    // A bitmap whose record is missing: the message names the record, not the bitmap.
    QFile lone(path("LONE.BMP"));
    ASSERT_TRUE(lone.open(QIODevice::WriteOnly));
    lone.write("BM");
    lone.close();

    const struct {
        const char* name;
        const char* named;  // the file the message names
        int reason;
    } cases[] = {
        {"MISSING.BMP", "MISSING.BMP", sid::OpenReasonNotFound},
        {"EMPTY.BMP", "EMPTY.BMP", sid::OpenReasonNotSnapshot},
        {"OTHER.QVX", "OTHER.QVX", sid::OpenReasonNotSnapshot},
        {"", "", sid::OpenReasonNotFound},
        {"DIR.QVX", "DIR.QVX", sid::OpenReasonNotRegularFile},
        {"FIFO.BMP", "FIFO.BMP", sid::OpenReasonNotRegularFile},
        {"LONE.BMP", "LONE.qvx", sid::OpenReasonNotFound},
    };
    for (const auto& [name, named, reason] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(m_commands.open(path("GOOD.BMP")));
        m_messages.clear();
        const QString target = *name ? path(name) : QString();
        EXPECT_FALSE(m_commands.open(target));
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorOpeningFile) + QLatin1Char('\n') +
                                          (*name ? path(named) + QStringLiteral(": ") : QString()) +
                                          uiText(reason));
        EXPECT_EQ(m_messages[0].caption, uiText(sid::ProductTitle));
        EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Stop);
        EXPECT_EQ(m_messages[0].buttons, QList<int>{cMessageDlg::IdOk});

        EXPECT_FALSE(m_doc.isLoaded());
        EXPECT_FALSE(m_doc.isModified());
        EXPECT_TRUE(m_doc.currentPath().isEmpty());
        EXPECT_FALSE(m_doc.saveEnabled());
        EXPECT_EQ(m_doc.windowTitle(QStringLiteral("App")), QStringLiteral("App"));
        for (const Marker& m : m_doc.markers()) EXPECT_FALSE(m.inUse);
        // Commands on the empty document change nothing and mark nothing.
        m_doc.toggleHotCold();
        m_doc.toggleAreaSelect();
        m_doc.setPalette(3);
        EXPECT_FALSE(m_doc.isModified());
        EXPECT_FALSE(m_doc.hotColdShown());
        EXPECT_EQ(m_doc.image().fields.flagsA, 0);
        EXPECT_FALSE(m_commands.saveTo(path("X.BMP")));
    }
    m_messages.clear();
    EXPECT_TRUE(m_commands.open(path("GOOD.BMP")));
    EXPECT_TRUE(m_messages.empty());
}

struct FlagCase {
    const char* name;
    std::uint8_t flagsA, flagsB;
    bool hotCold, hottestShown, coldestShown;
    bool areaSelect;
    int areaMode;  // -1: whatever the document had
    bool profiles;
    unsigned isotherms;
    bool cursorsShown, cursorTemps;
};

// Failure output names the case instead of dumping its bytes.
void PrintTo(const FlagCase& c, std::ostream* os)
{
    *os << c.name;
}

class AfterLoadFlags : public DocumentTest, public ::testing::WithParamInterface<FlagCase> {};

// Each case catches a misread bit of display flags A or B in the after-load step.
TEST_P(AfterLoadFlags, RecordBitsBecomeDocumentState)
{
    const FlagCase& c = GetParam();
    gen::SnapshotPlan plan = plainPlan(c.flagsA, c.flagsB);
    plan.cursors = {{100, 50, 90}};
    openGenerated("IR_0001", plan);
    EXPECT_EQ(m_doc.hotColdShown(), c.hotCold);
    EXPECT_EQ(m_doc.markers()[kHottestMarker].shown, c.hottestShown);
    EXPECT_EQ(m_doc.markers()[kColdestMarker].shown, c.coldestShown);
    EXPECT_EQ(m_doc.areaSelectOn(), c.areaSelect);
    if (c.areaMode >= 0) {
        EXPECT_EQ(m_doc.areaMode(), c.areaMode);
        EXPECT_EQ(m_doc.image().areaMode(), c.areaMode);
    }
    EXPECT_EQ(m_doc.profilesShown(), c.profiles);
    EXPECT_EQ(m_doc.isothermFlags(), c.isotherms);
    EXPECT_EQ(m_doc.cursorsShown(), c.cursorsShown);
    EXPECT_EQ(m_doc.markers()[0].shown, c.cursorsShown);
    EXPECT_EQ(m_doc.cursorTemperaturesShown(), c.cursorTemps);
    // Reading the record is not a change.
    EXPECT_FALSE(m_doc.isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Bits, AfterLoadFlags,
    ::testing::Values(
        FlagCase{"none", 0x00, 0x00, false, false, false, false, -1, false, 0, true, false},
        FlagCase{"hottestOnly", 0x01, 0x00, false, true, false, false, -1, false, 0, true, false},
        FlagCase{"coldestOnly", 0x02, 0x00, false, false, true, false, -1, false, 0, true, false},
        FlagCase{"hotAndCold", 0x03, 0x00, true, true, true, false, -1, false, 0, true, false},
        FlagCase{"areaSmall", 0x04, 0x00, false, false, false, true, 0, false, 0, true, false},
        FlagCase{"areaMedium", 0x08, 0x00, false, false, false, true, 1, false, 0, true, false},
        FlagCase{"areaLarge", 0x0C, 0x00, false, false, false, true, 2, false, 0, true, false},
        FlagCase{"oneProfileBit", 0x10, 0x00, false, false, false, false, -1, false, 0, true,
                 false},
        FlagCase{"profiles", 0x30, 0x00, false, false, false, false, -1, true, 0, true, false},
        FlagCase{"blueIsotherm", 0x40, 0x00, false, false, false, false, -1, false, 1, true, false},
        FlagCase{"redIsotherm", 0x80, 0x00, false, false, false, false, -1, false, 2, true, false},
        FlagCase{"bothIsotherms", 0xC0, 0x00, false, false, false, false, -1, false, 3, true,
                 false},
        FlagCase{"cursorTemps", 0x00, 0x01, false, false, false, false, -1, false, 0, true, true},
        FlagCase{"cursorsHidden", 0x00, 0x02, false, false, false, false, -1, false, 0, false,
                 false},
        FlagCase{"everything", 0xFF, 0x03, true, true, true, true, 2, true, 3, false, true}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return std::string(info.param.name); });

// Catches cursors read with the wrong y direction or emissivity, and cursors, area select or
// names leaking from one snapshot into the next.
TEST_F(OpenTest, MarkerListRebuiltFromEachRecord)
{
    gen::SnapshotPlan withCursors = plainPlan(0x0C, 0x00);
    withCursors.cursors = {{10, 0, 80}, {319, 239, 95}, {160, 120, 0}};
    openGenerated("FIRST", withCursors);
    const auto& m = m_doc.markers();
    EXPECT_TRUE(m[0].inUse && m[1].inUse && m[2].inUse);
    EXPECT_FALSE(m[3].inUse);
    EXPECT_EQ(m[0].x, 10);
    EXPECT_EQ(m[0].row, 239);  // picture y 0 is the top, array row 239
    EXPECT_EQ(m[0].emissivity, 80);
    EXPECT_EQ(m[1].row, 0);
    EXPECT_EQ(m[2].emissivity, m_doc.image().fields.emissivity[10]);
    EXPECT_FLOAT_EQ(m[0].temperature, m_doc.image().temperatureAt(10, 239, 0.80f));
    EXPECT_EQ(m[0].name, QStringLiteral("C1"));
    EXPECT_EQ(m[9].name, QStringLiteral("C10"));
    EXPECT_EQ(m[kColdestMarker].name, uiText(sid::Cold));
    EXPECT_EQ(m[kHottestMarker].name, uiText(sid::Hot));
    const cBrixa::Stats& s = m_doc.image().stats();
    EXPECT_EQ(m[kHottestMarker].x, s.hotX);
    EXPECT_EQ(m[kHottestMarker].row, s.hotRow);
    EXPECT_EQ(m[kColdestMarker].x, s.coldX);
    EXPECT_FLOAT_EQ(m[kColdestMarker].temperature, m_doc.image().markerTemperature(kColdestMarker));
    EXPECT_TRUE(m_doc.areaSelectOn());

    openGenerated("SECOND", plainPlan(0x00, 0x00));
    for (int i = 0; i < kMaxCursors; ++i) EXPECT_FALSE(m_doc.markers()[i].inUse) << i;
    EXPECT_FALSE(m_doc.areaSelectOn());
    EXPECT_EQ(m_doc.cursorSlots(), CursorSlots{});
}

// A palette number the program does not know must not reach the renderer.
TEST_F(OpenTest, UnknownPaletteLoadsAsIronbow)
{
    gen::SnapshotPlan plan = plainPlan();
    plan.palette = 9;
    openGenerated("PAL", plan);
    EXPECT_EQ(m_doc.palette(), 1);
    EXPECT_EQ(m_doc.image().fields.palette, 1);
    EXPECT_FALSE(m_doc.isModified());
}

// A record without a visible span gets one on opening, and opening is not a change.
TEST_F(OpenTest, RecordWithoutSpanGetsOneWithoutBeingModified)
{
    gen::SnapshotPlan plan = plainPlan();
    plan.visibleSpan = false;
    openGenerated("NOSPAN", plan);
    EXPECT_LT(m_doc.spanLow(), m_doc.spanHigh());
    EXPECT_GT(m_doc.spanHigh(), 0);
    EXPECT_FALSE(m_doc.isModified());
}

TEST_F(OpenTest, UnitTextFollowsRecordUnit)
{
    const char* expected[] = {
        "\xC2\xB0"
        "C",
        "\xC2\xB0"
        "F",
        "K"};
    for (std::uint8_t unit = 0; unit < 3; ++unit) {
        gen::SnapshotPlan plan = plainPlan();
        plan.unit = unit;
        openGenerated("UNIT" + std::to_string(unit), plan);
        EXPECT_EQ(m_doc.image().unitText(), expected[unit]);
    }
}

// Catches a truncated record that opens as if whole: it opens (zeros in the missing bytes)
// with one exclamation warning naming the file; a whole record opens without one.
TEST_F(OpenTest, TruncatedRecordOpensWithWarning)
{
    writeSnapshot("CUT", plainPlan());
    QFile record(path("CUT.QVX"));
    ASSERT_TRUE(record.resize(5000));
    ASSERT_TRUE(m_commands.open(path("CUT.BMP")));
    EXPECT_TRUE(m_doc.isLoaded());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, formatText(uiText(sid::RecordIncomplete), {m_doc.currentPath()}));
    EXPECT_TRUE(m_messages[0].text.contains(QStringLiteral("CUT.BMP")));
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Exclamation);
    EXPECT_FALSE(m_doc.isModified());

    m_messages.clear();
    openGenerated("WHOLE", plainPlan());
    EXPECT_TRUE(m_messages.empty());
}

}  // namespace
}  // namespace calivue::test
