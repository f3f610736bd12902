// Handlers of the document's View and Tools menu commands and of Excel Output.
// Every toggle keeps the record's display flags in step with the state on screen,
// so that saving writes exactly what the user sees.
#include "vantorodoc.h"

#include "core/csvexport.h"
#include "errortext.h"
#include "fspath.h"
#include "irfiledialog.h"
#include "messagedlg.h"
#include "settingsstore.h"
#include "stringids.h"
#include "stringtable.h"

namespace calivue {

namespace {

void setBits(std::uint8_t& byte, std::uint8_t bits, bool on)
{
    byte = static_cast<std::uint8_t>(on ? (byte | bits) : (byte & ~bits));
}

}  // namespace

void CVantoroDoc::toggleCursors()
{
    if (!isLoaded()) return;
    setCursorsShown(!m_cursorsShown);
}

void CVantoroDoc::toggleBlueIsotherm()
{
    if (!isLoaded()) return;
    m_isothermFlags ^= 1u;
    setBits(m_image.fields.flagsA, flags::A_BlueIsotherm, (m_isothermFlags & 1u) != 0);
    markImageChanged();
    emit isothermsChanged();
    modify();
}

void CVantoroDoc::toggleRedIsotherm()
{
    if (!isLoaded()) return;
    m_isothermFlags ^= 2u;
    setBits(m_image.fields.flagsA, flags::A_RedIsotherm, (m_isothermFlags & 2u) != 0);
    markImageChanged();
    emit isothermsChanged();
    modify();
}

void CVantoroDoc::toggleHotCold()
{
    if (!isLoaded()) return;
    m_hotCold = !m_hotCold;
    setBits(m_image.fields.flagsA, flags::A_Hottest | flags::A_Coldest, m_hotCold);
    m_markers[kColdestMarker].shown = m_hotCold;
    m_markers[kHottestMarker].shown = m_hotCold;
    markersTouched();
    modify();
}

void CVantoroDoc::toggleAreaSelect()
{
    if (!isLoaded()) return;
    m_areaSelect = !m_areaSelect;
    applyAreaFlags();
    updateAreaStatistics();
    markOverlayChanged();
    emit areaChanged();
    emit updateAllViews(HintCursors);
    modify();
}

// Cursor temperatures are saved in display flags B bit 0, so toggling them is a
// change like any other.
void CVantoroDoc::toggleCursorTemperature()
{
    if (!isLoaded()) return;
    m_cursorTemps = !m_cursorTemps;
    setBits(m_image.fields.flagsB, flags::B_CursorTemps, m_cursorTemps);
    markOverlayChanged();
    emit markersChanged();
    emit updateAllViews(HintCursors);
    modify();
}

// The profile bits are set or cleared as a pair: toggling each bit on its own
// would turn a record with only one of them into one whose profiles never show.
void CVantoroDoc::toggleProfiles()
{
    if (!isLoaded()) return;
    m_profilesShown = !m_profilesShown;
    setBits(m_image.fields.flagsA, flags::A_Profiles, m_profilesShown);
    markOverlayChanged();
    emit profilesChanged();
    emit updateAllViews(HintLayout);
    modify();
}

void CVantoroDoc::resetIsotherms()
{
    if (!isLoaded()) return;
    const RecordFields before = m_image.fields;
    m_image.resetIsotherms(true);
    const RecordFields& f = m_image.fields;
    markImageChanged();
    emit isothermsChanged();
    emit updateAllViews(HintAll);
    if (f.blueLower != before.blueLower || f.blueUpper != before.blueUpper ||
        f.redLower != before.redLower || f.redUpper != before.redUpper)
        modify();
}

bool CVantoroDoc::exportCsv()
{
    if (!isLoaded()) return false;
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("csv"));
    dialog.setTitle(uiText(sid::ExcelOutputTitle));
    dialog.addFilter(uiText(sid::FilterCsv), QStringLiteral("*.csv"));
    dialog.setOverwritePrompt(true);
    const std::optional<QString> chosen = dialog.choose(m_dialogParent);
    if (!chosen) return false;

    FileFailure failure;
    const Error e = calivue::exportCsv(m_image, toFsPath(*chosen), &failure);
    if (e != Error::None) {
        // The earlier file is kept whole; the user learns which file and why.
        cMessageDlg::messageBox(saveFailureText(sid::ErrorSavingFile, failure, *chosen),
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, m_dialogParent);
        return false;
    }
    cMessageDlg::messageBox(sid::ExcelOutputComplete, cMessageDlg::IconInformation,
                            cMessageDlg::ButtonsOk, m_dialogParent);
    return true;
}

void CVantoroDoc::togglePersistReportDetails()
{
    const bool wanted = !m_persistReportDetails;
    if (const std::optional<SettingsError> failed = m_settings.setPersistReportDetails(wanted)) {
        cMessageDlg::messageBox(failed->message, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                                m_dialogParent);
        return;
    }
    m_persistReportDetails = wanted;
}

}  // namespace calivue
