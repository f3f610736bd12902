// The analysis setters called by the option pages and the display objects. Each
// stores the value in the document and in the image's record fields, announces
// it, and marks the document modified where the value is saved with the record.
#include "vantorodoc.h"

#include "unittext.h"

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
    f.spanLow = lo;
    f.spanHigh = hi;
    announce(changed ? DocChange::Span | modify() : DocChange::Span);
}

void CVantoroDoc::setPalette(int n)
{
    if (n < 0 || n > 7) n = 1;
    const bool changed = n != m_palette || m_image.fields.palette != n;
    m_palette = n;
    m_image.setPalette(n);
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
             (m_areaSelect ? DocChange::Readings : DocChanges{}));
}

void CVantoroDoc::setViewRect(const QRect& rect)
{
    placeViewRect(rect);
    // With area select on, the box's statistics follow the window.
    announce(m_areaSelect ? DocChange::ZoomWindow | DocChange::Readings
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
    const bool changed = m_image.fields.blend != value;
    m_image.fields.blend = value;
    announce(changed ? DocChange::Blend | modify() : DocChange::Blend);
}

// The orientation is saved with the record (byte 95), so turning the picture is
// a change the user can lose and is marked as one.
void CVantoroDoc::setOrientation(int o)
{
    if (o < 0 || o > 3) return;
    const bool changed = m_image.fields.orientation != o;
    m_image.fields.orientation = static_cast<std::uint8_t>(o);
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
    const bool changed = isoFlags != m_isothermFlags || f.blueLower != bl || f.blueUpper != bu ||
                         f.redLower != rl || f.redUpper != ru;
    m_isothermFlags = isoFlags;
    f.blueLower = bl;
    f.blueUpper = bu;
    f.redLower = rl;
    f.redUpper = ru;
    // The record's bits follow the flags, so a save keeps what is on screen.
    f.flagsA =
        static_cast<std::uint8_t>(f.flagsA & ~(flags::A_BlueIsotherm | flags::A_RedIsotherm));
    if (isoFlags & 1u) f.flagsA |= flags::A_BlueIsotherm;
    if (isoFlags & 2u) f.flagsA |= flags::A_RedIsotherm;
    announce(changed ? DocChange::Isotherms | modify() : DocChange::Isotherms);
}

void CVantoroDoc::applyAreaFlags()
{
    std::uint8_t& a = m_image.fields.flagsA;
    a = static_cast<std::uint8_t>(a & ~(flags::A_AreaSmall | flags::A_AreaMedium));
    if (!m_areaSelect) return;
    if (m_areaMode == 0)
        a |= flags::A_AreaSmall;
    else if (m_areaMode == 1)
        a |= flags::A_AreaMedium;
    else
        a |= flags::A_AreaSmall | flags::A_AreaMedium;
}

void CVantoroDoc::setAreaMode(int m)
{
    if (m < 0 || m > 2 || m == m_areaMode) return;
    m_areaMode = m;
    m_image.setAreaMode(m);
    updateAreaStatistics();
    applyAreaFlags();
    announce(DocChange::Area | DocChange::Readings | modify());
}

void CVantoroDoc::setCursorsShown(bool shown)
{
    std::uint8_t& b = m_image.fields.flagsB;
    const bool changed = shown != m_cursorsShown || ((b & flags::B_CursorsHidden) == 0) != shown;
    m_cursorsShown = shown;
    for (int i = 0; i < kMaxCursors; ++i) m_markers[static_cast<std::size_t>(i)].shown = shown;
    if (shown)
        b = static_cast<std::uint8_t>(b & ~flags::B_CursorsHidden);
    else
        b |= flags::B_CursorsHidden;
    markersTouched(changed ? modify() : DocChanges{});
}

void CVantoroDoc::setProfilesShown(bool shown)
{
    m_profilesShown = shown;
    announce(DocChange::Profiles);
}

void CVantoroDoc::setUnit(int unit)
{
    if (unit < 0) return;
    unit = std::min(unit, 2);
    const bool changed = m_image.fields.unit != unit;
    m_image.setUnit(unit);
    m_image.setUnitText(unitTextFor(unit));
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
    announce(DocChange::Alignment | modify());
}

}  // namespace calivue
