// The report as a Word document (Office Open XML, .docx) that opens and edits in any word
// processor: the modern layout's content (title page with logo and fields, contents as a TOC
// field, one heading per inspection on a new page with its pictures, colour scale and numbered
// markers as PNG pictures, readings, finding with the comparison with the previous survey,
// texts and tables, the summary, the criteria appendix and, for a project with an equipment
// list, the equipment appendix) in named styles, "Page X of Y" as page fields in the footer.
// Written like the PDF: under a temporary name, renamed when complete.
#pragma once

#include "report/engine/reportgenerator.h"

#include <QString>

namespace calivue {

enum class ReportFormat { Pdf, Docx };

// The format a file name asks for: Word for a ".docx" suffix (any case), else PDF.
ReportFormat reportFormatOf(const QString& path);

// Writes the job as a Word document to job.outputFile (or job.outputPath). progress is called
// after each inspection with the inspections done and their number; false cancels, and nothing
// is written. A failure keeps an earlier file of that name and says why in the message; pages
// is the number of inspections written.
ReportOutcome writeDocxReport(const ReportJob& job, const ReportProgress& progress = {});

}  // namespace calivue
