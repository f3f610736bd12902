// Save, Save As, Revert, the close questions and the title: what reaches the disk and what
// the user is asked.
#include "changelog.h"
#include "doctest.h"

#include "core/fileio.h"
#include "core/folderscan.h"
#include "core/snapshotfiles.h"
#include "platform/fspath.h"
#include "document/reportdoc.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

#include <functional>

namespace calivue::test {
namespace {

using FileTest = DocumentTest;

// Catches settings that are shown but never folded into the record, or read back wrongly.
TEST_F(FileTest, SaveThenReopenReproducesSettings)
{
    openGenerated("IR_0001", plainPlan(0x00, 0x00));
    m_doc.setPalette(4);
    m_doc.setSpan(2950, 3050);
    m_doc.setBlend(50);
    m_doc.setOrientation(3);
    m_doc.setIsotherms(0, 2960, 2970, 3020, 3030);
    m_doc.toggleRedIsotherm();
    m_doc.setAreaMode(2);
    m_doc.toggleAreaSelect();
    m_doc.toggleHotCold();
    m_doc.toggleCursorTemperature();
    m_doc.toggleProfiles();
    ASSERT_EQ(m_doc.toggleCursorAt(30, 40), CVantoroDoc::CursorToggle::Added);
    ASSERT_EQ(m_doc.toggleCursorAt(300, 200), CVantoroDoc::CursorToggle::Added);
    ASSERT_TRUE(m_doc.setCursorEmissivity(1, 73));
    m_doc.toggleCursors();  // hidden
    ASSERT_TRUE(m_doc.nudgeAlignment(true, +1));
    ASSERT_TRUE(m_doc.isModified());
    ASSERT_TRUE(m_commands.save());
    EXPECT_FALSE(m_doc.isModified());

    CVantoroDoc again;
    ASSERT_TRUE(again.openDocument(path("IR_0001.BMP")));
    EXPECT_EQ(again.palette(), 4);
    EXPECT_EQ(again.spanLow(), 2950);
    EXPECT_EQ(again.spanHigh(), 3050);
    EXPECT_EQ(again.blend(), 50);
    EXPECT_EQ(again.orientation(), 3);
    EXPECT_EQ(again.isothermFlags(), 2u);
    EXPECT_EQ(again.image().fields.redLower, 3020);
    EXPECT_EQ(again.image().fields.blueUpper, 2970);
    EXPECT_TRUE(again.areaSelectOn());
    EXPECT_EQ(again.areaMode(), 2);
    EXPECT_TRUE(again.hotColdShown());
    EXPECT_TRUE(again.cursorTemperaturesShown());
    EXPECT_TRUE(again.profilesShown());
    EXPECT_FALSE(again.cursorsShown());
    EXPECT_EQ(again.image().fields.alignX, m_doc.image().fields.alignX);
    EXPECT_EQ(again.cursorSlots(), m_doc.cursorSlots());
    EXPECT_EQ(again.markers()[1].emissivity, 73);
    EXPECT_FALSE(again.isModified());
    EXPECT_TRUE(m_messages.empty());
}

// Slots in use are packed into the record in slot order; the rest read 0 and 1.00.
TEST_F(FileTest, CursorSlotsTwoFiveNineBecomeRecordCursorsOneTwoThree)
{
    openGenerated("IR_0001", plainPlan());
    auto& m = m_doc.markers();
    const int used[] = {2, 5, 9};
    for (int k = 0; k < 3; ++k) {
        Marker& e = m[static_cast<std::size_t>(used[k])];
        e.inUse = e.shown = true;
        e.x = 10 * (k + 1);
        e.row = 239 - 5 * (k + 1);
        e.emissivity = static_cast<std::uint8_t>(90 - k);
    }
    m_doc.notifyMarkersChanged();
    m_doc.setModified(true);
    ASSERT_TRUE(m_commands.save());

    const std::vector<std::uint8_t> rec = readBytes(path("IR_0001.QVX"));
    ASSERT_EQ(rec.size(), kRecordSize);
    EXPECT_EQ(rec[kCursorCount], 3);
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        const int x = u16le(rec, kCursorX + 2 * k), y = u16le(rec, kCursorY + 2 * k);
        if (k < 3) {
            EXPECT_EQ(x, 10 * (k + 1));
            EXPECT_EQ(y, 5 * (k + 1));
            EXPECT_EQ(rec[kCursorEmissivity + k], 90 - k);
        } else {
            EXPECT_EQ(x, 0);
            EXPECT_EQ(y, 0);
            EXPECT_EQ(rec[kCursorEmissivity + k], 100);
        }
    }
}

// Catches a Save As that forgets the voice note, keeps the old name in text B, or leaves the
// document pointing at the old files.
TEST_F(FileTest, SaveAsRenamesVoiceNoteAndCopiesCompanions)
{
    openGenerated("IR_0003", gen::demoPlan(3));
    m_chosen = path("renamed");  // no suffix typed: the dialog's default applies
    ASSERT_TRUE(m_commands.saveAs());
    ASSERT_EQ(m_dialogs.size(), 1u);
    const cIRFileDialog& d = m_dialogs[0];
    EXPECT_EQ(d.title(), uiText(sid::SaveAs));
    EXPECT_EQ(d.defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_EQ(d.initialName(), QStringLiteral("IR_0003.BMP"));
    ASSERT_EQ(d.nameFilters().size(), 1);
    EXPECT_TRUE(d.nameFilters()[0].startsWith(uiText(sid::FilterSnapshots)));
    EXPECT_TRUE(d.overwritePrompt());

    EXPECT_EQ(m_doc.currentPath(), path("renamed.bmp"));
    EXPECT_EQ(m_doc.displayName(), QStringLiteral("renamed.bmp"));
    EXPECT_TRUE(QFileInfo::exists(path("renamed.bmp")));
    EXPECT_TRUE(QFileInfo::exists(path("renamed.wav")));
    const std::vector<std::uint8_t> rec = readBytes(path("renamed.qvx"));
    ASSERT_EQ(rec.size(), kRecordSize);
    EXPECT_EQ(recordText(std::span(rec).subspan(kTextB, 32)), "renamed.wav");
    EXPECT_EQ(readBytes(path("renamed.bmp")), readBytes(path("IR_0003.BMP")));
    EXPECT_EQ(readBytes(path("renamed.wav")), readBytes(path("IR_0003.WAV")));
}

TEST_F(FileTest, SaveAsCancelledWritesNothing)
{
    openGenerated("IR_0001", plainPlan());
    m_doc.setPalette(5);
    m_chosen.reset();
    EXPECT_FALSE(m_commands.saveAs());
    EXPECT_EQ(m_dialogs.size(), 1u);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_doc.currentPath(), path("IR_0001.BMP"));
}

// A record that cannot be written leaves the document modified and where it was, and says
// so (File > Save used to fail unseen).
TEST_F(FileTest, FailedSaveKeepsDocumentModified)
{
    openGenerated("IR_0001", plainPlan());
    m_doc.setPalette(5);
    m_messages.clear();
    EXPECT_FALSE(m_commands.saveTo(path("no/such/folder/x.bmp")));
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_doc.currentPath(), path("IR_0001.BMP"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorSavingFile) + QLatin1Char('\n') +
                                      path("no/such/folder/x.qvx") +
                                      QStringLiteral(": No such file or directory"));
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Stop);
}

