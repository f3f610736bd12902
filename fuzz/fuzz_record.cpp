// Fuzz target for the snapshot record decoder and the array building that
// follows every successful load.
#include "core/brixa.h"
#include "core/record.h"

#include <cstdint>
#include <span>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    cBrixa img;
    if (decodeRecord(std::span<const std::uint8_t>(data, size), img) == Error::None)
        img.buildArrays();
    return 0;
}
