// cHotSpotDisplay: the rows of the cursor list, their grey state, the differences taken
// from the displayed temperatures, the area rows, and the drawn text colours.
#include "view/hotspotdisplay.h"
#include "viewtestutil.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace calivue {
namespace {

using viewtest::drawToImage;
using viewtest::OpenedDoc;

gen::SnapshotPlan planWithCursors(std::vector<gen::CursorPlan> cursors, std::uint8_t flagsA = 0)
{
    gen::SnapshotPlan plan = viewtest::flatPlan();
    plan.scene.topC = 40;
    plan.scene.bottomC = 20;
    plan.cursors = std::move(cursors);
    plan.flagsA = flagsA;
    return plan;
}

QString temp(const CVantoroDoc& doc, double t)
{
    return QString::asprintf("%0.01f %s", t, doc.image().unitText().c_str());
}

int indexOf(const std::vector<cHotSpotDisplay::Row>& rows, int stringId)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].cells[0] == uiText(stringId)) return static_cast<int>(i);
    return -1;
}

// Catches a missing heading, cursor rows out of order, a C1-C2 row without both cursors,
// or a wrong colour state for unused cursors.
TEST(HotSpotDisplay, OneCursorListsTenCursorRowsThenImageInfo)
{
    OpenedDoc d(planWithCursors({{50, 60, 0}}));
    ASSERT_TRUE(d.opened);
    cHotSpotDisplay list(d.doc.get());
    list.SetImage(&d.doc->image());
    const auto rows = list.Rows();
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[0].cells[0], uiText(sid::CursorListTitle));
    EXPECT_TRUE(rows[0].centred);
    EXPECT_EQ(rows[1].cells[0], uiText(sid::CursorListId));
    EXPECT_EQ(rows[1].cells[1], uiText(sid::ColumnTemp));
    EXPECT_EQ(rows[1].cells[2], uiText(sid::ColumnPosition));
    const Marker& c1 = d.doc->markers()[0];
    EXPECT_EQ(rows[2].cells[0], QStringLiteral("C1"));
    EXPECT_EQ(rows[2].cells[1], temp(*d.doc, c1.temperature));
    EXPECT_EQ(rows[2].cells[2], QStringLiteral("(50,60)"));
    EXPECT_FALSE(rows[2].grey);
    for (int i = 3; i < 12; ++i) {
        EXPECT_EQ(rows[static_cast<std::size_t>(i)].cells[0], QStringLiteral("C%1").arg(i - 1));
        EXPECT_TRUE(rows[static_cast<std::size_t>(i)].grey) << "unused cursor row " << i;
    }
    EXPECT_EQ(rows[12].cells[0], uiText(sid::ImageInfo));
    EXPECT_TRUE(rows[12].centred);
    for (const auto& row : rows) EXPECT_NE(row.cells[2], uiText(sid::CursorDiffSuffix));
    EXPECT_EQ(indexOf(rows, sid::AreaSelect), -1);
}

// Catches a difference taken from unrounded temperatures, or C1-C2 in the wrong order.
TEST(HotSpotDisplay, CursorDifferenceUsesTheDisplayedTemperatures)
{
    OpenedDoc d(planWithCursors({{50, 60, 0}, {200, 200, 0}}));
    ASSERT_TRUE(d.opened);
    cHotSpotDisplay list(d.doc.get());
    list.SetImage(&d.doc->image());
    // Shown as 20.0 and 10.1: the table must say 9.9, not the 10.0 of 20.04 − 10.06.
    d.doc->markers()[0].temperature = 20.04f;
    d.doc->markers()[1].temperature = 10.06f;
    const auto rows = list.Rows();
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(rows[12].cells[0], uiText(sid::TempDiff));
    EXPECT_EQ(rows[12].cells[1], temp(*d.doc, 9.9));
    EXPECT_EQ(rows[12].cells[2], uiText(sid::CursorDiffSuffix));
    EXPECT_EQ(rows[13].cells[0], uiText(sid::ImageInfo));
}

