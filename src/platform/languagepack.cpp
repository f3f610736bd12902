#include "platform/languagepack.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace calivue {

namespace {

constexpr int kFormat = 1;
constexpr int kMaxId = 65535;

std::optional<LanguagePack> refuse(QString* why, const QString& reason)
{
    if (why) *why = reason;
    return std::nullopt;
}

bool readStrings(const QJsonObject& object, QHash<int, QString>& out)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool isNumber = false;
        const int id = it.key().toInt(&isNumber);
        if (!isNumber || id < 0 || id > kMaxId || !it.value().isString()) return false;
        out.insert(id, it.value().toString());
    }
    return true;
}

bool readMenus(const QJsonArray& array, QList<MenuDef>& out)
{
    for (const QJsonValue& menuValue : array) {
        const QJsonObject menu = menuValue.toObject();
        if (!menu.value(QLatin1String("text")).isString() ||
            !menu.value(QLatin1String("items")).isArray())
            return false;
        MenuDef def;
        def.text = menu.value(QLatin1String("text")).toString();
        for (const QJsonValue& itemValue : menu.value(QLatin1String("items")).toArray()) {
            const QJsonObject item = itemValue.toObject();
            MenuEntry entry;
            if (item.value(QLatin1String("separator")).toBool()) {
                entry.separator = true;
            } else {
                const int command = item.value(QLatin1String("command")).toInt(-1);
                if (!item.value(QLatin1String("text")).isString() || command <= 0 ||
                    command > kMaxId)
                    return false;
                entry.text = item.value(QLatin1String("text")).toString();
                entry.command = command;
            }
            def.items.append(entry);
        }
        out.append(def);
    }
    return true;
}

}  // namespace

std::optional<LanguagePack> parseLanguagePack(QByteArrayView utf8Json, QString* why)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8Json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(why, QStringLiteral("not a JSON object: %1").arg(error.errorString()));
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toInt() != kFormat)
        return refuse(why, QStringLiteral("unknown resource format"));

    LanguagePack pack;
    if (!readStrings(root.value(QLatin1String("strings")).toObject(), pack.strings))
        return refuse(why, QStringLiteral("bad string table entry"));
    if (!readMenus(root.value(QLatin1String("menus")).toArray(), pack.menus))
        return refuse(why, QStringLiteral("bad menu entry"));
    for (const QJsonValue& entry : root.value(QLatin1String("toolbar")).toArray()) {
        const int command = entry.toInt(-1);
        if (command < 0 || command > kMaxId)
            return refuse(why, QStringLiteral("bad tool-bar entry"));
        pack.toolbar.append(command);
    }
    return pack;
}

}  // namespace calivue
