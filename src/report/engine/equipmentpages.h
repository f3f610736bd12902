// What an equipment list adds to the printed report, in both layouts: the appendix "Equipment"
// (every item in list order with its status, its previous finding when the survey has a
// previous one, and the count line) and the comparison an inspection page prints below its
// finding. The texts are in the report's language; the rules are the core's
// (equipmentappendix.h, surveycomparison.h).
#pragma once

#include "report/engine/findingtext.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"

#include "core/equipmentappendix.h"
#include "core/surveycomparison.h"

#include <QLocale>

#include <span>
#include <vector>

namespace calivue {

// "exception, see page 4", "no exception", "not inspected: inaccessible".
QString equipmentStatusText(const EquipmentAppendixRow& row, const StringTable& texts);
// "12 items, 9 inspected, 3 with exceptions, 3 not inspected".
QString equipmentCountText(const EquipmentCounts& counts, const StringTable& texts);
// The column "previous": "exception (priority 4, ΔT 12.3 °C, 21/03/2025); repair verified".
QString previousCellText(const PreviousCell& cell, TempUnit unit, const QLocale& locale,
                         const StringTable& texts);
// The two lines an inspection page prints for its comparison: the previous finding (date, ΔT,
// class, priority) and the change ("Change: repair verified (ΔT -11.6 °C)").
std::vector<PrintedLine> comparisonLines(const Comparison& comparison, TempUnit unit,
                                         const QLocale& locale, const StringTable& texts);

struct EquipmentRowText {
    QString id, location, description, status, previous;
    // The status the row is laid out for: at least as long as any status it may print, so
    // the pages can be counted before the inspections' findings are known.
    QString reserve;
};

struct EquipmentPagesData {
    std::vector<EquipmentRowText> rows;
    QString counts;
    QString countsReserve;  // the count line the pages are laid out for, as `reserve`
    bool previousColumn = false;
};

// The appendix's texts. `inspections` by position as equipment.recordItems; `reserve` gives the
// statuses the rows are laid out for (the same spans when the findings are known, or every
// inspection marked an exception to count pages before). `previous` null: no column
// "previous".
EquipmentPagesData equipmentPagesData(const ProjectEquipment& equipment,
                                      std::span<const InspectionOnPage> inspections,
                                      std::span<const InspectionOnPage> reserve,
                                      const PreviousFindings* previous, TempUnit unit,
                                      const QLocale& locale, const StringTable& texts);

// The appendix pages (without footers): the heading "Equipment", the count line, then a table
// whose header repeats on every page; each row as tall as its longest text (the status laid
// out as `reserve`), a row never split.
std::vector<PageItems> equipmentPages(const EquipmentPagesData& data, const ReportFonts& fonts,
                                      const StringTable& texts);

}  // namespace calivue
