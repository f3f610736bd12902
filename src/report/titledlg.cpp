#include "titledlg.h"

namespace calivue {

// Not built yet: the page's controls and settings come with the title page.
TitleDlg::TitleDlg(ReportContext&, QWidget* parent) : QWidget(parent) {}
TitleDlg::~TitleDlg() = default;
ReportTitle TitleDlg::title() const
{
    return {};
}
std::array<std::u16string, 4> TitleDlg::captions() const
{
    return defaultReportCaptions().title;
}
const QImage& TitleDlg::logo() const
{
    static const QImage none;
    return none;
}
QSize TitleDlg::logoSize() const
{
    return {-1, -1};
}
void TitleDlg::resetForProjectLoad() {}
bool TitleDlg::setLogoPath(const QString&)
{
    return false;
}
void TitleDlg::setCompany(const QString&) {}
void TitleDlg::setAuthor(const QString&) {}
void TitleDlg::setDateShown(bool) {}
void TitleDlg::setTitleDate(const cDateTime&) {}
void TitleDlg::setComments(const QString&) {}
void TitleDlg::setCaption(int, const QString&) {}
void TitleDlg::resetCaptions() {}
void TitleDlg::leavePage() {}

}  // namespace calivue
