// The rows of the report's equipment appendix: every item of the list in list order with what
// the survey found for it, and the counts under the table. Kept as data, so the page that
// prints it words it in the report's language; englishText gives the English words.
#pragma once

#include "core/equipment.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace calivue {

// What the report holds for one inspection, by its position in the project.
struct InspectionOnPage {
    int page = 0;            // the report page it prints on, from 1
    bool exception = false;  // a class, or a priority above 0
    bool measured = true;    // it has a temperature difference (its snapshot read)
};

enum class EquipmentOutcome {
    Exception,     // an inspection of the item found an exception
    NoException,   // inspected, nothing found
    NotInspected,  // not inspected; the reason may be empty
};

struct EquipmentAppendixRow {
    const EquipmentItem* item = nullptr;  // into the list given
    EquipmentOutcome outcome = EquipmentOutcome::NotInspected;
    std::vector<int> pages;  // of the item's inspections with an exception, in project order
    // False when inspections name the item and none of them has a measured difference: its
    // "no exception" then says nothing about a repair.
    bool measured = true;
};

struct EquipmentCounts {
    std::size_t items = 0;
    std::size_t inspected = 0;     // an inspection names the item, or its status says inspected
    std::size_t exceptions = 0;    // items with an exception
    std::size_t notInspected = 0;  // items - inspected
    bool operator==(const EquipmentCounts&) const = default;
};

struct EquipmentAppendix {
    std::vector<EquipmentAppendixRow> rows;
    EquipmentCounts counts;
};

// `inspections` by position like equipment.recordItems (a missing one counts as no exception
// on no page). An inspection naming an item makes it inspected whatever its status says.
EquipmentAppendix equipmentAppendix(const ProjectEquipment& equipment,
                                    std::span<const InspectionOnPage> inspections);

// "exception, see page 4", "exception, see pages 4, 7", "no exception",
// "not inspected: inaccessible" ("not inspected" without a reason).
std::u16string englishText(const EquipmentAppendixRow& row);
// "12 items, 9 inspected, 3 with exceptions, 3 not inspected".
std::u16string englishText(const EquipmentCounts& counts);

}  // namespace calivue
