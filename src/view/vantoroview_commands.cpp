// The image view's commands: showing and hiding panels, the options sheet (docked, floating,
// closed and built again) and the switch into and out of report-writer mode.
#include "view/vantoroview.h"

#include "view/displayset.h"
#include "view/objectviewer.h"
#include "document/commands/snapshotcommands.h"
#include "document/vantorodoc.h"

#include "platform/commandids.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QAction>
#include <QTabWidget>

namespace calivue {

cViewSheet* CVantoroView::reportPages() const
{
    return dynamic_cast<cViewSheet*>(m_report.data());
}

void CVantoroView::buildOptionsSheet()
{
    m_optionsRect = EdgeRect{};
    if (!m_optionsFactory) return;
    QWidget* sheet = m_optionsFactory(m_doc, *m_displays);
    if (!sheet) return;
    sheet->setObjectName(QStringLiteral("optionsSheet"));
    sheet->setWindowTitle(uiText(sid::Options));
    if (m_optionsDocked) {
        sheet->setParent(m_canvas, Qt::Widget);
        sheet->move(0, 0);
    } else {
        // A tool window of the main window: it stays above it, and closing it deletes it
        // (the "&Options" command then builds it again).
        sheet->setParent(this, Qt::Tool);
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        // It first appears where the docked sheet was, over the view's top-left corner.
        sheet->move(mapToGlobal(QPoint(0, 0)));
    }
    sheet->resize(sheet->sizeHint());
    m_optionsRect = EdgeRect{0, 0, sheet->width(), sheet->height()};
    m_options = sheet;
    // A floating sheet closed by the user takes the options out of the layout rule.
    connect(sheet, &QObject::destroyed, this, [this] {
        if (m_optionsDocked) return;
        m_optionsShown = false;
        RecalcLayout();
    });
    addDockCommand(sheet);
}

void CVantoroView::addDockCommand(QWidget* sheet)
{
    // The menu carries no docking command, so the sheet offers it on its own context menu
    // (right click on the tabs or a page's free area), ticked while docked.
    const StringTable& table = StringTable::active();
    QString text = table.toolTip(cmd::DockOptions);
    if (text.isEmpty()) text = QStringLiteral("Dock Options");
    auto* dock = new QAction(text, sheet);
    dock->setObjectName(QStringLiteral("dockOptions"));
    dock->setStatusTip(table.prompt(cmd::DockOptions));
    dock->setCheckable(true);
    dock->setChecked(m_optionsDocked);
    // Queued: docking rebuilds the sheet, which owns this action and its menu.
    connect(
        dock, &QAction::triggered, this, [this] { toggleOptionsDocked(); }, Qt::QueuedConnection);
    sheet->addAction(dock);
    sheet->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CVantoroView::destroyOptionsSheet()
{
    if (!m_options) return;
    QWidget* sheet = m_options.data();
    m_options.clear();
    sheet->disconnect(this);
    delete sheet;
}

bool CVantoroView::optionsShown() const
{
    // A floating sheet that was closed no longer counts as shown.
    if (!m_optionsDocked && !m_options) return false;
    return m_optionsShown;
}

void CVantoroView::toggleOptions()
{
    if (m_options) {
        m_optionsShown = !m_optionsShown;
        m_options->setVisible(m_optionsShown);
    } else {
        destroyOptionsSheet();
        buildOptionsSheet();
        m_optionsShown = true;
        if (m_options) m_options->show();
    }
    if (m_optionsDocked) RecalcLayout();
}

void CVantoroView::toggleOptionsDocked()
{
    m_optionsDocked = !m_optionsDocked;
    // The sheet is built again in its new place; its pages read their state from the
    // document, so nothing the user set is lost.
    destroyOptionsSheet();
    buildOptionsSheet();
    m_optionsShown = true;
    if (m_options) m_options->setVisible(!m_reportMode);
    RecalcLayout();
}

void CVantoroView::toggleCursorList()
{
    m_cursorListShown = !m_cursorListShown;
    ApplyVisibility();
    RecalcLayout();
}

void CVantoroView::toggleProfiles()
{
    m_profilesShown = !m_profilesShown;
    // The document keeps the profile bits of the record in step and marks the change.
    if (m_doc.profilesShown() != m_profilesShown) m_doc.toggleProfiles();
    ApplyVisibility();
    RecalcLayout();
}

void CVantoroView::buildReportSheet()
{
    // Without a factory (a view on its own, in tests) the sheet is an empty tab widget, so
    // report mode can still be entered and left.
    QWidget* sheet = m_reportFactory ? m_reportFactory(m_doc, *m_displays) : nullptr;
    if (!sheet) sheet = new QTabWidget;
    sheet->setObjectName(QStringLiteral("reportSheet"));
    sheet->setParent(m_canvas, Qt::Widget);
    sheet->move(0, 0);
    sheet->resize(sheet->sizeHint());
    sheet->hide();
    m_report = sheet;
}

void CVantoroView::toggleReportWriter()
{
    if (!m_reportMode) {
        // The report writer works from the saved snapshot. Its files are a thermographer's
        // evidence, so changes are saved only when the user says so; Cancel, or a snapshot
        // that could not be written (the commands have said so), keeps the analysis view
        // with its changes.
        if (!cSnapshotCommands(m_doc, window()).settleChangesFromFiles()) return;
        if (cViewSheet* pages = reportPages()) pages->takeCurrentImage();
    }
    m_reportMode = !m_reportMode;
    ApplyVisibility();
    if (!m_reportMode) RecalcLayout();
}

}  // namespace calivue
