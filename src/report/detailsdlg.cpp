#include "detailsdlg.h"

#include "detailsdlg_state.h"
#include "imageselectdlg.h"
#include "reorder.h"
#include "reporttext.h"

#include <QDateTimeEdit>

namespace calivue {

DetailsDlg::DetailsDlg(ReportContext& context, QWidget* parent)
    : QWidget(parent), m_d(std::make_unique<State>(context))
{
    m_d->unit = context.tempUnit >= 0 && context.tempUnit <= 2 ? context.tempUnit : 0;
    buildPage();
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
    m_d->initialised = true;
}

const DetailsControls& DetailsDlg::controls() const
{
    return m_d->c;
}

void DetailsDlg::setImageSelect(ImageSelectDlg* page)
{
    m_d->images = page;
}

// --- records ---------------------------------------------------------------------------

const std::vector<cInspectionRecord>& DetailsDlg::records() const
{
    return m_d->records;
}

int DetailsDlg::recordCount() const
{
    return static_cast<int>(m_d->records.size());
}

// Before the list changes, edits still in the controls go into the record they belong to;
// afterwards the controls no longer stand for a position in the list.
void DetailsDlg::settleEdits()
{
    if (m_d->edited) storeInspection();
    m_d->shown = 0;
    m_d->edited = false;
}

void DetailsDlg::appendRecord()
{
    m_d->records.emplace_back();
}

void DetailsDlg::appendRecords(const std::vector<cInspectionRecord>& records)
{
    m_d->records.insert(m_d->records.end(), records.begin(), records.end());
}

void DetailsDlg::removeRecord(int index)
{
    if (index < 0 || index >= recordCount()) return;
    settleEdits();
    m_d->records.erase(m_d->records.begin() + index);
    if (m_d->current > recordCount()) m_d->current = 0;
}

void DetailsDlg::moveRecord(int source, int target)
{
    settleEdits();
    moveByDrop(m_d->records, source, target);
}

void DetailsDlg::clearRecords()
{
    m_d->shown = 0;
    m_d->edited = false;
    m_d->records.clear();
    m_d->current = 0;
}

// --- the inspection on show --------------------------------------------------------------

int DetailsDlg::inspectionCount() const
{
    return m_d->images ? m_d->images->rowCount() : recordCount();
}

const cInspectionImage* DetailsDlg::currentEntry() const
{
    if (!m_d->images || m_d->current < 1) return nullptr;
    return m_d->images->entryAt(m_d->current - 1);
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

int DetailsDlg::unit() const
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
    clearRecords();
    updateInspectionLabel();
    m_d->snapshot.reset();
    m_d->c.preview->setSnapshot(nullptr);
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
