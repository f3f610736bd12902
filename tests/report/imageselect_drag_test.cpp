// Reordering inspections with the mouse, and the preview of a snapshot whose recorded
// alignment is zero.
#include "imageselect_fixture.h"

#include "generator.h"
#include "report/reportrowlist.h"
#include "report/engine/reporttext.h"
#include "report/snapshotpreview.h"
#include "report/thumbnail.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace calivue::test {
namespace {

using namespace Qt::StringLiterals;

// Presses on row `source`, moves past the drag distance and on to `to`, and releases there;
// checks on the way that the row under the cursor is the highlighted drop target.
void dragRow(cReportRowList& list, int source, QPoint to, int expectedTarget)
{
    QWidget* port = list.viewport();
    const QPoint from = list.visualItemRect(list.item(source)).center();
    QTest::mousePress(port, Qt::LeftButton, {}, from);
    QTest::mouseMove(port, from + QPoint(0, 3));  // within the drag distance: no drag yet
    EXPECT_FALSE(list.isDragging());
    QTest::mouseMove(port, from + QPoint(QApplication::startDragDistance() + 2, 0));
    EXPECT_TRUE(list.isDragging());
    QTest::mouseMove(port, to);
    EXPECT_EQ(list.dropTarget(), expectedTarget);
    for (int r = 0; r < list.count(); ++r)
        EXPECT_EQ(list.item(r)->data(Qt::BackgroundRole).isValid(), r == expectedTarget) << r;
    QTest::mouseRelease(port, Qt::LeftButton, {}, to);
    EXPECT_FALSE(list.isDragging());
    for (int r = 0; r < list.count(); ++r)
        EXPECT_FALSE(list.item(r)->data(Qt::BackgroundRole).isValid()) << r;
}

// Rows and their records move together by the drop rule; a reorder modifies the project (else
// closing would drop the new order without asking), a drop that changes nothing does not.
TEST(ImageSelectDrag, MouseDragMovesRowsAndRecordsTogether)
{
    struct Case {
        const char* name;
        int source;
        int target;  // −1: the empty space below the rows; −2: outside the list
        QString order;
    } cases[] = {
        {"row 0 onto row 2", 0, 2, u"120"_s},           {"row 0 onto empty space", 0, -1, u"120"_s},
        {"row 2 onto row 0", 2, 0, u"201"_s},           {"row 1 onto row 0", 1, 0, u"102"_s},
        {"row 1 onto itself", 1, 1, u"012"_s},          {"row 2 onto empty space", 2, -1, u"012"_s},
        {"released outside the list", 0, -2, u"012"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageFixture f;
        for (int i = 0; i < 3; ++i)
            putSnapshot(f.folder.path(), QString::number(i), u"bmp"_s, u"qvx"_s, i);
        f.list();
        f.page->addAll();
        std::vector<cInspectionRecord> named(3);
        for (int i = 0; i < 3; ++i)
            named[static_cast<std::size_t>(i)].name = toU16(QString::number(i));
        for (int i = 0; i < 3; ++i) f.report.setRecord(i, named[static_cast<std::size_t>(i)]);
        f.page->resize(1200, 900);
        f.page->show();
        QApplication::processEvents();
        cReportRowList& list = *f.page->inspectionList();
        list.doItemsLayout();
        const QRect port = list.viewport()->rect();
        ASSERT_GT(port.height(), list.visualItemRect(list.item(2)).bottom() + 20);
        f.modifiedCount = 0;

        QPoint to = c.target >= 0 ? list.visualItemRect(list.item(c.target)).center()
                                  : QPoint(port.center().x(), port.bottom() - 5);
        if (c.target == -2) to = QPoint(port.right() + 40, port.center().y());
        dragRow(list, c.source, to, c.target >= 0 ? c.target : -1);

        QString rows, records;
        for (const QString& name : f.rowNames()) rows += name.left(1);
        for (const auto& r : f.details->records()) records += toQString(r.name);
        EXPECT_EQ(rows, c.order);
        EXPECT_EQ(records, c.order);
        EXPECT_EQ(f.modifiedCount, c.order == u"012"_s ? 0 : 1);
        // Each row still shows the picture of its own entry.
        for (int r = 0; r < 3; ++r) {
            const QImage shown = list.item(r)->icon().pixmap(kThumbnailSize).toImage();
            const QImage own = makeThumbnail(toQString(f.page->entryAt(r)->bitmapPath)).image;
            EXPECT_EQ(shown.pixel(60, 30), own.pixel(60, 30)) << r;
        }
    }
}

// The arrow keys walk the inspections from the cursor, never past either end, previewing
// each row; on the available list Up stops at the first row.
TEST(ImageSelectDrag, ArrowKeysMoveTheCursorsAndPreview)
{
    PageFixture f;
    for (int i = 0; i < 3; ++i) putSnapshot(f.folder.path(), u"k"_s + QString::number(i));
    f.list();
    f.page->addAll();
    const struct {
        Qt::Key key;
        int cursor;
    } inspectionKeys[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2},
                          {Qt::Key_Down, 2}, {Qt::Key_Up, 1},   {Qt::Key_Up, 0},
                          {Qt::Key_Up, 0}};
    for (const auto& k : inspectionKeys) {
        QTest::keyClick(f.page->inspectionList(), k.key);
        EXPECT_EQ(f.page->inspectionCursor(), k.cursor);
        EXPECT_EQ(f.page->previewBitmapPath(), toQString(f.page->entryAt(k.cursor)->bitmapPath));
    }
    const struct {
        Qt::Key key;
        int selection;
    } availableKeys[] = {{Qt::Key_Up, -1},  {Qt::Key_Down, 0}, {Qt::Key_Up, 0},   {Qt::Key_Down, 1},
                         {Qt::Key_Down, 2}, {Qt::Key_Down, 2}, {Qt::Key_Left, 1}, {Qt::Key_Left, 0},
                         {Qt::Key_Left, 0}, {Qt::Key_Right, 1}};
    f.page->preview(QString());
    for (const auto& k : availableKeys) {
        QTest::keyClick(f.page->availableList(), k.key);
        EXPECT_EQ(f.page->availableSelection(), k.selection);
        EXPECT_EQ(f.page->previewBitmapPath(), f.page->availablePath(k.selection));
    }
}

// A snapshot whose offsets are both 0 is previewed with its saved offsets: the blend pane
// matches the strip drawn with those offsets and not the one drawn without them. (A record
// read from a file saves the offsets it holds, so the loaded snapshot is set to 0 here, as
// the analysis window leaves one whose alignment was changed and not yet reset.)
TEST(ImageSelectPreview, ZeroOffsetsUseTheSavedOnes)
{
    PageFixture f;
    gen::SnapshotPlan plan = gen::demoPlan(3);
    plan.blend = 50;
    plan.alignX = 6;
    plan.alignY = -9;
    ASSERT_TRUE(gen::writeSnapshot(f.folder.path().toStdString(), "AL", plan).ok());
    const QString bmp = f.path(u"AL.BMP"_s), qvx = f.path(u"AL.QVX"_s);
    f.page->preview(bmp);
    EXPECT_EQ(f.page->previewSnapshotPath(), f.path(u"AL.qvx"_s));
    ReportSnapshot* loaded = f.page->previewArea()->loadedSnapshot();
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->image.fields.savedAlignX, 6);
    loaded->state.alignX = 0;
    loaded->state.alignY = 0;
    const QImage shown =
        f.page->previewArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    const auto strip = [&](int alignX, int alignY) {
        ReportSnapshot s;
        EXPECT_EQ(loadReportSnapshot(qvx, bmp, s), Error::None);
        s.state.alignX = alignX;
        s.state.alignY = alignY;
        QImage out(shown.size(), QImage::Format_RGB32);
        out.fill(f.page->previewArea()->palette().window().color());
        QPainter p(&out);
        paintSnapshotStrip(p, QRect(0, 0, 639, 160), s, StripOffsets::Recorded);
        return out;
    };
    const QImage saved = strip(6, -9), unaligned = strip(0, 0);
    ASSERT_EQ(shown.size(), QSize(644, 164));
    const auto differing = [&](const QImage& other, int x0) {
        int n = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = x0; x < x0 + 213; ++x) n += shown.pixel(x, y) != other.pixel(x, y);
        return n;
    };
    EXPECT_EQ(differing(saved, 0), 0);
    EXPECT_EQ(differing(saved, 213), 0);  // the blend pane
    EXPECT_GT(differing(unaligned, 213), 1000);
}

}  // namespace
}  // namespace calivue::test
