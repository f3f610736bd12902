// Conversions between the report data's plain values and Qt's: UTF-16 texts and the stored
// date-times (days since 30 December 1899, the fraction the time of day).
#pragma once

#include "core/reportdata.h"

#include <QDateTime>
#include <QString>

namespace calivue {

inline QString toQString(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}
inline std::u16string toU16(const QString& s)
{
    return s.toStdU16String();
}

// The local date and time a stored value stands for; an invalid QDateTime when the status is
// not Valid or the day count is not a finite date between the years 100 and 9999.
QDateTime toQDateTime(const cDateTime& value);
// The stored form of a local date and time (status Valid); an invalid input gives status
// Invalid with day count 0.
cDateTime fromQDateTime(const QDateTime& value);

}  // namespace calivue
