#include "core/displaystate.h"

#include <algorithm>

namespace calivue {

void defaultSpanOf(const cBrixa& img, int& low, int& high)
{
    const RecordFields& f = img.fields;
    if (f.spanLow != 0 || f.spanHigh != 0) {
        low = f.spanLow;
        high = f.spanHigh;
        return;
    }
    low = f.fallbackLow;
    high = f.fallbackHigh;
    if (low == 0 && high == 0) img.spanRange(low, high);
    low = std::clamp(low, 0, 0xFFFF);
    high = std::clamp(high, 0, 0xFFFF);
}

int displayPaletteOf(int storedPalette)
{
    return storedPalette < 0 || storedPalette > 7 ? 1 : storedPalette;
}

unsigned isothermFlagsOf(std::uint8_t flagsA)
{
    return ((flagsA & flags::A_BlueIsotherm) ? 1u : 0u) |
           ((flagsA & flags::A_RedIsotherm) ? 2u : 0u);
}

DisplayState displayStateOf(const cBrixa& img)
{
    const RecordFields& f = img.fields;
    DisplayState s;
    defaultSpanOf(img, s.spanLow, s.spanHigh);
    s.palette = displayPaletteOf(f.palette);
    s.isothermFlags = isothermFlagsOf(f.flagsA);
    s.blendMode = f.blend;
    s.alignX = f.alignX;
    s.alignY = f.alignY;
    s.orientation = f.orientation;
    const std::uint8_t area = f.flagsA & (flags::A_AreaSmall | flags::A_AreaMedium);
    s.areaMode = area == 0                     ? -1
                 : area == flags::A_AreaSmall  ? 0
                 : area == flags::A_AreaMedium ? 1
                                               : 2;
    s.cursorsShown = (f.flagsB & flags::B_CursorsHidden) == 0;
    s.coldestShown = (f.flagsA & flags::A_Coldest) != 0;
    s.hottestShown = (f.flagsA & flags::A_Hottest) != 0;
    s.cursorTemps = (f.flagsB & flags::B_CursorTemps) != 0;
    s.profiles = (f.flagsA & flags::A_Profiles) == flags::A_Profiles;
    return s;
}

namespace {

void setBits(std::uint8_t& byte, std::uint8_t bits, bool on)
{
    byte = static_cast<std::uint8_t>(on ? (byte | bits) : (byte & ~bits));
}

}  // namespace

void writeDisplayState(const DisplayState& s, cBrixa& img)
{
    RecordFields& f = img.fields;
    f.spanLow = static_cast<std::uint16_t>(std::clamp(s.spanLow, 0, 0xFFFF));
    f.spanHigh = static_cast<std::uint16_t>(std::clamp(s.spanHigh, 0, 0xFFFF));
    img.setPalette(displayPaletteOf(s.palette));
    f.blend = static_cast<std::uint8_t>(std::clamp(s.blendMode, 0, 0xFF));
    f.alignX = static_cast<std::int16_t>(s.alignX);
    f.alignY = static_cast<std::int16_t>(s.alignY);
    f.orientation = static_cast<std::uint8_t>(s.orientation);
    setBits(f.flagsA, flags::A_BlueIsotherm, (s.isothermFlags & 1u) != 0);
    setBits(f.flagsA, flags::A_RedIsotherm, (s.isothermFlags & 2u) != 0);
    setBits(f.flagsA, flags::A_AreaSmall, s.areaMode == 0 || s.areaMode == 2);
    setBits(f.flagsA, flags::A_AreaMedium, s.areaMode == 1 || s.areaMode == 2);
    setBits(f.flagsA, flags::A_Coldest, s.coldestShown);
    setBits(f.flagsA, flags::A_Hottest, s.hottestShown);
    // A record with one profile bit shows none; it keeps that bit until profiles change.
    if (s.profiles != ((f.flagsA & flags::A_Profiles) == flags::A_Profiles))
        setBits(f.flagsA, flags::A_Profiles, s.profiles);
    setBits(f.flagsB, flags::B_CursorsHidden, !s.cursorsShown);
    setBits(f.flagsB, flags::B_CursorTemps, s.cursorTemps);
}

DisplayState adoptDisplayState(cBrixa& img)
{
    const DisplayState s = displayStateOf(img);
    img.setPalette(s.palette);
    img.fields.spanLow = static_cast<std::uint16_t>(s.spanLow);
    img.fields.spanHigh = static_cast<std::uint16_t>(s.spanHigh);
    return s;
}

}  // namespace calivue
