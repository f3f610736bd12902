#include "report/engine/docxpages.h"

#include "report/engine/docxbody.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <cmath>

namespace calivue {

namespace {

constexpr int kUsable = kPageHeightTwips - 2 * kMarginTwips;

// The document's font at `points`, measured in twips (a pixel per twip).
QFont font(double points, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(static_cast<int>(std::lround(points * 20)));
    f.setBold(bold);
    return f;
}

}  // namespace

DocxPageModel::DocxPageModel() = default;

DocxPageModel::Metrics DocxPageModel::metrics(const QString& style) const
{
    // Size, bold, before, after, keep with next, page break before: as docxStyles defines them.
    struct Style {
        const char* id;
        double points;
        bool bold;
        int before, after;
        bool keepNext, pageBreak;
    };
    static const Style styles[] = {
        {"Title", 20, true, 1200, 600, false, false},
        {"TOCHeading", 16, true, 0, 240, true, true},
        {"Heading1", 16, true, 0, 240, true, true},
        {"SectionLabel", 10, true, 200, 60, true, false},
        {"Caption", 9, true, 120, 60, true, false},
        {"TableText", 10, false, 0, 0, false, false},
        {"TOC1", 10, false, 0, 60, false, false},
    };
    Style s{"Normal", 10, false, 0, 80, false, false};
    for (const Style& candidate : styles)
        if (style == QLatin1String(candidate.id)) s = candidate;
    Metrics m;
    m.font = font(s.points, s.bold);
    m.line = static_cast<int>(std::ceil(QFontMetricsF(m.font).lineSpacing()));
    m.before = s.before;
    m.after = s.after;
    m.keepNext = s.keepNext;
    m.pageBreak = s.pageBreak;
    return m;
}

int DocxPageModel::lines(const QString& text, const QFont& f, int width) const
{
    if (text.isEmpty()) return 1;
    QTextLayout layout(text, f);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int n = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++n;
    }
    layout.endLayout();
    return std::max(1, n);
}

int DocxPageModel::textHeight(const QString& text, int width) const
{
    const Metrics m = metrics(QStringLiteral("TableText"));
    return lines(text, m.font, width - kCellTextMargins) * m.line;
}

int DocxPageModel::cellHeight(const QString& text, int width) const
{
    int height = kCellMargins;
    for (const QString& line : text.split(u'\n')) height += textHeight(line, width);
    return height;
}

void DocxPageModel::newPage()
{
    ++m_page;
    m_y = 0;
}

void DocxPageModel::place(int before, int count, int line, int after, bool splittable,
                          bool keepNext)
{
    const int height = before + count * line + after;
    if (keepNext) {
        // Kept with what follows: placed when that is.
        m_kept += height;
        return;
    }
    const int first = splittable ? before + line : height;
    if (m_y > 0 && m_y + m_kept + first > kUsable) newPage();
    m_y += m_kept;
    m_kept = 0;
    if (!splittable || m_y + height <= kUsable) {
        m_y += height;
        while (m_y > kUsable) {  // taller than a page
            m_y -= kUsable;
            ++m_page;
        }
        return;
    }
    // Lines that do not fit go on to the next pages.
    m_y += before;
    for (int i = 0; i < count; ++i) {
        if (m_y + line > kUsable) newPage();
        m_y += line;
    }
    m_y = std::min(kUsable, m_y + after);
}

void DocxPageModel::paragraph(const QString& style, const QString& text, int width,
                              bool keepWithNext)
{
    const Metrics m = metrics(style);
    if (m.pageBreak && (m_y > 0 || m_kept > 0)) {
        newPage();
        m_kept = 0;
    }
    place(m.before, lines(text, m.font, width > 0 ? width : kTextWidthTwips), m.line, m.after, true,
          m.keepNext || keepWithNext);
}

void DocxPageModel::picture(int height)
{
    place(0, 1, height, 120, false, false);
}

void DocxPageModel::row(int height, bool keepWithNext)
{
    place(0, 1, height, 0, false, keepWithNext);
}

}  // namespace calivue
