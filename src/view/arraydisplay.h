// cArrayDisplay: the display object that shows the 320 × 240 thermal image — rendered
// through the palette over the span at an interpolation factor, optionally blended with the
// visible photograph, zoomed to a window of the image and turned to the image's orientation
// — with the measurement cursors, the profile lines and the area box on top. It is also
// where the user places, drags and removes cursors and drags the profile lines. In
// navigation mode it shows the whole image with the zoom window outlined, and a click or
// drag moves the zoom window.
#pragma once

#include "paint/autofont.h"
#include "view/irdisplayobject.h"
#include "paint/snapshotpainter.h"

#include "core/bitmapfile.h"

#include <QPointF>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace calivue {

class cArrayDisplay : public cIRDisplayObject {
public:
    // Hover states of the pointer over the display.
    enum Hover {
        HoverNone = 0,
        HoverPlain = 1,
        HoverRowLine = 2,     // on the horizontal profile line (an image row)
        HoverColumnLine = 3,  // on the vertical profile line (an image column)
        HoverBothLines = 4,
        HoverCursor = 5,  // on a measurement cursor
    };

    // The document (not owned) must outlive the display.
    explicit cArrayDisplay(CVantoroDoc* document = nullptr);
    ~cArrayDisplay() override;

    // --- how the picture is shown ---------------------------------------------------------
    // With a document, the display keeps none of these: it reads the document's display
    // state (the area box with it), interpolation, zoom, zoom window and profile lines when
    // it draws, and the setters below are the document's setters (so the change is
    // announced to everyone). Without a document they are the display's own settings.
    // Ignored when null; starts an empty render buffer. Without a document the span and
    // blend mode come from the image. The image is not owned.
    void SetImage(cBrixa* image) override;
    void SetSpan(int low, int high);
    void SetPalette(int index) override;
    void SetInterpolation(int n);  // 1–8; anything else is limited to that range
    // The part of the image shown, in image pixels (inclusive edges, rows counted upwards).
    // A window reaching outside the image is moved back inside and cut to its size.
    void SetZoomWindow(const QRect& window);
    void SetNavigationMode(bool on);
    void SetIsothermFlags(unsigned flags);
    // The picture is rendered again on the next draw (the photograph moved or changed).
    void Refresh();
    void SetBlend(int mode);
    // Zoom n: a window of (320 ÷ n) × (240 ÷ n) centred on the current one, kept inside
    // the image, by the document's rule (CVantoroDoc::setZoom). n outside 1–4 is ignored.
    void SetZoom(int n);
    // Reads the photograph; a missing or unreadable file leaves it empty (no blending).
    bool LoadVisibleImage(const std::filesystem::path& path);
    // Takes the document's image and its visible photograph (a new snapshot was opened).
    void SyncFromDocument();

    // --- drawing -------------------------------------------------------------------------
    // Draws with the image alone when there is no document (then without markers, profile
    // lines or area box).
    bool DrawContent(QPainter& painter) override;
    // The state the picture is drawn with: the document's display state, or without a
    // document the settings above with the image's orientation and offsets (no area box).
    DisplayState CurrentState() const;
    // The document's markers in use and shown, with their labels.
    std::vector<SnapshotMarker> DocumentMarkers() const;

    // --- input ---------------------------------------------------------------------------
    int OnLButtonDown(unsigned keys, QPoint point) override;
    int OnLButtonUp(unsigned keys, QPoint point) override;
    int OnLButtonDblClk(unsigned keys, QPoint point) override;
    int OnMouseMove(unsigned keys, QPoint point) override;
    int OnMouseLeave() override;
    // The wheel steps the zoom (one step per notch, forward zooms in) around the pointer.
    int OnMouseWheel(unsigned keys, int delta, QPoint point) override;
    // Zoom n (limited to 1–4) with the image point under content point p kept under it (the
    // centre of the picture when p lies outside); the document gets the zoom and the window.
    // False when nothing changed (no document or image, navigation mode, same zoom).
    bool ZoomAround(QPoint p, int n);
    // The image pixel under content point p, or (−1, −1) outside the picture.
    QPoint ImagePixelAt(QPoint p) const;

