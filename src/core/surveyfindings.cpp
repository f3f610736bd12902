#include "core/surveyfindings.h"

#include "core/brixa.h"
#include "core/snapshotfiles.h"
#include "core/textcodec.h"

#include <filesystem>

namespace calivue {

std::vector<InspectionFinding> inspectionFindings(const ReportProject& project,
                                                  const ProjectFindings& findings,
                                                  ReportTemplate reportTemplate, TempUnit unit)
{
    std::vector<InspectionFinding> out;
    const std::size_t count = std::min(project.entries.size(), project.records.size());
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        InspectionFinding f;
        const cInspectionRecord& record = project.records[i];
        const RecordFindings own =
            i < findings.records.size() ? findings.records[i] : defaultRecordFindings(record);
        cBrixa image;
        const std::filesystem::path path(utf16ToUtf8(project.entries[i].snapshotPath));
        f.snapshot =
            project.entries[i].snapshotPath.empty() ? Error::NotFound : openSnapshot(path, image);
        if (f.snapshot == Error::None && !image.buildArrays()) f.snapshot = Error::Corrupted;
        const InspectionReadings readings = f.snapshot == Error::None
                                                ? inspectionReadings(image, record, unit)
                                                : InspectionReadings{};
        f.finding = evaluateFinding(readings, record, own, findings.settings, reportTemplate, unit);
        out.push_back(std::move(f));
    }
    return out;
}

}  // namespace calivue
