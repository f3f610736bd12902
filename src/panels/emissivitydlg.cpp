#include "panels/emissivitydlg.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace calivue {

namespace {

// The values as the program fixes them; the list texts come from the string table, so a
// language module may word the materials differently but never change a value.
constexpr const char* kValues[cEmissivityDlg::kEntries] = {"1.00", "0.98", "0.94", "0.93", "0.92",
                                                           "0.90", "0.80", "0.79", "0.78", "0.76",
                                                           "0.70", "0.67", "0.64"};

cEmissivityDlg::Responder& responder()
{
    static cEmissivityDlg::Responder instance;
    return instance;
}

}  // namespace

double cEmissivityDlg::tableValue(int index)
{
    if (index < 0 || index >= kEntries) return 0.0;
    return QString::fromLatin1(kValues[index]).toDouble();
}

void cEmissivityDlg::setResponder(Responder r)
{
    responder() = std::move(r);
}

cEmissivityDlg::cEmissivityDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiText(sid::EmissivityLookupTitle));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("materials"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < kEntries; ++i) m_list->addItem(uiText(sid::EmissivityIrSource + i));
    m_list->setMinimumSize(320, 230);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(uiText(sid::Ok), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(uiText(sid::Cancel), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &cEmissivityDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &cEmissivityDlg::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &cEmissivityDlg::onDoubleClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void cEmissivityDlg::setEmissivity(double value)
{
    m_emissivity = value;
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
    for (int i = 0; i < kEntries; ++i) {
        if (tableValue(i) == value) {
            m_list->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
}

int cEmissivityDlg::selectedIndex() const
{
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    return chosen.isEmpty() ? -1 : m_list->row(chosen.front());
}

int cEmissivityDlg::run()
{
    if (responder()) return responder()(*this);
    return exec();
}

void cEmissivityDlg::accept()
{
    const int index = selectedIndex();
    if (index >= 0) m_emissivity = tableValue(index);
    setResult(QDialog::Accepted);
    QDialog::accept();
}

void cEmissivityDlg::onDoubleClick(QListWidgetItem* item)
{
    // A double-click chooses only when it landed on an entry that is selected.
    if (item == nullptr || selectedIndex() < 0) return;
    accept();
}

}  // namespace calivue
