// How a loaded snapshot record is shown: the one place that turns a record's
// stored display settings into the values every picture of it is drawn with
// (the analysis window, the command-line tool, report previews and PDF pages).
#pragma once

#include "core/brixa.h"

#include <cstdint>

namespace calivue {

struct DisplayState {
    int spanLow = 0, spanHigh = 0;  // visible span, raw counts, after the defaults
    int palette = 1;                // 0–7
    unsigned isothermFlags = 0;     // bit 0 blue band, bit 1 red band
    int blendMode = 0;              // the record's blend byte
    int alignX = 0, alignY = 0;     // visual-picture offsets
    int orientation = 0;            // 0–3 quarter turns
    int areaMode = -1;              // −1 off, else 0 small, 1 medium, 2 large
    bool cursorsShown = true;       // measurement cursors drawn
    bool coldestShown = false;
    bool hottestShown = false;
    bool cursorTemps = false;  // readings drawn beside the cursors
    bool profiles = false;     // both profile lines

    bool operator==(const DisplayState&) const = default;
};

// The visible span: the record's, else its fallback span when the record's is
// 0/0, else the automatic span of the image (which needs the built arrays).
void defaultSpanOf(const cBrixa& img, int& low, int& high);

// Palette numbers above 7 are not palettes: they show as Ironbow (1).
int displayPaletteOf(int storedPalette);

// Bit 0 blue, bit 1 red, from display flags A.
unsigned isothermFlagsOf(std::uint8_t flagsA);

// Everything above from a loaded image; the image is not changed.
DisplayState displayStateOf(const cBrixa& img);

// The inverse of displayStateOf: the state's values into the record fields they are
// read from (span, palette through setPalette, blend, offsets, orientation and the
// display flag bits), so that displayStateOf(img) gives the state back. Writing the
// state read from a record changes none of its bytes (a lone profile bit stays); bits
// of the flag bytes that the state does not describe are kept.
void writeDisplayState(const DisplayState& state, cBrixa& img);

// What opening a snapshot writes back into its record, so that a save keeps what
// was shown: the display palette (above 7 becomes 1) and the visible span after
// its defaults. Returns the display state of the image.
DisplayState adoptDisplayState(cBrixa& img);

}  // namespace calivue
