// Helpers for the view and panel tests: documents opened on generated snapshots, display objects
// drawn without a window, and pixel reads in content coordinates.
#pragma once

#include "view/arraydisplay.h"
#include "paint/colourref.h"
#include "view/visibleobject.h"

#include "document/vantorodoc.h"
#include "generator.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <memory>

namespace calivue::viewtest {

// A plan whose picture is one flat temperature: every pixel has the same count, so the
// picture is one palette colour and anything drawn over it stands out.
inline gen::SnapshotPlan flatPlan()
{
    gen::SnapshotPlan plan;
    plan.scene.topC = plan.scene.bottomC = 25.0;
    plan.scene.rippleC = 0;
    plan.scene.noiseC = 0;
    plan.zeroPixels = 0;
    plan.flagsA = 0;
    plan.flagsB = 0;
    plan.palette = 1;
    plan.visibleSpan = false;
    return plan;
}

// A flat plan whose temperature runs from bottomC at the bottom to topC at the top, so the
// automatic span is not flat and a profile has a slope.
inline gen::SnapshotPlan gradientPlan(double bottomC = 20, double topC = 40)
{
    gen::SnapshotPlan plan = flatPlan();
    plan.scene.bottomC = bottomC;
    plan.scene.topC = topC;
    return plan;
}

// A document opened on a snapshot written from plan into its own temporary folder.
struct OpenedDoc {
    QTemporaryDir dir;
    std::unique_ptr<CVantoroDoc> doc = std::make_unique<CVantoroDoc>();
    QString bmpPath;
    bool opened = false;

    explicit OpenedDoc(const gen::SnapshotPlan& plan, const char* name = "IR_0001")
    {
        auto files = gen::writeSnapshot(dir.path().toStdString(), name, plan);
        if (!files) return;
        bmpPath = QString::fromStdString(files->bmp.string());
        opened = doc->openDocument(bmpPath).ok();
    }
};

// The array display of doc, sized to W × H at (0, 0) and synchronised with the document.
inline std::unique_ptr<cArrayDisplay> displayFor(CVantoroDoc& doc, int w, int h)
{
    auto display = std::make_unique<cArrayDisplay>(&doc);
    display->SetRect(QRect(0, 0, w, h));
    display->SyncFromDocument();
    return display;
}

// Runs the object's draw pipeline onto a fresh image the size of its rect; the object's
// rect must start at (0, 0). Pixels the object does not paint stay magenta.
inline QImage drawToImage(cVisibleObject& object)
{
    const QRect r = object.GetRect();
    QImage image(r.width(), r.height(), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    object.Draw(&painter);
    return image;
}

// The colour at content pixel (x, y) (y from the top) of the object's last drawing.
inline ColourRef contentPixel(const cVisibleObject& object, int x, int y)
{
    const Bitmap& s = object.surface();
    return s.Pixel(x, object.GetRect().height() - 1 - y);
}

inline ColourRef imagePixel(const QImage& image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

}  // namespace calivue::viewtest
