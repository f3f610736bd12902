// The findings data of a report project as its extension section "FIND": the criteria
// settings and survey conditions, and the inspections whose own data differs from the
// defaults. A project whose findings data are all defaults has no such section, so its file
// stays what it was.
//
// Section version 1 (integers little-endian, reals IEEE double, texts as u32 count of UTF-16
// units then the units):
//   u8 criteria (0 neta-similar, 1 neta-ambient, 2 neta-worst, 3 custom)
//   u8 flags (bit 0: classify on the load-corrected difference)
//   f64 load exponent, f64 minimum load %, u8 ambient given (0/1), f64 ambient °C,
//   f64 fRsi threshold
//   u8 band count (0-6), per band: f64 from, text class, u8 priority
//   8 texts: the survey conditions in the order of SurveyConditions
//   u32 inspection count, per inspection: text snapshot path, u32 occurrence (0 for the first
//   inspection of that snapshot, 1 for the second ...), u8 reference (0 marker, 1 ambient),
//   u8 ambient given, f64 ambient °C, u8 priority set by hand
// Inspections are named by their snapshot, never by their position: a program that does not
// know the section keeps it while the user reorders or removes inspections. A named
// inspection the project no longer holds is skipped on reading. Only inspections whose data
// differ from defaultRecordFindings of their record are stored; the others read back as that
// default.
#pragma once

#include "core/error.h"
#include "core/findings.h"
#include "core/reportproject.h"

#include <cstdint>
#include <span>
#include <vector>

namespace calivue {

inline constexpr std::uint16_t kFindingsSectionVersion = 1;

// The section's bytes for the project's inspections (`findings.records` by position in
// `entries`, `records` the inspections' records; findings past the entries are not stored).
std::vector<std::uint8_t> encodeFindingsSection(const ProjectFindings& findings,
                                                const std::vector<cInspectionImage>& entries,
                                                const std::vector<cInspectionRecord>& records);

// The findings a section holds for `entries` (one record each, the default of the
// inspection's record in `records` where the section names none). Unsupported for another section
// version; Truncated when the data end inside a value; Corrupted for a value outside its range,
// settings the program refuses, an inspection named twice or bytes after the last value.
Result<ProjectFindings> decodeFindingsSection(std::span<const std::uint8_t> data,
                                              std::uint16_t version,
                                              const std::vector<cInspectionImage>& entries,
                                              const std::vector<cInspectionRecord>& records);

// The project's findings: the defaults when it has no section, else what the section holds,
// with the errors of decodeFindingsSection.
Result<ProjectFindings> readProjectFindings(const ReportProject& project);

// Stores the findings in the project: the section is put, or removed when the findings are all
// defaults (ProjectFindings::isDefaultFor the project's records). BadArgument for settings
// settingsProblem refuses; TooLarge from the block's caps. The project stays as it was after a
// refusal.
Error putProjectFindings(ReportProject& project, const ProjectFindings& findings);

}  // namespace calivue
