#include "core/archivetext.h"

#include "core/textcodec.h"

namespace calivue {

namespace {

constexpr std::uint16_t kUtf16Mark = 0xFFFE;

// The length escapes: one byte below FF, then FF + u16 below FFFF, then
// FFFF + u32 below FFFFFFFF, then FFFFFFFF + u64. The UTF-16 mark may come
// once, before the length proper; a second FFFE is the length 65534.
std::optional<std::uint64_t> readLength(ByteStream& in, bool& wide)
{
    wide = false;
    for (;;) {
        const auto b = in.u8();
        if (!b) return std::nullopt;
        if (*b < 0xFF) return *b;
        const auto w = in.u16le();
        if (!w) return std::nullopt;
        if (*w == kUtf16Mark && !wide) {
            wide = true;
            continue;
        }
        if (*w < 0xFFFF) return *w;
        const auto d = in.u32le();
        if (!d) return std::nullopt;
        if (*d < 0xFFFFFFFFu) return *d;
        return in.u64le();
    }
}

}  // namespace

Result<std::u16string> readArchiveText(ByteStream& in)
{
    bool wide = false;
    const auto length = readLength(in, wide);
    if (!length) return Error::Truncated;
    const std::size_t unit = wide ? 2 : 1;
    if (*length > in.remaining() / unit) return Error::Truncated;
    const auto count = static_cast<std::size_t>(*length);
    const auto bytes = in.bytes(count * unit);
    if (!bytes) return Error::Truncated;
    if (!wide) return cp1252ToUtf16(*bytes);
    std::u16string text(count, u'\0');
    for (std::size_t i = 0; i < count; ++i)
        text[i] = static_cast<char16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
    return text;
}

void writeArchiveText(ByteSink& out, std::u16string_view text)
{
    out.u8(0xFF);
    out.u16le(kUtf16Mark);
    const std::uint64_t n = text.size();
    if (n < 0xFF) {
        out.u8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        out.u8(0xFF);
        out.u16le(static_cast<std::uint16_t>(n));
    } else if (n < 0xFFFFFFFFu) {
        out.u8(0xFF);
        out.u16le(0xFFFF);
        out.u32le(static_cast<std::uint32_t>(n));
    } else {
        out.u8(0xFF);
        out.u16le(0xFFFF);
        out.u32le(0xFFFFFFFFu);
        out.u64le(n);
    }
    out.u16array(text);
}

}  // namespace calivue
