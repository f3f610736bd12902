// The Excel Output file: the temperature array of one snapshot as comma-separated
// text, 240 lines (picture row 0, the top, first) of 320 values each.
#pragma once

#include "core/brixa.h"
#include "core/fileio.h"
#include "core/error.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace calivue {

// Appends one value as "%0.03f, " formats it (three decimals, then ", ").
void appendCsvValue(std::string& out, float value);

// The whole file: each value is temperatureAt(column, array row, 1.0) in the
// image's unit, array row 239 first, every line ended by a single "\n".
// Empty when img holds no image.
std::string csvText(const cBrixa& img);

// Writes csvText to out. NotLoaded without an image; WriteFailed when the stream fails.
Error writeCsv(const cBrixa& img, std::ostream& out);

// Writes the file atomically, so a failed export never leaves a half-written file
// in place of an earlier one. NotLoaded without an image, WriteFailed otherwise,
// with failure (when given) saying why.
Error exportCsv(const cBrixa& img, const std::filesystem::path& path,
                FileFailure* failure = nullptr);

}  // namespace calivue
