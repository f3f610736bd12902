// The `project-info` and `project-write` subcommands.
#include "cli/projectcommands.h"

#include "core/fileio.h"

#include <CLI/CLI.hpp>

namespace fs = std::filesystem;

namespace calivue::cli {

namespace {

// Far above the JSON of the largest project the reader takes (64 MB of file).
constexpr std::size_t kMaxProjectJsonBytes = std::size_t{512} << 20;

// One line, whatever the parser's message held.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

}  // namespace

int runProjectInfo(const fs::path& project, std::ostream& out, std::ostream& err)
{
    Result<ReportProject> p = readReportProjectFile(project);
    if (!p) {
        err << kProjectReadError << ": " << project.string() << ": " << describe(p.error()) << '\n';
        return 1;
    }
    out << projectToJson(*p).dump(2) << '\n';
    return 0;
}

int runProjectWrite(const fs::path& json, const fs::path& project, std::ostream& err)
{
    // Only a regular file is read: a FIFO would wait for a writer, a folder reads as empty.
    Result<std::vector<std::uint8_t>> bytes = readFilePrefix(json, kMaxProjectJsonBytes + 1);
    if (!bytes || bytes->size() > kMaxProjectJsonBytes) {
        err << "Cannot read " << json.string() << ": "
            << (bytes ? "larger than 512 MB" : describe(bytes.error())) << '\n';
        return 1;
    }
    // The parser's own exceptions stop here, at its one call; the reader returns its refusal.
    nlohmann::json parsed;
    try {
        parsed = nlohmann::json::parse(bytes->begin(), bytes->end());
    } catch (const nlohmann::json::exception& e) {
        err << "Invalid project JSON: " << json.string() << ": " << oneLine(e.what()) << '\n';
        return 1;
    }
    std::string refusal;
    Result<ReportProject> read = projectFromJson(parsed, &refusal);
    if (!read) {
        err << "Invalid project JSON: " << json.string() << ": " << oneLine(refusal) << '\n';
        return 1;
    }
    ReportProject& p = read.value();
    // The report writer refuses such a project, so it is never written.
    if (!p.countsAgree()) {
        err << "Number of selections is not equal to number of reports: " << json.string() << '\n';
        return 1;
    }
    FileFailure failure;
    if (writeReportProjectFile(project, p, &failure) != Error::None) {
        err << kProjectWriteError << ": " << project.string() << ": " << failure.reason.message()
            << '\n';
        return 1;
    }
    return 0;
}

ProjectCommands::ProjectCommands(CLI::App& app)
{
    m_info = app.add_subcommand("project-info", "Print a report project (.vrp) as JSON");
    m_info->add_option("PROJECT", m_infoPath, "Report project .vrp path")->required();
    m_write = app.add_subcommand(
        "project-write", "Write a report project (.vrp) from JSON shaped as project-info prints");
    m_write->add_option("IN", m_jsonPath, "JSON file to read")->required();
    m_write->add_option("OUT", m_outPath, "Report project .vrp to write")->required();
}

std::optional<int> ProjectCommands::runParsed(std::ostream& out, std::ostream& err) const
{
    if (m_info->parsed()) return runProjectInfo(m_infoPath, out, err);
    if (m_write->parsed()) return runProjectWrite(m_jsonPath, m_outPath, err);
    return std::nullopt;
}

}  // namespace calivue::cli
