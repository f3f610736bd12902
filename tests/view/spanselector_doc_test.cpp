// cSpanSelector attached to a document: every mouse gesture that hands limits to it, the
// priorities between the bands, and what the drawing takes from the document's state.
#include "view/spanselector.h"
#include "viewtestutil.h"

#include "core/palette.h"
#include "view/objectviewer.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace calivue {
namespace {

using viewtest::drawToImage;
using viewtest::OpenedDoc;

// A picture that runs from 20 °C at the bottom to 40 °C at the top, its span shown.
gen::SnapshotPlan spanPlan()
{
    gen::SnapshotPlan plan = viewtest::gradientPlan(20, 40);
    plan.visibleSpan = true;
    return plan;
}

int xOf(double position, int w)
{
    return static_cast<int>(std::lround(position * w));
}

class SpanSelectorDoc : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_opened.opened);
        m_sel.AttachDocument(doc());
        m_sel.SetRect(QRect(0, 0, kW, 100));
        m_sel.SetImage(&doc()->image());
        drawToImage(m_sel);
    }
    CVantoroDoc* doc() { return m_opened.doc.get(); }
    const RecordFields& fields() { return doc()->image().fields; }
    QPoint at(double position) const { return QPoint(xOf(position, kW), 50); }

    static constexpr int kW = 2000;
    OpenedDoc m_opened{spanPlan()};
    cSpanSelector m_sel;
};

// Catches a low end that can be dragged onto or past the high end.
TEST_F(SpanSelectorDoc, LowEndCannotPassTheHighEnd)
{
    const cSpanSelector::Band s0 = m_sel.span();
    ASSERT_GT(s0.low, 0.1);
    ASSERT_LT(s0.high, 0.9);
    m_sel.OnLButtonDown(KeyLButton, at(s0.low));
    ASSERT_EQ(m_sel.dragTarget(), cSpanSelector::TargetSpan);
    ASSERT_EQ(m_sel.handle(), cSpanSelector::HandleLow);
    const int within = static_cast<int>(std::lround(s0.high * kW)) - 1;  // within 0.001 of it
    m_sel.OnMouseMove(KeyLButton, QPoint(within, 50));
    m_sel.OnMouseMove(KeyLButton, at(s0.high + 0.05));
    EXPECT_DOUBLE_EQ(m_sel.span().low, s0.low);
    EXPECT_EQ(fields().spanLow, s0.rawLow);
    // A legal step is taken and handed over as a raw value.
    const QPoint legal = at(s0.low + 0.02);
    m_sel.OnMouseMove(KeyLButton, legal);
    EXPECT_DOUBLE_EQ(m_sel.span().low, double(legal.x()) / kW);
    EXPECT_EQ(fields().spanLow, m_sel.RawAt(double(legal.x()) / kW));
    EXPECT_EQ(fields().spanHigh, s0.rawHigh);
    EXPECT_EQ(m_sel.redrawRequest(), 1);
    EXPECT_TRUE(doc()->isModified());
    m_sel.OnLButtonUp(0, legal);
    EXPECT_EQ(m_sel.dragTarget(), cSpanSelector::TargetNone);
    EXPECT_EQ(m_sel.handle(), cSpanSelector::HandleLow);  // hover re-evaluated at the release
    EXPECT_EQ(m_sel.pointer(), Qt::SizeHorCursor);
}

// Catches a band drag that changes the span's width or moves only one end.
TEST_F(SpanSelectorDoc, DraggingTheWholeSpanKeepsItsWidth)
{
    const cSpanSelector::Band s0 = m_sel.span();
    const int width = s0.rawHigh - s0.rawLow;
    const QPoint grab = at((s0.low + s0.high) / 2);
    m_sel.OnLButtonDown(KeyLButton, grab);
    ASSERT_EQ(m_sel.handle(), cSpanSelector::HandleBand);
    for (int step = 1; step <= 5; ++step)
        m_sel.OnMouseMove(KeyLButton, grab + QPoint(10 * step, 0));
    EXPECT_NEAR(m_sel.span().low, s0.low + 50.0 / kW, 1e-12);
    EXPECT_NEAR(m_sel.span().high, s0.high + 50.0 / kW, 1e-12);
    EXPECT_GT(fields().spanLow, s0.rawLow);
    EXPECT_EQ(fields().spanHigh - fields().spanLow, width);
}

// Catches isotherm or span priorities in the wrong order.
TEST_F(SpanSelectorDoc, RedIsothermWinsOverBlueWhichWinsOverTheSpan)
{
    const cSpanSelector::Band s = m_sel.span();
    const int mid = (s.rawLow + s.rawHigh) / 2;
    // All three bands contain the middle of the span.
    doc()->setIsotherms(3, mid - 20, mid + 20, mid - 10, mid + 10);
    m_sel.SyncIsotherms();
    const QPoint p = at(m_sel.PositionOf(mid));
    for (const auto& [flags, target] :
         {std::pair{3u, cSpanSelector::TargetRed}, std::pair{1u, cSpanSelector::TargetBlue},
          std::pair{0u, cSpanSelector::TargetSpan}}) {
        m_sel.SetIsothermFlags(flags);
        m_sel.OnMouseMove(0, p);
        EXPECT_EQ(m_sel.handle(), cSpanSelector::HandleBand);
        EXPECT_EQ(m_sel.pointer(), Qt::PointingHandCursor);
        m_sel.OnLButtonDown(KeyLButton, p);
        EXPECT_EQ(m_sel.dragTarget(), target) << "flags " << flags;
        m_sel.OnLButtonUp(0, p);
    }
}

