// cDisplaySet: the seven display objects of the analysis view — the main array
// display, the pan overview of the display control page, the colour bar, the
// span selector, the cursor list and the two profiles — kept in step with the
// document. The document only announces changes; this set is the objects' one
// listener. The array displays read the document's state when they draw, so for them
// the set only asks for a repaint; the other objects are handed the values they show.
#pragma once

#include "document/docchange.h"

#include <QObject>

#include <memory>

namespace calivue {

class CVantoroDoc;
class cArrayDisplay;
class cColourBar;
class cSpanSelector;
class cHotSpotDisplay;
class cProfileDisplay;

class cDisplaySet : public QObject {
    Q_OBJECT

public:
    // The document (not owned) must outlive the set. The set owns its objects;
    // viewers that host them must be destroyed or emptied before the set.
    explicit cDisplaySet(CVantoroDoc& document, QObject* parent = nullptr);
    ~cDisplaySet() override;

    cArrayDisplay& arrayDisplay() { return *m_array; }
    cArrayDisplay& panDisplay() { return *m_pan; }
    cColourBar& colourBar() { return *m_colourBar; }
    cSpanSelector& spanSelector() { return *m_span; }
    cHotSpotDisplay& cursorList() { return *m_cursorList; }
    cProfileDisplay& lowerProfile() { return *m_lowerProfile; }
    cProfileDisplay& sideProfile() { return *m_sideProfile; }

    // Hands the whole current document state to every object (after a load).
    void syncAll();

private:
    void onChanged(DocChanges what);
    void syncPalette();
    void syncSpan();
    void syncIsotherms();
    void syncProfiles();
    void invalidateReadouts();

    CVantoroDoc& m_doc;
    std::unique_ptr<cArrayDisplay> m_array;
    std::unique_ptr<cArrayDisplay> m_pan;
    std::unique_ptr<cColourBar> m_colourBar;
    std::unique_ptr<cSpanSelector> m_span;
    std::unique_ptr<cHotSpotDisplay> m_cursorList;
    std::unique_ptr<cProfileDisplay> m_lowerProfile;
    std::unique_ptr<cProfileDisplay> m_sideProfile;
};

}  // namespace calivue
