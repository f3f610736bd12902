#include "report/previoussurveycache.h"

#include "document/reportdoc.h"

#include "core/equipmentcodec.h"

#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

std::optional<Comparison> PreviousSurveyCache::compare(const CReportDoc& doc, int index,
                                                       const Finding& finding,
                                                       ReportTemplate reportTemplate, TempUnit unit,
                                                       QString* problem)
{
    if (!doc.inspection(index)) return std::nullopt;
    const ReportProject project = doc.project();
    const Result<ProjectEquipment> equipment = readProjectEquipment(project);
    if (!equipment || equipment->previousProject.empty()) return std::nullopt;
    const std::u16string& item = equipment->recordItems[static_cast<std::size_t>(index)];
    if (item.empty()) return std::nullopt;
    const std::filesystem::path file =
        previousProjectFile(equipment->previousProject, toFsPath(doc.folder() + doc.name()));
    std::error_code ec;
    const std::filesystem::file_time_type time = std::filesystem::last_write_time(file, ec);
    const std::optional<std::filesystem::file_time_type> written =
        ec ? std::nullopt : std::optional(time);
    if (file != m_file || written != m_written || reportTemplate != m_template || unit != m_unit) {
        m_findings.clear();
        m_file = file;
        m_written = written;
        m_template = reportTemplate;
        m_unit = unit;
        const Result<PreviousSurvey> survey = readPreviousSurvey(file);
        if (survey) {
            m_findings = previousFindings(*survey, reportTemplate, unit);
        } else if (problem && file != m_reported) {
            m_reported = file;
            *problem = formatText(
                uiText(survey.error() == Error::NotFound ? sid::PreviousSurveyMissing
                                                         : sid::PreviousSurveyUnreadable),
                {fromFsPath(file)});
        }
    }
    return compareWithPrevious(finding, item, m_findings);
}

}  // namespace calivue
