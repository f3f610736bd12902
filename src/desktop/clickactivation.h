// Clicking a window makes it the active one. Window managers do this for every program; without
// one (a bare X server, a kiosk session) nothing activates the window the user clicked, so an
// edit box takes no focus and every key typed goes nowhere.
#pragma once

class QCoreApplication;

namespace calivue {

// Installs, once per application, a filter that activates the window of every mouse press
// that lands in an inactive window (pop-up menus excepted). The filter is owned by app.
void activateWindowsOnClick(QCoreApplication& app);

}  // namespace calivue
