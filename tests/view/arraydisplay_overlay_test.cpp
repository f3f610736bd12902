// cArrayDisplay, the overlays on a flat picture: the marker cross and its label box with
// the clipping rules at the top and right edges, markers outside the zoom window, profile
// bands, the area box, and the zoom-window outline of navigation mode.
#include "viewtestutil.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

constexpr ColourRef kBlack = rgb(0, 0, 0);
constexpr ColourRef kWhite = rgb(255, 255, 255);

ColourRef blendOver(ColourRef under, ColourRef colour, double alpha)
{
    const auto mix = [&](int c, int o) {
        return std::clamp(static_cast<int>(c * alpha) + static_cast<int>(o * (1 - alpha)), 0, 255);
    };
    return rgb(mix(redOf(colour), redOf(under)), mix(greenOf(colour), greenOf(under)),
               mix(blueOf(colour), blueOf(under)));
}

class Overlays : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(opened.opened);
        for (Marker& m : doc().markers()) m.inUse = m.shown = false;
        display = displayFor(doc(), 320, 240);
        display->Draw(nullptr);
        picture = contentPixel(*display, 5, 5);
        ASSERT_EQ(contentPixel(*display, 300, 200), picture) << "the picture is not flat";
    }

    CVantoroDoc& doc() { return *opened.doc; }
    Marker& place(int index, int x, int row, const QString& name)
    {
        Marker& m = doc().markers()[static_cast<std::size_t>(index)];
        m.inUse = m.shown = true;
        m.x = x;
        m.row = row;
        m.name = name;
        return m;
    }
    QSize textSize(const QString& text) const
    {
        QImage device(1, 1, QImage::Format_RGB32);
        const QFontMetrics m(display->labelFont(), &device);
        return QSize(m.horizontalAdvance(text), m.height());
    }
    ColourRef at(int x, int y) const { return contentPixel(*display, x, y); }
    int count(ColourRef c) const
    {
        int n = 0;
        for (int y = 0; y < display->H(); ++y)
            for (int x = 0; x < display->W(); ++x) n += at(x, y) == c;
        return n;
    }

    OpenedDoc opened{flatPlan()};
    std::unique_ptr<cArrayDisplay> display;
    ColourRef picture = 0;
};

}  // namespace

// Catches a misplaced or misshapen cross, or a label box not blended, framed and placed
// up-right of the cursor.
TEST_F(Overlays, MarkerCrossAndLabelBox)
{
    place(0, 100, 100, QStringLiteral("C1"));
    display->Draw(nullptr);
    const int d = 100, e = 239 - 100;
    // White strokes inside black frames, one pixel longer on the top and left.
    for (int k = -9; k <= 8; ++k) {
        EXPECT_EQ(at(d, e + k), kWhite) << k;
        EXPECT_EQ(at(d + k, e), kWhite) << k;
    }
    EXPECT_EQ(at(d, e - 10), kBlack);
    EXPECT_EQ(at(d, e + 9), kBlack);
    EXPECT_EQ(at(d - 10, e), kBlack);
    EXPECT_EQ(at(d + 9, e), kBlack);
    EXPECT_EQ(at(d - 1, e + 5), kBlack);
    EXPECT_EQ(at(d + 1, e + 5), kBlack);
    EXPECT_EQ(at(d + 2, e + 5), picture);
    EXPECT_EQ(at(d + 5, e + 2), picture);

    const QSize t = textSize(QStringLiteral("C1"));
    const int left = d + 4, right = d + t.width() + 7, top = e - t.height() - 4, bottom = e - 4;
    EXPECT_EQ(at(left, top + 1), blendOver(picture, kWhite, 0.6));
    EXPECT_EQ(at(left - 1, top + 1), kBlack);
    EXPECT_EQ(at(right, top + 1), kBlack);
    EXPECT_EQ(at(right + 1, top + 1), picture);
    EXPECT_EQ(at(left, top), kBlack);
    EXPECT_EQ(at(left, bottom - 1), kBlack);
    EXPECT_EQ(at(left, bottom), picture);
    EXPECT_EQ(at(left, top - 1), picture);
}

