// cArrayDisplay, the picture: what too small an area shows, pixel equality with the
// command-line renderer (palette, isotherms, interpolation, orientation, blending in the
// captured frame), the zoom window's place in the render for each orientation, and that
// only colour-changing settings re-render.
#include "viewtestutil.h"

#include "cli/commands.h"
#include "core/bitmapfile.h"
#include "core/render.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace calivue;
using namespace calivue::viewtest;

namespace {

// Markers off, so that the picture alone is compared.
void hideOverlays(CVantoroDoc& doc)
{
    for (Marker& m : doc.markers()) m.shown = false;
    if (doc.profilesShown()) doc.toggleProfiles();
}

gen::SnapshotPlan scenePlan()
{
    gen::SnapshotPlan plan = gen::demoPlan(7);
    plan.explicitIsotherms = true;  // the record's bounds, the same for both renderers
    plan.orientation = 0;
    plan.blend = 0;
    return plan;
}

// The picture calivue-cli writes for these settings, as packed bottom-up rows.
cBitmapFile cliRender(const OpenedDoc& opened, int f, int palette, std::pair<int, int> span,
                      unsigned iso, int orientation, std::optional<int> blend)
{
    cli::RenderOptions opt;
    opt.snapshot = opened.bmpPath.toStdString();
    opt.output = (opened.dir.path() + QStringLiteral("/cli.bmp")).toStdString();
    opt.interpolation = f;
    opt.palette = palette;
    opt.span = span;
    opt.isotherms = iso;
    opt.orientation = orientation;
    opt.blend = blend;
    std::ostringstream err;
    EXPECT_EQ(cli::runRender(opt, err), 0) << err.str();
    cBitmapFile out;
    out.Load(opt.output);
    return out;
}

// Number of content pixels whose colour differs from the picture's pixel at the same place.
int differences(const cArrayDisplay& d, const cBitmapFile& pic)
{
    int bad = 0;
    const auto px = pic.pixels();
    for (int y = 0; y < d.H(); ++y) {  // surface rows, bottom-up like the picture's
        for (int x = 0; x < d.W(); ++x) {
            const std::uint8_t* p = px.data() + static_cast<std::size_t>(y) * pic.stride() + 3 * x;
            bad += d.surface().Pixel(x, y) != rgb(p[2], p[1], p[0]);
        }
    }
    return bad;
}

}  // namespace

// Catches a display that draws a picture (or garbage) into an area too small for it, or
// without an image or document.
TEST(ArrayDisplayPicture, TooSmallOrEmptyShowsOnlyTheButtonFace)
{
    OpenedDoc opened(scenePlan());
    ASSERT_TRUE(opened.opened);
    const ColourRef face = systemColour(QPalette::Button);
    for (QSize size : {QSize(9, 100), QSize(100, 9), QSize(10, 10)}) {
        auto display = displayFor(*opened.doc, size.width(), size.height());
        const QImage shot = drawToImage(*display);
        int other = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) other += imagePixel(shot, x, y) != face;
        if (size.width() > 9 && size.height() > 9)
            EXPECT_GT(other, 0) << "10 × 10 shows the picture";
        else
            EXPECT_EQ(other, 0) << size.width() << " × " << size.height();
    }

    cArrayDisplay noImage(opened.doc.get());
    noImage.SetRect(QRect(0, 0, 50, 40));
    EXPECT_EQ(imagePixel(drawToImage(noImage), 25, 20), face);
    // An image alone is enough: the picture is drawn without a document.
    cArrayDisplay noDocument;
    noDocument.SetRect(QRect(0, 0, 50, 40));
    noDocument.SetImage(&opened.doc->image());
    EXPECT_NE(imagePixel(drawToImage(noDocument), 25, 20), face);
}

