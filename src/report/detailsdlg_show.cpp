// Showing an inspection on the page and storing the controls back into its record.
#include "report/detailsdlg.h"

#include "view/colouredit.h"
#include "report/detailsdlg_state.h"
#include "report/engine/detailsdlg_text.h"
#include "report/colourtextedit.h"
#include "report/engine/reporttext.h"

#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include "document/vantorodoc.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace calivue {

namespace {

// The record's texts behind the page's line fields, in the order lineFields() gives them.
template <class Record>
auto lineTexts(Record& r)
{
    return std::array{&r.name,
                      &r.operatorName,
                      &r.location,
                      &r.equipment,
                      &r.measured,
                      &r.rated,
                      &r.condition,
                      &r.indoor,
                      &r.outdoor,
                      &r.humidity,
                      &r.wind,
                      &r.pressure,
                      &r.inspectedInitials,
                      &r.repairedInitials,
                      &r.reinspectedInitials};
}

// What a field stores: its text, unless it shows a stored text cut to the field's limit and the
// user left it so; then the record keeps its whole text (a project written elsewhere may hold
// longer texts than the page's fields take, and merely showing it must not shorten them).
std::u16string storedText(const std::u16string& stored, const QString& shown, int limit)
{
    const QString whole = toQString(stored);
    if (whole.size() > limit && shown == whole.left(limit)) return stored;
    return toU16(shown);
}

void clearReading(cColourEdit* box)
{
    box->clear();
    box->SetBackgroundColour(systemColour(QPalette::Button));
}

}  // namespace

void DetailsDlg::updateInspectionLabel()
{
    m_d->c.inspectionLabel->setText(
        formatText(QStringLiteral("%s %d %s %d"),
                   {uiText(sid::Inspection), m_d->current, uiText(sid::Of), inspectionCount()}));
}

void DetailsDlg::updateUnitLabels()
{
    const std::array<QString, 5> labels = weatherUnitLabels(m_d->unit);
    for (int i = 0; i < 5; ++i) m_d->c.weatherUnits[i]->setText(leftToRightText(labels[i]));
}

void DetailsDlg::clearFieldControls()
{
    DetailsControls& c = m_d->c;
    for (QLineEdit* e : c.lineFields()) e->clear();
    c.comment->clear();
    c.faultAction->clear();
    c.conditionList->setCurrentIndex(0);
    c.priority->setCurrentIndex(0);
    c.firstMeasurement->clear();
    c.secondMeasurement->clear();
    clearReading(c.firstReading);
    clearReading(c.secondReading);
    for (QLineEdit* e : {c.difference, c.emissivity, c.reflected, c.path}) e->clear();
    m_d->readings.reset();
    c.finding.ambient->clear();
    for (QLabel* l : {c.finding.deltaT, c.finding.load, c.finding.severity, c.finding.suggested,
                      c.finding.source, c.finding.frsi, c.finding.warnings})
        l->clear();
}

void DetailsDlg::setStepDated(int step, bool dated)
{
    DetailsControls::Step& s = m_d->c.steps[step];
    (dated ? s.dated : s.noDate)->setChecked(true);
    s.date->setEnabled(dated);
}

bool DetailsDlg::loadCurrentSnapshot(bool keepOnFailure)
{
    const cInspectionImage* entry = currentEntry();
    auto loaded = std::make_unique<ReportSnapshot>();
    const bool ok =
        entry && loadReportSnapshot(toQString(entry->snapshotPath), toQString(entry->bitmapPath),
                                    *loaded) == Error::None;
    if (!ok) {
        if (!keepOnFailure) {
            m_d->c.preview->setSnapshot(nullptr);
            m_d->snapshot.reset();
        }
        cMessageDlg::messageBox(sid::CouldNotOpenIrFile, cMessageDlg::IconStop,
                                cMessageDlg::ButtonsOk, this);
        return false;
    }
    loaded->image.setUnit(m_d->unit);
    m_d->c.preview->setSnapshot(loaded.get());
    m_d->snapshot = std::move(loaded);
    return true;
}

