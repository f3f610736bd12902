// Generated snapshot plans the document and application tests share. Header-only: the
// executables that include it link the generator.
#pragma once

#include "generator.h"

#include <cstdint>

namespace calivue::test {

// A plain generated scene without cursors or voice note, flags A and B as given.
inline gen::SnapshotPlan plainPlan(std::uint8_t flagsA = 0, std::uint8_t flagsB = 0)
{
    gen::SnapshotPlan plan = gen::demoPlan(7);
    plan.cursors.clear();
    plan.voice = false;
    plan.voiceName.clear();
    plan.flagsA = flagsA;
    plan.flagsB = flagsB;
    return plan;
}

}  // namespace calivue::test
