// Internal to the report layer.
// The previous survey as the report writer's pages use it: read from the link the project's
// equipment data hold, its findings taken once for a template and unit and kept until the link,
// the project's file, the template, the unit or the previous file itself (moved, removed,
// written again) change. A link that does not read is said once
// per link, and the pages go on without the comparison.
#pragma once

#include "core/surveycomparison.h"

#include <QString>

#include <filesystem>
#include <optional>

namespace calivue {

class CReportDoc;

class PreviousSurveyCache {
public:
    // The comparison of inspection `index` of `doc` whose finding is `finding`: empty when it
    // names no item, the project links no previous survey, or that survey has no finding for
    // the item. `problem`, when given, receives the message for a link that does not read,
    // once per link.
    std::optional<Comparison> compare(const CReportDoc& doc, int index, const Finding& finding,
                                      ReportTemplate reportTemplate, TempUnit unit,
                                      QString* problem = nullptr);

private:
    std::filesystem::path m_file;  // the previous project's file the findings are of
    std::optional<std::filesystem::file_time_type> m_written;  // its time then; none: absent
    std::optional<ReportTemplate> m_template;                  // none until the first read
    std::optional<TempUnit> m_unit;                            // none until the first read
    PreviousFindings m_findings;
    std::filesystem::path m_reported;  // the last link whose failure was said
};

}  // namespace calivue
