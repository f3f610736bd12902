// The document's file side: open, save, Save As, Revert and the questions asked
// before the document is closed or replaced.
#include "vantorodoc.h"

#include "core/snapshotfiles.h"
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

namespace {

// File names are bytes on Linux; go through the locale's encoding both ways so a
// name that is not valid UTF-8 still round-trips.
fs::path toPath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString fromPath(const fs::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace

bool CVantoroDoc::openDocument(const QString& path)
{
    m_loadSuccess = false;
    setModified(false);

    // A .qvx name stands for its snapshot; the document's path is always the .bmp.
    const fs::path bmpPath = openPathHook(toPath(path));
    const Error e = path.isEmpty() ? Error::NotFound : openSnapshot(bmpPath, m_image);
    if (e != Error::None) {
        clear();
        cMessageDlg::messageBox(sid::ErrorOpeningFile, cMessageDlg::IconStop,
                                cMessageDlg::ButtonsOk, m_dialogParent);
        return false;
    }

    m_image.setAreaMode(m_areaMode);
    // Prefer the spelling on disk, so a later save copies the camera's IR_0001.BMP
    // rather than looking for a file that only differs in case.
    m_currentPath = fromPath(findCompanion(bmpPath).value_or(bmpPath));
    m_loadSuccess = true;
    afterLoad();
    emit titleChanged();
    return true;
}

bool CVantoroDoc::saveDocument(const QString& newBmpPath)
{
    if (!isLoaded() || newBmpPath.isEmpty()) return false;

    SavedSnapshot saved;
    const fs::path current = m_currentPath.isEmpty() ? fs::path() : toPath(m_currentPath);
    const Error e = saveSnapshot(m_image, current, toPath(newBmpPath), cursorSlots(), &saved);
    if (e != Error::None) return false;

    m_currentPath = fromPath(saved.bitmap);
    m_modified = false;
    emit updateAllViews(HintSaved);
    emit titleChanged();
    return true;
}

bool CVantoroDoc::save()
{
    if (m_reportMode) {
        if (m_reportHooks.save) return m_reportHooks.save();
        return m_reportHooks.saveAs && m_reportHooks.saveAs();
    }
    if (!isLoaded()) return false;
    return saveDocument(m_currentPath);
}

bool CVantoroDoc::saveAs()
{
    if (m_reportMode) return m_reportHooks.saveAs && m_reportHooks.saveAs();
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
    if (m_reportHooks.modified && m_reportHooks.modified()) {
        const QString name = m_reportHooks.name ? m_reportHooks.name() : QString();
        const QString question = formatText(uiText(sid::SaveChangesTo), {name});
        if (cMessageDlg::messageBox(question, cMessageDlg::IconQuestion, cMessageDlg::ButtonsYesNo,
                                    m_dialogParent) == cMessageDlg::IdYes) {
            if (m_reportHooks.save)
                m_reportHooks.save();
            else if (m_reportHooks.saveAs)
                m_reportHooks.saveAs();
        }
    }

    if (!m_modified || !isLoaded()) return true;
    const QString question = formatText(uiText(sid::SaveChangesTo), {displayName()});
    const int answer = cMessageDlg::messageBox(question, cMessageDlg::IconQuestion,
                                               cMessageDlg::ButtonsYesNoCancel, m_dialogParent);
    if (answer == cMessageDlg::IdNo) return true;
    if (answer != cMessageDlg::IdYes) return false;
    // A snapshot that could not be written stays open, so no change is lost unseen.
    return saveDocument(m_currentPath);
}

}  // namespace calivue
