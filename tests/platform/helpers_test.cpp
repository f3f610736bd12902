#include "desktop/clipboard.h"
#include "qtfiles.h"
#include "platform/fspath.h"
#include "platform/pictureloader.h"
#include "desktop/soundplayer.h"
#include "platform/textformat.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

using namespace calivue;

namespace {

using calivue::test::qs;

// A 24-bit BMP whose header gives no resolution (both pixels-per-metre fields 0).
QByteArray bmpWithoutResolution(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const int imageSize = stride * height;
    QByteArray bytes(54 + imageSize, '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, bytes.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, quint32(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, quint32(imageSize));
    return bytes;
}

// A short silent PCM wave file.
QByteArray silentWav()
{
    const quint32 samples = 800;
    QByteArray bytes(44 + samples * 2, '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, bytes.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, bytes.data() + at); };
    std::memcpy(bytes.data(), "RIFF", 4);
    put32(4, quint32(bytes.size() - 8));
    std::memcpy(bytes.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 8000);
    put32(28, 16000);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(40, samples * 2);
    return bytes;
}

using calivue::test::putFile;

}  // namespace

// Catches the copy not reaching the clipboard, or a null picture wiping what is there.
TEST(Clipboard, CopiesThePictureAndRefusesNone)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 20));
    ASSERT_TRUE(copyImageToClipboard(picture));
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(4, 3));
    EXPECT_EQ(copied.pixel(2, 1), qRgb(200, 10, 20));

    EXPECT_FALSE(copyImageToClipboard(QImage()));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(4, 3));
}

// Catches a physical size that ignores the file's resolution (a 300-dpi logo drawn 3× too big).
TEST(PictureLoader, PhysicalSizeFromTheFilesResolution)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(qs("logo.bmp"));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(11811);  // 300 dpi
    image.setDotsPerMeterY(11811);
    ASSERT_TRUE(image.save(path, "BMP"));

    const auto picture = loadPicture(path);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->image.size(), QSize(200, 100));
    EXPECT_NEAR(picture->himetric.width(), 200 * 2540.0 / 300, 1.0);
    EXPECT_EQ(picture->sizeAtDpi(300), QSize(200, 100));
    EXPECT_EQ(picture->sizeAtDpi(96), QSize(64, 32));
}

// Catches a picture without resolution not being taken as 96 dpi.
TEST(PictureLoader, NoResolutionMeans96Dpi)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(qs("plain.BMP"));
    ASSERT_TRUE(putFile(path, bmpWithoutResolution(96, 48)));
    const auto picture = loadPicture(path);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->himetric, QSize(2540, 1270));
    EXPECT_EQ(picture->sizeAtDpi(96), QSize(96, 48));
    EXPECT_EQ(picture->sizeAtDpi(300), QSize(300, 150));
}

// Catches JPEG logos and photographs not loading, and unreadable files passing as pictures.
TEST(PictureLoader, ReadsJpegAndRefusesGarbage)
{
    QTemporaryDir dir;
    const QString jpeg = QDir(dir.path()).filePath(qs("photo.JPG"));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(jpeg, "JPEG"));
    const auto picture = loadPicture(jpeg);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->image.size(), QSize(64, 48));
    EXPECT_GT(picture->himetric.width(), 0);

    const QString garbage = QDir(dir.path()).filePath(qs("broken.jpg"));
    ASSERT_TRUE(putFile(garbage, QByteArray("not a picture at all")));
    EXPECT_FALSE(loadPicture(garbage).ok());
    EXPECT_FALSE(loadPicture(QDir(dir.path()).filePath(qs("missing.bmp"))).ok());
}

// Catches playback claimed for a missing file, or claimed without any audio output.
TEST(Sound, PlaysOnlyWhatCanBePlayed)
{
    QTemporaryDir dir;
    EXPECT_FALSE(playSound(QDir(dir.path()).filePath(qs("missing.wav"))));
    const QString wav = QDir(dir.path()).filePath(qs("IR_0001.WAV"));
    ASSERT_TRUE(putFile(wav, silentWav()));
    EXPECT_EQ(playSound(wav), soundOutputAvailable());
    stopSound();
}

namespace {

// Catches a temperature written with another precision or without the space before the
// unit, in either form of the formatter.
TEST(TemperatureText, OneDecimalSpaceUnit)
{
    using calivue::formatTemperature;
    EXPECT_EQ(formatTemperature(25.26, QString::fromUtf8("°C")), QString::fromUtf8("25.3 °C"));
    EXPECT_EQ(formatTemperature(-0.04, std::string("K")), QStringLiteral("-0.0 K"));
    EXPECT_EQ(formatTemperature(98.6, std::string("\xC2\xB0"
                                                  "F")),
              QString::fromUtf8("98.6 °F"));
}

// Catches a path conversion that loses spaces or non-ASCII letters on its way to the file
// layer and back.
TEST(FsPath, RoundTripsNonAsciiNames)
{
    const QString name = QString::fromUtf8("/tmp/Prüfung 2026/Halle Süd/IR_0001.BMP");
    EXPECT_EQ(calivue::toFsPath(name).native(), std::string("/tmp/Pr\xC3\xBC"
                                                            "fung 2026/Halle S\xC3\xBC"
                                                            "d/IR_0001.BMP"));
    EXPECT_EQ(calivue::fromFsPath(calivue::toFsPath(name)), name);
}

}  // namespace
