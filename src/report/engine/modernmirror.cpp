#include "modernpages.h"

#include "reportpagepainter.h"

#include <QRegularExpression>

#include <utility>

namespace calivue {

QString isolateNumbers(const QString& text)
{
    // A number (sign, digits and the separators inside it) and a unit that follows it; not
    // inside a word or code ("L2", "IR_0001", "P-101"), but after a Hebrew prefix with its
    // hyphen ("from-1.0 °C"), where the hyphen is no sign.
    static const QRegularExpression number(
        QStringLiteral("(?<![\\p{L}\\p{N}_.,])(?<![\\p{Latin}\\p{N}_]-)(?:(?<!\\p{L})[-+\\x{2212}]("
                       "?=\\d))?\\d+(?:[.,:/"
                       "]\\d+)*(?:\\x{00A0}?\\s?(?:\\x{00B0}[CF]?|K(?!\\p{L})|%))?"));
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

void mirrorForRightToLeft(PageItems& items)
{
    for (PageItem& i : items) {
        const int x1 = kModernPageWidth - i.rect.x2, x2 = kModernPageWidth - i.rect.x1;
        i.rect.x1 = x1;
        i.rect.x2 = x2;
        // A line keeps its own direction: both ends mirror.
        if (i.kind == PageItem::Kind::Line) std::swap(i.rect.x1, i.rect.x2);
        i.rightToLeft = true;
        // Only a text that reads from the right reorders its numbers.
        if (hasRightToLeftLetters(i.text)) i.text = isolateNumbers(i.text);
    }
}

}  // namespace calivue
