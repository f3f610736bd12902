#include "core/cursorlist.h"

#include <algorithm>

namespace calivue {

CursorSlots cursorSlotsFromRecord(const RecordFields& fields)
{
    CursorSlots slots{};
    const int count = std::min<int>(fields.cursorCount, kMaxCursors);
    for (int i = 0; i < count; ++i) {
        CursorSlot& s = slots[static_cast<std::size_t>(i)];
        s.inUse = true;
        s.x = fields.cursorX[static_cast<std::size_t>(i)];
        s.arrayRow = (kHeight - 1) - static_cast<int>(fields.cursorY[static_cast<std::size_t>(i)]);
        s.emissivity = fields.emissivity[static_cast<std::size_t>(i)];
    }
    return slots;
}

void applyCursorSlots(RecordFields& fields, const CursorSlots& slots)
{
    fields.cursorCount = 0;
    fields.cursorX.fill(0);
    fields.cursorY.fill(0);
    std::fill_n(fields.emissivity.begin(), kMaxCursors, std::uint8_t{100});
    std::size_t n = 0;
    for (const CursorSlot& s : slots) {
        if (!s.inUse) continue;
        // Positions are stored as 16-bit values; the round trip of a loaded record
        // (y = 239 − (239 − y)) gives back the stored value bit for bit.
        fields.cursorX[n] = static_cast<std::uint16_t>(s.x);
        fields.cursorY[n] = static_cast<std::uint16_t>((kHeight - 1) - s.arrayRow);
        fields.emissivity[n] = s.emissivity;
        ++n;
    }
    fields.cursorCount = static_cast<std::uint8_t>(n);
}

}  // namespace calivue
