// The colour of a repair priority, as the window and the printed report show a severity class
// and the priority it gives: from green (1) through amber and orange to red (5). Each colour is
// dark enough to read as text on white paper.
#pragma once

#include <QColor>

namespace calivue {

// Priority 1-5 as a colour; any other value (0: no exception) gives an invalid QColor, which
// callers read as "no colour".
QColor severityColour(int priority);

}  // namespace calivue
