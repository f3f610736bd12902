#include "cli/foldercommand.h"

#include "cli/commands.h"
#include "cli/projectcommands.h"

#include "core/folderproject.h"
#include "core/surveycomparison.h"
#include "interchange/equipmentcsv.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>

namespace fs = std::filesystem;

namespace calivue::cli {

int runProjectFromFolder(const FolderProjectOptions& o, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (!fs::is_directory(o.folder, ec)) {
        err << "calivue-cli: " << o.folder.string() << " is not a folder\n";
        return 1;
    }
    std::vector<EquipmentItem> items;
    if (o.equipment) {
        EquipmentCsvRead list = readEquipmentCsvFile(*o.equipment);
        if (!list) {
            err << o.equipment->string() << ": " << describe(*list.problem) << '\n';
            return 1;
        }
        items = std::move(list.items);
    }
    std::u16string link;
    if (o.previous) {
        // A survey that does not read would be compared with nothing: it is said once and left
        // out, and the project is made without the link.
        const Result<PreviousSurvey> previous = readPreviousSurvey(*o.previous);
        if (previous.ok())
            link = previousProjectLink(*o.previous, o.output);
        else
            err << "calivue-cli: the previous survey " << o.previous->string() << " does not read ("
                << describe(previous.error()) << "); the project has no previous survey\n";
    }
    Result<FolderProject> made =
        projectFromFolder(o.folder, o.subfolders, items, link, templateOfOption(o.templateNumber));
    if (!made) {
        err << kProjectWriteError << ": " << o.output.string() << ": " << describe(made.error())
            << '\n';
        return 1;
    }
    if (made->project.entries.empty()) {
        err << "calivue-cli: no snapshots in " << o.folder.string() << '\n';
        return 1;
    }
    // The title page is dated the day the project is made, as the report writer dates a new
    // page; left at day 0 it would print 30 December 1899.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    made->project.title.titleDate =
        storedDate(std::chrono::year{local.tm_year + 1900} /
                   std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)} /
                   std::chrono::day{static_cast<unsigned>(local.tm_mday)});
    for (const ScanError& e : made->scanErrors)
        err << "calivue-cli: " << e.folder.string()
            << " could not be listed in full: " << e.code.message() << '\n';
    FileFailure failure;
    if (writeReportProjectFile(o.output, made->project, &failure) != Error::None) {
        err << kProjectWriteError << ": " << o.output.string() << ": " << failure.reason.message()
            << '\n';
        return 1;
    }
    const auto linked =
        std::count_if(made->equipment.recordItems.begin(), made->equipment.recordItems.end(),
                      [](const std::u16string& id) { return !id.empty(); });
    out << o.output.string() << ": " << made->project.entries.size() << " inspections, " << linked
        << " linked to equipment\n";
    return 0;
}

FolderProjectCommand::FolderProjectCommand(CLI::App& app)
{
    m_command = app.add_subcommand(
        "project-from-folder",
        "Make a report project (.vrp) of every snapshot of a folder, in the image selection "
        "page's order");
    m_command->add_option("FOLDER", m_options.folder, "Folder of snapshots")->required();
    m_command->add_option("OUT", m_options.output, "Report project .vrp to write")->required();
    m_command->add_flag("--subfolders", m_options.subfolders,
                        "Also take every subfolder, depth first");
    m_command->add_option("--equipment", m_equipment,
                          "Equipment list (CSV); an inspection names the item its snapshot's "
                          "comments or caption begin with");
    m_command->add_option("--previous", m_previous, "The previous survey's project (.vrp)");
    addTemplateOption(*m_command, m_options.templateNumber);
}

std::optional<int> FolderProjectCommand::runParsed(std::ostream& out, std::ostream& err) const
{
    if (!m_command->parsed()) return std::nullopt;
    FolderProjectOptions o = m_options;
    if (m_command->count("--equipment") > 0) o.equipment = m_equipment;
    if (m_command->count("--previous") > 0) o.previous = m_previous;
    return runProjectFromFolder(o, out, err);
}

}  // namespace calivue::cli
