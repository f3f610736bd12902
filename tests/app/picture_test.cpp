// The frame's picture pane, shown until the image view takes over.
#include "apptest.h"

#include "arraydisplay.h"
#include "objectviewer.h"
#include "picturepane.h"

#include <QCoreApplication>
#include <QSet>

namespace calivue::test {

// Catches an opened snapshot that never reaches the screen: the pane must show a viewer
// painted with the thermal picture (many palette colours), hidden again without a snapshot.
TEST_F(AppTest, OpenedSnapshotIsPaintedInThePane)
{
    const gen::WrittenFiles files = writeSnapshot("IR_0030", plainPlan());
    ASSERT_TRUE(start());
    auto* pane = qobject_cast<cPicturePane*>(frame().centralWidget());
    ASSERT_NE(pane, nullptr);
    frame().resize(900, 700);
    frame().show();
    EXPECT_FALSE(pane->viewer()->isVisible());

    ASSERT_TRUE(m_app->openFile(qs(files.bmp)));
    QCoreApplication::processEvents();
    ASSERT_TRUE(pane->viewer()->isVisible());
    const QRect content = pane->viewer()->contentRect();
    EXPECT_GT(content.width(), 300);
    // 4:3 picture inside the 4-pixel border.
    EXPECT_NEAR(double(content.width()) / content.height(), 4.0 / 3.0, 0.03);

    const QImage shot = pane->viewer()->grab().toImage();
    QSet<QRgb> colours;
    for (int y = content.top(); y <= content.bottom(); y += 4)
        for (int x = content.left(); x <= content.right(); x += 4) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 50);

    // A toggle the document announces through its change flags is picked up by the tick.
    doc().toggleBlueIsotherm();
    pane->redrawTick();
    EXPECT_EQ(pane->display()->isothermFlags() & 1u, 1u);
}

}  // namespace calivue::test
