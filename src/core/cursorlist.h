// The document's list of measurement cursors: ten slots, filled from the record's
// cursors after a load and folded back into the record before a save.
#pragma once

#include "core/brixa.h"
#include "core/constants.h"

#include <array>
#include <cstdint>

namespace calivue {

// One measurement cursor as the document holds it: the position is an image-array
// row (239 − picture y), not the record's y counted from the top.
struct CursorSlot {
    bool inUse = false;
    int x = 0;
    int arrayRow = 0;
    std::uint8_t emissivity = 100;  // hundredths

    bool operator==(const CursorSlot&) const = default;
};

using CursorSlots = std::array<CursorSlot, kMaxCursors>;

// Slots 0 … count−1 in use, in record order; a count above ten is limited to ten.
CursorSlots cursorSlotsFromRecord(const RecordFields& fields);

// Rebuilds the record's cursors from the slots: count, positions and the ten
// cursor emissivities are cleared to 0 / 100, then every slot in use is appended
// in slot order. The image emissivity (entry 10) is left alone.
void applyCursorSlots(RecordFields& fields, const CursorSlots& slots);

}  // namespace calivue
