#include "report/equipmentdlg.h"

#include "report/equipmenttext.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"

#include "core/equipmentlink.h"
#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "platform/errortext.h"
#include "interchange/equipmentcsv.h"
#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace calivue {

namespace {

// The identifier the row holds (the last one accepted) and the identifier of the list the
// dialog started from that the row stands for (empty for a new row).
constexpr int kIdRole = Qt::UserRole;
constexpr int kOriginRole = Qt::UserRole + 1;

// The reason cell's editor: the offered reasons, or any text typed.
class ReasonDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(offeredReasons());
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QComboBox*>(editor)->setCurrentText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
    }
};

QString withoutEllipsis(QString text)
{
    while (text.endsWith(QLatin1Char('.')) || text.endsWith(QChar(0x2026))) text.chop(1);
    return text.trimmed();
}

cEquipmentDlg::Runner& runner()
{
    static cEquipmentDlg::Runner instance;
    return instance;
}

}  // namespace

cEquipmentDlg::cEquipmentDlg(CReportDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setWindowTitle(uiText(sid::EquipmentListTitle));
    m_c.search = new QLineEdit(this);
    m_c.search->setClearButtonEnabled(true);
    m_c.table = new QTableWidget(0, ColumnCount, this);
    m_c.table->setHorizontalHeaderLabels(
        {uiText(sid::CursorListId), uiText(sid::CaptionLocation),
         uiText(sid::EquipmentDescriptionColumn), uiText(sid::CaptionRatedLoad),
         uiText(sid::EquipmentStatusColumn), uiText(sid::EquipmentReasonColumn)});
    m_c.table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_c.table->setItemDelegateForColumn(ReasonColumn, new ReasonDelegate(m_c.table));
    m_c.table->horizontalHeader()->setSectionResizeMode(DescriptionColumn, QHeaderView::Stretch);
    // The status and the offered reasons are short words: shown whole, on one line.
    for (int column : {StatusColumn, ReasonColumn})
        m_c.table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_c.table->setWordWrap(false);
    m_c.table->verticalHeader()->setVisible(false);
    m_c.table->setMinimumSize(760, 360);
    m_c.add = new QPushButton(uiText(sid::EquipmentAdd), this);
    m_c.remove = new QPushButton(uiText(sid::Remove), this);
    m_c.moveUp = new QPushButton(uiText(sid::EquipmentMoveUp), this);
    m_c.moveDown = new QPushButton(uiText(sid::EquipmentMoveDown), this);
    m_c.importCsv = new QPushButton(uiText(sid::EquipmentImportCsv), this);
    m_c.exportCsv = new QPushButton(uiText(sid::EquipmentExportCsv), this);
    m_c.buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(uiText(sid::EquipmentSearch), this));
    searchRow->addWidget(m_c.search);
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {m_c.add, m_c.remove, m_c.moveUp, m_c.moveDown}) side->addWidget(b);
    side->addSpacing(16);
    side->addWidget(m_c.importCsv);
    side->addWidget(m_c.exportCsv);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_c.table, 1);
    middle->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(searchRow);
    all->addLayout(middle);
    all->addWidget(m_c.buttons);

    for (const EquipmentItem& item : doc.equipmentItems()) m_original.insert(item.id);
    fill(doc.equipmentItems());

    connect(m_c.table, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { onItemChanged(item); });
    connect(m_c.table, &QTableWidget::currentCellChanged, this, [this] { updateButtons(); });
    connect(m_c.search, &QLineEdit::textChanged, this, [this] { applySearch(); });
    connect(m_c.add, &QPushButton::clicked, this, [this] { addItem(); });
    connect(m_c.remove, &QPushButton::clicked, this, [this] { removeItems(); });
    connect(m_c.moveUp, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(m_c.moveDown, &QPushButton::clicked, this, [this] { moveCurrent(+1); });
    connect(m_c.importCsv, &QPushButton::clicked, this, [this] { chooseImport(); });
    connect(m_c.exportCsv, &QPushButton::clicked, this, [this] { chooseExport(); });
    connect(m_c.buttons, &QDialogButtonBox::accepted, this, &cEquipmentDlg::accept);
    connect(m_c.buttons, &QDialogButtonBox::rejected, this, &cEquipmentDlg::reject);
    // Equipment data that did not read is shown as empty and never changed.
    if (!doc.equipmentEditable()) {
        m_c.table->setEnabled(false);
        for (QPushButton* b : {m_c.add, m_c.remove, m_c.moveUp, m_c.moveDown, m_c.importCsv,
                               m_c.buttons->button(QDialogButtonBox::Ok)})
            b->setEnabled(false);
    }
    updateButtons();
}

