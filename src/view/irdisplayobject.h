// cIRDisplayObject: the base of the display objects that show thermal data. It keeps the
// object's size (W × H), the content area as plot and device rectangles, the image, the
// palette index and the document, and converts content coordinates (y down from the top)
// into rows of the bottom-up drawing surface.
#pragma once

#include "view/visibleobject.h"

namespace calivue {

class cBrixa;
class CVantoroDoc;

class cIRDisplayObject : public cVisibleObject {
public:
    cIRDisplayObject();
    ~cIRDisplayObject() override;

    // Stores the rect and derives W, H, the device rect (4, 4, W + 4, H + 4) and the plot
    // rect (0, H − 1, W − 1, 0), whose y counts upwards.
    void SetRect(const QRect& rect) override;

    // Content pixels (x, y) … (x + width − 1, y + height − 1), y counted from the top, as
    // surface rows counted from the bottom: content row y is surface row H − 1 − y.
    EdgeRect ToSurfaceRect(const QRect& content) const;

    // The document is not owned; it must outlive the object. Sets the palette to 1.
    void AttachDocument(CVantoroDoc* document);
    // With a document this is the document's setPalette (announced to everyone); without
    // one the object's own palette.
    virtual void SetPalette(int index);
    // Ignored when null; else stores it (not owned), marks the object dirty and invalidates.
    virtual void SetImage(cBrixa* image);

    CVantoroDoc* document() const { return m_document; }
    cBrixa* image() const { return m_image; }
    // The document's palette when there is a document, else the object's own.
    virtual int palette() const;
    int W() const { return m_W; }
    int H() const { return m_H; }
    const EdgeRect& plotRect() const { return m_plotRect; }
    const EdgeRect& deviceRect() const { return m_deviceRect; }

protected:
    // Drawing helpers in content coordinates on the surface of the draw in progress; each
    // does nothing between draws and never writes outside the surface.
    void FillContentRect(const QRect& content, ColourRef colour);
    // Refused like Bitmap::BlendRect when any part of the rectangle lies outside.
    void BlendContentRect(const QRect& content, ColourRef colour, double alpha);
    // A one-pixel outline along the inside of the rectangle.
    void FrameContentRect(const QRect& content, ColourRef colour);

    cBrixa* m_image = nullptr;
    CVantoroDoc* m_document = nullptr;
    int m_palette = 0;
    int m_W = 0;
    int m_H = 0;
    EdgeRect m_plotRect;
    EdgeRect m_deviceRect;
    Bitmap m_surface2;  // for derived objects that compose in two steps
};

}  // namespace calivue
