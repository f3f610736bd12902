#include "core/record.h"
#include "core/pixelloop.h"

#include "core/bytecursor.h"
#include "core/recordpixels.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace calivue {

namespace {

struct Off {
    static constexpr std::size_t Length = 0, Magic = 4, Version = 7, Capture = 9, Modified = 16,
                                 TextA = 23, ScaleCode = 55, Param56 = 56, Reflected = 57,
                                 Palette = 59, SpanLow = 60, SpanHigh = 62, FallbackLow = 64,
                                 FallbackHigh = 66, Unit = 68, Emissivity = 69, Params80 = 80,
                                 Param86 = 86, BlueLower = 87, BlueUpper = 89, RedLower = 91,
                                 RedUpper = 93, Orientation = 95, Comments = 96, CursorCount = 352,
                                 CursorX = 353, CursorY = 373, Blend = 393, Flag394 = 394,
                                 Param395 = 395, TextB = 396, TextC = 428, Labels = 448,
                                 Params503 = 503, FlagsA = 523, FlagsB = 524, Params525 = 525,
                                 AlignX = 529, AlignY = 531, Pixels = 533;
};

template <std::size_t N>
void readBytes(const ByteReader& r, std::size_t off, std::array<std::uint8_t, N>& out,
               std::size_t count = N)
{
    auto b = r.bytes(off, count);
    if (b) std::copy(b->begin(), b->end(), out.begin());
}

RecordTime readTime(const ByteReader& r, std::size_t off)
{
    RecordTime t;
    t.hour = *r.u8(off);
    t.minute = *r.u8(off + 1);
    t.second = *r.u8(off + 2);
    t.day = *r.u8(off + 3);
    t.month = *r.u8(off + 4);
    t.year = *r.u16le(off + 5);
    if (t.day == 0) t.day = 1;
    if (t.month == 0) t.month = 1;
    if (t.year == 0) t.year = 2000;
    return t;
}

static_assert(Off::Pixels + std::size_t{kPixels} * 2 == kRecordSize,
              "the pixel block runs to the end of the record");

}  // namespace

LocalStamp LocalStamp::now()
{
    LocalStamp s;
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    if (t == static_cast<std::time_t>(-1) || !localtime_r(&t, &tm)) {
        s.valid = false;
        return s;
    }
    s.hour = tm.tm_hour;
    s.minute = tm.tm_min;
    s.second = tm.tm_sec;
    s.day = tm.tm_mday;
    s.month = tm.tm_mon + 1;
    s.year = tm.tm_year + 1900;
    return s;
}

float scaleForCode(std::uint8_t code)
{
    switch (code) {
        case 0:
        case 10:
            return 10.0f;
        case 1:
        case 50:
            return 50.0f;
        case 2:
        case 25:
            return 25.0f;
        case 3:
        case 100:
            return 100.0f;
        default:
            return 50.0f;
    }
}