void cEquipmentDlg::run(CReportDoc& doc, QWidget* parent)
{
    cEquipmentDlg dialog(doc, parent);
    if (runner()) {
        runner()(dialog);
        return;
    }
    dialog.exec();
}

void cEquipmentDlg::setRunner(Runner r)
{
    runner() = std::move(r);
}

// --- the table ---------------------------------------------------------------------------

void cEquipmentDlg::setRow(int row, const EquipmentItem& item, const QString& origin)
{
    const bool wasFilling = std::exchange(m_filling, true);
    auto* id = new QTableWidgetItem(toQString(item.id));
    id->setData(kIdRole, toQString(item.id));
    id->setData(kOriginRole, origin);
    m_c.table->setItem(row, IdColumn, id);
    m_c.table->setItem(row, LocationColumn, new QTableWidgetItem(toQString(item.location)));
    m_c.table->setItem(row, DescriptionColumn, new QTableWidgetItem(toQString(item.description)));
    m_c.table->setItem(row, RatedColumn, new QTableWidgetItem(toQString(item.ratedLoad)));
    auto* status = new QTableWidgetItem(statusLabel(item.status));
    status->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    status->setCheckState(item.status == EquipmentStatus::Inspected ? Qt::Checked : Qt::Unchecked);
    m_c.table->setItem(row, StatusColumn, status);
    m_c.table->setItem(row, ReasonColumn, new QTableWidgetItem(reasonLabel(item.reason)));
    onStatusChanged(row);
    m_filling = wasFilling;
}

