#include "snapshotstrip.h"

#include "generator.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace calivue {
namespace {

// Paints the strip of the demo snapshot at its natural size (three 320 × 240 panes) and
// compares the panes with the camera picture the generator wrote beside the record.
TEST(SnapshotStrip, PanesShowTheRecordAndThePhotographWithTheMarkers)
{
    QTemporaryDir dir;
    gen::SnapshotPlan plan = gen::demoPlan(7);
    auto files = gen::writeSnapshot(dir.path().toStdString(), "IR_0001", plan);
    ASSERT_TRUE(files.ok());
    const QString qvx = dir.filePath(QStringLiteral("IR_0001.QVX"));
    const QString bmp = dir.filePath(QStringLiteral("IR_0001.BMP"));
    const QImage camera = QImage(bmp).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(camera.size(), QSize(640, 240));

    for (const bool withBitmap : {true, false}) {
        ReportSnapshot snapshot;
        ASSERT_EQ(loadReportSnapshot(qvx, withBitmap ? bmp : QString(), snapshot), Error::None);
        ASSERT_EQ(snapshot.markers.size(), plan.cursors.size() + 2);
        QImage strip(960, 240, QImage::Format_RGB888);
        strip.fill(Qt::white);
        {
            QPainter p(&strip);
            ASSERT_TRUE(paintSnapshotStrip(p, strip.rect(), snapshot));
        }
        // Away from the markers the thermal pane is the camera's thermal half; the
        // visual pane the photograph (alignment 0 in the demo) or nothing at all.
        const SnapshotMarker& first = snapshot.markers.front();
        const QPoint quiet(first.x < 160 ? 300 : 10, 5);
        EXPECT_EQ(strip.pixel(quiet), camera.pixel(quiet)) << withBitmap;
        EXPECT_EQ(strip.pixel(quiet + QPoint(640, 0)),
                  withBitmap ? camera.pixel(quiet + QPoint(320, 0)) : QColor(Qt::white).rgb());
        if (!withBitmap) {
            EXPECT_EQ(strip.pixel(quiet + QPoint(320, 0)), strip.pixel(quiet));
        }
        // The first cursor's cross is drawn over the thermal picture.
        const QPoint cross(first.x, 239 - first.row);
        int changed = 0;
        for (int dx = -3; dx <= 3; ++dx)
            changed += strip.pixel(cross + QPoint(dx, 0)) != camera.pixel(cross + QPoint(dx, 0));
        EXPECT_GT(changed, 2);
    }
}

TEST(SnapshotStrip, ARecordThatDoesNotOpenIsAnError)
{
    QTemporaryDir dir;
    ReportSnapshot snapshot;
    EXPECT_EQ(loadReportSnapshot(dir.filePath(QStringLiteral("none.qvx")), QString(), snapshot),
              Error::NotFound);
    QImage strip(960, 240, QImage::Format_RGB888);
    QPainter p(&strip);
    EXPECT_FALSE(paintSnapshotStrip(p, strip.rect(), snapshot));
}

}  // namespace
}  // namespace calivue
