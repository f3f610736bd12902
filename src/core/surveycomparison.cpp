#include "core/surveycomparison.h"

#include "core/brixa.h"
#include "core/equipmentcodec.h"
#include "core/findingscodec.h"
#include "core/reportstyle.h"
#include "core/snapshotfiles.h"
#include "core/textcodec.h"

#include <cmath>
#include <cstdio>

namespace calivue {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// 30 December 1899, day 0 of the stored date-times.
constexpr sys_days kStoredEpoch = sys_days(year{1899} / December / day{30});

std::optional<year_month_day> dateOf(const cDateTime& value)
{
    if (value.status != cDateTime::Valid || !std::isfinite(value.days) ||
        std::abs(value.days) > 3.0e6)
        return std::nullopt;
    return year_month_day(kStoredEpoch + days(static_cast<long>(std::floor(value.days))));
}

// Whether `a` is the worse finding of one item: a higher priority, then an exception, then the
// larger difference; the earlier inspection stays on a tie.
bool worse(const PreviousFinding& a, const PreviousFinding& b)
{
    if (a.priority != b.priority) return a.priority > b.priority;
    if (a.exception() != b.exception()) return a.exception();
    return a.deltaT.value_or(-1e300) > b.deltaT.value_or(-1e300);
}

std::u16string ascii(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::u16string isoDate(const year_month_day& d)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return ascii(text);
}

}  // namespace

bool isException(const Finding& finding)
{
    return finding.severity.has_value() || finding.priority > 0;
}

fs::path previousProjectFile(std::u16string_view stored, const fs::path& projectFile)
{
    if (stored.empty()) return {};
    const fs::path path(utf16ToUtf8(stored));
    if (path.is_absolute()) return path.lexically_normal();
    return (projectFile.parent_path() / path).lexically_normal();
}

std::u16string previousProjectLink(const fs::path& previousFile, const fs::path& newFile)
{
    std::error_code ec;
    const fs::path previous = fs::absolute(previousFile, ec).lexically_normal();
    const fs::path relative =
        previous.lexically_relative(fs::absolute(newFile, ec).parent_path().lexically_normal());
    return (relative.empty() ? previous : relative).u16string();
}

Result<PreviousSurvey> readPreviousSurvey(const fs::path& file)
{
    Result<ReportProject> project = readReportProjectFile(file);
    if (!project) return project.error();
    if (!project->countsAgree()) return Error::Corrupted;
    Result<ProjectFindings> findings = readProjectFindings(*project);
    if (!findings) return Error::Corrupted;
    Result<ProjectEquipment> equipment = readProjectEquipment(*project);
    if (!equipment) return Error::Corrupted;
    PreviousSurvey s;
    s.file = file;
    s.project = std::move(*project);
    s.findings = std::move(*findings);
    s.equipment = std::move(*equipment);
    return s;
}

PreviousFindings previousFindings(const PreviousSurvey& survey, ReportTemplate reportTemplate,
                                  TempUnit unit)
{
    PreviousFindings out;
    for (const EquipmentItem& item : survey.equipment.items) {
        PreviousItem& p = out[item.id];
        p.listed = true;
        p.status = item.status;
        p.reason = item.reason;
    }
    const ReportProject& project = survey.project;
    const std::size_t count = std::min(project.entries.size(), project.records.size());
    for (std::size_t i = 0; i < count && i < survey.equipment.recordItems.size(); ++i) {
        const std::u16string& id = survey.equipment.recordItems[i];
        if (id.empty()) continue;
        const cInspectionRecord& record = project.records[i];
        const RecordFindings own = i < survey.findings.records.size()
                                       ? survey.findings.records[i]
                                       : defaultRecordFindings(record);
        cBrixa image;
        const std::u16string& snapshot = project.entries[i].snapshotPath;
        Error opened = snapshot.empty() ? Error::NotFound
                                        : openSnapshot(fs::path(utf16ToUtf8(snapshot)), image);
        if (opened == Error::None && !image.buildArrays()) opened = Error::Corrupted;
        const InspectionReadings readings =
            opened == Error::None ? inspectionReadings(image, record, unit) : InspectionReadings{};
        const Finding f =
            evaluateFinding(readings, record, own, survey.findings.settings, reportTemplate, unit);
        PreviousFinding found;
        found.inspection = i;
        found.deltaT = f.deltaT;
        found.severity = f.severity;
        found.priority = f.priority;
        found.snapshotRead = opened == Error::None;
        if (opened == Error::None) found.date = image.captureDate();
        if (!found.date && record.inspectedDated) found.date = dateOf(record.inspectedDate);
        if (!found.date) found.date = dateOf(project.title.titleDate);
        PreviousItem& item = out[id];
        if (!item.finding || worse(found, *item.finding)) item.finding = found;
    }
    return out;
}