void cEquipmentDlg::fill(const std::vector<EquipmentItem>& items)
{
    const bool wasFilling = std::exchange(m_filling, true);
    m_c.table->setRowCount(0);
    m_c.table->setRowCount(int(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        // A row stands for the item of the list the dialog started from with its identifier,
        // so an imported list keeps the links to the items it still holds.
        const bool known = m_original.contains(items[i].id);
        setRow(int(i), items[i], known ? toQString(items[i].id) : QString());
    }
    m_filling = wasFilling;
    applySearch();
    updateButtons();
}

std::vector<EquipmentItem> cEquipmentDlg::items() const
{
    std::vector<EquipmentItem> out;
    out.reserve(std::size_t(m_c.table->rowCount()));
    for (int row = 0; row < m_c.table->rowCount(); ++row) {
        const auto text = [&](int column) { return toU16(m_c.table->item(row, column)->text()); };
        EquipmentItem item;
        item.id = toU16(m_c.table->item(row, IdColumn)->data(kIdRole).toString());
        item.location = text(LocationColumn);
        item.description = text(DescriptionColumn);
        item.ratedLoad = text(RatedColumn);
        item.status = m_c.table->item(row, StatusColumn)->checkState() == Qt::Checked
                          ? EquipmentStatus::Inspected
                          : EquipmentStatus::NotInspected;
        if (item.status == EquipmentStatus::NotInspected)
            item.reason = reasonKeyword(m_c.table->item(row, ReasonColumn)->text());
        out.push_back(std::move(item));
    }
    return out;
}

void cEquipmentDlg::onItemChanged(QTableWidgetItem* item)
{
    if (m_filling || !item) return;
    const int row = item->row();
    if (item->column() == StatusColumn) {
        onStatusChanged(row);
        return;
    }
    if (item->column() != IdColumn) return;
    const QString accepted = item->data(kIdRole).toString();
    const QString typed = item->text().trimmed();
    QString problem;
    if (typed.isEmpty()) {
        problem = uiText(sid::EquipmentIdEmpty);
    } else if (typed != accepted) {
        for (int other = 0; other < m_c.table->rowCount(); ++other)
            if (other != row && m_c.table->item(other, IdColumn)->data(kIdRole).toString() == typed)
                problem = formatText(uiText(sid::EquipmentIdTwice), {typed});
    }
    const bool wasFilling = std::exchange(m_filling, true);
    // A refused identifier goes back to the last one the row held.
    item->setText(problem.isEmpty() ? typed : accepted);
    if (problem.isEmpty()) item->setData(kIdRole, typed);
    m_filling = wasFilling;
    if (!problem.isEmpty())
        cMessageDlg::messageBox(problem, cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk,
                                this);
}

void cEquipmentDlg::onStatusChanged(int row)
{
    QTableWidgetItem* status = m_c.table->item(row, StatusColumn);
    QTableWidgetItem* reason = m_c.table->item(row, ReasonColumn);
    if (!status || !reason) return;
    const bool inspected = status->checkState() == Qt::Checked;
    const bool wasFilling = std::exchange(m_filling, true);
    status->setText(
        statusLabel(inspected ? EquipmentStatus::Inspected : EquipmentStatus::NotInspected));
    // An inspected item has no reason not to be: the cell empties and takes no text.
    if (inspected) reason->setText(QString());
    reason->setFlags(inspected ? Qt::ItemIsSelectable
                               : Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    m_filling = wasFilling;
}

bool cEquipmentDlg::rowMatches(int row, const QString& query) const
{
    if (query.isEmpty()) return true;
    for (int column = 0; column < ColumnCount; ++column)
        if (const QTableWidgetItem* item = m_c.table->item(row, column);
            item && item->text().contains(query, Qt::CaseInsensitive))
            return true;
    return false;
}

void cEquipmentDlg::applySearch()
{
    const QString query = m_c.search->text().trimmed();
    for (int row = 0; row < m_c.table->rowCount(); ++row)
        m_c.table->setRowHidden(row, !rowMatches(row, query));
    updateButtons();
}

void cEquipmentDlg::updateButtons()
{
    if (!m_doc.equipmentEditable()) return;
    const int row = m_c.table->currentRow();
    const bool current = row >= 0 && !m_c.table->isRowHidden(row);
    m_c.remove->setEnabled(current || !m_c.table->selectedItems().isEmpty());
    m_c.moveUp->setEnabled(current);
    m_c.moveDown->setEnabled(current);
}

// --- commands ----------------------------------------------------------------------------

int cEquipmentDlg::addItem()
{
    m_c.search->clear();
    std::vector<EquipmentItem> list = items();
    const int current = m_c.table->currentRow();
    // The new identifier counts on from the item it is added after.
    if (current >= 0) list.push_back(list[std::size_t(current)]);
    EquipmentItem item;
    item.id = nextEquipmentId(list);
    const int row = current >= 0 ? current + 1 : m_c.table->rowCount();
    m_c.table->insertRow(row);
    setRow(row, item, QString());
    m_c.table->setCurrentCell(row, IdColumn);
    updateButtons();
    return row;
}

void cEquipmentDlg::removeItems()
{
    std::set<int> rows;
    for (const QModelIndex& index : m_c.table->selectionModel()->selectedRows())
        if (!m_c.table->isRowHidden(index.row())) rows.insert(index.row());
    if (rows.empty() && m_c.table->currentRow() >= 0) rows.insert(m_c.table->currentRow());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) m_c.table->removeRow(*row);
    updateButtons();
}

bool cEquipmentDlg::moveCurrent(int direction)
{
    const int from = m_c.table->currentRow();
    if (from < 0 || direction == 0) return false;
    const int step = direction < 0 ? -1 : 1;
    int to = from + step;
    while (to >= 0 && to < m_c.table->rowCount() && m_c.table->isRowHidden(to)) to += step;
    if (to < 0 || to >= m_c.table->rowCount()) return false;
    const int column = std::max(0, m_c.table->currentColumn());
    const bool wasFilling = std::exchange(m_filling, true);
    // The row is taken out and put back beside the shown row it passes; rows hidden between
    // them keep their order.
    std::vector<QTableWidgetItem*> taken;
    for (int c = 0; c < ColumnCount; ++c) taken.push_back(m_c.table->takeItem(from, c));
    m_c.table->removeRow(from);
    m_c.table->insertRow(to);
    for (int c = 0; c < ColumnCount; ++c) m_c.table->setItem(to, c, taken[std::size_t(c)]);
    m_filling = wasFilling;
    m_c.table->setCurrentCell(to, column);
    updateButtons();
    return true;
}

bool cEquipmentDlg::importFrom(const QString& path)
{
    const EquipmentCsvRead read = readEquipmentCsvFile(toFsPath(path));
    if (!read) {
        cMessageDlg::messageBox(
            formatText(uiText(sid::EquipmentImportRefused),
                       {QDir::toNativeSeparators(path), csvProblemText(*read.problem)}),
            cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
        return false;
    }
    m_c.search->clear();
    fill(read.items);
    return true;
}

bool cEquipmentDlg::exportTo(const QString& path)
{
    FileFailure failure;
    if (writeEquipmentCsvFile(toFsPath(path), items(), &failure) == Error::None) return true;
    cMessageDlg::messageBox(saveFailureText(sid::EquipmentExportFailed, failure, path),
                            cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
    return false;
}

void cEquipmentDlg::chooseImport()
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Open, QStringLiteral("csv"));
    dialog.setTitle(withoutEllipsis(uiText(sid::EquipmentImportCsv)));
    dialog.addFilter(uiText(sid::FilterCsvFiles), QStringLiteral("*.csv"));
    if (!m_doc.folder().isEmpty()) dialog.setDirectory(m_doc.folder());
    if (const std::optional<QString> chosen = dialog.choose(this)) importFrom(*chosen);
}

void cEquipmentDlg::chooseExport()
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("csv"),
                         QFileInfo(m_doc.name()).completeBaseName());
    dialog.setTitle(withoutEllipsis(uiText(sid::EquipmentExportCsv)));
    dialog.addFilter(uiText(sid::FilterCsvFiles), QStringLiteral("*.csv"));
    dialog.setOverwritePrompt(true);
    if (!m_doc.folder().isEmpty()) dialog.setDirectory(m_doc.folder());
    if (const std::optional<QString> chosen = dialog.choose(this)) exportTo(*chosen);
}

