// Whether the desktop program can open its window at all. Qt aborts the process when its
// default platform has no display to connect to, so the program asks first and says why.
#pragma once

#include <QByteArray>

namespace calivue {

struct DisplayEnvironment {
    QByteArray qpaPlatform;  // QT_QPA_PLATFORM
    QByteArray display;      // DISPLAY
    QByteArray wayland;      // WAYLAND_DISPLAY
};

// The environment of this process.
DisplayEnvironment currentDisplayEnvironment();

// False when no platform was chosen explicitly and neither an X nor a Wayland display is set:
// the default platform would have nothing to show the window on.
bool displayAvailable(const DisplayEnvironment& env);

}  // namespace calivue
