// The report project of report mode: writing and reading the .vrp file through the pages,
// and the File Open / Save / Save As commands.
#include "reportsheet.h"

#include "detailsdlg.h"
#include "imageselectdlg.h"
#include "reporttext.h"
#include "titledlg.h"

#include "core/reportproject.h"
#include "platform/fspath.h"
#include "desktop/irfiledialog.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QFileInfo>

namespace calivue {

namespace {
// The path up to and including its last separator; empty when it has none.
QString folderOf(const QString& path)
{
    const qsizetype cut =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

QString untitledName()
{
    return uiText(sid::Untitled) + QStringLiteral(".vrp");
}
}  // namespace

ReportProject cReportSheet::projectFromPages() const
{
    ReportProject project;
    project.title = m_title->title();
    project.entries = m_images->entries();
    // The thumbnail index of a row is its place in the list.
    for (std::size_t row = 0; row < project.entries.size(); ++row)
        project.entries[row].thumbnailIndex = static_cast<std::int32_t>(row);
    project.records = m_details->records();
    project.captions = ReportCaptions{m_title->captions(), m_details->captions()};
    return project;
}

bool cReportSheet::writeProject(const QString& path)
{
    if (path.isEmpty() || !m_title || !m_images || !m_details) return false;
    if (m_images->rowCount() != m_details->recordCount()) {
        cMessageDlg::twoPartBox(sid::InternalError, sid::SelectionCountMismatch,
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
        return false;
    }
    m_title->leavePage();
    m_details->storeInspection();
    // The file is replaced as a whole, so a write that fails leaves the previous project.
    // Which message follows a failure is the caller's (Save and Save As show one).
    if (writeReportProjectFile(toFsPath(path), projectFromPages()) != Error::None) return false;
    m_projectFolder = folderOf(path);
    setProjectModified(false);
    return true;
}

bool cReportSheet::readProject(const QString& path)
{
    if (path.isEmpty() || !m_title || !m_images || !m_details) return false;
    // The whole file is decoded before anything is applied, so a damaged file changes no
    // page; the caller reports it.
    Result<ReportProject> read = readReportProjectFile(toFsPath(path));
    if (!read) return false;
    const ReportProject& project = *read;
    // A project whose rows and records do not pair up is refused before any of it is
    // applied: its captions would otherwise replace the stored ones.
    if (!project.countsAgree()) {
        cMessageDlg::twoPartBox(sid::VrpFileError, sid::SelectionCountMismatch,
                                cMessageDlg::IconStop, cMessageDlg::ButtonsOk, this);
        return false;
    }

    m_title->setLogoPath(toQString(project.title.logoPath));
    m_title->setCompany(toQString(project.title.company));
    m_title->setAuthor(toQString(project.title.author));
    m_title->setDateShown(project.title.dateShown);
    m_title->setTitleDate(project.title.titleDate);
    m_title->setComments(toQString(project.title.comments));
    if (project.captions) {
        for (int i = 0; i < 4; ++i)
            m_title->setCaption(i + 1, toQString(project.captions->title[std::size_t(i)]));
        for (int i = 0; i < 13; ++i)
            m_details->setCaption(i + 1, toQString(project.captions->details[std::size_t(i)]));
    }
    if (!m_images->loadProjectEntries(project.entries, project.records)) {
        // A snapshot of the project is gone: nothing of it is kept half loaded.
        m_title->resetForProjectLoad();
        m_images->clearInspections();
        m_details->resetForProjectLoad();
        return false;
    }
    m_details->afterProjectLoad();
    m_projectFolder = folderOf(path);
    setProjectModified(false);
    return true;
}

void cReportSheet::openProject()
{
    // Unsaved work is offered for saving before another project replaces it.
    if (m_projectModified &&
        cMessageDlg::messageBox(formatText(uiText(sid::SaveChangesTo), {m_projectName}),
                                cMessageDlg::IconQuestion, cMessageDlg::ButtonsYesNo,
                                this) == cMessageDlg::IdYes)
        saveProject();

    cIRFileDialog dialog(cIRFileDialog::Mode::Open, QStringLiteral("vrp"), uiText(sid::Untitled));
    dialog.setTitle(uiText(sid::Open));
    dialog.addFilter(uiText(sid::FilterReportProjectsOpen), QStringLiteral("*.vrp"));
    if (!m_projectFolder.isEmpty()) dialog.setDirectory(m_projectFolder);
    const std::optional<QString> chosen = dialog.choose(this);
    if (!chosen) return;
    if (!readProject(*chosen)) {
        cMessageDlg::messageBox(sid::ErrorReadingVrp, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                                this);
        return;
    }
    m_projectName = QFileInfo(*chosen).fileName();
    setProjectModified(false);
}

bool cReportSheet::saveProject()
{
    if (m_projectName == untitledName()) return saveProjectAs();
    if (writeProject(m_projectFolder + m_projectName)) return true;
    // A Save that fails says so: closing after a silent failure would lose the project.
    cMessageDlg::messageBox(sid::ErrorWritingVrp, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                            this);
    return false;
}

bool cReportSheet::saveProjectAs()
{
    const QString initial = m_projectName.isEmpty() ? uiText(sid::Untitled) : m_projectName;
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, QStringLiteral("vrp"), initial);
    dialog.setTitle(uiText(sid::SaveAs));
    dialog.addFilter(uiText(sid::FilterReportProjectsSave), QStringLiteral("*.vrp"));
    dialog.setOverwritePrompt(true);
    if (!m_projectFolder.isEmpty()) dialog.setDirectory(m_projectFolder);
    const std::optional<QString> chosen = dialog.choose(this);
    if (!chosen) return false;
    if (!writeProject(*chosen)) {
        cMessageDlg::messageBox(sid::ErrorWritingVrp, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                                this);
        return false;
    }
    m_projectName = QFileInfo(*chosen).fileName();
    setProjectModified(false);
    return true;
}

}  // namespace calivue
