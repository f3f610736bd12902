#include "detailsdlg_text.h"

#include "fspath.h"

#include "core/snapshotfiles.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include "core/constants.h"

#include <algorithm>

namespace calivue {

std::array<QString, 13> templateCaptions(int templateNumber)
{
    std::array<QString, 13> c = {
        uiText(sid::CaptionInspectionName),    uiText(sid::CaptionInspector),
        uiText(sid::CaptionLocation),          uiText(sid::CaptionEquipment),
        uiText(sid::CaptionComment),           uiText(sid::CaptionMaterial),
        uiText(sid::CaptionMaterialMuValue),   uiText(sid::CaptionMaterialCondition),
        uiText(sid::CaptionIndoorTemperature), uiText(sid::CaptionOutdoorTemperature),
        uiText(sid::CaptionRelativeHumidity),  uiText(sid::CaptionWindSpeed),
        uiText(sid::CaptionPressureDifference)};
    if (templateNumber == 0 || templateNumber == 2) {
        c[1] = uiText(sid::CaptionOperator);
        c[5] = uiText(sid::CaptionMeasuredLoad);
        c[6] = uiText(sid::CaptionRatedLoad);
        c[7] = uiText(templateNumber == 0 ? sid::CaptionLoadPercent : sid::CaptionRpm);
    }
    return c;
}

bool captionRowShown(int templateNumber, int row)
{
    if (templateNumber == 1) return row != 3;
    if (templateNumber == 0 || templateNumber == 2) return row < 8;
    return true;
}

std::vector<MeasurementEntry> measurementEntries(const cBrixa& image, const StringTable& texts)
{
    std::vector<MeasurementEntry> entries{{texts.text(sid::PriorityNone), -1}};
    if (!(image.fields.flagsB & flags::B_CursorsHidden)) {
        const int n = std::min<int>(image.fields.cursorCount, kMaxCursors);
        for (int i = 0; i < n; ++i)
            entries.push_back(
                {formatText(QStringLiteral("%s %d"), {texts.text(sid::Cursor), i + 1}), i});
    }
    if (image.fields.flagsA & flags::A_Hottest)
        entries.push_back({texts.text(sid::Hot), kHottestMarker});
    if (image.fields.flagsA & flags::A_Coldest)
        entries.push_back({texts.text(sid::Cold), kColdestMarker});
    return entries;
}

MeasurementPositions firstMeasurementPositions(const std::vector<MeasurementEntry>& entries)
{
    int cursors = 0;
    bool hot = false, cold = false;
    for (const MeasurementEntry& e : entries) {
        cursors += e.marker >= 0 && e.marker < kMaxCursors;
        hot = hot || e.marker == kHottestMarker;
        cold = cold || e.marker == kColdestMarker;
    }
    const int count = static_cast<int>(entries.size());
    MeasurementPositions p;
    if (cursors >= 1 || hot) p.first = 1;
    // With neither cursors nor the hot marker the cold reading sits at position 1.
    if (cursors >= 2 || cold) p.second = std::min(2, count - 1);
    return p;
}

int usablePosition(int stored, int count)
{
    return stored >= 0 && stored < count ? stored : 0;
}

QString readingText(double value, const QString& unitText)
{
    return formatTemperature(value, unitText);
}

QString differenceText(double value, const QString& unitText)
{
    // Rounded to one decimal a value such as −0.04 (or −0.0 itself) is zero: no sign then.
    QString text = readingText(value, unitText);
    if (text.startsWith(QStringLiteral("-0.0 "))) text.remove(0, 1);
    return text;
}

QString unitLabel(int unit)
{
    return QString::fromStdString(unitTextOf(unit));
}

std::array<QString, 5> weatherUnitLabels(int unit)
{
    const bool fahrenheit = unit == 1;
    const QString t = unitLabel(fahrenheit ? 1 : 0);
    return {t, t, QStringLiteral("%"), uiText(fahrenheit ? sid::UnitMph : sid::UnitKmh),
            uiText(sid::UnitBar)};
}

QString bitmapPathOf(const QString& snapshotPath)
{
    return fromFsPath(bitmapPathOf(toFsPath(snapshotPath)));
}

}  // namespace calivue
