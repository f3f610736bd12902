// The equipment data in the project JSON of `project-info` and `project-write`: the project's
// `equipment` list and `previous_project`, each record's `equipment_id`.
#pragma once

#include "core/equipment.h"

#include <nlohmann/json.hpp>

#include <string>

namespace calivue::cli {

class JsonRefusal;

// Items as {id, location, description, rated_load, status, reason}; rated_load and reason
// null when empty.
nlohmann::ordered_json equipmentToJson(const std::vector<EquipmentItem>& items);
// A text, null when empty (no item, no previous project).
nlohmann::ordered_json optionalText(const std::u16string& text);

// The inverse of the above. Refused, with the refusal starting with the key (`where` and the key
// under it), for a wrong type, an unknown or missing key, an unknown status, an empty or
// repeated id, a reason for an inspected item; the list is then empty.
std::vector<EquipmentItem> equipmentFromJson(JsonRefusal& r, const nlohmann::json& list,
                                             const std::string& where);
// A string or null; null and "" give an empty text.
std::u16string optionalTextFromJson(JsonRefusal& r, const nlohmann::json& j,
                                    const std::string& where);

}  // namespace calivue::cli