// Catches a label drawn off the top edge instead of at rows 1 to th + 1.
TEST_F(Overlays, LabelAboveTheTopEdgeMovesDown)
{
    place(0, 100, 235, QStringLiteral("C1"));
    display->Draw(nullptr);
    const int left = 104, th = textSize(QStringLiteral("C1")).height();
    EXPECT_EQ(at(left, 0), picture);
    EXPECT_EQ(at(left, 1), kBlack);  // frame top
    EXPECT_EQ(at(left, 2), blendOver(picture, kWhite, 0.6));
    EXPECT_EQ(at(left, th), kBlack);  // frame bottom, the box's last row
    EXPECT_EQ(at(left, th + 1), picture);
}

// Catches a label running off the right edge instead of ending at column W − 1.
TEST_F(Overlays, LabelPastTheRightEdgeShiftsLeft)
{
    place(0, 318, 100, QStringLiteral("C10"));
    display->Draw(nullptr);
    const QSize t = textSize(QStringLiteral("C10"));
    const int top = 139 - t.height() - 4;
    const int left = 319 - (t.width() + 3);
    EXPECT_EQ(at(319, top + 1), kBlack);
    EXPECT_EQ(at(318, top + 1), blendOver(picture, kWhite, 0.6));
    EXPECT_EQ(at(left, top + 1), blendOver(picture, kWhite, 0.6));
    EXPECT_EQ(at(left - 1, top + 1), kBlack);
    EXPECT_EQ(at(left - 2, top + 1), picture);
}

// Catches a label drawn where it cannot fit, or the cursor dropped along with it.
TEST_F(Overlays, LabelTooWideIsLeftOutButTheCrossIsDrawn)
{
    const QString name = QStringLiteral("A rather long cursor name");
    display->SetRect(QRect(0, 0, textSize(name).width() + 5, 60));
    place(0, 160, 120, name);
    display->Draw(nullptr);
    EXPECT_EQ(count(blendOver(picture, kWhite, 0.6)), 0);
    EXPECT_GT(count(kWhite), 30);

    // One pixel wider and it fits.
    display->SetRect(QRect(0, 0, textSize(name).width() + 6, 60));
    display->Draw(nullptr);
    EXPECT_GT(count(blendOver(picture, kWhite, 0.6)), 0);
}

// Catches markers drawn for pixels outside the zoom window, hidden markers drawn, and
// markers inside the window left out.
TEST_F(Overlays, OnlyShownMarkersInsideTheZoomWindowAreDrawn)
{
    display->SetZoomWindow(QRect(0, 0, 160, 120));
    place(0, 200, 60, QStringLiteral("C1"));     // right of the window
    place(1, 50, 150, QStringLiteral("C2"));     // above it
    place(11, 160, 119, QStringLiteral("Hot"));  // just right of its last column
    place(2, 80, 60, QStringLiteral("C3")).shown = false;
    display->Draw(nullptr);
    EXPECT_EQ(count(picture), 320 * 240);

    place(3, 159, 119, QStringLiteral("C4"));  // the window's top-right pixel, edges included
    display->Draw(nullptr);
    EXPECT_LT(count(picture), 320 * 240);
}

// Catches labels that ignore the cursor-temperature option.
TEST_F(Overlays, LabelIsTheNameOrTheTemperature)
{
    Marker& m = place(0, 10, 20, QStringLiteral("C1"));
    m.emissivity = 90;
    EXPECT_EQ(display->MarkerLabel(0), QStringLiteral("C1"));
    if (!doc().cursorTemperaturesShown()) doc().toggleCursorTemperature();
    const float t = doc().image().temperatureAt(10, 20, 0.9f);
    EXPECT_EQ(display->MarkerLabel(0),
              QString::asprintf("%0.01f %s", double(t), doc().image().unitText().c_str()));
}