void DetailsDlg::showMeasurementLists(const cInspectionRecord& record)
{
    const std::vector<Measurement> list = measurementList(m_d->snapshot->image);
    for (QComboBox* box : {m_d->c.firstMeasurement, m_d->c.secondMeasurement}) {
        box->clear();
        for (const Measurement& m : list) box->addItem(measurementText(m), m.marker);
    }
    const MeasurementChoice p = measurementChoice(record, list);
    m_d->c.firstMeasurement->setCurrentIndex(p.first);
    m_d->c.secondMeasurement->setCurrentIndex(p.second);
}

void DetailsDlg::showTemperatures()
{
    DetailsControls& c = m_d->c;
    if (!m_d->snapshot) return;
    // The readings of the lists' positions, as the printed page reads the stored ones.
    cInspectionRecord chosen;
    chosen.firstMeasurement = std::max(0, c.firstMeasurement->currentIndex());
    chosen.secondMeasurement = std::max(0, c.secondMeasurement->currentIndex());
    const InspectionReadings readings = inspectionReadings(m_d->snapshot->image, chosen, m_d->unit);
    const QString unitText = unitLabel(m_d->unit);
    c.reflected->setText(readingText(readings.reflected, unitText));
    c.emissivity->setText(formatEmissivity(readings.emissivity));
    const std::optional<MeasurementReading> chosenReadings[2] = {readings.first, readings.second};
    cColourEdit* boxes[2] = {c.firstReading, c.secondReading};
    for (int i = 0; i < 2; ++i) {
        if (!chosenReadings[i]) {
            clearReading(boxes[i]);
            continue;
        }
        boxes[i]->setText(readingText(chosenReadings[i]->value, unitText));
        boxes[i]->SetBackgroundColour(markerColours(chosenReadings[i]->measurement.marker).pen);
    }
    if (readings.difference)
        c.difference->setText(differenceText(*readings.difference, unitText));
    else
        c.difference->clear();
    m_d->readings = readings;
    showFinding();
}

void DetailsDlg::fillFromRecord(const cInspectionRecord& r)
{
    DetailsControls& c = m_d->c;
    // Every field is filled, shown or not, so that storing never empties the fields another
    // template filled in.
    const auto texts = lineTexts(r);
    const std::array<QLineEdit*, 15> fields = c.lineFields();
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->setText(toQString(*texts[i]));
    c.comment->setText(toQString(r.comment));
    c.faultAction->setText(toQString(r.faultAction));
    c.conditionList->setCurrentIndex(shownConditionChoice(r.conditionChoice));
    c.priority->setCurrentIndex(shownPriority(r.repairPriority));
    const std::array<std::pair<bool, const cDateTime*>, 3> steps = {
        std::pair{r.inspectedDated, &r.inspectedDate}, std::pair{r.repairedDated, &r.repairedDate},
        std::pair{r.reinspectedDated, &r.reinspectedDate}};
    for (int i = 0; i < 3; ++i) {
        setStepDated(i, steps[i].first);
        // A step never dated holds the new record's day 0: its picker offers today instead.
        const QDateTime stored = toQDateTime(*steps[i].second);
        const bool usable = stored.isValid() && (steps[i].first || steps[i].second->days != 0.0);
        c.steps[i].date->setDateTime(usable ? stored : QDateTime::currentDateTime());
    }
}

namespace {

// The fields of an inspection take input only while there is one: text typed without an
// inspection would have nowhere to go. A step's date picker keeps following its choice.
void setInspectionFieldsEnabled(DetailsControls& c, bool enabled)
{
    for (QWidget* w : c.rowFields) w->setEnabled(enabled);
    for (QWidget* w :
         std::initializer_list<QWidget*>{c.comment, c.faultAction, c.priority, c.firstMeasurement,
                                         c.secondMeasurement, c.editImage})
        if (w) w->setEnabled(enabled);
    for (DetailsControls::Step& s : c.steps) {
        for (QWidget* w : std::initializer_list<QWidget*>{s.dated, s.noDate, s.initials})
            if (w) w->setEnabled(enabled);
        if (!enabled && s.date) s.date->setEnabled(false);
    }
}

}  // namespace

