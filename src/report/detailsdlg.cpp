#include "report/detailsdlg.h"

#include "report/detailsdlg_state.h"
#include "report/engine/reporttext.h"

#include <QDateTimeEdit>

namespace calivue {

DetailsDlg::DetailsDlg(ReportContext& context, QWidget* parent)
    : QWidget(parent), m_d(std::make_unique<State>(context))
{
    m_d->unit = tempUnitFrom(tempUnitNumber(context.tempUnit)).value_or(TempUnit::Celsius);
    buildPage();
    CReportDoc& doc = m_d->doc;
    // Edits still in the controls go into their record while the indexes are still theirs.
    connect(&doc, &CReportDoc::aboutToChange, this, [this] { settleEdits(); });
    connect(&doc, &CReportDoc::changed, this, &DetailsDlg::onDocumentChanged);
    // The captions the page shows are the project's.
    pushCaptions();
}

DetailsDlg::~DetailsDlg()
{
    writeChangedCaptions();
}

void DetailsDlg::buildPage()
{
    buildDetailsControls(this, m_d->c, m_d->unit);
    applyTemplate();
    connectChanges();
    updateInspectionLabel();
    showEquipmentItems();
    m_d->initialised = true;
}

const DetailsControls& DetailsDlg::controls() const
{
    return m_d->c;
}

// --- records ---------------------------------------------------------------------------

std::vector<cInspectionRecord> DetailsDlg::records() const
{
    return m_d->doc.records();
}

int DetailsDlg::recordCount() const
{
    return m_d->doc.inspectionCount();
}

// Before the list changes, edits still in the controls go into the record they belong to;
// afterwards the controls no longer stand for a position in the list.
void DetailsDlg::settleEdits()
{
    if (m_d->edited) storeInspection();
    m_d->shown = 0;
    m_d->edited = false;
}

void DetailsDlg::onDocumentChanged(const ReportChange& change)
{
    if (change.has(ReportPart::Project)) {
        onProjectReplaced();
        return;
    }
    if (change.what & (ReportPart::Inserted | ReportPart::Removed)) onInspectionsChanged();
    if (change.has(ReportPart::Moved)) updateInspectionLabel();
    // The inspection on show changed by another writer is shown afresh; the page's own stores
    // are what the controls already show.
    const bool onShow = change.first >= 0 && change.first + 1 == m_d->shown;
    if (change.has(ReportPart::Record) && onShow && !m_d->storing) showInspection();
    if (change.has(ReportPart::FindingsSettings) ||
        (change.has(ReportPart::Findings) && onShow && !m_d->storing))
        showFinding();
    if (change.has(ReportPart::Captions)) onCaptionsChanged();
    if (change.has(ReportPart::Equipment) ||
        (change.has(ReportPart::EquipmentLink) && onShow && !m_d->linking))
        showEquipmentItems();
}

void DetailsDlg::onInspectionsChanged()
{
    // Rows added or removed: no inspection is on show until the page is brought forward.
    m_d->current = 0;
    updateInspectionLabel();
}

void DetailsDlg::onProjectReplaced()
{
    if (recordCount() > 0)
        afterProjectLoad();
    else
        resetForProjectLoad();
    onCaptionsChanged();
}

// --- the inspection on show --------------------------------------------------------------

int DetailsDlg::inspectionCount() const
{
    return recordCount();
}

const cInspectionImage* DetailsDlg::currentEntry() const
{
    const cInspection* inspection = m_d->doc.inspection(m_d->current - 1);
    return inspection ? &inspection->image : nullptr;
}

int DetailsDlg::currentInspection() const
{
    return m_d->current;
}

void DetailsDlg::setCurrentInspection(int number)
{
    m_d->current = number >= 0 && number <= inspectionCount() ? number : 0;
}

void DetailsDlg::activatePage()
{
    if (m_d->current == 0 && inspectionCount() > 0) m_d->current = 1;
    showInspection();
}

void DetailsDlg::next()
{
    const int count = inspectionCount();
    if (count < 2) return;
    storeInspection();
    m_d->current = m_d->current >= count || m_d->current < 1 ? 1 : m_d->current + 1;
    showInspection();
}

void DetailsDlg::previous()
{
    const int count = inspectionCount();
    if (count < 2) return;
    storeInspection();
    m_d->current = m_d->current <= 1 || m_d->current > count ? count : m_d->current - 1;
    showInspection();
}

TempUnit DetailsDlg::unit() const
{
    return m_d->unit;
}

// --- project load ----------------------------------------------------------------------

void DetailsDlg::resetForProjectLoad()
{
    m_d->updating = true;
    clearFieldControls();
    for (int step = 0; step < 3; ++step) {
        setStepDated(step, false);
        m_d->c.steps[step].date->setDateTime(QDateTime::currentDateTime());
    }
    m_d->updating = false;
    m_d->shown = 0;
    m_d->edited = false;
    m_d->current = 0;
    updateInspectionLabel();
    m_d->snapshot.reset();
    m_d->c.preview->setSnapshot(nullptr);
    showEquipmentItems();
}

void DetailsDlg::afterProjectLoad()
{
    m_d->current = inspectionCount() > 0 ? 1 : 0;
    showInspection();
}

// --- buttons ---------------------------------------------------------------------------

void DetailsDlg::onEditImage()
{
    const cInspectionImage* entry = currentEntry();
    if (!entry || !m_d->ctx.editImage) return;
    // The snapshot leaves for the analysis window: what was typed here stays with its record.
    storeInspection();
    m_d->ctx.editImage(toQString(entry->bitmapPath));
}

void DetailsDlg::onGenerateReport()
{
    storeInspection();
    if (m_d->ctx.generateReport) m_d->ctx.generateReport();
}

void DetailsDlg::onSaveProject()
{
    storeInspection();
    if (m_d->ctx.saveProject) m_d->ctx.saveProject();
}

}  // namespace calivue
