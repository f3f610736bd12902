#include "picturepane.h"

#include "arraydisplay.h"
#include "objectviewer.h"
#include "vantorodoc.h"

#include <QTimer>

#include <algorithm>

namespace calivue {

cPicturePane::cPicturePane(CVantoroDoc& doc, QWidget* parent)
    : QScrollArea(parent), m_doc(doc), m_display(std::make_unique<cArrayDisplay>(&doc))
{
    setBackgroundRole(QPalette::Button);
    auto* canvas = new QWidget;
    canvas->setBackgroundRole(QPalette::Button);
    setWidget(canvas);
    setWidgetResizable(true);

    m_viewer = new cObjectViewer(canvas);
    m_viewer->SetBorder3D(true);
    m_viewer->Create(QRect(0, 0, 100, 100), canvas, 1001, m_display.get());
    m_viewer->setVisible(m_doc.isLoaded());

    connect(&m_doc, &CVantoroDoc::imageReplaced, this, &cPicturePane::resync);
    connect(&m_doc, &CVantoroDoc::updateAllViews, this, &cPicturePane::resync);
    m_timer = new QTimer(this);
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &cPicturePane::redrawTick);
    m_timer->start();
}

cPicturePane::~cPicturePane()
{
    // The viewer is a child widget and would outlive the display otherwise.
    delete m_viewer;
}

void cPicturePane::resync()
{
    m_viewer->setVisible(m_doc.isLoaded());
    if (!m_doc.isLoaded()) return;
    m_display->SyncFromDocument();
    layoutViewer();
    m_viewer->update();
}

void cPicturePane::redrawTick()
{
    const bool image = m_doc.takeImageChanged() != 0;
    const bool overlay = m_doc.takeOverlayChanged() != 0;
    if (!m_doc.isLoaded()) return;
    if (image) {
        resync();
    } else if (overlay) {
        m_display->Invalidate();
        m_viewer->update();
    }
}

void cPicturePane::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    layoutViewer();
}

void cPicturePane::layoutViewer()
{
    // The picture keeps its 4:3 shape (3:4 when turned a quarter), as large as the area allows.
    const QSize area = viewport()->size();
    const bool portrait = m_doc.orientation() == 1 || m_doc.orientation() == 3;
    const double aspect = portrait ? 0.75 : 4.0 / 3.0;
    int w = std::max(area.width() - 8, 40);
    int h = std::max(area.height() - 8, 30);
    if (double(w) / h <= aspect)
        h = int(w / aspect);
    else
        w = int(h * aspect);
    m_viewer->MoveWindow(QRect(4, 4, w, h));
}

}  // namespace calivue
