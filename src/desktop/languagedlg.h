// The "&Language..." dialog: a list of the 17 user-interface languages, each in its own name.
// Choosing another language stores it for the next start; nothing changes before that. A
// language whose module is not installed is marked so and cannot be chosen, so the program
// never stores a language it could not start in.
#pragma once

#include "platform/languagetable.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;

namespace calivue {

class SettingsStore;

class cLanguageDlg : public QDialog {
    Q_OBJECT

public:
    enum class Outcome {
        Open,  // neither OK nor Cancel yet
        Cancelled,
        Unchanged,     // OK on the language already stored: nothing written, no message
        Changed,       // the new language was stored and the restart message shown
        WriteFailed,   // storing failed; the failure message was shown
        NotInstalled,  // OK on a language without its module: refused, nothing written
    };
    // Whether a language's module is installed; an empty one counts every language as such.
    using InstalledCheck = std::function<bool(Language)>;

    // `store` must outlive the dialog; `languageInUse` is selected at first. The program's own
    // English needs no module and is always offered.
    cLanguageDlg(SettingsStore& store, Language languageInUse, QWidget* parent = nullptr,
                 InstalledCheck installed = {});

    // Runs the dialog modally, as the "&Language..." command does.
    static Outcome run(SettingsStore& store, Language languageInUse, QWidget* parent = nullptr,
                       InstalledCheck installed = {});

    bool isInstalled(Language language) const;

    Language selectedLanguage() const;  // the program's own English when nothing is selected
    void selectLanguage(Language language);
    QStringList languageNames() const;
    Outcome outcome() const { return m_outcome; }

    // OK: refuses a language that is not installed (the dialog stays open); otherwise compares
    // the choice with the stored `Language` value, writes it when it differs and tells the
    // user to restart (or shows the write failure), then closes.
    void accept() override;
    void reject() override;

private:
    SettingsStore& m_store;
    std::vector<bool> m_installed;  // by language number
    QComboBox* m_combo = nullptr;
    Outcome m_outcome = Outcome::Open;
};

}  // namespace calivue
