// The snapshot painter draws a snapshot from its image and display state alone: the same
// pixels as the analysis window, and markers where they belong in both styles.
#include "paint/snapshotpainter.h"

#include "viewtestutil.h"

#include "core/constants.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <gtest/gtest.h>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

gen::SnapshotPlan markedPlan(std::uint8_t flagsA, std::uint8_t flagsB, int orientation = 0)
{
    gen::SnapshotPlan plan = flatPlan();
    plan.scene.topC = 40;
    plan.scene.bottomC = 10;
    plan.flagsA = flagsA;
    plan.flagsB = flagsB;
    plan.orientation = static_cast<std::uint8_t>(orientation);
    plan.cursors = {{100, 50, 0}, {250, 200, 80}};
    return plan;
}

QImage paint(cBrixa& img, const DisplayState& state, const std::vector<SnapshotMarker>& markers,
             MarkerStyle style, QSize size, QPointF offset = {})
{
    QImage out(size, QImage::Format_RGB32);
    out.fill(QColor(255, 0, 255));
    QPainter p(&out);
    cSnapshotPainter painter;
    EXPECT_TRUE(
        painter.Paint(p, QRect(QPoint(0, 0), size), img, state, markers, style, nullptr, offset));
    return out;
}

}  // namespace

// Catches a painter that differs from the analysis window (picture, palette, span, isotherm
// tint, orientation, or the large markers with their labels) for a snapshot's own state.
TEST(SnapshotPainter, DrawsWhatTheMainDisplayShows)
{
    for (int o : {0, 1, 3}) {
        SCOPED_TRACE(o);
        // Hot and cold shown, cursor temperatures on, blue isotherm on.
        OpenedDoc opened(markedPlan(0x43, 0x01, o));
        ASSERT_TRUE(opened.opened);
        CVantoroDoc& doc = *opened.doc;
        const bool portrait = o == 1 || o == 3;
        const QSize size = portrait ? QSize(240, 320) : QSize(320, 240);
        auto display = displayFor(doc, size.width(), size.height());
        const QImage shown = drawToImage(*display);

        cBrixa& img = doc.image();
        const DisplayState state = displayStateOf(img);
        const auto markers = snapshotMarkers(img, state, uiText(sid::Cold), uiText(sid::Hot));
        EXPECT_EQ(markers, display->DocumentMarkers());
        EXPECT_EQ(paint(img, state, markers, MarkerStyle::Large, size), shown);
    }
}

// Catches record markers drawn although hidden: cursors by flags B bit 1, the extremes by
// their own bits of flags A.
TEST(SnapshotPainter, RecordMarkersFollowTheFlags)
{
    const struct {
        std::uint8_t a, b;
        std::vector<int> indices;
    } cases[] = {{0x00, 0x00, {0, 1}},
                 {0x00, 0x02, {}},
                 {0x01, 0x02, {kHottestMarker}},
                 {0x03, 0x00, {0, 1, kColdestMarker, kHottestMarker}}};
    for (const auto& c : cases) {
        OpenedDoc opened(markedPlan(c.a, c.b));
        ASSERT_TRUE(opened.opened);
        const cBrixa& img = opened.doc->image();
        std::vector<int> got;
        for (const SnapshotMarker& m : snapshotMarkers(img, displayStateOf(img), {}, {}))
            got.push_back(m.index);
        EXPECT_EQ(got, c.indices) << int(c.a) << "/" << int(c.b);
    }
}

// Catches small markers at the wrong place, in the wrong colours, drawn with the large
// style's cross, or not moved by the visual pane's offset (and then left out past the edge).
TEST(SnapshotPainter, SmallMarkersSitAtTheirPixelInTheirColours)
{
    OpenedDoc opened(markedPlan(0x00, 0x00));
    ASSERT_TRUE(opened.opened);
    cBrixa& img = opened.doc->image();
    const DisplayState state = displayStateOf(img);
    const std::vector<SnapshotMarker> one = {{1, 100, kHeight - 1 - 60, {}}};
    const MarkerColours colours = markerColours(1);
    const QSize pane(213, 160);
    // x 100 × 213 ÷ 320 = 66.6, y 60 × 160 ÷ 240 = 40.
    for (const QPointF offset : {QPointF(0, 0), QPointF(10, -6)}) {
        SCOPED_TRACE(offset.x());
        const QImage shot = paint(img, state, one, MarkerStyle::Small, pane, offset);
        const int px = static_cast<int>(66.56 - offset.x()), py = 40 + static_cast<int>(offset.y());
        EXPECT_EQ(imagePixel(shot, px, py), colours.pen);
        EXPECT_EQ(imagePixel(shot, px + 4, py), colours.pen);
        EXPECT_EQ(imagePixel(shot, px, py - 4), colours.pen);
        EXPECT_EQ(imagePixel(shot, px - 5, py), colours.fill);  // the bar's frame
        EXPECT_EQ(imagePixel(shot, px + 5, py + 1), colours.fill);
        EXPECT_NE(imagePixel(shot, px + 8, py), colours.pen);  // not the large cross
    }
    const QImage plain = paint(img, state, {}, MarkerStyle::Small, pane);
    EXPECT_EQ(paint(img, state, one, MarkerStyle::Small, pane, QPointF(80, 0)), plain);
}

