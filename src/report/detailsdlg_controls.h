// Internal to the report layer.
// The controls of the inspection data page, built once with their fixed texts and limits;
// the page fills them and reads them back.
#pragma once

#include "report/detailsdlg_finding.h"

#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace calivue {

class cColourButton;
class cColourEdit;
class cColourTextEdit;
struct ReportSnapshot;

// The preview strip: thermal picture, blend and visual picture, 213 × 160 each, painted from
// the snapshot the page keeps (nothing while it has none).
class cDetailsPreview : public QWidget {
public:
    explicit cDetailsPreview(QWidget* parent = nullptr);
    // Not owned; null draws nothing.
    void setSnapshot(ReportSnapshot* snapshot);
    ReportSnapshot* snapshot() const { return m_snapshot; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ReportSnapshot* m_snapshot = nullptr;
};

struct DetailsControls {
    // One repair step: "Inspected", "Repaired", "Reinspected".
    struct Step {
        QRadioButton* dated = nullptr;
        QRadioButton* noDate = nullptr;
        QDateTimeEdit* date = nullptr;
        QLineEdit* initials = nullptr;
    };

    std::array<QLineEdit*, 13> captions{};  // project-file order
    std::array<QWidget*, 13> rowFields{};   // the field right of each caption
    cColourEdit* name = nullptr;
    cColourEdit* operatorName = nullptr;
    cColourEdit* location = nullptr;
    cColourEdit* equipment = nullptr;
    cColourTextEdit* comment = nullptr;
    QLineEdit* measured = nullptr;
    QLineEdit* rated = nullptr;
    QLineEdit* condition = nullptr;
    QComboBox* conditionList = nullptr;
    QLineEdit* indoor = nullptr;
    QLineEdit* outdoor = nullptr;
    QLineEdit* humidity = nullptr;
    QLineEdit* wind = nullptr;
    QLineEdit* pressure = nullptr;
    std::array<QLabel*, 5> weatherUnits{};  // beside indoor, outdoor, humidity, wind, pressure
    cColourTextEdit* faultAction = nullptr;
    QComboBox* priority = nullptr;
    std::array<Step, 3> steps{};

    QComboBox* unit = nullptr;
    QComboBox* firstMeasurement = nullptr;
    QComboBox* secondMeasurement = nullptr;
    cColourEdit* firstReading = nullptr;
    cColourEdit* secondReading = nullptr;
    QLineEdit* difference = nullptr;
    QLineEdit* emissivity = nullptr;
    QLineEdit* reflected = nullptr;
    QLineEdit* path = nullptr;

    QLabel* inspectionLabel = nullptr;
    std::array<QLabel*, 3> previewHeadings{};
    cDetailsPreview* preview = nullptr;
    QPushButton* previous = nullptr;
    QPushButton* next = nullptr;
    QPushButton* editImage = nullptr;
    cColourButton* generateReport = nullptr;
    cColourButton* generateWordReport = nullptr;
    cColourButton* saveProject = nullptr;
    FindingControls finding;
    // The equipment item the inspection names: an editable list of the project's items
    // ("id — description", the identifier as item data; the first entry is none) and the
    // button that opens the equipment list.
    QLabel* equipmentItemLabel = nullptr;
    QComboBox* equipmentItem = nullptr;
    QPushButton* equipmentList = nullptr;

    // Every text field the page fills from a record (not the read-only readings).
    std::array<QLineEdit*, 15> lineFields() const;
};

// Creates every control on `page` with its fixed texts, lists, limits and first colours:
// caption boxes read-only and 25 characters, fields at the record's limits, dates at "No Date"
// with their pickers disabled, the unit list on `unit`.
void buildDetailsControls(QWidget* page, DetailsControls& c, TempUnit unit);

}  // namespace calivue
