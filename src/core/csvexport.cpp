#include "core/csvexport.h"

#include "core/constants.h"
#include "core/fileio.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

namespace calivue {

namespace {

// Longest text one value can take: sign, 39 integer digits, ".000, ".
constexpr std::size_t kMaxValueText = 48;

// Exact "%0.03f" of a float below 1e9 in magnitude: the float is m / 2^shift with
// an integer m below 2^24, so value · 1000 is the integer m · 1000 shifted, and
// the rounding to three decimals (to nearest, ties to even, as printf does) is
// done on integers. Returns null for values this path does not cover.
char* formatFixed3(char* p, float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const int expField = static_cast<int>((bits >> 23) & 0xFFu);
    if (expField >= 157) return nullptr;  // 2^30 and above, infinities and NaN
    const std::uint32_t m = (bits & 0x7FFFFFu) | (expField != 0 ? 0x800000u : 0u);
    const int shift = expField != 0 ? 150 - expField : 149;
    const std::uint64_t n = std::uint64_t{m} * 1000u;  // below 2^34
    std::uint64_t q = 0;
    if (shift <= 0) {
        q = n << -shift;
    } else if (shift < 64) {
        q = n >> shift;
        const std::uint64_t rem = n & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rem > half || (rem == half && (q & 1u))) ++q;
    }  // else: below 2^-29, far under half a thousandth, so q stays 0
    if (bits >> 31) *p++ = '-';
    p = std::to_chars(p, p + 24, q / 1000u).ptr;
    const auto frac = static_cast<unsigned>(q % 1000u);
    p[0] = '.';
    p[1] = static_cast<char>('0' + frac / 100);
    p[2] = static_cast<char>('0' + frac / 10 % 10);
    p[3] = static_cast<char>('0' + frac % 10);
    p[4] = ',';
    p[5] = ' ';
    return p + 6;
}

// Writes one value and its ", " at p (room for kMaxValueText bytes); returns the end.
char* formatCsvValue(char* p, float value)
{
    if (char* end = formatFixed3(p, value)) return end;
    char buf[kMaxValueText + 16];
    const int n = std::snprintf(buf, sizeof buf, "%0.03f, ", static_cast<double>(value));
    const std::size_t len =
        n > 0 ? std::min<std::size_t>(static_cast<std::size_t>(n), kMaxValueText) : 0;
    std::memcpy(p, buf, len);
    return p + len;
}

}  // namespace

void appendCsvValue(std::string& out, float value)
{
    char buf[kMaxValueText];
    out.append(buf, formatCsvValue(buf, value));
}

std::string csvText(const cBrixa& img)
{
    std::string out;
    if (img.hasImage() == nullptr) return out;
    // Typical values take 8 to 10 characters; longer ones only grow the string.
    out.reserve(static_cast<std::size_t>(kPixels) * 10 + kHeight);
    std::vector<char> line(static_cast<std::size_t>(kWidth) * kMaxValueText + 1);
    for (int row = kHeight - 1; row >= 0; --row) {
        char* p = line.data();
        for (int x = 0; x < kWidth; ++x) p = formatCsvValue(p, img.temperatureAt(x, row, 1.0f));
        *p++ = '\n';
        out.append(line.data(), p);
    }
    return out;
}

Error writeCsv(const cBrixa& img, std::ostream& out)
{
    if (img.hasImage() == nullptr) return Error::NotLoaded;
    const std::string text = csvText(img);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? Error::None : Error::WriteFailed;
}

Error exportCsv(const cBrixa& img, const std::filesystem::path& path, FileFailure* failure)
{
    if (img.hasImage() == nullptr) return Error::NotLoaded;
    const std::string text = csvText(img);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return writeFileAtomically(path, std::span<const std::uint8_t>(bytes, text.size()), failure);
}

}  // namespace calivue
