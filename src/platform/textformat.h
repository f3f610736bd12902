// printf-style formatting of string-table texts, whose formats ("%0.01f %s to %0.01f %s",
// "Save changes to %s?") come from the table and may differ between languages.
#pragma once

#include <QLocale>
#include <QString>

#include <initializer_list>
#include <string>
#include <variant>

namespace calivue {

class FormatArg {
public:
    FormatArg(int value) : m_value(static_cast<long long>(value)) {}
    FormatArg(long long value) : m_value(value) {}
    FormatArg(double value) : m_value(value) {}
    FormatArg(const QString& value) : m_value(value) {}

    const std::variant<long long, double, QString>& value() const { return m_value; }

private:
    std::variant<long long, double, QString> m_value;
};

// Numbers shown to the user take the decimal separator of the default locale: the interface
// language's (LanguageEnvironment sets it), or the report's while a report is printed
// (LocaleScope). Only the separator changes: no digit grouping, the ASCII minus, so a German
// window shows "86,0 °C" where an English one shows "86.0 °C".

// `cNumber` (a number as printf writes it, with a point) with the point replaced by the
// decimal separator of `locale`.
QString localDecimals(QString cNumber, const QLocale& locale = QLocale());

// Fills the conversions of `format` (d i u x X c f F e E g G s, with flags, width and
// precision, and %%) with `args` in order. A number given for %s is written in its shortest
// form; a text given for a numeric conversion counts as 0; missing arguments leave nothing.
// Fractional numbers take the default locale's decimal separator.
QString formatText(const QString& format, std::initializer_list<FormatArg> args);

// A temperature with its unit, the one form every reading is shown in: one decimal in the
// default locale's separator, a space, the unit text ("25.3 °C", "25,3 °C"). The second form
// takes the image's UTF-8 unit text.
QString formatTemperature(double value, const QString& unitText);
QString formatTemperature(double value, const std::string& unitTextUtf8);

// An emissivity as every field, list and page shows it: two decimals in the default locale's
// separator ("0.95", "0,95").
QString formatEmissivity(double value);
// Any other fractional number shown to the user (a load exponent, a temperature factor), with
// `places` decimals in the default locale's separator.
QString formatDecimal(double value, int places);

// A date as `locale` writes it in its short form, with the year always in four digits
// ("17.05.2024", "5/17/2024", "2024/05/17"); empty for an invalid date.
QString shortDateText(const QDate& date, const QLocale& locale);

// Makes `locale` the default for its lifetime and then restores the one before: a report
// printed in another language than the window's (or by the command line tool) writes its
// numbers as its own language does.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : m_previous(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_previous;
};

// A text that reads left to right in every language (a unit, a number with its unit) as a
// control of the window shows it: while the interface runs right to left it starts with a
// left-to-right mark, so a lone "°C", whose first character has no direction, does not turn
// into "C°".
QString leftToRightText(const QString& text);

// Whether `text` holds a letter of a right-to-left script (Hebrew, Arabic).
bool hasRightToLeftLetters(const QString& text);

// `text` with each number and the unit after it wrapped in a left-to-right isolate (U+2066 ..
// U+2069), so the bidi reordering of a right-to-left line keeps "86.0 °C" whole instead of
// showing "C° 86.0". A number that is part of a word or code ("P-101", "L2") is left in it;
// one joined to a right-to-left word by a hyphen (the Hebrew "מ-4.0 °C") is isolated; one
// already isolated is left as it is.
QString isolateNumbers(const QString& text);
// A sentence that mixes a language's words with readings, made to read from the right when it
// holds right-to-left letters: each number with its unit isolated, and a right-to-left mark
// in front when it begins with a left-to-right word ("ΔT 12.3 °C: ..."), which would otherwise
// set the whole line left to right. Any other sentence comes back unchanged.
QString rightToLeftSentence(const QString& text);

// The two-line message form "%s\n%s": heading, then detail.
QString twoPart(const QString& heading, const QString& detail);

}  // namespace calivue
