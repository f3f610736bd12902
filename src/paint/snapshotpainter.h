// cSnapshotPainter: draws one snapshot — the picture through its palette over its span, with
// its isotherms, blended with the visual photograph and turned to its orientation, plus its
// markers — from a cBrixa and a DisplayState, without a document. The analysis window's
// array display draws with it from the document's state; report previews, thumbnails and
// printed pages draw with it from a snapshot's own state (displayStateOf).
//
// The painter keeps the last rendered picture, so a caller that redraws often re-renders only
// when a colour-changing setting changed (its own choice: Render is explicit).
#pragma once

#include "paint/bitmap.h"

#include "core/bitmapfile.h"
#include "core/displaystate.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace calivue {

class cBrixa;

// Large: the analysis window's cursor cross with its label. Small: the coloured cross of the
// report previews (each marker in its own pen and fill colour), without a label. Numbered: the
// modern report's cross in the marker's colours with its label in an outlined box that reads
// on any palette and is kept inside the picture.
enum class MarkerStyle { Large, Small, Numbered };

// One marker to draw: 0–9 measurement cursors, 10 coldest, 11 hottest (the index chooses the
// small style's colours), the image pixel and the large style's label.
struct SnapshotMarker {
    int index = 0;
    int x = 0;
    int row = 0;  // image-array row (239 − picture y)
    QString label;

    bool operator==(const SnapshotMarker&) const = default;
};

// The markers a snapshot's own record shows, in index order (the order they are drawn in):
// its measurement cursors when they are shown, then the coldest and the hottest point when
// their flags are set. Labels are the cursor
// names ("C1" …, coldName, hotName), or the readings "%0.01f %s" when the state shows cursor
// temperatures. The image must have its arrays built.
std::vector<SnapshotMarker> snapshotMarkers(const cBrixa& img, const DisplayState& state,
                                            const QString& coldName, const QString& hotName);

class cSnapshotPainter {
public:
    cSnapshotPainter();

    // Renders the whole picture at the interpolation factor (1–8) through the state's
    // palette, span and isotherms, blends the visual picture of photograph (the right half of
    // a 640-wide photograph file) with the state's blend mode and offsets when the mode is
    // not 0, and turns it to the state's orientation: every display value comes from the
    // state, none from the image's record. A missing or invalid photograph skips the blend.
    // False, with no picture kept, when the image has no arrays built. The image is not kept.
    bool Render(const cBrixa& img, const DisplayState& state, int interpolation,
                const cBitmapFile* photograph = nullptr);
    void Clear() { m_picture.Free(); }
    bool IsRendered() const { return m_picture.IsValid(); }
    // The last rendered picture, rows bottom-up, in the display orientation.
    const cBitmapFile& picture() const { return m_picture; }
    int interpolation() const { return m_interpolation; }
    int orientation() const { return m_orientation; }
    int renderCount() const { return m_renderCount; }

    // Fills the w × h content area of surface (w, h ≤ the surface's size) with the window of
    // the picture (image pixels, rows counted upwards, as the zoom window), each content
    // pixel taking the picture pixel nearest its centre; on a surface with a device pixel
    // ratio each device pixel does so. Nothing without a picture.
    void DrawPicture(Bitmap& surface, int w, int h, const QRect& window) const;
    void DrawWholePicture(Bitmap& surface, int w, int h) const;

    // The content pixel of a w × h area showing window in the given orientation that shows
    // the centre of image pixel (x, array row).
    static QPoint ImageToContent(int x, int row, const QRect& window, int orientation, int w,
                                 int h);

    // The label boxes of the large style for labels of the given sizes whose crosses sit at
    // `at`, in a w × h area: each above and right of its cross, kept inside the area; a box
    // that would cover one placed before it (a hot or cold marker on a cursor) tries below
    // its cross, then left of it, then steps down or up until it is clear. Empty boxes for
    // labels that do not fit the width.
    static std::vector<QRect> LabelBoxes(const std::vector<QPoint>& at,
                                         const std::vector<QSize>& sizes, int w, int h);

    // Large style over a w × h area showing window: the markers inside the window (edges
    // included) get the cross and, when it fits, their label in font; painter paints on
    // surface (it draws the label text).
    void DrawLargeMarkers(Bitmap& surface, QPainter& painter, int w, int h,
                          const std::vector<SnapshotMarker>& markers, const QRect& window,
                          int orientation) const;
    // Small style over the content rectangle area of surface, for the whole picture unturned:
    // each marker at (x × width ÷ 320 + left, (239 − row) × height ÷ 240 + top), moved left by
    // offset.x() and down by offset.y() (the report's visual pane passes the alignment
    // offsets ÷ 1.5); a marker that then lies outside area is left out.
    static void DrawSmallMarkers(Bitmap& surface, const QRect& area,
                                 const std::vector<SnapshotMarker>& markers, QPointF offset = {});

    // Where a point of the captured picture (fractions of its width and height from its
    // top-left corner) lies in the picture turned to orientation 0–3, in the same fractions.
    static QPointF TurnedPoint(QPointF at, int orientation);

    // Numbered style onto any painter, for the whole picture stretched over area and turned
    // to orientation (0–3, as Render turns it): each marker placed as in the small style
    // (moved by offset in image pixels before the turn), its cross
    // `size` units long and its label in font beside it, shifted to stay inside area. A marker
    // outside area is left out. Labels never cover each other: one that would tries the other
    // corners of its cross, then steps down or up. `labelBoxes`, when given, receives the
    // boxes drawn.
    static void DrawNumberedMarkers(QPainter& painter, const QRectF& area,
                                    const std::vector<SnapshotMarker>& markers, const QFont& font,
                                    QPointF offset = {}, std::vector<QRectF>* labelBoxes = nullptr,
                                    int orientation = 0);

    // Everything at once onto any painter: the whole picture (rendered now from img and
    // state) stretched over target, then the markers in style (the small style's offset as
    // above). False, with nothing painted, when the picture cannot be rendered.
    bool Paint(QPainter& painter, const QRect& target, const cBrixa& img, const DisplayState& state,
               const std::vector<SnapshotMarker>& markers, MarkerStyle style,
               const cBitmapFile* photograph = nullptr, QPointF smallOffset = {});

    const QFont& labelFont() const { return m_labelFont; }
    void setLabelFont(const QFont& font) { m_labelFont = font; }

private:
    cBitmapFile m_picture;
    std::vector<std::uint8_t> m_pixels;    // the renderer's output, reused between renders
    mutable std::vector<int> m_columnMap;  // source column offsets of the stretch, reused
    QFont m_labelFont;
    int m_interpolation = 1;
    int m_orientation = 0;
    int m_renderCount = 0;
};

}  // namespace calivue
