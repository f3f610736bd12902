// What the page does when the user changes a control: fit-check colours, modified marking,
// the unit and measurement choices, the date pairs and the buttons.
#include "report/detailsdlg.h"

#include "view/colourbutton.h"
#include "view/colouredit.h"
#include "report/colourtextedit.h"
#include "report/detailsdlg_state.h"

#include "desktop/messagedlg.h"

#include "core/fitcheck.h"
#include "report/fitnotes.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace calivue {

namespace {

template <typename Edit>
void colourByFit(Edit* edit, FitField field)
{
    edit->SetTextColour(colourRef(fitColour(field, edit->text().toStdU16String())));
    // A red field says why: which box, how many lines fit and how many the text needs.
    edit->setToolTip(fitToolTip(field, edit->text()));
}

}  // namespace

void DetailsDlg::connectChanges()
{
    DetailsControls& c = m_d->c;
    const auto changed = [this] { onFieldChanged(); };

    const std::array<std::pair<cColourEdit*, FitField>, 4> fitted = {
        std::pair{c.name, FitField::Name}, std::pair{c.operatorName, FitField::OperatorName},
        std::pair{c.location, FitField::Location}, std::pair{c.equipment, FitField::Equipment}};
    for (auto [edit, field] : fitted) {
        colourByFit(edit, field);
        connect(edit, &QLineEdit::textChanged, this, [edit, field] { colourByFit(edit, field); });
    }
    for (auto [edit, field] : {std::pair{c.comment, FitField::Comment},
                               std::pair{c.faultAction, FitField::FaultAction}}) {
        colourByFit(edit, field);
        connect(edit, &QPlainTextEdit::textChanged, this,
                [edit, field] { colourByFit(edit, field); });
        connect(edit, &QPlainTextEdit::textChanged, this, changed);
    }
    for (QLineEdit* e : c.lineFields()) connect(e, &QLineEdit::textChanged, this, changed);
    for (QLineEdit* e : {static_cast<QLineEdit*>(c.operatorName),
                         static_cast<QLineEdit*>(c.location), static_cast<QLineEdit*>(c.equipment)})
        connect(e, &QLineEdit::textChanged, this, [this] { onCopiedFieldChanged(); });
    for (QComboBox* list : {c.priority, c.conditionList})
        connect(list, &QComboBox::currentIndexChanged, this, changed);
    for (QComboBox* list : {c.firstMeasurement, c.secondMeasurement})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { onMeasurementChanged(); });
    connect(c.unit, &QComboBox::currentIndexChanged, this,
            [this](int index) { onUnitChanged(index); });
    for (DetailsControls::Step& s : c.steps) {
        QDateTimeEdit* picker = s.date;
        connect(s.dated, &QRadioButton::toggled, this, [this, picker](bool dated) {
            picker->setEnabled(dated);
            onFieldChanged();
        });
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, changed);
    }
    for (int i = 0; i < 13; ++i)
        connect(c.captions[i], &QLineEdit::textChanged, this,
                [this, i] { onCaptionEdited(i + 1); });

    connect(c.previous, &QPushButton::clicked, this, [this] { previous(); });
    connect(c.next, &QPushButton::clicked, this, [this] { next(); });
    connect(c.editImage, &QPushButton::clicked, this, [this] { onEditImage(); });
    connect(c.generateReport, &QPushButton::clicked, this, [this] { onGenerateReport(); });
    connect(c.generateWordReport, &QPushButton::clicked, this, [this] {
        storeInspection();
        if (m_d->ctx.generateWordReport) m_d->ctx.generateWordReport();
    });
    connect(c.saveProject, &QPushButton::clicked, this, [this] { onSaveProject(); });
    connect(c.equipmentItem, &QComboBox::activated, this, [this] { onEquipmentChosen(); });
    connect(c.equipmentItem->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { onEquipmentChosen(); });
    connect(c.equipmentList, &QPushButton::clicked, this, [this] { onEquipmentList(); });

    // The finding: the user's choices go into the document at once, and what it is computed
    // from (the loads, the building temperatures) shows in it while typed.
    connect(c.priority, &QComboBox::currentIndexChanged, this,
            [this](int index) { onPriorityChosen(index); });
    connect(c.finding.useSuggested, &QPushButton::clicked, this,
            [this] { onUseSuggestedPriority(); });
    connect(c.finding.reference, &QComboBox::currentIndexChanged, this,
            [this](int index) { onReferenceChosen(index); });
    connect(c.finding.ambient, &QLineEdit::editingFinished, this, [this] { onAmbientEdited(); });
    for (QLineEdit* e : {c.measured, c.rated, c.indoor, c.outdoor})
        connect(e, &QLineEdit::textChanged, this, [this] {
            if (!m_d->updating) showFinding();
        });
}

void DetailsDlg::onFieldChanged()
{
    if (m_d->updating || !m_d->initialised) return;
    if (m_d->shown > 0) m_d->edited = true;
    if (inspectionCount() > 0) m_d->doc.setModified(true);
}

void DetailsDlg::onCopiedFieldChanged()
{
    if (m_d->updating || inspectionCount() == 0) return;
    m_d->detailsCopied = false;
}

void DetailsDlg::onUnitChanged(int index)
{
    const std::optional<TempUnit> unit = tempUnitFrom(index);  // the list holds the units in order
    if (!unit || *unit == m_d->unit) return;
    m_d->unit = *unit;
    // The report writer's unit is remembered for the next session and the report.
    m_d->ctx.tempUnit = *unit;
    if (const std::optional<SettingsError> e = m_d->ctx.settings.setTempUnit(*unit))
        cMessageDlg::messageBox(e->message, cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk,
                                this);
    updateUnitLabels();
    if (m_d->current > 0 && m_d->shown == m_d->current) {
        // The snapshot kept for the page reads in any unit; it is opened again only when it
        // could not be opened before.
        if (m_d->snapshot || loadCurrentSnapshot(true)) showTemperatures();
    }
    if (!m_d->updating && inspectionCount() > 0) m_d->doc.setModified(true);
}

void DetailsDlg::onMeasurementChanged()
{
    if (m_d->updating) return;
    showTemperatures();
    onFieldChanged();
}

}  // namespace calivue
