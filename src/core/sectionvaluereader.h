// Internal to the core layer.
// Reading and writing the values of an extension section: every read through a bounds-checked
// stream, the first failure kept, texts as a u32 count of UTF-16 units then the units.
#pragma once

#include "core/bytestream.h"
#include "core/error.h"

#include <cmath>
#include <cstdint>
#include <span>
#include <string>

namespace calivue {

inline void putSectionText(ByteSink& out, std::u16string_view text)
{
    out.u32le(static_cast<std::uint32_t>(text.size()));
    out.u16array(std::span<const char16_t>(text.data(), text.size()));
}

class SectionValueReader {
public:
    explicit SectionValueReader(std::span<const std::uint8_t> data) : m_in(data) {}

    Error error() const { return m_error; }
    bool ok() const { return m_error == Error::None; }
    bool atEnd() const { return m_in.atEnd(); }
    std::size_t remaining() const { return m_in.remaining(); }
    void fail(Error e)
    {
        if (m_error == Error::None) m_error = e;
    }

    // Corrupted for a value above max.
    std::uint8_t u8(std::uint8_t max)
    {
        const auto v = m_in.u8();
        if (!v) fail(Error::Truncated);
        if (v && *v > max) fail(Error::Corrupted);
        return v && *v <= max ? *v : 0;
    }
    std::uint32_t u32()
    {
        const auto v = m_in.u32le();
        if (!v) fail(Error::Truncated);
        return v.value_or(0);
    }
    // Corrupted for a value that is not finite.
    double real()
    {
        const auto v = m_in.f64le();
        if (!v) fail(Error::Truncated);
        if (v && !std::isfinite(*v)) fail(Error::Corrupted);
        return v && std::isfinite(*v) ? *v : 0.0;
    }
    std::u16string text()
    {
        const std::uint32_t count = u32();
        // The count is checked against the bytes left before anything is allocated.
        if (!ok() || count > m_in.remaining() / 2) {
            fail(Error::Truncated);
            return {};
        }
        const auto bytes = m_in.bytes(std::size_t{count} * 2);
        std::u16string t(count, u'\0');
        for (std::size_t i = 0; i < count; ++i)
            t[i] = static_cast<char16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
        return t;
    }

private:
    ByteStream m_in;
    Error m_error = Error::None;
};

}  // namespace calivue
