// Shared fixture of the document tests: a temporary folder for generated snapshots, the
// snapshot's command layer, a recorder answering every message box, and a scripted file
// dialog. Every test runs with both hooks installed, so a message or dialog nobody expected
// is seen instead of blocking.
#pragma once

#include "document/commands/snapshotcommands.h"
#include "document/vantorodoc.h"

#include "generator.h"
#include "desktop/messagedlg.h"
#include "filedialoglog.h"
#include "messagelog.h"
#include "plans.h"
#include "qtfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace calivue::test {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes NAME.BMP / NAME.QVX (and NAME.WAV with plan.voice) into the temporary folder.
    gen::WrittenFiles writeSnapshot(const std::string& name, const gen::SnapshotPlan& plan);
    // Writes and opens; fails the test when the open fails.
    gen::WrittenFiles openGenerated(const std::string& name, const gen::SnapshotPlan& plan);

    QString path(const std::string& name) const;
    static std::vector<std::uint8_t> readBytes(const QString& path);

    QTemporaryDir m_dir;
    CVantoroDoc m_doc;
    // The File commands as the window gives them: questions, dialogs and messages.
    cSnapshotCommands m_commands{m_doc};
    std::vector<SeenMessage> m_messages;
    int m_answer = cMessageDlg::IdNo;  // what the "user" presses
    FileDialogLog m_fileDialogs;
    std::vector<cIRFileDialog>& m_dialogs = m_fileDialogs.seen;
    std::optional<QString>& m_chosen = m_fileDialogs.answer;  // what the "user" picks
};

// Record offsets the tests read back from a saved .qvx.
inline constexpr std::size_t kFlagsA = 523, kFlagsB = 524, kCursorCount = 352, kCursorX = 353,
                             kCursorY = 373, kCursorEmissivity = 69, kPalette = 59,
                             kOrientation = 95, kBlend = 393, kTextB = 396;

inline int u16le(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b.at(at) | (b.at(at + 1) << 8);
}

}  // namespace calivue::test
