// The report generator: a whole inspection report — title page, contents pages, one page per
// inspection, summary pages — drawn through the PDF printer with one painter. The printer is
// steered through the "RW Profile" profile for the job and set back afterwards; every page is
// built from plain data (reportpage.h), so the program and the command-line tool print the same
// document from the same input.
#pragma once

#include "core/equipment.h"
#include "core/error.h"
#include "core/findings.h"
#include "core/surveycomparison.h"
#include "core/reportdata.h"
#include "core/reportstyle.h"

#include "platform/languagetable.h"
#include "platform/stringtable.h"

#include <QImage>
#include <QLocale>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace calivue {

class PdfPrinter;
class PdfPrinterListener;
struct ReportProject;

// Everything one report is made from: beyond the snapshot files its entries name, the
// generator reads nothing else (no active string table), so a job prints the same whatever
// the process's own interface language is.
struct ReportJob {
    ReportTitle title;
    std::array<std::u16string, 4> titleCaptions;
    std::array<std::u16string, 13> detailsCaptions;
    std::vector<cInspectionImage> entries;   // one page per entry, in order
    std::vector<cInspectionRecord> records;  // record i belongs to entry i
    // The project's findings data: criteria settings, survey conditions and one record per
    // entry (the defaults for a project that has none).
    ProjectFindings findings;
    // The project's equipment data: with a list the report ends with the "Equipment" appendix
    // (none for a project without equipment data).
    ProjectEquipment equipment;
    // The previous survey the equipment data link, as read; its inspections are compared with
    // this survey's. Empty without a link, or when the link did not read (previousProblem).
    std::optional<PreviousSurvey> previous;
    ReportLayout layout = ReportLayout::Classic;  // the pages the report is printed on
    ReportTemplate reportTemplate = ReportTemplate::Maintenance;
    TempUnit unit = TempUnit::Celsius;
    Language language = Language::English;  // footers (Hebrew reverses the numbers)
    StringTable texts;              // the language's texts; English by default
    QLocale locale = QLocale::c();  // the dates and the decimal separator the pages print
    QImage logo;                    // null: no logo
    QString outputPath;             // the PDF file to write, as the user reads it
    // The PDF file as the file system names it, when the name is not one a QString holds
    // intact (bytes that are not UTF-8); empty: outputPath.
    std::filesystem::path outputFile;
    // Set by reportJobFromProject when the title names a logo that did not load: the path and
    // what is wrong with it ("not a picture this program can read").
    QString logoProblem;
    // Set by reportJobFromProject when the project's findings section does not read: the
    // report is then printed without findings.
    QString findingsProblem;
    // Set by reportJobFromProject when the project's layout section does not read: the
    // report is then printed in the classic layout.
    QString layoutProblem;
    // Set by reportJobFromProject when the equipment section does not read: the report is
    // then printed without the appendix and the comparison.
    QString equipmentProblem;
    // Set by reportJobFromProject when the linked previous survey is moved, missing or does
    // not read: the user's message (in the interface language), said once; the report is
    // printed without the comparison.
    QString previousProblem;
};

// Whether the job prints findings: the project carries findings data that read, or an
// equipment list (whose appendix names the exceptions the findings are). A job without prints
// exactly the designed report (no finding band, no appendix, the stored priorities in the
// summary).
bool printsFindings(const ReportJob& job);

// Whether the job prints the "Equipment" appendix: its equipment data read and hold a list.
bool printsEquipment(const ReportJob& job);

// A job from a report project: its title, entries, records and captions (the defaults when it
// has none). The logo is loaded from the title's logo path when that names a picture. The
// previous survey is read from the path the equipment data hold, a relative one taken from the
// folder of `projectFile` (the project's own file; empty for a project not saved yet).
ReportJob reportJobFromProject(const ReportProject& project,
                               const std::filesystem::path& projectFile = {});

// Called after each page with the pages done and the total; false cancels the job.
using ReportProgress = std::function<bool(int done, int total)>;

// How a report job ended: `error` is None when the file was written, Cancelled when the
// progress callback stopped it, WriteFailed when the file could not be made (message says why).
struct ReportOutcome {
    Error error = Error::WriteFailed;
    int errorCode = 0;  // the printer's own event code (PdfPrinter::ErrorCode) of a PDF not saved
    int pages = 0;      // pages drawn
    QString path;       // the file written when saved
    QString message;    // the user's message when not saved (the printer's failure text)
};

// The profile "RW Profile" of a job writing `path`, made active on the printer; returns the
// profile that was active before (to be restored by endReportProfile).
struct SavedProfile {
    QString name;
    int flags = 0;
};
SavedProfile beginReportProfile(PdfPrinter& printer, const QString& path,
                                PdfPrinterListener* listener);
void endReportProfile(PdfPrinter& printer, const SavedProfile& saved);

// Prints the job. `listener` (may be null) also hears the printer's file-saved and
// print-error events. The document goes to the file through the core's checked atomic writer:
// an already existing file of the same name is replaced only when all of it is written, and a
// write that fails (a full disk) is the printer's save error with the file and the reason.
ReportOutcome runReportJob(const ReportJob& job, PdfPrinter& printer,
                           const ReportProgress& progress = {},
                           PdfPrinterListener* listener = nullptr);

// The same with a printer of its own, initialised as the program's report printer.
ReportOutcome writeReport(const ReportJob& job, const ReportProgress& progress = {});

// The short, locale-formatted date of a stored date-time, its year in four digits; empty when
// it is not a valid date.
QString reportDateText(const cDateTime& value, const QLocale& locale);

}  // namespace calivue
