// The display set keeps every display object in step with the document.
#include "view/displayset.h"

#include "view/arraydisplay.h"
#include "view/colourbar.h"
#include "view/hotspotdisplay.h"
#include "view/profiledisplay.h"
#include "view/spanselector.h"
#include "viewtestutil.h"

#include <gtest/gtest.h>

#include <functional>

using namespace calivue;
using namespace calivue::viewtest;

// Catches an object left without the image (or with the previous snapshot's)
// after a document opens a snapshot.
TEST(DisplaySet, OpeningHandsTheImageToEveryObject)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    cDisplaySet set(*opened.doc);
    // A set made after the load is brought up to date by the next announcement.
    EXPECT_EQ(set.arrayDisplay().image(), nullptr);
    ASSERT_TRUE(opened.doc->openDocument(opened.bmpPath));
    cBrixa* image = &opened.doc->image();
    EXPECT_EQ(set.arrayDisplay().image(), image);
    EXPECT_EQ(set.panDisplay().image(), image);
    EXPECT_EQ(set.colourBar().image(), image);
    EXPECT_EQ(set.spanSelector().image(), image);
    EXPECT_EQ(set.cursorList().image(), image);
    EXPECT_EQ(set.lowerProfile().image(), image);
    EXPECT_EQ(set.sideProfile().image(), image);
    EXPECT_TRUE(set.panDisplay().navigationMode());
    EXPECT_FALSE(set.arrayDisplay().navigationMode());
}

// Catches a setting that reaches the document but not the displays drawing it.
TEST(DisplaySet, SettingsReachTheDisplays)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    cDisplaySet set(*opened.doc);
    set.syncAll();
    CVantoroDoc& doc = *opened.doc;

    doc.setPalette(4);
    EXPECT_EQ(set.arrayDisplay().palette(), 4);
    EXPECT_EQ(set.panDisplay().palette(), 4);
    EXPECT_EQ(set.colourBar().palette(), 4);
    EXPECT_EQ(set.spanSelector().palette(), 4);
    EXPECT_EQ(set.lowerProfile().palette(), 4);

    doc.setSpan(2900, 3100);
    EXPECT_EQ(set.arrayDisplay().spanLow(), 2900);
    EXPECT_EQ(set.panDisplay().spanLow(), 2900);

    doc.setInterpolation(3);
    EXPECT_EQ(set.arrayDisplay().interpolation(), 3);

    doc.setBlend(50);
    EXPECT_EQ(set.arrayDisplay().blend(), 50);

    doc.toggleBlueIsotherm();
    EXPECT_EQ(set.arrayDisplay().isothermFlags(), doc.isothermFlags());
    EXPECT_EQ(set.spanSelector().isothermFlags(), doc.isothermFlags());

    doc.setZoom(2);
    EXPECT_EQ(set.arrayDisplay().zoomWindow(), doc.viewRect());
    EXPECT_EQ(set.lowerProfile().zoomWindow(), doc.viewRect());
    EXPECT_EQ(set.sideProfile().zoomWindow(), doc.viewRect());

    doc.toggleAreaSelect();
    EXPECT_EQ(set.arrayDisplay().areaBoxShown(), doc.areaSelectOn());
}

// Catches a colour change that the main picture does not re-render for, or a
// geometry change that re-renders needlessly.
TEST(DisplaySet, OnlyColourChangesReRender)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    cDisplaySet set(*opened.doc);
    set.syncAll();
    cArrayDisplay& display = set.arrayDisplay();
    display.SetRect(QRect(0, 0, 320, 240));
    drawToImage(display);
    const int afterFirst = display.renderCount();

    opened.doc->setZoom(2);
    drawToImage(display);
    EXPECT_EQ(display.renderCount(), afterFirst);

    opened.doc->setPalette(6);
    drawToImage(display);
    EXPECT_EQ(display.renderCount(), afterFirst + 1);
}

