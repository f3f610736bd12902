#include "report/engine/reporttext.h"

#include <cmath>

namespace calivue {

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

}  // namespace

QDateTime toQDateTime(const cDateTime& value)
{
    if (value.status != cDateTime::Valid || !std::isfinite(value.days)) return {};
    // Days 100-01-01 .. 9999-12-31, the range a stored date can show.
    if (value.days < -657434.0 || value.days >= 2958466.0) return {};
    // Negative values count whole days backwards and the fraction forwards: -1.25 is
    // 29 December 1899 06:00.
    const double whole = std::trunc(value.days);
    const double fraction = std::fabs(value.days - whole);
    const QDate date = kEpoch.addDays(static_cast<qint64>(whole));
    auto ms = static_cast<qint64>(std::llround(fraction * kMsPerDay));
    if (ms >= static_cast<qint64>(kMsPerDay)) ms = static_cast<qint64>(kMsPerDay) - 1;
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

cDateTime fromQDateTime(const QDateTime& value)
{
    if (!value.isValid()) return {cDateTime::Invalid, 0.0};
    const double whole = static_cast<double>(kEpoch.daysTo(value.date()));
    const double fraction = value.time().msecsSinceStartOfDay() / kMsPerDay;
    return {cDateTime::Valid, whole >= 0 ? whole + fraction : whole - fraction};
}

}  // namespace calivue