Error decodeRecord(std::span<const std::uint8_t> input, cBrixa& img)
{
    if (input.empty()) return Error::Empty;
    // A whole record is read in place. A short one decodes as if zero-filled, from
    // a copy in a buffer kept for the thread: a decode allocates nothing for its input.
    std::span<const std::uint8_t> buf = input.first(std::min(input.size(), kRecordSize));
    if (buf.size() < kRecordSize) {
        thread_local std::vector<std::uint8_t> padded(kRecordSize);
        // memcpy and memset, not element loops: under the fuzz build's checks a loop
        // over 154 KB cost more than the whole decode.
        std::memcpy(padded.data(), buf.data(), buf.size());
        std::memset(padded.data() + buf.size(), 0, kRecordSize - buf.size());
        buf = padded;
    }
    ByteReader r(buf);

    if (buf[Off::Magic] != 'Q' || buf[Off::Magic + 1] != 'V' || buf[Off::Magic + 2] != 'X')
        return Error::BadMagic;
    if (buf[Off::Version] == 0 && buf[Off::Version + 1] == 0) return Error::BadVersion;

    RecordFields& f = img.fields;
    f.version = {buf[Off::Version], buf[Off::Version + 1]};
    f.capture = readTime(r, Off::Capture);
    f.modified = readTime(r, Off::Modified);
    readBytes(r, Off::TextA, f.textA);
    f.scaleCode = buf[Off::ScaleCode];
    f.param56 = buf[Off::Param56];
    f.reflected = *r.u16le(Off::Reflected);
    f.palette = buf[Off::Palette];
    f.spanLow = *r.u16le(Off::SpanLow);
    f.spanHigh = *r.u16le(Off::SpanHigh);
    f.fallbackLow = *r.u16le(Off::FallbackLow);
    f.fallbackHigh = *r.u16le(Off::FallbackHigh);
    f.unit = buf[Off::Unit];
    readBytes(r, Off::Emissivity, f.emissivity, 11);
    readBytes(r, Off::Params80, f.params80);
    f.param86 = buf[Off::Param86];
    f.blueLower = *r.u16le(Off::BlueLower);
    f.blueUpper = *r.u16le(Off::BlueUpper);
    f.redLower = *r.u16le(Off::RedLower);
    f.redUpper = *r.u16le(Off::RedUpper);
    if (f.blueUpper == 0xFFFF) f.blueUpper = 0;
    if (f.redUpper == 0xFFFF) f.redUpper = 0;
    f.orientation = buf[Off::Orientation];
    readBytes(r, Off::Comments, f.comments);
    f.cursorCount = buf[Off::CursorCount];
    for (int i = 0; i < kMaxCursors; ++i) {
        f.cursorX[i] = *r.u16le(Off::CursorX + 2 * i);
        f.cursorY[i] = *r.u16le(Off::CursorY + 2 * i);
    }
    f.blend = buf[Off::Blend];
    f.flag394 = buf[Off::Flag394] ? 1 : 0;
    f.param395 = buf[Off::Param395];
    readBytes(r, Off::TextB, f.textB);
    readBytes(r, Off::TextC, f.textC, 20);
    f.textC[20] = 0;
    for (int i = 0; i < 5; ++i) readBytes(r, Off::Labels + 11 * i, f.labels[i]);
    readBytes(r, Off::Params503, f.params503);
    f.flagsA = buf[Off::FlagsA];
    f.flagsB = buf[Off::FlagsB];
    readBytes(r, Off::Params525, f.params525);
    f.alignX = *r.i16le(Off::AlignX);
    f.alignY = *r.i16le(Off::AlignY);
    f.savedAlignX = f.alignX;
    f.savedAlignY = f.alignY;

    const float scale = scaleForCode(f.scaleCode);
    const auto zeroValue = static_cast<std::uint16_t>(static_cast<int>(scale * 294.5));
    // The image's earlier pixel storage, when it has any, is filled again.
    std::vector<std::uint16_t> pixels = img.takeRawPixels();
    decodeRecordPixels(buf.subspan(Off::Pixels, std::size_t{kPixels} * 2), zeroValue, pixels);
    img.setRawPixels(std::move(pixels));
    return Error::None;
}

std::vector<std::uint8_t> encodeRecord(cBrixa& img, const LocalStamp& stamp)
{
    std::vector<std::uint8_t> out;
    encodeRecordInto(img, stamp, out);
    return out;
}