// Catches a right button that moves anything but a shown red band, or loses the blue one.
TEST_F(SpanSelectorDoc, RightButtonDragsOnlyTheShownRedIsotherm)
{
    const RecordFields before = fields();
    ASSERT_LT(before.redLower, before.redUpper);
    const double redLow = m_sel.PositionOf(before.redLower);

    m_sel.SetIsothermFlags(0);
    m_sel.OnRButtonDown(KeyRButton, at(redLow));
    EXPECT_EQ(m_sel.dragTarget(), cSpanSelector::TargetNone);

    doc()->setIsotherms(2, before.blueLower, before.blueUpper, before.redLower, before.redUpper);
    m_sel.SyncIsotherms();
    ASSERT_EQ(m_sel.isothermFlags(), 2u);
    const QPoint press = at(redLow) - QPoint(15, 0);  // beyond the left button's reach
    m_sel.OnLButtonDown(KeyLButton, press);
    EXPECT_NE(m_sel.dragTarget(), cSpanSelector::TargetRed);
    m_sel.OnLButtonUp(0, press);
    m_sel.OnRButtonDown(KeyRButton, press);
    ASSERT_EQ(m_sel.dragTarget(), cSpanSelector::TargetRed);
    ASSERT_EQ(m_sel.handle(), cSpanSelector::HandleLow);
    const QPoint to = press - QPoint(30, 0);
    m_sel.OnMouseMove(KeyRButton, to);
    EXPECT_EQ(m_sel.redrawRequest(), 2);
    EXPECT_EQ(fields().redLower, m_sel.RawAt(double(to.x()) / kW));
    EXPECT_EQ(fields().redUpper, before.redUpper);
    EXPECT_EQ(fields().blueLower, before.blueLower);
    EXPECT_EQ(fields().blueUpper, before.blueUpper);
    EXPECT_EQ(doc()->isothermFlags(), 2u);
    m_sel.OnRButtonUp(0, to);
    EXPECT_EQ(m_sel.dragTarget(), cSpanSelector::TargetNone);
}

// Catches a double-click that does not ask for the automatic span.
TEST_F(SpanSelectorDoc, DoubleClickSetsTheAutomaticSpan)
{
    int low = 0, high = 0;
    ASSERT_TRUE(doc()->image().spanRange(low, high));
    doc()->setSpan(low + 7, high - 7);
    m_sel.SyncSpan();
    m_sel.OnLButtonDblClk(KeyLButton, QPoint(500, 50));
    EXPECT_EQ(fields().spanLow, low);
    EXPECT_EQ(fields().spanHigh, high);
    EXPECT_EQ(m_sel.span().rawLow, low);
}

// Catches a drag that stays live after the pointer left, or whose last step is lost.
TEST_F(SpanSelectorDoc, LeavingEndsTheDragAndKeepsItsLimits)
{
    const cSpanSelector::Band s0 = m_sel.span();
    m_sel.OnLButtonDown(KeyLButton, at(s0.high));
    ASSERT_EQ(m_sel.handle(), cSpanSelector::HandleHigh);
    const QPoint to = at(s0.high + 0.03);
    m_sel.OnMouseMove(KeyLButton, to);
    m_sel.OnMouseLeave();
    EXPECT_EQ(m_sel.dragTarget(), cSpanSelector::TargetNone);
    EXPECT_EQ(m_sel.pointer(), Qt::ArrowCursor);
    EXPECT_EQ(fields().spanHigh, m_sel.RawAt(double(to.x()) / kW));
    // A later move only hovers.
    m_sel.OnMouseMove(0, at(s0.high + 0.06));
    EXPECT_EQ(fields().spanHigh, m_sel.RawAt(double(to.x()) / kW));
}

// Catches a selector that leaves an image without a span spanless.
TEST_F(SpanSelectorDoc, ImageWithoutSpanGetsOneThroughTheDocument)
{
    cBrixa& image = doc()->image();
    int low = image.fields.fallbackLow, high = image.fields.fallbackHigh;
    if (low == 0 && high == 0) image.spanRange(low, high);
    image.fields.spanLow = image.fields.spanHigh = 0;
    doc()->setModified(false);
    m_sel.SetImage(&image);
    EXPECT_EQ(image.fields.spanLow, low);
    EXPECT_EQ(image.fields.spanHigh, high);
    EXPECT_EQ(m_sel.span().rawLow, low);
    EXPECT_TRUE(doc()->isModified());
}

