#include "equipmentjson.h"

#include "jsonread.h"

#include "core/textcodec.h"

#include <stdexcept>

namespace calivue::cli {

namespace {

using OJson = nlohmann::ordered_json;
using Json = nlohmann::json;

}  // namespace

OJson optionalText(const std::u16string& text)
{
    if (text.empty()) return nullptr;
    return utf16ToUtf8(text);
}

std::u16string optionalTextFromJson(const Json& j, const std::string& where)
{
    if (j.is_null()) return {};
    return textAt(j, where);
}

OJson equipmentToJson(const std::vector<EquipmentItem>& items)
{
    OJson list = OJson::array();
    for (const EquipmentItem& item : items)
        list.push_back({{"id", utf16ToUtf8(item.id)},
                        {"location", utf16ToUtf8(item.location)},
                        {"description", utf16ToUtf8(item.description)},
                        {"rated_load", optionalText(item.ratedLoad)},
                        {"status", utf16ToUtf8(statusText(item.status))},
                        {"reason", optionalText(item.reason)}});
    return list;
}

std::vector<EquipmentItem> equipmentFromJson(const Json& list, const std::string& where)
{
    if (!list.is_array()) fail(where, "expected an array");
    ProjectEquipment e;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = where + "[" + std::to_string(i) + "]";
        const Json& j = list[i];
        if (!j.is_object()) fail(at, "expected an object");
        for (auto it = j.begin(); it != j.end(); ++it)
            if (it.key() != "id" && it.key() != "location" && it.key() != "description" &&
                it.key() != "rated_load" && it.key() != "status" && it.key() != "reason")
                fail(at + "." + it.key(), "unknown key");
        if (!j.contains("id")) fail(at + ".id", "missing");
        EquipmentItem& item = e.items.emplace_back();
        item.id = textAt(j["id"], at + ".id");
        if (j.contains("location")) item.location = textAt(j["location"], at + ".location");
        if (j.contains("description"))
            item.description = textAt(j["description"], at + ".description");
        if (j.contains("rated_load"))
            item.ratedLoad = optionalTextFromJson(j["rated_load"], at + ".rated_load");
        if (j.contains("status")) {
            const std::optional<EquipmentStatus> s =
                parseStatus(textAt(j["status"], at + ".status"));
            if (!s) fail(at + ".status", "expected \"inspected\" or \"not inspected\"");
            item.status = *s;
        }
        if (j.contains("reason")) item.reason = optionalTextFromJson(j["reason"], at + ".reason");
    }
    if (const std::optional<EquipmentProblem> p = equipmentProblem(e)) {
        const std::string at = where + "[" + std::to_string(p->index) + "]";
        switch (p->kind) {
            case EquipmentProblemKind::EmptyId:
                fail(at + ".id", "empty");
            case EquipmentProblemKind::DuplicateId:
                fail(at + ".id", "given twice");
            case EquipmentProblemKind::ReasonForInspected:
                fail(at + ".reason", "given for an inspected item");
            default:
                fail(where, describe(*p));
        }
    }
    return std::move(e.items);
}

}  // namespace calivue::cli
