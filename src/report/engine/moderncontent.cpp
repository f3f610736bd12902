#include "report/engine/moderncontent.h"

#include "report/engine/detailsdlg_text.h"
#include "report/engine/reporttext.h"

#include "core/printrules.h"

#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/textformat.h"

#include <algorithm>

namespace calivue {

QString modernCaption(const InspectionPageData& d, int k, const StringTable& texts)
{
    const auto i = static_cast<std::size_t>(k - 1);
    if (userCaptions(d.reportTemplate)) return toQString(d.captions[i]);
    return templateCaptions(d.reportTemplate, texts)[i];
}

std::vector<ModernRow> modernDetailRows(const ModernInspectionData& d, const StringTable& texts)
{
    const InspectionPageData& p = d.page;
    const cInspectionRecord& r = p.record;
    std::vector<ModernRow> rows;
    if (captionRowShown(p.reportTemplate, 3))
        rows.push_back({modernCaption(p, 4, texts), toQString(r.equipment)});
    rows.push_back({modernCaption(p, 3, texts), toQString(r.location)});
    rows.push_back({modernCaption(p, 2, texts), toQString(r.operatorName)});
    const QString when = (p.snapshot.dateText + QLatin1Char(' ') + p.snapshot.timeText).trimmed();
    rows.push_back({texts.text(sid::ReportSnapshotLabel), when});
    return rows;
}

std::vector<ModernRow> modernParameterRows(const ModernInspectionData& d, const StringTable& texts)
{
    const InspectionPageData& p = d.page;
    const cInspectionRecord& r = p.record;
    std::vector<ModernRow> rows = {
        {texts.text(sid::GlobalEmissivityLabel), p.snapshot.emissivity},
        {texts.text(sid::ReflectedTempLabel), p.snapshot.reflected},
        {modernCaption(p, 6, texts), toQString(r.measured)},
        {modernCaption(p, 7, texts), toQString(r.rated)},
    };
    QString condition = toQString(r.condition);
    if (conditionIsChoice(p.reportTemplate)) {
        const int c = shownConditionChoice(r.conditionChoice);
        condition = texts.text(c == 1 ? sid::ConditionGood
                                      : (c == 2 ? sid::ConditionPoor : sid::ConditionNoComment));
    }
    rows.push_back({modernCaption(p, 8, texts), condition});
    if (captionRowShown(p.reportTemplate, 8)) {
        const std::array<QString, 5> units = weatherUnitLabels(p.unit);
        const std::u16string* values[5] = {&r.indoor, &r.outdoor, &r.humidity, &r.wind,
                                           &r.pressure};
        for (int k = 0; k < 5; ++k)
            rows.push_back(
                {modernCaption(p, 9 + k, texts),
                 toQString(*values[k]) + QLatin1Char(' ') + units[static_cast<std::size_t>(k)]});
    }
    return rows;
}

std::array<ModernTextSection, 2> modernTextSections(const ModernInspectionData& d,
                                                    const StringTable& texts)
{
    const cInspectionRecord& r = d.page.record;
    return {ModernTextSection{modernCaption(d.page, 5, texts), toQString(r.comment)},
            ModernTextSection{texts.text(sid::FaultRecommendedAction), toQString(r.faultAction)}};
}

ModernRepairCells modernRepairCells(const ModernInspectionData& d, const StringTable& texts)
{
    const cInspectionRecord& r = d.page.record;
    const auto& dates = d.page.repairDates;
    return {{
        {texts.text(sid::Action), texts.text(sid::Date), texts.text(sid::Initials)},
        {texts.text(sid::Inspected), dates[0], toQString(r.inspectedInitials)},
        {texts.text(sid::Repaired), dates[1], toQString(r.repairedInitials)},
        {texts.text(sid::Reinspected), dates[2], toQString(r.reinspectedInitials)},
    }};
}

QString modernPictureFailure(const InspectionPageData& p, const StringTable& texts)
{
    return p.snapshot.failure.isEmpty() ? couldNotFindText(p.snapshot.path, p.language, texts)
                                        : formatText(texts.text(sid::OpenFailureDetail),
                                                     {p.snapshot.path, p.snapshot.failure});
}

bool modernReadingsWithEmissivity(const ModernInspectionData& d)
{
    return std::any_of(d.readings.begin(), d.readings.end(),
                       [](const ModernReading& r) { return !r.emissivity.isEmpty(); });
}

}  // namespace calivue
