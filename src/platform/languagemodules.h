// Finding and loading the language module ("KVO <Language>.so") for the chosen language.
#pragma once

#include "platform/languagetable.h"
#include "platform/stringtable.h"

#include "core/error.h"

#include <QStringList>

namespace calivue {

struct LanguageLoad {
    // None when the module was found, initialised and carries the expected tag (table is then
    // the module's), or for English (no module: the program's own table).
    // ReadFailed: the module could not be found, loaded or initialised. BadMagic: it loaded but
    // its string 1156 is not the language's tag.
    Error error = Error::None;
    Language language = Language::English;
    StringTable table;   // the module's table when one loaded, the program's own otherwise
    QString modulePath;  // the file loaded or last tried
    // On failure: the text to show (from the program's own table) and the message-box styles
    // it is shown with.
    QString message;
    int iconStyle = 0;
    int buttonStyle = 0;

    bool ok() const { return error == Error::None; }
    // A module's table is in use (not the program's own English).
    bool fromModule() const { return ok() && table.isModule(); }
};

class LanguageModules {
public:
    // Looks for modules in defaultSearchDirs(), then on the system's library search path.
    // Needs a QCoreApplication.
    LanguageModules();
    // Looks in `searchDirs` in order, then on the system's library search path.
    explicit LanguageModules(QStringList searchDirs);

    // The executable's folder, then ../lib/calivue beside it (an installed prefix).
    static QStringList defaultSearchDirs();

    // "KVO " + the language's module name + ".so"; empty for the program's own English.
    static QString moduleFileName(Language language);

    // Loads, checks and reads the module of `language`. The module's resources are copied out
    // and the library is unloaded again, so the result does not depend on it staying loaded.
    LanguageLoad load(Language language) const;

private:
    QString locate(const QString& fileName) const;

    QStringList m_searchDirs;
};

}  // namespace calivue
