// Fuzz target for the snapshot record decoder alone (fast: no arrays, no render).
// Decodes, encodes, decodes the encoding again and checks that nothing changed:
// the second encoding equals the first and the raw pixels are the same. A
// mismatch aborts, so the fuzzer keeps the input.
#include "core/brixa.h"
#include "core/record.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fixed stamp: the encoder writes the modified time into the record.
    const LocalStamp stamp{true, 10, 20, 30, 6, 5, 2012};
    // Kept across inputs so that their storage is filled again rather than
    // allocated (and zeroed) anew for every input; reset() gives each input the
    // state of a fresh image.
    static cBrixa first, second;
    static std::vector<std::uint8_t> encoded, again;
    first.reset();
    second.reset();
    if (decodeRecord(std::span<const std::uint8_t>(data, size), first) != Error::None) return 0;
    encodeRecordInto(first, stamp, encoded);
    if (encoded.size() != kRecordSize) std::abort();

    if (decodeRecord(encoded, second) != Error::None) std::abort();
    encodeRecordInto(second, stamp, again);
    if (again != encoded) std::abort();
    const std::uint16_t* a = first.rawPixels();
    const std::uint16_t* b = second.rawPixels();
    if (a == nullptr || b == nullptr || !std::equal(a, a + kPixels, b)) std::abort();
    return 0;
}
