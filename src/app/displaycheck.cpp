#include "app/displaycheck.h"

#include <QtGlobal>

namespace calivue {

DisplayEnvironment currentDisplayEnvironment()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
}

bool displayAvailable(const DisplayEnvironment& env)
{
    if (!env.qpaPlatform.isEmpty()) return true;  // the user chose a platform (offscreen, vnc…)
    return !env.display.isEmpty() || !env.wayland.isEmpty();
}

}  // namespace calivue
