// The tool bar's button pictures, drawn by the program itself in a 16 × 15 grid. The icons
// are painted at whatever size (and device pixel ratio) they are shown at.
#pragma once

#include <QIcon>
#include <QImage>

namespace calivue {

inline constexpr int kToolBarIconWidth = 16;
inline constexpr int kToolBarIconHeight = 15;

// The button picture of a tool-bar command; a null image for a command without one.
QImage toolBarImage(int command);
// The same drawing as a scalable icon (null for a command without a picture).
QIcon toolBarIcon(int command);

}  // namespace calivue
