// A re-inspection: the survey compared with the previous survey of the same equipment. The
// previous project is read from the path the equipment data store (relative to the current
// project's folder, or absolute), each of its inspections that names an item gets its finding
// from its snapshot, and an inspection of the current survey is set beside the previous finding
// of its item. Also the start of such a survey: a new project made from the previous one.
#pragma once

#include "core/equipment.h"
#include "core/equipmentappendix.h"
#include "core/error.h"
#include "core/findings.h"
#include "core/reportproject.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace calivue {

// An exception: a class, or a priority above 0.
bool isException(const Finding& finding);

// The previous project's file: `stored` as is when absolute, else taken from the folder of
// `projectFile` (the current project's file; its own folder is the working folder when it has
// none). Empty for an empty `stored`.
std::filesystem::path previousProjectFile(std::u16string_view stored,
                                          const std::filesystem::path& projectFile);

// The link a new project at `newFile` stores to the previous project `previousFile`: relative to
// the new project's folder when the two share a root, so a survey folder tree moved as a whole
// keeps it; else absolute.
std::u16string previousProjectLink(const std::filesystem::path& previousFile,
                                   const std::filesystem::path& newFile);

// The previous survey as read: its project, findings and equipment data.
struct PreviousSurvey {
    std::filesystem::path file;
    ReportProject project;
    ProjectFindings findings;
    ProjectEquipment equipment;
};

// Reads the previous survey: the errors of readReportProjectFile (NotFound for a moved or
// missing file), Corrupted when its entry and record counts differ or its findings or
// equipment section does not read.
Result<PreviousSurvey> readPreviousSurvey(const std::filesystem::path& file);

// What the previous survey found for one inspection.
struct PreviousFinding {
    std::size_t inspection = 0;  // its position in the previous project
    // The snapshot's capture date; else the record's inspected date; else the title's date.
    std::optional<std::chrono::year_month_day> date;
    std::optional<double> deltaT;  // in the unit the findings were taken in
    std::optional<SeverityBand> severity;
    int priority = 0;
    bool snapshotRead = true;  // false: the snapshot did not open, so there are no readings

    bool exception() const { return severity.has_value() || priority > 0; }
    bool operator==(const PreviousFinding&) const = default;
};

// One item as the previous survey has it.
struct PreviousItem {
    bool listed = false;  // the previous list holds the item
    EquipmentStatus status = EquipmentStatus::NotInspected;
    std::u16string reason;
    // Of the item's inspections the one with the highest priority (an exception before none,
    // then the larger difference, then the first); empty when none names the item.
    std::optional<PreviousFinding> finding;

    bool operator==(const PreviousItem&) const = default;
};

// By item identifier: every item the previous list holds or an inspection of it names.
using PreviousFindings = std::map<std::u16string, PreviousItem, std::less<>>;

// The previous survey's findings for `reportTemplate` and `unit`, as the
// current report takes its own. Only the snapshots of inspections that name an item are opened.
PreviousFindings previousFindings(const PreviousSurvey& survey, ReportTemplate reportTemplate,
                                  TempUnit unit);

// --- comparison -------------------------------------------------------------------------------

enum class FindingChange {
    RepairVerified,  // the previous exception has none now
    NewException,    // none before, one now
    Worse,           // both exceptions: a higher priority, or the same and a larger difference
    Better,          // both exceptions: a lower priority, or the same and a smaller difference
    Unchanged,       // both exceptions alike, or no exception either time
    NotMeasured,     // the previous exception, and no difference now to judge it by (the
                     // snapshot did not read, or no pair of readings is chosen)
};

struct Comparison {
    PreviousFinding previous;
    FindingChange change = FindingChange::Unchanged;
    std::optional<double> deltaTChange;  // now − before, rounded to 0.1, when both have one
    bool operator==(const Comparison&) const = default;
};

// The comparison of an inspection naming `itemId` with `now` its finding; empty when it names
// no item or the previous survey has no finding for it.
std::optional<Comparison> compareWithPrevious(const Finding& now, std::u16string_view itemId,
                                              const PreviousFindings& previous);

// The appendix column "previous" for one row: the item as the previous survey had it (nullptr
// when it knew nothing of it) and whether its previous exception has none now, as measured.
struct PreviousCell {
    const PreviousItem* item = nullptr;
    bool repairVerified = false;
};
std::vector<PreviousCell> previousColumn(const EquipmentAppendix& appendix,
                                         const PreviousFindings& previous);

// "exception (priority 4, dT 12.3, 2025-03-21)", "no exception (2025-03-21)",
// "not inspected: inaccessible", "" when nothing is known, with "; repair verified" where it is.
std::u16string englishText(const PreviousCell& cell);

// --- a new survey -----------------------------------------------------------------------------

// A new survey of the same equipment: the title values with `date`, the captions, the findings
// settings and survey conditions, the report layout, the equipment list with every status reset
// to not inspected (no reason) and `previousFile` as the link to the previous project; no
// inspections and no other section. The link is previousProjectLink's. Corrupted when the project's
// findings, layout or equipment section does not read (the new survey would lose them without a
// word).
Result<ReportProject> newSurveyFrom(const ReportProject& project,
                                    const std::filesystem::path& previousFile,
                                    const std::filesystem::path& newFile, cDateTime date);

// The days since 30 December 1899 of a calendar date, as project files store dates.
cDateTime storedDate(std::chrono::year_month_day date);

}  // namespace calivue
