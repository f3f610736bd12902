// Fuzz target for the visual photograph file: any bytes must load or fail
// cleanly, and a loaded file must save and reload to the same fields and bytes.
#include "core/tolla.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace calivue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    cTolla t;
    if (t.loadFromBytes(std::span<const std::uint8_t>(data, size)) != Error::None) {
        if (t.isLoaded() || !t.buffer().empty() || !t.encode().empty()) std::abort();
        return 0;
    }
    const auto saved = t.encode();
    if (saved.size() != kTollaSize) std::abort();

    cTolla again;
    if (again.loadFromBytes(saved) != Error::None) std::abort();
    // The writer always puts version 1.3; every other field must come back.
    TollaFields expected = t.fields;
    expected.version = {1, 3};
    if (!(again.fields == expected)) std::abort();
    if (again.encode() != saved) std::abort();

    // Nudging never takes an offset from inside -64..+64 to outside it.
    const bool inside = again.fields.alignX >= -64 && again.fields.alignX <= 64;
    for (std::size_t i = 0; i < 200; ++i) {
        again.nudgeAlignment(true, (data[i % size] & 1) ? 1 : -1);
        if (inside && (again.fields.alignX < -64 || again.fields.alignX > 64)) std::abort();
    }
    return 0;
}
