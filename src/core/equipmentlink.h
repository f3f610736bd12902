// What linking an inspection to an equipment item does to its record, and the helpers the
// report writer's equipment editor needs without Qt: the record's empty location, equipment
// and rated load texts are taken from the item; an item typed on the details page is made from
// the record; a new item gets an identifier the list does not hold yet; renamed and removed
// items carry or drop the links that name them.
#pragma once

#include "core/equipment.h"
#include "core/printrules.h"
#include "core/reportdata.h"

#include <map>
#include <string>
#include <vector>

namespace calivue {

// Whether the record's `rated` text is a rated load in the template (Maintenance and
// Mechanical); in Buildings and Custom it is the material's µ value or the user's own field,
// which an item's rated load must not fill.
bool ratedIsLoad(ReportTemplate reportTemplate);

// The record texts a link filled.
struct ItemFill {
    bool location = false;
    bool equipment = false;
    bool rated = false;
    bool any() const { return location || equipment || rated; }
    bool operator==(const ItemFill&) const = default;
};

// Fills the record's location from the item's location, its equipment text from the item's
// description (the identifier when the item has none) and, when `ratedLoad`, its rated text
// from the item's rated load, each only where the record's text is empty or blanks only and
// the item has a text to give. Never overwrites what the user typed.
ItemFill fillFromItem(cInspectionRecord& record, const EquipmentItem& item, bool ratedLoad);

// A new item named `id` for an identifier typed on an inspection: its location, description
// and (when `ratedLoad`) rated load are the record's, so the list learns what the user typed;
// not inspected, no reason (the link makes it inspected in the report).
EquipmentItem itemFromRecord(std::u16string id, const cInspectionRecord& record, bool ratedLoad);

// An identifier for an item added to the list: the last item's with its trailing number
// counted up ("MCC-07" → "MCC-08", "T9" → "T10"), skipping identifiers in use; else the
// smallest positive number not in use ("1", "2", ...).
std::u16string nextEquipmentId(const std::vector<EquipmentItem>& items);

// The links after the list became `items`: `fate` maps an identifier of the list before to its
// identifier now (itself when kept, another when renamed, empty when the item was removed), so
// a link follows its item even where a new item took the old identifier. A link to an
// identifier `fate` does not name stays when `items` holds it; any link left naming no item is
// removed. Returns how many links were removed.
std::size_t relinkEquipment(std::vector<std::u16string>& recordItems,
                            const std::vector<EquipmentItem>& items,
                            const std::map<std::u16string, std::u16string>& fate);

}  // namespace calivue
