#include "report/reportrowlist.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace calivue {

namespace {
// Where the drag image hangs from the cursor.
constexpr QPoint kDragHotSpot(10, 10);
}  // namespace

cReportRowList::cReportRowList(QWidget* parent) : QListWidget(parent)
{
    // The list runs its own gesture: the view's built-in drag and drop stays off.
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void cReportRowList::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    m_pressed = true;
    m_pressPos = event->position().toPoint();
    m_pressRow = indexAt(m_pressPos).row();
}

void cReportRowList::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!m_dragging) {
        // Until the drag begins the view keeps its ordinary behaviour, except that moving
        // with the button down never drags the selection along.
        if (!m_pressed) {
            QListWidget::mouseMoveEvent(event);
            return;
        }
        if (m_pressRow < 0 ||
            (at - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        beginDrag(at);
    }
    if (m_dragImage) {
        m_dragImage->move(at - kDragHotSpot);
        m_dragImage->raise();
    }
    setTarget(viewport()->rect().contains(at) ? indexAt(at).row() : -1);
}

void cReportRowList::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressed = false;
    if (!m_dragging) {
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const bool over = viewport()->rect().contains(at);
    const int source = m_source;
    const int target = over ? indexAt(at).row() : -1;
    endDrag();
    if (over) emit rowDropped(source, target);
}

void cReportRowList::beginDrag(const QPoint& at)
{
    m_dragging = true;
    m_source = m_pressRow;
    m_target = -1;
    if (QListWidgetItem* row = item(m_source)) {
        m_dragImage = new QLabel(viewport());
        m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_dragImage->setPixmap(row->icon().pixmap(iconSize()));
        m_dragImage->adjustSize();
        m_dragImage->move(at - kDragHotSpot);
        m_dragImage->show();
    }
}

void cReportRowList::setTarget(int row)
{
    if (row == m_target) return;
    if (QListWidgetItem* old = item(m_target)) old->setData(Qt::BackgroundRole, QVariant());
    m_target = row;
    if (QListWidgetItem* now = item(m_target))
        now->setData(Qt::BackgroundRole, palette().brush(QPalette::Highlight));
}

void cReportRowList::endDrag()
{
    setTarget(-1);
    m_dragging = false;
    m_source = -1;
    delete m_dragImage;
    m_dragImage = nullptr;
}

}  // namespace calivue
