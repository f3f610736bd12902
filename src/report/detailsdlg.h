// DetailsDlg: the "Inspection Data" page of the report writer. Shows the report document's
// inspections one at a time (the record with a preview strip of its snapshot, its measurement
// lists and temperatures) and stores what the user typed into the document's record; the
// field labels follow the report template. Carries the "Generate PDF Report" and "Save Report
// Project" buttons.
#pragma once

#include "report/reportcontext.h"

#include "core/reportdata.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

namespace calivue {

struct DetailsControls;
struct ReportChange;

struct Finding;

class DetailsDlg : public QWidget {
    Q_OBJECT

public:
    explicit DetailsDlg(ReportContext& context, QWidget* parent = nullptr);
    // Writes every changed caption.
    ~DetailsDlg() override;

    // --- the document's records, as the page reads them -------------------------------
    std::vector<cInspectionRecord> records() const;
    int recordCount() const;

    // --- the inspection on show ----------------------------------------------------
    int currentInspection() const;  // 1-based; 0 none
    void setCurrentInspection(int number);
    // Brought to the front: inspection 1 when none is current and the list is not empty.
    void activatePage();
    // Fills the controls from the current record and its snapshot; changes typed into the
    // controls since they were last filled are stored first, so showing again loses nothing.
    void showInspection();
    // Copies every control into the record they were filled from (and runs the details copy);
    // nothing when the controls show no record.
    void storeInspection();
    void next();
    void previous();
    // The report writer unit (0 °C, 1 °F, 2 K) selected on the page.
    TempUnit unit() const;

    // --- project load ----------------------------------------------------------------
    // No inspection on show, the controls emptied and the step dates today.
    void resetForProjectLoad();
    // The first inspection on show, or none when there are none.
    void afterProjectLoad();

    // --- captions (1-13, project-file order) -----------------------------------------
    std::array<std::u16string, 13> captions() const;
    // Stored and written to the settings at once, then shown.
    void setCaption(int i, const QString& text);
    // The Template dialog's Reset: the Buildings/Custom defaults, each written, then shown.
    void resetCaptions();
    void writeChangedCaptions();

    // --- the page's controls and state, as the user sees them ---------------------------
    const DetailsControls& controls() const;
    // Whether the caption i (1-13) was edited since it was last written.
    bool captionChanged(int i) const;

private:
    struct State;

    void buildPage();
    void applyTemplate();
    void readCaptionsFromSettings();
    void showCaption(int i, const QString& text);
    bool writeCaption(int i, const QString& text);
    void connectChanges();
    void onFieldChanged();
    void onCopiedFieldChanged();
    void onCaptionEdited(int i);
    void onUnitChanged(int index);
    void onMeasurementChanged();
    void clearFieldControls();
    void updateUnitLabels();
    void updateInspectionLabel();
    bool loadCurrentSnapshot(bool keepOnFailure);
    void showTemperatures();
    void showMeasurementLists(const cInspectionRecord& record);
    void fillFromRecord(const cInspectionRecord& record);
    void copyDetailsForward(int index);
    // The record as the controls show it (what storeInspection stores).
    cInspectionRecord recordFromControls(const cInspectionRecord& stored) const;
    // The finding group, from the readings on show and the record as typed.
    void showFinding();
    void showPreviousFinding(const Finding& finding);
    void onPriorityChosen(int priority);
    void onUseSuggestedPriority();
    void onReferenceChosen(int reference);
    void onAmbientEdited();
    void setStepDated(int step, bool dated);
    void settleEdits();
    // The document's announcements: each part it names redone.
    void onDocumentChanged(const ReportChange& change);
    void onInspectionsChanged();
    void onProjectReplaced();
    void onCaptionsChanged();
    void pushCaptions();
    int inspectionCount() const;
    const cInspectionImage* currentEntry() const;
    // The equipment item: the list refilled from the document, a pick or a typed identifier
    // (an unknown one offered for adding), the link with the fill of the empty fields.
    void showEquipmentItems();
    void onEquipmentChosen();
    void linkEquipment(const std::u16string& id);
    void onEquipmentList();
    void onEditImage();
    void onGenerateReport();
    void onSaveProject();

    std::unique_ptr<State> m_d;
};

}  // namespace calivue
