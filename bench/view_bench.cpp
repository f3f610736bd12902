// Speed of the analysis window, offscreen: a snapshot opened through the document with all
// six panels drawn in a 1280 × 800 view, and a span change followed by a redraw of the panels
// it affects at interpolation 2. Run with QT_QPA_PLATFORM=offscreen (set here when unset).
#include "view/displayset.h"
#include "view/objectviewer.h"
#include "view/vantoroview.h"

#include "document/vantorodoc.h"
#include "generator.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace calivue;

namespace {

struct Scene {
    QTemporaryDir dir;
    QString bmp;
    Scene()
    {
        gen::SnapshotPlan plan;  // the generator's default scene: gradients, hot spots, cursors
        auto files = gen::writeSnapshot(dir.path().toStdString(), "BENCH", plan);
        if (files) bmp = QString::fromStdString(files->bmp.string());
    }
};

const Scene& scene()
{
    static const Scene s;
    return s;
}

// Paints one viewer (frame and object) into a reused image, as a repaint of the window does.
void paintViewer(cObjectViewer* viewer, QImage& target)
{
    if (!viewer || !viewer->isVisible()) return;
    if (target.size() != viewer->size()) target = QImage(viewer->size(), QImage::Format_RGB32);
    viewer->render(&target);
}

void paintAll(CVantoroView& view, std::array<QImage, CVantoroView::ViewerCount>& images)
{
    for (int i = 0; i < CVantoroView::ViewerCount; ++i)
        paintViewer(view.viewer(static_cast<CVantoroView::Viewer>(i)),
                    images[static_cast<std::size_t>(i)]);
}

void BM_OpenAndDrawSixPanels(benchmark::State& state)
{
    CVantoroDoc doc;
    CVantoroView view(doc);
    view.resize(1280, 800);
    view.show();
    if (!view.cursorListShown()) view.toggleCursorList();
    std::array<QImage, CVantoroView::ViewerCount> images;
    for (auto _ : state) {
        if (!doc.openDocument(scene().bmp)) {
            state.SkipWithError("snapshot did not open");
            break;
        }
        paintAll(view, images);
    }
}
BENCHMARK(BM_OpenAndDrawSixPanels)->Unit(benchmark::kMillisecond);

void BM_SpanChangeAndRedrawInterp2(benchmark::State& state)
{
    CVantoroDoc doc;
    CVantoroView view(doc);
    view.resize(1280, 800);
    view.show();
    if (!doc.openDocument(scene().bmp)) {
        state.SkipWithError("snapshot did not open");
        return;
    }
    doc.setInterpolation(2);
    std::array<QImage, CVantoroView::ViewerCount> images;
    paintAll(view, images);
    const int low = doc.spanLow();
    const int high = doc.spanHigh();
    int step = 0;
    for (auto _ : state) {
        step ^= 1;
        doc.setSpan(low + step * 10, high - step * 10);
        view.redrawTick();
        paintViewer(view.viewer(CVantoroView::ImageViewer), images[0]);
        paintViewer(view.viewer(CVantoroView::ColourBarViewer), images[1]);
        paintViewer(view.viewer(CVantoroView::SpanViewer), images[2]);
    }
}
BENCHMARK(BM_SpanChangeAndRedrawInterp2)->Unit(benchmark::kMillisecond);

}  // namespace
