#include "platform/languagetable.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <utility>

namespace calivue {

namespace {

constexpr std::array<LanguageInfo, kLanguageCount> kLanguages{{
    {Language::English, nullptr, "ENGLISH", 2057, sid::LanguageEnglish},
    {Language::German, "German", "GERMAN", 1031, sid::LanguageGerman},
    {Language::French, "French", "FRENCH", 1036, sid::LanguageFrench},
    {Language::Spanish, "Spanish", "SPANISH", 1034, sid::LanguageSpanish},
    {Language::Italian, "Italian", "ITALIAN", 1040, sid::LanguageItalian},
    {Language::Chinese, "Chinese", "CHINESE", 2052, sid::LanguageChinese},
    {Language::Japanese, "Japanese", "JAPANESE", 17, sid::LanguageJapanese},
    {Language::Korean, "Korean", "KOREAN", 1042, sid::LanguageKorean},
    {Language::UsEnglish, "US", "USA", 1033, sid::LanguageUsEnglish},
    {Language::Portuguese, "Portuguese", "PORTUGUESE", 2070, sid::LanguagePortuguese},
    {Language::Russian, "Russian", "RUSSIAN", 25, sid::LanguageRussian},
    {Language::Dutch, "Dutch", "DUTCH", 1043, sid::LanguageDutch},
    {Language::Czech, "Czech", "CZECH", 5, sid::LanguageCzech},
    {Language::Hebrew, "Hebrew", "HEBREW", 13, sid::LanguageHebrew},
    {Language::Indonesian, "Indonesian", "INDONESIAN", 33, sid::LanguageIndonesian},
    {Language::Malay, "Malay", "MALAY", 62, sid::LanguageMalay},
    {Language::Filipino, "Filipino", "FILIPINO", 2057, sid::LanguageFilipino},
}};

// Windows primary language codes of the languages that have a module of their own.
constexpr std::pair<int, Language> kPrimaryToLanguage[] = {
    {0x04, Language::Chinese},    {0x05, Language::Czech},      {0x07, Language::German},
    {0x0A, Language::Spanish},    {0x0C, Language::French},     {0x0D, Language::Hebrew},
    {0x10, Language::Italian},    {0x11, Language::Japanese},   {0x12, Language::Korean},
    {0x13, Language::Dutch},      {0x16, Language::Portuguese}, {0x19, Language::Russian},
    {0x21, Language::Indonesian}, {0x3E, Language::Malay},
};

struct PrimaryCode {
    QLocale::Language language;
    int primary;
};

// Enough of the Windows primary-language list for the mapping above plus the common others.
constexpr PrimaryCode kPrimaryCodes[] = {
    {QLocale::Arabic, 0x01},     {QLocale::Bulgarian, 0x02},
    {QLocale::Catalan, 0x03},    {QLocale::Chinese, 0x04},
    {QLocale::Czech, 0x05},      {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},     {QLocale::Greek, 0x08},
    {QLocale::English, 0x09},    {QLocale::Spanish, 0x0A},
    {QLocale::Finnish, 0x0B},    {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},     {QLocale::Hungarian, 0x0E},
    {QLocale::Icelandic, 0x0F},  {QLocale::Italian, 0x10},
    {QLocale::Japanese, 0x11},   {QLocale::Korean, 0x12},
    {QLocale::Dutch, 0x13},      {QLocale::NorwegianBokmal, 0x14},
    {QLocale::Polish, 0x15},     {QLocale::Portuguese, 0x16},
    {QLocale::Romanian, 0x18},   {QLocale::Russian, 0x19},
    {QLocale::Croatian, 0x1A},   {QLocale::Slovak, 0x1B},
    {QLocale::Albanian, 0x1C},   {QLocale::Swedish, 0x1D},
    {QLocale::Thai, 0x1E},       {QLocale::Turkish, 0x1F},
    {QLocale::Urdu, 0x20},       {QLocale::Indonesian, 0x21},
    {QLocale::Ukrainian, 0x22},  {QLocale::Slovenian, 0x24},
    {QLocale::Estonian, 0x25},   {QLocale::Latvian, 0x26},
    {QLocale::Lithuanian, 0x27}, {QLocale::Vietnamese, 0x2A},
    {QLocale::Hindi, 0x39},      {QLocale::Malay, 0x3E},
    {QLocale::Filipino, 0x64},
};

struct EnglishSub {
    QLocale::Territory territory;
    int sublanguage;
};

constexpr EnglishSub kEnglishSublanguages[] = {
    {QLocale::UnitedStates, 1}, {QLocale::UnitedKingdom, 2},
    {QLocale::Australia, 3},    {QLocale::Canada, 4},
    {QLocale::NewZealand, 5},   {QLocale::Ireland, 6},
    {QLocale::SouthAfrica, 7},  {QLocale::Jamaica, 8},
    {QLocale::Belize, 10},      {QLocale::TrinidadAndTobago, 11},
    {QLocale::Zimbabwe, 12},    {QLocale::Philippines, 13},
    {QLocale::India, 16},       {QLocale::Malaysia, 17},
    {QLocale::Singapore, 18},
};

int sublanguageOf(const QLocale& locale)
{
    if (locale.language() == QLocale::English) {
        for (const auto& entry : kEnglishSublanguages)
            if (entry.territory == locale.territory()) return entry.sublanguage;
        return 2;  // an English variant without a code of its own: not the US one
    }
    // Windows numbers a language's principal country 1 and its other countries from 2 up;
    // Qt's likely-subtags data names that principal country.
    const QLocale principal(locale.language());
    return principal.territory() == locale.territory() ? 1 : 2;
}

}  // namespace

const std::array<LanguageInfo, kLanguageCount>& languageTable()
{
    return kLanguages;
}

const LanguageInfo& languageInfo(Language language)
{
    const int number = languageNumber(language);
    return (number >= 0 && number < kLanguageCount) ? kLanguages[number] : kLanguages[0];
}

int windowsLanguageId(const QLocale& locale)
{
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage) return 0;
    int primary = 0;
    for (const auto& entry : kPrimaryCodes)
        if (entry.language == locale.language()) primary = entry.primary;
    return (sublanguageOf(locale) << 10) | primary;
}

