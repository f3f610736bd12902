// The generated survey written into a test's folder, for the tests that print or read a
// whole report project. Header-only: the executables that include it link the generator.
#pragma once

#include "generator.h"
#include "survey.h"

#include "core/reportproject.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace calivue::test {

// Writes the survey's first `count` snapshots from `seed` into dir as PREFIX0001, PREFIX0002 …;
// the project that lists them, or nullopt when a snapshot could not be written.
inline std::optional<ReportProject> writeSurvey(const std::filesystem::path& dir,
                                                std::uint64_t seed,
                                                int count = gen::kSurveySnapshots,
                                                const std::string& prefix = "S_000")
{
    std::vector<gen::WrittenFiles> written;
    std::vector<gen::SnapshotPlan> plans;
    for (int i = 0; i < count; ++i) {
        plans.push_back(gen::surveyPlan(seed, i));
        auto files = gen::writeSnapshot(dir, prefix + std::to_string(i + 1), plans.back());
        if (!files) return std::nullopt;
        written.push_back(*files);
    }
    return gen::surveyProject(written, plans);
}

}  // namespace calivue::test
