// ReportChange: what one change of the report project touched. CReportDoc announces every
// change once, as one of these (CReportDoc::changed); each page, dialog and window reads the
// parts it shows and redoes only those, reading the values from the document itself.
#pragma once

#include <QFlags>

#include <cstdint>

namespace calivue {

enum class ReportPart : std::uint32_t {
    // A project was read or a new one started: every value below is new.
    Project = 1u << 0,
    Inserted = 1u << 1,  // inspections first .. first + count − 1 are new
    Removed = 1u << 2,   // count inspections from first are gone
    Moved = 1u << 3,     // inspection first is now at to
    Record = 1u << 4,    // inspection first's record (its details) changed
    Findings = 1u << 5,  // inspection first's findings data or its priority changed
    // The item inspection first names changed.
    EquipmentLink = 1u << 6,
    Title = 1u << 7,             // the title page's values
    Captions = 1u << 8,          // the input fields' labels
    FindingsSettings = 1u << 9,  // the criteria settings and survey conditions
    // The equipment list or the previous project (the inspections' links may have followed).
    Equipment = 1u << 10,
    Style = 1u << 11,     // the report's layout or language
    Saved = 1u << 12,     // the project was written (name and folder may be new)
    Modified = 1u << 13,  // the modified flag changed (isModified() tells which way)
};
Q_DECLARE_FLAGS(ReportParts, ReportPart)
Q_DECLARE_OPERATORS_FOR_FLAGS(ReportParts)

// The parts that change which inspection an index names: a page editing an inspection by
// its index hears them first as a pre-notice (CReportDoc::aboutToChange).
inline constexpr ReportParts kReportListChanges = ReportParts(ReportPart::Project) |
                                                  ReportPart::Inserted | ReportPart::Removed |
                                                  ReportPart::Moved;

// One announcement: the parts, and for the parts that name inspections, which ones. A change
// carries at most one of Inserted, Removed, Moved, Record, Findings and EquipmentLink, so the
// numbers are never shared.
struct ReportChange {
    ReportParts what;
    int first = -1;  // the first inspection concerned (Moved: where it was)
    int count = 0;   // how many from first (Inserted, Removed; 1 for the single-index parts)
    int to = -1;     // Moved: where it is now

    bool has(ReportPart part) const { return what.testFlag(part); }
};

}  // namespace calivue
