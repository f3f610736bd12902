// printf-style formatting of string-table texts, whose formats ("%0.01f %s to %0.01f %s",
// "Save changes to %s?") come from the table and may differ between languages.
#ifndef CALIVUE_PLATFORM_TEXTFORMAT_H
#define CALIVUE_PLATFORM_TEXTFORMAT_H

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

// Fills the conversions of `format` (d i u x X c f F e E g G s, with flags, width and
// precision, and %%) with `args` in order. A number given for %s is written in its shortest
// form; a text given for a numeric conversion counts as 0; missing arguments leave nothing.
QString formatText(const QString& format, std::initializer_list<FormatArg> args);

// A temperature with its unit, the one form every reading is shown in: one decimal, a
// space, the unit text ("25.3 °C"). The second form takes the image's UTF-8 unit text.
QString formatTemperature(double value, const QString& unitText);
QString formatTemperature(double value, const std::string& unitTextUtf8);

// The two-line message form "%s\n%s": heading, then detail.
QString twoPart(const QString& heading, const QString& detail);

}  // namespace calivue

#endif
