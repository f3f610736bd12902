#include "report/snapshotpreview.h"

#include <QPainter>

namespace calivue {

cSnapshotPreview::cSnapshotPreview(QWidget* parent) : QWidget(parent)
{
    // The design's area: three panes and a small margin.
    setFixedSize(644, 164);
}

cSnapshotPreview::~cSnapshotPreview() = default;

void cSnapshotPreview::setSnapshot(const QString& bitmapPath, const QString& snapshotPath)
{
    m_bitmapPath = bitmapPath;
    m_snapshotPath = snapshotPath;
    m_snapshot.reset();
    if (!bitmapPath.isEmpty() && !snapshotPath.isEmpty()) {
        auto loaded = std::make_unique<ReportSnapshot>();
        if (loadReportSnapshot(snapshotPath, bitmapPath, *loaded) == Error::None)
            m_snapshot = std::move(loaded);
    }
    update();
}

void cSnapshotPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!m_snapshot) return;
    // A snapshot recorded without alignment is shown with the offsets it saved.
    paintSnapshotStrip(painter, QRect(0, 0, 3 * kPaneWidth, kPaneHeight), *m_snapshot,
                       StripOffsets::SavedWhenZero);
}

}  // namespace calivue
