// The printed report's page layout as a project setting, kept in the extension section
// "RLAY": the designed pages ("classic", the default) or the modern ones. A project with the
// default writes no section, so its file stays what the designed writer puts.
//
// Section version 1: one byte, the layout (0 classic, 1 modern).
#pragma once

#include "error.h"
#include "reportproject.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace calivue {

enum class ReportLayout : std::uint8_t { Classic = 0, Modern = 1 };

inline constexpr std::uint16_t kReportLayoutSectionVersion = 1;

// "classic" / "modern", as the command line and the project JSON spell them.
std::string_view reportLayoutName(ReportLayout layout);
std::optional<ReportLayout> reportLayoutFromName(std::string_view name);

// The project's layout: Classic without a section. Unsupported for another section version,
// Truncated for no data, Corrupted for an unknown layout or bytes after it.
Result<ReportLayout> readReportLayout(const ReportProject& project);

// Stores the layout: Classic removes the section. TooLarge from the block's caps; the project
// stays as it was after a refusal.
Error putReportLayout(ReportProject& project, ReportLayout layout);

}  // namespace calivue
