// Catmull-Rom (cubic convolution) enlargement of the image array in 11-bit
// fixed point. Exposed for tests and benchmarks; cBrixa::interpolate uses it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace calivue {

// The four neighbour weights (x0 − 1 … x0 + 2) for sub-position k of f, in
// units of 1/2048; they always sum to 2048.
std::array<int, 4> catmullRomWeights(int k, int f);

// Enlarges a width × height array by f (1–8). Each source cell (x0, y0) fills
// the f × f block at row f·y0, column f·x0; neighbours outside repeat the border.
// Each value is (Σ Wy · Σ Wx · v) / 2^22, truncated toward zero once.
std::vector<std::int32_t> interpolateArray(const std::int32_t* src, int width, int height, int f);

// The same into caller-kept buffers, so repeated renders reuse their memory.
// Returns false (and leaves out alone) for arguments interpolateArray refuses.
bool interpolateInto(const std::int32_t* src, int width, int height, int f,
                     std::vector<std::int32_t>& out, std::vector<double>& scratch);

}  // namespace calivue
