// Fuzz target for the whole snapshot pipeline (slow: a whole load with its arrays
// and a render per input). The load (decode, arrays, default isotherm bands) and
// what a viewer does next with whatever the fields say: readings, ranges and a
// render at the record's own span, palette and orientation. One image is reused,
// as the document reuses its own.
#include "core/brixa.h"
#include "core/record.h"

#include <cstdint>
#include <span>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static cBrixa img;
    if (img.loadFromBytes(std::span<const std::uint8_t>(data, size), "fuzz.qvx") != Error::None)
        return 0;
    for (int m = 0; m < kMarkerCount; ++m) img.markerTemperature(m);
    int low = 0, high = 0;
    img.spanRange(low, high);
    img.fullRange(low, high);
    static std::vector<std::uint8_t> picture;  // its storage reused, as a view reuses its own
    img.renderInto(picture, 1, img.fields.spanLow, img.fields.spanHigh, 3, img.fields.orientation);
    return 0;
}