// Catches a Save As that, when the disk fills while one file of the set is written, reports
// success, replaces any of the earlier files, leaves a temporary file, or does not say which
// file failed and why.
TEST_F(FileTest, SaveAsIntoAFullDiskKeepsEveryEarlierFile)
{
    openGenerated("IR_0003", gen::demoPlan(3));
    const std::vector<std::uint8_t> earlier{'o', 'l', 'd'};
    for (const char* failing : {"renamed.qvx", "renamed.bmp", "renamed.wav"}) {
        SCOPED_TRACE(failing);
        for (const char* name : {"renamed.qvx", "renamed.bmp", "renamed.wav"}) {
            QFile old(path(name));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        m_doc.setPalette(m_doc.palette() == 4 ? 5 : 4);
        m_messages.clear();
        m_chosen = path("renamed.bmp");
        fileio_hooks::setWriteFault(
            fileio_hooks::WriteFault{toFsPath(path(failing)), 1, /*shortWrite=*/true});
        EXPECT_FALSE(m_commands.saveAs());
        fileio_hooks::setWriteFault(std::nullopt);
        EXPECT_TRUE(m_doc.isModified());
        EXPECT_EQ(m_doc.currentPath(), path("IR_0003.BMP"));
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, uiText(sid::ErrorSavingFile) + QLatin1Char('\n') +
                                          path(failing) +
                                          QStringLiteral(": No space left on device"));
        for (const char* name : {"renamed.qvx", "renamed.bmp", "renamed.wav"})
            EXPECT_EQ(readBytes(path(name)), earlier) << name;
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), before);
    }
}

