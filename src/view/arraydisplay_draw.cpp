// cArrayDisplay: rendering the picture into the render buffer and copying the shown part
// of it onto the surface. The render buffer is rebuilt only when a colour-changing setting
// or the orientation changed; every other draw only copies it and adds the overlays.
#include "arraydisplay.h"

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
    DisplayState s;
    s.spanLow = m_drawnLow;
    s.spanHigh = m_drawnHigh;
    s.palette = m_palette;
    s.isothermFlags = m_isotherms;
    s.blendMode = m_blend;
    s.orientation = Orientation();
    if (m_image) {
        s.alignX = m_image->fields.alignX;
        s.alignY = m_image->fields.alignY;
    }
    if (m_document) {
        s.areaMode = m_areaBox ? m_document->areaMode() : -1;
        s.cursorsShown = m_document->cursorsShown();
        s.coldestShown = m_document->markers()[kColdestMarker].shown;
        s.hottestShown = m_document->markers()[kHottestMarker].shown;
        s.cursorTemps = m_document->cursorTemperaturesShown();
        s.profiles = m_document->profilesShown();
    }
    return s;
}

bool cArrayDisplay::DrawContent(QPainter& painter)
{
    Bitmap* surface = drawingSurface();
    if (!ReadyToDraw() || !surface) {
        FillContentRect(QRect(0, 0, m_W, m_H), systemColour(QPalette::Button));
        return true;
    }
    m_drawnLow = m_spanLow;
    m_drawnHigh = m_spanHigh;
    const int orientation = Orientation();
    if (TakeDirty() || orientation != m_lastOrientation || !m_painter.IsRendered()) {
        m_lastOrientation = orientation;
        if (!RebuildRenderBuffer()) {
            // Nothing sensible to show; a new image brings a new render.
            FillContentRect(QRect(0, 0, m_W, m_H), systemColour(QPalette::Button));
            return true;
        }
    }
    if (m_navigation)
        m_painter.DrawWholePicture(*surface, m_W, m_H);
    else
        m_painter.DrawPicture(*surface, m_W, m_H, m_zoomWindow);
    if (!m_document) return true;
    if (!m_navigation) {
        DrawMarkers(painter);
        DrawProfileLines();
        DrawAreaBox(painter);
    } else if (m_zoom > 1) {
        DrawZoomOutline();
    }
    return true;
}

bool cArrayDisplay::RebuildRenderBuffer()
{
    return m_painter.Render(*m_image, CurrentState(), m_interpolation, &m_visible);
}

}  // namespace calivue