// Catches profile bands in the wrong place, the wrong colours, drawn for a line outside the
// zoom window, or drawn where the display last heard of the lines rather than where the
// document has them now (nothing tells this display of the move).
TEST_F(Overlays, ProfileLinesAreThreePixelBands)
{
    if (!doc().profilesShown()) doc().toggleProfiles();
    ASSERT_TRUE(doc().profilesShown());
    doc().setProfileRow(100);
    doc().setProfileColumn(200);
    display->Draw(nullptr);
    const ColourRef edge = blendOver(picture, rgb(50, 200, 50), 0.7);
    const ColourRef middle = blendOver(picture, rgb(50, 230, 50), 0.7);
    // Column band at 200–202, all the way down.
    for (int y : {0, 10, 239}) {
        EXPECT_EQ(at(199, y), picture);
        EXPECT_EQ(at(200, y), edge);
        EXPECT_EQ(at(201, y), middle);
        EXPECT_EQ(at(202, y), edge);
        EXPECT_EQ(at(203, y), picture);
    }
    // Row band: image row 100 is content row 139, the band runs up from it.
    for (int x : {0, 10, 319}) {
        EXPECT_EQ(at(x, 140), picture);
        EXPECT_EQ(at(x, 139), edge);
        EXPECT_EQ(at(x, 138), middle);
        EXPECT_EQ(at(x, 137), edge);
        EXPECT_EQ(at(x, 136), picture);
    }

    display->SetZoomWindow(QRect(0, 0, 160, 120));  // column 200 outside, row 100 inside
    display->Draw(nullptr);
    EXPECT_EQ(at(10, 10), picture);
    int bandColumns = 0;
    for (int x = 0; x < 320; ++x) bandColumns += at(x, 5) != picture;
    EXPECT_EQ(bandColumns, 0);
    int bandRows = 0;
    for (int y = 0; y < 240; ++y) bandRows += at(5, y) != picture;
    EXPECT_EQ(bandRows, 3);

    doc().toggleProfiles();
    display->Draw(nullptr);
    EXPECT_EQ(count(picture), 320 * 240);
}

// Catches an area box of the wrong size, one that follows the zoom window, or one drawn when
// area select is off. The display reads the document's switch itself: nothing tells it.
TEST_F(Overlays, AreaBoxOutlinesTheMeasuredArea)
{
    if (!doc().areaSelectOn()) doc().toggleAreaSelect();
    ASSERT_TRUE(doc().areaSelectOn());
    const ColourRef green = rgb(0, 255, 0);
    struct Case {
        int mode, x0, x1, y0, y1;
    };
    for (const Case& c :
         {Case{0, 99, 219, 79, 159}, Case{1, 79, 239, 59, 179}, Case{2, 59, 259, 39, 199}}) {
        SCOPED_TRACE(c.mode);
        doc().setAreaMode(c.mode);
        display->Draw(nullptr);
        EXPECT_EQ(at(c.x0, 120), green);
        EXPECT_EQ(at(c.x1, 120), green);
        EXPECT_EQ(at(160, c.y0), green);
        EXPECT_EQ(at(160, c.y1), green);
        EXPECT_EQ(at(c.x0 - 3, 120), picture);
        EXPECT_EQ(at(160, 120), picture);
    }
    display->SetZoomWindow(QRect(100, 100, 80, 60));
    display->Draw(nullptr);
    EXPECT_EQ(at(59, 120), green);

    doc().toggleAreaSelect();
    ASSERT_FALSE(doc().areaSelectOn());
    display->Draw(nullptr);
    EXPECT_EQ(at(59, 120), picture);
}

// Catches a zoom outline in the wrong place or colour, or overlays of normal mode drawn in
// navigation mode.
TEST_F(Overlays, NavigationModeOutlinesTheZoomWindow)
{
    place(0, 20, 20, QStringLiteral("C1"));
    display->SetZoom(2);
    ASSERT_EQ(display->zoomWindow(), QRect(80, 60, 160, 120));
    display->SetNavigationMode(true);
    display->Draw(nullptr);
    // Window columns 80–239 and rows 60–179; rows count up, so content rows 179 and 60.
    const ColourRef dark = blendOver(picture, kBlack, 0.7);
    const ColourRef light = blendOver(picture, kWhite, 0.7);
    EXPECT_EQ(at(80, 120), dark);
    EXPECT_EQ(at(239, 120), dark);
    EXPECT_EQ(at(160, 60), dark);
    EXPECT_EQ(at(160, 179), dark);
    EXPECT_EQ(at(79, 120), light);
    EXPECT_EQ(at(240, 120), light);
    EXPECT_EQ(at(160, 59), light);
    EXPECT_EQ(at(160, 180), light);
    EXPECT_EQ(at(80, 60), dark);  // corners blended once
    EXPECT_EQ(at(160, 120), picture);
    EXPECT_EQ(at(20, 219), picture) << "no markers in navigation mode";

    display->SetPalette(0);  // light palettes get yellow, without the white outline
    display->Draw(nullptr);
    const ColourRef under = at(5, 5);
    EXPECT_EQ(at(80, 120), blendOver(under, rgb(255, 255, 0), 0.7));
    EXPECT_EQ(at(79, 120), under);
}
