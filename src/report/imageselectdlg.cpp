#include "imageselectdlg.h"

#include "detailsdlg.h"
#include "reporttext.h"

#include <map>

namespace calivue {

// Only the inspections rows are built yet (without thumbnails or checks); the page's
// controls, scanning and preview come with the image selection page.
namespace {
struct StubState {
    DetailsDlg* details = nullptr;
    std::vector<cInspectionImage> rows;
    QString folder;
};
StubState& stateOf(const ImageSelectDlg* page)
{
    static std::map<const ImageSelectDlg*, StubState> all;
    return all[page];
}
}  // namespace

ImageSelectDlg::ImageSelectDlg(ReportContext&, QWidget* parent) : QWidget(parent) {}
ImageSelectDlg::~ImageSelectDlg()
{
    stateOf(this) = {};
}
void ImageSelectDlg::setDetails(DetailsDlg* page)
{
    stateOf(this).details = page;
}
int ImageSelectDlg::rowCount() const
{
    return static_cast<int>(stateOf(this).rows.size());
}
const cInspectionImage* ImageSelectDlg::entryAt(int row) const
{
    const auto& rows = stateOf(this).rows;
    return row >= 0 && row < static_cast<int>(rows.size()) ? &rows[row] : nullptr;
}
std::vector<cInspectionImage> ImageSelectDlg::entries() const
{
    return stateOf(this).rows;
}
bool ImageSelectDlg::loadProjectEntries(const std::vector<cInspectionImage>& entries,
                                        const std::vector<cInspectionRecord>& records)
{
    clearInspections();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!addProjectImage(toQString(entries[i].bitmapPath), static_cast<int>(i))) return false;
    if (DetailsDlg* details = stateOf(this).details) {
        details->clearRecords();
        details->appendRecords(records);
    }
    return true;
}
bool ImageSelectDlg::addProjectImage(const QString& bitmapPath, int)
{
    if (bitmapPath.isEmpty()) return true;
    const QString base = bitmapPath.left(bitmapPath.lastIndexOf(QLatin1Char('.')));
    auto& rows = stateOf(this).rows;
    rows.push_back({toU16(base + QStringLiteral(".qvx")), toU16(base + QStringLiteral(".bmp")),
                    static_cast<std::int32_t>(rows.size())});
    return true;
}
void ImageSelectDlg::clearInspections()
{
    stateOf(this).rows.clear();
}
QString ImageSelectDlg::snapshotFolder() const
{
    return stateOf(this).folder;
}
void ImageSelectDlg::setSnapshotFolder(const QString& folder)
{
    stateOf(this).folder = folder;
}
void ImageSelectDlg::scanFolder() {}
void ImageSelectDlg::preview(const QString&) {}

}  // namespace calivue
