// Fuzz target for the project JSON reader of project-write: any bytes must parse and read into a
// project or be refused by the JSON parser or by a check naming its key (a Corrupted result);
// no exception may leave the reader. A project that reads must print as JSON that reads
// back to a project printing the same, and must encode as a project file that reads back to the
// same project.
#include "cli/projectcommands.h"

#include "core/reportproject.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    nlohmann::json parsed;
    try {
        parsed = nlohmann::json::parse(data, data + size);
    } catch (const nlohmann::json::exception&) {
        return 0;
    }
    std::string refusal;
    const Result<ReportProject> read = cli::projectFromJson(parsed, &refusal);
    if (!read) {
        if (refusal.empty()) std::abort();
        return 0;
    }
    const ReportProject& p = read.value();
    // The printed JSON reads back to a project that prints the same (captions the file did not
    // carry print as null halves, which read as the defaults).
    const nlohmann::ordered_json printed = cli::projectToJson(p);
    ReportProject expected = p;
    expected.captions = p.captions.value_or(defaultReportCaptions());
    const Result<ReportProject> again = cli::projectFromJson(nlohmann::json::parse(printed.dump()));
    if (!again || cli::projectToJson(*again) != cli::projectToJson(expected)) std::abort();

    // The project file reads back as the project (absent captions as the defaults), within the
    // reader's caps.
    const std::vector<std::uint8_t> bytes = encodeReportProject(p);
    if (bytes.size() > kMaxProjectFileBytes || p.entries.size() > kMaxProjectInspections ||
        p.records.size() > kMaxProjectInspections)
        return 0;
    Result<ReportProject> back = readReportProject(bytes);
    if (!back) std::abort();
    if (!(back->title == p.title) || back->entries != p.entries || back->records != p.records ||
        back->captions != p.captions.value_or(defaultReportCaptions()) ||
        !(back->extensions == p.extensions) || back->ignoredTrailingBytes != 0)
        std::abort();
    return 0;
}
