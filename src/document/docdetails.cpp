// The setters of the record's measurement parameters and details (settings page and
// properties dialog): each stores the value in the image's record fields, announces it
// and marks the document modified on a real change.
#include "document/vantorodoc.h"

#include <algorithm>

namespace calivue {

void CVantoroDoc::setReflected(int raw)
{
    const auto value = static_cast<std::uint16_t>(std::clamp(raw, 0, 0xFFFF));
    const bool changed = m_image.fields.reflected != value;
    m_image.fields.reflected = value;
    if (!changed) return;
    const DocChanges title = modify();
    refreshMarkerTemperatures();
    announce(DocChange::Measurements | DocChange::Markers | DocChange::Readings | title);
}

void CVantoroDoc::setImageEmissivity(int hundredths)
{
    if (hundredths < 1 || hundredths > 100) return;
    // Slot 10 is the whole image's emissivity.
    std::uint8_t& stored = m_image.fields.emissivity[10];
    const bool changed = stored != hundredths;
    stored = static_cast<std::uint8_t>(hundredths);
    if (!changed) return;
    const DocChanges title = modify();
    refreshMarkerTemperatures();
    announce(DocChange::Measurements | DocChange::Markers | DocChange::Readings | title);
}

void CVantoroDoc::setCaptureTime(int hour, int minute, int second)
{
    RecordTime& c = m_image.fields.capture;
    const auto h = static_cast<std::uint8_t>(hour), m = static_cast<std::uint8_t>(minute),
               s = static_cast<std::uint8_t>(second);
    if (c.hour == h && c.minute == m && c.second == s) return;
    c.hour = h;
    c.minute = m;
    c.second = s;
    announce(DocChange::Details | modify());
}

void CVantoroDoc::setCaptureDate(int day, int month, int year)
{
    RecordTime& c = m_image.fields.capture;
    const auto d = static_cast<std::uint8_t>(day), mo = static_cast<std::uint8_t>(month);
    const auto y = static_cast<std::uint16_t>(year);
    if (c.day == d && c.month == mo && c.year == y) return;
    c.day = d;
    c.month = mo;
    c.year = y;
    announce(DocChange::Details | modify());
}

void CVantoroDoc::setComments(const std::array<std::uint8_t, 256>& bytes)
{
    if (m_image.fields.comments == bytes) return;
    m_image.fields.comments = bytes;
    announce(DocChange::Details | modify());
}

}  // namespace calivue
