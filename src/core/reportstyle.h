// The printed report's page layout as a project setting, kept in the extension section
// "RLAY": the designed pages ("classic", the default) or the modern ones. A project with the
// default writes no section, so its file stays what the designed writer puts.
//
// Section version 1: one byte, the layout (0 classic, 1 modern).
//
// The report's language, when it is not the window's, is kept in the section "RLNG" the same
// way: version 1, one byte, the language number. Without the section the report is printed in
// the window's language.
#pragma once

#include "core/error.h"
#include "core/reportproject.h"

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

inline constexpr std::uint16_t kReportLanguageSectionVersion = 1;

// The project's report language: nullopt (the window's) without a section. Unsupported for
// another section version, Truncated for no data, Corrupted for bytes after the number.
// Whether the number names an installed language is for the caller to check.
Result<std::optional<int>> readReportLanguage(const ReportProject& project);

// Stores the report language (0-255); nullopt removes the section. TooLarge from the block's
// caps, Corrupted for a number outside 0-255; the project stays as it was after a refusal.
Error putReportLanguage(ReportProject& project, std::optional<int> language);

}  // namespace calivue
