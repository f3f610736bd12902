// Internal to the report/engine layer.
// What an inspection of the modern layout says, as texts without a place on a page: the label
// and value rows of its details and measurement parameters, its two free texts, the repair
// table, the line printed in place of pictures that did not load. The PDF pages lay these out
// (modernpages.h); the Word document writes them as paragraphs and tables (docxreport.h), so
// both carry the same words.
#pragma once

#include "report/engine/modernpages.h"

#include "platform/stringtable.h"

#include <QString>

#include <array>
#include <vector>

namespace calivue {

// A label | value row; a row without label (a null label) is one full-width value.
struct ModernRow {
    QString label;
    QString value;
};

// A caption of the details page as the job's template has it (k 1-based, in project order).
QString modernCaption(const InspectionPageData& page, int k, const StringTable& texts);

// Equipment (when the template shows it), location, operator and the capture date and time.
std::vector<ModernRow> modernDetailRows(const ModernInspectionData& d, const StringTable& texts);

// Emissivity, reflected temperature, measured and rated values, condition and (when the
// template shows them) the five weather values with their units.
std::vector<ModernRow> modernParameterRows(const ModernInspectionData& d, const StringTable& texts);

// The comment and the fault text, each under its heading, never shortened.
struct ModernTextSection {
    QString heading;
    QString text;
};
std::array<ModernTextSection, 2> modernTextSections(const ModernInspectionData& d,
                                                    const StringTable& texts);

// The repair table: a header row (action, date, initials) and the inspected, repaired and
// reinspected rows.
using ModernRepairCells = std::array<std::array<QString, 3>, 4>;
ModernRepairCells modernRepairCells(const ModernInspectionData& d, const StringTable& texts);

// Printed in place of the pictures of a snapshot that did not load: why, or that it was not
// found.
QString modernPictureFailure(const InspectionPageData& page, const StringTable& texts);

// Whether the readings table has the emissivity column (a marker's differs from the image's).
bool modernReadingsWithEmissivity(const ModernInspectionData& d);

}  // namespace calivue
