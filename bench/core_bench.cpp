// Speed of the thermal core: decoding, smoothing, rendering, blending, CSV.
#include "core/brixa.h"
#include "core/csvexport.h"
#include "core/record.h"
#include "core/render.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <sstream>

using namespace calivue;

namespace {

// A smooth scene with hot spots, encoded as a real record.
std::vector<std::uint8_t> sceneRecord()
{
    cBrixa img;
    img.fields.scaleCode = 10;
    img.fields.emissivity[10] = 95;
    img.fields.blueLower = 2950;
    img.fields.blueUpper = 2990;
    img.fields.redLower = 3300;
    img.fields.redUpper = 3400;
    std::vector<std::uint16_t> px(kPixels);
    for (int r = 0; r < kHeight; ++r)
        for (int x = 0; x < kWidth; ++x) {
            double v = 2930 + 0.5 * x + 0.3 * r;
            v += 600 * std::exp(-((x - 100.0) * (x - 100.0) + (r - 120.0) * (r - 120.0)) / 400.0);
            v += 300 * std::exp(-((x - 240.0) * (x - 240.0) + (r - 60.0) * (r - 60.0)) / 900.0);
            px[static_cast<std::size_t>(r) * kWidth + x] = static_cast<std::uint16_t>(v);
        }
    img.setRawPixels(std::move(px));
    return encodeRecord(img);
}

const std::vector<std::uint8_t>& record()
{
    static const std::vector<std::uint8_t> r = sceneRecord();
    return r;
}

cBrixa& loaded()
{
    static cBrixa img = [] {
        cBrixa i;
        i.loadFromBytes(record(), "bench.qvx");
        return i;
    }();
    return img;
}

// The document reloads into the one image it owns, as Open and Revert do.
void BM_DecodeAndBuildArrays(benchmark::State& state)
{
    cBrixa img;
    for (auto _ : state) benchmark::DoNotOptimize(img.loadFromBytes(record(), "bench.qvx"));
}
BENCHMARK(BM_DecodeAndBuildArrays)->Unit(benchmark::kMicrosecond);

void BM_Smooth(benchmark::State& state)
{
    cBrixa& img = loaded();
    for (auto _ : state) {
        img.smooth();
        benchmark::DoNotOptimize(img.hasImage());
    }
}
BENCHMARK(BM_Smooth)->Unit(benchmark::kMicrosecond);

// Interpolation, palette, both isotherms and a quarter turn into the display's
// reused buffer; the interpolation is redone each time, as a change of factor does.
void BM_Render(benchmark::State& state)
{
    const int f = static_cast<int>(state.range(0));
    cBrixa& img = loaded();
    std::vector<std::uint8_t> pic;
    for (auto _ : state) {
        img.dropInterpolation();
        img.renderInto(pic, f, 2950, 3500, 3, 1);
        benchmark::DoNotOptimize(pic.data());
    }
}
BENCHMARK(BM_Render)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_Blend(benchmark::State& state)
{
    const int mode = static_cast<int>(state.range(0));
    cBrixa& img = loaded();
    auto thermal = *img.renderUnoriented(kWidth, kHeight, 1, 2950, 3500, 0);
    std::vector<std::uint8_t> visual(thermal.size());
    for (std::size_t i = 0; i < visual.size(); ++i) visual[i] = static_cast<std::uint8_t>(i * 7);
    img.fields.alignX = 3;
    img.fields.alignY = -2;
    for (auto _ : state) {
        auto t = thermal;
        blendPictures(t, visual, mode, 1, img, 2950, 3500);
        benchmark::DoNotOptimize(t);
    }
    img.fields.alignX = img.fields.alignY = 0;
}
// Fixed mix, picture-in-picture window, and the two threshold classes.
BENCHMARK(BM_Blend)->Arg(50)->Arg(103)->Arg(160)->Arg(210)->Unit(benchmark::kMicrosecond);

void BM_CsvExport(benchmark::State& state)
{
    cBrixa& img = loaded();
    for (auto _ : state) {
        std::ostringstream out;
        writeCsv(img, out);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
