// Loaded images for tests, built from a value function and passed through a real encode and
// decode; and errors printed by name in failed expectations.
#pragma once

#include "core/brixa.h"
#include "core/error.h"
#include "core/record.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace calivue {
// Lets failed expectations name the error instead of dumping its bytes.
inline void PrintTo(Error e, std::ostream* os)
{
    *os << describe(e);
}
}  // namespace calivue

namespace calivue::test {

// The record bytes of `src`, its fields as the caller set them, with the array value
// value(x, array row) at each pixel.
inline std::vector<std::uint8_t> sceneRecord(cBrixa& src, const std::function<int(int, int)>& value)
{
    std::vector<std::uint16_t> px(kPixels);
    for (int row = 0; row < kHeight; ++row)
        for (int x = 0; x < kWidth; ++x)
            px[static_cast<std::size_t>(row) * kWidth + x] =
                static_cast<std::uint16_t>(value(x, row));
    src.setRawPixels(std::move(px));
    return encodeRecord(src);
}

// A loaded image whose array value at (x, array row) is value(x, row), passed
// through a real encode and decode so the result is what a file would give.
inline std::unique_ptr<cBrixa> makeImage(const std::function<int(int, int)>& value,
                                         const std::function<void(RecordFields&)>& setup = {})
{
    cBrixa src;
    src.fields.scaleCode = 10;  // 10 counts per kelvin unless the test says otherwise
    if (setup) setup(src.fields);
    const auto bytes = sceneRecord(src, value);
    auto img = std::make_unique<cBrixa>();
    if (img->loadFromBytes(bytes, "mem.qvx") != Error::None) return nullptr;
    return img;
}

inline std::unique_ptr<cBrixa> makeUniform(int v,
                                           const std::function<void(RecordFields&)>& setup = {})
{
    return makeImage([v](int, int) { return v; }, setup);
}

}  // namespace calivue::test