// Catches any difference from calivue-cli render with the same settings: palette, isotherm
// tints, interpolation 2, each orientation, pixel for pixel before any scaling.
TEST(ArrayDisplayPicture, EqualsTheCommandLineRenderInEveryOrientation)
{
    OpenedDoc opened(scenePlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    hideOverlays(doc);
    const RecordFields& f = doc.image().fields;
    ASSERT_LT(f.blueLower, f.blueUpper);
    doc.setPalette(4);
    doc.setInterpolation(2);
    doc.setIsotherms(3, f.blueLower, f.blueUpper, f.redLower, f.redUpper);
    const std::pair<int, int> span{doc.spanLow(), doc.spanHigh()};
    for (int o = 0; o < 4; ++o) {
        SCOPED_TRACE(o);
        doc.setOrientation(o);
        const bool portrait = o == 1 || o == 3;
        auto display = displayFor(doc, portrait ? 480 : 640, portrait ? 640 : 480);
        display->Draw(nullptr);
        const cBitmapFile expected = cliRender(opened, 2, 4, span, 3, o, std::nullopt);
        ASSERT_EQ(expected.width(), display->W());
        ASSERT_EQ(expected.height(), display->H());
        EXPECT_EQ(differences(*display, expected), 0);
        EXPECT_EQ(display->renderBuffer().width(), expected.width());
    }
}

// Catches blending after the turn instead of in the captured frame (the photograph would
// land rotated against the thermal picture), and blending that never happens.
TEST(ArrayDisplayPicture, BlendsWithThePhotographBeforeTheTurn)
{
    OpenedDoc opened(scenePlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    hideOverlays(doc);
    doc.setInterpolation(2);
    doc.setBlend(50);
    const std::pair<int, int> span{doc.spanLow(), doc.spanHigh()};
    for (int o : {1, 2}) {
        SCOPED_TRACE(o);
        doc.setOrientation(o);
        const bool portrait = o == 1;
        auto display = displayFor(doc, portrait ? 480 : 640, portrait ? 640 : 480);
        ASSERT_TRUE(display->visibleImage().IsValid());
        ASSERT_EQ(display->blend(), 50);
        display->Draw(nullptr);
        const cBitmapFile blended =
            cliRender(opened, 2, doc.palette(), span, doc.isothermFlags(), o, 50);
        EXPECT_EQ(differences(*display, blended), 0);
        const cBitmapFile plain =
            cliRender(opened, 2, doc.palette(), span, doc.isothermFlags(), o, std::nullopt);
        EXPECT_GT(differences(*display, plain), 1000) << "the photograph was not blended";
    }
}

// Catches a zoom window taken from the wrong part of the render buffer in any orientation:
// the pixel showing image pixel (c, r) must be that pixel of the core's oriented picture.
TEST(ArrayDisplayPicture, ZoomWindowShowsTheRightPartInEveryOrientation)
{
    OpenedDoc opened(scenePlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    // Where each image pixel lands in an oriented picture, found by turning a picture of
    // pixel addresses with the core's own turn.
    std::vector<std::uint8_t> addresses(static_cast<std::size_t>(kPixels) * 3);
    for (int r = 0; r < kHeight; ++r)
        for (int c = 0; c < kWidth; ++c) {
            std::uint8_t* p = &addresses[(static_cast<std::size_t>(r) * kWidth + c) * 3];
            p[0] = static_cast<std::uint8_t>(c & 0xFF);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(r);
        }
    const QRect window(200, 30, 80, 60);  // zoom 4, off-centre
    for (int o = 0; o < 4; ++o) {
        SCOPED_TRACE(o);
        doc.setOrientation(o);
        const bool portrait = o == 1 || o == 3;
        const auto turned = orientPicture(addresses, kWidth, kHeight, o);
        std::vector<int> where(kPixels);
        for (int i = 0; i < kPixels; ++i) {
            const std::uint8_t* p = &turned[static_cast<std::size_t>(i) * 3];
            where[static_cast<std::size_t>(p[2]) * kWidth + (p[0] | (p[1] << 8))] = i;
        }
        const auto picture = doc.image().render(kWidth, kHeight, 1, doc.spanLow(), doc.spanHigh(),
                                                doc.isothermFlags());
        ASSERT_TRUE(picture);
        auto display = displayFor(doc, portrait ? 240 : 320, portrait ? 320 : 240);
        display->SetZoomWindow(window);
        display->Draw(nullptr);
        int bad = 0;
        for (int r = window.top(); r <= window.bottom(); r += 3) {
            for (int c = window.left(); c <= window.right(); c += 3) {
                const QPoint at = display->ImageToDisplay(c, r);
                const std::uint8_t* p =
                    &(*picture)[static_cast<std::size_t>(
                                    where[static_cast<std::size_t>(r) * kWidth + c]) *
                                3];
                bad += contentPixel(*display, at.x(), at.y()) != rgb(p[2], p[1], p[0]);
            }
        }
        EXPECT_EQ(bad, 0);
    }
}

// Catches expensive re-renders on geometry-only changes, and stale pictures after colour
// changes: only span, palette, isotherms, interpolation, blend and orientation re-render.
TEST(ArrayDisplayPicture, OnlyColourChangesReRender)
{
    OpenedDoc opened(scenePlan());
    ASSERT_TRUE(opened.opened);
    CVantoroDoc& doc = *opened.doc;
    auto display = displayFor(doc, 320, 240);
    display->Draw(nullptr);
    EXPECT_EQ(display->renderCount(), 1);
    const ColourRef before = contentPixel(*display, 160, 120);

    display->SetZoomWindow(QRect(40, 40, 160, 120));
    display->Draw(nullptr);
    display->SetZoom(2);
    display->Draw(nullptr);
    display->SetRect(QRect(0, 0, 400, 300));
    display->Draw(nullptr);
    doc.setProfileRow(doc.profiles().row + 10);
    doc.toggleAreaSelect();
    display->Draw(nullptr);
    EXPECT_EQ(display->renderCount(), 1);

    display->SetSpan(doc.spanLow() + 30, doc.spanHigh() - 30);
    display->Draw(nullptr);
    EXPECT_EQ(display->renderCount(), 2);
    display->SetRect(QRect(0, 0, 320, 240));
    display->SetZoomWindow(QRect(0, 0, 320, 240));
    display->Draw(nullptr);
    EXPECT_NE(contentPixel(*display, 160, 120), before) << "the new span was not shown";

    int expected = 2;
    const std::function<void()> changes[] = {
        [&] { display->SetPalette(0); },       [&] { display->SetIsothermFlags(1); },
        [&] { display->SetInterpolation(2); }, [&] { display->SetBlend(25); },
        [&] { doc.setOrientation(2); },        [&] { display->Refresh(); },
    };
    for (const auto& change : changes) {
        change();
        display->Draw(nullptr);
        EXPECT_EQ(display->renderCount(), ++expected);
        display->Draw(nullptr);  // and nothing more without a change
        EXPECT_EQ(display->renderCount(), expected);
    }
    display->SetBlend(25);  // the same mode again is no change
    display->Draw(nullptr);
    EXPECT_EQ(display->renderCount(), expected);
}