void DetailsDlg::showInspection()
{
    if (!m_d->initialised) return;
    // Changes typed for the inspection on show are kept before the controls are refilled.
    if (m_d->edited) storeInspection();
    m_d->updating = true;
    updateInspectionLabel();
    clearFieldControls();
    m_d->shown = 0;
    m_d->edited = false;
    const int n = m_d->current;
    const bool has = n >= 1 && n <= recordCount() && currentEntry();
    setInspectionFieldsEnabled(m_d->c, has);
    if (!has) {
        m_d->c.preview->setSnapshot(nullptr);
        m_d->snapshot.reset();
        m_d->updating = false;
        showEquipmentItems();
        return;
    }
    m_d->shown = n;
    const cInspectionRecord record = m_d->doc.inspection(n - 1)->record;
    const bool loaded = loadCurrentSnapshot(false);
    fillFromRecord(record);
    if (loaded) {
        const cBrixa& image = m_d->snapshot->image;
        m_d->c.path->setText(bitmapPathOf(
            QString::fromStdU16String(image.filePath().empty() ? currentEntry()->snapshotPath
                                                               : image.filePath().u16string())));
        showMeasurementLists(record);
        showTemperatures();
    } else {
        showFinding();
    }
    m_d->updating = false;
    showEquipmentItems();
}

cInspectionRecord DetailsDlg::recordFromControls(const cInspectionRecord& stored) const
{
    const DetailsControls& c = m_d->c;
    cInspectionRecord r = stored;
    const auto texts = lineTexts(r);
    const std::array<QLineEdit*, 15> fields = c.lineFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        *texts[i] = storedText(*texts[i], fields[i]->text(), fields[i]->maxLength());
    r.comment = storedText(r.comment, c.comment->text(), c.comment->maxLength());
    r.faultAction = storedText(r.faultAction, c.faultAction->text(), c.faultAction->maxLength());
    // The list is shown only in Buildings; elsewhere the record keeps its choice.
    if (conditionIsChoice(m_d->ctx.reportTemplate))
        r.conditionChoice = std::max(0, c.conditionList->currentIndex());
    // The stored priority is the one the user chose (the document's setPriority, when the list
    // changes); a list showing the suggestion leaves it as it is.
    const std::array<std::pair<bool*, cDateTime*>, 3> steps = {
        std::pair{&r.inspectedDated, &r.inspectedDate},
        std::pair{&r.repairedDated, &r.repairedDate},
        std::pair{&r.reinspectedDated, &r.reinspectedDate}};
    for (int i = 0; i < 3; ++i) {
        *steps[i].first = c.steps[i].dated->isChecked();
        if (*steps[i].first) *steps[i].second = fromQDateTime(c.steps[i].date->dateTime());
    }
    // Without a snapshot the lists are empty: the record keeps the readings it chose.
    if (c.firstMeasurement->count() > 0) {
        r.firstMeasurement = c.firstMeasurement->currentIndex();
        r.secondMeasurement = c.secondMeasurement->currentIndex();
    }
    return r;
}

void DetailsDlg::storeInspection()
{
    const int n = m_d->shown;
    if (n < 1 || n > recordCount()) return;
    const cInspectionRecord r = recordFromControls(m_d->doc.inspection(n - 1)->record);
    m_d->edited = false;
    const bool wasStoring = std::exchange(m_d->storing, true);
    // The user's typing marked the project already; what the page filled in for an inspection
    // merely shown (its default measurement choices) is no change of its own.
    m_d->doc.setRecord(n - 1, r, false);

    const bool persist = m_d->ctx.doc ? m_d->ctx.doc->persistReportDetails()
                                      : m_d->ctx.settings.persistReportDetails();
    if (persist && !m_d->detailsCopied) {
        copyDetailsForward(n - 1);
        m_d->detailsCopied = true;
    }
    m_d->storing = wasStoring;
}

void DetailsDlg::copyDetailsForward(int index)
{
    const cInspectionRecord source = m_d->doc.inspection(index)->record;
    for (int j = index + 1; j < recordCount(); ++j) {
        cInspectionRecord r = m_d->doc.inspection(j)->record;
        if (r.operatorName.empty()) r.operatorName = source.operatorName;
        if (r.location.empty()) r.location = source.location;
        if (r.equipment.empty()) r.equipment = source.equipment;
        m_d->doc.setRecord(j, r, false);
    }
}

}  // namespace calivue
