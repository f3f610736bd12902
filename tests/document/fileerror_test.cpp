// The document's file operations on their own, below the command layer: they never show a
// message or a dialog, and what they return carries everything the message needs.
#include "doctest.h"

#include "platform/fspath.h"
#include "platform/settingsstore.h"
#include "platform/stringids.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <system_error>

namespace calivue::test {
namespace {

using FileErrorTest = DocumentTest;

// Catches a document that still asks or tells the user itself, an error without the file of
// the set that failed, the wrong designed heading, or a failed operation that changed the
// document (path, modified mark).
TEST_F(FileErrorTest, OperationsReturnTheirContextAndShowNothing)
{
    writeSnapshot("LONE", plainPlan());
    ASSERT_TRUE(QFile::remove(path("LONE.QVX")));
    const struct {
        const char* name;
        std::function<FileError()> run;
        Error error;
        int heading;
        FileError::Access access;
        QString path;        // the file the message names
        QString failedFile;  // a write's file of the set; empty: none
        std::errc reason;
    } cases[] = {
        {"open missing",
         [&] { return m_doc.openDocument(path("NONE.BMP")); },
         Error::NotFound,
         sid::ErrorOpeningFile,
         FileError::Access::Read,
         path("NONE.BMP"),
         {},
         {}},
        {"open bitmap without record",
         [&] { return m_doc.openDocument(path("LONE.BMP")); },
         Error::NotFound,
         sid::ErrorOpeningFile,
         FileError::Access::Read,
         path("LONE.qvx"),
         {},
         {}},
        {"save into a missing folder", [&] { return m_doc.saveDocument(path("gone/x.bmp")); },
         Error::WriteFailed, sid::ErrorSavingFile, FileError::Access::Write, path("gone/x.bmp"),
         path("gone/x.qvx"), std::errc::no_such_file_or_directory},
        {"table into a missing folder", [&] { return m_doc.exportCsv(path("gone/t.csv")); },
         Error::WriteFailed, sid::ErrorSavingFile, FileError::Access::Write, path("gone/t.csv"),
         path("gone/t.csv"), std::errc::no_such_file_or_directory},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openGenerated("IR_0001", plainPlan());
        m_doc.setPalette(m_doc.palette() == 4 ? 5 : 4);
        const QString before = m_doc.currentPath();
        const FileError e = c.run();
        EXPECT_EQ(e.error, c.error);
        EXPECT_EQ(e.messageId, c.heading);
        EXPECT_EQ(e.access, c.access);
        EXPECT_EQ(e.path, c.path);
        EXPECT_EQ(e.kind, FileKind::SnapshotRecord);
        EXPECT_EQ(fromFsPath(e.failure.path), c.failedFile);
        if (!c.failedFile.isEmpty()) {
            EXPECT_EQ(e.failure.reason, std::make_error_code(c.reason));
        }
        if (c.access == FileError::Access::Write) {
            EXPECT_EQ(m_doc.currentPath(), before);
            EXPECT_TRUE(m_doc.isModified());
        } else {
            EXPECT_FALSE(m_doc.isLoaded());
        }
        EXPECT_TRUE(m_messages.empty());
        EXPECT_TRUE(m_dialogs.empty());
    }
}

// Catches the report-details setting changed in the document although the store could not
// write it, or the store's message lost on the way to the user. The configuration root is a
// file, so no folder can be made in it.
TEST_F(FileErrorTest, PersistToggleKeepsTheSettingWhenTheStoreFails)
{
    const QString root = path("blocked");
    QFile blocker(root);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CVantoroDoc doc{SettingsStore(root)};
    const bool before = doc.persistReportDetails();
    const std::optional<SettingsError> failed = doc.setPersistReportDetails(!before);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(doc.persistReportDetails(), before);
    EXPECT_TRUE(m_messages.empty());

    cSnapshotCommands(doc).togglePersistReportDetails();
    EXPECT_EQ(doc.persistReportDetails(), before);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, failed->message);
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Stop);
}

}  // namespace
}  // namespace calivue::test
