// cProfileDisplay: the raw values along one profile line, plotted as a curve filled with
// the palette's colours, with a draggable marker reading out the temperature at one point.
// The lower profile (direction 1) plots upwards with samples from left to right; the side
// profile (direction 0) plots to the right with samples from bottom to top. Each follows
// whichever profile line runs the same way on the screen, so the orientation decides which
// line it shows and from which end.
#pragma once

#include "paint/autofont.h"
#include "view/irdisplayobject.h"

#include <Qt>

#include <vector>

namespace calivue {

class cProfileDisplay : public cIRDisplayObject {
public:
    enum Direction { Side = 0, Lower = 1 };
    static constexpr int kMaxSamples = 640;

    // One end of a segment to sample, in image pixels (array rows).
    struct Segment {
        int x0 = 0, row0 = 0, x1 = 0, row1 = 0;
        bool valid = false;  // false: the line lies outside the zoom window
        bool operator==(const Segment&) const = default;
    };

    explicit cProfileDisplay(int direction, CVantoroDoc* document = nullptr);
    ~cProfileDisplay() override;

    // The profile lines or the image changed: resample and redraw.
    void Refresh();
    // The part of the image shown, inclusive edges in image pixels (rows are array rows).
    void SetZoomWindow(const QRect& window);

    // The segment this display samples now, cut to the zoom window and running from the
    // end shown first on the screen. Needs the document and the image.
    Segment ChooseLine() const;
    // Whether the line this display follows lies wholly outside the zoom window, so there is
    // nothing to plot; the display then says so and a double-click brings the line back.
    bool LineOutOfView() const;
    // The note shown in place of the curve, empty while there is a curve to show.
    QString OutOfViewNote() const;
    // Moves the followed line to the middle of the zoom window.
    void BringLineIntoView();
    // Bresenham walk over the image's values from (x0, row0) to (x1, row1), both ends
    // included and limited to the picture; replaces the samples.
    void Sample(int x0, int row0, int x1, int row1);

    Bitmap* CreateImage(QPaintDevice* target, int w, int h) override;
    bool DrawContent(QPainter& painter) override;

    int OnLButtonDown(unsigned keys, QPoint point) override;
    int OnLButtonUp(unsigned keys, QPoint point) override;
    int OnLButtonDblClk(unsigned keys, QPoint point) override;
    int OnMouseMove(unsigned keys, QPoint point) override;
    int OnMouseLeave() override;

    // --- inspection ----------------------------------------------------------------------
    int direction() const { return m_direction; }
    int sampleCount() const { return m_count; }
    int sample(int i) const { return m_samples[static_cast<std::size_t>(i)]; }
    int sampleColumn(int i) const { return m_columns[static_cast<std::size_t>(i)]; }
    int sampleRow(int i) const { return m_rows[static_cast<std::size_t>(i)]; }
    int sampleMin() const { return m_min; }
    int sampleMax() const { return m_max; }
    // The document's zoom window when there is a document, else the display's own.
    const QRect& zoomWindow() const;
    double markerPosition() const { return m_markerPosition; }
    void setMarkerPosition(double p) { m_markerPosition = p; }
    bool dragging() const { return m_dragging; }
    bool hovering() const { return m_hovering; }
    int redrawRequest() const { return m_redrawRequest; }
    Qt::CursorShape pointer() const { return m_pointer; }
    const cAutoFont& labelFont() const { return m_font; }
    // The marker read-out text, empty without samples.
    QString MarkerLabel() const;
    // Index of the sample at the marker.
    int MarkerSample() const;

private:
    void DrawCurve(int w, int h);
    void DrawMarker();
    void DrawLabel(QPainter& painter);
    void DrawNote(QPainter& painter);
    // Whether this display follows the horizontal profile line in the current orientation.
    bool FollowsRow() const;
    bool Accepts(QPoint p) const;
    double FractionOf(QPoint p) const;
    void SetHovering(bool on);

    int m_direction;
    std::vector<int> m_samples;
    std::vector<int> m_columns;
    std::vector<int> m_rows;
    int m_count = 0;
    int m_min = 64000;
    int m_max = -64000;
    QRect m_zoomWindow{0, 0, 320, 240};
    double m_markerPosition = 0.5;
    bool m_dragging = false;
    bool m_hovering = false;
    int m_redrawRequest = 0;
    int m_cachedW = 0;
    int m_cachedH = 0;
    // What the cached curve was drawn from.
    Segment m_drawnSegment;
    int m_drawnSpanLow = 0, m_drawnSpanHigh = 0, m_drawnPalette = -1, m_drawnOrientation = -1;
    Qt::CursorShape m_pointer = Qt::ArrowCursor;
    cAutoFont m_font;
};

}  // namespace calivue
