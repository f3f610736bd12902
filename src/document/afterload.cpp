// Turning a freshly decoded record into the interactive state, and back to an
// empty document after a failed open.
#include "document/vantorodoc.h"

#include "document/unittext.h"

#include "core/displaystate.h"

namespace calivue {

void CVantoroDoc::afterLoad()
{
    // The palette (above 7 becomes 1) and the visible span after its defaults go
    // back into the record here rather than from a display, so that opening never
    // marks modified and a save keeps what was shown.
    m_shown = adoptDisplayState(m_image);
    const DisplayState& shown = m_shown;
    const RecordFields& f = m_image.fields;

    // A new picture starts unzoomed, whatever the previous one showed.
    m_zoom = 1;
    m_viewRect = QRect(0, 0, kWidth, kHeight);
    m_selectedValid = false;

    // The marker list is rebuilt whole: cursors of the previous snapshot must not
    // survive into this one.
    resetMarkers();
    const CursorSlots recordCursors = cursorSlotsFromRecord(f);
    for (int i = 0; i < kMaxCursors; ++i) {
        const CursorSlot& s = recordCursors[static_cast<std::size_t>(i)];
        if (!s.inUse) continue;
        Marker& m = m_markers[static_cast<std::size_t>(i)];
        m.inUse = true;
        m.shown = shown.cursorsShown;
        m.x = s.x;
        m.row = s.arrayRow;
        m.emissivity = s.emissivity;
    }

    // The extremes are always measured; each is shown by its own bit, which is
    // also what the core's marker drawing reads.
    Marker& cold = m_markers[kColdestMarker];
    Marker& hot = m_markers[kHottestMarker];
    cold.inUse = hot.inUse = true;
    cold.shown = shown.coldestShown;
    hot.shown = shown.hottestShown;

    m_image.setUnitText(unitTextFor(f.unit));

    // The record decides whether area select is on; with neither bit it is off,
    // and the document's box size carries over from the previous snapshot.
    if (shown.areaMode >= 0 && shown.areaMode != m_areaMode) {
        m_areaMode = shown.areaMode;
        m_image.setAreaMode(m_areaMode);
    }
    updateAreaStatistics();
    refreshMarkerTemperatures();

    // Opening always leaves the document unmodified under a new name.
    announce(DocChange::Picture | DocChange::Controls | DocChange::Title);
}

void CVantoroDoc::clear()
{
    m_image.reset();
    // reset() keeps the display flags; an empty document must not carry the
    // previous snapshot's into its commands.
    m_image.fields.flagsA = 0;
    m_image.fields.flagsB = 0;
    m_loadSuccess = false;
    m_modified = false;
    m_currentPath.clear();
    resetMarkers();
    m_zoom = 1;
    m_viewRect = QRect(0, 0, kWidth, kHeight);
    // The empty record's values; the palette and the cursor switch carry over to the
    // next snapshot's commands as they always have.
    const RecordFields& f = m_image.fields;
    DisplayState empty;
    empty.palette = m_shown.palette;
    empty.cursorsShown = m_shown.cursorsShown;
    empty.spanLow = f.spanLow;
    empty.spanHigh = f.spanHigh;
    empty.blendMode = f.blend;
    empty.orientation = f.orientation;
    empty.alignX = f.alignX;
    empty.alignY = f.alignY;
    m_shown = empty;
    m_selectedValid = false;

    announce(DocChange::Picture | DocChange::Controls | DocChange::Title);
}

}  // namespace calivue
