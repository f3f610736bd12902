// cEmissivityDlg: picks an emissivity from a fixed table of common materials instead of
// typing it. The cursor list page opens it for the selected cursors, the settings page for
// the image's global emissivity.
#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QListWidgetItem;

namespace calivue {

class cEmissivityDlg : public QDialog {
    Q_OBJECT

public:
    // Number of materials in the table.
    static constexpr int kEntries = 13;
    // The value of table entry index (0–12): 1.00 IR source … 0.64 cast iron.
    static double tableValue(int index);

    explicit cEmissivityDlg(QWidget* parent = nullptr);

    // Set before the dialog runs: selects the first entry whose value equals it exactly.
    void setEmissivity(double value);
    // The passed value, or the chosen entry's value after OK.
    double emissivity() const { return m_emissivity; }
    int selectedIndex() const;
    QListWidget* list() const { return m_list; }

    // Runs the dialog modally (or hands it to the test responder) and returns
    // QDialog::Accepted or QDialog::Rejected.
    int run();
    // When set, run() gives the prepared dialog to the responder instead of showing it and
    // returns its answer; the responder may select entries and call accept() or reject().
    using Responder = std::function<int(cEmissivityDlg&)>;
    static void setResponder(Responder responder);

    void accept() override;

private:
    void onDoubleClick(QListWidgetItem* item);

    QListWidget* m_list = nullptr;
    double m_emissivity = 1.0;
};

}  // namespace calivue
