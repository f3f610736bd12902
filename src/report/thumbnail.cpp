#include "report/thumbnail.h"

#include "platform/fspath.h"
#include "platform/pictureloader.h"
#include "report/engine/snapshotstrip.h"

#include "core/bitmapfile.h"
#include "core/fileio.h"

#include <cstring>

#include <QPainter>

namespace calivue {

QImage imageOfBitmap(const cBitmapFile& bitmap)
{
    if (!bitmap.IsValid() || bitmap.bitCount() != 24) return {};
    const int w = bitmap.width(), h = bitmap.height();
    const std::size_t stride = bitmap.stride();
    const auto pixels = bitmap.pixels();
    if (w <= 0 || h <= 0 || pixels.size() < stride * static_cast<std::size_t>(h)) return {};
    QImage image(w, h, QImage::Format_BGR888);
    if (image.isNull()) return {};
    // The bitmap keeps its rows bottom-up in blue-green-red order, as Format_BGR888 does
    // within a row.
    for (int y = 0; y < h; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(h - 1 - y) * stride,
                    static_cast<std::size_t>(w) * 3);
    return image;
}

Thumbnail makeThumbnail(const QString& path)
{
    Thumbnail out;
    // Only a regular file that opens is read (the snapshot reader's check): a FIFO of a
    // picture's name would otherwise block the scan in its open.
    if (const auto readable = readFilePrefix(toFsPath(path), 0); !readable.ok()) {
        out.failure = readable.error();
        return out;
    }
    QImage picture;
    if (path.endsWith(QLatin1String("bmp"), Qt::CaseSensitive)) {
        cBitmapFile bitmap;
        const Error loaded = bitmap.Load(toFsPath(path));
        picture = imageOfBitmap(bitmap);
        if (picture.isNull()) {
            out.failure = loaded == Error::None ? Error::Corrupted : loaded;
            return out;
        }
    } else {
        auto loaded = loadPicture(path);
        if (!loaded.ok() || loaded->image.isNull()) {
            out.failure = loaded.ok() ? Error::Unsupported : loaded.error();
            return out;
        }
        picture = std::move(loaded->image);
    }
    out.image = picture.scaled(kThumbnailSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_RGB32);
    if (out.image.isNull()) out.failure = Error::Unsupported;
    return out;
}

Thumbnail makeSnapshotThumbnail(const QString& bitmapPath, const QString& snapshotPath)
{
    ReportSnapshot snapshot;
    if (loadReportSnapshot(snapshotPath, bitmapPath, snapshot) == Error::None) {
        // The strip's three panes at thumbnail size; the first is the thermal picture.
        QImage strip(kThumbnailSize.width() * 3, kThumbnailSize.height(), QImage::Format_RGB32);
        strip.fill(Qt::black);
        QPainter painter(&strip);
        const bool painted = paintSnapshotStrip(painter, strip.rect(), snapshot);
        painter.end();
        if (painted) return {strip.copy(QRect(QPoint(0, 0), kThumbnailSize)), Error::None};
    }
    return makeThumbnail(bitmapPath);
}

}  // namespace calivue
