#include "core/tolla.h"

#include "core/bytecursor.h"

#include <algorithm>

namespace calivue {

namespace {

// Offsets of the metadata block.
constexpr std::size_t kMagic = 54;  // "ZPQ"
constexpr std::size_t kVersion = 57;
constexpr std::size_t kHour = 59;
constexpr std::size_t kMinute = 60;
constexpr std::size_t kSecond = 61;
constexpr std::size_t kDay = 62;
constexpr std::size_t kMonth = 63;
constexpr std::size_t kYear = 64;
constexpr std::size_t kParam66 = 66;
constexpr std::size_t kParam67 = 67;
constexpr std::size_t kParam69 = 69;
constexpr std::size_t kParam71 = 71;
constexpr std::size_t kAlignX = 72;
constexpr std::size_t kAlignY = 74;
constexpr std::size_t kParam76 = 76;

constexpr std::uint8_t kMagicBytes[3] = {0x5A, 0x50, 0x51};
// Some files carry this value at offset 69 where 2882 is meant.
constexpr std::uint16_t kBadParam69 = 0x7283;
constexpr std::uint16_t kParam69Replacement = 2882;

}  // namespace

cTolla::cTolla(const std::filesystem::path& path)
{
    load(path);
}

void cTolla::reset()
{
    fields = TollaFields{};
    std::vector<std::uint8_t>().swap(m_buffer);
    m_path.clear();
    m_text.clear();
    m_loaded = false;
}

Error cTolla::load(const std::filesystem::path& path)
{
    reset();
    CArchive ar(CArchive::Mode::Load, path);
    return serialize(ar);
}

Error cTolla::loadFromBytes(std::span<const std::uint8_t> bytes)
{
    reset();
    if (bytes.empty()) return Error::Empty;

    // A short file reads as if zero-filled to the full size.
    std::vector<std::uint8_t> buffer(kTollaSize, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kTollaSize), buffer.begin());
    ByteReader r(buffer);

    auto magic = r.bytes(kMagic, 3);
    if (!magic || !std::equal(magic->begin(), magic->end(), kMagicBytes)) return Error::BadMagic;
    TollaFields f;
    f.version = {r.u8(kVersion).value_or(0), r.u8(kVersion + 1).value_or(0)};
    if (f.version[0] == 0 && f.version[1] == 0) return Error::BadVersion;

    // The buffer has the full size, so every read below succeeds.
    f.hour = *r.u8(kHour);
    f.minute = *r.u8(kMinute);
    f.second = *r.u8(kSecond);
    f.day = std::max<std::uint8_t>(*r.u8(kDay), 1);
    f.month = std::max<std::uint8_t>(*r.u8(kMonth), 1);
    f.year = *r.u16le(kYear);
    if (f.year == 0 || f.year > 3000) f.year = 2000;
    f.param66 = *r.u8(kParam66);
    f.param67 = *r.u16le(kParam67);
    f.param69 = *r.u16le(kParam69);
    if (f.param69 == kBadParam69) f.param69 = kParam69Replacement;
    f.param71 = *r.u8(kParam71);
    f.alignX = *r.i16le(kAlignX);
    f.alignY = *r.i16le(kAlignY);
    f.param76 = *r.u8(kParam76);

    fields = f;
    m_buffer = std::move(buffer);
    m_loaded = true;
    return Error::None;
}

Error cTolla::serialize(CArchive& ar)
{
    if (ar.isStoring()) {
        auto bytes = encode();
        if (bytes.empty()) return Error::NotLoaded;
        ar.write(bytes);
        return Error::None;
    }
    auto bytes = ar.readUpTo(kTollaSize);
    if (!bytes) {
        reset();
        m_path = ar.path();
        return bytes.error();
    }
    const Error e = loadFromBytes(*bytes);
    m_path = ar.path();
    return e;
}

std::vector<std::uint8_t> cTolla::encode() const
{
    if (!m_loaded || m_buffer.size() != kTollaSize) return {};
    std::vector<std::uint8_t> out = m_buffer;
    ByteWriter w(out);
    w.bytes(kMagic, kMagicBytes);
    // The version is always written as 1.3, whatever was read.
    w.u8(kVersion, 1);
    w.u8(kVersion + 1, 3);
    w.u8(kHour, fields.hour);
    w.u8(kMinute, fields.minute);
    w.u8(kSecond, fields.second);
    w.u8(kDay, fields.day);
    w.u8(kMonth, fields.month);
    w.u16le(kYear, fields.year);
    w.u8(kParam66, fields.param66);
    w.u16le(kParam67, fields.param67);
    w.u16le(kParam69, fields.param69);
    w.u8(kParam71, fields.param71);
    w.i16le(kAlignX, fields.alignX);
    w.i16le(kAlignY, fields.alignY);
    w.u8(kParam76, fields.param76);
    if (w.overflowed()) return {};
    return out;
}

Error cTolla::save(const std::filesystem::path& path, FileFailure* failure)
{
    // Checked before the target is touched: saving nothing must not clobber a file.
    if (!m_loaded) return Error::NotLoaded;
    // What serialize would queue, written straight through the checked atomic writer so a
    // failure keeps the file and the system's reason.
    const std::vector<std::uint8_t> bytes = encode();
    if (bytes.empty()) return Error::NotLoaded;
    if (Error e = writeFileAtomically(path, bytes, failure); e != Error::None) return e;
    m_path = path;
    return Error::None;
}

bool cTolla::nudgeAlignment(bool horizontal, int direction)
{
    std::int16_t& offset = horizontal ? fields.alignX : fields.alignY;
    if (direction == 1 && offset < 64) {
        ++offset;
        return true;
    }
    if (direction == -1 && offset >= -63) {
        --offset;
        return true;
    }
    return false;
}

}  // namespace calivue
