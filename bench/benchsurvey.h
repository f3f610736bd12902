// The survey the report benchmarks print: n inspections of generated snapshots (varied scenes,
// palettes, blends and markers) IR_1000, IR_1001, … in one folder, with typed details, a title
// page and a logo, as a thermographer's report job would carry them.
#pragma once

#include "report/engine/reportgenerator.h"

#include <QString>

namespace calivue::bench {

// Writes the snapshots IR_1000 … of the first n that folder does not hold yet; false when one
// could not be written.
bool writeSurveySnapshots(const QString& folder, int n);

// The job of n inspections whose snapshots are in folder, printed to output.
ReportJob surveyJob(const QString& folder, int n, const QString& output);

}  // namespace calivue::bench
