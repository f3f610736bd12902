#include "core/interpolate.h"

#include "core/brixa.h"

#include <cmath>

namespace calivue {

namespace {

double kernel(double d)
{
    d = std::fabs(d);
    if (d <= 1.0) return 1.5 * d * d * d - 2.5 * d * d + 1.0;
    if (d < 2.0) return -0.5 * d * d * d + 2.5 * d * d - 4.0 * d + 2.0;
    return 0.0;
}

int roundHalfAway(double v)
{
    return static_cast<int>(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

// One output row of the vertical pass. Every term is an integer far below 2^53,
// so the double arithmetic is exact in any order or vector width; the clones let
// machines with wider vectors use them. Not under ThreadSanitizer: the clones' resolver
// runs while the program is being loaded, before the sanitizer's runtime is set up, and
// its instrumented code crashes there.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx2", "default")))
#endif
void verticalRow(const double* r0, const double* r1, const double* r2, const double* r3, double a,
                 double b, double c, double d, std::int32_t* dst, int n)
{
    constexpr double kInv = 1.0 / 4194304.0;
    for (int x = 0; x < n; ++x)
        dst[x] = static_cast<std::int32_t>((a * r0[x] + b * r1[x] + c * r2[x] + d * r3[x]) * kInv);
}

}  // namespace

std::array<int, 4> catmullRomWeights(int k, int f)
{
    const double t = static_cast<double>(k) / f;
    std::array<int, 4> w{roundHalfAway(kernel(1.0 + t) * 2048.0), roundHalfAway(kernel(t) * 2048.0),
                         roundHalfAway(kernel(1.0 - t) * 2048.0),
                         roundHalfAway(kernel(2.0 - t) * 2048.0)};
    const int remainder = 2048 - (w[0] + w[1] + w[2] + w[3]);
    // The rounding remainder goes to the nearer middle neighbour so that a
    // uniform area stays uniform at every factor.
    w[2 * k < f ? 1 : 2] += remainder;
    return w;
}

std::vector<std::int32_t> interpolateArray(const std::int32_t* src, int width, int height, int f)
{
    std::vector<std::int32_t> out;
    std::vector<double> scratch;
    interpolateInto(src, width, height, f, out, scratch);
    return out;
}

bool interpolateInto(const std::int32_t* src, int width, int height, int f,
                     std::vector<std::int32_t>& out, std::vector<double>& horiz)
{
    if (!src || width <= 0 || height <= 0 || f < 1 || f > kMaxInterpolation) return false;
    const int outW = width * f, outH = height * f;
    if (f == 1) {
        // Copied straight in: no zero fill first.
        out.assign(src, src + static_cast<std::size_t>(width) * height);
        return true;
    }
    out.resize(static_cast<std::size_t>(outW) * outH);
    std::array<std::array<double, 4>, kMaxInterpolation> w{};
    for (int k = 0; k < f; ++k) {
        const auto wi = catmullRomWeights(k, f);
        for (int m = 0; m < 4; ++m) w[k][m] = wi[m];
    }
    auto clampI = [](int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };

    // Horizontal pass: every source row widened to outW values. All values are
    // integers far below 2^53, so double arithmetic is exact and vectorises.
    horiz.resize(static_cast<std::size_t>(outW) * height);
    for (int y = 0; y < height; ++y) {
        const std::int32_t* row = src + static_cast<std::size_t>(y) * width;
        double* dst = horiz.data() + static_cast<std::size_t>(y) * outW;
        for (int x = 0; x < width; ++x) {
            const double v0 = row[clampI(x - 1, width - 1)], v1 = row[x];
            const double v2 = row[clampI(x + 1, width - 1)], v3 = row[clampI(x + 2, width - 1)];
            for (int k = 0; k < f; ++k)
                dst[x * f + k] = w[k][0] * v0 + w[k][1] * v1 + w[k][2] * v2 + w[k][3] * v3;
        }
    }
    // Vertical pass and the single truncating division by 2^22.
    for (int y = 0; y < height; ++y) {
        const double* r0 =
            horiz.data() + static_cast<std::size_t>(clampI(y - 1, height - 1)) * outW;
        const double* r1 = horiz.data() + static_cast<std::size_t>(y) * outW;
        const double* r2 =
            horiz.data() + static_cast<std::size_t>(clampI(y + 1, height - 1)) * outW;
        const double* r3 =
            horiz.data() + static_cast<std::size_t>(clampI(y + 2, height - 1)) * outW;
        for (int l = 0; l < f; ++l) {
            verticalRow(r0, r1, r2, r3, w[l][0], w[l][1], w[l][2], w[l][3],
                        out.data() + static_cast<std::size_t>(y * f + l) * outW, outW);
        }
    }
    return true;
}

const std::vector<std::int32_t>* cBrixa::interpolate(int width, int height, int f)
{
    if (width != kWidth || height != kHeight) return nullptr;
    return interpolated(f);
}

const std::vector<std::int32_t>* cBrixa::interpolated(int f) const
{
    if (f <= 0 || f > kMaxInterpolation || !m_loaded || m_image.empty() || m_interpolating)
        return nullptr;
    m_interpolating = true;
    interpolateInto(m_image.data(), kWidth, kHeight, f, m_interpolated, m_scratch);
    m_interpolatedFactor = f;
    m_transposedFactor = 0;  // the quarter-turn copy follows the next render
    m_interpolating = false;
    return &m_interpolated;
}

}  // namespace calivue
