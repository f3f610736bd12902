#include "detailsdlg.h"

#include "reorder.h"

#include <map>

namespace calivue {

// Only the record list is built yet; the page's controls come with the details page.
namespace {
std::vector<cInspectionRecord>& recordsOf(const DetailsDlg* page)
{
    static std::map<const DetailsDlg*, std::vector<cInspectionRecord>> all;
    return all[page];
}
}  // namespace

DetailsDlg::DetailsDlg(ReportContext&, QWidget* parent) : QWidget(parent) {}
DetailsDlg::~DetailsDlg()
{
    recordsOf(this).clear();
}
void DetailsDlg::setImageSelect(ImageSelectDlg*) {}
const std::vector<cInspectionRecord>& DetailsDlg::records() const
{
    return recordsOf(this);
}
int DetailsDlg::recordCount() const
{
    return static_cast<int>(recordsOf(this).size());
}
void DetailsDlg::appendRecord()
{
    recordsOf(this).emplace_back();
}
void DetailsDlg::appendRecords(const std::vector<cInspectionRecord>& records)
{
    recordsOf(this).insert(recordsOf(this).end(), records.begin(), records.end());
}
void DetailsDlg::removeRecord(int index)
{
    auto& r = recordsOf(this);
    if (index >= 0 && index < static_cast<int>(r.size())) r.erase(r.begin() + index);
}
void DetailsDlg::moveRecord(int source, int target)
{
    moveByDrop(recordsOf(this), source, target);
}
void DetailsDlg::clearRecords()
{
    recordsOf(this).clear();
}
int DetailsDlg::currentInspection() const
{
    return 0;
}
void DetailsDlg::setCurrentInspection(int) {}
void DetailsDlg::activatePage() {}
void DetailsDlg::showInspection() {}
void DetailsDlg::storeInspection() {}
void DetailsDlg::next() {}
void DetailsDlg::previous() {}
int DetailsDlg::unit() const
{
    return 0;
}
void DetailsDlg::resetForProjectLoad()
{
    clearRecords();
}
void DetailsDlg::afterProjectLoad() {}
std::array<std::u16string, 13> DetailsDlg::captions() const
{
    return defaultReportCaptions().details;
}
void DetailsDlg::setCaption(int, const QString&) {}
void DetailsDlg::resetCaptions() {}
void DetailsDlg::writeChangedCaptions() {}

}  // namespace calivue
