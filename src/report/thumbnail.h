// Thumbnails of snapshot bitmaps for the image selection page: the whole picture, whatever
// its proportions, scaled smoothly into 120 × 60 pixels. Safe to call on any thread: each
// call reads its own file into its own objects and shares nothing.
#pragma once

#include "core/error.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace calivue {

class cBitmapFile;

inline constexpr QSize kThumbnailSize(120, 60);

struct Thumbnail {
    QImage image;  // kThumbnailSize, RGB32; null on failure
    // Why it could not be made: the read's error (NotFound, NotRegular, ReadFailed) for a file
    // that cannot be opened, else the bitmap reader's or the picture loader's. The project load
    // tells the user, the folder listing leaves the file out silently.
    Error failure = Error::None;
};

// A name ending exactly "bmp" (lower case) is read with cBitmapFile; any other file with
// the picture loader, which also reads JPEG and upper-case camera names.
Thumbnail makeThumbnail(const QString& path);

// The thumbnail of a snapshot as its record now shows it: the thermal picture painted with the
// record's palette, span, orientation and markers, as the preview's first pane. Falls back to
// the bitmap's thumbnail when the record cannot be rendered.
Thumbnail makeSnapshotThumbnail(const QString& bitmapPath, const QString& snapshotPath);

// The held picture as an image (top row first); null when the object is empty.
QImage imageOfBitmap(const cBitmapFile& bitmap);

}  // namespace calivue
