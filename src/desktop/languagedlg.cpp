#include "desktop/languagedlg.h"

#include "platform/languagetable.h"
#include "desktop/messagedlg.h"
#include "platform/settingsstore.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include "platform/textformat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace calivue {

cLanguageDlg::cLanguageDlg(SettingsStore& store, int languageInUse, QWidget* parent,
                           InstalledCheck installed)
    : QDialog(parent), m_store(store)
{
    setWindowTitle(uiText(sid::Language));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_combo = new QComboBox(this);
    auto* model = qobject_cast<QStandardItemModel*>(m_combo->model());
    int number = 0;
    for (const LanguageInfo& info : languageTable()) {
        const bool present = number == 0 || !installed || installed(number);
        m_installed.push_back(present);
        const QString name = uiText(info.nameStringId);
        m_combo->addItem(present ? name : formatText(uiText(sid::LanguageNotInstalled), {name}));
        if (!present && model) model->item(number)->setEnabled(false);
        ++number;
    }
    selectLanguage(languageInUse);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(uiText(sid::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(uiText(sid::Cancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &cLanguageDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &cLanguageDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_combo);
    layout->addWidget(buttons);
}

cLanguageDlg::Outcome cLanguageDlg::run(SettingsStore& store, int languageInUse, QWidget* parent,
                                        InstalledCheck installed)
{
    cLanguageDlg dialog(store, languageInUse, parent, std::move(installed));
    dialog.exec();
    return dialog.outcome();
}

int cLanguageDlg::selectedLanguage() const
{
    return qMax(0, m_combo->currentIndex());
}

void cLanguageDlg::selectLanguage(int language)
{
    m_combo->setCurrentIndex(language >= 0 && language < kLanguageCount ? language : -1);
}

QStringList cLanguageDlg::languageNames() const
{
    QStringList names;
    for (int i = 0; i < m_combo->count(); ++i) names.append(m_combo->itemText(i));
    return names;
}

bool cLanguageDlg::isInstalled(int language) const
{
    return language >= 0 && language < static_cast<int>(m_installed.size()) &&
           m_installed[static_cast<std::size_t>(language)];
}

void cLanguageDlg::accept()
{
    const int chosen = selectedLanguage();
    if (!isInstalled(chosen)) {
        m_outcome = Outcome::NotInstalled;
        return;
    }
    if (chosen == m_store.language()) {
        m_outcome = Outcome::Unchanged;
    } else if (const auto error = m_store.setLanguage(chosen)) {
        m_outcome = Outcome::WriteFailed;
        cMessageDlg::messageBox(error->message, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
    } else {
        m_outcome = Outcome::Changed;
        cMessageDlg::messageBox(sid::RestartToApply, cMessageDlg::IconInformation,
                                cMessageDlg::ButtonsOk, this);
    }
    QDialog::accept();
}

void cLanguageDlg::reject()
{
    m_outcome = Outcome::Cancelled;
    QDialog::reject();
}

}  // namespace calivue
