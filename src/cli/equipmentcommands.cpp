#include "cli/equipmentcommands.h"

#include "cli/projectcommands.h"

#include "core/equipmentcodec.h"
#include "core/textcodec.h"
#include "interchange/equipmentcsv.h"

#include <CLI/CLI.hpp>

namespace fs = std::filesystem;

namespace calivue::cli {

namespace {

// The project and its equipment data, or a line on err.
std::optional<std::pair<ReportProject, ProjectEquipment>> openProject(const fs::path& path,
                                                                      std::ostream& err)
{
    Result<ReportProject> p = readReportProjectFile(path);
    if (!p) {
        err << kProjectReadError << ": " << path.string() << ": " << describe(p.error()) << '\n';
        return std::nullopt;
    }
    Result<ProjectEquipment> e = readProjectEquipment(*p);
    if (!e) {
        err << kProjectReadError << ": " << path.string()
            << ": the equipment data: " << describe(e.error()) << '\n';
        return std::nullopt;
    }
    return std::make_pair(std::move(*p), std::move(*e));
}

}  // namespace

int runEquipmentImport(const fs::path& project, const fs::path& csv, std::ostream& err)
{
    auto opened = openProject(project, err);
    if (!opened) return 1;
    auto& [p, equipment] = *opened;
    EquipmentCsvRead list = readEquipmentCsvFile(csv);
    if (!list) {
        err << csv.string() << ": " << describe(*list.problem) << '\n';
        return 1;
    }
    equipment.items = std::move(list.items);
    for (std::size_t i = 0; i < equipment.recordItems.size(); ++i)
        if (!equipment.recordItems[i].empty() && !equipment.find(equipment.recordItems[i])) {
            err << "Inspection " << i + 1 << " names equipment \""
                << utf16ToUtf8(equipment.recordItems[i]) << "\", which " << csv.string()
                << " does not hold\n";
            return 1;
        }
    if (putProjectEquipment(p, equipment) != Error::None) {
        err << kProjectWriteError << ": the equipment data are too large\n";
        return 1;
    }
    FileFailure failure;
    if (writeReportProjectFile(project, p, &failure) != Error::None) {
        err << kProjectWriteError << ": " << describe(failure) << '\n';
        return 1;
    }
    return 0;
}

int runEquipmentExport(const fs::path& project, const fs::path& csv, std::ostream& err)
{
    auto opened = openProject(project, err);
    if (!opened) return 1;
    FileFailure failure;
    if (writeEquipmentCsvFile(csv, opened->second.items, &failure) != Error::None) {
        err << "Cannot write " << (failure ? describe(failure) : csv.string()) << '\n';
        return 1;
    }
    return 0;
}

EquipmentCommands::EquipmentCommands(CLI::App& app)
{
    m_import = app.add_subcommand("equipment-import",
                                  "Put an equipment list (CSV) into a report project (.vrp)");
    m_import->add_option("PROJECT", m_project, "Report project .vrp to change")->required();
    m_import
        ->add_option("LIST", m_csv,
                     "CSV file with the columns id, location, description, "
                     "rated_load, status, reason")
        ->required();
    m_export = app.add_subcommand("equipment-export",
                                  "Write the equipment list of a report project (.vrp) as CSV");
    m_export->add_option("PROJECT", m_project, "Report project .vrp to read")->required();
    m_export->add_option("LIST", m_csv, "CSV file to write")->required();
}

std::optional<int> EquipmentCommands::runParsed(std::ostream& err) const
{
    if (m_import->parsed()) return runEquipmentImport(m_project, m_csv, err);
    if (m_export->parsed()) return runEquipmentExport(m_project, m_csv, err);
    return std::nullopt;
}

}  // namespace calivue::cli
