// The view's layout rule for its six viewers.
#include "view/viewlayout.h"

#include <gtest/gtest.h>

using namespace calivue;

namespace {

ViewLayoutInput window(int width, int height)
{
    ViewLayoutInput in;
    in.client = {0, 0, width, height};
    in.options = {0, 0, 250, 600};
    return in;
}

}  // namespace

// Catches the span strip colliding with the options panel in short windows, or
// being pushed aside in tall ones.
TEST(ViewLayout, SpanStripAndTheOptionsPanel)
{
    auto tall = computeViewLayout(window(1280, 700));
    EXPECT_EQ(tall.span, (EdgeRect{0, 600, 1280, 700}));

    auto shortWin = computeViewLayout(window(1280, 673));
    EXPECT_EQ(shortWin.span.left, 250 + 200);
    ViewLayoutInput noList = window(1280, 673);
    noList.cursorListShown = false;
    EXPECT_EQ(computeViewLayout(noList).span.left, 250);
    ViewLayoutInput hidden = window(1280, 673);
    hidden.optionsShown = false;
    EXPECT_EQ(computeViewLayout(hidden).span.left, 0);
}

// Catches a wrong aspect: landscape 4 wide for 3 high, portrait 3 wide for 4 high,
// limited by whichever side is scarcer.
TEST(ViewLayout, ImageKeepsItsAspect)
{
    // Wide window: height limits. x0 = 250 + 208 + 108 = 566, y1 = 800 − 208 = 592.
    auto wide = computeViewLayout(window(2000, 800));
    EXPECT_EQ(wide.image.left, 566);
    EXPECT_EQ(wide.image.bottom, 592);
    EXPECT_EQ(wide.image.right, 566 + static_cast<int>(592 * 1.3333334f));
    // Narrow window: width limits.
    auto narrow = computeViewLayout(window(1000, 1200));
    const int w = (1000 - 73) - 566;
    EXPECT_EQ(narrow.image.right, 1000 - 73);
    // The colour bar fits inside the window, 4 pixels from its right edge.
    EXPECT_EQ(narrow.colourBar.right, 1000 - 4);
    EXPECT_EQ(narrow.image.bottom, static_cast<int>(static_cast<float>(w) / 1.3333334f));

    ViewLayoutInput portrait = window(2000, 800);
    portrait.portrait = true;
    auto p = computeViewLayout(portrait);
    EXPECT_EQ(p.image.right - p.image.left, static_cast<int>(592 * 0.75f));
    EXPECT_EQ(p.image.bottom, 592);
}

// Catches viewers that do not follow the image: colour bar right of it, profiles
// left of and under it.
TEST(ViewLayout, NeighboursFollowTheImage)
{
    auto l = computeViewLayout(window(1280, 800));
    EXPECT_EQ(l.colourBar, (EdgeRect{l.image.right + 4, 0, l.image.right + 69, l.image.bottom}));
    EXPECT_EQ(l.sideProfile, (EdgeRect{l.image.left - 108, 0, l.image.left - 8, l.image.bottom}));
    EXPECT_EQ(l.lowerProfile,
              (EdgeRect{l.image.left, l.image.bottom + 4, l.image.right, l.image.bottom + 104}));
    EXPECT_EQ(l.cursorList.left, 254);
    EXPECT_EQ(l.cursorList.right, 454);
    // The list reaches at least the bottom of the docked options panel.
    EXPECT_EQ(l.cursorList.bottom, 600);
}

// Catches the image not moving left when the cursor list and profiles are hidden,
// or a floating options sheet still taking room.
TEST(ViewLayout, HiddenPanelsGiveTheirRoomBack)
{
    ViewLayoutInput in = window(1280, 800);
    in.cursorListShown = false;
    in.profilesShown = false;
    EXPECT_EQ(computeViewLayout(in).image.left, 250);
    in.optionsDocked = false;
    auto floating = computeViewLayout(in);
    EXPECT_EQ(floating.image.left, 0);
    EXPECT_EQ(floating.optionsPanel, EdgeRect{});
    in.optionsDocked = true;
    in.optionsShown = false;
    EXPECT_EQ(computeViewLayout(in).image.left, 0);
}

// Catches a division by zero when the window is too short for any image.
TEST(ViewLayout, TinyWindowsStayFinite)
{
    auto l = computeViewLayout(window(100, 150));
    EXPECT_EQ(l.image.right, l.image.left);
    EXPECT_EQ(l.image.bottom, 0);
    ViewLayoutInput flat = window(1280, 208);  // image height exactly 0
    auto f = computeViewLayout(flat);
    EXPECT_EQ(f.image.right, f.image.left);
}
