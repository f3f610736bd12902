// The equipment list subcommands of calivue-cli: `equipment-import` puts a CSV list into a
// report project (.vrp), `equipment-export` writes a project's list as CSV.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

namespace CLI {
class App;
}

namespace calivue::cli {

// Replaces the project's list with the file's, keeping the inspections' links and the previous
// project. One line on err and nothing written when the list does not read, when an inspection
// names an item the new list does not hold, or when the project does not read or write.
int runEquipmentImport(const std::filesystem::path& project, const std::filesystem::path& csv,
                       std::ostream& err);
int runEquipmentExport(const std::filesystem::path& project, const std::filesystem::path& csv,
                       std::ostream& err);

class EquipmentCommands {
public:
    explicit EquipmentCommands(CLI::App& app);
    EquipmentCommands(const EquipmentCommands&) = delete;
    EquipmentCommands& operator=(const EquipmentCommands&) = delete;
    std::optional<int> runParsed(std::ostream& err) const;

private:
    CLI::App* m_import = nullptr;
    CLI::App* m_export = nullptr;
    std::filesystem::path m_project;
    std::filesystem::path m_csv;
};

}  // namespace calivue::cli
