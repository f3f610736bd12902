// The modern layout's run of a report job (reportgenerator.h): the inspections are laid out
// first, so the contents know every page, then the pages are printed with their pictures.
// Internal to the report engine: runReportJob calls it for a job whose layout is modern.
#pragma once

#include "report/engine/equipmentpages.h"
#include "report/engine/modernpages.h"
#include "report/engine/pdfnavigation.h"
#include "report/engine/reportgenerator.h"
#include "report/engine/reportpage.h"

#include "core/equipmentappendix.h"
#include "core/surveycomparison.h"
#include "report/engine/snapshotstrip.h"

#include "core/snapshotfiles.h"

#include <span>

class QPainter;

namespace calivue {

class cBrixa;

namespace detail {

// Shared with the classic run (reportgenerator.cpp).
QString captureDateText(const cBrixa& img, const ReportJob& job);
QString captureTimeText(const cBrixa& img, const ReportJob& job);
QString openFailureText(Error e);
InspectionPageData inspectionData(const ReportJob& job, std::size_t i);
TitlePageData titleData(const ReportJob& job);
// The previous survey's findings in the job's template and unit; empty without one (or
// without an equipment list to match its items by).
PreviousFindings previousFindingsOf(const ReportJob& job);
// Inspection i's comparison with the previous survey; empty when it names no item the
// previous survey has a finding for.
std::vector<PrintedLine> comparisonOf(const ReportJob& job, const PreviousFindings& previous,
                                      std::size_t i, const Finding& finding);
// The "Equipment" appendix's texts for the inspections on their pages, laid out for the
// statuses `reserve` gives (see equipmentPagesData); with the column "previous" when the job
// has a previous survey. The PDF pages and the Word table both print these.
EquipmentPagesData equipmentAppendixData(const ReportJob& job, const PreviousFindings& previous,
                                         std::span<const InspectionOnPage> inspections,
                                         std::span<const InspectionOnPage> reserve);
// The "Equipment" appendix pages (no footers) for the inspections on their pages, laid out for
// the statuses `reserve` gives (see equipmentPagesData).
std::vector<PageItems> equipmentAppendixPages(const ReportJob& job,
                                              const PreviousFindings& previous,
                                              std::span<const InspectionOnPage> inspections,
                                              std::span<const InspectionOnPage> reserve);
// The title the PDF's document information carries: "Company – Report title", or the report
// title alone without a company.
QString documentTitle(const ReportJob& job);

// An inspection as the modern layout prints it, with its snapshot still loaded for the
// pictures (a snapshot that did not open leaves it empty and says why in data.page.snapshot).
struct LoadedInspection {
    ModernInspectionData data;
    ReportSnapshot snapshot;
};
void loadModernInspection(const ReportJob& job, std::size_t i, LoadedInspection& out);

struct ModernRun {
    Error error = Error::WriteFailed;
    int pages = 0;
};

// Prints the job's pages on painter (the printer's first page already started) and fills in
// the document's title, author, outline and contents links. None when every page was drawn
// (the caller ends the document), Cancelled when progress said stop, WriteFailed when a new
// page could not be started.
ModernRun printModernReport(const ReportJob& job, PdfPrinter& printer, QPainter& painter,
                            const ReportProgress& progress, PdfNavigation& navigation);

}  // namespace detail
}  // namespace calivue
