// The analysis setters called by the option pages and the display objects. Each
// stores the value in the document's display state (written back to the image's
// record fields) or its view state, announces it, and marks the document modified
// where the value is saved with the record.
#include "document/vantorodoc.h"

#include "document/unittext.h"

#include <algorithm>

namespace calivue {

namespace {

std::uint16_t rawCount(int v)
{
    return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFF));
}

}  // namespace

// Only a loaded snapshot has anything to save; state set on an empty document
// is overwritten by the next open.
DocChanges CVantoroDoc::modify()
{
    if (!isLoaded() || m_modified) return {};
    m_modified = true;
    return DocChange::Title;
}

void CVantoroDoc::setSpan(int low, int high)
{
    RecordFields& f = m_image.fields;
    const std::uint16_t lo = rawCount(low), hi = rawCount(high);
    const bool changed = f.spanLow != lo || f.spanHigh != hi;
    m_shown.spanLow = lo;
    m_shown.spanHigh = hi;
    storeShown();
    announce(changed ? DocChange::Span | modify() : DocChange::Span);
}

void CVantoroDoc::setPalette(int n)
{
    if (n < 0 || n > 7) n = 1;
    const bool changed = n != m_shown.palette || m_image.fields.palette != n;
    m_shown.palette = n;
    storeShown();
    announce(changed ? DocChange::Palette | modify() : DocChange::Palette);
}

void CVantoroDoc::setInterpolation(int f)
{
    m_interpolation = std::clamp(f, 1, kMaxInterpolation);
    announce(DocChange::Interpolation);
}

void CVantoroDoc::setZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, 4);
    if (zoom == m_zoom) {
        announce(DocChange::Zoom);
        return;
    }
    // The new window keeps the centre of the current one and is then pushed back
    // inside the picture (placeViewRect does the pushing).
    const int w = kWidth / zoom, h = kHeight / zoom;
    const QRect& r = m_viewRect;
    const int left = (r.left() + r.right()) / 2 - (w - 1) / 2;
    const int top = (r.top() + r.bottom()) / 2 - (h - 1) / 2;
    m_zoom = zoom;
    placeViewRect(QRect(left, top, w, h));
    announce(DocChange::Zoom | DocChange::ZoomWindow |
             (areaSelectOn() ? DocChange::Readings : DocChanges{}));
}

void CVantoroDoc::setViewRect(const QRect& rect)
{
    placeViewRect(rect);
    // With area select on, the box's statistics follow the window.
    announce(areaSelectOn() ? DocChange::ZoomWindow | DocChange::Readings
                            : DocChanges(DocChange::ZoomWindow));
}

void CVantoroDoc::placeViewRect(const QRect& rect)
{
    const int w = std::clamp(rect.width(), 1, kWidth);
    const int h = std::clamp(rect.height(), 1, kHeight);
    const int left = std::clamp(rect.left(), 0, kWidth - w);
    const int top = std::clamp(rect.top(), 0, kHeight - h);
    m_viewRect = QRect(left, top, w, h);
    updateAreaStatistics();
}

void CVantoroDoc::updateAreaStatistics()
{
    if (!imageLoaded()) return;
    m_image.areaStatisticsInView(kWidth, kHeight, m_viewRect.left(), m_viewRect.top(), m_zoom,
                                 m_areaMode);
}

void CVantoroDoc::setBlend(int mode)
{
    const auto value = static_cast<std::uint8_t>(std::clamp(mode, 0, 0xFF));
    const bool changed = m_shown.blendMode != value;
    m_shown.blendMode = value;
    storeShown();
    announce(changed ? DocChange::Blend | modify() : DocChange::Blend);
}

// The orientation is saved with the record (byte 95), so turning the picture is
// a change the user can lose and is marked as one.
void CVantoroDoc::setOrientation(int o)
{
    if (o < 0 || o > 3) return;
    const bool changed = m_shown.orientation != o;
    m_shown.orientation = o;
    storeShown();
    // A quarter turn changes the picture's shape, and with it the viewers' arrangement.
    const DocChanges what = DocChange::Orientation | DocChange::Layout;
    announce(changed ? what | modify() : what);
}

