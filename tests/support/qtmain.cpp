// The test main of every Qt test executable: a QApplication on the offscreen platform, a
// private configuration folder so no test can touch the user's real settings, and the
// default message-box responder so no test can block on a dialog. Clicks activate their
// window, as in the program.
#include "desktop/clickactivation.h"
#include "messagelog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    calivue::activateWindowsOnClick(app);
    calivue::test::restoreDefaultResponder();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
