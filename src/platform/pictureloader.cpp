#include "platform/pictureloader.h"

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

Result<Picture> loadPicture(const QString& path)
{
    // The same check as the snapshot reader's, before anything opens the path (symbolic links
    // followed): a directory, FIFO, socket or device is refused by its type.
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return info.exists() ? Error::NotRegular : Error::NotFound;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        const QFileInfo file(path);
        if (!file.exists()) return Error::NotFound;
        if (reader.error() == QImageReader::DeviceError || !file.isReadable())
            return Error::ReadFailed;
        return Error::Unsupported;
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
