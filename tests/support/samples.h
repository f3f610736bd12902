// The folder of real sample snapshots that tests use when this checkout has them.
#pragma once

#include <filesystem>

namespace calivue::test {

// The samples folder, or an empty path when it (or its first record) is absent, so the
// tests that need it can skip.
std::filesystem::path samplesDir();

}  // namespace calivue::test
