#include "cli/findingscommand.h"

#include "cli/commands.h"
#include "cli/projectcommands.h"

#include "core/brixa.h"
#include "core/errorreason.h"
#include "core/findingscodec.h"
#include "core/snapshotfiles.h"
#include "core/textcodec.h"

#include <CLI/CLI.hpp>

#include <cctype>

namespace calivue::cli {

namespace {

using OJson = nlohmann::ordered_json;

OJson optionalNumber(const std::optional<double>& v)
{
    return v ? OJson(*v) : OJson(nullptr);
}

// The name the measurement lists give a reading, in the tool's English.
std::string label(const FindingReading& r)
{
    if (!r.measurement) return "Ambient";
    switch (r.measurement->kind) {
        case Measurement::Kind::Cursor:
            return "Cursor " + std::to_string(r.measurement->marker + 1);
        case Measurement::Kind::Hot:
            return "Hot";
        case Measurement::Kind::Cold:
            return "Cold";
        case Measurement::Kind::None:
            break;
    }
    return "none";
}

OJson readingJson(const std::optional<FindingReading>& r)
{
    if (!r) return nullptr;
    return {{"label", label(*r)}, {"temperature", r->temperature}};
}

}  // namespace

OJson findingsJson(const FindingsSettings& settings, const std::vector<InspectionFinding>& list,
                   TempUnit unit)
{
    OJson inspections = OJson::array();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Finding& f = list[i].finding;
        OJson warnings = OJson::array();
        for (FindingWarning w : f.warnings) warnings.push_back(std::string(warningCode(w)));
        inspections.push_back(
            {{"index", i + 1},
             {"concern", readingJson(f.concern)},
             {"reference", readingJson(f.reference)},
             {"delta_t", optionalNumber(f.deltaT)},
             {"load_percent", optionalNumber(f.loadPercent)},
             {"delta_t_corrected", optionalNumber(f.deltaTCorrected)},
             {"class", f.severity ? OJson(utf16ToUtf8(f.severity->text)) : OJson(nullptr)},
             {"suggested_priority", f.suggestedPriority},
             {"priority", f.priority},
             {"priority_manual", f.priorityManual},
             {"frsi", optionalNumber(f.frsi)},
             {"frsi_pass", f.frsiPass ? OJson(*f.frsiPass) : OJson(nullptr)},
             {"warnings", std::move(warnings)}});
    }
    return {{"criteria", std::string(criteriaName(settings.criteria))},
            {"unit_text", unitTextOf(unit)},
            {"inspections", std::move(inspections)}};
}

int runFindings(const FindingsOptions& o, std::ostream& out, std::ostream& err)
{
    Result<ReportProject> project = readReportProjectFile(o.project);
    if (!project.ok()) {
        err << kProjectReadError << ": " << o.project.string() << '\n';
        return 1;
    }
    if (!project->countsAgree()) {
        err << kProjectReadError << ": " << o.project.string()
            << ": the inspections and their records differ in number\n";
        return 1;
    }
    const Result<ProjectFindings> findings = readProjectFindings(*project);
    if (!findings.ok()) {
        err << kProjectReadError << ": " << o.project.string() << ": the findings data are "
            << describe(findings.error()) << '\n';
        return 1;
    }
    const std::vector<InspectionFinding> list =
        inspectionFindings(*project, *findings, templateOfOption(o.templateNumber), o.unit);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].snapshot != Error::None)
            err << "Warning: inspection " << i + 1 << ": " << kOpenError << ": "
                << utf16ToUtf8(project->entries[i].snapshotPath) << ": "
                << errorReason(list[i].snapshot, FileKind::SnapshotRecord).english
                << "; it has no readings\n";
    out << findingsJson(findings->settings, list, o.unit).dump(2) << '\n';
    return 0;
}

FindingsCommand::FindingsCommand(CLI::App& app)
{
    m_command = app.add_subcommand(
        "findings", "Print each inspection's finding (difference, load, class, priority) as JSON");
    m_command->add_option("PROJECT", m_options.project, "Report project .vrp file")->required();
    addUnitOption(*m_command, m_unit);
    addTemplateOption(*m_command, m_options.templateNumber);
}

std::optional<int> FindingsCommand::runParsed(std::ostream& out, std::ostream& err) const
{
    if (!m_command->parsed()) return std::nullopt;
    FindingsOptions o = m_options;
    o.unit = unitOfLetter(m_unit);
    return runFindings(o, out, err);
}

}  // namespace calivue::cli
