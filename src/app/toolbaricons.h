// The tool bar's button pictures, 16 × 15 pixels each, drawn by the program itself.
#pragma once

#include <QIcon>
#include <QImage>

namespace calivue {

inline constexpr int kToolBarIconWidth = 16;
inline constexpr int kToolBarIconHeight = 15;

// The button picture of a tool-bar command; a null image for a command without one.
QImage toolBarImage(int command);
// The same as an icon (null for a command without a picture).
QIcon toolBarIcon(int command);

}  // namespace calivue
