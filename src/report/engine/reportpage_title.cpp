// The title, contents and summary pages and the footer every page carries.
#include "report/engine/reportpage.h"

#include "core/printrules.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reporttext.h"

#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

namespace {

PageItem box(PageRect r, QString text = {}, TextAlign align = TextAlign::Left)
{
    return pageItem(PageItem::Kind::Box, r, std::move(text), align);
}

PageItem heading(PageRect r, QString text, TextAlign align = TextAlign::Left)
{
    return pageItem(PageItem::Kind::Heading, r, std::move(text), align, ReportFont::Heading);
}

// "\n%d": a number on the second line of its box.
QString secondLine(int value)
{
    return formatText(QStringLiteral("\n%d"), {value});
}

}  // namespace

QString pageOfText(int page, int total, Language language, const StringTable& texts)
{
    // The Hebrew module's first footer read the total first ("12 pages, page 3") with the
    // numbers of "Page %d of %d" handed over reversed; a Hebrew report printed with that
    // text, or with the English one, keeps that order. Any other text takes the page first,
    // as "עמוד %d מתוך %d" (page 3 of 12) reads.
    const QString format = texts.text(sid::PageOfFormat);
    const bool reversed = language == Language::Hebrew &&
                          (format == QStringLiteral("Page %d of %d") ||
                           format == QStringLiteral("%d \u05E2\u05DE\u05D5\u05D3\u05D9\u05DD, "
                                                    "\u05E2\u05DE\u05D5\u05D3 %d"));
    return formatText(format, {reversed ? total : page, reversed ? page : total});
}

PageItem footerItem(int page, int total, Language language, const StringTable& texts)
{
    return pageItem(PageItem::Kind::Label, {1880, 3450, 2380, 3500},
                    pageOfText(page, total, language, texts), TextAlign::RightFoot);
}

std::array<QString, 4> titleLabels(ReportTemplate reportTemplate,
                                   const std::array<std::u16string, 4>& captions,
                                   const StringTable& texts)
{
    if (userCaptions(reportTemplate))
        return {toQString(captions[0]), toQString(captions[1]), toQString(captions[2]),
                toQString(captions[3])};
    return {texts.text(sid::CaptionCompany), texts.text(sid::CaptionAuthor), texts.text(sid::Date),
            texts.text(sid::CaptionGeneralComments)};
}

PageItems titlePage(const TitlePageData& d, const StringTable& texts)
{
    PageItems items;
    const int h = d.logoHeight > 0 && d.logoWidth > 0 ? d.logoHeight : 0;
    if (h > 0) {
        const int left = layout::logoLeft(d.logoWidth);
        items.push_back(pageItem(PageItem::Kind::Logo, {left, 50, left + d.logoWidth, 50 + h}));
    }
    items.push_back(heading({0, h + 100, layout::kPageWidth, h + 170}, texts.text(sid::ReportTitle),
                            TextAlign::Centre));
    const QString values[3] = {toQString(d.title.company), toQString(d.title.author), d.dateText};
    for (int row = 0; row < 3; ++row) {
        const int y = 1200 + 70 * row;
        items.push_back(box({100, y, 430, y + 70}, d.labels[static_cast<std::size_t>(row)]));
        items.push_back(box({430, y, 1200, y + 70}, values[row]));
    }
    items.push_back(pageItem(PageItem::Kind::Heading, {100, 1550, 600, 1600}, d.labels[3]));
    items.push_back(box({100, 1600, 2380, 3400}, toQString(d.title.comments), TextAlign::Wrap));
    return items;
}

QString inspectionHeading(int number, const std::u16string& name, const StringTable& texts)
{
    if (name.empty())
        return formatText(QStringLiteral("%s %d"), {texts.text(sid::Inspection), number});
    return formatText(QStringLiteral("%s %d - %s"),
                      {texts.text(sid::Inspection), number, toQString(name)});
}

PageItems contentsPage(const std::vector<cInspectionRecord>& records, int k,
                       const StringTable& texts, bool appendix, int equipmentPages)
{
    PageItems items;
    items.push_back(heading({100, 100, 2380, 170}, texts.text(sid::Contents)));
    PageItem description =
        pageItem(PageItem::Kind::Label, {100, 270, 1980, 340}, texts.text(sid::Description),
                 TextAlign::Left, ReportFont::Bold);
    PageItem pageNo = pageItem(PageItem::Kind::Label, {1980, 270, 2380, 340},
                               texts.text(sid::PageNo), TextAlign::Right, ReportFont::Bold);
    items.push_back(description);
    items.push_back(pageNo);
    items.push_back(pageItem(PageItem::Kind::Line, {100, 340, 2380, 340}));
    const int n = static_cast<int>(records.size());
    int y = 340;
    for (const layout::ContentsRow& row : layout::contentsRows(n, k, appendix, equipmentPages)) {
        const QString text =
            row.inspection == layout::kEquipmentRow  ? texts.text(sid::EquipmentAppendix)
            : row.inspection == layout::kAppendixRow ? texts.text(sid::SeverityCriteria)
            : row.inspection < 0
                ? texts.text(sid::Summary)
                : inspectionHeading(row.inspection + 1,
                                    records[static_cast<std::size_t>(row.inspection)].name, texts);
        items.push_back(pageItem(PageItem::Kind::Label, {100, y, 1980, y + 70}, text));
        items.push_back(pageItem(PageItem::Kind::Label, {1980, y, 2380, y + 70},
                                 QString::number(row.page), TextAlign::Right));
        y += 70;
    }
    return items;
}

PageItems summaryPage(const std::vector<cInspectionRecord>& records, int k,
                      const StringTable& texts, const std::vector<int>* priorities)
{
    PageItems items;
    items.push_back(heading({100, 100, 2380, 170}, texts.text(sid::Summary)));
    items.push_back(box({100, 270, 300, 340}, texts.text(sid::InspNo)));
    items.push_back(box({300, 270, 825, 340}, texts.text(sid::CaptionLocation)));
    items.push_back(box({825, 270, 1350, 340}, texts.text(sid::CaptionEquipment)));
    items.push_back(box({1350, 270, 2180, 340}, texts.text(sid::FaultAction)));
    items.push_back(box({2180, 270, 2380, 340}, texts.text(sid::Priority), TextAlign::Centre));
    const layout::RowRange range = layout::summaryRows(static_cast<int>(records.size()), k);
    int y = 340;
    for (int i = range.first; i < range.first + range.count; ++i) {
        const cInspectionRecord& r = records[static_cast<std::size_t>(i)];
        items.push_back(box({100, y, 300, y + 210}, secondLine(i + 1), TextAlign::Centre));
        items.push_back(box({300, y, 825, y + 210}, toQString(r.location), TextAlign::Wrap));
        items.push_back(box({825, y, 1350, y + 210}, toQString(r.equipment), TextAlign::Wrap));
        items.push_back(box({1350, y, 2180, y + 210}, toQString(r.faultAction), TextAlign::Wrap));
        const auto at = static_cast<std::size_t>(i);
        const int priority = priorities != nullptr && at < priorities->size()
                                 ? (*priorities)[at]
                                 : shownPriority(r.repairPriority);
        items.push_back(box({2180, y, 2380, y + 210},
                            priority > 0 ? secondLine(priority) : QString(), TextAlign::Centre));
        if (priorities != nullptr && priority > 0) {
            items.back().colour = priorityColour(priority);
            items.back().font = ReportFont::Bold;
        }
        y += 210;
    }
    return items;
}

}  // namespace calivue
