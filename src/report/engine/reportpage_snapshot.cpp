// The page of one inspection: heading and priority, the details, the snapshot's date and
// time, the comment, the picture strip, the temperature readings, the measurement parameters,
// the repair action grid and the fault text. The blocks move with the report template.
#include "report/engine/reportpage.h"

#include "report/engine/detailsdlg_text.h"
#include "core/printrules.h"
#include "report/engine/reporttext.h"

#include "core/brixa.h"
#include "core/printrules.h"

#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

namespace {

class PageBuilder {
public:
    PageItems items;

    void box(PageRect r, QString text = {}, TextAlign align = TextAlign::Left)
    {
        add(PageItem::Kind::Box, r, std::move(text), align);
    }
    void label(PageRect r, QString text, TextAlign align = TextAlign::Left)
    {
        add(PageItem::Kind::Label, r, std::move(text), align);
    }
    // A label | value pair of boxes in one row.
    void pair(int x1, int x2, int x3, int y1, int y2, QString label, QString value,
              TextAlign align = TextAlign::Left)
    {
        box({x1, y1, x2, y2}, std::move(label));
        box({x2, y1, x3, y2}, std::move(value), align);
    }
    PageItem& add(PageItem::Kind kind, PageRect r, QString text, TextAlign align,
                  ReportFont font = ReportFont::Body)
    {
        items.push_back(pageItem(kind, r, std::move(text), align, font));
        return items.back();
    }
};

// Caption k (1-13) as the template prints it: the user's own in Custom, else the template's.
QString caption(const InspectionPageData& d, int k, const StringTable& texts)
{
    const auto i = static_cast<std::size_t>(k - 1);
    if (userCaptions(d.reportTemplate)) return toQString(d.captions[i]);
    return templateCaptions(d.reportTemplate, texts)[i];
}

QString conditionText(int choice, const StringTable& texts)
{
    switch (shownConditionChoice(choice)) {
        case 1:
            return texts.text(sid::ConditionGood);
        case 2:
            return texts.text(sid::ConditionPoor);
        default:
            return texts.text(sid::ConditionNoComment);
    }
}

void detailsBlock(PageBuilder& b, const InspectionPageData& d, const StringTable& texts)
{
    const cInspectionRecord& r = d.record;
    // Without the equipment row the operator and location rows sit lower.
    const bool equipment = captionRowShown(d.reportTemplate, 3);
    if (!equipment) {
        b.pair(100, 430, 1200, 370, 440, caption(d, 2, texts), toQString(r.operatorName));
        b.pair(100, 430, 1200, 440, 510, caption(d, 3, texts), toQString(r.location));
    } else {
        b.pair(100, 430, 1200, 300, 370, caption(d, 2, texts), toQString(r.operatorName));
        b.pair(100, 430, 1200, 370, 440, caption(d, 3, texts), toQString(r.location));
        b.pair(100, 430, 1200, 440, 580, caption(d, 4, texts), toQString(r.equipment),
               TextAlign::Wrap);
    }
    const int timeBottom = equipment ? 580 : 510;
    b.label({1300, 300, 2380, 370}, texts.text(sid::ReportSnapshotLabel));
    b.pair(1300, 1840, 2380, 370, 440, texts.text(sid::Date), d.snapshot.dateText);
    b.pair(1300, 1840, 2380, 440, timeBottom, texts.text(sid::Time), d.snapshot.timeText);
    b.label({100, 680, 2380, 750}, caption(d, 5, texts));
    b.box({100, 750, 2380, 1030}, toQString(r.comment), TextAlign::Wrap);
}

void picturesBlock(PageBuilder& b, const InspectionPageData& d, const StringTable& texts)
{
    b.label({280, 1130, 920, 1200}, texts.text(sid::ThermalSnapshot));
    b.label({920, 1130, 1560, 1200}, texts.text(sid::ThermalAndVisibleBlend));
    b.label({1560, 1130, 2200, 1200}, texts.text(sid::VisibleImage));
    if (d.snapshot.loaded) {
        b.add(PageItem::Kind::Strip, kStripRect, {}, TextAlign::Left);
    } else {
        // The pictures' place names the file and what is wrong with it instead of a blank.
        b.box(kStripRect,
              d.snapshot.failure.isEmpty() ? couldNotFindText(d.snapshot.path, d.language, texts)
                                           : formatText(texts.text(sid::OpenFailureDetail),
                                                        {d.snapshot.path, d.snapshot.failure}),
              TextAlign::Wrap);
    }
}

void readingsBlock(PageBuilder& b, const InspectionPageData& d, const StringTable& texts)
{
    if (d.snapshot.hasCursors)
        b.label({100, 2000, 1200, 2070}, texts.text(sid::TemperatureMeasurements));
    int y = 2070;
    for (const ReadingRow& row : d.snapshot.readings) {
        b.box({100, y, 430, y + 70}, row.label);
        b.items.back().colour = row.colour;
        b.box({430, y, 970, y + 70}, row.value);
        y += 70;
    }
}

void parametersBlock(PageBuilder& b, const InspectionPageData& d, const StringTable& texts)
{
    const cInspectionRecord& r = d.record;
    b.label({1300, 2000, 2380, 2070}, texts.text(sid::MeasurementParameters));
    struct Row {
        QString label, value;
    };
    std::vector<Row> rows = {
        {texts.text(sid::GlobalEmissivityLabel), d.snapshot.emissivity},
        {texts.text(sid::ReflectedTempLabel), d.snapshot.reflected},
        {caption(d, 6, texts), toQString(r.measured)},
        {caption(d, 7, texts), toQString(r.rated)},
        {caption(d, 8, texts), conditionIsChoice(d.reportTemplate)
                                   ? conditionText(r.conditionChoice, texts)
                                   : toQString(r.condition)},
    };
    if (captionRowShown(d.reportTemplate, 8)) {
        const WeatherUnits units = weatherUnits(d.unit);
        const QString degrees =
            QLatin1Char(' ') + QString::fromStdString(unitTextOf(units.temperatureUnit));
        const QString speed =
            QLatin1Char(' ') + texts.text(units.milesPerHour ? sid::UnitMph : sid::UnitKmh);
        const QString values[5] = {
            toQString(r.indoor) + degrees, toQString(r.outdoor) + degrees,
            formatText(QStringLiteral("%s %%"), {toQString(r.humidity)}), toQString(r.wind) + speed,
            formatText(QStringLiteral("%s ") + texts.text(sid::UnitBar), {toQString(r.pressure)})};
        for (int k = 0; k < 5; ++k) rows.push_back({caption(d, 9 + k, texts), values[k]});
    }
    int y = 2070;
    for (Row& row : rows) {
        b.pair(1300, 1840, 2380, y, y + 70, std::move(row.label), std::move(row.value));
        y += 70;
    }
}

void repairBlock(PageBuilder& b, const InspectionPageData& d, const QString dates[3],
                 const StringTable& texts)
{
    const cInspectionRecord& r = d.record;
    // Below the weather rows when the template prints them.
    const int top = captionRowShown(d.reportTemplate, 8) ? 2980 : 2520;
    b.label({1300, top, 2380, top + 70}, texts.text(sid::RepairAction));
    const QString cells[4][3] = {
        {texts.text(sid::Action), texts.text(sid::Date), texts.text(sid::Initials)},
        {texts.text(sid::Inspected), dates[0], toQString(r.inspectedInitials)},
        {texts.text(sid::Repaired), dates[1], toQString(r.repairedInitials)},
        {texts.text(sid::Reinspected), dates[2], toQString(r.reinspectedInitials)},
    };
    for (int row = 0; row < 4; ++row) {
        const int y = top + 70 + 70 * row;
        for (int col = 0; col < 3; ++col)
            b.box({1300 + 360 * col, y, 1660 + 360 * col, y + 70}, cells[row][col]);
    }
}

}  // namespace

