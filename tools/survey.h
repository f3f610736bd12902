// The survey preset: a small electrical and building survey of a few snapshots
// and the report project that lists them, for the demo and for report tests.
#pragma once

#include "generator.h"

#include "core/reportproject.h"

#include <filesystem>
#include <vector>

namespace calivue::gen {

// How many snapshots the survey has unless told otherwise.
inline constexpr int kSurveySnapshots = 5;

// Snapshot i of the survey (index from 0): realistic scenes with measurement
// cursors, comments and different palettes; every snapshot keeps blend 0 and
// orientation 0 except the ones that show those features.
SnapshotPlan surveyPlan(std::uint64_t seed, int index);

// The report project of written snapshots, in order: title page, one inspection
// entry and record per snapshot (name, inspector, location, equipment, comment,
// repair priority, inspection date), default captions. Measurement choices stay
// unset, so the report applies its default rule.
ReportProject surveyProject(const std::vector<WrittenFiles>& snapshots,
                            const std::vector<SnapshotPlan>& plans);

}  // namespace calivue::gen
