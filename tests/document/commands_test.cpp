// The View and Tools commands: state, record display flags (in memory and in the saved file)
// and the modified mark.
#include "doctest.h"

#include "core/record.h"

namespace calivue::test {
namespace {

struct ToggleCase {
    const char* name;
    void (CVantoroDoc::*command)();
    bool (*state)(const CVantoroDoc&);
    std::size_t offset;    // kFlagsA or kFlagsB
    std::uint8_t mask;     // the command's bits
    std::uint8_t whenOn;   // their value while the state is on
    std::uint8_t whenOff;  // and while it is off
};

// Failure output names the case instead of dumping its bytes.
void PrintTo(const ToggleCase& c, std::ostream* os)
{
    *os << c.name;
}

bool hotCold(const CVantoroDoc& d)
{
    return d.hotColdShown();
}
bool blue(const CVantoroDoc& d)
{
    return (d.isothermFlags() & 1u) != 0;
}
bool red(const CVantoroDoc& d)
{
    return (d.isothermFlags() & 2u) != 0;
}
bool area(const CVantoroDoc& d)
{
    return d.areaSelectOn();
}
bool cursorTemps(const CVantoroDoc& d)
{
    return d.cursorTemperaturesShown();
}
bool cursors(const CVantoroDoc& d)
{
    return d.cursorsShown();
}
bool profiles(const CVantoroDoc& d)
{
    return d.profilesShown();
}

class ToggleCommand : public DocumentTest, public ::testing::WithParamInterface<ToggleCase> {
protected:
    std::uint8_t memoryByte() const
    {
        const RecordFields& f = m_doc.image().fields;
        return GetParam().offset == kFlagsA ? f.flagsA : f.flagsB;
    }
};

// Each case catches a command that flips the wrong bit, forgets to mark the document modified,
// disturbs the other bits, or leaves the saved record out of step with the screen.
TEST_P(ToggleCommand, FlipsStateBitsAndModifiedAndIsSaved)
{
    const ToggleCase& c = GetParam();
    // Every other bit set in the record, the command's own bits clear, so a command that
    // touches a neighbour shows up; for the cursors command "clear" means shown.
    const std::uint8_t others = static_cast<std::uint8_t>(0xFF & ~c.mask);
    const std::uint8_t a = c.offset == kFlagsA ? others : 0x00;
    const std::uint8_t b = c.offset == kFlagsB ? static_cast<std::uint8_t>(others & 0x03) : 0x00;
    openGenerated("IR_0001", plainPlan(a, b));
    const std::uint8_t before = memoryByte();
    const bool initially = c.state(m_doc);
    const QString bmp = path("IR_0001.BMP");

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        (m_doc.*c.command)();
        const bool on = c.state(m_doc);
        EXPECT_EQ(on, round == 1 ? !initially : initially);
        EXPECT_TRUE(m_doc.isModified());
        const std::uint8_t expected =
            static_cast<std::uint8_t>((before & ~c.mask) | (on ? c.whenOn : c.whenOff));
        EXPECT_EQ(memoryByte(), expected);

        ASSERT_TRUE(m_commands.save());
        EXPECT_FALSE(m_doc.isModified());
        const std::vector<std::uint8_t> saved = readBytes(path("IR_0001.QVX"));
        ASSERT_EQ(saved.size(), kRecordSize);
        EXPECT_EQ(saved[c.offset], expected);
    }
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_doc.currentPath(), bmp);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ToggleCommand,
    ::testing::Values(
        ToggleCase{"HotCold", &CVantoroDoc::toggleHotCold, hotCold, kFlagsA, 0x03, 0x03, 0x00},
        ToggleCase{"BlueIsotherm", &CVantoroDoc::toggleBlueIsotherm, blue, kFlagsA, 0x40, 0x40,
                   0x00},
        ToggleCase{"RedIsotherm", &CVantoroDoc::toggleRedIsotherm, red, kFlagsA, 0x80, 0x80, 0x00},
        // With both area bits clear the document keeps its own mode: medium, bit 3.
        ToggleCase{"AreaSelect", &CVantoroDoc::toggleAreaSelect, area, kFlagsA, 0x0C, 0x08, 0x00},
        ToggleCase{"Profiles", &CVantoroDoc::toggleProfiles, profiles, kFlagsA, 0x30, 0x30, 0x00},
        ToggleCase{"CursorTemperature", &CVantoroDoc::toggleCursorTemperature, cursorTemps, kFlagsB,
                   0x01, 0x01, 0x00},
        // Bit 1 of flags B means hidden: clear while the cursors are shown.
        ToggleCase{"Cursors", &CVantoroDoc::toggleCursors, cursors, kFlagsB, 0x02, 0x00, 0x02}),
    [](const ::testing::TestParamInfo<ToggleCase>& info) { return std::string(info.param.name); });

