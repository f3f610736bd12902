#include "report/engine/snapshotstrip.h"

#include "platform/fspath.h"
#include "generator.h"

#include "core/render.h"
#include "core/snapshotfiles.h"

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

// What `calivue-cli render` writes for the snapshot with the state's values put into the
// record: the core's whole pipeline, in rows bottom-up, blue-green-red.
std::vector<std::uint8_t> cliRender(const QString& qvx, const QString& bmp, const DisplayState& s)
{
    cBrixa img;
    EXPECT_EQ(openSnapshot(toFsPath(qvx), img), Error::None);
    img.setPalette(s.palette);
    img.fields.orientation = static_cast<std::uint8_t>(s.orientation);
    img.fields.alignX = static_cast<std::int16_t>(s.alignX);
    img.fields.alignY = static_cast<std::int16_t>(s.alignY);
    std::vector<std::uint8_t> visual;
    if (s.blendMode != 0) {
        const cBitmapFile photo(toFsPath(bmp));
        visual = photo.CutRegion(320, 0, 640, 240).value_or(std::vector<std::uint8_t>());
        EXPECT_FALSE(visual.empty());
    }
    return renderBlended(img, 1, s.spanLow, s.spanHigh, s.isothermFlags, visual, s.blendMode);
}

// Pixels of the 320 × 240 pane at x0 of strip that differ from picture.
int paneDifferences(const QImage& strip, int x0, const std::vector<std::uint8_t>& picture)
{
    if (picture.size() != 320u * 240u * 3u) return -1;
    int n = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const std::uint8_t* p = &picture[(static_cast<std::size_t>(239 - y) * 320 + x) * 3];
            n += strip.pixel(x0 + x, y) != qRgb(p[2], p[1], p[0]);
        }
    return n;
}

// A turned snapshot blended with its photograph garbled the blend pane (the blend was turned
// by the record while the pane was sized for the report's unturned state), and the pictures
// took the record's palette over the state's. Each pane must be what the core renders from
// the state the strip is given, the blend pane included, in every orientation.
TEST(SnapshotStrip, PanesAreRenderedFromTheStateInEveryOrientation)
{
    QTemporaryDir dir;
    struct Case {
        int orientation, blend, palette, alignX, alignY;
    };
    const Case cases[] = {{1, 50, 1, 0, 0},  {3, 50, 4, 2, -3}, {2, 75, 1, 0, 0},
                          {1, 160, 6, 0, 0}, {0, 25, 2, 1, 1},  {3, 103, 1, -2, 4}};
    int k = 0;
    for (const Case& c : cases) {
        gen::SnapshotPlan plan = gen::demoPlan(11);
        plan.orientation = static_cast<std::uint8_t>(c.orientation);
        plan.blend = static_cast<std::uint8_t>(c.blend);
        const std::string name = "TURN" + std::to_string(k++);
        ASSERT_TRUE(gen::writeSnapshot(dir.path().toStdString(), name, plan).ok());
        const QString qvx = dir.filePath(QString::fromStdString(name + ".QVX"));
        const QString bmp = dir.filePath(QString::fromStdString(name + ".BMP"));
        ReportSnapshot snapshot;
        ASSERT_EQ(loadReportSnapshot(qvx, bmp, snapshot), Error::None);
        EXPECT_EQ(snapshot.state.orientation, 0) << "report pictures are shown unturned";
        snapshot.markers.clear();  // the pictures alone
        snapshot.state.palette = c.palette;
        snapshot.state.alignX = c.alignX;
        snapshot.state.alignY = c.alignY;
        QImage strip(960, 240, QImage::Format_RGB888);
        strip.fill(Qt::white);
        {
            QPainter p(&strip);
            ASSERT_TRUE(paintSnapshotStrip(p, strip.rect(), snapshot));
        }
        DisplayState thermal = snapshot.state;
        thermal.blendMode = 0;
        EXPECT_EQ(paneDifferences(strip, 0, cliRender(qvx, bmp, thermal)), 0)
            << "orientation " << c.orientation << " palette " << c.palette;
        EXPECT_EQ(paneDifferences(strip, 320, cliRender(qvx, bmp, snapshot.state)), 0)
            << "orientation " << c.orientation << " blend " << c.blend;
        // The record itself is left as stored.
        EXPECT_EQ(snapshot.image.fields.orientation, c.orientation);
        EXPECT_EQ(snapshot.image.fields.palette, plan.palette);
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
