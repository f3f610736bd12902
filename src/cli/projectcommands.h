// The report project subcommands of calivue-cli: `project-info` prints a .vrp
// file as JSON, `project-write` makes one from the same JSON shape, so that
// scripts build reports without the window.
#pragma once

#include "core/error.h"
#include "core/reportproject.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace calivue::cli {

// The one line every unreadable, missing or malformed project file gives.
inline constexpr std::string_view kProjectReadError = "Error reading VRP file";
// The one line a project file that cannot be written gives.
inline constexpr std::string_view kProjectWriteError = "Error writing VRP file";

int runProjectInfo(const std::filesystem::path& project, std::ostream& out, std::ostream& err);
int runProjectWrite(const std::filesystem::path& json, const std::filesystem::path& project,
                    std::ostream& err);

// The project as JSON: texts as UTF-8, date-times as {status, days}, the
// captions null when the file carried none, non-finite numbers as null, the
// extension sections as {tag, version, data in hex} in file order, and the
// count of bytes the reader ignored after the last value it read.
nlohmann::ordered_json projectToJson(const ReportProject& project);

// The inverse. Absent keys keep the defaults of a new project. Corrupted, with
// the refusal (when asked for) naming the key ("records[2].reference: expected
// ..."), for a key of the wrong type, an unknown key or an integer outside 32
// bits, as for an extension with a bad tag, a tag given twice, a version outside
// 16 bits, data that is not hex or passes the caps. `version` and
// `ignored_trailing_bytes` are accepted and ignored. Never throws.
Result<ReportProject> projectFromJson(const nlohmann::json& json, std::string* refusal = nullptr);

// Registers both subcommands on app; runParsed runs the one parsed, if any.
class ProjectCommands {
public:
    explicit ProjectCommands(CLI::App& app);
    // The parser holds references to the members below.
    ProjectCommands(const ProjectCommands&) = delete;
    ProjectCommands& operator=(const ProjectCommands&) = delete;
    std::optional<int> runParsed(std::ostream& out, std::ostream& err) const;

private:
    CLI::App* m_info = nullptr;
    CLI::App* m_write = nullptr;
    std::filesystem::path m_infoPath;
    std::filesystem::path m_jsonPath;
    std::filesystem::path m_outPath;
};

}  // namespace calivue::cli
