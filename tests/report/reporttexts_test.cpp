// The printed report in every language: each label, heading and box caption of the title,
// contents, inspection (all four templates) and summary pages fits its place, neither wider
// than its rectangle nor running into a neighbouring box.
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/engine/reportpagepainter.h"

#include "platform/languagemodules.h"
#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace calivue {
namespace {

QRectF toRectF(const PageRect& r, int shrink)
{
    return QRectF(r.x1 + shrink, r.y1 + shrink, r.x2 - r.x1 - 2 * shrink, r.y2 - r.y1 - 2 * shrink);
}

// Where `item` puts its text and how wide it is, line by line, against its rectangle and the
// other boxes of the page.
QStringList overflows(const PageItems& items, const ReportFonts& fonts, const QString& where)
{
    QStringList found;
    for (const PageItem& item : items) {
        const bool text = item.kind == PageItem::Kind::Box || item.kind == PageItem::Kind::Label ||
                          item.kind == PageItem::Kind::Heading;
        // Wrapped boxes hold what the user typed; the painter wraps and elides them.
        if (!text || item.text.isEmpty() || item.align == TextAlign::Wrap) continue;
        const QFontMetricsF metrics(item.font == ReportFont::Bold      ? fonts.bold
                                    : item.font == ReportFont::Heading ? fonts.heading
                                    : item.font == ReportFont::Small   ? fonts.small
                                                                       : fonts.body);
        const QRectF room = toRectF(item.rect, item.kind == PageItem::Kind::Heading ? 0 : 10);
        for (const QString& line : item.text.split(u'\n')) {
            const qreal width = metrics.horizontalAdvance(line);
            // Four units (a third of a millimetre) for the ink of a last letter.
            if (width > room.width() + 4) {
                found << QStringLiteral("%1: \"%2\" is %3 wide in %4")
                             .arg(where, line)
                             .arg(qRound(width))
                             .arg(qRound(room.width()));
                continue;
            }
            // The inked part of a left-aligned label may not reach into another box.
            if (item.kind != PageItem::Kind::Label || item.align != TextAlign::Left) continue;
            const QRectF ink(room.left(), room.top(), width, room.height());
            for (const PageItem& other : items)
                if (&other != &item && other.kind == PageItem::Kind::Box &&
                    ink.intersects(toRectF(other.rect, 0)) &&
                    !toRectF(other.rect, 0).contains(room))
                    found << QStringLiteral("%1: \"%2\" runs into a box").arg(where, line);
        }
    }
    return found;
}

// The snapshot part of an inspection page as a loaded snapshot with three cursors and both
// markers shows it, with the longest readings the page prints.
SnapshotFacts fullFacts()
{
    SnapshotFacts f;
    f.loaded = true;
    f.dateText = QStringLiteral("28/12/2026");
    f.timeText = QStringLiteral("23.59");
    f.hasCursors = true;
    for (int i = 1; i <= 10; ++i)
        f.readings.push_back({formatText(QStringLiteral("%s %d"), {uiText(sid::Cursor), i}), 0,
                              QStringLiteral("-123.4 °F")});
    f.readings.push_back({uiText(sid::Hot), 0, QStringLiteral("1234.5 °F")});
    f.readings.push_back({uiText(sid::Cold), 0, QStringLiteral("-40.0 °F")});
    f.emissivity = QStringLiteral("0.95");
    f.reflected = QStringLiteral("-20.0 °F");
    return f;
}

// Catches a translation too long for the report's fixed boxes: every language's printed
// captions fit, for every template.
TEST(ReportTexts, EveryLanguageFitsThePagesBoxes)
{
    const ReportFonts fonts = reportFonts();
    const LanguageModules modules;
    QStringList found;
    for (const LanguageInfo& info : languageTable()) {
        const QString language = QString::fromLatin1(info.moduleName ? info.moduleName : "English");
        if (info.language == Language::English) {
            StringTable::setActive(StringTable::english());
        } else {
            const LanguageLoad load = modules.load(info.language);
            ASSERT_TRUE(load.ok()) << language.toStdString();
            StringTable::setActive(load.table);
        }
        std::vector<cInspectionRecord> records(1);
        const std::vector<int> priorities = {5};
        FindingsSettings worst;
        worst.criteria = Criteria::NetaWorst;
        worst.ambient = -40.0;
        found << overflows(contentsPage(records, 0), fonts, language + QStringLiteral("/contents"))
              << overflows(contentsPage(records, 0, StringTable::active(), true), fonts,
                           language + QStringLiteral("/contents with appendix"))
              << overflows(summaryPage(records, 0), fonts, language + QStringLiteral("/summary"))
              << overflows(summaryPage(records, 0, StringTable::active(), &priorities), fonts,
                           language + QStringLiteral("/summary with findings"))
              << overflows(criteriaPage(worst, TempUnit::Fahrenheit), fonts,
                           language + QStringLiteral("/criteria"))
              << overflows({footerItem(188, 188, info.language)}, fonts,
                           language + QStringLiteral("/footer"));
        for (int t = 0; t < 4; ++t) {
            const QString where = language + QStringLiteral("/template %1").arg(t);
            TitlePageData title;
            title.labels = titleLabels(static_cast<ReportTemplate>(t), {});
            found << overflows(titlePage(title), fonts, where + QStringLiteral("/title"));
            InspectionPageData page;
            page.number = 188;
            page.reportTemplate = static_cast<ReportTemplate>(t);
            page.unit = TempUnit::Fahrenheit;
            page.snapshot = fullFacts();
            found << overflows(inspectionPage(page), fonts, where + QStringLiteral("/inspection"));
        }
    }
    StringTable::setActive(StringTable::english());
    EXPECT_TRUE(found.isEmpty()) << found.size() << " texts do not fit:\n"
                                 << found.join(u'\n').toStdString();
}

// The rows holding ink in `image` (first, last), or (-1, -1) when it is blank.
std::pair<int, int> inkRows(const QImage& image)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return {first, last};
}

