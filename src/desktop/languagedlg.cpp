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

cLanguageDlg::cLanguageDlg(SettingsStore& store, Language languageInUse, QWidget* parent,
                           InstalledCheck installed)
    : QDialog(parent), m_store(store)
{
    setWindowTitle(uiText(sid::Language));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_combo = new QComboBox(this);
    auto* model = qobject_cast<QStandardItemModel*>(m_combo->model());
    for (const LanguageInfo& info : languageTable()) {
        const bool present =
            info.language == Language::English || !installed || installed(info.language);
        m_installed.push_back(present);
        const QString name = uiText(info.nameStringId);
        m_combo->addItem(present ? name : formatText(uiText(sid::LanguageNotInstalled), {name}));
        if (!present && model) model->item(m_combo->count() - 1)->setEnabled(false);
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

cLanguageDlg::Outcome cLanguageDlg::run(SettingsStore& store, Language languageInUse,
                                        QWidget* parent, InstalledCheck installed)
{
    cLanguageDlg dialog(store, languageInUse, parent, std::move(installed));
    dialog.exec();
    return dialog.outcome();
}

Language cLanguageDlg::selectedLanguage() const
{
    return languageFrom(m_combo->currentIndex()).value_or(Language::English);
}

void cLanguageDlg::selectLanguage(Language language)
{
    // The list holds the languages in the order of their numbers.
    m_combo->setCurrentIndex(languageNumber(language));
}

QStringList cLanguageDlg::languageNames() const
{
    QStringList names;
    for (int i = 0; i < m_combo->count(); ++i) names.append(m_combo->itemText(i));
    return names;
}

bool cLanguageDlg::isInstalled(Language language) const
{
    const auto index = static_cast<std::size_t>(languageNumber(language));
    return index < m_installed.size() && m_installed[index];
}

void cLanguageDlg::accept()
{
    const Language chosen = selectedLanguage();
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
