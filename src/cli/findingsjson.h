// The findings data in the project JSON of `project-info` and `project-write`: the project's
// `findings_settings` object and each record's `reference`, `ambient` and `priority_manual`.
#pragma once

#include "core/findings.h"

#include <nlohmann/json.hpp>

#include <string>

namespace calivue::cli {

class JsonRefusal;

nlohmann::ordered_json findingsSettingsToJson(const FindingsSettings& s);

// Adds the three keys to a record object.
void addRecordFindings(nlohmann::ordered_json& record, const RecordFindings& r);

// Whether a record key is one of the findings keys.
bool isRecordFindingsKey(const std::string& key);

// The inverse of the above; absent keys keep the defaults. Refused, with the refusal starting
// with the key (`where` and the key under it), for a wrong type, an unknown key or criteria name,
// a value settingsProblem refuses.
FindingsSettings findingsSettingsFromJson(JsonRefusal& r, const nlohmann::json& j,
                                          const std::string& where);
// A record's findings keys over `defaults` (the record's defaultRecordFindings): an absent
// key keeps its default.
RecordFindings recordFindingsFromJson(JsonRefusal& r, const nlohmann::json& record,
                                      const std::string& where, RecordFindings defaults);

}  // namespace calivue::cli