// Catches missing darkening outside the span or isotherm tints of the wrong colour.
TEST_F(SpanSelectorDoc, OutsideOfSpanIsDarkenedAndIsothermsTinted)
{
    const Bitmap& h = m_sel.histogramImage();
    const Bitmap& s = m_sel.surface();
    const int y = 20;  // a histogram-area row below any label
    const int leftOfSpan = xOf(m_sel.span().low, kW) - 20;
    const auto darker = [](ColourRef c) {
        return rgb(int(redOf(c) * 0.8), int(greenOf(c) * 0.8), int(blueOf(c) * 0.8));
    };
    EXPECT_EQ(s.Pixel(leftOfSpan, y), darker(h.Pixel(leftOfSpan, y)));
    const int inside = xOf((m_sel.span().low + m_sel.span().high) / 2, kW);
    EXPECT_EQ(s.Pixel(inside, y), h.Pixel(inside, y));

    doc()->setIsotherms(1, m_sel.span().rawLow, m_sel.span().rawHigh, 0, 0);
    m_sel.SyncIsotherms();
    drawToImage(m_sel);
    const ColourRef under = h.Pixel(inside, y);
    const ColourRef tinted = m_sel.surface().Pixel(inside, y);
    EXPECT_EQ(redOf(tinted), int(redOf(under) * 0.6));
    EXPECT_EQ(greenOf(tinted), int(greenOf(under) * 0.6));
    EXPECT_EQ(blueOf(tinted), std::min(255, int(230 * 0.4) + int(blueOf(under) * 0.6)));
}

// Catches a span bar that is missing, too narrow, or not raised.
TEST_F(SpanSelectorDoc, SpanBarIsARaisedButtonUnderTheSpan)
{
    const Bitmap& s = m_sel.surface();
    const int x0 = static_cast<int>(kW * m_sel.span().low);
    const int x1 = static_cast<int>(kW * m_sel.span().high);
    const int mid = (x0 + x1) / 2;
    EXPECT_EQ(s.Pixel(mid, 5), systemColour(QPalette::Button));
    EXPECT_EQ(s.Pixel(mid, cSpanSelector::kBarHeight), systemColour(QPalette::Midlight));
    EXPECT_EQ(s.Pixel(mid, 0), systemColour(QPalette::Shadow));
    EXPECT_EQ(s.Pixel(x1, 5), systemColour(QPalette::Shadow));
    EXPECT_EQ(s.Pixel(x0, 5), systemColour(QPalette::Midlight));
}

// Catches a selector that keeps showing an old span or old isotherms after the document
// changed them.
TEST_F(SpanSelectorDoc, SpanChangedElsewhereIsPickedUpAtTheNextDraw)
{
    const cSpanSelector::Band s0 = m_sel.span();
    doc()->setSpan(s0.rawLow + 10, s0.rawHigh - 10);
    drawToImage(m_sel);
    EXPECT_EQ(m_sel.span().rawLow, s0.rawLow + 10);
    EXPECT_DOUBLE_EQ(m_sel.span().high, m_sel.PositionOf(s0.rawHigh - 10));
    // The histogram was recoloured for the new span: the column at the old low end is now
    // left of the span and has palette index 0.
    const int x = static_cast<int>(kW * m_sel.PositionOf(s0.rawLow + 10)) - 1;
    const Bitmap& h = m_sel.histogramImage();
    EXPECT_EQ(h.Pixel(x, 12), paletteColour(m_sel.palette(), 0));

    // So are the isotherm switches and limits.
    const RecordFields f = fields();
    doc()->setIsotherms(2, f.blueLower, f.blueUpper, f.redLower + 5, f.redUpper);
    drawToImage(m_sel);
    EXPECT_EQ(m_sel.isothermFlags(), 2u);
    EXPECT_EQ(m_sel.red().rawLow, f.redLower + 5);
}

// Catches a selector that works when called directly but not as hosted: content
// coordinates, the owner's pointer shape and the repaint after a drag.
TEST_F(SpanSelectorDoc, DraggingThroughTheViewerMovesTheDocumentSpan)
{
    QWidget parent;
    parent.resize(500, 200);
    cSpanSelector hosted;
    hosted.AttachDocument(doc());
    cObjectViewer viewer(&parent);
    viewer.SetBorder3D(true);
    viewer.setGeometry(0, 0, 408, 108);  // content 400 × 100
    viewer.Attach(&hosted);
    hosted.SetImage(&doc()->image());
    parent.show();
    ASSERT_EQ(hosted.W(), 400);
    const cSpanSelector::Band s0 = hosted.span();
    const QPoint border(4, 4);
    const QPoint grab = QPoint(xOf(s0.high, 400), 50) + border;
    QTest::mouseMove(&viewer, grab);
    EXPECT_EQ(viewer.cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(&viewer, Qt::LeftButton, {}, grab);
    QTest::mouseMove(&viewer, grab + QPoint(20, 0));
    QTest::mouseRelease(&viewer, Qt::LeftButton, {}, grab + QPoint(20, 0));
    EXPECT_EQ(hosted.dragTarget(), cSpanSelector::TargetNone);
    EXPECT_EQ(fields().spanHigh, hosted.RawAt(double(grab.x() - 4 + 20) / 400));
    EXPECT_EQ(fields().spanLow, s0.rawLow);
}

}  // namespace
}  // namespace calivue
