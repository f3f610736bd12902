#include "document/commands/snapshotcommands.h"

#include "platform/errortext.h"
#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"
#include "document/vantorodoc.h"

#include <QFileInfo>
#include <QWidget>

namespace calivue {

cSnapshotCommands::cSnapshotCommands(CVantoroDoc& doc, QWidget* dialogParent)
    : m_doc(doc), m_parent(dialogParent)
{
}

bool cSnapshotCommands::report(const FileError& e) const
{
    if (e.ok()) return true;
    cMessageDlg::messageBox(fileErrorMessage(e), cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                            m_parent);
    return false;
}

bool cSnapshotCommands::open(const QString& path)
{
    return opened(m_doc.openDocument(path));
}

bool cSnapshotCommands::opened(const FileError& e) const
{
    if (!report(e)) return false;
    // A short record opens as designed, zeros in its missing bytes, but the user must know
    // that some of the readings shown are not measured.
    if (m_doc.image().isIncomplete())
        cMessageDlg::messageBox(formatText(uiText(sid::RecordIncomplete), {m_doc.currentPath()}),
                                cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, m_parent);
    return true;
}

std::optional<QString> cSnapshotCommands::chooseSnapshot() const
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Open, QStringLiteral("bmp"));
    dialog.setTitle(uiText(sid::Open));
    dialog.addFilter(uiText(sid::FilterSnapshots), QStringLiteral("*.bmp"));
    return dialog.choose(m_parent);
}

bool cSnapshotCommands::replaceWith(const QString& path)
{
    if (!saveModified()) return false;
    return open(path);
}

bool cSnapshotCommands::saveTo(const QString& bmpPath)
{
    // Without a snapshot there is nothing to write and nothing to tell.
    if (!m_doc.isLoaded()) return false;
    // A save the user asked for must never fail unseen: the changes are still only here.
    return report(m_doc.saveDocument(bmpPath));
}

bool cSnapshotCommands::save()
{
    return saveTo(m_doc.currentPath());
}

bool cSnapshotCommands::saveAs()
{
    if (!m_doc.isLoaded()) return false;

    const QFileInfo current(m_doc.currentPath());
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("bmp"), current.fileName());
    dialog.setTitle(uiText(sid::SaveAs));
    dialog.addFilter(uiText(sid::FilterSnapshots), QStringLiteral("*.bmp"));
    dialog.setOverwritePrompt(true);
    if (!m_doc.currentPath().isEmpty()) dialog.setDirectory(current.absolutePath());
    const std::optional<QString> chosen = dialog.choose(m_parent);
    if (!chosen) return false;
    return saveTo(*chosen);
}

void cSnapshotCommands::revert()
{
    if (!m_doc.revertEnabled()) return;
    const int answer = cMessageDlg::messageBox(sid::LoseAllChanges, cMessageDlg::IconQuestion,
                                               cMessageDlg::ButtonsYesNo, m_parent);
    if (answer != cMessageDlg::IdYes) return;
    // The saved snapshot is opened again, with the same messages as any open.
    opened(m_doc.reopenSaved());
}

int cSnapshotCommands::askSaveChanges() const
{
    const QString question = formatText(uiText(sid::SaveChangesTo), {m_doc.displayName()});
    return cMessageDlg::messageBox(question, cMessageDlg::IconQuestion,
                                   cMessageDlg::ButtonsYesNoCancel, m_parent);
}

bool cSnapshotCommands::saveModified()
{
    if (!m_doc.isModified() || !m_doc.isLoaded()) return true;
    const int answer = askSaveChanges();
    if (answer == cMessageDlg::IdNo) return true;
    if (answer != cMessageDlg::IdYes) return false;
    // A snapshot that could not be written stays open, so no change is lost unseen.
    return save();
}

bool cSnapshotCommands::settleChangesFromFiles()
{
    if (!m_doc.isModified() || !m_doc.isLoaded()) return true;
    const int answer = askSaveChanges();
    if (answer == cMessageDlg::IdYes) return save();
    if (answer != cMessageDlg::IdNo) return false;
    return opened(m_doc.reopenSaved());
}

bool cSnapshotCommands::exportCsv()
{
    if (!m_doc.isLoaded()) return false;
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("csv"));
    dialog.setTitle(uiText(sid::ExcelOutputTitle));
    dialog.addFilter(uiText(sid::FilterCsv), QStringLiteral("*.csv"));
    dialog.setOverwritePrompt(true);
    const std::optional<QString> chosen = dialog.choose(m_parent);
    if (!chosen) return false;

    // The earlier file is kept whole; the user learns which file and why.
    if (!report(m_doc.exportCsv(*chosen))) return false;
    cMessageDlg::messageBox(sid::ExcelOutputComplete, cMessageDlg::IconInformation,
                            cMessageDlg::ButtonsOk, m_parent);
    return true;
}

void cSnapshotCommands::togglePersistReportDetails()
{
    if (const std::optional<SettingsError> failed =
            m_doc.setPersistReportDetails(!m_doc.persistReportDetails()))
        cMessageDlg::messageBox(failed->message, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                                m_parent);
}

}  // namespace calivue
