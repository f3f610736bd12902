// The page of one inspection: heading and priority, the details, the snapshot's date and
// time, the comment, the picture strip, the temperature readings, the measurement parameters,
// the repair action grid and the fault text. The blocks move with the report template.
#include "reportpage.h"

#include "reporttemplate.h"
#include "reporttext.h"

#include "stringids.h"
#include "stringtable.h"
#include "textformat.h"

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

QString caption(const InspectionPageData& d, int k)
{
    return toQString(d.captions[static_cast<std::size_t>(k - 1)]);
}

// The labels of the measured, rated and condition rows.
std::array<QString, 3> loadLabels(const InspectionPageData& d, const StringTable& texts)
{
    switch (d.templateNumber) {
        case ReportTemplate::Buildings:
            return {texts.text(sid::CaptionMaterial), texts.text(sid::CaptionMaterialMuValue),
                    texts.text(sid::CaptionMaterialCondition)};
        case ReportTemplate::Custom:
            return {caption(d, 6), caption(d, 7), caption(d, 8)};
        case ReportTemplate::Mechanical:
            return {texts.text(sid::CaptionMeasuredLoad), texts.text(sid::CaptionRatedLoad),
                    texts.text(sid::CaptionRpm)};
        default:
            return {texts.text(sid::CaptionMeasuredLoad), texts.text(sid::CaptionRatedLoad),
                    texts.text(sid::CaptionLoadPercent)};
    }
}

QString conditionText(int choice, const StringTable& texts)
{
    switch (choice) {
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
    const bool custom = d.templateNumber == ReportTemplate::Custom;
    if (d.templateNumber == ReportTemplate::Buildings) {
        b.pair(100, 430, 1200, 370, 440, texts.text(sid::CaptionInspector),
               toQString(r.operatorName));
        b.pair(100, 430, 1200, 440, 510, texts.text(sid::CaptionLocation), toQString(r.location));
    } else {
        b.pair(100, 430, 1200, 300, 370, custom ? caption(d, 2) : texts.text(sid::CaptionOperator),
               toQString(r.operatorName));
        b.pair(100, 430, 1200, 370, 440, custom ? caption(d, 3) : texts.text(sid::CaptionLocation),
               toQString(r.location));
        b.pair(100, 430, 1200, 440, 580, custom ? caption(d, 4) : texts.text(sid::CaptionEquipment),
               toQString(r.equipment), TextAlign::Wrap);
    }
    const int timeBottom = d.templateNumber == ReportTemplate::Buildings ? 510 : 580;
    b.label({1300, 300, 2380, 370}, texts.text(sid::ReportSnapshotLabel));
    b.pair(1300, 1840, 2380, 370, 440, texts.text(sid::Date), d.snapshot.dateText);
    b.pair(1300, 1840, 2380, 440, timeBottom, texts.text(sid::Time), d.snapshot.timeText);
    b.label({100, 680, 2380, 750}, custom ? caption(d, 5) : texts.text(sid::CaptionComment));
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
        // The pictures' place says which file is gone instead of leaving a blank.
        b.box(kStripRect, twoPart(texts.text(sid::CouldNotFind), d.snapshot.path), TextAlign::Wrap);
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
    const std::array<QString, 3> loads = loadLabels(d, texts);
    const bool buildings = d.templateNumber == ReportTemplate::Buildings;
    struct Row {
        QString label, value;
    };
    std::vector<Row> rows = {
        {texts.text(sid::GlobalEmissivityLabel), d.snapshot.emissivity},
        {texts.text(sid::ReflectedTempLabel), d.snapshot.reflected},
        {loads[0], toQString(r.measured)},
        {loads[1], toQString(r.rated)},
        {loads[2], buildings ? conditionText(r.conditionChoice, texts) : toQString(r.condition)},
    };
    if (buildings || d.templateNumber == ReportTemplate::Custom) {
        const bool custom = !buildings;
        const bool fahrenheit = d.unit == 1;
        const QString degrees =
            fahrenheit ? QStringLiteral(" \u00B0F") : QStringLiteral(" \u00B0C");
        const QString speed =
            QLatin1Char(' ') + texts.text(fahrenheit ? sid::UnitMph : sid::UnitKmh);
        const int ids[5] = {sid::CaptionIndoorTemperature, sid::CaptionOutdoorTemperature,
                            sid::CaptionRelativeHumidity, sid::CaptionWindSpeed,
                            sid::CaptionPressureDifference};
        const QString values[5] = {
            toQString(r.indoor) + degrees, toQString(r.outdoor) + degrees,
            formatText(QStringLiteral("%s %%"), {toQString(r.humidity)}), toQString(r.wind) + speed,
            formatText(QStringLiteral("%s ") + texts.text(sid::UnitBar), {toQString(r.pressure)})};
        for (int k = 0; k < 5; ++k)
            rows.push_back({custom ? caption(d, 9 + k) : texts.text(ids[k]), values[k]});
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
    const bool tall =
        d.templateNumber == ReportTemplate::Buildings || d.templateNumber == ReportTemplate::Custom;
    const int top = tall ? 2980 : 2520;
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
    b.box({2180, 100, 2380, 250},
          r.repairPriority > 0 ? formatText(QStringLiteral("\n%d"), {r.repairPriority}) : QString(),
          TextAlign::Centre);
    detailsBlock(b, d, texts);
    picturesBlock(b, d, texts);
    readingsBlock(b, d, texts);
    parametersBlock(b, d, texts);
    repairBlock(b, d, d.repairDates.data(), texts);
    b.label({100, 2980, 1200, 3050}, texts.text(sid::FaultRecommendedAction));
    b.box({100, 3050, 1200, 3330}, toQString(r.faultAction), TextAlign::Wrap);
    return std::move(b.items);
}

}  // namespace calivue
