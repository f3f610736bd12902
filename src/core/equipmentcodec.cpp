#include "core/equipmentcodec.h"

#include "core/bytestream.h"
#include "core/sectionvaluereader.h"

#include <map>
#include <set>
#include <utility>

namespace calivue {

std::vector<std::uint8_t> encodeEquipmentSection(const ProjectEquipment& e,
                                                 const std::vector<cInspectionImage>& entries)
{
    ByteSink out;
    putSectionText(out, e.previousProject);
    out.u32le(static_cast<std::uint32_t>(e.items.size()));
    for (const EquipmentItem& item : e.items) {
        putSectionText(out, item.id);
        putSectionText(out, item.location);
        putSectionText(out, item.description);
        putSectionText(out, item.ratedLoad);
        out.u8(static_cast<std::uint8_t>(item.status));
        putSectionText(out, item.reason);
    }
    std::vector<std::pair<std::size_t, std::uint32_t>> links;  // position, occurrence
    std::map<std::u16string, std::uint32_t> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint32_t occurrence = seen[entries[i].snapshotPath]++;
        if (i < e.recordItems.size() && !e.recordItems[i].empty())
            links.emplace_back(i, occurrence);
    }
    out.u32le(static_cast<std::uint32_t>(links.size()));
    for (const auto& [i, occurrence] : links) {
        putSectionText(out, entries[i].snapshotPath);
        out.u32le(occurrence);
        putSectionText(out, e.recordItems[i]);
    }
    return out.take();
}

Result<ProjectEquipment> decodeEquipmentSection(std::span<const std::uint8_t> data,
                                                std::uint16_t version,
                                                const std::vector<cInspectionImage>& entries)
{
    if (version != kEquipmentSectionVersion) return Error::Unsupported;
    SectionValueReader in(data);
    ProjectEquipment e;
    e.previousProject = in.text();
    const std::uint32_t count = in.u32();
    if (!in.ok()) return in.error();
    if (count > kMaxEquipmentItems) return Error::TooLarge;
    // Each item takes at least 21 bytes (five text counts and the status): a count the data
    // cannot hold is refused before anything is reserved.
    if (count > in.remaining() / 21) return Error::Truncated;
    e.items.reserve(count);
    for (std::uint32_t k = 0; k < count && in.ok(); ++k) {
        EquipmentItem item;
        item.id = in.text();
        item.location = in.text();
        item.description = in.text();
        item.ratedLoad = in.text();
        item.status = static_cast<EquipmentStatus>(in.u8(1));
        item.reason = in.text();
        e.items.push_back(std::move(item));
    }

    std::set<std::u16string_view> ids;
    for (const EquipmentItem& item : e.items) ids.insert(item.id);
    // Where each snapshot's inspections are, in list order.
    std::map<std::u16string, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < entries.size(); ++i)
        positions[entries[i].snapshotPath].push_back(i);
    e.recordItems.assign(entries.size(), std::u16string());
    std::vector<bool> named(entries.size(), false);
    const std::uint32_t links = in.u32();
    for (std::uint32_t k = 0; k < links && in.ok(); ++k) {
        const std::u16string path = in.text();
        const std::uint32_t occurrence = in.u32();
        std::u16string id = in.text();
        if (!in.ok()) break;
        // Written with the list, a link names one of its items, also when its inspection is gone.
        if (!ids.contains(id)) return Error::Corrupted;
        const auto at = positions.find(path);
        if (at == positions.end() || occurrence >= at->second.size()) continue;
        const std::size_t i = at->second[occurrence];
        if (named[i]) return Error::Corrupted;
        named[i] = true;
        e.recordItems[i] = std::move(id);
    }
    if (!in.ok()) return in.error();
    if (!in.atEnd()) return Error::Corrupted;
    if (equipmentProblem(e)) return Error::Corrupted;
    return e;
}

Result<ProjectEquipment> readProjectEquipment(const ReportProject& project)
{
    const ExtensionSection* section = project.extensions.find(kEquipmentTag);
    if (!section) {
        ProjectEquipment e;
        e.recordItems.assign(project.entries.size(), std::u16string());
        return e;
    }
    return decodeEquipmentSection(section->data, section->version, project.entries);
}

Error putProjectEquipment(ReportProject& project, const ProjectEquipment& equipment)
{
    if (equipmentProblem(equipment)) return Error::BadArgument;
    for (std::size_t i = project.entries.size(); i < equipment.recordItems.size(); ++i)
        if (!equipment.recordItems[i].empty()) return Error::BadArgument;
    if (equipment.isDefault()) {
        project.extensions.erase(kEquipmentTag);
        return Error::None;
    }
    return project.extensions.put({kEquipmentTag, kEquipmentSectionVersion,
                                   encodeEquipmentSection(equipment, project.entries)});
}

}  // namespace calivue
