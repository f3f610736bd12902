#include "core/equipmentlink.h"

#include "core/printrules.h"

#include <algorithm>
#include <set>

namespace calivue {

namespace {

bool blank(const std::u16string& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0'; });
}

bool take(std::u16string& field, const std::u16string& value)
{
    if (!blank(field) || blank(value)) return false;
    field = value;
    return true;
}

std::u16string decimal(unsigned long long n)
{
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

}  // namespace

bool ratedIsLoad(ReportTemplate reportTemplate)
{
    return reportTemplate == ReportTemplate::Maintenance ||
           reportTemplate == ReportTemplate::Mechanical;
}

ItemFill fillFromItem(cInspectionRecord& record, const EquipmentItem& item, bool ratedLoad)
{
    ItemFill filled;
    filled.location = take(record.location, item.location);
    filled.equipment = take(record.equipment, blank(item.description) ? item.id : item.description);
    if (ratedLoad) filled.rated = take(record.rated, item.ratedLoad);
    return filled;
}

EquipmentItem itemFromRecord(std::u16string id, const cInspectionRecord& record, bool ratedLoad)
{
    EquipmentItem item;
    item.id = std::move(id);
    item.location = record.location;
    // The equipment text names the item by its identifier when nothing else was typed.
    if (record.equipment != item.id) item.description = record.equipment;
    if (ratedLoad) item.ratedLoad = record.rated;
    item.status = EquipmentStatus::NotInspected;
    return item;
}

std::u16string nextEquipmentId(const std::vector<EquipmentItem>& items)
{
    std::set<std::u16string> used;
    for (const EquipmentItem& item : items) used.insert(item.id);
    if (!items.empty()) {
        const std::u16string& last = items.back().id;
        std::size_t digits = last.size();
        while (digits > 0 && last[digits - 1] >= u'0' && last[digits - 1] <= u'9') --digits;
        const std::size_t width = last.size() - digits;
        // Up to 18 digits fit an unsigned long long with room to count on.
        if (width > 0 && width <= 18) {
            unsigned long long n = 0;
            for (std::size_t i = digits; i < last.size(); ++i) n = n * 10 + (last[i] - u'0');
            for (int tries = 0; tries < 1000; ++tries) {
                std::u16string number = decimal(++n);
                if (number.size() < width) number.insert(0, width - number.size(), u'0');
                std::u16string candidate = last.substr(0, digits) + number;
                if (!used.contains(candidate)) return candidate;
            }
        }
    }
    for (unsigned long long n = 1;; ++n)
        if (std::u16string candidate = decimal(n); !used.contains(candidate)) return candidate;
}

std::size_t relinkEquipment(std::vector<std::u16string>& recordItems,
                            const std::vector<EquipmentItem>& items,
                            const std::map<std::u16string, std::u16string>& fate)
{
    std::set<std::u16string_view> ids;
    for (const EquipmentItem& item : items) ids.insert(item.id);
    std::size_t removed = 0;
    for (std::u16string& link : recordItems) {
        if (link.empty()) continue;
        if (const auto to = fate.find(link); to != fate.end()) link = to->second;
        if (!link.empty() && ids.contains(link)) continue;
        link.clear();
        ++removed;
    }
    return removed;
}

}  // namespace calivue
