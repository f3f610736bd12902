// Fuzz target for the equipment list CSV reader: any bytes must read or be refused with a
// named problem on a line of the file; a list that reads must be written again as CSV that
// reads back to the same items, and that CSV must be a fixed point of reading and writing.
#include "interchange/equipmentcsv.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const EquipmentCsvRead first = parseEquipmentCsv(bytes);
    if (!first) {
        // A refusal takes nothing and names a line the file has (one past the end at most).
        if (!first.items.empty()) std::abort();
        const std::size_t lines = static_cast<std::size_t>(std::count(data, data + size, '\n'));
        if (first.problem->line > lines + 1) std::abort();
        if (describe(*first.problem).empty()) std::abort();
        return 0;
    }
    if (first.items.size() > kMaxEquipmentItems) std::abort();
    for (const EquipmentItem& item : first.items)
        if (item.id.empty() || (item.status == EquipmentStatus::Inspected && !item.reason.empty()))
            std::abort();
    const std::vector<std::uint8_t> written = encodeEquipmentCsv(first.items);
    const EquipmentCsvRead again = parseEquipmentCsv(written);
    if (!again || again.items != first.items) std::abort();
    if (encodeEquipmentCsv(again.items) != written) std::abort();
    return 0;
}
