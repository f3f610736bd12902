// Internal to the core layer.
// Bounds-checked little/big-endian readers and writers over byte buffers.
// Every binary format of the program reads through ByteReader so that a short or
// hostile file can never make a decoder step outside its buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace calivue {

// Reads at absolute offsets. Each accessor returns an empty optional when the
// requested bytes lie (even partly) outside the buffer.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    bool has(std::size_t offset, std::size_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    std::optional<std::uint8_t> u8(std::size_t off) const
    {
        if (!has(off, 1)) return std::nullopt;
        return m_bytes[off];
    }
    std::optional<std::uint16_t> u16le(std::size_t off) const
    {
        if (!has(off, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(m_bytes[off] | (m_bytes[off + 1] << 8));
    }
    std::optional<std::uint16_t> u16be(std::size_t off) const
    {
        if (!has(off, 2)) return std::nullopt;
        return static_cast<std::uint16_t>((m_bytes[off] << 8) | m_bytes[off + 1]);
    }
    std::optional<std::int16_t> i16le(std::size_t off) const
    {
        auto v = u16le(off);
        if (!v) return std::nullopt;
        return static_cast<std::int16_t>(*v);
    }
    std::optional<std::uint32_t> u32le(std::size_t off) const
    {
        if (!has(off, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(m_bytes[off]) |
               (static_cast<std::uint32_t>(m_bytes[off + 1]) << 8) |
               (static_cast<std::uint32_t>(m_bytes[off + 2]) << 16) |
               (static_cast<std::uint32_t>(m_bytes[off + 3]) << 24);
    }
    std::optional<std::int32_t> i32le(std::size_t off) const
    {
        auto v = u32le(off);
        if (!v) return std::nullopt;
        return static_cast<std::int32_t>(*v);
    }
    // A view of count bytes at off, or an empty optional when out of range.
    std::optional<std::span<const std::uint8_t>> bytes(std::size_t off, std::size_t count) const
    {
        if (!has(off, count)) return std::nullopt;
        return m_bytes.subspan(off, count);
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

// Writes at absolute offsets into a caller-owned buffer; writes that would run
// past its end are dropped and remembered, so an encoder can assert it stayed inside.
class ByteWriter {
public:
    explicit ByteWriter(std::span<std::uint8_t> bytes) : m_bytes(bytes) {}

    bool overflowed() const { return m_overflow; }
    void u8(std::size_t off, std::uint8_t v)
    {
        if (ok(off, 1)) m_bytes[off] = v;
    }
    void u16le(std::size_t off, std::uint16_t v)
    {
        if (!ok(off, 2)) return;
        m_bytes[off] = static_cast<std::uint8_t>(v & 0xFF);
        m_bytes[off + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void u16be(std::size_t off, std::uint16_t v)
    {
        if (!ok(off, 2)) return;
        m_bytes[off] = static_cast<std::uint8_t>(v >> 8);
        m_bytes[off + 1] = static_cast<std::uint8_t>(v & 0xFF);
    }
    void i16le(std::size_t off, std::int16_t v) { u16le(off, static_cast<std::uint16_t>(v)); }
    void u32le(std::size_t off, std::uint32_t v)
    {
        if (!ok(off, 4)) return;
        for (int i = 0; i < 4; ++i) m_bytes[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void i32le(std::size_t off, std::int32_t v) { u32le(off, static_cast<std::uint32_t>(v)); }
    void bytes(std::size_t off, std::span<const std::uint8_t> src)
    {
        if (!ok(off, src.size())) return;
        if (!src.empty()) std::memcpy(m_bytes.data() + off, src.data(), src.size());
    }

private:
    bool ok(std::size_t off, std::size_t count)
    {
        bool inside = off <= m_bytes.size() && count <= m_bytes.size() - off;
        if (!inside) m_overflow = true;
        return inside;
    }
    std::span<std::uint8_t> m_bytes;
    bool m_overflow = false;
};

// Adds two sizes, or returns an empty optional when the sum would overflow.
inline std::optional<std::size_t> checkedAdd(std::size_t a, std::size_t b)
{
    if (a > SIZE_MAX - b) return std::nullopt;
    return a + b;
}

// Multiplies two sizes, or returns an empty optional when the product would overflow.
inline std::optional<std::size_t> checkedMul(std::size_t a, std::size_t b)
{
    if (a != 0 && b > SIZE_MAX / a) return std::nullopt;
    return a * b;
}

}  // namespace calivue
