// cProfileDisplay: which line each profile follows in every orientation, the Bresenham
// sampling, the drawn curve, the marker and its label, and the mouse.
#include "view/profiledisplay.h"
#include "viewtestutil.h"

#include "core/palette.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>

namespace calivue {
namespace {

using viewtest::drawToImage;
using viewtest::OpenedDoc;
using Segment = cProfileDisplay::Segment;

constexpr ColourRef kBlack = rgb(0, 0, 0);

using viewtest::gradientPlan;

std::unique_ptr<cProfileDisplay> profileFor(CVantoroDoc& doc, int direction, int w, int h)
{
    auto p = std::make_unique<cProfileDisplay>(direction, &doc);
    p->SetRect(QRect(0, 0, w, h));
    p->SetImage(&doc.image());
    return p;
}

ColourRef markerGreen(ColourRef under)
{
    const auto mix = [](int c, int old) { return int(c * 0.7) + int(old * 0.3); };
    return rgb(mix(50, redOf(under)), mix(230, greenOf(under)), mix(50, blueOf(under)));
}

// Catches profiles that follow the wrong line, or sample it from the end not shown first
// on the screen, in any of the four orientations.
TEST(ProfileDisplay, LineChoiceFollowsTheOrientation)
{
    OpenedDoc d(viewtest::flatPlan());
    ASSERT_TRUE(d.opened);
    auto lower = profileFor(*d.doc, cProfileDisplay::Lower, 200, 80);
    auto side = profileFor(*d.doc, cProfileDisplay::Side, 80, 200);
    const Segment rowForward{0, 120, 319, 120, true}, rowBackward{319, 120, 0, 120, true};
    const Segment columnUp{160, 0, 160, 239, true}, columnDown{160, 239, 160, 0, true};
    const struct {
        int orientation;
        Segment lower, side;
    } cases[] = {{0, rowForward, columnUp},
                 {1, columnUp, rowBackward},
                 {2, rowBackward, columnDown},
                 {3, columnDown, rowForward}};
    for (const auto& c : cases) {
        d.doc->setOrientation(c.orientation);
        EXPECT_EQ(lower->ChooseLine(), c.lower) << "orientation " << c.orientation;
        EXPECT_EQ(side->ChooseLine(), c.side) << "orientation " << c.orientation;
    }
}

// Catches a line that is not cut to the zoom window, or one outside it that still draws.
TEST(ProfileDisplay, ZoomWindowCutsTheLineAndHidesOneOutsideIt)
{
    OpenedDoc d(viewtest::flatPlan());
    ASSERT_TRUE(d.opened);
    auto lower = profileFor(*d.doc, cProfileDisplay::Lower, 200, 80);
    auto side = profileFor(*d.doc, cProfileDisplay::Side, 80, 200);
    const QRect window(100, 50, 80, 60);  // columns 100–179, array rows 50–109
    lower->SetZoomWindow(window);
    side->SetZoomWindow(window);
    EXPECT_FALSE(lower->ChooseLine().valid);  // row 120 lies above the window
    EXPECT_EQ(side->ChooseLine(), (Segment{160, 50, 160, 109, true}));
    drawToImage(*lower);
    EXPECT_EQ(lower->sampleCount(), 0);  // no curve; the note in its place is tested below

    d.doc->setProfileRow(80);
    EXPECT_EQ(lower->ChooseLine(), (Segment{100, 80, 179, 80, true}));
    drawToImage(*lower);  // the moved line is picked up without an explicit Refresh
    EXPECT_EQ(lower->sampleCount(), 80);
    EXPECT_EQ(lower->sampleColumn(0), 100);
    EXPECT_EQ(lower->sampleColumn(79), 179);
}

// Catches an empty profile after zooming that neither says why nor lets the user bring its
// line back, for both profiles and with the picture turned a quarter.
TEST(ProfileDisplay, LineOutOfViewSaysSoAndADoubleClickBringsItBack)
{
    OpenedDoc d(viewtest::flatPlan());
    ASSERT_TRUE(d.opened);
    const QRect belowRow(100, 150, 80, 60);      // array rows 150–209: row 120 outside
    const QRect rightOfColumn(200, 50, 80, 60);  // columns 200–279: column 160 outside
    const struct {
        int direction, orientation;
        QRect window;
        bool movesRow;
        int moved;  // the line's new row or column: the window's middle
    } cases[] = {{cProfileDisplay::Lower, 0, belowRow, true, 180},
                 {cProfileDisplay::Side, 0, rightOfColumn, false, 240},
                 {cProfileDisplay::Lower, 1, rightOfColumn, false, 240},
                 {cProfileDisplay::Side, 3, belowRow, true, 180}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "direction " << c.direction << " orientation " << c.orientation);
        d.doc->setOrientation(c.orientation);
        d.doc->setProfileRow(120);
        d.doc->setProfileColumn(160);
        const bool lower = c.direction == cProfileDisplay::Lower;
        const int w = lower ? 200 : 100, h = lower ? 100 : 200;
        auto p = profileFor(*d.doc, c.direction, w, h);
        p->SetZoomWindow(c.window);
        ASSERT_TRUE(p->LineOutOfView());
        EXPECT_EQ(p->OutOfViewNote(), uiText(sid::ProfileOutsideView));
        const QImage empty = drawToImage(*p);
        EXPECT_EQ(p->sampleCount(), 0);
        int ink = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ink += viewtest::imagePixel(empty, x, y) != p->background();
        EXPECT_GT(ink, 100);  // the note is written where the curve would be

        const bool modified = d.doc->isModified();
        p->OnLButtonDblClk(0, QPoint(w / 2, h / 2));
        EXPECT_EQ(d.doc->isModified(), modified);  // moving a profile line is no change to save
        EXPECT_EQ(c.movesRow ? d.doc->profiles().row : d.doc->profiles().column, c.moved);
        EXPECT_EQ(c.movesRow ? d.doc->profiles().column : d.doc->profiles().row,
                  c.movesRow ? 160 : 120);  // the other line stays
        EXPECT_FALSE(p->LineOutOfView());
        EXPECT_TRUE(p->OutOfViewNote().isEmpty());
        drawToImage(*p);
        EXPECT_EQ(p->sampleCount(), c.movesRow ? c.window.width() : c.window.height());
    }
}

// Catches a walk that drops an end point, steps wrongly or reads outside the picture.
TEST(ProfileDisplay, BresenhamSamplingRecordsEveryPixelOfTheLine)
{
    OpenedDoc d(gradientPlan());
    ASSERT_TRUE(d.opened);
    auto p = profileFor(*d.doc, cProfileDisplay::Lower, 200, 80);
    const std::int32_t* values = d.doc->image().imageArray();
    p->Sample(0, 0, 9, 3);
    ASSERT_EQ(p->sampleCount(), 10);
    EXPECT_EQ(p->sampleColumn(0), 0);
    EXPECT_EQ(p->sampleRow(0), 0);
    EXPECT_EQ(p->sampleColumn(9), 9);
    EXPECT_EQ(p->sampleRow(9), 3);
    int low = 1 << 30, high = -(1 << 30);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(p->sampleColumn(i), i);
        if (i > 0) {
            EXPECT_LE(p->sampleRow(i) - p->sampleRow(i - 1), 1);
        }
        const int v = values[p->sampleRow(i) * kWidth + p->sampleColumn(i)];
        EXPECT_EQ(p->sample(i), v);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_EQ(p->sampleMin(), low);
    EXPECT_EQ(p->sampleMax(), high);
    // Ends beyond the picture are pulled back onto its last column and row.
    p->Sample(310, 230, 400, 300);
    EXPECT_EQ(p->sampleColumn(p->sampleCount() - 1), 319);
    EXPECT_EQ(p->sampleRow(p->sampleCount() - 1), 239);
    // A vertical line walked downwards.
    p->Sample(5, 239, 5, 0);
    EXPECT_EQ(p->sampleCount(), 240);
    EXPECT_EQ(p->sampleRow(0), 239);
    EXPECT_EQ(p->sampleRow(239), 0);
}

// Catches a division by zero or a misplaced curve when every sample is the same.
TEST(ProfileDisplay, EqualSamplesDrawAFlatLineAtRow10)
{
    OpenedDoc d(viewtest::flatPlan());
    ASSERT_TRUE(d.opened);
    const int spanLow = d.doc->spanLow(), spanHigh = d.doc->spanHigh();
    for (const int direction : {cProfileDisplay::Lower, cProfileDisplay::Side}) {
        const bool lowerDir = direction == cProfileDisplay::Lower;
        auto p = profileFor(*d.doc, direction, lowerDir ? 200 : 80, lowerDir ? 80 : 200);
        drawToImage(*p);
        ASSERT_GT(p->sampleCount(), 0);
        ASSERT_EQ(p->sampleMin(), p->sampleMax());
        const int v = p->sample(0);
        const int index =
            std::clamp(static_cast<int>((v - spanLow) * (255.0 / (spanHigh - spanLow))), 0, 255);
        const ColourRef fill = paletteColour(p->palette(), index);
        const Bitmap& s = p->surface();
        const auto at = [&](int along, int across) {
            return lowerDir ? s.Pixel(along, across) : s.Pixel(across, along);
        };
        for (int i = 0; i < 200; ++i) {
            if (i >= 98 && i <= 102) continue;  // the marker band
            EXPECT_EQ(at(i, 10), kBlack) << "direction " << direction << " at " << i;
            for (int k = 5; k < 10; ++k) EXPECT_EQ(at(i, k), fill);
            EXPECT_EQ(at(i, 11), p->background());
            EXPECT_EQ(at(i, 4), p->background());
        }
    }
}

// Catches a label drawn where it cannot fit, or a marker band dropped with it.
TEST(ProfileDisplay, MarkerLabelIsLeftOutWhenTooWideButTheBandStays)
{
    OpenedDoc d(viewtest::flatPlan());
    ASSERT_TRUE(d.opened);
    auto probe = profileFor(*d.doc, cProfileDisplay::Lower, 300, 80);
    drawToImage(*probe);
    const int tw = QFontMetrics(probe->labelFont()).horizontalAdvance(probe->MarkerLabel());
    ASSERT_GT(tw, 20);

    const auto blackInTopRows = [](const cProfileDisplay& p) {
        for (int y = 40; y < p.H(); ++y)
            for (int x = 0; x < p.W(); ++x)
                if (p.surface().Pixel(x, y) == kBlack) return true;
        return false;
    };
    for (const auto& [w, labelled] : {std::pair{tw + 8, false}, std::pair{tw + 40, true}}) {
        auto p = profileFor(*d.doc, cProfileDisplay::Lower, w, 80);
        drawToImage(*p);
        EXPECT_EQ(blackInTopRows(*p), labelled) << "width " << w;
        const int x = std::clamp(static_cast<int>(w * 0.5) - 1, 1, w - 4) + 1;
        EXPECT_EQ(p->surface().Pixel(x, 40), markerGreen(p->background())) << "width " << w;
    }
}

// Catches a double-click that moves the wrong profile line, or by the wrong sample.
TEST(ProfileDisplay, DoubleClickMovesTheOtherProfileLine)
{
    OpenedDoc d(gradientPlan());
    ASSERT_TRUE(d.opened);
    auto lower = profileFor(*d.doc, cProfileDisplay::Lower, 320, 80);
    auto side = profileFor(*d.doc, cProfileDisplay::Side, 80, 240);
    const ProfileState start = d.doc->profiles();

    // Orientation 0: the lower profile shows the row, so the column line moves.
    drawToImage(*lower);
    ASSERT_EQ(lower->sampleCount(), 320);
    lower->OnLButtonDblClk(KeyLButton, QPoint(100, 40));
    EXPECT_EQ(d.doc->profiles().column, lower->sampleColumn(100));
    EXPECT_EQ(d.doc->profiles().column, 100);
    EXPECT_EQ(d.doc->profiles().row, start.row);

    // The side profile shows the column, so the row line moves.
    drawToImage(*side);
    ASSERT_EQ(side->sampleCount(), 240);
    side->OnLButtonDblClk(KeyLButton, QPoint(40, 40));
    const int i = static_cast<int>((1.0 - 40.0 / 240) * 240);
    EXPECT_EQ(d.doc->profiles().row, side->sampleRow(i));
    EXPECT_EQ(d.doc->profiles().column, 100);

    // Orientation 1: the lower profile shows the column line, so the row line moves.
    d.doc->setOrientation(1);
    drawToImage(*lower);
    ASSERT_EQ(lower->sampleCount(), 240);
    lower->OnLButtonDblClk(KeyLButton, QPoint(100, 40));
    EXPECT_EQ(d.doc->profiles().row, lower->sampleRow(100 * 240 / 320));
    EXPECT_EQ(d.doc->profiles().column, 100);
}

// Catches a marker that cannot be grabbed, does not follow the pointer, or keeps dragging
// after the release.
TEST(ProfileDisplay, MarkerIsDraggedAlongThePlot)
{
    OpenedDoc d(gradientPlan());
    ASSERT_TRUE(d.opened);
    auto p = profileFor(*d.doc, cProfileDisplay::Lower, 200, 80);
    drawToImage(*p);
    ASSERT_EQ(p->redrawRequest(), 0);
    p->OnMouseMove(0, QPoint(10, 40));
    EXPECT_FALSE(p->hovering());
    p->OnLButtonDown(KeyLButton, QPoint(10, 40));
    EXPECT_FALSE(p->dragging());

    p->OnMouseMove(0, QPoint(104, 40));
    EXPECT_TRUE(p->hovering());
    EXPECT_EQ(p->pointer(), Qt::SizeHorCursor);
    p->OnLButtonDown(KeyLButton, QPoint(104, 40));
    EXPECT_TRUE(p->dragging());
    p->OnMouseMove(KeyLButton, QPoint(50, 40));
    EXPECT_DOUBLE_EQ(p->markerPosition(), 0.25);
    EXPECT_EQ(p->redrawRequest(), 1);
    EXPECT_EQ(p->MarkerSample(), p->sampleCount() / 4);
    p->OnLButtonUp(0, QPoint(50, 40));
    EXPECT_FALSE(p->dragging());
    p->OnMouseMove(0, QPoint(150, 40));
    EXPECT_DOUBLE_EQ(p->markerPosition(), 0.25);

    auto side = profileFor(*d.doc, cProfileDisplay::Side, 80, 200);
    drawToImage(*side);
    side->OnMouseMove(0, QPoint(40, 100));
    EXPECT_EQ(side->pointer(), Qt::SizeVerCursor);
    side->OnLButtonDown(KeyLButton, QPoint(40, 100));
    side->OnMouseMove(KeyLButton, QPoint(40, 50));  // a quarter from the top
    // The side profile's samples run upwards: a quarter from the top is three quarters in.
    EXPECT_EQ(side->MarkerSample(), side->sampleCount() - side->sampleCount() / 4 - 1);
    side->OnMouseLeave();
    EXPECT_FALSE(side->dragging());
    EXPECT_EQ(side->pointer(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace calivue
