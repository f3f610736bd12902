#include "panels/hotspotpage.h"

#include "panels/emissivitydlg.h"
#include "panels/pagetext.h"

#include "core/constants.h"
#include "document/vantorodoc.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace calivue {

namespace {

// A button caption with its keyboard accelerator: a text that carries its own ("削除(&R)", for
// scripts whose letters no keyboard types directly) keeps it, any other is marked on its first
// letter.
QString withAccelerator(const QString& text)
{
    return text.contains(QLatin1Char('&')) ? text : QLatin1Char('&') + text;
}

// The page's list and buttons were laid out in dialog units; a horizontal unit is a quarter
// of the font's average character width.
int dialogUnitsToPixels(const QWidget* widget, int units)
{
    return units * widget->fontMetrics().averageCharWidth() / 4;
}

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);  // a click steps the field, the focus stays put
    button->setFixedHeight(12);
    return button;
}

}  // namespace

cHotSpotPage::cHotSpotPage(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(uiText(sid::Cursors));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("cursorList"));
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({uiText(sid::ColumnName), uiText(sid::ColumnTemp),
                             uiText(sid::ColumnPosition), uiText(sid::ColumnEmissivity)});
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const int widths[ColumnCount] = {75, 75, 70, 70};
    for (int c = 0; c < ColumnCount; ++c)
        m_list->setColumnWidth(c, dialogUnitsToPixels(this, widths[c]));
    m_list->header()->setStretchLastSection(false);

    m_remove = new QPushButton(withAccelerator(uiText(sid::Remove)), this);
    m_remove->setObjectName(QStringLiteral("remove"));

    auto* label = new QLabel(uiText(sid::EmissivityLabel), this);
    label->setObjectName(QStringLiteral("emissivityLabel"));
    m_emissivity = new QLineEdit(formatEmissivity(m_fieldValue), this);
    m_emissivity->setObjectName(QStringLiteral("emissivity"));
    m_emissivity->setMaximumWidth(dialogUnitsToPixels(this, 40));
    m_emissivity->installEventFilter(this);
    label->setBuddy(m_emissivity);
    m_up = arrowButton(this, Qt::UpArrow, QStringLiteral("emissivityUp"));
    m_down = arrowButton(this, Qt::DownArrow, QStringLiteral("emissivityDown"));

    m_set = new QPushButton(withAccelerator(uiText(sid::Set)), this);
    m_set->setObjectName(QStringLiteral("set"));
    m_set->setAutoDefault(false);
    m_lookup = new QPushButton(QStringLiteral(">>"), this);
    m_lookup->setObjectName(QStringLiteral("lookup"));
    m_lookup->setAutoDefault(false);
    m_lookup->setMaximumWidth(dialogUnitsToPixels(this, 20));
    m_remove->setAutoDefault(false);

    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);

    auto* removeRow = new QHBoxLayout;
    removeRow->addWidget(m_remove);
    removeRow->addStretch(1);

    auto* emissivityRow = new QHBoxLayout;
    emissivityRow->addWidget(label);
    emissivityRow->addWidget(m_emissivity);
    emissivityRow->addLayout(arrows);
    emissivityRow->addWidget(m_set);
    emissivityRow->addWidget(m_lookup);
    emissivityRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(removeRow);
    layout->addLayout(emissivityRow);

    setTabOrder(m_list, m_remove);
    setTabOrder(m_remove, m_emissivity);
    setTabOrder(m_emissivity, m_set);
    setTabOrder(m_set, m_lookup);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &cHotSpotPage::onSelectionChanged);
    connect(m_remove, &QPushButton::clicked, this, &cHotSpotPage::onRemove);
    // Delete removes the selected cursors while the page has the focus, as Remove does; the
    // emissivity field keeps the key for its own text.
    auto* removeKey = new QAction(uiText(sid::RemoveSelectedCursors), this);
    removeKey->setObjectName(QStringLiteral("removeKey"));
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(removeKey);
    connect(removeKey, &QAction::triggered, this, &cHotSpotPage::onRemove);
    connect(m_set, &QPushButton::clicked, this, &cHotSpotPage::onSet);
    connect(m_lookup, &QPushButton::clicked, this, &cHotSpotPage::onLookup);
    connect(m_up, &QToolButton::clicked, this, [this] { StepEmissivity(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepEmissivity(-1); });
}

void cHotSpotPage::AttachDocument(CVantoroDoc* doc)
{
    disconnect(m_docConnection);
    m_doc = doc;
    // The page's one way of hearing the document: the cursors' readings, and everything on a
    // new snapshot or a new unit.
    if (doc)
        m_docConnection = connect(doc, &CVantoroDoc::changed, this, [this](DocChanges what) {
            if (what & (DocChange::Picture | DocChange::Readings | DocChange::Controls)) Refresh();
        });
    Refresh();
}

bool cHotSpotPage::active() const
{
    return m_doc && m_doc->isLoaded();
}

