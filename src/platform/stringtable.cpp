#include "platform/stringtable.h"

#include "embeddedresources.h"
#include "platform/stringids.h"

namespace calivue {

namespace {

std::shared_ptr<const LanguagePack> englishPack()
{
    // The payload was checked when it was generated; an unreadable one is a build fault and
    // leaves every text empty rather than stopping the program.
    static const std::shared_ptr<const LanguagePack> pack = [] {
        auto parsed = parseLanguagePack(QByteArrayView(resources::englishPayload()));
        Q_ASSERT(parsed.has_value());
        return std::make_shared<const LanguagePack>(parsed.value_or(LanguagePack{}));
    }();
    return pack;
}

StringTable& activeTable()
{
    static StringTable table;
    return table;
}

}  // namespace

StringTable::StringTable() : m_english(englishPack()) {}

StringTable StringTable::english()
{
    return StringTable();
}

StringTable StringTable::withModule(LanguagePack module)
{
    StringTable table = english();
    table.m_module = std::make_shared<const LanguagePack>(std::move(module));
    return table;
}

QString StringTable::text(int id) const
{
    if (m_module) {
        const auto it = m_module->strings.constFind(id);
        if (it != m_module->strings.constEnd()) return *it;
    }
    return m_english->strings.value(id);
}

bool StringTable::contains(int id) const
{
    return moduleHas(id) || m_english->strings.contains(id);
}

bool StringTable::moduleHas(int id) const
{
    return m_module && m_module->strings.contains(id);
}

QString StringTable::tag() const
{
    return text(sid::LanguageTag);
}

const QList<MenuDef>& StringTable::menus() const
{
    return (m_module && !m_module->menus.isEmpty()) ? m_module->menus : m_english->menus;
}

const QList<int>& StringTable::toolbar() const
{
    return (m_module && !m_module->toolbar.isEmpty()) ? m_module->toolbar : m_english->toolbar;
}

QString StringTable::prompt(int command) const
{
    const QString full = text(command);
    const qsizetype lineBreak = full.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? full : full.left(lineBreak);
}

QString StringTable::toolTip(int command) const
{
    const QString full = text(command);
    const qsizetype lineBreak = full.indexOf(QLatin1Char('\n'));
    if (lineBreak < 0) return {};
    QString tip = full.mid(lineBreak + 1);
    tip.replace(QLatin1String("&&"), QLatin1String("&"));
    return tip;
}

const StringTable& StringTable::active()
{
    return activeTable();
}

void StringTable::setActive(const StringTable& table)
{
    activeTable() = table;
}

QString uiText(int id)
{
    return StringTable::active().text(id);
}

}  // namespace calivue
