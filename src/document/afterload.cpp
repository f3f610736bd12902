// Turning a freshly decoded record into the interactive state, and back to an
// empty document after a failed open.
#include "vantorodoc.h"

#include "unittext.h"

#include <algorithm>

namespace calivue {

void CVantoroDoc::afterLoad()
{
    const RecordFields& f = m_image.fields;

    // A new picture starts unzoomed, whatever the previous one showed.
    m_zoom = 1;
    m_viewRect = QRect(0, 0, kWidth, kHeight);
    m_selectedValid = false;

    // The marker list is rebuilt whole: cursors of the previous snapshot must not
    // survive into this one.
    resetMarkers();
    m_cursorsShown = (f.flagsB & flags::B_CursorsHidden) == 0;
    const CursorSlots recordCursors = cursorSlotsFromRecord(f);
    for (int i = 0; i < kMaxCursors; ++i) {
        const CursorSlot& s = recordCursors[static_cast<std::size_t>(i)];
        if (!s.inUse) continue;
        Marker& m = m_markers[static_cast<std::size_t>(i)];
        m.inUse = true;
        m.shown = m_cursorsShown;
        m.x = s.x;
        m.row = s.arrayRow;
        m.emissivity = s.emissivity;
    }

    // The extremes are always measured; each is shown by its own bit, which is
    // also what the core's marker drawing reads.
    Marker& cold = m_markers[kColdestMarker];
    Marker& hot = m_markers[kHottestMarker];
    cold.inUse = hot.inUse = true;
    cold.shown = (f.flagsA & flags::A_Coldest) != 0;
    hot.shown = (f.flagsA & flags::A_Hottest) != 0;

    m_palette = f.palette > 7 ? 1 : f.palette;
    m_image.setPalette(m_palette);
    m_image.setUnitText(unitTextFor(f.unit));

    // A record without a visible span gets its fallback span, else the automatic
    // one, here rather than from a display, so that opening never marks modified.
    if (f.spanLow == 0 && f.spanHigh == 0) {
        int low = f.fallbackLow, high = f.fallbackHigh;
        if (low == 0 && high == 0) m_image.spanRange(low, high);
        m_image.fields.spanLow = static_cast<std::uint16_t>(std::clamp(low, 0, 0xFFFF));
        m_image.fields.spanHigh = static_cast<std::uint16_t>(std::clamp(high, 0, 0xFFFF));
    }

    m_cursorTemps = (f.flagsB & flags::B_CursorTemps) != 0;
    m_hotCold =
        (f.flagsA & (flags::A_Hottest | flags::A_Coldest)) == (flags::A_Hottest | flags::A_Coldest);
    m_profilesShown = (f.flagsA & flags::A_Profiles) == flags::A_Profiles;
    m_isothermFlags = ((f.flagsA & flags::A_BlueIsotherm) ? 1u : 0u) |
                      ((f.flagsA & flags::A_RedIsotherm) ? 2u : 0u);

    // The record decides whether area select is on; with neither bit it is off,
    // and the document's box size carries over from the previous snapshot.
    const std::uint8_t area = f.flagsA & (flags::A_AreaSmall | flags::A_AreaMedium);
    m_areaSelect = area != 0;
    if (m_areaSelect) {
        const int mode = area == flags::A_AreaSmall ? 0 : area == flags::A_AreaMedium ? 1 : 2;
        if (mode != m_areaMode) {
            m_areaMode = mode;
            m_image.setAreaMode(mode);
        }
    }
    updateAreaStatistics();
    refreshMarkerTemperatures();

    markImageChanged();
    markOverlayChanged();
    emit imageReplaced();
    emit updateAllViews(HintAll);
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
    m_isothermFlags = 0;
    m_areaSelect = false;
    m_cursorTemps = false;
    m_hotCold = false;
    m_profilesShown = false;
    m_selectedValid = false;

    markImageChanged();
    markOverlayChanged();
    emit imageReplaced();
    emit updateAllViews(HintAll);
    emit titleChanged();
}

}  // namespace calivue