std::map<std::u16string, std::u16string> cEquipmentDlg::fate() const
{
    std::map<std::u16string, std::u16string> out;
    for (const std::u16string& id : m_original) out[id];
    for (int row = 0; row < m_c.table->rowCount(); ++row) {
        const QTableWidgetItem* id = m_c.table->item(row, IdColumn);
        const QString origin = id->data(kOriginRole).toString();
        if (!origin.isEmpty()) out[toU16(origin)] = toU16(id->data(kIdRole).toString());
    }
    return out;
}

bool cEquipmentDlg::apply()
{
    if (!m_doc.equipmentEditable()) return false;
    const std::vector<EquipmentItem> list = items();
    const std::map<std::u16string, std::u16string> f = fate();
    if (const std::size_t lost = m_doc.linksLostBy(list, f); lost > 0) {
        const int answer =
            cMessageDlg::messageBox(formatText(uiText(sid::EquipmentLinksLost), {int(lost)}),
                                    cMessageDlg::IconQuestion, cMessageDlg::ButtonsYesNo, this);
        if (answer != cMessageDlg::IdYes) return false;
    }
    if (const std::optional<std::string> refused = m_doc.setEquipmentItems(list, f)) {
        cMessageDlg::messageBox(QString::fromStdString(*refused), cMessageDlg::IconStop,
                                cMessageDlg::ButtonsOk, this);
        return false;
    }
    return true;
}

void cEquipmentDlg::accept()
{
    if (apply()) QDialog::accept();
}

}  // namespace calivue