void encodeRecordInto(cBrixa& img, const LocalStamp& stamp, std::vector<std::uint8_t>& buf)
{
    const std::uint16_t* raw = img.rawPixels();
    if (!raw) {
        buf.clear();
        return;
    }
    // The pixel block, all but the first 533 bytes, is written whole below; only the
    // header, whose gaps between fields stay zero, is cleared. A reused buffer of the
    // right size is thereby not zero-filled first.
    buf.resize(kRecordSize);
    std::memset(buf.data(), 0, Off::Pixels);
    ByteWriter w(buf);
    RecordFields& f = img.fields;

    w.u32le(Off::Length, static_cast<std::uint32_t>(kRecordSize));
    w.u8(Off::Magic, 'Q');
    w.u8(Off::Magic + 1, 'V');
    w.u8(Off::Magic + 2, 'X');
    w.u16le(Off::Version, 3);

    w.u8(Off::Capture, f.capture.hour);
    w.u8(Off::Capture + 1, f.capture.minute);
    w.u8(Off::Capture + 2, f.capture.second);
    w.u8(Off::Capture + 3, f.capture.day);
    w.u8(Off::Capture + 4, f.capture.month);
    w.u16le(Off::Capture + 5, f.capture.year);

    RecordTime m;
    if (stamp.valid) {
        m.hour = static_cast<std::uint8_t>(stamp.hour);
        m.minute = static_cast<std::uint8_t>(stamp.minute);
        m.second = static_cast<std::uint8_t>(stamp.second);
        m.year = static_cast<std::uint16_t>(stamp.year);
        m.day = m.year ? static_cast<std::uint8_t>(stamp.day) : 0;
        m.month = m.year ? static_cast<std::uint8_t>(stamp.month) : 0;
    } else {
        m.hour = m.minute = m.second = 255;
        m.day = m.month = 0;
        m.year = 0;
    }
    f.modified = m;
    w.u8(Off::Modified, m.hour);
    w.u8(Off::Modified + 1, m.minute);
    w.u8(Off::Modified + 2, m.second);
    w.u8(Off::Modified + 3, m.day);
    w.u8(Off::Modified + 4, m.month);
    w.u16le(Off::Modified + 5, m.year);

    w.bytes(Off::TextA, f.textA);
    w.u8(Off::ScaleCode, f.scaleCode);
    w.u8(Off::Param56, f.param56);
    w.u16le(Off::Reflected, f.reflected);
    w.u8(Off::Palette, f.palette);
    w.u16le(Off::SpanLow, f.spanLow);
    w.u16le(Off::SpanHigh, f.spanHigh);
    w.u16le(Off::FallbackLow, f.fallbackLow);
    w.u16le(Off::FallbackHigh, f.fallbackHigh);
    w.u8(Off::Unit, f.unit);
    w.bytes(Off::Emissivity, f.emissivity);
    w.bytes(Off::Params80, f.params80);
    w.u8(Off::Param86, f.param86);
    w.u16le(Off::BlueLower, f.blueLower);
    w.u16le(Off::BlueUpper, f.blueUpper);
    w.u16le(Off::RedLower, f.redLower);
    w.u16le(Off::RedUpper, f.redUpper);
    w.u8(Off::Orientation, f.orientation);
    w.bytes(Off::Comments, f.comments);
    w.u8(Off::CursorCount, f.cursorCount);
    for (int i = 0; i < kMaxCursors; ++i) {
        w.u16le(Off::CursorX + 2 * i, f.cursorX[i]);
        w.u16le(Off::CursorY + 2 * i, f.cursorY[i]);
    }
    w.u8(Off::Blend, f.blend);
    w.u8(Off::Flag394, f.flag394 ? 1 : 0);
    w.u8(Off::Param395, f.param395);
    w.bytes(Off::TextB, f.textB);
    w.bytes(Off::TextC, std::span<const std::uint8_t>(f.textC.data(), 20));
    for (int i = 0; i < 5; ++i) w.bytes(Off::Labels + 11 * i, f.labels[i]);
    w.bytes(Off::Params503, f.params503);
    w.u8(Off::FlagsA, f.flagsA);
    w.u8(Off::FlagsB, f.flagsB);
    w.bytes(Off::Params525, f.params525);
    w.i16le(Off::AlignX, f.alignX);
    w.i16le(Off::AlignY, f.alignY);

    encodeRecordPixels(raw, std::span(buf).subspan(Off::Pixels, std::size_t{kPixels} * 2));
}

CALIVUE_PIXEL_LOOP IsothermBands defaultIsothermBands(const std::int32_t* image)
{
    int low = 0, high = 0;
    if (image) {
        // The counted value of a pixel below 1 is the one counted just before it.
        int lo = 65535, hi = -1;
        std::int32_t prev = 2730;
        for (int i = 0; i < kPixels; ++i) {
            std::int32_t v = image[i];
            if (v < 1) v = prev;
            prev = v;
            if (v >= 65535) continue;
            lo = std::min(lo, static_cast<int>(v));
            hi = std::max(hi, static_cast<int>(v));
        }
        if (hi >= 0) {
            low = lo;
            high = hi;
        }
    }
    int lo = low, hi = high;
    if (high - low <= 49) {
        int c = (low - high + 50) / 2;
        lo = low - c;
        hi = high + c;
    }
    const float range = static_cast<float>(hi - lo);
    // A band bound can only become negative for data within 25 counts of 0;
    // clamp so it never wraps to the top of the 16-bit range.
    auto bound = [&](double fraction) {
        long v = lo + static_cast<long>(fraction * range);
        return static_cast<std::uint16_t>(std::clamp<long>(v, 0, 65535));
    };
    return {bound(0.20), bound(0.25), bound(0.70), bound(0.75)};
}

}  // namespace calivue
