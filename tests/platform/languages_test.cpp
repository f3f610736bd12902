#include "platform/languageenvironment.h"
#include "qtfiles.h"
#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/textformat.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTemporaryDir>

using namespace calivue;

namespace {

using calivue::test::qs;

// The language chosen for a stored number (-1: none stored), as its number.
int choose(int stored, const char* locale)
{
    return languageNumber(
        chooseLanguage(languageFrom(stored), QLocale(QString::fromLatin1(locale))));
}

}  // namespace

// Catches a stored choice being overridden by the locale, or an out-of-range one being used.
TEST(ChooseLanguage, StoredLanguageWithinRangeWins)
{
    EXPECT_EQ(choose(0, "de_DE"), 0);  // the program's own English on any system
    EXPECT_EQ(choose(16, "en_US"), 16);
    EXPECT_EQ(choose(17, "de_DE"), 1);  // out of range: the German locale decides
    EXPECT_EQ(choose(-1, "de_DE"), 1);
    EXPECT_EQ(choose(-5, "fr_FR"), 2);
}

// Catches a wrong primary-language mapping for any language that has a module.
TEST(ChooseLanguage, LocaleMapsByPrimaryLanguage)
{
    const struct {
        const char* locale;
        int language;
    } cases[] = {
        {"zh_CN", 5}, {"zh_TW", 5},  {"cs_CZ", 12}, {"de_AT", 1},  {"es_ES", 3},  {"es_MX", 3},
        {"fr_CA", 2}, {"he_IL", 13}, {"it_IT", 4},  {"ja_JP", 6},  {"ko_KR", 7},  {"nl_BE", 11},
        {"pt_PT", 9}, {"pt_BR", 9},  {"ru_RU", 10}, {"id_ID", 14}, {"ms_MY", 15},
    };
    for (const auto& c : cases) EXPECT_EQ(choose(-1, c.locale), c.language) << c.locale;
}

// Catches the US/UK English split going wrong: only sublanguage 1 selects the US module.
TEST(ChooseLanguage, EnglishAndOtherLanguagesBySublanguage)
{
    EXPECT_EQ(choose(-1, "en_US"), languageNumber(Language::UsEnglish));
    EXPECT_EQ(choose(-1, "en_GB"), 0);
    EXPECT_EQ(choose(-1, "en_AU"), 0);
    // A language without a module in its principal country has sublanguage 1 as well.
    EXPECT_EQ(choose(-1, "sv_SE"), languageNumber(Language::UsEnglish));
    EXPECT_EQ(choose(-1, "sv_FI"), 0);
    EXPECT_EQ(chooseLanguage(std::nullopt, QLocale::c()), Language::English);
}

// Catches wrong Windows language ids, which the sublanguage rule above depends on.
TEST(ChooseLanguage, WindowsLanguageIds)
{
    EXPECT_EQ(windowsLanguageId(QLocale(qs("en_US"))), 0x0409);
    EXPECT_EQ(windowsLanguageId(QLocale(qs("en_GB"))), 0x0809);
    EXPECT_EQ(windowsLanguageId(QLocale(qs("de_DE"))), 0x0407);
    EXPECT_EQ(windowsLanguageId(QLocale(qs("de_CH"))), 0x0807);
    EXPECT_EQ(windowsLanguageId(QLocale::c()), 0);
}

// Catches a typo in the language table: module file names, tags and locale ids.
TEST(LanguageTable, NamesTagsAndLocaleIds)
{
    EXPECT_EQ(LanguageModules::moduleFileName(Language::English), QString());
    EXPECT_EQ(LanguageModules::moduleFileName(Language::German), qs("KVO German.so"));
    EXPECT_EQ(LanguageModules::moduleFileName(Language::UsEnglish), qs("KVO US.so"));
    EXPECT_EQ(LanguageModules::moduleFileName(Language::Filipino), qs("KVO Filipino.so"));
    EXPECT_STREQ(languageInfo(Language::UsEnglish).tag, "USA");
    EXPECT_STREQ(languageInfo(Language::Hebrew).tag, "HEBREW");
    EXPECT_EQ(languageInfo(Language::English).localeId, 2057);
    EXPECT_EQ(languageInfo(Language::Japanese).localeId, 17);
    EXPECT_EQ(languageInfo(Language::UsEnglish).localeId, 1033);
    EXPECT_EQ(languageInfo(Language::Portuguese).localeId, 2070);
    EXPECT_EQ(languageInfo(Language::Filipino).localeId, 2057);
}

