// cVisibleObject: the base of every display object — a drawable that is not a window.
//
// An object renders off-screen into its own Bitmap and copies that surface to its target in
// one block. It is hosted by a cObjectViewer (its owner), which forwards input in content
// coordinates and tells it when it moved or was resized; without an owner it can still draw
// onto any painter it is handed (report pages do that).
#pragma once

#include "paint/bitmap.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <atomic>

class QPainter;
class QPaintDevice;
class QWidget;

namespace calivue {

// Key and button state passed with mouse notifications.
enum MouseKey : unsigned {
    KeyLButton = 0x01,
    KeyRButton = 0x02,
    KeyShift = 0x04,
    KeyControl = 0x08,
    KeyMButton = 0x10,
};
unsigned mouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The frame edge a user drags, as passed to GetPreferredSize.
enum SizingEdge {
    EdgeLeft = 1,
    EdgeRight = 2,
    EdgeTop = 3,
    EdgeTopLeft = 4,
    EdgeTopRight = 5,
    EdgeBottom = 6,
    EdgeBottomLeft = 7,
    EdgeBottomRight = 8,
};

class cVisibleObject {
public:
    cVisibleObject();
    virtual ~cVisibleObject();
    cVisibleObject(const cVisibleObject&) = delete;
    cVisibleObject& operator=(const cVisibleObject&) = delete;

    virtual void OnSize(int type, int cx, int cy);
    // The draw pipeline: render into the own surface, then copy it onto target at the
    // object's rect (mapped into the owner's client area when there is an owner). With a null
    // target an owned object has its owner repaint now, which runs this pipeline with the
    // owner's painter; an object without an owner then only renders into its surface.
    virtual void Draw(QPainter* target);
    virtual void OnMove(int x, int y);
    virtual void SetDirty();
    // Stores the owner (not owned); a null owner also empties the rect.
    virtual void SetOwner(QWidget* owner);
    virtual QRect GetRect() const { return m_rect; }
    // The object's area in the client coordinates of the owner's parent.
    virtual void SetRect(const QRect& rect);
    virtual void SetEnabled(bool enabled) { m_enabled = enabled; }
    virtual bool IsEnabled() const { return m_enabled; }
    virtual bool HasArea() const;
    // Schedules a repaint of the owner, if there is one.
    virtual void Invalidate();
    // Sizes the own surface to w × h, reusing it when the size is unchanged, and fills the
    // w × h area with the background. Null when no surface could be made.
    virtual Bitmap* CreateImage(QPaintDevice* target, int w, int h);
    virtual bool PreDraw(Bitmap* surface);
    // Draws the object's content with painter, which paints on the drawing surface.
    virtual bool DrawContent(QPainter& painter);
    virtual bool PostDraw(QPainter& painter);
    virtual bool Prepare(Bitmap* surface);
    virtual bool Render(QPainter* painter);

    // Mouse and key notifications; points are relative to the owner's content area. Each
    // answers 0 unless a derived object handles it.
    virtual int OnLButtonDown(unsigned keys, QPoint point);
    virtual int OnLButtonUp(unsigned keys, QPoint point);
    virtual int OnLButtonDblClk(unsigned keys, QPoint point);
    virtual int OnRButtonDown(unsigned keys, QPoint point);
    virtual int OnRButtonUp(unsigned keys, QPoint point);
    virtual int OnMouseMove(unsigned keys, QPoint point);
    virtual int OnMouseLeave();
    virtual int OnMouseWheel(unsigned keys, int delta, QPoint point);
    virtual int OnKeyDown(int key, int repeat, int flags);
    // The size the object wants for a content area of w × h while edge is dragged;
    // the base accepts (w, h).
    virtual QSize GetPreferredSize(int w, int h, int edge);

    QWidget* owner() const { return m_owner; }
    ColourRef background() const { return m_background; }
    void setBackground(ColourRef colour) { m_background = colour; }
    // The object's own surface; the last drawing stays in it.
    const Bitmap& surface() const { return m_surface; }
    // The surface of the draw in progress, null between draws.
    Bitmap* drawingSurface() const { return m_drawingSurface; }
    bool isDirty() const { return m_dirty.load() != 0; }
    // Device pixels per logical pixel of the draw in progress (or the last one): the ratio
    // of the target the object is drawn on, 1 for a bare draw.
    double pixelRatio() const { return m_pixelRatio; }

protected:
    // Reads and clears the dirty flag in one step.
    bool TakeDirty() { return m_dirty.exchange(0) != 0; }
    void ClearDirty() { m_dirty.store(0); }
    // Where the object's rect starts in the owner's client area (or on a bare target).
    QPoint TargetOrigin() const;

    Bitmap m_surface;
    ColourRef m_background = 0;

private:
    Bitmap* m_drawingSurface = nullptr;
    double m_pixelRatio = 1.0;
    QWidget* m_owner = nullptr;
    QRect m_rect;
    std::atomic<int> m_dirty{0};
    bool m_enabled = true;
};

}  // namespace calivue