// Catches hot and cold rows swapped, their grey state ignoring the shown flags, or the
// hot-minus-cold and average rows missing.
TEST(HotSpotDisplay, ImageInfoListsHottestThenColdestWithDifferenceAndAverage)
{
    for (const std::uint8_t flagsA : {std::uint8_t{0}, std::uint8_t{3}}) {
        OpenedDoc d(planWithCursors({}, flagsA));
        ASSERT_TRUE(d.opened);
        cHotSpotDisplay list(d.doc.get());
        list.SetImage(&d.doc->image());
        const auto rows = list.Rows();
        const cBrixa& image = d.doc->image();
        const Marker& hotMarker = d.doc->markers()[kHottestMarker];
        ASSERT_EQ(rows.size(), 17u);
        EXPECT_EQ(rows[13].cells[0], hotMarker.name);
        EXPECT_EQ(rows[13].cells[1], temp(*d.doc, image.markerTemperature(kHottestMarker)));
        EXPECT_EQ(rows[13].cells[2],
                  QString::asprintf("(%d,%d)", hotMarker.x, kHeight - 1 - hotMarker.row));
        EXPECT_EQ(rows[14].cells[0], d.doc->markers()[kColdestMarker].name);
        EXPECT_EQ(rows[14].cells[1], temp(*d.doc, image.markerTemperature(kColdestMarker)));
        EXPECT_EQ(rows[13].grey, flagsA == 0);
        EXPECT_EQ(rows[14].grey, flagsA == 0);
        const double hot = rows[13].cells[1].section(QLatin1Char(' '), 0, 0).toDouble();
        const double cold = rows[14].cells[1].section(QLatin1Char(' '), 0, 0).toDouble();
        EXPECT_EQ(rows[15].cells[0], uiText(sid::TempDiff));
        EXPECT_EQ(rows[15].cells[1], temp(*d.doc, hot - cold));
        EXPECT_EQ(rows[15].cells[2], uiText(sid::HotColdDiffSuffix));
        EXPECT_EQ(rows[16].cells[0], uiText(sid::Average));
    }
}

// Catches hidden cursors drawn as active, or area rows that ignore area select.
TEST(HotSpotDisplay, HiddenCursorsAreGreyAndAreaRowsFollowAreaSelect)
{
    OpenedDoc d(planWithCursors({{50, 60, 0}}));
    ASSERT_TRUE(d.opened);
    cHotSpotDisplay list(d.doc.get());
    list.SetImage(&d.doc->image());
    d.doc->setCursorsShown(false);
    EXPECT_TRUE(list.Rows()[2].grey);
    d.doc->setCursorsShown(true);
    EXPECT_FALSE(list.Rows()[2].grey);

    ASSERT_FALSE(d.doc->areaSelectOn());
    d.doc->toggleAreaSelect();
    const auto rows = list.Rows();
    const int area = indexOf(rows, sid::AreaSelect);
    ASSERT_EQ(area, 17);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_TRUE(rows[17].centred);
    const cBrixa& image = d.doc->image();
    EXPECT_EQ(rows[18].cells[0], uiText(sid::Max));
    EXPECT_EQ(rows[18].cells[1], temp(*d.doc, image.rawToTemperature(image.areaStats().maxRaw)));
    EXPECT_EQ(rows[19].cells[0], uiText(sid::Min));
    EXPECT_EQ(rows[19].cells[1], temp(*d.doc, image.rawToTemperature(image.areaStats().minRaw)));
    EXPECT_EQ(rows[20].cells[0], uiText(sid::Average));
}

// Catches a table drawn without an image, or grey and active rows drawn in the same colour.
TEST(HotSpotDisplay, DrawsActiveRowsInWindowTextAndUnusedRowsInGrey)
{
    CVantoroDoc empty;
    cHotSpotDisplay blank(&empty);
    blank.SetRect(QRect(0, 0, 300, 300));
    blank.SetImage(&empty.image());
    EXPECT_TRUE(blank.Rows().empty());
    drawToImage(blank);
    for (int y = 0; y < 300; y += 5)
        for (int x = 0; x < 300; x += 5) ASSERT_EQ(blank.surface().Pixel(x, y), blank.background());

    OpenedDoc d(planWithCursors({{50, 60, 0}}));
    ASSERT_TRUE(d.opened);
    cHotSpotDisplay list(d.doc.get());
    list.SetRect(QRect(0, 0, 300, 300));
    list.SetImage(&d.doc->image());
    drawToImage(list);
    const ColourRef text = systemColour(QPalette::WindowText);
    const auto countIn = [&](int row, ColourRef colour) {
        int n = 0;
        for (int y = row * 15 + 2; y < row * 15 + 13; ++y)  // clear of the neighbours
            for (int x = 0; x < 300; ++x)
                if (viewtest::contentPixel(list, x, y) == colour) ++n;
        return n;
    };
    EXPECT_GT(countIn(2, text), 10);  // C1, in use and shown
    EXPECT_EQ(countIn(3, text), 0);   // C2, unused
    const ColourRef grey =
        fromQColor(QGuiApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
    ASSERT_NE(grey, text);
    EXPECT_GT(countIn(3, grey), 10);
    EXPECT_EQ(countIn(2, grey), 0);
}

}  // namespace
}  // namespace calivue
