// Test runner for the option pages: a QApplication on the offscreen platform, a private
// configuration folder, and a message-box responder so no test can block on a dialog.
#include <gtest/gtest.h>

#include "platform/messagedlg.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    calivue::cMessageDlg::setResponder(
        [](const calivue::cMessageDlg& box) { return box.closeResult(); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
