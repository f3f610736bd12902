// The report project of report mode: writing and reading the .vrp file through the pages,
// and the File Open / Save / Save As commands.
#include "reportsheet.h"

namespace calivue {

// Not built yet: the project writer and reader come with the File commands.
bool cReportSheet::writeProject(const QString&)
{
    return false;
}
bool cReportSheet::readProject(const QString&)
{
    return false;
}
void cReportSheet::openProject() {}
bool cReportSheet::saveProject()
{
    return false;
}
bool cReportSheet::saveProjectAs()
{
    return false;
}

}  // namespace calivue
