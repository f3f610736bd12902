// The inspections list of the image selection page: one thumbnail per row, reordered by
// dragging a row with the mouse. The list only tracks the gesture (press, a move past the
// drag distance, the drop target highlighted under the cursor, release); the page moves the
// row and its record when rowDropped() arrives.
#pragma once

#include <QListWidget>
#include <QPoint>

class QLabel;

namespace calivue {

class cReportRowList : public QListWidget {
    Q_OBJECT

public:
    explicit cReportRowList(QWidget* parent = nullptr);

    bool isDragging() const { return m_dragging; }
    int dragSource() const { return m_source; }
    // The row highlighted as the drop target; −1 for none (empty space or outside).
    int dropTarget() const { return m_target; }

signals:
    // Released over the list: `target` is the row under the cursor, −1 for empty space.
    void rowDropped(int source, int target);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void beginDrag(const QPoint& at);
    void setTarget(int row);
    void endDrag();

    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressPos;
    int m_pressRow = -1;
    int m_source = -1;
    int m_target = -1;
    QLabel* m_dragImage = nullptr;
};

}  // namespace calivue
