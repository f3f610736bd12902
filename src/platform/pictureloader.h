// Loading pictures (report logos, JPEG photographs) with their physical size, which decides
// how large they are drawn on a device of a given resolution.
#pragma once

#include "core/error.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace calivue {

struct Picture {
    QImage image;
    QSize himetric;  // physical size in hundredths of a millimetre

    // The size in device pixels at `dotsPerInch`: himetric × dpi / 2540, truncated.
    QSize sizeAtDpi(double dotsPerInch) const;
};

inline constexpr double kDefaultPictureDpi = 96.0;

// Reads any format Qt's image readers know (BMP and JPEG at least). The physical size comes
// from the file's resolution, or 96 dpi when the file gives none. Fails with NotFound,
// NotRegular, ReadFailed, or Unsupported for a file no reader decodes (errortext.h words them
// with FileKind::Picture). Only a regular file is opened: a FIFO would block the open until a
// writer came, a device could stream for ever.
Result<Picture> loadPicture(const QString& path);

}  // namespace calivue