using CommandTest = DocumentTest;

TEST_F(CommandTest, PaletteOutsideRangeSelectsIronbow)
{
    openGenerated("IR_0001", plainPlan());
    m_doc.setPalette(4);
    EXPECT_EQ(m_doc.palette(), 4);
    EXPECT_TRUE(m_doc.isModified());
    for (int n : {9, -1, 8}) {
        m_doc.setPalette(n);
        EXPECT_EQ(m_doc.palette(), 1) << n;
        EXPECT_EQ(m_doc.image().fields.palette, 1) << n;
    }
}

// Catches an area command that writes only one bit for the large box or leaves one behind.
TEST_F(CommandTest, AreaSelectLargeSetsBothBitsAndOffClearsBoth)
{
    openGenerated("IR_0001", plainPlan(0x00, 0x00));
    m_doc.setAreaMode(2);
    EXPECT_EQ(m_doc.areaMode(), 2);
    EXPECT_EQ(m_doc.image().fields.flagsA & 0x0C, 0x00);  // area select still off
    m_doc.toggleAreaSelect();
    EXPECT_TRUE(m_doc.areaSelectOn());
    EXPECT_EQ(m_doc.image().fields.flagsA & 0x0C, 0x0C);
    m_doc.setAreaMode(0);
    EXPECT_EQ(m_doc.image().fields.flagsA & 0x0C, 0x04);
    m_doc.setAreaMode(1);
    EXPECT_EQ(m_doc.image().fields.flagsA & 0x0C, 0x08);
    m_doc.setAreaMode(2);
    m_doc.toggleAreaSelect();
    EXPECT_FALSE(m_doc.areaSelectOn());
    EXPECT_EQ(m_doc.image().fields.flagsA & 0x0C, 0x00);
    EXPECT_TRUE(m_doc.isModified());
}

// Catches area statistics left at the old box size after the size changes.
TEST_F(CommandTest, AreaModeRecomputesAreaStatistics)
{
    openGenerated("IR_0001", plainPlan(0x08, 0x00));
    cBrixa reference;
    ASSERT_EQ(reference.loadFromPath((m_dir.path() + QStringLiteral("/IR_0001.QVX")).toStdString()),
              Error::None);
    for (int mode : {0, 2, 1}) {
        m_doc.setAreaMode(mode);
        reference.setAreaMode(mode);
        EXPECT_EQ(m_doc.image().areaStats().minRaw, reference.areaStats().minRaw) << mode;
        EXPECT_EQ(m_doc.image().areaStats().maxRaw, reference.areaStats().maxRaw) << mode;
        EXPECT_FLOAT_EQ(m_doc.image().areaStats().average, reference.areaStats().average) << mode;
    }
}

// With only the hottest bit the markers count as off; turning them on sets both bits.
TEST_F(CommandTest, HotColdFromSingleBitTurnsBothOn)
{
    openGenerated("IR_0001", plainPlan(0x01, 0x00));
    EXPECT_FALSE(m_doc.hotColdShown());
    m_doc.toggleHotCold();
    EXPECT_TRUE(m_doc.hotColdShown());
    EXPECT_EQ(m_doc.image().fields.flagsA & 0x03, 0x03);
    EXPECT_TRUE(m_doc.markers()[kColdestMarker].shown);
    EXPECT_TRUE(m_doc.markers()[kHottestMarker].shown);
}

// Catches a Reset Isotherms that keeps the dragged bands or does not count as a change.
TEST_F(CommandTest, ResetIsothermsRestoresDefaultBands)
{
    openGenerated("IR_0001", plainPlan(0xC0, 0x00));
    m_doc.setIsotherms(3, 1000, 1001, 1002, 1003);
    ASSERT_TRUE(m_commands.save());
    m_doc.resetIsotherms();
    const IsothermBands expected = defaultIsothermBands(m_doc.image().imageArray());
    const RecordFields& f = m_doc.image().fields;
    EXPECT_EQ(f.blueLower, expected.blueLower);
    EXPECT_EQ(f.blueUpper, expected.blueUpper);
    EXPECT_EQ(f.redLower, expected.redLower);
    EXPECT_EQ(f.redUpper, expected.redUpper);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_doc.isothermFlags(), 3u);
}

