// cCriteriaDlg: the "Severity Criteria" dialog of the report writer (Tools menu). Edits the
// report project's findings settings: the criteria table (or the project's own bands), the
// load exponent, classifying on the load-corrected difference, the minimum load, the survey's
// ambient air, the fRsi threshold and the survey conditions. OK stores them in the document
// only when every field is usable; otherwise it names the field and changes nothing. Cancel
// changes nothing.
#pragma once

#include "core/findings.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QTableWidget;

namespace calivue {

class CReportDoc;

class cCriteriaDlg : public QDialog {
    Q_OBJECT

public:
    // The fRsi thresholds offered in the list; the last entry takes a typed value.
    static constexpr std::array<double, 3> kThresholds = {0.70, 0.75, 0.78};

    struct Controls {
        QComboBox* criteria = nullptr;  // in Criteria order
        QTableWidget* bands = nullptr;  // six rows: from (K), class, priority (a 1-5 list)
        QLineEdit* exponent = nullptr;
        QCheckBox* classifyCorrected = nullptr;
        QLineEdit* minLoad = nullptr;
        QLineEdit* ambient = nullptr;  // °C; empty for none
        QComboBox* threshold = nullptr;
        QLineEdit* ownThreshold = nullptr;
        std::array<QLineEdit*, 8> conditions{};  // in SurveyConditions order
        QDialogButtonBox* buttons = nullptr;
    };

    explicit cCriteriaDlg(CReportDoc& doc, QWidget* parent = nullptr);

    const Controls& controls() const { return m_c; }
    // The settings the fields hold, or the message naming the first unusable field.
    struct Read {
        std::optional<FindingsSettings> settings;
        QString problem;
    };
    Read readFields() const;
    // Stores the fields in the document; the message when refused (nothing changed then).
    std::optional<QString> apply();

    void accept() override;

private:
    void fill(const FindingsSettings& s);
    void onCriteriaChosen();

    CReportDoc& m_doc;
    Controls m_c;
};

}  // namespace calivue
