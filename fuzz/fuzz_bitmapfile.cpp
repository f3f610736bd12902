// Fuzz target for the .bmp reader: any bytes must load or fail cleanly, and a
// picture that loads must survive cutting, shrinking and a write/read round trip.
#include "core/bitmapfile.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    cBitmapFile bmp;
    if (bmp.LoadFromBytes(std::span<const std::uint8_t>(data, size)) != Error::None) {
        if (bmp.IsValid() || !bmp.pixels().empty()) std::abort();
        return 0;
    }
    const int w = bmp.width();
    const int h = bmp.height();
    if (w <= 0 || h <= 0 || bmp.pixels().size() != bmp.stride() * static_cast<std::size_t>(h))
        std::abort();

    // The whole picture, packed, must write and read back unchanged.
    auto whole = bmp.CutRegion(0, 0, w, h);
    if (!whole) std::abort();
    cBitmapFile again;
    if (again.LoadFromBytes(encodeBmp24(w, h, *whole)) != Error::None) std::abort();
    if (again.CutRegion(0, 0, w, h) != whole) std::abort();

    // Regions at the edges, and one just outside.
    if (!bmp.CutRegion(w / 2, h / 3, w, h)) std::abort();
    if (bmp.CutRegion(0, 0, w + 1, h)) std::abort();

    // Shrinking either succeeds with the expected size or leaves the picture alone.
    for (int n : {2, 3}) {
        cBitmapFile copy;
        if (copy.CreateFromPixels(w, h, *whole) != Error::None) std::abort();
        if (copy.Shrink(n) == Error::None) {
            if (copy.width() != w / n || copy.height() != h / n) std::abort();
        } else if (copy.width() != w || copy.height() != h) {
            std::abort();
        }
    }
    return 0;
}
