// cColourBar: the current palette as a vertical gradient beside the picture, labelled with
// the temperatures of the two ends of the colour span. The gradient only depends on the
// palette and the size, so it is drawn once into a cache and copied on every redraw.
#pragma once

#include "paint/autofont.h"
#include "view/irdisplayobject.h"

namespace calivue {

class cColourBar : public cIRDisplayObject {
public:
    cColourBar();
    ~cColourBar() override;

    // A palette change redraws the gradient.
    void SetPalette(int index) override;

    // Surface = the gradient cache, rebuilt when the size changed or the object is dirty.
    // Null for an empty size.
    Bitmap* CreateImage(QPaintDevice* target, int w, int h) override;
    // The span's temperatures above and below the gradient; nothing without an image.
    bool DrawContent(QPainter& painter) override;

    // Label font height for a bar w pixels wide: a quarter of the width, at least 15.
    static int LabelHeightFor(int w);
    const cAutoFont& labelFont() const { return m_font; }
    // Gradient rectangle for a w × h surface (rows bottom-up, inclusive).
    static EdgeRect GradientRect(int w, int h);
    // Palette index of gradient row i (0 at the bottom) of a gradient rows + 1 lines tall.
    static int GradientIndex(int i, int rows);

private:
    void DrawGradient(int w, int h);

    Bitmap m_cache;
    int m_cachedW = 0;
    int m_cachedH = 0;
    int m_drawnPalette = -1;  // the palette the cached gradient shows
    cAutoFont m_font;
};

}  // namespace calivue
