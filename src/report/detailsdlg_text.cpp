#include "detailsdlg_text.h"

#include "fspath.h"

#include "core/snapshotfiles.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

QString captionText(CaptionText caption)
{
    switch (caption) {
        case CaptionText::InspectionName:
            return uiText(sid::CaptionInspectionName);
        case CaptionText::Operator:
            return uiText(sid::CaptionOperator);
        case CaptionText::Inspector:
            return uiText(sid::CaptionInspector);
        case CaptionText::Location:
            return uiText(sid::CaptionLocation);
        case CaptionText::Equipment:
            return uiText(sid::CaptionEquipment);
        case CaptionText::Comment:
            return uiText(sid::CaptionComment);
        case CaptionText::MeasuredLoad:
            return uiText(sid::CaptionMeasuredLoad);
        case CaptionText::RatedLoad:
            return uiText(sid::CaptionRatedLoad);
        case CaptionText::LoadPercent:
            return uiText(sid::CaptionLoadPercent);
        case CaptionText::Rpm:
            return uiText(sid::CaptionRpm);
        case CaptionText::Material:
            return uiText(sid::CaptionMaterial);
        case CaptionText::MaterialMuValue:
            return uiText(sid::CaptionMaterialMuValue);
        case CaptionText::MaterialCondition:
            return uiText(sid::CaptionMaterialCondition);
        case CaptionText::IndoorTemperature:
            return uiText(sid::CaptionIndoorTemperature);
        case CaptionText::OutdoorTemperature:
            return uiText(sid::CaptionOutdoorTemperature);
        case CaptionText::RelativeHumidity:
            return uiText(sid::CaptionRelativeHumidity);
        case CaptionText::WindSpeed:
            return uiText(sid::CaptionWindSpeed);
        case CaptionText::PressureDifference:
            return uiText(sid::CaptionPressureDifference);
    }
    return {};
}

std::array<QString, 13> templateCaptions(int templateNumber)
{
    const std::array<CaptionText, 13> words = templateCaptionTexts(templateNumber);
    std::array<QString, 13> c;
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = captionText(words[i]);
    return c;
}

QString measurementText(const Measurement& m)
{
    switch (m.kind) {
        case Measurement::Kind::Cursor:
            return formatText(QStringLiteral("%s %d"), {uiText(sid::Cursor), m.marker + 1});
        case Measurement::Kind::Hot:
            return uiText(sid::Hot);
        case Measurement::Kind::Cold:
            return uiText(sid::Cold);
        case Measurement::Kind::None:
            break;
    }
    return uiText(sid::PriorityNone);
}

std::vector<MeasurementEntry> measurementEntries(const cBrixa& image)
{
    std::vector<MeasurementEntry> entries;
    for (const Measurement& m : measurementList(image))
        entries.push_back({measurementText(m), m.marker});
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

QString unitLabel(int unit)
{
    return QString::fromStdString(unitTextOf(unit));
}

std::array<QString, 5> weatherUnitLabels(int unit)
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
