// Texts of the user interface by number: the language module's table when one is in use, with
// the program's own English table behind it for any number the module lacks.
#pragma once

#include "platform/languagepack.h"

#include <memory>

namespace calivue {

class StringTable {
public:
    // Same as english().
    StringTable();
    // The program's own English resources, built into the executable; always available.
    static StringTable english();
    // A language module's resources in front of the English ones.
    static StringTable withModule(LanguagePack module);

    // The text of string `id`, or an empty text when neither table has it.
    QString text(int id) const;
    bool contains(int id) const;
    // True when the module itself (not the English fallback) carries `id`.
    bool moduleHas(int id) const;
    bool isModule() const { return m_module != nullptr; }
    // String 1156: "ENGLISH" for the program's own table, the language's tag for a module.
    QString tag() const;

    // The module's menus and tool-bar layout when it has them, else the program's own.
    const QList<MenuDef>& menus() const;
    const QList<int>& toolbar() const;
    // The status-bar prompt of a command: its string up to the first line break.
    QString prompt(int command) const;
    // The tool tip of a command: its string after the first line break, "&&" shown as "&";
    // empty when the string has no tool-tip part.
    QString toolTip(int command) const;

    // The table the user interface reads from; English until start-up installs a module's.
    static const StringTable& active();
    static void setActive(const StringTable& table);

private:
    std::shared_ptr<const LanguagePack> m_module;   // null for the program's own table
    std::shared_ptr<const LanguagePack> m_english;  // never null
};

// Shorthand for StringTable::active().text(id).
QString uiText(int id);

}  // namespace calivue
