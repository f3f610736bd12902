#include "core/findingscodec.h"

#include "core/bytestream.h"
#include "core/sectionvaluereader.h"

#include <cmath>
#include <map>
#include <utility>

namespace calivue {

namespace {

void putAmbient(ByteSink& out, const std::optional<double>& ambient)
{
    out.u8(ambient ? 1 : 0);
    out.f64le(ambient.value_or(0.0));
}

// An optional ambient temperature: a given flag, then the value (0 when not given).
std::optional<double> readAmbient(SectionValueReader& in)
{
    const bool given = in.u8(1) == 1;
    const double v = in.real();
    return given ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

namespace {

// The findings an inspection has without findings data; the plain defaults for an entry
// without a record (a project whose counts disagree).
RecordFindings defaultOf(const std::vector<cInspectionRecord>& records, std::size_t i)
{
    return i < records.size() ? defaultRecordFindings(records[i]) : RecordFindings{};
}

}  // namespace

std::vector<std::uint8_t> encodeFindingsSection(const ProjectFindings& f,
                                                const std::vector<cInspectionImage>& entries,
                                                const std::vector<cInspectionRecord>& records)
{
    const FindingsSettings& s = f.settings;
    ByteSink out;
    out.u8(static_cast<std::uint8_t>(s.criteria));
    out.u8(s.classifyCorrected ? 1 : 0);
    out.f64le(s.loadExponent);
    out.f64le(s.minLoadPercent);
    putAmbient(out, s.ambient);
    out.f64le(s.frsiThreshold);
    out.u8(static_cast<std::uint8_t>(s.customBands.size()));
    for (const SeverityBand& b : s.customBands) {
        out.f64le(b.from);
        putSectionText(out, b.text);
        out.u8(static_cast<std::uint8_t>(b.priority));
    }
    for (const std::u16string* t : conditionTexts(s.conditions)) putSectionText(out, *t);

    std::vector<std::pair<std::size_t, std::uint32_t>> stored;  // position, occurrence
    std::map<std::u16string, std::uint32_t> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint32_t occurrence = seen[entries[i].snapshotPath]++;
        if (i < f.records.size() && f.records[i] != defaultOf(records, i))
            stored.emplace_back(i, occurrence);
    }
    out.u32le(static_cast<std::uint32_t>(stored.size()));
    for (const auto& [i, occurrence] : stored) {
        const RecordFindings& r = f.records[i];
        putSectionText(out, entries[i].snapshotPath);
        out.u32le(occurrence);
        out.u8(static_cast<std::uint8_t>(r.reference));
        putAmbient(out, r.ambient);
        out.u8(r.priorityManual ? 1 : 0);
    }
    return out.take();
}

Result<ProjectFindings> decodeFindingsSection(std::span<const std::uint8_t> data,
                                              std::uint16_t version,
                                              const std::vector<cInspectionImage>& entries,
                                              const std::vector<cInspectionRecord>& records)
{
    if (version != kFindingsSectionVersion) return Error::Unsupported;
    SectionValueReader in(data);
    ProjectFindings f;
    FindingsSettings& s = f.settings;
    s.criteria = static_cast<Criteria>(in.u8(3));
    s.classifyCorrected = in.u8(1) == 1;
    s.loadExponent = in.real();
    s.minLoadPercent = in.real();
    s.ambient = readAmbient(in);
    s.frsiThreshold = in.real();
    const std::uint8_t bands = in.u8(kMaxCustomBands);
    for (std::uint8_t i = 0; i < bands && in.error() == Error::None; ++i) {
        SeverityBand b;
        b.from = in.real();
        b.text = in.text();
        b.priority = in.u8(5);
        s.customBands.push_back(std::move(b));
    }
    for (std::u16string* t : conditionTexts(s.conditions)) *t = in.text();
    if (in.error() != Error::None) return in.error();
    if (settingsProblem(s)) return Error::Corrupted;

    // Where each snapshot's inspections are, in list order.
    std::map<std::u16string, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < entries.size(); ++i)
        positions[entries[i].snapshotPath].push_back(i);
    f.records.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) f.records.push_back(defaultOf(records, i));
    std::vector<bool> named(entries.size(), false);
    const std::uint32_t count = in.u32();
    for (std::uint32_t k = 0; k < count && in.error() == Error::None; ++k) {
        const std::u16string path = in.text();
        const std::uint32_t occurrence = in.u32();
        RecordFindings r;
        r.reference = static_cast<ReferenceKind>(in.u8(1));
        r.ambient = readAmbient(in);
        r.priorityManual = in.u8(1) == 1;
        if (in.error() != Error::None) break;
        const auto at = positions.find(path);
        if (at == positions.end() || occurrence >= at->second.size()) continue;
        const std::size_t i = at->second[occurrence];
        if (named[i]) return Error::Corrupted;
        named[i] = true;
        f.records[i] = r;
    }
    if (in.error() != Error::None) return in.error();
    if (!in.atEnd()) return Error::Corrupted;
    return f;
}

Result<ProjectFindings> readProjectFindings(const ReportProject& project)
{
    const ExtensionSection* section = project.extensions.find(kFindingsTag);
    if (!section) {
        ProjectFindings f;
        for (std::size_t i = 0; i < project.entries.size(); ++i)
            f.records.push_back(defaultOf(project.records, i));
        return f;
    }
    return decodeFindingsSection(section->data, section->version, project.entries, project.records);
}

Error putProjectFindings(ReportProject& project, const ProjectFindings& findings)
{
    if (settingsProblem(findings.settings)) return Error::BadArgument;
    if (findings.isDefaultFor(project.records)) {
        project.extensions.erase(kFindingsTag);
        return Error::None;
    }
    return project.extensions.put(
        {kFindingsTag, kFindingsSectionVersion,
         encodeFindingsSection(findings, project.entries, project.records)});
}

}  // namespace calivue