// Catches a language name standing for another number than the setting, the list and the
// modules use, or a language whose "Could not find" sentence puts the path on the wrong side.
TEST(LanguageTable, NamedLanguagesKeepTheirNumbersAndWordOrder)
{
    const struct {
        Language language;
        const char* tag;
        bool pathFirst;
    } cases[] = {
        {Language::English, "ENGLISH", false},       {Language::German, "GERMAN", true},
        {Language::French, "FRENCH", false},         {Language::Spanish, "SPANISH", true},
        {Language::Italian, "ITALIAN", false},       {Language::Chinese, "CHINESE", false},
        {Language::Japanese, "JAPANESE", true},      {Language::Korean, "KOREAN", true},
        {Language::UsEnglish, "USA", false},         {Language::Portuguese, "PORTUGUESE", false},
        {Language::Russian, "RUSSIAN", false},       {Language::Dutch, "DUTCH", true},
        {Language::Czech, "CZECH", false},           {Language::Hebrew, "HEBREW", false},
        {Language::Indonesian, "INDONESIAN", false}, {Language::Malay, "MALAY", false},
        {Language::Filipino, "FILIPINO", false}};
    ASSERT_EQ(std::size(cases), std::size_t(kLanguageCount));
    for (int n = 0; n < kLanguageCount; ++n) {
        const auto& k = cases[n];
        SCOPED_TRACE(n);
        EXPECT_EQ(languageNumber(k.language), n);
        EXPECT_EQ(languageFrom(n), k.language);
        EXPECT_STREQ(languageInfo(k.language).tag, k.tag);
        EXPECT_EQ(languageInfo(k.language).language, k.language);
        EXPECT_EQ(pathBeforeCouldNotFind(k.language), k.pathFirst);
    }
    for (int n : {-1, kLanguageCount, 99}) EXPECT_FALSE(languageFrom(n)) << n;
}

// Catches a module search that misses the executable's folder, or a US module that does not
// carry its tag and US texts.
TEST(LanguageModules, LoadsUsModuleBesideTheExecutable)
{
    const LanguageLoad load = LanguageModules().load(Language::UsEnglish);
    ASSERT_TRUE(load.fromModule()) << load.message.toStdString();
    EXPECT_TRUE(load.ok());
    EXPECT_TRUE(load.message.isEmpty());
    EXPECT_EQ(QFileInfo(load.modulePath).absolutePath(),
              QFileInfo(QCoreApplication::applicationDirPath()).absoluteFilePath());
    EXPECT_TRUE(load.table.isModule());
    EXPECT_EQ(load.table.tag(), qs("USA"));
    EXPECT_EQ(load.table.text(sid::ColourPaletteLabel), qs("Color Palette:"));
    EXPECT_TRUE(load.table.moduleHas(sid::ProductTitle));  // a complete table, not a patch
    EXPECT_EQ(load.table.text(sid::ProductTitle), qs("Orvane Calivue Razadi"));
    EXPECT_EQ(load.table.menus().size(), 5);
}

// Catches a module being looked for where none is needed.
TEST(LanguageModules, ProgramLanguageNeedsNoModule)
{
    const LanguageModules modules(QStringList{});
    const LanguageLoad load = modules.load(Language::English);
    EXPECT_EQ(load.error, Error::None);
    EXPECT_TRUE(load.ok());
    EXPECT_FALSE(load.table.isModule());
    EXPECT_EQ(load.table.tag(), qs("ENGLISH"));
}

// Catches a missing module passing silently or a message without the module's file name.
TEST(LanguageModules, MissingModuleIsAnErrorLoadingMessage)
{
    QTemporaryDir empty;
    const LanguageLoad load = LanguageModules(QStringList{empty.path()}).load(Language::German);
    EXPECT_EQ(load.error, Error::ReadFailed);
    EXPECT_FALSE(load.ok());
    EXPECT_EQ(load.message, qs("Error loading:\nKVO German.so"));
    EXPECT_EQ(load.iconStyle, 16);
    EXPECT_EQ(load.buttonStyle, 1);
    EXPECT_FALSE(load.table.isModule());
}

// Catches the tag check being skipped: an English-tagged module standing in for KVO US.
TEST(LanguageModules, WrongTagIsRefused)
{
    const LanguageLoad load = LanguageModules(QStringList{QString::fromUtf8(CALIVUE_WRONG_TAG_DIR)})
                                  .load(Language::UsEnglish);
    EXPECT_EQ(load.error, Error::BadMagic);
    EXPECT_EQ(load.message, qs("Error loading DLL"));
    EXPECT_EQ(load.iconStyle, 16);
    EXPECT_EQ(load.buttonStyle, 0);
    EXPECT_FALSE(load.table.isModule());
    EXPECT_EQ(load.table.tag(), qs("ENGLISH"));
}

// Catches a module accepted under another language's file name (its tag says otherwise).
TEST(LanguageModules, ModuleOfAnotherLanguageIsRefused)
{
    QTemporaryDir dir;
    const QString us = QDir(QCoreApplication::applicationDirPath()).filePath(qs("KVO US.so"));
    ASSERT_TRUE(QFile::copy(us, QDir(dir.path()).filePath(qs("KVO German.so"))));
    const LanguageLoad load = LanguageModules(QStringList{dir.path()}).load(Language::German);
    EXPECT_EQ(load.error, Error::BadMagic);
}

