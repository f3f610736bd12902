// The equipment data of a report project as its extension section "EQPT": the equipment list,
// the item each inspection names and the previous survey's project file. A project without
// equipment data has no such section, so its file stays what it was.
//
// Section version 1 (integers little-endian, texts as u32 count of UTF-16 units then the units):
//   text previous project path (empty for none)
//   u32 item count, per item: text id, text location, text description, text rated load,
//   u8 status (0 inspected, 1 not inspected), text reason
//   u32 link count, per link: text snapshot path, u32 occurrence (0 for the first inspection of
//   that snapshot, 1 for the second ...), text identifier of the item
// Inspections are named by their snapshot, never by their position, so a program that does not
// know the section keeps it while the user reorders or removes inspections; a named inspection
// the project no longer holds is skipped on reading.
#pragma once

#include "core/equipment.h"
#include "core/error.h"
#include "core/reportproject.h"

#include <cstdint>
#include <span>
#include <vector>

namespace calivue {

inline constexpr std::uint16_t kEquipmentSectionVersion = 1;

// The section's bytes for the project's inspections (`equipment.recordItems` by position in
// `entries`; links past the entries are not stored).
std::vector<std::uint8_t> encodeEquipmentSection(const ProjectEquipment& equipment,
                                                 const std::vector<cInspectionImage>& entries);

// The equipment data a section holds, `recordItems` one per entry. Unsupported for another
// section version; Truncated when the data end inside a value; TooLarge for more items than
// kMaxEquipmentItems; Corrupted for a status outside its range, data equipmentProblem refuses
// (an empty or repeated identifier, a reason for an inspected item, a link to an identifier the
// list does not hold), an inspection named twice or bytes after the last value.
Result<ProjectEquipment> decodeEquipmentSection(std::span<const std::uint8_t> data,
                                                std::uint16_t version,
                                                const std::vector<cInspectionImage>& entries);

// The project's equipment data: none when it has no section, else what the section holds, with
// the errors of decodeEquipmentSection.
Result<ProjectEquipment> readProjectEquipment(const ReportProject& project);

// Stores the equipment data in the project: the section is put, or removed when there are none.
// BadArgument for data equipmentProblem refuses or links past the project's inspections;
// TooLarge from the block's caps. The project stays as it was after a refusal.
Error putProjectEquipment(ReportProject& project, const ProjectEquipment& equipment);

}  // namespace calivue
