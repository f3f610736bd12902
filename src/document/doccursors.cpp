// Editing the measurement cursors of the marker list: placing and removing them
// on the picture, moving them, and their emissivities.
#include "document/vantorodoc.h"

namespace calivue {

namespace {

bool insidePicture(int x, int row)
{
    return x >= 0 && x < kWidth && row >= 0 && row < kHeight;
}

bool isCursorIndex(int index)
{
    return index >= 0 && index < kMaxCursors;
}

}  // namespace

CVantoroDoc::CursorToggle CVantoroDoc::toggleCursorAt(int x, int row)
{
    if (!isLoaded() || !insidePicture(x, row)) return CursorToggle::Refused;

    // A click on hidden cursors first brings them back, as the user would expect
    // to see what the click just did.
    if (!m_shown.cursorsShown) setCursorsShown(true);

    for (int i = 0; i < kMaxCursors; ++i) {
        Marker& m = m_markers[static_cast<std::size_t>(i)];
        if (m.inUse && m.x == x && m.row == row) {
            m.inUse = false;
            m.shown = false;
            m.emissivity = 100;
            markersTouched(modify());
            return CursorToggle::Removed;
        }
    }
    for (int i = 0; i < kMaxCursors; ++i) {
        Marker& m = m_markers[static_cast<std::size_t>(i)];
        if (m.inUse) continue;
        m.inUse = true;
        m.shown = true;
        m.x = x;
        m.row = row;
        m.emissivity = m_image.fields.emissivity[10];
        markersTouched(modify());
        return CursorToggle::Added;
    }
    return CursorToggle::Full;
}

bool CVantoroDoc::moveCursor(int index, int x, int row)
{
    if (!isCursorIndex(index) || !insidePicture(x, row)) return false;
    Marker& m = m_markers[static_cast<std::size_t>(index)];
    if (!m.inUse) return false;
    const bool moved = m.x != x || m.row != row;
    m.x = x;
    m.row = row;
    markersTouched(moved ? modify() : DocChanges{});
    return true;
}

void CVantoroDoc::removeCursor(int index)
{
    if (!isCursorIndex(index)) return;
    Marker& m = m_markers[static_cast<std::size_t>(index)];
    const bool wasInUse = m.inUse;
    m.inUse = false;
    m.shown = false;
    m.emissivity = 100;
    markersTouched(wasInUse ? modify() : DocChanges{});
}

bool CVantoroDoc::setCursorEmissivity(int index, int hundredths)
{
    if (!isCursorIndex(index) || hundredths < 1 || hundredths > 100) return false;
    Marker& m = m_markers[static_cast<std::size_t>(index)];
    const bool changed = m.emissivity != hundredths;
    m.emissivity = static_cast<std::uint8_t>(hundredths);
    markersTouched(changed && m.inUse ? modify() : DocChanges{});
    return true;
}

}  // namespace calivue