// Catches a failed initialisation or an unreadable table being used anyway.
TEST(LanguageModules, BrokenModulesAreRefused)
{
    const LanguageModules modules(QStringList{QString::fromUtf8(CALIVUE_BROKEN_MODULE_DIR)});
    const LanguageLoad initFails =
        modules.load(Language::French);  // KVO French: initialisation reports 0
    EXPECT_EQ(initFails.error, Error::ReadFailed);
    EXPECT_EQ(initFails.message, qs("Error loading:\nKVO French.so"));
    const LanguageLoad badTable =
        modules.load(Language::Spanish);  // KVO Spanish: table is not JSON
    EXPECT_EQ(badTable.error, Error::BadMagic);
    EXPECT_EQ(badTable.message, qs("Error loading DLL"));
}

// Catches a language whose locale, direction or Qt texts are not set, a Portugal Portuguese
// left without Qt's Brazilian catalogue, or a state not given back when the program ends.
TEST(LanguageEnvironment, SetsLocaleDirectionAndQtTextsThenRestoresThem)
{
    const QDir catalogues(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const QString cancel = QStringLiteral("Cancel");
    const QLocale before;
    const struct {
        int language;
        const char* catalogue;  // Qt's own, when installed
    } cases[] = {{1, "qtbase_de.qm"}, {9, "qtbase_pt_BR.qm"}, {13, "qtbase_he.qm"}, {14, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        {
            const LanguageEnvironment environment(Language{c.language});
            EXPECT_EQ(QLocale(), languageLocale(Language{c.language}));
            EXPECT_EQ(QGuiApplication::layoutDirection(), layoutDirectionOf(Language{c.language}));
            const bool installed =
                c.catalogue && catalogues.exists(QString::fromLatin1(c.catalogue));
            EXPECT_EQ(environment.qtTextsTranslated(), installed);
            if (installed) {
                EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
            }
        }
        EXPECT_EQ(QLocale(), before);
        EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    }
    EXPECT_EQ(languageLocale(Language::Portuguese).territory(), QLocale::Portugal);
    EXPECT_EQ(languageLocale(Language::Filipino),
              QLocale(QLocale::English, QLocale::UnitedKingdom));
}

// Catches a language that prints the other decimal separator than its readers write ("86.0"
// in a German window, "86,0" in a Japanese one), a short date with a two-digit year, or a
// language environment that leaves its numbers to the process's locale.
TEST(LanguageNumbers, DecimalSeparatorAndFourDigitYearsFollowTheLanguage)
{
    const struct {
        int language;
        const char* temperature;
        const char* date;  // 17 May 2024
    } cases[] = {
        {0, "86.0 \u00B0C", "17/05/2024"},  {1, "86,0 \u00B0C", "17.05.2024"},
        {2, "86,0 \u00B0C", "17/05/2024"},  {3, "86,0 \u00B0C", "17/5/2024"},
        {4, "86,0 \u00B0C", "17/05/2024"},  {5, "86.0 \u00B0C", "2024/5/17"},
        {6, "86.0 \u00B0C", "2024/05/17"},  {7, "86.0 \u00B0C", "2024. 5. 17."},
        {8, "86.0 \u00B0C", "5/17/2024"},   {9, "86,0 \u00B0C", "17/05/2024"},
        {10, "86,0 \u00B0C", "17.05.2024"}, {11, "86,0 \u00B0C", "17-05-2024"},
        {12, "86,0 \u00B0C", "17.05.2024"}, {13, "86.0 \u00B0C", "17.5.2024"},
        {14, "86,0 \u00B0C", "17/05/2024"}, {15, "86.0 \u00B0C", "17/05/2024"},
        {16, "86.0 \u00B0C", "17/05/2024"},
    };
    const QString unit = QStringLiteral("\u00B0C");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const QString temperature = QString::fromUtf8(c.temperature);
        const QString point = temperature.mid(2, 1);
        EXPECT_EQ(shortDateText(QDate(2024, 5, 17), languageLocale(Language{c.language})),
                  QString::fromUtf8(c.date));
        const LanguageEnvironment environment(Language{c.language});
        EXPECT_EQ(formatTemperature(86.04, unit), temperature);
        // The string tables' printf formats: span, difference and emissivity texts.
        EXPECT_EQ(formatText(QStringLiteral("%0.01f %s to %.2f"), {-1.26, unit, 0.95}),
                  QStringLiteral("-1") + point + QStringLiteral("3 ") + unit +
                      QStringLiteral(" to 0") + point + QStringLiteral("95"));
        {
            // A report in another language than the window's prints its own separator.
            const LocaleScope report(languageLocale(Language::German));
            EXPECT_EQ(formatTemperature(-3.0, unit), QStringLiteral("-3,0 ") + unit);
        }
        EXPECT_EQ(formatTemperature(86.04, unit), temperature);
    }
    EXPECT_EQ(shortDateText(QDate(), languageLocale(Language::German)), QString());
}
