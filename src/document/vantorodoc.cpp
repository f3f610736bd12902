// The document's own state: construction, the marker list, the modified flag,
// the title and the read-outs of the status bar.
#include "document/vantorodoc.h"

#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QFileInfo>

namespace calivue {

CVantoroDoc::CVantoroDoc(const SettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    resetMarkers();
    m_persistReportDetails = m_settings.persistReportDetails();
}

CVantoroDoc::CVantoroDoc(QObject* parent) : CVantoroDoc(SettingsStore(), parent) {}

CVantoroDoc::~CVantoroDoc() = default;

bool CVantoroDoc::isLoaded() const
{
    return m_loadSuccess && imageLoaded();
}

void CVantoroDoc::setModified(bool modified)
{
    if (m_modified == modified) return;
    m_modified = modified;
    announce(DocChange::Title);
}

void CVantoroDoc::announce(DocChanges what)
{
    if (what & kImageChanges) m_imageChanged.store(1);
    if (what & kOverlayChanges) m_overlayChanged.store(1);
    emit changed(what);
}

QString CVantoroDoc::displayName() const
{
    if (m_currentPath.isEmpty()) return {};
    return QFileInfo(m_currentPath).fileName();
}

QString CVantoroDoc::windowTitle(const QString& applicationTitle) const
{
    const QString name = displayName();
    if (name.isEmpty()) return applicationTitle;
    return name + (m_modified ? QStringLiteral("* - ") : QStringLiteral(" - ")) + applicationTitle;
}

// --- markers -------------------------------------------------------------------

// Names follow the active string table, so they are set afresh on every load.
void CVantoroDoc::resetMarkers()
{
    for (int i = 0; i < kMarkerCount; ++i) {
        Marker& m = m_markers[static_cast<std::size_t>(i)];
        m = Marker{};
        if (i < kMaxCursors)
            m.name = QStringLiteral("C%1").arg(i + 1);
        else
            m.name = uiText(i == kColdestMarker ? sid::Cold : sid::Hot);
    }
}

CursorSlots CVantoroDoc::cursorSlots() const
{
    CursorSlots result{};
    for (int i = 0; i < kMaxCursors; ++i) {
        const Marker& m = m_markers[static_cast<std::size_t>(i)];
        CursorSlot& s = result[static_cast<std::size_t>(i)];
        s.inUse = m.inUse;
        s.x = m.x;
        s.arrayRow = m.row;
        s.emissivity = m.emissivity;
    }
    return result;
}

void CVantoroDoc::refreshMarkerTemperatures()
{
    const bool loaded = imageLoaded();
    if (loaded) {
        // The extremes follow the smoothed array; keep their entries on it.
        const cBrixa::Stats& s = m_image.stats();
        m_markers[kColdestMarker].x = s.coldX;
        m_markers[kColdestMarker].row = s.coldRow;
        m_markers[kHottestMarker].x = s.hotX;
        m_markers[kHottestMarker].row = s.hotRow;
    }
    for (int i = 0; i < kMarkerCount; ++i) {
        Marker& m = m_markers[static_cast<std::size_t>(i)];
        if (!m.inUse) {
            m.x = 0;
            m.row = 0;
            m.temperature = 0;
            continue;
        }
        if (i >= kMaxCursors) m.emissivity = m_image.fields.emissivity[10];
        m.temperature = loaded ? m_image.temperatureAt(m.x, m.row, m.emissivity / 100.0f) : 0.0f;
    }
}

void CVantoroDoc::markersTouched(DocChanges also)
{
    refreshMarkerTemperatures();
    announce(DocChange::Markers | DocChange::Readings | also);
}

void CVantoroDoc::notifyMarkersChanged()
{
    markersTouched();
}

// --- status-bar read-outs ---------------------------------------------------------

void CVantoroDoc::setSelectedPoint(int x, int row)
{
    m_selectedValid = true;
    m_selectedX = x;
    m_selectedRow = row;
    announce(DocChange::Selection);
}

void CVantoroDoc::clearSelectedPoint()
{
    if (!m_selectedValid) return;
    m_selectedValid = false;
    announce(DocChange::Selection);
}

bool CVantoroDoc::selectedPoint(int& x, int& row) const
{
    x = m_selectedX;
    row = m_selectedRow;
    return m_selectedValid;
}

std::pair<bool, float> CVantoroDoc::selectedPointTemperature() const
{
    const bool inside =
        m_selectedX >= 0 && m_selectedX < kWidth && m_selectedRow >= 0 && m_selectedRow < kHeight;
    if (!m_selectedValid || !inside || !imageLoaded()) return {false, 0.0f};
    return {true, m_image.temperatureAtImageEmissivity(m_selectedX, m_selectedRow)};
}

std::pair<bool, float> CVantoroDoc::isothermDifference() const
{
    if ((m_shown.isothermFlags & 3u) != 3u || !imageLoaded()) return {false, 0.0f};
    const RecordFields& f = m_image.fields;
    const int blueMiddle = f.blueLower + (f.blueUpper - f.blueLower) / 2;
    const int redMiddle = f.redLower + (f.redUpper - f.redLower) / 2;
    return {true, m_image.rawToTemperature(redMiddle) - m_image.rawToTemperature(blueMiddle)};
}

}  // namespace calivue
