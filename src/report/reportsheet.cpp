#include "report/reportsheet.h"

#include "report/detailsdlg.h"
#include "report/imageselectdlg.h"
#include "document/reportdoc.h"
#include "report/titledlg.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include "document/vantorodoc.h"

namespace calivue {

cReportSheet::cReportSheet(ReportContext context, CVantoroDoc& doc, QWidget* parent)
    : QTabWidget(parent), m_context(std::make_unique<ReportContext>(std::move(context)))
{
    m_context->doc = &doc;
    if (!m_context->report) {
        m_ownDocument = std::make_unique<CReportDoc>();
        m_context->report = m_ownDocument.get();
    }
    if (!m_context->saveProject) m_context->saveProject = [this] { return saveProject(); };
    if (!m_context->generateReport) m_context->generateReport = [this] { generateReport(); };
    if (!m_context->newSurvey) m_context->newSurvey = [this] { newSurveyFromProject(); };
    if (!m_context->generateWordReport)
        m_context->generateWordReport = [this] { generateWordReport(); };

    m_title = new TitleDlg(*m_context, this);
    m_images = new ImageSelectDlg(*m_context, this);
    m_details = new DetailsDlg(*m_context, this);
    addTab(m_title, uiText(sid::TitlePage));
    addTab(m_images, uiText(sid::ImageSelectPage));
    addTab(m_details, uiText(sid::InspectionDataPage));
    m_shownPage = currentIndex();
    connect(this, &QTabWidget::currentChanged, this, &cReportSheet::onPageChanged);
}

cReportSheet::~cReportSheet()
{
    // The pages write their settings through the context as they close, so they go while
    // it still exists (Qt would delete them only after the members are gone).
    disconnect(this, &QTabWidget::currentChanged, this, nullptr);
    delete std::exchange(m_details, nullptr);
    delete std::exchange(m_images, nullptr);
    delete std::exchange(m_title, nullptr);
}

ViewSheetFactory cReportSheet::factory(ReportContext context,
                                       std::function<void(cReportSheet*)> built)
{
    return [context = std::move(context), built = std::move(built)](CVantoroDoc& doc,
                                                                    cDisplaySet&) -> QWidget* {
        auto* sheet = new cReportSheet(context, doc);
        if (built) built(sheet);
        return sheet;
    };
}

QString cReportSheet::projectName() const
{
    return document().name();
}

QString cReportSheet::projectFolder() const
{
    return document().folder();
}

bool cReportSheet::projectModified() const
{
    return document().isModified();
}

void cReportSheet::setProjectModified(bool modified)
{
    document().setModified(modified);
}

void cReportSheet::onPageChanged(int index)
{
    // Leaving a page moves its controls into its data; the details page shows its
    // inspection when it comes to the front.
    if (widget(m_shownPage) == m_title) m_title->leavePage();
    if (widget(m_shownPage) == m_details) m_details->storeInspection();
    m_shownPage = index;
    if (widget(index) == m_details) m_details->activatePage();
}

void cReportSheet::takeCurrentImage()
{
    if (m_details) m_details->showInspection();
}

}  // namespace calivue
