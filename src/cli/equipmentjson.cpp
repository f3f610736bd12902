#include "cli/equipmentjson.h"

#include "cli/jsonread.h"

#include "core/textcodec.h"

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

std::u16string optionalTextFromJson(JsonRefusal& r, const Json& j, const std::string& where)
{
    if (j.is_null()) return {};
    return textAt(r, j, where);
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

std::vector<EquipmentItem> equipmentFromJson(JsonRefusal& r, const Json& list,
                                             const std::string& where)
{
    if (!list.is_array()) return r.fail(where, "expected an array"), std::vector<EquipmentItem>();
    ProjectEquipment e;
    for (std::size_t i = 0; i < list.size() && !r.refused(); ++i) {
        const std::string at = where + "[" + std::to_string(i) + "]";
        const Json& j = list[i];
        if (!onlyKeys(r, j, {"id", "location", "description", "rated_load", "status", "reason"},
                      at))
            break;
        if (!j.contains("id")) {
            r.fail(at + ".id", "missing");
            break;
        }
        EquipmentItem& item = e.items.emplace_back();
        item.id = textAt(r, j["id"], at + ".id");
        if (j.contains("location")) item.location = textAt(r, j["location"], at + ".location");
        if (j.contains("description"))
            item.description = textAt(r, j["description"], at + ".description");
        if (j.contains("rated_load"))
            item.ratedLoad = optionalTextFromJson(r, j["rated_load"], at + ".rated_load");
        if (j.contains("status") && !r.refused()) {
            const std::optional<EquipmentStatus> s =
                parseStatus(textAt(r, j["status"], at + ".status"));
            if (!s)
                r.fail(at + ".status", "expected \"inspected\" or \"not inspected\"");
            else
                item.status = *s;
        }
        if (j.contains("reason"))
            item.reason = optionalTextFromJson(r, j["reason"], at + ".reason");
    }
    if (r.refused()) return {};
    if (const std::optional<EquipmentProblem> p = equipmentProblem(e)) {
        const std::string at = where + "[" + std::to_string(p->index) + "]";
        switch (p->kind) {
            case EquipmentProblemKind::EmptyId:
                r.fail(at + ".id", "empty");
                break;
            case EquipmentProblemKind::DuplicateId:
                r.fail(at + ".id", "given twice");
                break;
            case EquipmentProblemKind::ReasonForInspected:
                r.fail(at + ".reason", "given for an inspected item");
                break;
            default:
                r.fail(where, describe(*p));
                break;
        }
        return {};
    }
    return std::move(e.items);
}

}  // namespace calivue::cli
