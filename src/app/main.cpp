// calivue: the desktop program. Everything but the display check lives in calivue_app.
#include "app/displaycheck.h"
#include "app/vantoroapp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!calivue::displayAvailable(calivue::currentDisplayEnvironment())) {
        std::fprintf(stderr,
                     "calivue: no display available (DISPLAY and WAYLAND_DISPLAY are not set and "
                     "QT_QPA_PLATFORM is not chosen); the desktop window cannot be shown.\n");
        return 3;
    }

    QApplication qtApp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvane"));
    QApplication::setApplicationName(QStringLiteral("Calivue Razadi"));

    calivue::CVantoroApp app;
    if (!app.initInstance(QApplication::arguments().mid(1))) return 1;
    return QApplication::exec();
}
