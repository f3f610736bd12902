// The colour of a repair priority (1 least urgent .. 5 most urgent), one set for the window's
// finding and the printed report, so a class reads the same in both.
#pragma once

#include <QColor>

namespace calivue {

// Priorities 1-5 run from green through yellow and orange to red; 0 (no exception) and any
// other value give dark grey.
QColor severityColour(int priority);

}  // namespace calivue
