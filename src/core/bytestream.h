// Internal to the core layer.
// Sequential companions of ByteReader and ByteWriter, for formats that are one
// flat run of values with no offsets (the report project file). The reader
// never steps past its buffer: a value that does not fit in the bytes left is
// refused and the position stays where it was.
#pragma once

#include "core/bytecursor.h"

#include <bit>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace calivue {

class ByteStream {
public:
    explicit ByteStream(std::span<const std::uint8_t> bytes) : m_reader(bytes) {}

    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_reader.size() - m_pos; }
    bool atEnd() const { return remaining() == 0; }

    std::optional<std::uint8_t> u8() { return take(m_reader.u8(m_pos), 1); }
    std::optional<std::uint16_t> u16le() { return take(m_reader.u16le(m_pos), 2); }
    std::optional<std::uint32_t> u32le() { return take(m_reader.u32le(m_pos), 4); }
    std::optional<std::int32_t> i32le() { return take(m_reader.i32le(m_pos), 4); }
    std::optional<std::uint64_t> u64le()
    {
        const auto lo = m_reader.u32le(m_pos);
        const auto hi = m_reader.u32le(m_pos + 4);
        if (!lo || !hi) return std::nullopt;
        m_pos += 8;
        return static_cast<std::uint64_t>(*lo) | (static_cast<std::uint64_t>(*hi) << 32);
    }
    std::optional<float> f32le()
    {
        const auto v = u32le();
        if (!v) return std::nullopt;
        return std::bit_cast<float>(*v);
    }
    std::optional<double> f64le()
    {
        const auto v = u64le();
        if (!v) return std::nullopt;
        return std::bit_cast<double>(*v);
    }
    // A view of the next count bytes, or nothing when fewer remain.
    std::optional<std::span<const std::uint8_t>> bytes(std::size_t count)
    {
        return take(m_reader.bytes(m_pos, count), count);
    }

private:
    template <typename T>
    std::optional<T> take(std::optional<T> v, std::size_t count)
    {
        if (v) m_pos += count;
        return v;
    }

    ByteReader m_reader;
    std::size_t m_pos = 0;
};

// Appends little-endian values to a growing buffer.
class ByteSink {
public:
    void reserve(std::size_t n) { m_bytes.reserve(n); }
    void u8(std::uint8_t v) { m_bytes.push_back(v); }
    void u16le(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32le(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void i32le(std::int32_t v) { u32le(static_cast<std::uint32_t>(v)); }
    void u64le(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i) u8(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    // UTF-16 code units, low byte first, appended in one step.
    void u16array(std::span<const char16_t> units)
    {
        const std::size_t at = m_bytes.size();
        m_bytes.resize(at + 2 * units.size());
        std::uint8_t* out = m_bytes.data() + at;
        for (char16_t c : units) {
            *out++ = static_cast<std::uint8_t>(c & 0xFF);
            *out++ = static_cast<std::uint8_t>(c >> 8);
        }
    }
    void bytes(std::span<const std::uint8_t> b)
    {
        m_bytes.insert(m_bytes.end(), b.begin(), b.end());
    }
    void f32le(float v) { u32le(std::bit_cast<std::uint32_t>(v)); }
    void f64le(double v) { u64le(std::bit_cast<std::uint64_t>(v)); }

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace calivue
