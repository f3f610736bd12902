#include "report/engine/detailsdlg_text.h"

#include "platform/fspath.h"

#include "core/snapshotfiles.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

QString captionText(CaptionText caption, const StringTable& texts)
{
    switch (caption) {
        case CaptionText::InspectionName:
            return texts.text(sid::CaptionInspectionName);
        case CaptionText::Operator:
            return texts.text(sid::CaptionOperator);
        case CaptionText::Inspector:
            return texts.text(sid::CaptionInspector);
        case CaptionText::Location:
            return texts.text(sid::CaptionLocation);
        case CaptionText::Equipment:
            return texts.text(sid::CaptionEquipment);
        case CaptionText::Comment:
            return texts.text(sid::CaptionComment);
        case CaptionText::MeasuredLoad:
            return texts.text(sid::CaptionMeasuredLoad);
        case CaptionText::RatedLoad:
            return texts.text(sid::CaptionRatedLoad);
        case CaptionText::LoadPercent:
            return texts.text(sid::CaptionLoadPercent);
        case CaptionText::Rpm:
            return texts.text(sid::CaptionRpm);
        case CaptionText::Material:
            return texts.text(sid::CaptionMaterial);
        case CaptionText::MaterialMuValue:
            return texts.text(sid::CaptionMaterialMuValue);
        case CaptionText::MaterialCondition:
            return texts.text(sid::CaptionMaterialCondition);
        case CaptionText::IndoorTemperature:
            return texts.text(sid::CaptionIndoorTemperature);
        case CaptionText::OutdoorTemperature:
            return texts.text(sid::CaptionOutdoorTemperature);
        case CaptionText::RelativeHumidity:
            return texts.text(sid::CaptionRelativeHumidity);
        case CaptionText::WindSpeed:
            return texts.text(sid::CaptionWindSpeed);
        case CaptionText::PressureDifference:
            return texts.text(sid::CaptionPressureDifference);
    }
    return {};
}

std::array<QString, 13> templateCaptions(ReportTemplate reportTemplate, const StringTable& texts)
{
    const std::array<CaptionText, 13> words = templateCaptionTexts(reportTemplate);
    std::array<QString, 13> c;
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = captionText(words[i], texts);
    return c;
}

QString measurementText(const Measurement& m, const StringTable& texts)
{
    switch (m.kind) {
        case Measurement::Kind::Cursor:
            return formatText(QStringLiteral("%s %d"), {texts.text(sid::Cursor), m.marker + 1});
        case Measurement::Kind::Hot:
            return texts.text(sid::Hot);
        case Measurement::Kind::Cold:
            return texts.text(sid::Cold);
        case Measurement::Kind::None:
            break;
    }
    return texts.text(sid::PriorityNone);
}

std::vector<MeasurementEntry> measurementEntries(const cBrixa& image, const StringTable& texts)
{
    std::vector<MeasurementEntry> entries;
    for (const Measurement& m : measurementList(image))
        entries.push_back({measurementText(m, texts), m.marker});
    return entries;
}

QString readingText(double value, const QString& unitText)
{
    return formatTemperature(value, unitText);
}

QString differenceText(double value, const QString& unitText)
{
    return readingText(shownDifference(value), unitText);
}

QString unitLabel(TempUnit unit)
{
    return QString::fromStdString(unitTextOf(unit));
}

std::array<QString, 5> weatherUnitLabels(TempUnit unit)
{
    const WeatherUnits w = weatherUnits(unit);
    const QString t = unitLabel(w.temperatureUnit);
    return {t, t, QStringLiteral("%"), uiText(w.milesPerHour ? sid::UnitMph : sid::UnitKmh),
            uiText(sid::UnitBar)};
}

QString bitmapPathOf(const QString& snapshotPath)
{
    return fromFsPath(bitmapPathOf(toFsPath(snapshotPath)));
}

}  // namespace calivue
