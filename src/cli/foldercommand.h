// The `project-from-folder` subcommand of calivue-cli: a report project (.vrp) of every snapshot
// of a folder, as the image selection page lists them, linked to an equipment list and to the
// previous survey when given; `report` then prints it.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

namespace CLI {
class App;
}

namespace calivue::cli {

struct FolderProjectOptions {
    std::filesystem::path folder;
    std::filesystem::path output;
    bool subfolders = false;
    std::optional<std::filesystem::path> equipment;  // CSV list
    std::optional<std::filesystem::path> previous;   // the previous survey's .vrp
    int templateNumber = 0;
};

// Writes the project and one line on out ("OUT: 12 inspections, 9 linked to equipment").
// Refused with one line on err and nothing written: a folder that is not there, no snapshot in
// it, a list that does not read. A previous survey that does not read is reported on err and
// left out; the project is still written.
int runProjectFromFolder(const FolderProjectOptions& options, std::ostream& out, std::ostream& err);

class FolderProjectCommand {
public:
    explicit FolderProjectCommand(CLI::App& app);
    FolderProjectCommand(const FolderProjectCommand&) = delete;
    FolderProjectCommand& operator=(const FolderProjectCommand&) = delete;
    std::optional<int> runParsed(std::ostream& out, std::ostream& err) const;

private:
    CLI::App* m_command = nullptr;
    FolderProjectOptions m_options;
    std::filesystem::path m_equipment;
    std::filesystem::path m_previous;
};

}  // namespace calivue::cli
