// The `findings` subcommand of calivue-cli: the finding of every inspection of a report
// project (.vrp) as one JSON object, from the project's findings settings and the snapshots'
// readings, the same as the report prints them.
#pragma once

#include "core/surveyfindings.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace calivue::cli {

struct FindingsOptions {
    std::filesystem::path project;
    TempUnit unit = TempUnit::Celsius;
    int templateNumber = 0;
};

// The object the command prints: criteria, unit_text and the inspections.
nlohmann::ordered_json findingsJson(const FindingsSettings& settings,
                                    const std::vector<InspectionFinding>& findings, TempUnit unit);

// On failure one line on err and non-zero; a snapshot that does not open is a warning line on
// err and its inspection has no readings.
int runFindings(const FindingsOptions& options, std::ostream& out, std::ostream& err);

class FindingsCommand {
public:
    explicit FindingsCommand(CLI::App& app);
    FindingsCommand(const FindingsCommand&) = delete;
    FindingsCommand& operator=(const FindingsCommand&) = delete;
    std::optional<int> runParsed(std::ostream& out, std::ostream& err) const;

private:
    CLI::App* m_command = nullptr;
    FindingsOptions m_options;
    std::string m_unit = "c";
};

}  // namespace calivue::cli
