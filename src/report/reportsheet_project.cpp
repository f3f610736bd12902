// The File commands of the report project's document: writing and reading the .vrp file with
// the pages' edits stored first and the project's pictures checked, New, Open, Save, Save As
// and the question before unsaved work would be lost.
#include "report/reportsheet.h"

#include "report/detailsdlg.h"
#include "report/imageselectdlg.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"
#include "report/titledlg.h"

#include "core/surveycomparison.h"

#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "platform/errortext.h"
#include "platform/fspath.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

namespace calivue {

void cReportSheet::storeEdits()
{
    if (m_title) m_title->leavePage();
    if (m_details) m_details->storeInspection();
}

bool cReportSheet::writeProject(const QString& path, FileFailure* failure)
{
    if (path.isEmpty()) return false;
    storeEdits();
    // The file is replaced as a whole, so a write that fails leaves the previous project.
    // Which message follows a failure is the caller's (Save and Save As show one).
    return document().write(path, failure) == Error::None;
}

void cReportSheet::showWriteFailure(const QString& path, const FileFailure& failure)
{
    // The designed message, then which file failed and the system's reason.
    cMessageDlg::messageBox(saveFailureText(sid::ErrorWritingVrp, failure, path),
                            cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
}

bool cReportSheet::readProject(const QString& path)
{
    if (path.isEmpty() || !m_title || !m_images || !m_details) return false;
    // The whole file is decoded before anything is applied, so a damaged file changes no
    // page; the caller reports it.
    Result<ReportProject> read = CReportDoc::readFile(path);
    if (!read) return false;
    ReportProject project = std::move(*read);
    // A project whose rows and records do not pair up is refused before any of it is
    // applied: its captions would otherwise replace the stored ones.
    if (!project.countsAgree()) {
        cMessageDlg::twoPartBox(sid::VrpFileError, sid::SelectionCountMismatch,
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
        return false;
    }
    std::optional<std::vector<cInspectionImage>> entries =
        m_images->resolveEntries(project.entries);
    if (!entries) {
        // A snapshot of the project is gone: nothing of it is kept half loaded, and the pages
        // start again from the stored values.
        m_title->resetForProjectLoad();
        m_images->clearInspections();
        m_details->resetForProjectLoad();
        return false;
    }
    project.entries = std::move(*entries);
    if (!document().load(project, path)) return false;
    // Findings that did not read are kept as they are stored; the user hears it once, here.
    if (!document().findingsEditable())
        cMessageDlg::messageBox(sid::FindingsUnreadable, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
    return true;
}

bool cReportSheet::saveModified()
{
    storeEdits();
    if (!document().isModified()) return true;
    const int answer =
        cMessageDlg::messageBox(formatText(uiText(sid::SaveChangesTo), {document().name()}),
                                cMessageDlg::IconQuestion, cMessageDlg::ButtonsYesNoCancel, this);
    if (answer == cMessageDlg::IdNo) return true;
    // Cancel and Escape keep the project open; so does a Save that did not write it.
    if (answer != cMessageDlg::IdYes) return false;
    return saveProject();
}

void cReportSheet::newProject()
{
    if (!saveModified()) return;
    document().newProject();
}

void cReportSheet::openProject()
{
    // Unsaved work is offered for saving before another project replaces it.
    if (!saveModified()) return;

    cIRFileDialog dialog(cIRFileDialog::Mode::Open, QStringLiteral("vrp"), uiText(sid::Untitled));
    dialog.setTitle(uiText(sid::Open));
    dialog.addFilter(uiText(sid::FilterReportProjects), QStringLiteral("*.vrp"));
    if (!projectFolder().isEmpty()) dialog.setDirectory(projectFolder());
    const std::optional<QString> chosen = dialog.choose(this);
    if (!chosen) return;
    if (!readProject(*chosen))
        cMessageDlg::messageBox(sid::ErrorReadingVrp, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                                this);
}

bool cReportSheet::saveProject()
{
    if (document().isUntitled()) return saveProjectAs();
    const QString path = projectFolder() + projectName();
    FileFailure failure;
    if (writeProject(path, &failure)) return true;
    // A Save that fails says so: closing after a silent failure would lose the project.
    showWriteFailure(path, failure);
    return false;
}

bool cReportSheet::saveProjectAs()
{
    const QString initial = projectName().isEmpty() ? uiText(sid::Untitled) : projectName();
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("vrp"), initial);
    dialog.setTitle(uiText(sid::SaveAs));
    // The same name as Open's: the user looks for one kind of file under one name.
    dialog.addFilter(uiText(sid::FilterReportProjects), QStringLiteral("*.vrp"));
    dialog.setOverwritePrompt(true);
    if (!projectFolder().isEmpty()) dialog.setDirectory(projectFolder());
    const std::optional<QString> chosen = dialog.choose(this);
    if (!chosen) return false;
    FileFailure failure;
    if (writeProject(*chosen, &failure)) return true;
    showWriteFailure(*chosen, failure);
    return false;
}

bool cReportSheet::newSurveyFromProject()
{
    // The project on show becomes the previous survey: it is linked by its file, so that file
    // must hold what the window shows.
    storeEdits();
    if (document().isUntitled() ? !saveProjectAs() : (document().isModified() && !saveProject()))
        return false;
    const QString previous = projectFolder() + projectName();
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("vrp"), uiText(sid::Untitled));
    dialog.setTitle(uiText(sid::SaveAs));
    dialog.addFilter(uiText(sid::FilterReportProjects), QStringLiteral("*.vrp"));
    dialog.setOverwritePrompt(true);
    if (!projectFolder().isEmpty()) dialog.setDirectory(projectFolder());
    const std::optional<QString> chosen = dialog.choose(this);
    if (!chosen) return false;
    const Result<ReportProject> next =
        newSurveyFrom(document().project(), toFsPath(previous), toFsPath(*chosen),
                      fromQDateTime(QDateTime::currentDateTime()));
    if (!next) {
        cMessageDlg::messageBox(
            formatText(uiText(sid::NewSurveyFailed), {QString::fromUtf8(describe(next.error()))}),
            cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
        return false;
    }
    FileFailure failure;
    if (writeReportProjectFile(toFsPath(*chosen), *next, &failure) != Error::None) {
        showWriteFailure(*chosen, failure);
        return false;
    }
    if (readProject(*chosen)) return true;
    cMessageDlg::messageBox(sid::ErrorReadingVrp, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                            this);
    return false;
}

}  // namespace calivue
