#include "report/engine/snapshotstrip.h"

#include "paint/bitmap.h"
#include "platform/fspath.h"

#include "core/constants.h"
#include "core/snapshotfiles.h"

#include <QPainter>
#include <QRect>

namespace calivue {

Error loadReportSnapshot(const QString& snapshotPath, const QString& bitmapPath,
                         ReportSnapshot& out)
{
    out.bitmap.Free();
    out.markers.clear();
    const Error e = openSnapshot(toFsPath(snapshotPath), out.image);
    if (e != Error::None) return e;
    if (!out.image.buildArrays()) return Error::Corrupted;
    out.state = displayStateOf(out.image);
    // Report pictures are shown as captured: whole and unturned.
    out.state.orientation = 0;
    out.markers = snapshotMarkers(out.image, out.state, QString(), QString());
    if (!bitmapPath.isEmpty()) out.bitmap.Load(toFsPath(bitmapPath));
    return Error::None;
}

namespace {

// The visual photograph (columns 320–639 of the bitmap) stretched over a w × h surface,
// nearest pixel; false when the bitmap holds no such picture.
bool drawVisual(Bitmap& surface, const cBitmapFile& bitmap, int w, int h)
{
    if (!bitmap.IsValid()) return false;
    const auto photo = bitmap.CutRegion(kWidth, 0, 2 * kWidth, kHeight);
    if (!photo) return false;
    // The cut's rows and the surface's rows both count bottom-up.
    for (int y = 0; y < h; ++y) {
        const int srcRow = static_cast<int>((2 * y + 1) * kHeight / (2 * h));
        std::uint8_t* dst = surface.row(y);
        const std::uint8_t* src = photo->data() + static_cast<std::size_t>(srcRow) * 3 * kWidth;
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>((2 * x + 1) * kWidth / (2 * w));
            // The surface is blue-green-red like the bitmap.
            dst[3 * x] = src[3 * sx];
            dst[3 * x + 1] = src[3 * sx + 1];
            dst[3 * x + 2] = src[3 * sx + 2];
        }
    }
    return true;
}

}  // namespace

bool paintSnapshotStrip(QPainter& painter, const QRect& target, const ReportSnapshot& snapshot,
                        StripOffsets offsets)
{
    const int paneW = target.width() / 3, h = target.height();
    if (paneW <= 0 || h <= 0 || !snapshot.image.hasImage()) return false;

    const cBrixa& img = snapshot.image;
    DisplayState blended = snapshot.state;
    if (offsets == StripOffsets::SavedWhenZero && blended.alignX == 0 && blended.alignY == 0) {
        blended.alignX = img.fields.savedAlignX;
        blended.alignY = img.fields.savedAlignY;
    }
    const QPointF visualShift(blended.alignX / 1.5, blended.alignY / 1.5);

    cSnapshotPainter pictures;
    DisplayState thermal = snapshot.state;
    thermal.blendMode = 0;
    const cBitmapFile* photo = snapshot.bitmap.IsValid() ? &snapshot.bitmap : nullptr;
    const QRect thermalPane(target.x(), target.y(), paneW, h);
    const QRect blendPane(target.x() + paneW, target.y(), paneW, h);
    bool ok =
        pictures.Paint(painter, thermalPane, img, thermal, snapshot.markers, MarkerStyle::Small);
    if (ok)
        pictures.Paint(painter, blendPane, img, photo ? blended : thermal, snapshot.markers,
                       MarkerStyle::Small, photo);
    if (ok && photo) {
        Bitmap surface;
        surface.SetSize(paneW, h);
        if (surface.Create() && drawVisual(surface, *photo, paneW, h)) {
            cSnapshotPainter::DrawSmallMarkers(surface, QRect(0, 0, paneW, h), snapshot.markers,
                                               visualShift);
            painter.drawImage(QPoint(target.x() + 2 * paneW, target.y()), surface.image(),
                              QRect(0, 0, paneW, h));
        }
    }
    return ok;
}

}  // namespace calivue
