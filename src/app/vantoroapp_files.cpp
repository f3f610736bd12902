// The application's file commands: the Open command (the current document's), the open-file
// hook it shares with the command line, and a report project named on the command line.
#include "app/vantoroapp.h"

#include "app/mainframe.h"
#include "view/viewcommands.h"

#include "core/snapshotfiles.h"
#include "platform/fspath.h"
#include "desktop/messagedlg.h"
#include "report/reportsheet.h"
#include "document/commands/snapshotcommands.h"
#include "platform/stringids.h"
#include "document/vantorodoc.h"

#include <filesystem>

namespace calivue {

bool CVantoroApp::openFile(const QString& path)
{
    if (!m_doc || path.isEmpty()) return false;
    // A .qvx name from a camera card (IR_0001.QVX) stands for its picture, IR_0001.BMP.
    const std::filesystem::path hooked = openPathHook(toFsPath(path));
    // Replacing the open snapshot: unsaved changes are asked about first.
    return cSnapshotCommands(*m_doc, m_frame).replaceWith(fromFsPath(hooked));
}

bool CVantoroApp::openReportFile(const QString& path)
{
    if (!m_frame || !m_frame->viewCommands() || path.isEmpty()) return false;
    if (!m_frame->reportShown()) m_frame->viewCommands()->toggleReportWriter();
    cReportSheet* sheet = reportSheet();
    if (!sheet) return false;
    const bool read = sheet->readProject(path);
    if (!read)
        cMessageDlg::messageBox(sid::ErrorReadingVrp, cMessageDlg::IconStop, cMessageDlg::ButtonsOk,
                                m_frame);
    refreshTitle();
    return read;
}

void CVantoroApp::onFileOpen()
{
    if (!m_doc) return;
    if (m_frame && m_frame->reportShown()) {
        m_frame->openReportProject();
        return;
    }

    const std::optional<QString> chosen = cSnapshotCommands(*m_doc, m_frame).chooseSnapshot();
    if (!chosen) return;

    openFile(*chosen);
    if (!m_doc->isLoaded() && m_frame && m_frame->viewCommands())
        m_frame->viewCommands()->clearView();
    refreshTitle();
}

}  // namespace calivue
