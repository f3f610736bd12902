// The demo snapshot and the varied series.
#include "generator.h"
#include "scenes.h"

#include <algorithm>
#include <array>

namespace calivue::gen {

namespace {

// Keeps the seeds of different snapshots and purposes apart.
std::uint64_t mixSeed(std::uint64_t seed, std::uint64_t salt)
{
    Rng r(seed ^ (salt * 0xD1B54A32D192ED03ull));
    return r.next();
}

RecordTime seededTime(Rng& rng)
{
    RecordTime t;
    t.year = static_cast<std::uint16_t>(rng.between(2004, 2024));
    t.month = static_cast<std::uint8_t>(rng.between(1, 12));
    t.day = static_cast<std::uint8_t>(rng.between(1, 28));
    t.hour = static_cast<std::uint8_t>(rng.between(7, 18));
    t.minute = static_cast<std::uint8_t>(rng.between(0, 59));
    t.second = static_cast<std::uint8_t>(rng.between(0, 59));
    return t;
}

RecordTime fixedTime(int y, int mo, int d, int h, int mi, int s)
{
    RecordTime t;
    t.year = static_cast<std::uint16_t>(y);
    t.month = static_cast<std::uint8_t>(mo);
    t.day = static_cast<std::uint8_t>(d);
    t.hour = static_cast<std::uint8_t>(h);
    t.minute = static_cast<std::uint8_t>(mi);
    t.second = static_cast<std::uint8_t>(s);
    return t;
}

template <typename T, std::size_t N>
T cycle(const std::array<T, N>& values, int index)
{
    return values[static_cast<std::size_t>(index) % N];
}

}  // namespace

SnapshotPlan demoPlan(std::uint64_t seed)
{
    Rng rng(mixSeed(seed, 0xDE));
    Layout l = buildLayout(SceneKind::Machine, rng);
    l.scene.textureSeed = rng.next();

    SnapshotPlan s;
    s.seed = seed;
    s.scene = std::move(l.scene);
    s.scaleCode = 0;
    s.unit = 0;
    s.emissivity = 95;
    s.reflectedC = 20.0;
    s.palette = 1;
    s.capture = seededTime(rng);
    s.cursors.assign(l.points.begin(), l.points.begin() + 3);
    s.caption = l.caption;
    s.comment = l.comments[0];
    s.labels = l.labels;
    s.voice = true;
    s.zeroPixels = 5;
    return s;
}

SnapshotPlan variedPlan(std::uint64_t seed, int index)
{
    index = std::max(index, 0);
    Rng rng(mixSeed(seed, 0x1000 + static_cast<std::uint64_t>(index)));
    const auto kind = static_cast<SceneKind>(index % kSceneKinds);
    Layout l = buildLayout(kind, rng);
    l.scene.textureSeed = rng.next();

    // Each property cycles with its own period, so a dozen snapshots already
    // cover every listed value and the combinations keep changing after that.
    static constexpr std::array<std::uint8_t, 9> kScaleCodes{0, 1, 2, 3, 7, 10, 50, 25, 100};
    static constexpr std::array<std::uint8_t, 5> kEmissivities{95, 90, 100, 98, 85};
    static constexpr std::array<std::uint8_t, 11> kBlends{0,   25,  50,  75,  100, 101,
                                                          102, 103, 104, 160, 210};
    static constexpr std::array<std::uint8_t, 10> kPalettes{1, 2, 0, 3, 4, 5, 6, 7, 9, 1};
    static constexpr std::array<std::uint8_t, 10> kFlagsA{0x03, 0x00, 0x04, 0x08, 0x0C,
                                                          0x30, 0x43, 0x83, 0xC3, 0x3F};
    static constexpr std::array<std::uint8_t, 4> kFlagsB{0x01, 0x00, 0x03, 0x02};
    static constexpr std::array<std::array<std::int16_t, 2>, 10> kAlign{
        {{0, 0}, {3, -2}, {-2, 1}, {0, 0}, {5, 4}, {-4, -3}, {0, 0}, {64, -64}, {-64, 64}, {1, 0}}};
    static constexpr std::array<double, 5> kReflected{20.0, 22.0, 15.0, 20.0, 25.0};
    static constexpr std::array<int, 7> kCursorCounts{3, 5, 10, 2, 4, 1, 0};
    static constexpr std::array<int, 4> kZeroPixels{5, 3, 8, 1};

    SnapshotPlan s;
    s.seed = mixSeed(seed, 0x2000 + static_cast<std::uint64_t>(index));
    s.scaleCode = cycle(kScaleCodes, index);
    s.unit = static_cast<std::uint8_t>(index % 3);
    s.emissivity = cycle(kEmissivities, index);
    s.reflectedC = kind == SceneKind::Facade ? -8.0 : cycle(kReflected, index);
    s.palette = cycle(kPalettes, index);
    s.blend = cycle(kBlends, index);
    s.orientation = static_cast<std::uint8_t>((index + index / 4) % 4);
    s.alignX = cycle(kAlign, index)[0];
    s.alignY = cycle(kAlign, index)[1];
    s.flagsA = cycle(kFlagsA, index);
    s.flagsB = kFlagsB[static_cast<std::size_t>(index / 3) % kFlagsB.size()];
    s.flag394 = index % 2 == 1;
    s.cameraBytes = index % 2 == 1;
    s.visibleSpan = index % 6 != 5;
    s.explicitIsotherms = index % 3 == 1;
    s.zeroPixels = cycle(kZeroPixels, index);

    switch (index % 6) {
        case 1:
            s.capture = fixedTime(1999, 12, 31, 23, 22, 49);
            break;  // camera clock never set
        case 3:
            s.capture = fixedTime(2008, 2, 29, 12, 0, 0);
            break;
        case 5:
            s.capture = fixedTime(2000, 1, 1, 0, 0, 0);
            break;
        default:
            s.capture = seededTime(rng);
            break;
    }

    const int wanted = cycle(kCursorCounts, index);
    for (int i = 0; i < wanted; ++i) {
        if (i < static_cast<int>(l.points.size())) {
            s.cursors.push_back(l.points[static_cast<std::size_t>(i)]);
        } else {
            s.cursors.push_back(
                {rng.between(4, 315), rng.between(4, 235), i % 3 == 0 ? rng.between(50, 99) : 0});
        }
    }

    s.scene = std::move(l.scene);
    s.caption = l.caption;
    s.comment = l.comments[static_cast<std::size_t>(index / kSceneKinds) % l.comments.size()];
    if (kind == SceneKind::Panel) s.comment = l.comments[1];  // a 0xB0 early in the series
    s.labels = l.labels;
    s.textA = "IR320 FW 2.14";
    return s;
}

}  // namespace calivue::gen
