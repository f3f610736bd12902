// Fuzz target for the report project file: any bytes must read or fail
// cleanly, and what was read must re-encode to bytes that read back to the
// same project (the version becoming 1.3, absent captions the defaults, the
// extension sections kept in order and byte for byte, ignored bytes dropped), and the
// findings and equipment sections each read or refused by name and stored again as the same data.
#include "core/equipmentcodec.h"
#include "core/findingscodec.h"
#include "core/reportproject.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Result<ReportProject> first = readReportProject(std::span<const std::uint8_t>(data, size));
    if (!first) {
        if (first.error() == Error::None) std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> bytes = encodeReportProject(*first);
    Result<ReportProject> again = readReportProject(bytes);
    if (!again) std::abort();
    if (again->version != kProjectVersion13) std::abort();
    if (!(again->title == first->title) || again->entries != first->entries ||
        again->records != first->records)
        std::abort();
    if (again->captions != first->captions.value_or(defaultReportCaptions())) std::abort();
    if (!(again->extensions == first->extensions) || again->ignoredTrailingBytes != 0) std::abort();
    if (encodeReportProject(*again) != bytes) std::abort();
    // An equipment section reads or fails with a named error; what it reads is stored again
    // as the same equipment data.
    Result<ProjectEquipment> equipment = readProjectEquipment(*first);
    if (!equipment) {
        if (equipment.error() == Error::None) std::abort();
    } else {
        ReportProject copy = *first;
        if (putProjectEquipment(copy, *equipment) == Error::None) {
            Result<ProjectEquipment> back = readProjectEquipment(copy);
            if (!back || !(*back == *equipment)) std::abort();
        }
    }
    // A findings section reads or fails with a named error; what it reads is stored again
    // as the same findings.
    Result<ProjectFindings> findings = readProjectFindings(*first);
    if (!findings) {
        if (findings.error() == Error::None) std::abort();
        return 0;
    }
    ReportProject copy = *first;
    if (putProjectFindings(copy, *findings) != Error::None) return 0;
    Result<ProjectFindings> back = readProjectFindings(copy);
    if (!back || !(*back == *findings)) std::abort();
    return 0;
}
