// Shared fixture of the application tests: temporary folders for settings and snapshots, a
// recorder answering every message box and a scripted file dialog, so a message or dialog
// nobody expected is seen instead of blocking.
#pragma once

#include "app/mainframe.h"
#include "app/vantoroapp.h"
#include "view/viewcommands.h"

#include "filedialoglog.h"
#include "generator.h"
#include "desktop/messagedlg.h"
#include "messagelog.h"
#include "plans.h"
#include "qtfiles.h"
#include "document/vantorodoc.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace calivue::test {

// A stand-in for the image view: records the commands it receives and keeps the flags the
// frame asks about.
class FakeView : public ViewCommands {
public:
    explicit FakeView(CVantoroDoc& doc) : m_doc(doc) {}
    QWidget* widget() override { return m_widget.release(); }
    bool cursorListShown() const override { return cursorList; }
    void toggleCursorList() override { cursorList = !cursorList; }
    bool optionsShown() const override { return options; }
    void toggleOptions() override { options = !options; }
    bool optionsDocked() const override { return docked; }
    void toggleOptionsDocked() override { docked = !docked; }
    bool profilesShown() const override { return profiles; }
    void toggleProfiles() override
    {
        profiles = !profiles;
        m_doc.toggleProfiles();
    }
    bool reportMode() const override { return report; }
    void toggleReportWriter() override { report = !report; }
    void copyToClipboard() override { ++clipboardCopies; }
    void copyToBitmap() override { ++bitmapCopies; }
    void clearView() override { ++clears; }

    bool cursorList = false;
    bool options = true;
    bool docked = true;
    bool profiles = true;
    bool report = false;
    int clipboardCopies = 0;
    int bitmapCopies = 0;
    int clears = 0;

private:
    CVantoroDoc& m_doc;
    std::unique_ptr<QWidget> m_widget = std::make_unique<QWidget>();
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs start-up with the fixture's settings folder; the frame is not shown.
    // moduleDirs: nullopt searches beside the test executable.
    bool start(const QStringList& arguments = {},
               std::optional<QStringList> moduleDirs = std::nullopt,
               QLocale locale = QLocale(QLocale::English, QLocale::UnitedKingdom));
    // Writes NAME.BMP / NAME.QVX into the snapshot folder.
    gen::WrittenFiles writeSnapshot(const std::string& name, const gen::SnapshotPlan& plan);

    CVantoroDoc& doc() { return *m_app->document(); }
    CMainFrame& frame() { return *m_app->mainFrame(); }
    QAction* action(int command) { return frame().action(command); }

    QTemporaryDir m_config;
    QTemporaryDir m_files;
    std::unique_ptr<CVantoroApp> m_app;
    std::vector<SeenMessage> m_messages;
    int m_answer = cMessageDlg::IdNo;
    FileDialogLog m_fileDialogs;
    std::vector<cIRFileDialog>& m_dialogs = m_fileDialogs.seen;
    std::optional<QString>& m_chosen = m_fileDialogs.answer;  // what the "user" picks
};

}  // namespace calivue::test