PageItems inspectionPage(const InspectionPageData& d, const StringTable& texts)
{
    PageBuilder b;
    const cInspectionRecord& r = d.record;
    b.add(PageItem::Kind::Heading, {100, 100, 2380, 170},
          inspectionHeading(d.number, r.name, texts), TextAlign::Left, ReportFont::Heading);
    b.label({1750, 100, 2380, 300},
            twoPart(texts.text(sid::RepairPriority), texts.text(sid::PriorityScale)));
    const int priority = d.priority.value_or(shownPriority(r.repairPriority));
    b.box({2180, 100, 2380, 250},
          priority > 0 ? formatText(QStringLiteral("\n%d"), {priority}) : QString(),
          TextAlign::Centre);
    if (d.priority && priority > 0) {
        b.items.back().colour = priorityColour(priority);
        b.items.back().font = ReportFont::Bold;
    }
    detailsBlock(b, d, texts);
    picturesBlock(b, d, texts);
    readingsBlock(b, d, texts);
    parametersBlock(b, d, texts);
    repairBlock(b, d, d.repairDates.data(), texts);
    for (PageItem& item : findingBand(d.finding)) b.items.push_back(std::move(item));
    b.label({100, 2980, 1200, 3050}, texts.text(sid::FaultRecommendedAction));
    b.box({100, 3050, 1200, 3330}, toQString(r.faultAction), TextAlign::Wrap);
    return std::move(b.items);
}

}  // namespace calivue
