// "Generate PDF Report" of report mode: the pages' data handed to the report generator.
#include "reportsheet.h"

namespace calivue {

// Not built yet: comes with the PDF report.
void cReportSheet::generateReport() {}

}  // namespace calivue
