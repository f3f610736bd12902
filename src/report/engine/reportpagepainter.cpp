#include "report/engine/reportpagepainter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace calivue {

namespace {

// Arial's (and its metric twin's) cell: ascent 1854 and descent 434 font units of 2048.
constexpr double kCellPerEm = (1854.0 + 434.0) / 2048.0;

QFont reportFont(int cellHeight, int weight)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(fontPixelSize(cellHeight));
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setKerning(false);
    return f;
}

QRect toQRect(const PageRect& r, int shrink = 0)
{
    return QRect(QPoint(r.x1 + shrink, r.y1 + shrink),
                 QPoint(r.x2 - shrink - 1, r.y2 - shrink - 1));
}

int alignFlags(TextAlign a)
{
    switch (a) {
        case TextAlign::Centre:
            return Qt::AlignHCenter | Qt::AlignTop;
        case TextAlign::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case TextAlign::Wrap:
            return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        case TextAlign::RightFoot:
            // The line is taller than the box: it may rise above the box, never be cut.
            return Qt::AlignRight | Qt::AlignBottom | Qt::TextDontClip;
        case TextAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

const QFont& fontOf(const ReportFonts& fonts, ReportFont f)
{
    switch (f) {
        case ReportFont::Bold:
            return fonts.bold;
        case ReportFont::Heading:
            return fonts.heading;
        case ReportFont::Small:
            return fonts.small;
        case ReportFont::Body:
            break;
    }
    return fonts.body;
}

// A left-aligned text cut after the most characters its box can show, so a text of
// megabytes (a project may hold them) is not shaped and laid out only to be clipped away.
// The bound is generous: with `lines`, every line of the box and two more (else one line),
// each of as many characters as half the narrowest common glyph's advance allows, so what
// is drawn is unchanged.
QString boundedToBox(const QString& text, const QFontMetricsF& metrics, const QRect& box,
                     bool lines)
{
    qreal narrowest = metrics.horizontalAdvance(QLatin1Char(' '));
    for (const char c : {'i', 'l', '.', '\'', '|'})
        narrowest = std::min(narrowest, metrics.horizontalAdvance(QLatin1Char(c)));
    const double charWidth = std::max<double>(1.0, narrowest / 2);
    const double perLine = std::ceil(std::max(1, box.width()) / charWidth) + 1;
    const double rows =
        lines
            ? std::ceil(std::max(1, box.height()) / std::max<double>(1.0, metrics.lineSpacing())) +
                  2
            : 1;
    const double most = perLine * rows;
    if (most >= static_cast<double>(text.size())) return text;
    return text.left(static_cast<qsizetype>(most));
}

void drawText(QPainter& p, const PageItem& item, const ReportFonts& fonts, int shrink)
{
    if (item.text.isEmpty()) return;
    p.setFont(fontOf(fonts, item.font));
    p.setPen(QColor::fromRgb(item.colour));
    const QRect r = toQRect(item.rect, shrink);
    QString text = item.text;
    const QFontMetricsF metrics(p.font(), p.device());
    // A text laid out into lines beforehand (the modern pages) shows as many lines as its
    // box holds, like a wrapped one.
    if (item.align == TextAlign::Wrap || item.align == TextAlign::Left)
        text =
            boundedToBox(text, metrics, r, item.align == TextAlign::Wrap || text.contains(u'\n'));
    if (item.align == TextAlign::Wrap) text = elideLongWords(text, metrics, r.width());
    int flags = alignFlags(item.align);
    if (item.rightToLeft) {
        // A text with right-to-left letters reads from the right (its Left alignment then
        // means the right edge); a text without (a Latin name, a date, a number) keeps its
        // own order and only moves to the other side of its box.
        if (hasRightToLeftLetters(text)) {
            flags |= Qt::TextForceRightToLeft;
        } else {
            flags |= Qt::TextForceLeftToRight;
            if (flags & Qt::AlignLeft)
                flags = (flags & ~Qt::AlignLeft) | Qt::AlignRight;
            else if (flags & Qt::AlignRight)
                flags = (flags & ~Qt::AlignRight) | Qt::AlignLeft;
        }
    }
    p.drawText(r, flags, text);
}

void drawPicture(QPainter& p, const PageItem& item, const QImage* picture)
{
    if (picture == nullptr || picture->isNull()) return;
    const PageRect& r = item.rect;
    p.drawImage(QRectF(r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1), *picture);
}

}  // namespace

int fontPixelSize(int cellHeight)
{
    return static_cast<int>(std::lround(cellHeight / kCellPerEm));
}

ReportFonts reportFonts()
{
    return {reportFont(50, 400), reportFont(50, 700), reportFont(64, 400), reportFont(40, 400)};
}

QString elideLongWords(const QString& text, const QFontMetricsF& metrics, qreal width)
{
    if (width <= 0) return text;
    QString out;
    out.reserve(text.size());
    static const QRegularExpression separators(QStringLiteral("([ \\n\\r\\t]+)"));
    qsizetype pos = 0;
    for (auto it = separators.globalMatch(text);;) {
        const bool more = it.hasNext();
        const QRegularExpressionMatch m = more ? it.next() : QRegularExpressionMatch();
        const qsizetype end = more ? m.capturedStart() : text.size();
        const QString word = text.mid(pos, end - pos);
        out += metrics.horizontalAdvance(word) > width
                   ? metrics.elidedText(word, Qt::ElideRight, width)
                   : word;
        if (!more) break;
        out += m.captured();
        pos = m.capturedEnd();
    }
    return out;
}

void paintPageItems(QPainter& p, const PageItems& items, const ReportFonts& fonts,
                    const QImage* logo, const QImage* strip, const std::vector<QImage>* pictures)
{
    p.save();
    for (const PageItem& item : items) {
        switch (item.kind) {
            case PageItem::Kind::Box:
                p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                p.setBrush(Qt::white);
                p.drawRect(QRect(QPoint(item.rect.x1, item.rect.y1),
                                 QSize(item.rect.x2 - item.rect.x1, item.rect.y2 - item.rect.y1)));
                drawText(p, item, fonts, 10);
                break;
            case PageItem::Kind::Label:
                drawText(p, item, fonts, 10);
                break;
            case PageItem::Kind::Heading:
                drawText(p, item, fonts, 0);
                break;
            case PageItem::Kind::Line:
                p.setPen(QPen(Qt::black, 5));
                p.drawLine(item.rect.x1, item.rect.y1, item.rect.x2, item.rect.y2);
                break;
            case PageItem::Kind::Logo:
                drawPicture(p, item, logo);
                break;
            case PageItem::Kind::Strip:
                drawPicture(p, item, strip);
                break;
            case PageItem::Kind::Picture:
                if (pictures && item.picture >= 0 &&
                    item.picture < static_cast<int>(pictures->size()))
                    drawPicture(p, item, &(*pictures)[static_cast<std::size_t>(item.picture)]);
                break;
        }
    }
    p.restore();
}

}  // namespace calivue
