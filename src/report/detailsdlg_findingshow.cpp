// The finding group of the inspection data page: filled from the readings the Difference row
// shows and the record as typed, and the user's choices (priority, reference, own ambient)
// taken into the document at once.
#include "report/detailsdlg.h"

#include "report/detailsdlg_state.h"
#include "report/engine/detailsdlg_text.h"
#include "report/engine/equipmentpages.h"

#include "desktop/messagedlg.h"
#include "paint/severitycolour.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cmath>
#include <utility>

namespace calivue {

namespace {

// A label's text in the colour of a priority (the default colour for one without).
void setColoured(QLabel* label, const QString& text, int priority)
{
    label->setText(text);
    const QColor colour = severityColour(priority);
    label->setStyleSheet(colour.isValid() ? QStringLiteral("color: %1;").arg(colour.name())
                                          : QString());
}

// An ambient temperature typed in the report's unit: empty means none. Accepts a point or a
// comma as the decimal separator.
std::optional<std::optional<double>> typedAmbient(const QString& text, TempUnit unit)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::optional<double>();
    bool ok = false;
    const double v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return std::optional<double>(celsiusOf(v, unit));
}

}  // namespace

void DetailsDlg::showFinding()
{
    FindingControls& f = m_d->c.finding;
    const cInspection* shown = m_d->doc.inspection(m_d->shown - 1);
    const bool editable = shown && m_d->doc.findingsEditable();
    for (QWidget* w : {static_cast<QWidget*>(f.reference), static_cast<QWidget*>(f.ambient),
                       static_cast<QWidget*>(m_d->c.priority)})
        w->setEnabled(editable);
    f.ambientUnit->setText(leftToRightText(unitLabel(m_d->unit)));
    if (!shown) {
        f.useSuggested->setEnabled(false);
        return;
    }
    const RecordFindings& own = shown->findings;
    const cInspectionRecord record = recordFromControls(shown->record);
    const Finding finding =
        evaluateFinding(m_d->readings.value_or(InspectionReadings{}), record, own,
                        m_d->doc.findingsSettings(), m_d->ctx.reportTemplate, m_d->unit);
    const FindingTexts t = findingTexts(finding, m_d->doc.findingsSettings(), m_d->unit);

    const bool wasUpdating = std::exchange(m_d->updating, true);
    f.reference->setCurrentIndex(static_cast<int>(own.reference));
    if (!f.ambient->hasFocus())
        f.ambient->setText(own.ambient ? formatDecimal(celsiusIn(*own.ambient, m_d->unit), 1)
                                       : QString());
    // The list shows the priority in force: the user's own, else the suggestion.
    m_d->c.priority->setCurrentIndex(finding.priority);
    m_d->updating = wasUpdating;

    f.deltaT->setText(t.deltaT);
    f.load->setText(t.load);
    setColoured(f.severity, t.severity, t.colourPriority);
    f.suggested->setText(t.suggested);
    f.source->setText(t.source);
    f.useSuggested->setEnabled(editable && finding.priorityManual);
    f.frsi->setText(t.frsi);
    f.frsi->setVisible(!t.frsi.isEmpty());
    if (finding.frsiPass) setColoured(f.frsi, t.frsi, *finding.frsiPass ? 1 : 5);
    f.warnings->setText(t.warnings.join(QLatin1Char('\n')));
    f.warnings->setVisible(!t.warnings.isEmpty());
    showPreviousFinding(finding);
}

void DetailsDlg::showPreviousFinding(const Finding& finding)
{
    QLabel* label = m_d->c.finding.previous;
    QString problem;
    const std::optional<Comparison> c = m_d->previous.compare(
        m_d->doc, m_d->shown - 1, finding, m_d->ctx.reportTemplate, m_d->unit, &problem);
    QStringList lines;
    if (c)
        for (const PrintedLine& line :
             comparisonLines(*c, m_d->unit, QLocale(), StringTable::active()))
            lines << line.text;
    label->setText(lines.join(QLatin1Char('\n')));
    label->setVisible(!lines.isEmpty());
    // A moved or missing previous survey is said once; the page goes on without it.
    if (!problem.isEmpty())
        cMessageDlg::messageBox(problem, cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk,
                                this);
}

void DetailsDlg::onPriorityChosen(int priority)
{
    if (m_d->updating || m_d->shown < 1 || priority < 0) return;
    const bool wasStoring = std::exchange(m_d->storing, true);
    m_d->doc.setPriority(m_d->shown - 1, priority);
    m_d->storing = wasStoring;
    showFinding();
}

void DetailsDlg::onUseSuggestedPriority()
{
    if (m_d->shown < 1) return;
    const bool wasStoring = std::exchange(m_d->storing, true);
    m_d->doc.useSuggestedPriority(m_d->shown - 1);
    m_d->storing = wasStoring;
    showFinding();
}

void DetailsDlg::onReferenceChosen(int reference)
{
    const cInspection* shown = m_d->doc.inspection(m_d->shown - 1);
    if (m_d->updating || !shown || reference < 0 || reference > 1) return;
    RecordFindings own = shown->findings;
    own.reference = static_cast<ReferenceKind>(reference);
    const bool wasStoring = std::exchange(m_d->storing, true);
    m_d->doc.setRecordFindings(m_d->shown - 1, own);
    m_d->storing = wasStoring;
    showFinding();
}

void DetailsDlg::onAmbientEdited()
{
    const cInspection* shown = m_d->doc.inspection(m_d->shown - 1);
    if (m_d->updating || !shown) return;
    const std::optional<std::optional<double>> typed =
        typedAmbient(m_d->c.finding.ambient->text(), m_d->unit);
    if (!typed) {
        // Refused: the stored value is shown again before the message, so the focus leaving
        // the field for the message finds nothing more to refuse.
        const bool wasUpdating = std::exchange(m_d->updating, true);
        const std::optional<double> stored = shown->findings.ambient;
        m_d->c.finding.ambient->setText(stored ? formatDecimal(celsiusIn(*stored, m_d->unit), 1)
                                               : QString());
        cMessageDlg::messageBox(
            formatText(uiText(sid::NotANumber), {uiText(sid::OwnAmbient).remove(QLatin1Char(':'))}),
            cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
        m_d->updating = wasUpdating;
        return;
    }
    RecordFindings own = shown->findings;
    // The text shows one decimal: retyping what is shown is no change.
    const bool same = own.ambient && *typed &&
                      formatDecimal(celsiusIn(*own.ambient, m_d->unit), 1) ==
                          formatDecimal(celsiusIn(**typed, m_d->unit), 1);
    if (!same) own.ambient = *typed;
    const bool wasStoring = std::exchange(m_d->storing, true);
    m_d->doc.setRecordFindings(m_d->shown - 1, own);
    m_d->storing = wasStoring;
    showFinding();
}

}  // namespace calivue
