// The picture's context menu and the keyboard zoom: the commands that apply at a point of the
// thermal picture, all carried out by the document's and the frame's existing commands.
#include "view/vantoroview.h"

#include "view/arraydisplay.h"
#include "view/displayset.h"
#include "view/objectviewer.h"

#include "platform/commandids.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "document/vantorodoc.h"

#include "core/constants.h"

#include <QAction>
#include <QCursor>
#include <QKeySequence>
#include <QMenu>

namespace calivue {

namespace {

// The frame's action for a command, found by the command number it carries; null when the
// window has none (the view alone, in tests).
QAction* windowAction(QWidget* view, int command)
{
    for (QAction* a : view->window()->findChildren<QAction*>())
        if (a->data().toInt() == command && !a->text().isEmpty()) return a;
    return nullptr;
}

bool userCursorAt(const CVantoroDoc& doc, QPoint pixel)
{
    for (int i = 0; i < kMaxCursors; ++i) {
        const Marker& m = doc.markers()[static_cast<std::size_t>(i)];
        if (m.inUse && m.x == pixel.x() && m.row == pixel.y()) return true;
    }
    return false;
}

}  // namespace

void CVantoroView::installPictureMenu()
{
    cObjectViewer* image = m_viewers[ImageViewer];
    image->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(image, &QWidget::customContextMenuRequested, this, [this, image](QPoint at) {
        QMenu* menu = pictureMenu(at - image->contentRect().topLeft());
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(image->mapToGlobal(at));
    });

    // Named, so the Help window's shortcut list can say what the keys do.
    auto* zoomIn = new QAction(uiText(sid::ZoomIn), this);
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, this, [this] { zoomStep(1); });
    auto* zoomOut = new QAction(uiText(sid::ZoomOut), this);
    zoomOut->setShortcuts({QKeySequence::ZoomOut});
    connect(zoomOut, &QAction::triggered, this, [this] { zoomStep(-1); });
    for (QAction* a : {zoomIn, zoomOut}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
}

void CVantoroView::zoomStep(int steps)
{
    if (m_reportMode) return;
    cObjectViewer* image = m_viewers[ImageViewer];
    cArrayDisplay& display = m_displays->arrayDisplay();
    const QPoint p = image->mapFromGlobal(QCursor::pos()) - image->contentRect().topLeft();
    display.ZoomAround(p, display.zoom() + steps);  // outside the picture: around its centre
}

QMenu* CVantoroView::pictureMenu(QPoint p)
{
    auto* menu = new QMenu(this);
    cArrayDisplay& display = m_displays->arrayDisplay();
    const QPoint pixel = display.ImagePixelAt(p);
    const bool onPicture = pixel.x() >= 0 && !m_reportMode;

    // A double-click's own rule: the document removes the cursor there or places a new one.
    const bool remove = onPicture && userCursorAt(m_doc, pixel);
    QAction* cursor = menu->addAction(uiText(remove ? sid::RemoveCursorHere : sid::AddCursorHere));
    cursor->setEnabled(onPicture);
    connect(cursor, &QAction::triggered, this, [&display, p] { display.OnLButtonDblClk(0, p); });

    menu->addSeparator();
    for (int command : {cmd::HotColdCursors, cmd::AreaSelect, cmd::EditCopy})
        if (QAction* a = windowAction(this, command)) menu->addAction(a);

    menu->addSeparator();
    QAction* in = menu->addAction(uiText(sid::ZoomIn));
    in->setEnabled(onPicture && display.zoom() < 4);
    connect(in, &QAction::triggered, this,
            [&display, p] { display.ZoomAround(p, display.zoom() + 1); });
    QAction* out = menu->addAction(uiText(sid::ZoomOut));
    out->setEnabled(onPicture && display.zoom() > 1);
    connect(out, &QAction::triggered, this,
            [&display, p] { display.ZoomAround(p, display.zoom() - 1); });
    return menu;
}

}  // namespace calivue
