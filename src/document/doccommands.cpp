// Handlers of the document's View and Tools menu commands.
// Every toggle changes the display state and writes it back to the record's display
// flags, so that saving writes exactly what the user sees.
#include "document/vantorodoc.h"

#include "platform/settingsstore.h"

namespace calivue {

void CVantoroDoc::toggleCursors()
{
    if (!isLoaded()) return;
    setCursorsShown(!m_shown.cursorsShown);
}

void CVantoroDoc::toggleBlueIsotherm()
{
    if (!isLoaded()) return;
    m_shown.isothermFlags ^= 1u;
    storeShown();
    announce(DocChange::Isotherms | modify());
}

void CVantoroDoc::toggleRedIsotherm()
{
    if (!isLoaded()) return;
    m_shown.isothermFlags ^= 2u;
    storeShown();
    announce(DocChange::Isotherms | modify());
}

void CVantoroDoc::toggleHotCold()
{
    if (!isLoaded()) return;
    const bool on = !hotColdShown();
    m_shown.coldestShown = m_shown.hottestShown = on;
    storeShown();
    m_markers[kColdestMarker].shown = on;
    m_markers[kHottestMarker].shown = on;
    markersTouched(modify());
}

void CVantoroDoc::toggleAreaSelect()
{
    if (!isLoaded()) return;
    m_shown.areaMode = areaSelectOn() ? -1 : m_areaMode;
    storeShown();
    updateAreaStatistics();
    announce(DocChange::Area | DocChange::Readings | modify());
}

// Cursor temperatures are saved in display flags B bit 0, so toggling them is a
// change like any other.
void CVantoroDoc::toggleCursorTemperature()
{
    if (!isLoaded()) return;
    m_shown.cursorTemps = !m_shown.cursorTemps;
    storeShown();
    announce(DocChange::Markers | DocChange::Readings | modify());
}

// The profile bits are set or cleared as a pair: toggling each bit on its own
// would turn a record with only one of them into one whose profiles never show.
void CVantoroDoc::toggleProfiles()
{
    if (!isLoaded()) return;
    m_shown.profiles = !m_shown.profiles;
    storeShown();
    announce(DocChange::Profiles | DocChange::Layout | modify());
}

void CVantoroDoc::resetIsotherms()
{
    if (!isLoaded()) return;
    const RecordFields before = m_image.fields;
    m_image.resetIsotherms(true);
    const RecordFields& f = m_image.fields;
    const bool changed = f.blueLower != before.blueLower || f.blueUpper != before.blueUpper ||
                         f.redLower != before.redLower || f.redUpper != before.redUpper;
    // The bounds are shown on the display page and the span selector.
    const DocChanges what = DocChange::Isotherms | DocChange::Controls;
    announce(changed ? what | modify() : what);
}

std::optional<SettingsError> CVantoroDoc::setPersistReportDetails(bool persist)
{
    if (std::optional<SettingsError> failed = m_settings.setPersistReportDetails(persist))
        return failed;
    m_persistReportDetails = persist;
    return std::nullopt;
}

}  // namespace calivue
