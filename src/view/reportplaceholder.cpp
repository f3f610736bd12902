#include "reportplaceholder.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QLabel>

namespace calivue {

cReportPlaceholder::cReportPlaceholder(QWidget* parent) : QTabWidget(parent)
{
    for (int title : {sid::TitlePage, sid::ImageSelectPage, sid::InspectionDataPage}) {
        auto* page = new QLabel(uiText(sid::ReportWriterUnavailable));
        page->setAlignment(Qt::AlignCenter);
        addTab(page, uiText(title));
    }
}

}  // namespace calivue
