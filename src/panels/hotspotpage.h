// cHotSpotPage: the second page of the options sheet ("Cursors"). It lists the document's
// measurement cursors in use with their temperature, position and emissivity, removes the
// selected cursors and sets the emissivity of the selected cursors — typed, stepped with the
// up-down arrows or picked from the emissivity lookup. Every change goes to the document; the
// page keeps no cursor state of its own beyond its rows.
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace calivue {

class CVantoroDoc;

class cHotSpotPage : public QWidget {
    Q_OBJECT

public:
    // Columns of the list.
    enum Column { ColName = 0, ColTemperature, ColPosition, ColEmissivity, ColumnCount };

    explicit cHotSpotPage(QWidget* parent = nullptr);

    // Gives the page the document (not owned) and fills the list. With a null document, or
    // one without a loaded snapshot, the list stays empty and every control does nothing.
    void AttachDocument(CVantoroDoc* doc);
    // Rebuilds the list from the document's markers; the rows selected before stay selected
    // when their cursors are still in use. The view calls it when the cursors change.
    void Refresh();
    // Applies an emissivity in hundredths to every selected cursor whose emissivity differs.
    // Outside 1–100 the range message is shown and nothing changes. The field shows the value.
    void SetCursorEmissivity(int hundredths);
    // One press of the up-down: +1 (up) raises the field by 0.01, −1 lowers it. A result
    // outside 0.01–1.00 is refused with the range message; no cursor changes either way.
    void StepEmissivity(int direction);

    // The controls, for the sheet and for tests.
    QTreeWidget* cursorList() const { return m_list; }
    QLineEdit* emissivityEdit() const { return m_emissivity; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* setButton() const { return m_set; }
    QPushButton* lookupButton() const { return m_lookup; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // Marker indices (0–9) of the selected rows, in list order.
    std::vector<int> selectedCursors() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool active() const;
    QTreeWidgetItem* rowOf(int index) const;
    void fillRow(QTreeWidgetItem* item, int index) const;
    void showFieldValue(double value);
    void onSelectionChanged();
    void onRemove();
    void onSet();
    void onLookup();
    // The range message, one box at a time; the field keeps the focus afterwards.
    void refuseEmissivity();

    QPointer<CVantoroDoc> m_doc;
    QMetaObject::Connection m_docConnection;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_emissivity = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_set = nullptr;
    QPushButton* m_lookup = nullptr;
    // The value the field last showed; Refresh shows it again.
    double m_fieldValue = 1.0;
};

}  // namespace calivue
