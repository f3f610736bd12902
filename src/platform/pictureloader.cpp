#include "pictureloader.h"

#include "stringids.h"
#include "stringtable.h"

#include <QFileInfo>
#include <QImageReader>

#include <cmath>

namespace calivue {

namespace {

constexpr double kMillimetresPerInch = 25.4;

// Readers leave QImage's default resolution in place when the file has none, so a value equal
// to that default counts as "not given".
double dotsPerInch(int dotsPerMetre, int defaultDotsPerMetre)
{
    if (dotsPerMetre <= 0 || dotsPerMetre == defaultDotsPerMetre) return kDefaultPictureDpi;
    return dotsPerMetre * kMillimetresPerInch / 1000.0;
}

}  // namespace

QSize Picture::sizeAtDpi(double dpi) const
{
    return QSize(static_cast<int>(himetric.width() * dpi / 2540.0),
                 static_cast<int>(himetric.height() * dpi / 2540.0));
}

QString pictureFailureText(PictureFailure failure)
{
    switch (failure) {
        case PictureFailure::NotFound:
            return uiText(sid::OpenReasonNotFound);
        case PictureFailure::NotReadable:
            return uiText(sid::OpenReasonNotReadable);
        case PictureFailure::NotRegularFile:
            return uiText(sid::OpenReasonNotRegularFile);
        case PictureFailure::NotPicture:
            break;
    }
    return uiText(sid::OpenReasonNotPicture);
}

std::optional<Picture> loadPicture(const QString& path, PictureFailure* failure)
{
    // The same check as the snapshot reader's, before anything opens the path (symbolic links
    // followed): a directory, FIFO, socket or device is refused by its type.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        if (failure)
            *failure = info.exists() ? PictureFailure::NotRegularFile : PictureFailure::NotFound;
        return std::nullopt;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        if (failure) {
            const QFileInfo file(path);
            *failure = !file.exists() ? PictureFailure::NotFound
                       : reader.error() == QImageReader::DeviceError || !file.isReadable()
                           ? PictureFailure::NotReadable
                           : PictureFailure::NotPicture;
        }
        return std::nullopt;
    }
    const QImage fresh(1, 1, QImage::Format_RGB32);
    const double dpiX = dotsPerInch(image.dotsPerMeterX(), fresh.dotsPerMeterX());
    const double dpiY = dotsPerInch(image.dotsPerMeterY(), fresh.dotsPerMeterY());
    Picture picture;
    // Rounded up, so converting back at the file's own resolution gives the pixel size again
    // despite sizeAtDpi truncating.
    picture.himetric = QSize(static_cast<int>(std::ceil(image.width() * 2540.0 / dpiX)),
                             static_cast<int>(std::ceil(image.height() * 2540.0 / dpiY)));
    picture.image = std::move(image);
    return picture;
}

}  // namespace calivue