    // --- geometry --------------------------------------------------------------------------
    // The image position under content pixel p within window (the pixel's centre), as
    // fractional column and row; truncate for the pixel.
    QPointF DisplayToImage(QPoint p, const QRect& window) const;
    QPointF DisplayToImage(QPoint p) const { return DisplayToImage(p, zoomWindow()); }
    // The content pixel that shows the centre of image pixel (column, row).
    QPoint ImageToDisplay(int column, int row) const;
    bool InZoomWindow(int column, int row) const;
    // A w × h window centred on image pixel (column, row), moved back inside the image.
    static QRect CentredWindow(int column, int row, int w, int h);

    // --- inspection ----------------------------------------------------------------------
    const QRect& zoomWindow() const;
    int zoom() const;
    int interpolation() const;
    int spanLow() const { return CurrentState().spanLow; }
    int spanHigh() const { return CurrentState().spanHigh; }
    unsigned isothermFlags() const { return CurrentState().isothermFlags; }
    int blend() const { return CurrentState().blendMode; }
    int palette() const override { return CurrentState().palette; }
    bool navigationMode() const { return m_navigation; }
    // The document's area select; never without a document.
    bool areaBoxShown() const { return CurrentState().areaMode >= 0; }
    int hoverState() const { return m_hover; }
    int grabbedCursor() const { return m_grabbed; }
    bool dragging() const { return m_dragging; }
    // The document's profile lines as fractions of 320: (column + 0.5) ÷ 320 and
    // (row + 0.5) ÷ 320 (the divisor is 320 for the row as well); 0.5 without a document.
    double verticalLinePosition() const;
    double horizontalLinePosition() const;
    const cBitmapFile& renderBuffer() const { return m_painter.picture(); }
    const cBitmapFile& visibleImage() const { return m_visible; }
    const cAutoFont& labelFont() const { return m_labelFont; }
    // The label of marker index: its temperature when the document shows cursor
    // temperatures (and there is an image), else its name; empty without a document.
    QString MarkerLabel(int index) const;
    // How often the picture was rendered through the palette since construction.
    int renderCount() const { return m_painter.renderCount(); }
    const cSnapshotPainter& painter() const { return m_painter; }

private:
    // The image's orientation 0–3; any other value (or no image) counts as 0, as it does
    // for the renderer.
    int Orientation() const;
    bool ReadyToDraw() const;
    bool RebuildRenderBuffer();
    void DrawMarkers(QPainter& painter);
    void DrawProfileLines();
    void DrawAreaBox(QPainter& painter);
    void DrawZoomOutline();

    bool AcceptsPoint(QPoint p) const;
    void EvaluateHover(QPoint p);
    void SetHover(int state);
    void MoveLinesTo(const QPointF& imagePoint);
    void MoveGrabbedCursor(const QPointF& imagePoint);
    void ToggleCursorAt(int column, int row);
    void NavigateTo(QPoint p);

    // What the rendered picture depends on; a draw renders again when it differs.
    struct RenderKey {
        DisplayState state;  // the colour-changing part: span, palette, isotherms, blend, offsets,
                             // orientation
        int interpolation = 1;
        int blueLower = 0, blueUpper = 0, redLower = 0, redUpper = 0;
        bool operator==(const RenderKey&) const = default;
    };
    RenderKey CurrentRenderKey() const;

    cSnapshotPainter m_painter;  // keeps the rendered picture
    RenderKey m_rendered;        // what it was rendered with
    cBitmapFile m_visible;
    cAutoFont m_labelFont;
    int m_fontHeight = 15;
    bool m_dragging = false;
    int m_hover = HoverNone;
    int m_grabbed = 0;
    // The display's own settings, used only without a document.
    DisplayState m_own;
    int m_ownInterpolation = 1;
    int m_ownZoom = 1;
    QRect m_ownWindow{0, 0, 320, 240};
    bool m_navigation = false;
    int m_lastOrientation = -1;
    int m_wheelRest = 0;  // wheel movement short of a whole notch (touch pads send small steps)
};

}  // namespace calivue