// Catches a Revert that asks (or reloads) when there is nothing to lose.
TEST_F(FileTest, RevertWithoutChangesDoesNothing)
{
    openGenerated("IR_0001", plainPlan());
    ChangeLog changes(m_doc);
    m_commands.revert();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(changes.count(DocChange::Picture), 0);
    EXPECT_FALSE(m_doc.revertEnabled());
}

// Catches a Revert that ignores the answer or reloads without restoring the saved state.
TEST_F(FileTest, RevertAsksAndReloadsOnYes)
{
    openGenerated("IR_0001", plainPlan(0x00, 0x00));
    m_doc.setPalette(6);
    m_doc.toggleHotCold();
    EXPECT_TRUE(m_doc.revertEnabled());

    m_answer = cMessageDlg::IdNo;
    m_commands.revert();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, uiText(sid::LoseAllChanges));
    EXPECT_EQ(m_messages[0].icon, cMessageDlg::IconKind::Question);
    EXPECT_EQ(m_messages[0].buttons, (QList<int>{cMessageDlg::IdYes, cMessageDlg::IdNo}));
    EXPECT_EQ(m_doc.palette(), 6);
    EXPECT_TRUE(m_doc.isModified());

    ChangeLog changes(m_doc);
    m_answer = cMessageDlg::IdYes;
    m_commands.revert();
    EXPECT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(changes.count(DocChange::Picture), 1);
    EXPECT_EQ(m_doc.palette(), 1);
    EXPECT_FALSE(m_doc.hotColdShown());
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(m_doc.currentPath(), path("IR_0001.BMP"));
}

TEST_F(FileTest, TitleShowsNameAndModifiedMark)
{
    const QString app = QStringLiteral("Orvane Test");
    EXPECT_EQ(m_doc.windowTitle(app), app);
    openGenerated("IR_0001", plainPlan());
    EXPECT_EQ(m_doc.windowTitle(app), QStringLiteral("IR_0001.BMP - Orvane Test"));
    ChangeLog changes(m_doc);
    m_doc.toggleHotCold();
    EXPECT_EQ(changes.count(DocChange::Title), 1);
    EXPECT_EQ(m_doc.windowTitle(app), QStringLiteral("IR_0001.BMP* - Orvane Test"));
    ASSERT_TRUE(m_commands.save());
    EXPECT_EQ(m_doc.windowTitle(app), QStringLiteral("IR_0001.BMP - Orvane Test"));
}

// Catches a close that loses changes silently, or goes on after Cancel.
// (The report project's own question is the report writer's, tested with the main window.)
TEST_F(FileTest, SaveModifiedAsksAboutTheSnapshot)
{
    openGenerated("IR_0001", plainPlan());
    EXPECT_TRUE(m_commands.saveModified());
    EXPECT_TRUE(m_messages.empty());

    m_doc.setPalette(5);

    m_answer = cMessageDlg::IdCancel;
    EXPECT_FALSE(m_commands.saveModified());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text,
              formatText(uiText(sid::SaveChangesTo), {QStringLiteral("IR_0001.BMP")}));

    m_answer = cMessageDlg::IdNo;
    EXPECT_TRUE(m_commands.saveModified());
    EXPECT_TRUE(m_doc.isModified());

    m_answer = cMessageDlg::IdYes;
    EXPECT_TRUE(m_commands.saveModified());
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(readBytes(path("IR_0001.QVX")).at(kPalette), 5);
}

