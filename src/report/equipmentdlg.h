// cEquipmentDlg: the report writer's "Equipment List" dialog. Shows the project's equipment
// list as a table (identifier, location, description, rated load, status, reason) edited in
// place, with add, remove, move up and down, a search box that hides the rows it does not
// match, and CSV import and export. An identifier that is empty or already in the list is
// refused as it is typed. OK stores the list in the document, asking first when inspections
// would lose the item they name; links follow renamed items. Cancel changes nothing.
#pragma once

#include "core/equipment.h"

#include <QDialog>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace calivue {

class CReportDoc;

class cEquipmentDlg : public QDialog {
    Q_OBJECT

public:
    enum Column {
        IdColumn,
        LocationColumn,
        DescriptionColumn,
        RatedColumn,
        StatusColumn,
        ReasonColumn,
        ColumnCount
    };

    struct Controls {
        QLineEdit* search = nullptr;
        QTableWidget* table = nullptr;  // one row per item in list order; the status is a check
        QPushButton* add = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* moveUp = nullptr;
        QPushButton* moveDown = nullptr;
        QPushButton* importCsv = nullptr;
        QPushButton* exportCsv = nullptr;
        QDialogButtonBox* buttons = nullptr;
    };

    explicit cEquipmentDlg(CReportDoc& doc, QWidget* parent = nullptr);

    const Controls& controls() const { return m_c; }
    // The list as the table holds it, in row order (hidden rows included).
    std::vector<EquipmentItem> items() const;

    // Adds a new item after the current row (at the end without one), with an identifier the
    // list does not hold yet; the search is cleared so the row shows. Returns its row.
    int addItem();
    // Removes the selected rows (the current one when none is selected).
    void removeItems();
    // Moves the current row past the next shown row above or below it; false when there is
    // none.
    bool moveCurrent(int direction);
    // Replaces the table with the file's list; a refused file shows one message naming its
    // line and problem and changes nothing. The buttons ask for the file first.
    bool importFrom(const QString& path);
    // Writes the table's list; a failure names the file and the system's reason.
    bool exportTo(const QString& path);
    // Stores the list in the document (see the class comment); the message when refused.
    // False when the user declined to lose links or the document refused.
    bool apply();
    void accept() override;

    // Opens the dialog for `doc`: modally, or through the runner when one is set (tests).
    static void run(CReportDoc& doc, QWidget* parent);
    using Runner = std::function<void(cEquipmentDlg&)>;
    static void setRunner(Runner runner);

private:
    void fill(const std::vector<EquipmentItem>& items);
    void setRow(int row, const EquipmentItem& item, const QString& origin);
    void onItemChanged(QTableWidgetItem* item);
    void onStatusChanged(int row);
    void applySearch();
    bool rowMatches(int row, const QString& query) const;
    void swapRows(int a, int b);
    void updateButtons();
    void chooseImport();
    void chooseExport();
    // Each identifier of the list the dialog started from, mapped to its identifier now
    // (empty when its item was removed or replaced by an import without it).
    std::map<std::u16string, std::u16string> fate() const;

    CReportDoc& m_doc;
    Controls m_c;
    std::set<std::u16string> m_original;  // the identifiers the dialog started from
    bool m_filling = false;
};

}  // namespace calivue
