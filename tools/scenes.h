// The scene layouts the presets draw from: each places a few objects with a
// little seeded jitter and names the points worth a measurement cursor.
#pragma once

#include "generator.h"
#include "rng.h"

#include <string>
#include <vector>

namespace calivue::gen {

enum class SceneKind { Machine, Panel, Facade, Pipework };
inline constexpr int kSceneKinds = 4;

struct Layout {
    Scene scene;
    std::vector<CursorPlan> points;  // most interesting first
    std::string caption;
    std::vector<std::string> comments;  // alternatives, Latin-1
    std::vector<std::string> labels;
};

Layout buildLayout(SceneKind kind, Rng& rng);

}  // namespace calivue::gen
