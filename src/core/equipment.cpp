#include "core/equipment.h"

#include <set>

namespace calivue {

const EquipmentItem* ProjectEquipment::find(std::u16string_view id) const
{
    for (const EquipmentItem& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

bool ProjectEquipment::isDefault() const
{
    for (const std::u16string& id : recordItems)
        if (!id.empty()) return false;
    return items.empty() && previousProject.empty();
}

std::optional<EquipmentProblem> equipmentProblem(const ProjectEquipment& e)
{
    if (e.items.size() > kMaxEquipmentItems)
        return EquipmentProblem{EquipmentProblemKind::TooManyItems, kMaxEquipmentItems};
    std::set<std::u16string_view> ids;
    for (std::size_t i = 0; i < e.items.size(); ++i) {
        const EquipmentItem& item = e.items[i];
        if (item.id.empty()) return EquipmentProblem{EquipmentProblemKind::EmptyId, i};
        if (!ids.insert(item.id).second)
            return EquipmentProblem{EquipmentProblemKind::DuplicateId, i};
        if (item.status == EquipmentStatus::Inspected && !item.reason.empty())
            return EquipmentProblem{EquipmentProblemKind::ReasonForInspected, i};
    }
    for (std::size_t i = 0; i < e.recordItems.size(); ++i)
        if (!e.recordItems[i].empty() && !ids.contains(e.recordItems[i]))
            return EquipmentProblem{EquipmentProblemKind::UnknownItem, i};
    return std::nullopt;
}

std::string describe(const EquipmentProblem& p)
{
    const std::string item = "item " + std::to_string(p.index + 1) + ": ";
    switch (p.kind) {
        case EquipmentProblemKind::EmptyId:
            return item + "no identifier";
        case EquipmentProblemKind::DuplicateId:
            return item + "identifier given twice";
        case EquipmentProblemKind::ReasonForInspected:
            return item + "a reason not to inspect is given for an inspected item";
        case EquipmentProblemKind::UnknownItem:
            return "inspection " + std::to_string(p.index + 1) +
                   ": names an equipment identifier the list does not hold";
        case EquipmentProblemKind::TooManyItems:
            return "more than " + std::to_string(kMaxEquipmentItems) + " equipment items";
    }
    return "bad equipment data";
}

std::u16string_view statusText(EquipmentStatus status)
{
    return status == EquipmentStatus::Inspected ? u"inspected" : u"not inspected";
}

std::optional<EquipmentStatus> parseStatus(std::u16string_view text)
{
    auto is = [&](std::u16string_view word) {
        if (text.size() != word.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char16_t c = text[i];
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
            if (c != word[i]) return false;
        }
        return true;
    };
    if (is(u"inspected")) return EquipmentStatus::Inspected;
    if (is(u"not inspected")) return EquipmentStatus::NotInspected;
    return std::nullopt;
}

}  // namespace calivue
