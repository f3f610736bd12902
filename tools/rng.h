// A small seeded random source whose sequence is the same on every platform and
// standard library (the distributions of <random> are not), so that one seed
// always gives byte-identical snapshots.
#pragma once

#include <cstdint>

namespace calivue::gen {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        // splitmix64
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1) with 53 bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [lo, hi].
    int between(int lo, int hi)
    {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }

private:
    std::uint64_t m_state;
};

// Position-keyed noise in [-1, 1]: the value of a pixel does not depend on the
// order in which pixels are visited.
inline double hashNoise(std::uint64_t seed, int x, int y, std::uint64_t channel = 0)
{
    Rng r(seed ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 20) ^
          (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y)) << 40) ^
          (channel * 0x51ED27ull));
    return r.uniform() * 2.0 - 1.0;
}

}  // namespace calivue::gen
