// The equipment list of a survey: the items walked, which of them were inspected and why the
// others were not, which inspection names which item, and the project file of the previous
// survey of the same equipment.
#pragma once

#include "core/error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calivue {

enum class EquipmentStatus : std::uint8_t { Inspected = 0, NotInspected = 1 };

// The reasons offered for an item not inspected; any other text is a reason too.
inline constexpr std::u16string_view kReasonInaccessible = u"inaccessible";
inline constexpr std::u16string_view kReasonDeEnergised = u"de-energised";
inline constexpr std::u16string_view kReasonNotInService = u"not in service";
inline constexpr std::u16string_view kReasonNotFound = u"not found";

// The most items a list may hold; far above any survey.
inline constexpr std::size_t kMaxEquipmentItems = 20000;

struct EquipmentItem {
    std::u16string id;  // unique in the list, never empty
    std::u16string location;
    std::u16string description;
    std::u16string ratedLoad;  // empty when not given
    EquipmentStatus status = EquipmentStatus::NotInspected;
    std::u16string reason;  // only for an item not inspected; may be empty

    bool operator==(const EquipmentItem&) const = default;
};

// A project's equipment data. `recordItems` is by position in the project's inspections: the
// identifier of the item each names, empty for none.
struct ProjectEquipment {
    std::vector<EquipmentItem> items;
    std::vector<std::u16string> recordItems;
    std::u16string previousProject;  // path of the previous survey's project, empty for none

    // The item with the identifier, or nullptr.
    const EquipmentItem* find(std::u16string_view id) const;
    // No items, no inspection naming one and no previous project: the project stores nothing.
    bool isDefault() const;

    bool operator==(const ProjectEquipment&) const = default;
};

enum class EquipmentProblemKind {
    EmptyId,             // an item without identifier
    DuplicateId,         // two items with one identifier
    ReasonForInspected,  // an inspected item with a reason not to inspect it
    UnknownItem,         // an inspection names an identifier the list does not hold
    TooManyItems,        // more than kMaxEquipmentItems
};

struct EquipmentProblem {
    EquipmentProblemKind kind;
    std::size_t index = 0;  // the item (or, for UnknownItem, the inspection), from 0
    bool operator==(const EquipmentProblem&) const = default;
};

// The first problem the data have, items before inspections; nullopt when sound.
std::optional<EquipmentProblem> equipmentProblem(const ProjectEquipment& equipment);
// One short English line, e.g. "item 3: identifier given twice".
std::string describe(const EquipmentProblem& problem);

// Status words as lists and the command line write them: "inspected", "not inspected".
std::u16string_view statusText(EquipmentStatus status);
// Either word, ASCII case ignored; nullopt for any other text.
std::optional<EquipmentStatus> parseStatus(std::u16string_view text);

}  // namespace calivue
