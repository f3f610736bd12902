// The findings of every inspection of a report project: each snapshot opened, its readings
// taken in the report's unit as the printed page takes them, and the finding rules applied.
#pragma once

#include "core/error.h"
#include "core/findings.h"
#include "core/reportproject.h"

#include <vector>

namespace calivue {

struct InspectionFinding {
    // Why the snapshot did not open (openSnapshot's error, Corrupted when its arrays could not
    // be built); the finding then has no readings, so no difference and `reference-missing`.
    Error snapshot = Error::None;
    Finding finding;
};

// One finding per inspection, in list order, for `reportTemplate` and `unit`. `findings` has one
// record per inspection (readProjectFindings gives that); the project's counts must agree.
std::vector<InspectionFinding> inspectionFindings(const ReportProject& project,
                                                  const ProjectFindings& findings,
                                                  ReportTemplate reportTemplate, TempUnit unit);

}  // namespace calivue
