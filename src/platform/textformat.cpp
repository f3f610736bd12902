#include "platform/textformat.h"

#include <QGuiApplication>

#include <QDate>
#include <QRegularExpression>

namespace calivue {

namespace {

bool isFlag(QChar c)
{
    return c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char(' ') ||
           c == QLatin1Char('#') || c == QLatin1Char('0');
}

bool isLengthModifier(QChar c)
{
    return c == QLatin1Char('l') || c == QLatin1Char('h') || c == QLatin1Char('L') ||
           c == QLatin1Char('q') || c == QLatin1Char('z') || c == QLatin1Char('j');
}

long long asInteger(const FormatArg& arg)
{
    if (const auto* i = std::get_if<long long>(&arg.value())) return *i;
    if (const auto* d = std::get_if<double>(&arg.value())) return static_cast<long long>(*d);
    return 0;
}

double asDouble(const FormatArg& arg)
{
    if (const auto* d = std::get_if<double>(&arg.value())) return *d;
    if (const auto* i = std::get_if<long long>(&arg.value())) return static_cast<double>(*i);
    return 0.0;
}

QString asText(const FormatArg& arg)
{
    if (const auto* s = std::get_if<QString>(&arg.value())) return *s;
    if (const auto* i = std::get_if<long long>(&arg.value())) return QString::number(*i);
    return localDecimals(QString::number(std::get<double>(arg.value())));
}

// `directive` holds flags, width and precision without the length modifier, e.g. "%0.01".
QString convert(const QString& directive, QChar conversion, const FormatArg& arg)
{
    const QByteArray base = directive.toLatin1();
    switch (conversion.unicode()) {
        case 'd':
        case 'i':
            return QString::asprintf((base + "lld").constData(), asInteger(arg));
        case 'u':
        case 'x':
        case 'X':
            return QString::asprintf((base + "ll" + char(conversion.unicode())).constData(),
                                     static_cast<unsigned long long>(asInteger(arg)));
        case 'c':
            return QString(QChar(static_cast<char16_t>(asInteger(arg))));
        case 's': {
            // Width and precision of %s count characters, not bytes of an encoding.
            QString text = asText(arg);
            const qsizetype dot = directive.indexOf(QLatin1Char('.'));
            if (dot >= 0) text.truncate(directive.mid(dot + 1).toInt());
            const QString widthPart = directive.mid(1, dot < 0 ? -1 : dot - 1);
            const bool left = widthPart.contains(QLatin1Char('-'));
            QString digits = widthPart;
            digits.remove(QLatin1Char('-'))
                .remove(QLatin1Char('+'))
                .remove(QLatin1Char(' '))
                .remove(QLatin1Char('#'));
            const int width = digits.toInt();
            return left ? text.leftJustified(width) : text.rightJustified(width);
        }
        default:  // f F e E g G
            return localDecimals(
                QString::asprintf((base + char(conversion.unicode())).constData(), asDouble(arg)));
    }
}

}  // namespace

QString localDecimals(QString cNumber, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    if (point != QStringLiteral(".")) cNumber.replace(QLatin1Char('.'), point);
    return cNumber;
}

QString formatText(const QString& format, std::initializer_list<FormatArg> args)
{
    QString out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i + 1 < n && format.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && isFlag(format.at(j))) ++j;
        while (j < n && format.at(j).isDigit()) ++j;
        if (j < n && format.at(j) == QLatin1Char('.')) {
            ++j;
            while (j < n && format.at(j).isDigit()) ++j;
        }
        const QString directive = format.mid(i, j - i);
        while (j < n && isLengthModifier(format.at(j))) ++j;
        if (j >= n || !QStringLiteral("diuxXcfFeEgGs").contains(format.at(j))) {
            out += format.mid(i, j - i);  // not a conversion: keep it as written
            i = j - 1;
            continue;
        }
        if (next != args.end()) out += convert(directive, format.at(j), *next++);
        i = j;
    }
    return out;
}

QString formatTemperature(double value, const QString& unitText)
{
    return localDecimals(QString::asprintf("%0.01f ", value)) + unitText;
}

QString formatTemperature(double value, const std::string& unitTextUtf8)
{
    return formatTemperature(value, QString::fromStdString(unitTextUtf8));
}

QString leftToRightText(const QString& text)
{
    if (QGuiApplication::layoutDirection() != Qt::RightToLeft || text.isEmpty()) return text;
    return QChar(0x200E) + text;
}

bool hasRightToLeftLetters(const QString& text)
{
    for (const QChar c : text) {
        const QChar::Direction d = c.direction();
        if (d == QChar::DirR || d == QChar::DirAL) return true;
    }
    return false;
}

QString isolateNumbers(const QString& text)
{
    // A number (sign, digits and the separators inside it) and a unit that follows it. It
    // starts after no letter, digit, underscore, separator or isolate (so codes such as "L2",
    // "IR_0001" and "P-101" stay whole), or right after a hyphen that
    // follows a right-to-left letter (Hebrew joins "from" to a number: "מ-4.0").
    static const QRegularExpression number(
        QStringLiteral("(?:(?<![\\p{L}\\p{N}_.,\\-\\x{2066}])|(?<=[\\p{Hebrew}\\p{Arabic}]-))"
                       "(?:[-+\\x{2212}](?=\\d))?\\d+(?:[.,:/]\\d+)*"
                       "(?:\\x{00A0}?\\s?(?:\\x{00B0}[CF]?|K(?!\\p{L})|%))?"));
    QString out;
    out.reserve(text.size() + 8);
    qsizetype from = 0;
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedStart() - from);
        out += QChar(0x2066) + m.captured() + QChar(0x2069);
        from = m.capturedEnd();
    }
    out += text.mid(from);
    return out;
}

QString rightToLeftSentence(const QString& text)
{
    if (!hasRightToLeftLetters(text)) return text;
    const QString isolated = isolateNumbers(text);
    return isolated.isRightToLeft() ? isolated : QChar(0x200F) + isolated;
}

QString formatEmissivity(double value)
{
    return formatDecimal(value, 2);
}

QString formatDecimal(double value, int places)
{
    return localDecimals(QString::number(value, 'f', places));
}

QString shortDateText(const QDate& date, const QLocale& locale)
{
    if (!date.isValid()) return {};
    // Short formats of several locales ("dd.MM.yy", "M/d/yy", "yy. M. d.") give the year in
    // two digits: a lone "yy" becomes "yyyy", a format that has it already stays.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    QString format = locale.dateFormat(QLocale::ShortFormat);
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

QString twoPart(const QString& heading, const QString& detail)
{
    return heading + QLatin1Char('\n') + detail;
}

}  // namespace calivue
