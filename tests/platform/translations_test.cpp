// Consistency of the language overlays in resources/lang/ with the English tables: every
// string present, no unknown ids, the same placeholders in the same order, the right tag, the
// English menu structure with usable accelerators, and nothing left in English unless allowed.
// Every problem is reported at once, with the language and the id, so a translator fixes all
// of them in one pass.
#include "platform/languagetable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <functional>

using namespace calivue;
using namespace Qt::StringLiterals;

namespace {

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The printf conversions of a format text, in order ("%%" is a literal percent sign).
QStringList placeholders(const QString& text)
{
    static const QRegularExpression conversion(
        QStringLiteral("%(?:%|[-+ #0]*\\d*(?:\\.\\d+)?(?:hh|h|ll|l|L|z|j|t)?[diouxXeEfgGcsp])"));
    QStringList found;
    for (auto it = conversion.globalMatch(text); it.hasNext();) {
        const QString match = it.next().captured();
        if (match != QStringLiteral("%%")) found << match;
    }
    return found;
}

// A text that is nothing but placeholders, digits, spaces and punctuation reads the same in
// every language.
bool isFormatOnly(const QString& text)
{
    QString rest = text;
    for (const QString& p : placeholders(text)) rest.remove(p);
    for (const QChar c : rest)
        if (c.isLetter()) return false;
    return true;
}

QChar accelerator(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

struct Reference {
    QJsonObject strings;  // id -> English text
    QJsonArray menus;
};

struct Allowances {
    QSet<QString> untranslated;  // ids that may equal English
    QSet<QString> reorder;       // ids whose placeholders may change order
};

Allowances allowancesFor(const QJsonObject& allowList, const QString& language)
{
    Allowances a;
    for (const QString& id : allowList[u"all"].toObject().keys()) a.untranslated.insert(id);
    for (const QString& id : allowList[u"languages"][language].toObject().keys())
        a.untranslated.insert(id);
    for (const auto& id : allowList[u"reorder"][language].toArray())
        a.reorder.insert(id.toString());
    return a;
}

void checkMenuItems(const QJsonArray& english, const QJsonArray& translated, const QString& where,
                    const QString& language, QStringList& problems)
{
    const auto problem = [&](const QString& what) {
        problems << QStringLiteral("%1: menu %2: %3").arg(language, where, what);
    };
    if (english.size() != translated.size()) {
        problem(QStringLiteral("has %1 entries, English has %2")
                    .arg(translated.size())
                    .arg(english.size()));
        return;
    }
    QHash<QChar, QString> accelerators;
    for (qsizetype i = 0; i < english.size(); ++i) {
        const QJsonObject en = english[i].toObject();
        const QJsonObject tr = translated[i].toObject();
        const QString at = QStringLiteral("%1[%2]").arg(where).arg(i);
        if (en[u"separator"].toBool() || tr[u"separator"].toBool()) {
            if (en[u"separator"].toBool() != tr[u"separator"].toBool())
                problem(QStringLiteral("entry %1 must %2be a separator")
                            .arg(i)
                            .arg(en[u"separator"].toBool() ? QString() : QStringLiteral("not ")));
            continue;
        }
        const QString text = tr[u"text"].toString();
        if (text.trimmed().isEmpty()) problem(QStringLiteral("entry %1 has no text").arg(i));
        if (en[u"command"].toInt() != tr[u"command"].toInt())
            problem(QStringLiteral("entry %1 is command %2, English has %3")
                        .arg(i)
                        .arg(tr[u"command"].toInt())
                        .arg(en[u"command"].toInt()));
        if (const QChar key = accelerator(text); !key.isNull()) {
            if (accelerators.contains(key))
                problem(QStringLiteral("accelerator &%1 of \"%2\" also used by \"%3\"")
                            .arg(key, text, accelerators[key]));
            accelerators.insert(key, text);
        }
        if (en.contains(u"items") || tr.contains(u"items"))
            checkMenuItems(en[u"items"].toArray(), tr[u"items"].toArray(), at, language, problems);
    }
}

// All problems of one overlay against the English tables.
QStringList checkOverlay(const Reference& ref, const QJsonObject& overlay, const QString& language,
                         int languageNumber, const Allowances& allowed)
{
    QStringList problems;
    const auto problem = [&](const QString& id, const QString& what) {
        problems << QStringLiteral("%1: string %2: %3").arg(language, id, what);
    };
    const QJsonObject strings = overlay[u"strings"].toObject();
    const QString tagId = QStringLiteral("1156");
    // In numeric order, as translators read the table.
    QStringList ids = ref.strings.keys();
    std::sort(ids.begin(), ids.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    for (const QString& id : ids) {
        const QString english = ref.strings[id].toString();
        if (!strings.contains(id)) {
            problem(id, QStringLiteral("missing"));
            continue;
        }
        const QString text = strings[id].toString();
        if (id == tagId) {
            const QString tag = QString::fromLatin1(languageInfo(Language{languageNumber}).tag);
            if (text != tag)
                problem(
                    id,
                    QStringLiteral("tag is \"%1\", the language table has \"%2\"").arg(text, tag));
            continue;
        }
        if (text.trimmed().isEmpty() && !english.trimmed().isEmpty()) {
            problem(id, QStringLiteral("empty"));
            continue;
        }
        QStringList want = placeholders(english), got = placeholders(text);
        if (allowed.reorder.contains(id)) {
            want.sort();
            got.sort();
        }
        if (want != got)
            problem(id, QStringLiteral("placeholders [%1], English has [%2]")
                            .arg(got.join(u' '), want.join(u' ')));
        if (text == english && !isFormatOnly(english) && !allowed.untranslated.contains(id))
            problem(id, QStringLiteral("left in English: \"%1\"").arg(english));
    }
    for (const QString& id : strings.keys())
        if (!ref.strings.contains(id)) problem(id, QStringLiteral("unknown id"));
    if (!overlay[u"menus"].isArray())
        problems << QStringLiteral("%1: no menus").arg(language);
    else
        checkMenuItems(ref.menus, overlay[u"menus"].toArray(), QStringLiteral("bar"), language,
                       problems);
    return problems;
}

// One problem a line, so a failed comparison prints readably.
std::string lines(const QStringList& problems)
{
    return problems.join(u'\n').toStdString();
}

QString fixture(const char* name)
{
    return QStringLiteral(CALIVUE_PLATFORM_TEST_DATA "/overlays/") + QString::fromLatin1(name);
}

Reference fixtureReference()
{
    return {readJson(fixture("reference_strings.json")),
            readJson(fixture("reference_menu.json"))[u"menus"].toArray()};
}

// Edits the good overlay's strings or menus in place.
void setString(QJsonObject& overlay, const char* id, const QJsonValue& text)
{
    QJsonObject strings = overlay[u"strings"].toObject();
    if (text.isUndefined())
        strings.remove(QString::fromLatin1(id));
    else
        strings[QString::fromLatin1(id)] = text;
    overlay[u"strings"] = strings;
}

void editMenu(QJsonObject& overlay, int menu, const std::function<void(QJsonArray&)>& edit)
{
    QJsonArray menus = overlay[u"menus"].toArray();
    QJsonObject m = menus[menu].toObject();
    QJsonArray items = m[u"items"].toArray();
    edit(items);
    m[u"items"] = items;
    menus[menu] = m;
    overlay[u"menus"] = menus;
}

QJsonObject menuItem(const char* text, int command)
{
    return {{u"text"_s, QString::fromUtf8(text)}, {u"command"_s, command}};
}

}  // namespace

// The checker on small fixtures: the good overlay passes, and each fault is found (and only
// that fault), with the id and language in the message.
TEST(TranslationCheck, FindsEachKindOfFault)
{
    const Reference ref = fixtureReference();
    const QJsonObject allowList = readJson(fixture("allowed.json"));
    const QJsonObject good = readJson(fixture("german_good.json"));
    ASSERT_FALSE(ref.strings.isEmpty());
    ASSERT_FALSE(good.isEmpty());
    EXPECT_EQ(lines(checkOverlay(ref, good, u"german"_s, 1, allowancesFor(allowList, u"german"_s))),
              "");

    struct Case {
        const char* name;
        std::function<void(QJsonObject&)> fault;
        const char* language;
        int number;
        const char* expected;  // the one problem reported
    };
    const Case cases[] = {
        {"missing id", [](QJsonObject& o) { setString(o, "10", QJsonValue::Undefined); }, "german",
         1, "german: string 10: missing"},
        {"unknown id", [](QJsonObject& o) { setString(o, "99", u"x"_s); }, "german", 1,
         "german: string 99: unknown id"},
        {"empty text", [](QJsonObject& o) { setString(o, "10", u" "_s); }, "german", 1,
         "german: string 10: empty"},
        {"placeholder lost", [](QJsonObject& o) { setString(o, "11", u"Seite %d"_s); }, "german", 1,
         "german: string 11: placeholders [%d], English has [%d %d]"},
        {"placeholder changed",
         [](QJsonObject& o) { setString(o, "12", u"%0.1f %s bis %0.01f %s"_s); }, "german", 1,
         "german: string 12: placeholders [%0.1f %s %0.01f %s], English has [%0.01f %s %0.01f "
         "%s]"},
        {"reordered without allowance",
         [](QJsonObject& o) { setString(o, "12", u"%s %0.01f bis %0.01f %s"_s); }, "german", 1,
         "german: string 12: placeholders [%s %0.01f %0.01f %s], English has [%0.01f %s %0.01f "
         "%s]"},
        {"literal percent taken for a placeholder",
         [](QJsonObject& o) { setString(o, "15", u"100% fertig"_s); }, "german", 1,
         "german: string 15: placeholders [% f], English has []"},
        {"wrong tag", [](QJsonObject& o) { setString(o, "1156", u"ENGLISH"_s); }, "german", 1,
         "german: string 1156: tag is \"ENGLISH\", the language table has \"GERMAN\""},
        {"tag of another language", [](QJsonObject&) {}, "french", 2,
         "french: string 1156: tag is \"GERMAN\", the language table has \"FRENCH\""},
        {"left in English", [](QJsonObject& o) { setString(o, "10", u"Open"_s); }, "german", 1,
         "german: string 10: left in English: \"Open\""},
        {"no menus", [](QJsonObject& o) { o.remove(u"menus"_s); }, "german", 1, "german: no menus"},
        {"menu item dropped",
         [](QJsonObject& o) { editMenu(o, 0, [](QJsonArray& a) { a.removeAt(2); }); }, "german", 1,
         "german: menu bar[0]: has 2 entries, English has 3"},
        {"separator moved",
         [](QJsonObject& o) {
             editMenu(o, 0, [](QJsonArray& a) {
                 a[1] = menuItem("&Beenden", 57665);
                 a[2] = QJsonObject{{u"separator"_s, true}};
             });
         },
         "german", 1,
         "german: menu bar[0]: entry 1 must be a separator\ngerman: menu bar[0]: entry 2 must not "
         "be a separator"},
        {"commands swapped",
         [](QJsonObject& o) {
             editMenu(o, 0, [](QJsonArray& a) { a[2] = menuItem("&Ende", 57601); });
         },
         "german", 1, "german: menu bar[0]: entry 2 is command 57601, English has 57665"},
        {"empty menu text",
         [](QJsonObject& o) { editMenu(o, 1, [](QJsonArray& a) { a[0] = menuItem("", 32789); }); },
         "german", 1, "german: menu bar[1]: entry 0 has no text"},
        {"accelerator used twice (case-insensitive)",
         [](QJsonObject& o) {
             editMenu(o, 0, [](QJsonArray& a) { a[2] = menuItem("&Fertig", 57665); });
         },
         "german", 1,
         "german: menu bar[0]: accelerator &f of \"&Fertig\" also used by \"Ö&ffnen...\""},
    };
    for (const Case& c : cases) {
        QJsonObject overlay = good;
        c.fault(overlay);
        const QString language = QString::fromLatin1(c.language);
        EXPECT_EQ(lines(checkOverlay(ref, overlay, language, c.number,
                                     allowancesFor(allowList, language))),
                  c.expected)
            << c.name;
    }
}

// Allowances: a listed reordering passes for its language only, an id in "all" may stay
// English, a literal "&&" is not an accelerator, and several problems come out together.
TEST(TranslationCheck, AllowancesAndCombinedReport)
{
    const Reference ref = fixtureReference();
    const QJsonObject allowList = readJson(fixture("allowed.json"));
    QJsonObject overlay = readJson(fixture("german_good.json"));
    setString(overlay, "10", QJsonValue::Undefined);
    setString(overlay, "12", u"%s %0.01f עד %0.01f %s"_s);
    setString(overlay, "1156", u"HEBREW"_s);
    // Read naively, "&&B" would claim B, which "&Beenden" holds.
    editMenu(overlay, 0, [](QJsonArray& a) { a[0] = menuItem("&&Beenden Ö&ffnen", 57601); });
    EXPECT_EQ(
        lines(checkOverlay(ref, overlay, u"hebrew"_s, 13, allowancesFor(allowList, u"hebrew"_s))),
        "hebrew: string 10: missing");
    EXPECT_EQ(
        lines(checkOverlay(ref, overlay, u"german"_s, 1, allowancesFor(allowList, u"german"_s))),
        lines(QStringList{u"german: string 10: missing"_s,
                          u"german: string 12: placeholders [%s %0.01f %0.01f %s], English has "
                          u"[%0.01f %s %0.01f %s]"_s,
                          u"german: string 1156: tag is \"HEBREW\", the language table has "
                          u"\"GERMAN\""_s}));
}

// The real overlays against the real English tables. Fails until the translations are in.
TEST(TranslationCheck, EveryLanguageModuleIsComplete)
{
    const QString dir = QStringLiteral(CALIVUE_SOURCE_RESOURCES_DIR);
    const Reference ref{readJson(dir + u"/strings_en.json"_s),
                        readJson(dir + u"/menu_en.json"_s)[u"menus"].toArray()};
    ASSERT_FALSE(ref.strings.isEmpty());
    const QJsonObject allowList =
        readJson(QStringLiteral(CALIVUE_PLATFORM_TEST_DATA) + u"/untranslated_allowed.json"_s);
    ASSERT_FALSE(allowList.isEmpty());
    QStringList problems, untranslated;
    int checked = 0;
    for (const LanguageInfo& info : languageTable()) {
        if (!info.moduleName || info.language == Language::UsEnglish) continue;
        const QString language = QString::fromLatin1(info.moduleName).toLower();
        const QString path = dir + u"/lang/"_s + language + u".json"_s;
        if (!QFile::exists(path)) {
            problems << language + u": no file "_s + path;
            continue;
        }
        const QJsonObject overlay = readJson(path);
        ++checked;
        // A module whose translation has not been written yet lists no strings at all; it is
        // named below, not passed. Any text it does list is checked in full.
        if (overlay[u"strings"_s].toObject().isEmpty() && !overlay.contains(u"menus"_s)) {
            untranslated << language;
            continue;
        }
        problems << checkOverlay(ref, overlay, language, languageNumber(info.language),
                                 allowancesFor(allowList, language));
    }
    EXPECT_EQ(checked, 15);
    EXPECT_TRUE(problems.isEmpty()) << problems.size() << " problems:\n"
                                    << problems.join(u'\n').toStdString();
    if (!untranslated.isEmpty())
        GTEST_SKIP() << "not translated yet: " << untranslated.join(u", "_s).toStdString();
}

// ---------------------------------------------------------------------------------------------
// Mechanical checks of meaning: accelerators a language's keyboard can type, the threshold
// blends named as thresholds, and every format with ordered arguments accounted for.

namespace {

struct Table {
    QString language;
    QJsonObject strings;
    QJsonArray menus;
};

// The English tables and every overlay, English first.
QList<Table> realTables()
{
    const QString dir = QStringLiteral(CALIVUE_SOURCE_RESOURCES_DIR);
    QList<Table> tables{{u"english"_s, readJson(dir + u"/strings_en.json"_s),
                         readJson(dir + u"/menu_en.json"_s)[u"menus"].toArray()}};
    for (const LanguageInfo& info : languageTable()) {
        if (!info.moduleName || info.language == Language::UsEnglish) continue;
        const QString language = QString::fromLatin1(info.moduleName).toLower();
        const QJsonObject o = readJson(dir + u"/lang/"_s + language + u".json"_s);
        tables << Table{language, o[u"strings"].toObject(), o[u"menus"].toArray()};
    }
    return tables;
}

// Alt + a letter fires only when the keyboard of the language types that letter: Cyrillic in
// Russian, Hebrew in Hebrew, Latin elsewhere; Chinese, Japanese and Korean menus carry a Latin
// key as a "(&X)" suffix, as software there does. Italian menus name Help "?", by custom.
QStringList acceleratorProblems(const Table& t)
{
    QStringList problems;
    const bool suffix =
        t.language == u"chinese" || t.language == u"japanese" || t.language == u"korean";
    const QChar::Script script = t.language == u"russian"  ? QChar::Script_Cyrillic
                                 : t.language == u"hebrew" ? QChar::Script_Hebrew
                                                           : QChar::Script_Latin;
    static const QRegularExpression suffixForm(u"\\(&[A-Z0-9]\\)(\\.\\.\\.|\u2026)?$"_s);
    std::function<void(const QJsonArray&)> walk = [&](const QJsonArray& items) {
        for (const auto& value : items) {
            const QJsonObject item = value.toObject();
            const QString text = item[u"text"].toString();
            const QChar key = accelerator(text);
            bool ok = key.isNull() || (t.language == u"italian" && text == u"&?");
            if (!ok && suffix)
                ok = suffixForm.match(text).hasMatch();
            else if (!ok)
                ok = key.isDigit() || (key.isLetter() && key.script() == script);
            if (!ok)
                problems << u"%1: menu \"%2\": &%3 is not a key of its keyboard"_s.arg(t.language,
                                                                                       text, key);
            walk(item[u"items"].toArray());
        }
    };
    walk(t.menus);
    return problems;
}

// 580 and 581 blend thermal colours in only above or below a threshold: each language names
// the threshold and the side, and not the other side.
struct ThresholdWords {
    const char* language;
    const char* threshold;
    const char* above;
    const char* below;
};
const ThresholdWords kThresholdWords[] = {
    {"english", "Threshold", "Above", "Below"},
    {"german", "Schwell", "über", "unter"},
    {"french", "seuil", "dessus", "sous"},
    {"spanish", "umbral", "sobre", "bajo"},
    {"italian", "soglia", "sopra", "sotto"},
    {"chinese", "阈值", "高于", "低于"},
    {"japanese", "しきい値", "上", "下"},
    {"korean", "임계값", "이상", "이하"},
    {"portuguese", "limiar", "acima", "abaixo"},
    {"russian", "порог", "выше", "ниже"},
    {"dutch", "drempel", "boven", "onder"},
    {"czech", "prah", "nad", "pod"},
    {"hebrew", "סף", "מעל", "מתחת"},
    {"indonesian", "Ambang", "Atas", "Bawah"},
    {"malay", "Ambang", "Atas", "Bawah"},
    {"filipino", "Threshold", "Itaas", "Ibaba"},
};

QStringList thresholdProblems(const Table& t)
{
    const ThresholdWords* words = nullptr;
    for (const ThresholdWords& w : kThresholdWords)
        if (t.language == QLatin1String(w.language)) words = &w;
    if (!words) return {t.language + u": no threshold words in the table"_s};
    QStringList problems;
    const auto has = [](const QString& text, const char* word) {
        return text.contains(QString::fromUtf8(word), Qt::CaseInsensitive);
    };
    for (const auto& [id, side, other] : {std::tuple{u"580"_s, words->above, words->below},
                                          std::tuple{u"581"_s, words->below, words->above}}) {
        const QString text = t.strings[id].toString();
        if (!has(text, words->threshold) || !has(text, side) || has(text, other))
            problems << u"%1: string %2 \"%3\" must say %4 %5"_s.arg(
                t.language, id, text, QString::fromUtf8(side), QString::fromUtf8(words->threshold));
    }
    return problems;
}

// Every English format with more than one argument, with what its arguments are, in the order
// the program passes them. A language whose sentence needs them in another order keeps the
// English order in its text and the program passes them reordered, as the Hebrew page footer's
// first form "%d עמודים, עמוד %d" is handed the total first; only such pairs may be listed
// under "reorder" in the allow list.
const std::map<QString, const char*> kOrderedFormats = {
    {u"1064"_s, "lower end, unit, upper end, unit"},
    {u"5032"_s, "file, reason"},
    {u"5065"_s, "heading, detail"},
    {u"5122"_s, "column, row"},
    {u"5123"_s, "difference, unit"},
    {u"5400"_s, "page, page count"},
    {u"5440"_s, "kind, difference, reference"},
    {u"5442"_s, "load, corrected difference, exponent"},
    {u"5448"_s, "factor, threshold"},
    {u"5449"_s, "factor, threshold"},
    {u"5468"_s, "exponent, minimum load"},
    {u"5521"_s, "file, reason"},
    {u"5559"_s, "items, inspected, exceptions, not inspected"},
    {u"5564"_s, "date, finding"},
    {u"5600"_s, "file, problem"},
    {u"5604"_s, "line, problem"},
    {u"5625"_s, "box, lines, characters, lines needed"},
    {u"5628"_s, "inspection, text"},
};
const QSet<QString> kReorderedByCode = {u"hebrew/5400"_s};

QStringList orderProblems(const QJsonObject& english, const QJsonObject& allowList)
{
    QStringList problems;
    for (const QString& id : english.keys()) {
        const bool ordered = placeholders(english[id].toString()).size() > 1;
        if (ordered != (kOrderedFormats.count(id) == 1))
            problems << (ordered
                             ? u"string %1 has ordered arguments but no entry in the order table"_s
                             : u"string %1 is in the order table but has no ordered arguments"_s)
                            .arg(id);
    }
    const QJsonObject reorder = allowList[u"reorder"].toObject();
    for (const QString& language : reorder.keys())
        for (const auto& id : reorder[language].toArray())
            if (!kReorderedByCode.contains(language + u'/' + id.toString()))
                problems
                    << u"%1: string %2 may not change its argument order: the program passes them in the English order"_s
                           .arg(language, id.toString());
    return problems;
}

}  // namespace

// The real tables pass all three checks.
TEST(TranslationCheck, AcceleratorsThresholdsAndArgumentOrder)
{
    const QList<Table> tables = realTables();
    ASSERT_EQ(tables.size(), 16);
    QStringList problems;
    for (const Table& t : tables) problems << acceleratorProblems(t) << thresholdProblems(t);
    problems << orderProblems(
        tables.first().strings,
        readJson(QStringLiteral(CALIVUE_PLATFORM_TEST_DATA) + u"/untranslated_allowed.json"_s));
    EXPECT_TRUE(problems.isEmpty()) << lines(problems);
}

// Each check finds its fault in an otherwise sound table, and names language and text.
TEST(TranslationCheck, MechanicalChecksFindTheirFaults)
{
    const QList<Table> tables = realTables();
    const auto table = [&](const QString& language) {
        for (const Table& t : tables)
            if (t.language == language) return t;
        return Table{};
    };
    const auto withMenuTitle = [](Table t, const QString& title) {
        QJsonObject first = t.menus[0].toObject();
        first[u"text"] = title;
        t.menus[0] = first;
        return t;
    };
    const auto withString = [](Table t, const QString& id, const QString& text) {
        t.strings[id] = text;
        return t;
    };
    EXPECT_EQ(lines(acceleratorProblems(withMenuTitle(table(u"russian"_s), u"&Файл"_s))), "");
    EXPECT_EQ(lines(acceleratorProblems(withMenuTitle(table(u"russian"_s), u"Файл (&F)"_s))),
              "russian: menu \"Файл (&F)\": &f is not a key of its keyboard");
    EXPECT_EQ(lines(acceleratorProblems(withMenuTitle(table(u"hebrew"_s), u"&File"_s))),
              "hebrew: menu \"&File\": &f is not a key of its keyboard");
    EXPECT_EQ(lines(acceleratorProblems(withMenuTitle(table(u"japanese"_s), u"&ファイル"_s))),
              "japanese: menu \"&ファイル\": &フ is not a key of its keyboard");
    EXPECT_EQ(lines(acceleratorProblems(withMenuTitle(table(u"german"_s), u"&Ωmega"_s))),
              "german: menu \"&Ωmega\": &ω is not a key of its keyboard");
    EXPECT_EQ(lines(thresholdProblems(
                  withString(table(u"japanese"_s), u"580"_s, u"熱画像を上に重ねる"_s))),
              "japanese: string 580 \"熱画像を上に重ねる\" must say 上 しきい値");
    EXPECT_EQ(lines(thresholdProblems(
                  withString(table(u"german"_s), u"581"_s, u"Wärmebild über Schwellwert"_s))),
              "german: string 581 \"Wärmebild über Schwellwert\" must say unter Schwell");
    QJsonObject english = table(u"english"_s).strings;
    english[u"5999"_s] = u"%s of %s"_s;
    english.remove(u"5122"_s);
    const QJsonObject allowed{{u"reorder"_s, QJsonObject{{u"hebrew"_s, QJsonArray{u"5400"_s}},
                                                         {u"japanese"_s, QJsonArray{u"5400"_s}}}}};
    EXPECT_EQ(lines(orderProblems(english, allowed)),
              "string 5999 has ordered arguments but no entry in the order table\n"
              "japanese: string 5400 may not change its argument order: the program passes them "
              "in the English order");
}
