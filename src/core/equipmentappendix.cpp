#include "core/equipmentappendix.h"

#include <map>

namespace calivue {

namespace {

std::u16string number(std::size_t n)
{
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

}  // namespace

EquipmentAppendix equipmentAppendix(const ProjectEquipment& equipment,
                                    std::span<const InspectionOnPage> inspections)
{
    // Per identifier: whether an inspection names it, and the pages of those with an exception.
    struct Seen {
        bool inspected = false;
        bool measured = false;
        std::vector<int> pages;
    };
    std::map<std::u16string_view, Seen> seen;
    for (std::size_t i = 0; i < equipment.recordItems.size(); ++i) {
        if (equipment.recordItems[i].empty()) continue;
        Seen& s = seen[equipment.recordItems[i]];
        s.inspected = true;
        s.measured = s.measured || i >= inspections.size() || inspections[i].measured;
        if (i < inspections.size() && inspections[i].exception)
            s.pages.push_back(inspections[i].page);
    }
    EquipmentAppendix a;
    a.counts.items = equipment.items.size();
    for (const EquipmentItem& item : equipment.items) {
        EquipmentAppendixRow row;
        row.item = &item;
        const auto at = seen.find(item.id);
        const bool linked = at != seen.end() && at->second.inspected;
        row.measured = !linked || at->second.measured;
        if (linked && !at->second.pages.empty()) {
            row.outcome = EquipmentOutcome::Exception;
            row.pages = at->second.pages;
            ++a.counts.exceptions;
        } else if (linked || item.status == EquipmentStatus::Inspected) {
            row.outcome = EquipmentOutcome::NoException;
        }
        if (row.outcome != EquipmentOutcome::NotInspected) ++a.counts.inspected;
        a.rows.push_back(std::move(row));
    }
    a.counts.notInspected = a.counts.items - a.counts.inspected;
    return a;
}

std::u16string englishText(const EquipmentAppendixRow& row)
{
    switch (row.outcome) {
        case EquipmentOutcome::Exception: {
            std::u16string t =
                row.pages.size() == 1 ? u"exception, see page " : u"exception, see pages ";
            for (std::size_t i = 0; i < row.pages.size(); ++i)
                t += (i ? u", " : u"") + number(static_cast<std::size_t>(row.pages[i]));
            return t;
        }
        case EquipmentOutcome::NoException:
            return u"no exception";
        case EquipmentOutcome::NotInspected:
            if (!row.item || row.item->reason.empty()) return u"not inspected";
            return u"not inspected: " + row.item->reason;
    }
    return {};
}

std::u16string englishText(const EquipmentCounts& c)
{
    return number(c.items) + (c.items == 1 ? u" item, " : u" items, ") + number(c.inspected) +
           u" inspected, " + number(c.exceptions) + u" with exceptions, " + number(c.notInspected) +
           u" not inspected";
}

}  // namespace calivue
