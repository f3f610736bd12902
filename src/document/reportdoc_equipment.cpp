// CReportDoc's equipment data: the list, the item each inspection names and the previous
// survey's project file.
#include "document/reportdoc.h"

#include "core/equipmentcodec.h"
#include "core/equipmentlink.h"

#include <algorithm>

namespace calivue {

void CReportDoc::loadEquipment(const ReportProject& project)
{
    Result<ProjectEquipment> read = readProjectEquipment(project);
    m_equipmentProblem = read.error();
    m_equipmentItems.clear();
    m_previousProject.clear();
    for (cInspection& i : m_inspections) i.equipmentId.clear();
    if (!read) return;
    m_equipmentItems = std::move(read->items);
    m_previousProject = std::move(read->previousProject);
    for (std::size_t i = 0; i < m_inspections.size() && i < read->recordItems.size(); ++i)
        m_inspections[i].equipmentId = std::move(read->recordItems[i]);
}

ProjectEquipment CReportDoc::equipment() const
{
    ProjectEquipment out;
    out.items = m_equipmentItems;
    out.previousProject = m_previousProject;
    out.recordItems.reserve(m_inspections.size());
    for (const cInspection& i : m_inspections) out.recordItems.push_back(i.equipmentId);
    return out;
}

std::size_t CReportDoc::linksLostBy(const std::vector<EquipmentItem>& items,
                                    const std::map<std::u16string, std::u16string>& fate) const
{
    std::vector<std::u16string> links = equipment().recordItems;
    return relinkEquipment(links, items, fate);
}

std::optional<std::string> CReportDoc::setEquipmentItems(
    std::vector<EquipmentItem> items, const std::map<std::u16string, std::u16string>& fate)
{
    if (!equipmentEditable()) return std::string("equipment: the project's equipment did not read");
    ProjectEquipment next;
    next.items = std::move(items);
    if (std::optional<EquipmentProblem> problem = calivue::equipmentProblem(next))
        return describe(*problem);
    std::vector<std::u16string> links = equipment().recordItems;
    relinkEquipment(links, next.items, fate);
    bool changed = next.items != m_equipmentItems;
    for (std::size_t i = 0; i < links.size(); ++i)
        changed = changed || links[i] != m_inspections[i].equipmentId;
    if (!changed) return std::nullopt;
    m_equipmentItems = std::move(next.items);
    for (std::size_t i = 0; i < links.size(); ++i)
        m_inspections[i].equipmentId = std::move(links[i]);
    announce({ReportPart::Equipment}, true);
    return std::nullopt;
}

std::u16string CReportDoc::equipmentId(int index) const
{
    const cInspection* i = inspection(index);
    return i ? i->equipmentId : std::u16string();
}

bool CReportDoc::setEquipmentId(int index, const std::u16string& id)
{
    if (!equipmentEditable() || !inspection(index)) return false;
    if (!id.empty() && std::none_of(m_equipmentItems.begin(), m_equipmentItems.end(),
                                    [&](const EquipmentItem& item) { return item.id == id; }))
        return false;
    std::u16string& link = m_inspections[std::size_t(index)].equipmentId;
    if (link == id) return true;
    link = id;
    announce({ReportPart::EquipmentLink, index, 1}, true);
    return true;
}

bool CReportDoc::setPreviousProject(const std::u16string& path)
{
    if (!equipmentEditable()) return false;
    if (path == m_previousProject) return true;
    m_previousProject = path;
    announce({ReportPart::Equipment}, true);
    return true;
}

}  // namespace calivue
