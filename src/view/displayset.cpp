#include "view/displayset.h"

#include "view/arraydisplay.h"
#include "view/colourbar.h"
#include "view/hotspotdisplay.h"
#include "view/profiledisplay.h"
#include "view/spanselector.h"
#include "document/vantorodoc.h"

namespace calivue {

cDisplaySet::cDisplaySet(CVantoroDoc& doc, QObject* parent)
    : QObject(parent),
      m_doc(doc),
      m_array(std::make_unique<cArrayDisplay>(&doc)),
      m_pan(std::make_unique<cArrayDisplay>(&doc)),
      m_colourBar(std::make_unique<cColourBar>()),
      m_span(std::make_unique<cSpanSelector>()),
      m_cursorList(std::make_unique<cHotSpotDisplay>(&doc)),
      m_lowerProfile(std::make_unique<cProfileDisplay>(1, &doc)),
      m_sideProfile(std::make_unique<cProfileDisplay>(0, &doc))
{
    m_colourBar->AttachDocument(&doc);
    m_span->AttachDocument(&doc);
    m_pan->SetNavigationMode(true);

    connect(&doc, &CVantoroDoc::changed, this, &cDisplaySet::onChanged);
}

cDisplaySet::~cDisplaySet() = default;

void cDisplaySet::syncAll()
{
    if (!m_doc.isLoaded()) {
        m_span->DetachImage();
        return;
    }
    cBrixa* image = &m_doc.image();
    m_array->SyncFromDocument();
    m_pan->SyncFromDocument();
    m_colourBar->SetImage(image);
    m_span->SetImage(image);
    m_cursorList->SetImage(image);
    m_lowerProfile->SetImage(image);
    m_sideProfile->SetImage(image);
    syncPalette();
    syncIsotherms();
    syncProfiles();
    invalidateReadouts();
}

void cDisplaySet::onChanged(DocChanges what)
{
    if (what & DocChange::Picture) {
        syncAll();
        return;
    }
    // The two array displays read the document's state when they draw and render again
    // when its colours changed; they only need repainting. (The pan display's viewer is
    // on the display page, outside the view's redraw timer.)
    if (what & (kImageChanges | kOverlayChanges | DocChange::Zoom)) {
        m_array->Invalidate();
        m_pan->Invalidate();
    }
    if (what & DocChange::Palette) syncPalette();
    if (what & DocChange::Span) syncSpan();
    if (what & DocChange::Isotherms) syncIsotherms();
    if (what & (DocChange::Profiles | DocChange::Orientation)) syncProfiles();
    if (what & DocChange::Unit) {
        m_colourBar->SetDirty();
        m_colourBar->Invalidate();
        m_span->SyncSpan();
        // The profile labels are readings in the unit.
        m_lowerProfile->Refresh();
        m_sideProfile->Refresh();
    }
    if (what & (DocChange::ZoomWindow | DocChange::Area | DocChange::Markers | DocChange::Unit))
        invalidateReadouts();
}

void cDisplaySet::syncPalette()
{
    // Each object reads the palette from the document when it draws.
    m_colourBar->Invalidate();
    m_span->SyncSpan();
    m_lowerProfile->Refresh();
    m_sideProfile->Refresh();
}

void cDisplaySet::syncSpan()
{
    m_span->SyncSpan();
    m_colourBar->Invalidate();
    m_lowerProfile->Refresh();
    m_sideProfile->Refresh();
}

void cDisplaySet::syncIsotherms()
{
    m_span->SyncIsotherms();
}

void cDisplaySet::syncProfiles()
{
    m_array->Invalidate();
    m_lowerProfile->Refresh();
    m_sideProfile->Refresh();
}

void cDisplaySet::invalidateReadouts()
{
    m_cursorList->Invalidate();
}

}  // namespace calivue