void CVantoroDoc::setIsotherms(unsigned isoFlags, int blueLower, int blueUpper, int redLower,
                               int redUpper)
{
    RecordFields& f = m_image.fields;
    isoFlags &= 3u;
    const std::uint16_t bl = rawCount(blueLower), bu = rawCount(blueUpper);
    const std::uint16_t rl = rawCount(redLower), ru = rawCount(redUpper);
    const bool changed = isoFlags != m_shown.isothermFlags || f.blueLower != bl ||
                         f.blueUpper != bu || f.redLower != rl || f.redUpper != ru;
    // The bands' bounds are record fields outside the display state.
    f.blueLower = bl;
    f.blueUpper = bu;
    f.redLower = rl;
    f.redUpper = ru;
    m_shown.isothermFlags = isoFlags;
    storeShown();
    announce(changed ? DocChange::Isotherms | modify() : DocChange::Isotherms);
}

void CVantoroDoc::setAreaMode(int m)
{
    if (m < 0 || m > 2 || m == m_areaMode) return;
    m_areaMode = m;
    m_image.setAreaMode(m);
    updateAreaStatistics();
    if (areaSelectOn()) {
        m_shown.areaMode = m;
        storeShown();
    }
    announce(DocChange::Area | DocChange::Readings | modify());
}

void CVantoroDoc::setCursorsShown(bool shown)
{
    const std::uint8_t b = m_image.fields.flagsB;
    const bool changed =
        shown != m_shown.cursorsShown || ((b & flags::B_CursorsHidden) == 0) != shown;
    m_shown.cursorsShown = shown;
    storeShown();
    for (int i = 0; i < kMaxCursors; ++i) m_markers[static_cast<std::size_t>(i)].shown = shown;
    markersTouched(changed ? modify() : DocChanges{});
}

void CVantoroDoc::setProfilesShown(bool shown)
{
    m_shown.profiles = shown;
    storeShown();
    announce(DocChange::Profiles);
}

void CVantoroDoc::setUnit(TempUnit unit)
{
    // A value beyond the named units is taken as the last, Kelvin; below them it is ignored.
    const int number = tempUnitNumber(unit);
    if (number < 0) return;
    unit = tempUnitFrom(number).value_or(TempUnit::Kelvin);
    const bool changed = m_image.tempUnit() != unit;
    m_image.setUnit(unit);
    m_image.setUnitText(unitTextOf(unit));
    refreshMarkerTemperatures();
    // Readings in the unit are on every page.
    const DocChanges what = DocChange::Unit | DocChange::Controls;
    announce(changed ? what | modify() : what);
}

void CVantoroDoc::setProfileRow(int row)
{
    m_profiles.row = std::clamp(row, 0, kHeight - 1);
    announce(DocChange::Profiles);
}

void CVantoroDoc::setProfileColumn(int column)
{
    m_profiles.column = std::clamp(column, 0, kWidth - 1);
    announce(DocChange::Profiles);
}

bool CVantoroDoc::nudgeAlignment(bool horizontal, int direction)
{
    if (!imageLoaded()) return false;
    const bool moved = m_image.nudgeAlignment(horizontal, direction);
    if (!moved) return false;
    m_shown.alignX = m_image.fields.alignX;
    m_shown.alignY = m_image.fields.alignY;
    announce(DocChange::Alignment | modify());
    return true;
}

void CVantoroDoc::resetAlignment()
{
    if (!imageLoaded()) return;
    const RecordFields& f = m_image.fields;
    const std::int16_t x = f.alignX, y = f.alignY;
    m_image.resetAlignment();
    if (f.alignX == x && f.alignY == y) return;
    m_shown.alignX = f.alignX;
    m_shown.alignY = f.alignY;
    announce(DocChange::Alignment | modify());
}

}  // namespace calivue