// Catches a footer cut short, by its box or by the bottom of the 3508-unit page (printers
// lose what lies past it), in any language: each footer is painted as the page paints it and
// must show the whole ink of its text, on the page.
TEST(ReportTexts, EveryLanguagesFooterLiesWhollyInsideThePage)
{
    const ReportFonts fonts = reportFonts();
    const LanguageModules modules;
    constexpr int kTop = 3300;  // the painted band covers page rows kTop .. kTop + 300
    QStringList found;
    for (const LanguageInfo& info : languageTable()) {
        const QString language = QString::fromLatin1(info.moduleName ? info.moduleName : "English");
        if (info.language == Language::English) {
            StringTable::setActive(StringTable::english());
        } else {
            const LanguageLoad load = modules.load(info.language);
            ASSERT_TRUE(load.ok()) << language.toStdString();
            StringTable::setActive(load.table);
        }
        const PageItem footer = footerItem(188, 188, info.language);
        QImage band(2600, 300, QImage::Format_RGB32), free(2600, 300, QImage::Format_RGB32);
        band.fill(Qt::white);
        free.fill(Qt::white);
        {
            QPainter p(&band);
            p.translate(0, -kTop);
            paintPageItems(p, {footer}, fonts);
        }
        {
            // The same text with nothing to cut it: the ink a whole footer has.
            QPainter p(&free);
            p.setFont(fonts.body);
            p.drawText(QPointF(100, 150), footer.text);
        }
        const auto [top, bottom] = inkRows(band);
        const auto [freeTop, freeBottom] = inkRows(free);
        int right = -1;
        for (int y = 0; y < band.height(); ++y)
            for (int x = 0; x < band.width(); ++x)
                if (band.pixel(x, y) != qRgb(255, 255, 255)) right = std::max(right, x);
        if (top < 0) {
            found << language + QStringLiteral(": no footer drawn");
            continue;
        }
        if (bottom - top != freeBottom - freeTop)
            found << QStringLiteral("%1: %2 rows of ink shown of %3")
                         .arg(language)
                         .arg(bottom - top + 1)
                         .arg(freeBottom - freeTop + 1);
        if (kTop + bottom >= layout::kPageHeight || right >= layout::kPageWidth)
            found << QStringLiteral("%1: ink down to %2, right to %3")
                         .arg(language)
                         .arg(kTop + bottom)
                         .arg(right);
    }
    StringTable::setActive(StringTable::english());
    EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString();
}

}  // namespace
}  // namespace calivue
