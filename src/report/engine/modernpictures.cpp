#include "report/engine/modernpictures.h"

#include "platform/stringids.h"
#include "platform/textformat.h"

#include "core/constants.h"
#include "core/palette.h"

#include <QPainter>
#include <QTransform>

namespace calivue {

namespace {

std::vector<SnapshotMarker> numbered(const std::vector<SnapshotMarker>& markers,
                                     const StringTable& texts)
{
    std::vector<SnapshotMarker> out = markers;
    for (SnapshotMarker& m : out) m.label = modernMarkerLabel(m.index, texts);
    return out;
}

// The visual picture of the photograph file, top row first.
QImage visualPicture(const cBitmapFile& bitmap)
{
    const auto photo = bitmap.CutRegion(kWidth, 0, 2 * kWidth, kHeight);
    if (!photo) return {};
    QImage out(kWidth, kHeight, QImage::Format_RGB888);
    for (int y = 0; y < kHeight; ++y) {
        const std::uint8_t* src =
            photo->data() + static_cast<std::size_t>(kHeight - 1 - y) * 3 * kWidth;
        std::uint8_t* dst = out.scanLine(y);
        for (int x = 0; x < kWidth; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return out;
}

}  // namespace

bool photographShown(const cBitmapFile& bitmap)
{
    if (!bitmap.IsValid()) return false;
    const auto photo = bitmap.CutRegion(kWidth, 0, 2 * kWidth, kHeight);
    if (!photo) return false;
    for (const std::uint8_t b : *photo)
        if (b != 0) return true;
    return false;
}

ModernPictureFacts modernPictureFacts(const ReportSnapshot& s)
{
    ModernPictureFacts f;
    f.photograph = photographShown(s.bitmap);
    f.blend = f.photograph && s.state.blendMode != 0;
    const QString unit = QString::fromStdString(s.image.unitText());
    f.spanHigh = formatTemperature(s.image.rawToTemperature(s.state.spanHigh), unit);
    f.spanLow = formatTemperature(s.image.rawToTemperature(s.state.spanLow), unit);
    // The snapshot's own orientation, not the state's: report snapshots load unturned for the
    // classic strip. Any value outside 0–3 counts as 0, as it does in the analysis window.
    const int o = s.image.fields.orientation;
    f.orientation = o >= 0 && o <= 3 ? o : 0;
    return f;
}

QString modernMarkerLabel(int markerIndex, const StringTable& texts)
{
    if (markerIndex == 10) return texts.text(sid::Cold);
    if (markerIndex == 11) return texts.text(sid::Hot);
    return QString::number(markerIndex + 1);
}

ModernPictures renderModernPictures(const ReportSnapshot& s, QSize landscape,
                                    const StringTable& texts)
{
    ModernPictures out;
    const ModernPictureFacts facts = modernPictureFacts(s);
    const std::vector<SnapshotMarker> markers = numbered(s.markers, texts);
    const QSize size = facts.portrait() ? landscape.transposed() : landscape;
    const QRect target(QPoint(0, 0), size);
    DisplayState turned = s.state;
    turned.orientation = facts.orientation;
    cSnapshotPainter painter;
    const auto pane = [&](const DisplayState& state, const cBitmapFile* photo) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(Qt::white);
        QPainter p(&image);
        if (!painter.Paint(p, target, s.image, state, markers, MarkerStyle::Numbered, photo))
            return QImage();
        return image;
    };
    DisplayState thermal = turned;
    thermal.blendMode = 0;
    out.thermal = pane(thermal, nullptr);
    if (facts.blend) out.blend = pane(turned, &s.bitmap);
    if (facts.photograph) {
        out.photograph = QImage(size, QImage::Format_RGB888);
        QPainter p(&out.photograph);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(target), visualPicture(s.bitmap).transformed(
                                        QTransform().rotate(90.0 * facts.orientation)));
        QFont font = painter.labelFont();
        font.setPixelSize(std::max(8, size.height() / 16));
        cSnapshotPainter::DrawNumberedMarkers(p, QRectF(target), markers, font,
                                              QPointF(s.state.alignX / 1.5, s.state.alignY / 1.5),
                                              nullptr, facts.orientation);
    }
    out.scale = QImage(1, 256, QImage::Format_RGB888);
    for (int i = 0; i < 256; ++i)
        out.scale.setPixel(0, 255 - i,
                           qRgb(paletteRed(s.state.palette, i), paletteGreen(s.state.palette, i),
                                paletteBlue(s.state.palette, i)));
    return out;
}

}  // namespace calivue