// Catches labels that cover each other when a hot or cold marker sits on a cursor (or
// several crowd one spot), at any scale and by any edge, labels pushed out of the area, and a
// lone label moved from its designed place above and right of its cross.
TEST(SnapshotPainter, LabelsOfMarkersOnOneSpotDoNotCoverEachOther)
{
    const QSize label(58, 14), hot(24, 14);
    for (const QSize area : {QSize(160, 120), QSize(320, 240), QSize(640, 480), QSize(1280, 960)}) {
        const int w = area.width(), h = area.height();
        for (const QPoint at : {QPoint(w / 2, h / 2), QPoint(2, 2), QPoint(w - 3, 5),
                                QPoint(w - 3, h - 3), QPoint(4, h - 2)}) {
            for (std::size_t crowd : {2u, 3u, 4u}) {
                std::vector<QSize> sizes(crowd, label);
                sizes[1] = hot;
                const std::vector<QRect> boxes =
                    cSnapshotPainter::LabelBoxes(std::vector<QPoint>(crowd, at), sizes, w, h);
                ASSERT_EQ(boxes.size(), crowd);
                for (std::size_t i = 0; i < crowd; ++i) {
                    const QRect framed = boxes[i].adjusted(-1, -1, 1, 1);
                    EXPECT_TRUE(QRect(0, 0, w, h).contains(framed))
                        << w << " " << at.x() << "," << at.y() << " " << i;
                    for (std::size_t j = 0; j < i; ++j)
                        EXPECT_FALSE(framed.intersects(boxes[j].adjusted(-1, -1, 1, 1)))
                            << w << " " << at.x() << "," << at.y() << " " << i << "/" << j;
                }
            }
        }
        const QPoint alone(w / 2, h / 2);
        EXPECT_EQ(cSnapshotPainter::LabelBoxes({alone}, {label}, w, h).front(),
                  QRect(alone.x() + 4, alone.y() - 14 - 4, 61, 14));
    }
    // Too wide for the area: the cross alone.
    EXPECT_TRUE(cSnapshotPainter::LabelBoxes({{10, 10}}, {{80, 14}}, 60, 40).front().isNull());
}

// Catches numbered labels of markers on one spot (a hot marker on cursor 1) that cover each
// other or leave the picture, at the sizes the modern report prints.
TEST(SnapshotPainter, NumberedLabelsOnOneSpotDoNotCoverEachOther)
{
    for (const QSize size : {QSize(320, 240), QSize(1240, 930)}) {
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter p(&page);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(size.height() / 20);
        for (const QPoint spot : {QPoint(160, 120), QPoint(1, 1), QPoint(318, 238)}) {
            const std::vector<SnapshotMarker> markers = {
                {0, spot.x(), spot.y(), QStringLiteral("1")},
                {1, spot.x(), spot.y(), QStringLiteral("2")},
                {kHottestMarker, spot.x(), spot.y(), QStringLiteral("Hot")}};
            std::vector<QRectF> boxes;
            cSnapshotPainter::DrawNumberedMarkers(p, QRectF(page.rect()), markers, font, {},
                                                  &boxes);
            ASSERT_EQ(boxes.size(), markers.size());
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                EXPECT_TRUE(QRectF(page.rect()).contains(boxes[i])) << size.width() << " " << i;
                for (std::size_t j = 0; j < i; ++j)
                    EXPECT_FALSE(boxes[i].intersects(boxes[j]))
                        << size.width() << " " << i << "/" << j;
            }
        }
    }
}

// Catches report markers turned another way than the analysis window turns its picture: for
// every orientation the numbered style's place of an image pixel is the window's place.
TEST(SnapshotPainter, NumberedMarkersTurnAsTheWindowDoes)
{
    const int w = 640, h = 480;
    const QRect whole(0, 0, kWidth, kHeight);
    for (int o = 0; o < 4; ++o) {
        const bool quarter = o == 1 || o == 3;
        const int cw = quarter ? h : w, ch = quarter ? w : h;
        for (const QPoint px :
             {QPoint(0, 0), QPoint(319, 0), QPoint(0, 239), QPoint(40, 200), QPoint(300, 17)}) {
            const QPoint want = cSnapshotPainter::ImageToContent(px.x(), px.y(), whole, o, cw, ch);
            const QPointF f = cSnapshotPainter::TurnedPoint(
                QPointF((px.x() + 0.5) / kWidth, (kHeight - 1 - px.y() + 0.5) / kHeight), o);
            EXPECT_NEAR(f.x() * cw, want.x() + 0.5, 1.0) << o << " " << px.x() << "," << px.y();
            EXPECT_NEAR(f.y() * ch, want.y() + 0.5, 1.0) << o << " " << px.x() << "," << px.y();
        }
    }
}