namespace calivue::test {
namespace {

// Catches a path conversion that mangles spaces or non-ASCII letters anywhere between the
// user interface and the file layer: open, save (which copies the picture), CSV export and
// a folder scan in "Prüfung 2026/Halle Süd".
TEST_F(FileTest, NonAsciiFolderOpensSavesExportsAndScans)
{
    const QString folder = m_dir.filePath(QString::fromUtf8("Prüfung 2026/Halle Süd"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(gen::writeSnapshot(toFsPath(folder), "IR_0001", plainPlan()).ok());
    const QString original = folder + QStringLiteral("/IR_0001.BMP");
    ASSERT_TRUE(m_commands.open(original));
    EXPECT_EQ(m_doc.currentPath(), original);

    const QString copy = folder + QString::fromUtf8("/Kühlung.BMP");
    ASSERT_TRUE(m_commands.saveTo(copy));
    EXPECT_EQ(m_doc.currentPath(), copy);
    EXPECT_EQ(readBytes(copy), readBytes(original));  // the picture was copied beside it

    m_chosen = folder + QStringLiteral("/Tabelle.csv");
    ASSERT_TRUE(m_commands.exportCsv());
    EXPECT_TRUE(QFileInfo::exists(*m_chosen));

    const ScanResult scan = scanFolder(toFsPath(folder), "bmp");
    ASSERT_EQ(scan.paths.size(), 2u);
    EXPECT_EQ(fromFsPath(scan.paths[0]), original);
    EXPECT_EQ(fromFsPath(scan.paths[1]), copy);
    CVantoroDoc again;
    EXPECT_TRUE(again.openDocument(fromFsPath(scan.paths[1])));
}

}  // namespace
}  // namespace calivue::test

// The window's writers of the document layer with a write that stores half its bytes and
// then finds the disk full: Save, Excel Output and the report project's Save. Catches one
// that reports success, renames a partial file over the earlier one, leaves a temporary, or
// whose message does not say which file failed and why.
TEST_F(FileTest, WindowWritersKeepTheEarlierFileAndSayWhich)
{
    const gen::WrittenFiles files = openGenerated("IR_0005", plainPlan());
    CReportDoc project;
    const struct {
        const char* name;
        QString target;
        std::function<bool()> write;
        int messageId;  // -1: the caller shows the failure
    } writers[] = {
        {"Save", qs(files.qvx),
         [&] {
             m_doc.setPalette(m_doc.palette() == 4 ? 5 : 4);
             return m_commands.save();
         },
         sid::ErrorSavingFile},
        {"Excel Output", path("table.csv"),
         [&] {
             m_chosen = path("table.csv");
             return m_commands.exportCsv();
         },
         sid::ErrorSavingFile},
        {"project Save", path("p.vrp"),
         [&] {
             FileFailure failure;
             const bool ok = project.write(path("p.vrp"), &failure) == Error::None;
             EXPECT_EQ(failure.path, toFsPath(path("p.vrp")));
             EXPECT_EQ(failure.reason, std::make_error_code(std::errc::no_space_on_device));
             return ok;
         },
         -1},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.name);
        const std::vector<std::uint8_t> earlier =
            QFileInfo::exists(w.target) ? readBytes(w.target) : std::vector<std::uint8_t>{'o'};
        if (!QFileInfo::exists(w.target)) {
            QFile old(w.target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("o");
        }
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        m_messages.clear();
        fileio_hooks::setWriteFault(fileio_hooks::WriteFault{toFsPath(w.target), 1, true});
        EXPECT_FALSE(w.write());
        fileio_hooks::setWriteFault(std::nullopt);
        EXPECT_EQ(readBytes(w.target), earlier);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), before);
        if (w.messageId < 0) continue;
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, uiText(w.messageId) + QLatin1Char('\n') + w.target +
                                          QStringLiteral(": No space left on device"));
    }
}

}  // namespace
}  // namespace calivue::test
