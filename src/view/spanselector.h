// cSpanSelector: a histogram of the image's raw values with the colour span as a draggable
// bar underneath and, when they are on, the blue and red isotherm bands over it. Dragging
// an end or a whole band hands the new limits to the document; a double-click asks for the
// automatic span.
//
// Limits are kept as positions, fractions of the width: the histogram runs from 10 % to
// 90 % of the width, so a position below 0.1 or above 0.9 is a value outside the image's
// range. Each band also keeps its raw limits, so that labels and the document see the exact
// counts rather than ones rounded through a position.
#pragma once

#include "paint/autofont.h"
#include "view/irdisplayobject.h"

#include <Qt>

#include <vector>

namespace calivue {

class cSpanSelector : public cIRDisplayObject {
public:
    // Grabbed or hovered part of a band.
    enum Handle {
        HandleReleased = -1,
        HandleNone = 0,
        HandleLow = 1,
        HandleHigh = 2,
        HandleBand = 3
    };
    // What a drag moves.
    enum Target { TargetNone = 0, TargetSpan = 1, TargetBlue = 2, TargetRed = 3 };

    // A band's limits as positions and as raw counts.
    struct Band {
        double low = 0, high = 0;
        int rawLow = 0, rawHigh = 0;
    };

    cSpanSelector();
    ~cSpanSelector() override;

    void SetRect(const QRect& rect) override;
    // Ignored when null. Takes the image's range, builds the histogram and the span
    // positions; with a document, gives an image without a span its stored default or
    // automatic span (through the document) and takes the isotherm limits from it.
    void SetImage(cBrixa* image) override;
    // The image's span changed: positions recomputed and the histogram recoloured.
    void SyncSpan();
    // The isotherm limits or flags changed in the document: positions recomputed.
    void SyncIsotherms();
    void DetachImage();
    // With a document the document's isotherm switches (its setIsotherms, the limits
    // unchanged); without one the selector's own.
    void SetIsothermFlags(unsigned flags);

    // Position of raw value v: (v − min) ÷ (max − min) × 0.8 + 0.1, 0 when min = max.
    double PositionOf(int raw) const;
    // Raw value at position p: min + int((p − 0.1) × 1.25 × (max − min)).
    int RawAt(double position) const;
    // Which part of band a point at content x is on: HandleLow, HandleHigh, HandleBand or
    // HandleNone. tolerancePixels is the reach of an end in pixels.
    int HitTest(const Band& band, int x, double tolerancePixels = 5) const;

    // Top-left corners of a band's low and high labels, texts lowWidth and highWidth pixels
    // wide, on the label line at y.
    struct LabelPlaces {
        QPoint low, high;
    };
    LabelPlaces PlaceLabels(const Band& band, int y, int lowWidth, int highWidth) const;

    Bitmap* CreateImage(QPaintDevice* target, int w, int h) override;
    bool DrawContent(QPainter& painter) override;

    int OnLButtonDown(unsigned keys, QPoint point) override;
    int OnLButtonUp(unsigned keys, QPoint point) override;
    int OnLButtonDblClk(unsigned keys, QPoint point) override;
    int OnRButtonDown(unsigned keys, QPoint point) override;
    int OnRButtonUp(unsigned keys, QPoint point) override;
    int OnMouseMove(unsigned keys, QPoint point) override;
    int OnMouseLeave() override;

    // --- inspection ----------------------------------------------------------------------
    const std::vector<int>& histogram() const { return m_histogram; }
    int bins() const { return m_bins; }
    int maxCount() const { return m_maxCount; }
    int rawMin() const { return m_rawMin; }
    int rawMax() const { return m_rawMax; }
    int histogramLeft() const { return m_histLeft; }
    int histogramRight() const { return m_histRight; }
    const Band& span() const { return m_span; }
    const Band& blue() const { return m_blue; }
    const Band& red() const { return m_red; }
    // The document's isotherm switches, read when needed; the selector's own without one.
    unsigned isothermFlags() const;
    int handle() const { return m_handle; }
    int dragTarget() const { return m_target; }
    int redrawRequest() const { return m_redrawRequest; }
    Qt::CursorShape pointer() const { return m_pointer; }
    const cAutoFont& labelFont() const { return m_font; }
    // The histogram as last drawn, before the span bar, labels and bands go on top.
    const Bitmap& histogramImage() const { return m_cache; }
    static constexpr int kBarHeight = 10;

private:
    bool HasData() const;
    void BuildHistogram();
    void SetBandRaw(Band& band, int low, int high) const;
    Band* TargetBand(int target);

    // Drawing (spanselector_draw.cpp).
    void DrawHistogram(int w, int h);
    void DrawBars(int left, int right, int bottom, int top);
    void DrawSpanBar();
    void DrawLabels(QPainter& painter);
    void DrawLabelPair(QPainter& painter, const Band& band, int y);
    void DarkenOutsideSpan();
    void DrawArrow(int x, bool pointsLeft);
    void DrawIsothermBand(const Band& band, ColourRef colour);

    // Mouse (spanselector_mouse.cpp).
    bool Accepts(QPoint p) const;
    int HoverHandle(QPoint p, int* target) const;
    void EvaluateHover(QPoint p);
    void SetPointerFor(int handle);
    void BeginDrag(int target, int handle, QPoint p);
    void DragTo(QPoint p);
    void HandOver(int target);
    void EndDrag(bool haveUpPoint, QPoint p);

    std::vector<int> m_histogram;
    int m_bins = 100;
    int m_maxCount = 0;
    int m_rawMin = 0;
    int m_rawMax = 0;
    int m_histLeft = 0;
    int m_histRight = 0;
    Band m_span, m_blue, m_red;
    unsigned m_isoFlags = 0;  // used only without a document
    int m_handle = HandleNone;
    int m_target = TargetNone;
    bool m_rightDrag = false;
    double m_grabPosition = 0;
    Band m_bandAtGrab;
    int m_redrawRequest = 0;
    int m_cachedW = 0;
    int m_cachedH = 0;
    Qt::CursorShape m_pointer = Qt::ArrowCursor;
    cAutoFont m_font;
    Bitmap m_cache;
};

}  // namespace calivue
