// Loading pictures (report logos, JPEG photographs) with their physical size, which decides
// how large they are drawn on a device of a given resolution.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace calivue {

struct Picture {
    QImage image;
    QSize himetric;  // physical size in hundredths of a millimetre

    // The size in device pixels at `dotsPerInch`: himetric × dpi / 2540, truncated.
    QSize sizeAtDpi(double dotsPerInch) const;
};

inline constexpr double kDefaultPictureDpi = 96.0;

// Why a picture did not load.
enum class PictureFailure { NotFound, NotReadable, NotPicture, NotRegularFile };

// Reads any format Qt's image readers know (BMP and JPEG at least). The physical size comes
// from the file's resolution, or 96 dpi when the file gives none. Returns nullopt when the file
// cannot be read or decoded, with the reason in *failure when given. Only a regular file is
// opened: a FIFO would block the open until a writer came, a device could stream for ever.
std::optional<Picture> loadPicture(const QString& path, PictureFailure* failure = nullptr);

// The reason as the user reads it after the path: "not found", "not readable", "not a
// regular file", "not a picture this program can read".
QString pictureFailureText(PictureFailure failure);

}  // namespace calivue
