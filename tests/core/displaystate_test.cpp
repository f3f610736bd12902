// The record-to-display rules: span defaults, palette, isotherm and marker bits.
#include "images.h"

#include "core/displaystate.h"

#include <gtest/gtest.h>

using namespace calivue;

// Catches a span default taken in the wrong order or a fallback ignored.
TEST(DisplayState, SpanDefaults)
{
    struct Case {
        int low, high, fbLow, fbHigh;
        bool automatic;  // expect the image's automatic span
        int wantLow, wantHigh;
    };
    const Case cases[] = {
        {3000, 3100, 2000, 2100, false, 3000, 3100},  // the record's span wins
        {0, 5, 2000, 2100, false, 0, 5},              // 0/5 is a span, not "none"
        {0, 0, 2000, 2100, false, 2000, 2100},        // fallback when 0/0
        {0, 0, 0, 0, true, 0, 0},                     // automatic when both are 0/0
    };
    for (const Case& c : cases) {
        auto img = test::makeImage([](int x, int) { return 2500 + x; },
                                   [&](RecordFields& f) {
                                       f.spanLow = static_cast<std::uint16_t>(c.low);
                                       f.spanHigh = static_cast<std::uint16_t>(c.high);
                                       f.fallbackLow = static_cast<std::uint16_t>(c.fbLow);
                                       f.fallbackHigh = static_cast<std::uint16_t>(c.fbHigh);
                                   });
        ASSERT_TRUE(img);
        int wl = c.wantLow, wh = c.wantHigh;
        if (c.automatic) {
            ASSERT_TRUE(img->spanRange(wl, wh));
        }
        const DisplayState s = displayStateOf(*img);
        EXPECT_EQ(s.spanLow, wl) << c.low << '/' << c.high;
        EXPECT_EQ(s.spanHigh, wh) << c.low << '/' << c.high;
    }
}

// Catches palette 8/9 passed to the renderer and flag bits read from the wrong byte.
TEST(DisplayState, PaletteAndFlags)
{
    for (int p = 0; p < 256; ++p) EXPECT_EQ(displayPaletteOf(p), p <= 7 ? p : 1) << p;
    EXPECT_EQ(displayPaletteOf(-1), 1);

    auto img = test::makeUniform(3000, [](RecordFields& f) {
        f.palette = 9;
        f.flagsA =
            flags::A_RedIsotherm | flags::A_Hottest | flags::A_AreaMedium | flags::A_Profiles;
        f.flagsB = flags::B_CursorsHidden;
        f.blend = 103;
        f.alignX = 3;
        f.alignY = -2;
        f.orientation = 3;
    });
    ASSERT_TRUE(img);
    const DisplayState s = displayStateOf(*img);
    EXPECT_EQ(s.palette, 1);
    EXPECT_EQ(s.isothermFlags, 2u);
    EXPECT_TRUE(s.hottestShown);
    EXPECT_FALSE(s.coldestShown);
    EXPECT_EQ(s.areaMode, 1);
    EXPECT_TRUE(s.profiles);
    EXPECT_FALSE(s.cursorsShown);
    EXPECT_FALSE(s.cursorTemps);
    EXPECT_EQ(s.blendMode, 103);
    EXPECT_EQ(s.alignX, 3);
    EXPECT_EQ(s.alignY, -2);
    EXPECT_EQ(s.orientation, 3);
    EXPECT_EQ(img->fields.palette, 9);  // the image itself is left as stored

    const std::uint8_t areas[] = {0, flags::A_AreaSmall, flags::A_AreaMedium,
                                  flags::A_AreaSmall | flags::A_AreaMedium};
    for (int i = 0; i < 4; ++i) {
        img->fields.flagsA = areas[i];
        EXPECT_EQ(displayStateOf(*img).areaMode, i - 1);
    }
    img->fields.flagsA = flags::A_Profiles & 0x10;  // one profile bit alone is not "profiles"
    EXPECT_FALSE(displayStateOf(*img).profiles);
    img->fields.flagsA = flags::A_BlueIsotherm | flags::A_RedIsotherm;
    EXPECT_EQ(displayStateOf(*img).isothermFlags, 3u);
}

// Catches an open that shows palette 1 and the fallback span but saves the stored ones:
// adoptDisplayState writes both into the record and returns the same state.
TEST(DisplayState, AdoptWritesTheShownPaletteAndSpan)
{
    auto img = test::makeUniform(3000, [](RecordFields& f) {
        f.palette = 8;
        f.spanLow = f.spanHigh = 0;
        f.fallbackLow = 2800;
        f.fallbackHigh = 3200;
    });
    ASSERT_TRUE(img);
    const DisplayState before = displayStateOf(*img);
    EXPECT_EQ(adoptDisplayState(*img), before);
    EXPECT_EQ(img->fields.palette, 1);
    EXPECT_EQ(img->fields.spanLow, 2800);
    EXPECT_EQ(img->fields.spanHigh, 3200);
    EXPECT_EQ(displayStateOf(*img), before);  // adopting twice changes nothing
}

// Catches a display value the inverse does not write back (lost on save), a bit written to
// the wrong flag, and flag bits outside the state overwritten.
TEST(DisplayState, WritingAStateBackReadsTheSameState)
{
    const auto state = [](auto change) {
        DisplayState s;
        s.spanLow = 2900;
        s.spanHigh = 3100;
        change(s);
        return s;
    };
    const DisplayState states[] = {
        state([](DisplayState&) {}),
        state([](DisplayState& s) {
            s.palette = 7;
            s.isothermFlags = 3;
            s.blendMode = 163;
            s.alignX = -4;
            s.alignY = 9;
            s.orientation = 3;
        }),
        state([](DisplayState& s) {
            s.areaMode = 0;
            s.cursorsShown = false;
            s.coldestShown = true;
            s.cursorTemps = true;
        }),
        state([](DisplayState& s) {
            s.areaMode = 1;
            s.hottestShown = true;
            s.profiles = true;
            s.isothermFlags = 2;
        }),
        state([](DisplayState& s) {
            s.areaMode = 2;
            s.palette = 0;
            s.isothermFlags = 1;
            s.coldestShown = s.hottestShown = true;
        }),
    };
    for (std::size_t i = 0; i < std::size(states); ++i) {
        // Every flag bit set first: each must be cleared where the state says so.
        auto img = test::makeImage([](int x, int) { return 2500 + x; },
                                   [](RecordFields& f) {
                                       f.flagsA = 0xFF;
                                       f.flagsB = 0xFF;
                                   });
        ASSERT_TRUE(img);
        writeDisplayState(states[i], *img);
        EXPECT_EQ(displayStateOf(*img), states[i]) << i;
        EXPECT_EQ(img->fields.flagsB & 0xFC, 0xFC) << i;  // bits the state does not describe
        EXPECT_EQ(img->fields.palette, states[i].palette) << i;
    }
}
