// Internal to the report layer.
// The finding of the inspection on show, in a compact group of the inspection data page: the
// temperature difference with its reference, the load and the load-corrected difference, the
// class in its colour, the suggested priority and whether the priority shown is it, the
// temperature factor of a building survey and the warnings as sentences; with the inspection's
// own reference choice and ambient air.
#pragma once

#include "core/findings.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace calivue {

struct FindingControls {
    QGroupBox* group = nullptr;
    QComboBox* reference = nullptr;  // 0 the second measurement, 1 the ambient air
    QLineEdit* ambient = nullptr;    // the inspection's own ambient, in the report's unit
    QLabel* ambientUnit = nullptr;
    QLabel* deltaT = nullptr;
    QLabel* load = nullptr;
    QLabel* severity = nullptr;
    QLabel* suggested = nullptr;
    QLabel* source = nullptr;
    QPushButton* useSuggested = nullptr;
    QLabel* frsi = nullptr;
    QLabel* warnings = nullptr;
    // The previous survey's finding of the inspection's item and the change since; hidden
    // without one.
    QLabel* previous = nullptr;
};

// Creates the group's controls on `page`; the caller places `f.group`.
void buildFindingControls(QWidget* page, FindingControls& f);

// What the group shows for a finding, in the active language.
struct FindingTexts {
    QString deltaT;    // "ΔT 12.3 °C against Cursor 2"; empty without a difference
    QString load;      // "Load 65.0 %   ΔTc 29.1 °C (n = 2.0)"; empty without a load
    QString severity;  // the class text, or "No exception"
    int colourPriority = 0;
    QString suggested;  // "Suggested priority: 3"
    QString source;     // set by the thermographer, or the suggestion
    QString frsi;       // "fRsi 0.65: fail (threshold 0.70)"; empty without a factor
    QStringList warnings;
};
FindingTexts findingTexts(const Finding& finding, const FindingsSettings& settings, TempUnit unit);

}  // namespace calivue
