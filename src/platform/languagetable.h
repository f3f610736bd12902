// The user-interface languages: their numbers (the `Language` setting and the language
// dialog's list positions), module names, tags and locale ids, and the choice made at start-up.
#pragma once

#include "platform/stringtable.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>
#include <ostream>

namespace calivue {

// The languages by the number the `Language` setting, the language dialog's list, the report
// project and the command line's --language keep them as.
enum class Language : int {
    English = 0,  // the program's own (United Kingdom)
    German = 1,
    French = 2,
    Spanish = 3,
    Italian = 4,
    Chinese = 5,
    Japanese = 6,
    Korean = 7,
    UsEnglish = 8,
    Portuguese = 9,
    Russian = 10,
    Dutch = 11,
    Czech = 12,
    Hebrew = 13,
    Indonesian = 14,
    Malay = 15,
    Filipino = 16,
};
inline constexpr int kLanguageCount = 17;

// The language a stored number names, or none outside 0..16.
constexpr std::optional<Language> languageFrom(int number)
{
    if (number < 0 || number >= kLanguageCount) return std::nullopt;
    return static_cast<Language>(number);
}

// The number a language is stored and listed as.
constexpr int languageNumber(Language language)
{
    return static_cast<int>(language);
}

// A language in a log line or a test's failure message: its number.
inline std::ostream& operator<<(std::ostream& out, Language language)
{
    return out << languageNumber(language);
}

struct LanguageInfo {
    Language language;
    const char* moduleName;  // "German" gives "KVO German"; null for the program's own English
    const char* tag;         // string 1156 the module must carry
    int localeId;            // Windows locale id, kept for the report's date texts
    int nameStringId;        // the language's own name in the language dialog
};

const std::array<LanguageInfo, kLanguageCount>& languageTable();

// The table entry of `language`.
const LanguageInfo& languageInfo(Language language);

// The Windows language id (primary language in bits 0-9, sublanguage in bits 10-15) that
// `locale` corresponds to; 0 for the C locale. A language missing from the program's list of
// primary codes gets primary 0 with its sublanguage still set.
int windowsLanguageId(const QLocale& locale);

// The locale a table locale id stands for (2057 English (United Kingdom), 1031 German
// (Germany), 17 Japanese (Japan), ...); an id the table does not use gives English (United
// Kingdom). Dates, numbers in pickers and the report's date texts follow it.
QLocale localeOfId(int localeId);
// The locale of `language`: the locale id of its table row (Filipino's row names English
// (United Kingdom)).
QLocale languageLocale(Language language);

// Whether the language names a missing file's path before "Could not find" (German, Spanish,
// Japanese, Korean and Dutch), whose string 46 reads as the end of the sentence.
bool pathBeforeCouldNotFind(Language language);
// "Could not find" in texts' language and the path, in the language's word order, separated by
// a space.
QString couldNotFindText(const QString& path, Language language,
                         const StringTable& texts = StringTable::active());

// The language to start in: the stored `Language` value when there is one (a number in
// 0..16), else the one the user's locale maps to by its primary language, else US English for
// a sublanguage of 1 and the program's own English for anything else.
Language chooseLanguage(std::optional<Language> stored, const QLocale& locale);

}  // namespace calivue
