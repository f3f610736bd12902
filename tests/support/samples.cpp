#include "samples.h"

namespace calivue::test {

std::filesystem::path samplesDir()
{
    const std::filesystem::path p = CALIVUE_SAMPLES;
    std::error_code ec;
    return std::filesystem::exists(p / "IR_0001.QVX", ec) ? p : std::filesystem::path{};
}

}  // namespace calivue::test