QLocale localeOfId(int localeId)
{
    static const struct {
        int id;
        QLocale::Language language;
        QLocale::Territory territory;
    } kLocales[] = {
        {2057, QLocale::English, QLocale::UnitedKingdom},
        {1031, QLocale::German, QLocale::Germany},
        {1036, QLocale::French, QLocale::France},
        {1034, QLocale::Spanish, QLocale::Spain},
        {1040, QLocale::Italian, QLocale::Italy},
        {2052, QLocale::Chinese, QLocale::China},
        {17, QLocale::Japanese, QLocale::Japan},
        {1042, QLocale::Korean, QLocale::SouthKorea},
        {1033, QLocale::English, QLocale::UnitedStates},
        {2070, QLocale::Portuguese, QLocale::Portugal},
        {25, QLocale::Russian, QLocale::Russia},
        {1043, QLocale::Dutch, QLocale::Netherlands},
        {5, QLocale::Czech, QLocale::CzechRepublic},
        {13, QLocale::Hebrew, QLocale::Israel},
        {33, QLocale::Indonesian, QLocale::Indonesia},
        {62, QLocale::Malay, QLocale::Malaysia},
    };
    for (const auto& l : kLocales)
        if (l.id == localeId) return QLocale(l.language, l.territory);
    return QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QLocale languageLocale(Language language)
{
    return localeOfId(languageInfo(language).localeId);
}

Language chooseLanguage(std::optional<Language> stored, const QLocale& locale)
{
    if (stored) return *stored;
    const int languageId = windowsLanguageId(locale);
    const int primary = languageId & 0x3FF;
    for (const auto& [code, language] : kPrimaryToLanguage)
        if (code == primary) return language;
    return (languageId >> 10) == 1 ? Language::UsEnglish : Language::English;
}

bool pathBeforeCouldNotFind(Language language)
{
    switch (language) {
        case Language::German:
        case Language::Spanish:
        case Language::Japanese:
        case Language::Korean:
        case Language::Dutch:
            return true;
        default:
            return false;
    }
}

QString couldNotFindText(const QString& path, Language language, const StringTable& texts)
{
    const QString missing = texts.text(sid::CouldNotFind);
    return pathBeforeCouldNotFind(language) ? path + QLatin1Char(' ') + missing
                                            : missing + QLatin1Char(' ') + path;
}

}  // namespace calivue
