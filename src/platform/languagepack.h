// Internal to the platform layer.
// One set of user-interface resources: a string table and the menu texts, as carried by the
// program itself and by each language module (payload format in resources/languagemodule.h).
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace calivue {

struct MenuEntry {
    QString text;  // with '&' mnemonics; "&&" is a literal ampersand
    int command = 0;
    bool separator = false;
};

struct MenuDef {
    QString text;
    QList<MenuEntry> items;
};

struct LanguagePack {
    QHash<int, QString> strings;
    QList<MenuDef> menus;
    QList<int> toolbar;  // command numbers, 0 for a separator
};

// Reads a resource payload. Returns nullopt, with the reason in *why when given, when the text
// is not JSON, not format 1, or holds a string id outside 0..65535 or a malformed menu.
std::optional<LanguagePack> parseLanguagePack(QByteArrayView utf8Json, QString* why = nullptr);

}  // namespace calivue