void cHotSpotPage::Refresh()
{
    const std::vector<int> wasSelected = selectedCursors();
    {
        // A rebuild is not the user choosing a row: the field keeps its value.
        const QSignalBlocker block(m_list);
        m_list->clear();
        if (active()) {
            const auto& markers = m_doc->markers();
            for (int i = 0; i < kMaxCursors; ++i) {
                if (!markers[static_cast<std::size_t>(i)].inUse) continue;
                auto* item = new QTreeWidgetItem(m_list);
                fillRow(item, i);
                if (std::find(wasSelected.begin(), wasSelected.end(), i) != wasSelected.end())
                    item->setSelected(true);
            }
        }
    }
    showFieldValue(m_fieldValue);
}

void cHotSpotPage::fillRow(QTreeWidgetItem* item, int index) const
{
    const Marker& m = m_doc->markers()[static_cast<std::size_t>(index)];
    item->setData(ColName, Qt::UserRole, index);
    item->setText(ColName, m.name);
    item->setText(
        ColTemperature,
        formatTemperature(m.temperature, QString::fromStdString(m_doc->image().unitText())));
    // Positions read as the user places cursors: y counted from the top of the picture.
    item->setText(ColPosition, QString::asprintf("%d, %d", m.x, kHeight - 1 - m.row));
    item->setText(ColEmissivity, formatEmissivity(m.emissivity / 100.0));
}

QTreeWidgetItem* cHotSpotPage::rowOf(int index) const
{
    for (int r = 0; r < m_list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = m_list->topLevelItem(r);
        if (item->data(ColName, Qt::UserRole).toInt() == index) return item;
    }
    return nullptr;
}

std::vector<int> cHotSpotPage::selectedCursors() const
{
    std::vector<int> indices;
    for (int r = 0; r < m_list->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = m_list->topLevelItem(r);
        if (item->isSelected()) indices.push_back(item->data(ColName, Qt::UserRole).toInt());
    }
    return indices;
}

void cHotSpotPage::showFieldValue(double value)
{
    m_fieldValue = value;
    m_emissivity->setText(formatEmissivity(value));
}

void cHotSpotPage::onSelectionChanged()
{
    if (!active()) return;
    // The row the user just clicked is the current one; a rubber band or keyboard range
    // falls back to the first selected row.
    QTreeWidgetItem* item = m_list->currentItem();
    if (item == nullptr || !item->isSelected()) {
        const QList<QTreeWidgetItem*> chosen = m_list->selectedItems();
        if (chosen.isEmpty()) return;
        item = chosen.front();
    }
    const int index = item->data(ColName, Qt::UserRole).toInt();
    if (index < 0 || index >= kMaxCursors) return;
    showFieldValue(m_doc->markers()[static_cast<std::size_t>(index)].emissivity / 100.0);
}

void cHotSpotPage::onRemove()
{
    if (!active()) return;
    // Indices first: each removal announces itself, and the view rebuilds the rows on it.
    const std::vector<int> indices = selectedCursors();
    for (const int index : indices) m_doc->removeCursor(index);
    // Rows of removed cursors must not linger, whether or not the view refreshed us.
    Refresh();
}

void cHotSpotPage::SetCursorEmissivity(int hundredths)
{
    if (!active()) return;
    if (hundredths < 1 || hundredths > 100) {
        refuseEmissivity();
        return;
    }
    // Indices first: the document announces every change, and the view may rebuild the
    // rows while this loop runs.
    const std::vector<int> indices = selectedCursors();
    std::vector<int> changed;
    for (const int index : indices) {
        if (index < 0 || index >= kMaxCursors) continue;
        const Marker& m = m_doc->markers()[static_cast<std::size_t>(index)];
        if (!m.inUse || m.emissivity == hundredths) continue;
        // The document recomputes the temperature, marks itself modified and redraws.
        if (m_doc->setCursorEmissivity(index, hundredths)) changed.push_back(index);
    }
    for (const int index : changed) {
        if (QTreeWidgetItem* item = rowOf(index)) fillRow(item, index);
    }
    showFieldValue(hundredths / 100.0);
}

void cHotSpotPage::StepEmissivity(int direction)
{
    if (!active()) return;
    // Rounded, not truncated: 0.95 is 95 hundredths, so one step up gives 0.96.
    const int next = hundredthsOf(leadingNumber(m_emissivity->text())) + direction;
    if (next < 1 || next > 100) {
        refuseEmissivity();
        return;
    }
    showFieldValue(next / 100.0);
}

void cHotSpotPage::onSet()
{
    SetCursorEmissivity(hundredthsOf(leadingNumber(m_emissivity->text())));
}

void cHotSpotPage::onLookup()
{
    if (!active()) return;
    cEmissivityDlg dlg(this);
    dlg.setEmissivity(leadingNumber(m_emissivity->text()));
    if (dlg.run() == QDialog::Accepted) SetCursorEmissivity(hundredthsOf(dlg.emissivity()));
}

void cHotSpotPage::refuseEmissivity()
{
    // Held arrows, keys and clicks can ask again while the box is up: one box at a time.
    static bool showing = false;
    if (showing) return;
    showing = true;
    cMessageDlg::messageBox(sid::EmissivityOutOfRange, cMessageDlg::IconExclamation,
                            cMessageDlg::ButtonsOk, this);
    showing = false;
    m_emissivity->setFocus();
    m_emissivity->selectAll();
}

bool cHotSpotPage::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys in the field step it like the up-down buttons.
    if (watched == m_emissivity && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            StepEmissivity(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace calivue