// Catches a zoom chosen after the load that reaches only the document: the pan display then
// draws no outline and a drag on it centres a window of the old size.
TEST(DisplaySet, ZoomChosenLaterReachesBothDisplays)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    cDisplaySet set(doc);
    set.syncAll();
    cArrayDisplay& pan = set.panDisplay();
    pan.SetRect(QRect(0, 0, 160, 120));
    const QImage before = drawToImage(pan);

    doc.setZoom(2);
    EXPECT_EQ(set.arrayDisplay().zoom(), 2);
    EXPECT_EQ(pan.zoom(), 2);
    // The outline of the 160 × 120 window centred on the picture.
    EXPECT_NE(drawToImage(pan), before);

    pan.OnLButtonDown(KeyLButton, QPoint(10, 10));
    EXPECT_EQ(doc.viewRect().size(), QSize(160, 120));
    pan.OnLButtonUp(0, QPoint(10, 10));
    doc.setZoom(1);
    EXPECT_EQ(pan.zoom(), 1);
}

// Catches a display that keeps its own copy of a setting: a value set on one display must be
// the document's (so the pan display, the pages and a save see it), including the zoom,
// whose window follows the document's rule.
TEST(DisplaySet, ADisplaysSettingIsTheDocuments)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    cDisplaySet set(doc);
    set.syncAll();
    cArrayDisplay& main = set.arrayDisplay();
    cArrayDisplay& pan = set.panDisplay();
    struct Case {
        const char* name;
        std::function<void()> set;
        std::function<bool()> inDocument, onThePan;
    };
    const Case cases[] = {
        {"zoom", [&] { main.SetZoom(2); }, [&] { return doc.zoom() == 2; },
         [&] { return pan.zoom() == 2 && pan.zoomWindow() == QRect(80, 60, 160, 120); }},
        {"window", [&] { main.SetZoomWindow(QRect(300, 0, 160, 120)); },
         [&] { return doc.viewRect() == QRect(160, 0, 160, 120); },
         [&] { return pan.zoomWindow() == doc.viewRect(); }},
        {"palette", [&] { main.SetPalette(6); }, [&] { return doc.palette() == 6; },
         [&] { return pan.palette() == 6 && set.colourBar().palette() == 6; }},
        {"span", [&] { main.SetSpan(2950, 3050); },
         [&] { return doc.spanLow() == 2950 && doc.spanHigh() == 3050; },
         [&] { return pan.spanLow() == 2950; }},
        {"interpolation", [&] { main.SetInterpolation(2); },
         [&] { return doc.interpolation() == 2; }, [&] { return pan.interpolation() == 2; }},
        {"blend", [&] { main.SetBlend(75); }, [&] { return doc.blend() == 75; },
         [&] { return pan.blend() == 75; }},
        {"isotherms", [&] { main.SetIsothermFlags(2); }, [&] { return doc.isothermFlags() == 2; },
         [&] { return pan.isothermFlags() == 2; }},
        {"profile window", [&] { set.lowerProfile().SetZoomWindow(QRect(0, 0, 80, 60)); },
         [&] { return doc.viewRect() == QRect(0, 0, 80, 60); },
         [&] { return main.zoomWindow() == doc.viewRect(); }},
    };
    for (const Case& c : cases) {
        c.set();
        EXPECT_TRUE(c.inDocument()) << c.name;
        EXPECT_TRUE(c.onThePan()) << c.name;
    }
    EXPECT_TRUE(doc.isModified());  // palette, span, blend and isotherms are saved
}

// Catches a display that sets the document's change flags itself: only the document's
// announcement may, so a drag that ends without a change schedules no repaint.
TEST(DisplaySet, ADragEndingOffTheDisplaySetsNoDocumentFlag)
{
    OpenedDoc opened(flatPlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    cDisplaySet set(doc);
    set.syncAll();
    cArrayDisplay& pan = set.panDisplay();
    pan.SetRect(QRect(0, 0, 160, 120));
    doc.setZoom(2);
    pan.OnLButtonDown(KeyLButton, QPoint(80, 60));  // a drag of the zoom window begins
    ASSERT_TRUE(pan.dragging());
    doc.takeImageChanged();
    doc.takeOverlayChanged();
    pan.OnMouseLeave();
    EXPECT_FALSE(pan.dragging());
    EXPECT_EQ(doc.takeOverlayChanged(), 0u);
    EXPECT_EQ(doc.takeImageChanged(), 0u);
}