// Catches isotherm bits written by setIsotherms out of step with the flags it was given.
TEST_F(CommandTest, SetIsothermsKeepsRecordBitsInStep)
{
    openGenerated("IR_0001", plainPlan(0x00, 0x00));
    m_doc.setIsotherms(2, 2900, 2910, 3000, 3010);
    EXPECT_EQ(m_doc.image().fields.flagsA & 0xC0, 0x80);
    m_doc.setIsotherms(1, 2900, 2910, 3000, 3010);
    EXPECT_EQ(m_doc.image().fields.flagsA & 0xC0, 0x40);
    EXPECT_TRUE(m_doc.isModified());
}

// Catches a difference reported with one isotherm, or middles taken in floating point.
TEST_F(CommandTest, IsothermDifferenceNeedsBothBands)
{
    EXPECT_FALSE(m_doc.isothermDifference().first);  // no image
    openGenerated("IR_0001", plainPlan(0x00, 0x00));
    m_doc.setIsotherms(1, 3000, 3011, 3100, 3121);
    EXPECT_FALSE(m_doc.isothermDifference().first);
    m_doc.setIsotherms(2, 3000, 3011, 3100, 3121);
    EXPECT_FALSE(m_doc.isothermDifference().first);
    m_doc.setIsotherms(3, 3000, 3011, 3100, 3121);
    const auto [valid, value] = m_doc.isothermDifference();
    ASSERT_TRUE(valid);
    const cBrixa& img = m_doc.image();
    EXPECT_FLOAT_EQ(value, img.rawToTemperature(3110) - img.rawToTemperature(3005));
}

// Catches cursor placing that ignores the ten-cursor limit, leaves hidden cursors hidden,
// or does not count as a change.
TEST_F(CommandTest, DoubleClickPlacesAndRemovesCursors)
{
    openGenerated("IR_0001", plainPlan(0x00, 0x02));
    EXPECT_FALSE(m_doc.cursorsShown());
    EXPECT_EQ(m_doc.toggleCursorAt(10, 20), CVantoroDoc::CursorToggle::Added);
    EXPECT_TRUE(m_doc.cursorsShown());
    EXPECT_EQ(m_doc.image().fields.flagsB & 0x02, 0);
    EXPECT_TRUE(m_doc.isModified());
    const Marker& first = m_doc.markers()[0];
    EXPECT_TRUE(first.inUse && first.shown);
    EXPECT_EQ(first.emissivity, m_doc.image().fields.emissivity[10]);
    EXPECT_FLOAT_EQ(first.temperature, m_doc.image().temperatureAtImageEmissivity(10, 20));

    EXPECT_EQ(m_doc.toggleCursorAt(10, 20), CVantoroDoc::CursorToggle::Removed);
    EXPECT_FALSE(m_doc.markers()[0].inUse);
    for (int i = 0; i < kMaxCursors; ++i)
        EXPECT_EQ(m_doc.toggleCursorAt(i, i), CVantoroDoc::CursorToggle::Added);
    EXPECT_EQ(m_doc.toggleCursorAt(200, 100), CVantoroDoc::CursorToggle::Full);
    EXPECT_EQ(m_doc.toggleCursorAt(320, 0), CVantoroDoc::CursorToggle::Refused);
    EXPECT_TRUE(m_messages.empty());  // the limit message belongs to the view
}

TEST_F(CommandTest, CursorEmissivityOutsideRangeIsRefused)
{
    openGenerated("IR_0001", plainPlan());
    ASSERT_EQ(m_doc.toggleCursorAt(100, 100), CVantoroDoc::CursorToggle::Added);
    ASSERT_TRUE(m_commands.save());
    EXPECT_FALSE(m_doc.setCursorEmissivity(0, 0));
    EXPECT_FALSE(m_doc.setCursorEmissivity(0, 101));
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_TRUE(m_doc.setCursorEmissivity(0, 50));
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_FLOAT_EQ(m_doc.markers()[0].temperature, m_doc.image().temperatureAt(100, 100, 0.5f));
}

// Orientation and cursor temperatures are saved with the record; changing them must count.
TEST_F(CommandTest, SavedDisplaySettingsMarkModifiedOnlyWhenChanged)
{
    openGenerated("IR_0001", plainPlan());
    m_doc.setOrientation(m_doc.orientation());
    m_doc.setSpan(m_doc.spanLow(), m_doc.spanHigh());
    m_doc.setBlend(m_doc.blend());
    m_doc.setPalette(m_doc.palette());
    m_doc.setInterpolation(2);
    m_doc.setZoom(2);
    EXPECT_FALSE(m_doc.isModified());
    m_doc.setOrientation(2);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_doc.image().fields.orientation, 2);
    m_doc.setOrientation(7);  // not an orientation
    EXPECT_EQ(m_doc.orientation(), 2);
}

}  // namespace
}  // namespace calivue::test
