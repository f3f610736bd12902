// cObjectViewer: the small child window that hosts one display object. It draws a border
// (flat rounded or 3-D sunken), lets the object paint its content area by copying the
// object's surface, forwards mouse and key input in content coordinates, and negotiates
// the object's size with it. It never paints content itself and never deletes its object.
#pragma once

#include <QString>
#include <QWidget>

namespace calivue {

class cVisibleObject;

class cObjectViewer : public QWidget {
    Q_OBJECT

public:
    explicit cObjectViewer(QWidget* parent = nullptr);
    // Detaches the object (its owner becomes null); the object itself is not deleted.
    ~cObjectViewer() override;

    // Places the viewer in parent at rect, gives it the identifier and attaches the object
    // (when not null). The object is not owned and must outlive the viewer or be detached.
    void Create(const QRect& rect, QWidget* parent, int id, cVisibleObject* object);
    // Detaches the previous object, attaches this one and fits it (the right edge is the
    // one that gives way). Null empties the viewer.
    void Attach(cVisibleObject* object);
    cVisibleObject* object() const { return m_object; }
    int id() const { return m_id; }

    // On: sunken 3-D frame, border 4. Off: border 0, the style flags stay as they were.
    void SetBorder3D(bool on);
    int border() const { return m_border; }
    bool flatStyle() const { return m_flat; }
    bool style3D() const { return m_3d; }

    // Moves the window and fits the object to the new content area (the bottom edge is the
    // one that gives way).
    void MoveWindow(int x, int y, int w, int h, bool repaint = true);
    void MoveWindow(const QRect& rect, bool repaint = true);

    // The client area deflated by the border, in the viewer's own coordinates.
    QRect contentRect() const;
    // The same in the coordinates of the parent; a top-level viewer counts as its own parent.
    QRect contentRectInParent() const;

    // A frame edge is being dragged to `frame` (in any coordinates): asks the object for its
    // preferred content size and moves the dragged side so that the opposite side stays.
    // Any edge other than 1–8 leaves the rectangle alone.
    void OnSizing(int edge, QRect& frame);
    // The rule itself: the frame whose content (frame less 2 × border each way) has the
    // preferred size, with the sides opposite the dragged edge kept.
    static QRect AdjustDraggedFrame(const QRect& frame, int edge, int border, QSize preferred);

    // The tooltip shown while the pointer is in the top ten rows of the content area (flat
    // style only); empty shows none.
    void SetTipText(const QString& text) { m_tipText = text; }
    bool isTracking() const { return m_tracking; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Gives the object the content rect, sized as it prefers while `edge` gives way.
    void FitObject(int edge);
    void DrawFrame(class QPainter& painter) const;
    QPoint ContentPoint(const QPointF& clientPoint) const;
    void UpdateTip(QPoint contentPoint, QPoint globalPoint);

    cVisibleObject* m_object = nullptr;
    int m_id = 0;
    int m_border = 4;
    bool m_flat = true;
    bool m_3d = false;
    bool m_tracking = false;
    bool m_tipShown = false;
    QString m_tipText;
};

}  // namespace calivue
