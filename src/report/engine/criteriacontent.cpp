#include "report/engine/criteriacontent.h"

#include "report/engine/findingtext.h"

#include "core/brixa.h"

#include "platform/stringids.h"
#include "platform/textformat.h"

namespace calivue {

CriteriaContent criteriaContent(const FindingsSettings& s, TempUnit unit, const StringTable& texts)
{
    CriteriaContent c;
    c.heading = texts.text(sid::SeverityCriteria);
    c.criteria = {texts.text(sid::CriteriaLabel), criteriaText(s.criteria, texts)};
    c.standard = {texts.text(sid::StandardLabel), QString::fromStdU16String(s.conditions.standard)};
    c.tableHeader = {texts.text(sid::Difference), texts.text(sid::ClassLabel),
                     texts.text(sid::Priority)};
    // The table, or for the worse-of criteria both NETA tables, each under its name.
    std::vector<Criteria> tables = {s.criteria};
    if (s.criteria == Criteria::NetaWorst) tables = {Criteria::NetaSimilar, Criteria::NetaAmbient};
    for (const Criteria criteria : tables) {
        CriteriaTable table;
        table.name = criteriaText(criteria, texts);
        for (const SeverityBand& band : criteriaBands(criteria, s))
            table.rows.push_back({bandBoundText(band, unit, texts), classText(band, texts),
                                  band.priority, priorityColour(band.priority)});
        c.tables.push_back(std::move(table));
    }
    const QString exponent = formatDecimal(s.loadExponent, 1);
    c.rules = {formatText(texts.text(sid::LoadRule), {exponent, QString::number(s.minLoadPercent)}),
               texts.text(s.classifyCorrected ? sid::ClassifyCorrected : sid::ClassifyMeasured),
               formatText(texts.text(sid::FrsiRule), {formatDecimal(s.frsiThreshold, 2)})};
    c.conditionsHeading = texts.text(sid::SurveyConditions);
    const QString unitText = QString::fromStdString(unitTextOf(unit));
    const SurveyConditions& sc = s.conditions;
    const std::pair<int, QString> rows[] = {
        {sid::ConditionAmbient,
         s.ambient ? formatTemperature(celsiusIn(*s.ambient, unit), unitText) : QString()},
        {sid::ConditionWind, QString::fromStdU16String(sc.wind)},
        {sid::ConditionWeather, QString::fromStdU16String(sc.weather)},
        {sid::ConditionCameraModel, QString::fromStdU16String(sc.cameraModel)},
        {sid::ConditionCameraSerial, QString::fromStdU16String(sc.cameraSerial)},
        {sid::ConditionCalibration, QString::fromStdU16String(sc.calibrationDate)},
        {sid::ConditionThermographer, QString::fromStdU16String(sc.thermographer)},
        {sid::ConditionCertification, QString::fromStdU16String(sc.certification)},
    };
    for (const auto& [id, value] : rows) c.conditions.push_back({texts.text(id), value});
    return c;
}

}  // namespace calivue
