#include "panels/pagetext.h"

#include "core/displaystate.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <QRegularExpression>

#include <cmath>

namespace calivue {

double leadingNumber(const QString& text)
{
    // The fields show the language's decimal separator, and a user types either: a comma and
    // a point both read as the separator (there is no digit grouping to mistake it for), the
    // same in every locale (strtod would follow the user's).
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?(?:\\d+[.,]?\\d*|[.,]\\d+)(?:[eE][+-]?\\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) return 0.0;
    bool ok = false;
    const double value =
        match.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

int hundredthsOf(double value)
{
    if (!std::isfinite(value)) return 0;
    const double scaled = value * 100.0;
    // Far outside any valid emissivity: keep it outside without overflowing an int.
    if (scaled > 1e6) return 1000000;
    if (scaled < -1e6) return -1000000;
    return static_cast<int>(std::lround(scaled));
}

QString paletteText(int palette)
{
    return uiText(sid::PaletteWhiteHotMono + displayPaletteOf(palette));
}

}  // namespace calivue
