// cArrayDisplay: rendering the picture into the render buffer and copying the shown part
// of it onto the surface. The render buffer is rebuilt only when what it was rendered with
// (the colour-changing part of the state, the orientation, the interpolation) differs from
// what the draw reads now; every other draw only copies it and adds the overlays.
#include "view/arraydisplay.h"

#include "document/vantorodoc.h"

#include "core/brixa.h"
#include "core/constants.h"

#include <QPainter>

namespace calivue {

bool cArrayDisplay::ReadyToDraw() const
{
    return m_image && m_image->isLoaded() && m_W > 9 && m_H > 9;
}

DisplayState cArrayDisplay::CurrentState() const
{
    if (m_document) {
        DisplayState s = m_document->displayState();
        s.orientation = Orientation();
        return s;
    }
    DisplayState s = m_own;
    s.orientation = Orientation();
    s.areaMode = -1;
    if (m_image) {
        s.alignX = m_image->fields.alignX;
        s.alignY = m_image->fields.alignY;
    }
    return s;
}

cArrayDisplay::RenderKey cArrayDisplay::CurrentRenderKey() const
{
    const DisplayState shown = CurrentState();
    RenderKey k;
    k.state.spanLow = shown.spanLow;
    k.state.spanHigh = shown.spanHigh;
    k.state.palette = shown.palette;
    k.state.isothermFlags = shown.isothermFlags;
    k.state.blendMode = shown.blendMode;
    k.state.alignX = shown.alignX;
    k.state.alignY = shown.alignY;
    k.state.orientation = shown.orientation;
    k.interpolation = interpolation();
    if (m_image) {
        const RecordFields& f = m_image->fields;
        k.blueLower = f.blueLower;
        k.blueUpper = f.blueUpper;
        k.redLower = f.redLower;
        k.redUpper = f.redUpper;
    }
    return k;
}

bool cArrayDisplay::DrawContent(QPainter& painter)
{
    Bitmap* surface = drawingSurface();
    if (!ReadyToDraw() || !surface) {
        FillContentRect(QRect(0, 0, m_W, m_H), systemColour(QPalette::Button));
        return true;
    }
    const RenderKey key = CurrentRenderKey();
    m_lastOrientation = key.state.orientation;
    if (TakeDirty() || !(key == m_rendered) || !m_painter.IsRendered()) {
        m_rendered = key;
        if (!RebuildRenderBuffer()) {
            // Nothing sensible to show; a new image brings a new render.
            FillContentRect(QRect(0, 0, m_W, m_H), systemColour(QPalette::Button));
            return true;
        }
    }
    if (m_navigation)
        m_painter.DrawWholePicture(*surface, m_W, m_H);
    else
        m_painter.DrawPicture(*surface, m_W, m_H, zoomWindow());
    if (!m_document) return true;
    if (!m_navigation) {
        DrawMarkers(painter);
        DrawProfileLines();
        DrawAreaBox(painter);
    } else if (zoom() > 1) {
        DrawZoomOutline();
    }
    return true;
}

bool cArrayDisplay::RebuildRenderBuffer()
{
    return m_painter.Render(*m_image, CurrentState(), interpolation(), &m_visible);
}

}  // namespace calivue
