// The document's file side: open, save, Save As, Revert and the questions asked
// before the document is closed or replaced.
#include "vantorodoc.h"

#include "core/snapshotfiles.h"
#include "errortext.h"
#include "fspath.h"
#include "irfiledialog.h"
#include "messagedlg.h"
#include "stringids.h"
#include "stringtable.h"
#include "textformat.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace fs = std::filesystem;

namespace calivue {

bool CVantoroDoc::openDocument(const QString& path)
{
    m_loadSuccess = false;
    setModified(false);

    // A .qvx name stands for its snapshot; the document's path is always the .bmp.
    const fs::path bmpPath = openPathHook(toFsPath(path));
    const Error e = path.isEmpty() ? Error::NotFound : openSnapshot(bmpPath, m_image);
    if (e != Error::None) {
        clear();
        // A bitmap that is there without its record: the file that is missing is the record.
        const fs::path failed = failedSnapshotFile(e, toFsPath(path));
        const QString named = failed == toFsPath(path) ? path : fromFsPath(failed);
        const QString detail = fileErrorText(e, named, FileKind::SnapshotRecord);
        cMessageDlg::messageBox(twoPart(uiText(sid::ErrorOpeningFile), detail),
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, m_dialogParent);
        return false;
    }

    m_image.setAreaMode(m_areaMode);
    // Prefer the spelling on disk, so a later save copies the camera's IR_0001.BMP
    // rather than looking for a file that only differs in case.
    m_currentPath = fromFsPath(findCompanion(bmpPath).value_or(bmpPath));
    m_loadSuccess = true;
    afterLoad();
    // A short record opens as designed, zeros in its missing bytes, but the user
    // must know that some of the readings shown are not measured.
    if (m_image.isIncomplete())
        cMessageDlg::messageBox(formatText(uiText(sid::RecordIncomplete), {m_currentPath}),
                                cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk,
                                m_dialogParent);
    return true;
}

bool CVantoroDoc::saveDocument(const QString& newBmpPath)
{
    if (!isLoaded() || newBmpPath.isEmpty()) return false;

    SavedSnapshot saved;
    const fs::path current = m_currentPath.isEmpty() ? fs::path() : toFsPath(m_currentPath);
    FileFailure failure;
    const Error e =
        saveSnapshot(m_image, current, toFsPath(newBmpPath), cursorSlots(), &saved, &failure);
    if (e != Error::None) {
        // A save the user asked for must never fail unseen: the changes are still only here.
        // The file of the set that could not be written and the system's reason, where known.
        cMessageDlg::messageBox(saveFailureText(sid::ErrorSavingFile, failure, newBmpPath),
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, m_dialogParent);
        return false;
    }

    m_currentPath = fromFsPath(saved.bitmap);
    m_modified = false;
    announce(DocChange::Saved | DocChange::Title);
    return true;
}

bool CVantoroDoc::save()
{
    if (!isLoaded()) return false;
    return saveDocument(m_currentPath);
}

bool CVantoroDoc::saveAs()
{
    if (!isLoaded()) return false;

    const QFileInfo current(m_currentPath);
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("bmp"), current.fileName());
    dialog.setTitle(uiText(sid::SaveAs));
    dialog.addFilter(uiText(sid::FilterSnapshots), QStringLiteral("*.bmp"));
    dialog.setOverwritePrompt(true);
    if (!m_currentPath.isEmpty()) dialog.setDirectory(current.absolutePath());
    const std::optional<QString> chosen = dialog.choose(m_dialogParent);
    if (!chosen) return false;
    return saveDocument(*chosen);
}

void CVantoroDoc::revert()
{
    if (!m_modified || !isLoaded()) return;
    const int answer = cMessageDlg::messageBox(sid::LoseAllChanges, cMessageDlg::IconQuestion,
                                               cMessageDlg::ButtonsYesNo, m_dialogParent);
    if (answer != cMessageDlg::IdYes) return;
    // Copy first: openDocument clears the current path when the reopen fails.
    const QString path = m_currentPath;
    openDocument(path);
}

bool CVantoroDoc::saveModified()
{
    if (!m_modified || !isLoaded()) return true;
    const QString question = formatText(uiText(sid::SaveChangesTo), {displayName()});
    const int answer = cMessageDlg::messageBox(question, cMessageDlg::IconQuestion,
                                               cMessageDlg::ButtonsYesNoCancel, m_dialogParent);
    if (answer == cMessageDlg::IdNo) return true;
    if (answer != cMessageDlg::IdYes) return false;
    // A snapshot that could not be written stays open, so no change is lost unseen.
    return saveDocument(m_currentPath);
}

bool CVantoroDoc::settleChangesFromFiles()
{
    if (!m_modified || !isLoaded()) return true;
    const QString question = formatText(uiText(sid::SaveChangesTo), {displayName()});
    const int answer = cMessageDlg::messageBox(question, cMessageDlg::IconQuestion,
                                               cMessageDlg::ButtonsYesNoCancel, m_dialogParent);
    if (answer == cMessageDlg::IdYes) return saveDocument(m_currentPath);
    if (answer != cMessageDlg::IdNo) return false;
    // Copy first: openDocument clears the current path when the reopen fails.
    const QString path = m_currentPath;
    return openDocument(path);
}

}  // namespace calivue
