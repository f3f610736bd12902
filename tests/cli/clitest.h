// Helpers for the calivue-cli tests: running the tool in-process, a fixture with its own
// temporary folder, and synthetic snapshot files written through the real encoder.
#pragma once

#include "cli/commands.h"
#include "core/bitmapfile.h"
#include "core/brixa.h"
#include "core/record.h"
#include "files.h"
#include "images.h"
#include "samples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace calivue::clitest {

namespace fs = std::filesystem;

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

inline CliResult runCli(std::vector<std::string> args)
{
    args.insert(args.begin(), "calivue-cli");
    std::ostringstream out, err;
    CliResult r;
    r.code = cli::run(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// The failure contract: non-zero exit, exactly one line on stderr.
inline ::testing::AssertionResult failsWithOneLine(const CliResult& r)
{
    if (r.code == 0) return ::testing::AssertionFailure() << "exit 0, stderr: " << r.err;
    if (r.err.empty() || r.err.back() != '\n' || r.err.find('\n') != r.err.size() - 1)
        return ::testing::AssertionFailure() << "stderr is not one line: [" << r.err << "]";
    return ::testing::AssertionSuccess();
}

using test::readAll;
using test::setText;
using test::writeAll;

// Record bytes for a scene value(x, array row) at scale 10 with the given fields.
inline std::vector<std::uint8_t> recordBytes(const std::function<int(int, int)>& value,
                                             const std::function<void(RecordFields&)>& setup = {})
{
    cBrixa src;
    src.fields.version = {3, 0};
    src.fields.scaleCode = 0;
    src.fields.spanLow = 2900;
    src.fields.spanHigh = 3100;
    // Stored bands keep the loader from deriving its own.
    src.fields.blueLower = 2950;
    src.fields.blueUpper = 2960;
    src.fields.redLower = 3050;
    src.fields.redUpper = 3060;
    if (setup) setup(src.fields);
    return test::sceneRecord(src, value);
}

// A 640 × 240 camera bitmap: left half one colour, right half (the visual photo) another.
inline std::vector<std::uint8_t> cameraBitmap(std::array<std::uint8_t, 3> leftBgr,
                                              std::array<std::uint8_t, 3> rightBgr)
{
    std::vector<std::uint8_t> px(static_cast<std::size_t>(640) * 240 * 3);
    for (std::size_t i = 0; i < px.size() / 3; ++i) {
        const auto& c = (i % 640) < 320 ? leftBgr : rightBgr;
        std::copy(c.begin(), c.end(), px.begin() + static_cast<std::ptrdiff_t>(i * 3));
    }
    return encodeBmp24(640, 240, px);
}

using calivue::test::samplesDir;

class CliTest : public ::testing::Test {
protected:
    std::string path(const std::string& rel) const { return (m_dir / rel).string(); }

    test::TempDir m_tmp{"calivue_cli_"};
    const fs::path m_dir = m_tmp.path();
};

}  // namespace calivue::clitest