std::optional<Comparison> compareWithPrevious(const Finding& now, std::u16string_view itemId,
                                              const PreviousFindings& previous)
{
    if (itemId.empty()) return std::nullopt;
    const auto at = previous.find(itemId);
    if (at == previous.end() || !at->second.finding) return std::nullopt;
    Comparison c;
    c.previous = *at->second.finding;
    if (now.deltaT && c.previous.deltaT)
        c.deltaTChange = roundedDifference(*now.deltaT - *c.previous.deltaT);
    const bool before = c.previous.exception(), after = isException(now);
    if (before && !after) {
        // No exception without a difference is no evidence of a repair.
        c.change = now.deltaT ? FindingChange::RepairVerified : FindingChange::NotMeasured;
    } else if (!before && after) {
        c.change = FindingChange::NewException;
    } else if (before) {
        const double step = c.deltaTChange.value_or(0.0);
        if (now.priority != c.previous.priority)
            c.change =
                now.priority > c.previous.priority ? FindingChange::Worse : FindingChange::Better;
        else if (step != 0.0)
            c.change = step > 0.0 ? FindingChange::Worse : FindingChange::Better;
    }
    return c;
}

std::vector<PreviousCell> previousColumn(const EquipmentAppendix& appendix,
                                         const PreviousFindings& previous)
{
    std::vector<PreviousCell> cells;
    cells.reserve(appendix.rows.size());
    for (const EquipmentAppendixRow& row : appendix.rows) {
        PreviousCell cell;
        if (row.item) {
            const auto at = previous.find(row.item->id);
            if (at != previous.end()) cell.item = &at->second;
        }
        cell.repairVerified = cell.item && cell.item->finding && cell.item->finding->exception() &&
                              row.outcome == EquipmentOutcome::NoException && row.measured;
        cells.push_back(cell);
    }
    return cells;
}

std::u16string englishText(const PreviousCell& cell)
{
    if (!cell.item) return {};
    const PreviousItem& p = *cell.item;
    std::u16string t;
    if (p.finding) {
        const PreviousFinding& f = *p.finding;
        std::u16string detail;
        if (f.exception()) detail = u"priority " + ascii(std::to_string(f.priority));
        if (f.deltaT) {
            char dt[32];
            std::snprintf(dt, sizeof dt, "%.1f", *f.deltaT);
            detail += (detail.empty() ? u"dT " : u", dT ") + ascii(dt);
        }
        if (f.date) detail += (detail.empty() ? u"" : u", ") + isoDate(*f.date);
        t = f.exception() ? u"exception" : u"no exception";
        if (!detail.empty()) t += u" (" + detail + u")";
    } else if (p.status == EquipmentStatus::Inspected) {
        t = u"no exception";
    } else {
        t = p.reason.empty() ? u"not inspected" : u"not inspected: " + p.reason;
    }
    if (cell.repairVerified) t += u"; repair verified";
    return t;
}

cDateTime storedDate(year_month_day date)
{
    cDateTime d;
    d.days = static_cast<double>((sys_days(date) - kStoredEpoch).count());
    return d;
}

Result<ReportProject> newSurveyFrom(const ReportProject& project, const fs::path& previousFile,
                                    const fs::path& newFile, cDateTime date)
{
    Result<ProjectFindings> findings = readProjectFindings(project);
    Result<ReportLayout> layout = readReportLayout(project);
    Result<ProjectEquipment> equipment = readProjectEquipment(project);
    if (!findings || !layout || !equipment) return Error::Corrupted;

    ReportProject next;
    next.title = project.title;
    next.title.titleDate = date;
    next.captions = project.captions;
    ProjectFindings kept;
    kept.settings = findings->settings;
    ProjectEquipment list;
    list.items = std::move(equipment->items);
    for (EquipmentItem& item : list.items) {
        item.status = EquipmentStatus::NotInspected;
        item.reason.clear();
    }
    list.previousProject = previousProjectLink(previousFile, newFile);
    if (const Error e = putProjectFindings(next, kept); e != Error::None) return e;
    if (const Error e = putReportLayout(next, *layout); e != Error::None) return e;
    if (const Error e = putProjectEquipment(next, list); e != Error::None) return e;
    return next;
}

}  // namespace calivue
