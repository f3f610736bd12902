// The main frame's commands: the menu and tool bar built from the menu resource of the active
// string table, the handlers, and the enabling and check rules.
#include "app/mainframe.h"

#include "app/helpdlg.h"
#include "app/toolbaricons.h"
#include "view/viewcommands.h"

#include "platform/commandids.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "document/vantorodoc.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace calivue {

namespace {

// The desktop's standard keys for the commands that have them, shown beside the menu texts.
// Where the desktop defines none (Save As and Quit on some), the common choice stands in.
void setStandardShortcut(QAction* action, int command)
{
    const auto standard = [action](QKeySequence::StandardKey key, const char* fallback) {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        if (keys.isEmpty())
            action->setShortcut(QKeySequence(QString::fromLatin1(fallback)));
        else
            action->setShortcuts(keys);
    };
    // Menus draw the keys beside the text, in the menu bar's menus and any other.
    action->setShortcutVisibleInContextMenu(true);
    switch (command) {
        case cmd::NewReportProject:
            return standard(QKeySequence::New, "Ctrl+N");
        case cmd::FileOpen:
            return standard(QKeySequence::Open, "Ctrl+O");
        case cmd::FileSave:
            return standard(QKeySequence::Save, "Ctrl+S");
        case cmd::FileSaveAs:
            return standard(QKeySequence::SaveAs, "Ctrl+Shift+S");
        case cmd::EditCopy:
            return standard(QKeySequence::Copy, "Ctrl+C");
        case cmd::AppExit:
            return standard(QKeySequence::Quit, "Ctrl+Q");
        case cmd::HelpGuide:
            return standard(QKeySequence::HelpContents, "F1");
        default:
            return;
    }
}

}  // namespace

QAction* CMainFrame::makeAction(int command, const QString& text)
{
    QAction* existing = m_actions.value(command, nullptr);
    if (existing) return existing;
    const StringTable& table = StringTable::active();
    auto* action = new QAction(text, this);
    action->setData(command);
    action->setStatusTip(table.prompt(command));
    const QString tip = table.toolTip(command);
    action->setToolTip(tip.isEmpty() ? table.prompt(command) : tip);
    const QIcon icon = toolBarIcon(command);
    if (!icon.isNull()) action->setIcon(icon);
    action->setIconVisibleInMenu(false);
    setStandardShortcut(action, command);
    m_actions.insert(command, action);
    return action;
}

void CMainFrame::buildMenus()
{
    for (const MenuDef& def : StringTable::active().menus()) {
        QMenu* menu = menuBar()->addMenu(def.text);
        // Menus are brought up to date as they open, as the framework did before each popup.
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        for (const MenuEntry& entry : def.items) {
            if (entry.separator)
                menu->addSeparator();
            else
                menu->addAction(makeAction(entry.command, entry.text));
        }
    }
}

void CMainFrame::buildToolBar()
{
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("toolbar540"));
    m_toolBar->setIconSize(QSize(kToolBarIconWidth, kToolBarIconHeight));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int command : StringTable::active().toolbar()) {
        if (command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.value(command, nullptr);
        // A tool-bar button whose command is not on the menu still works the same way.
        if (!action) action = makeAction(command, StringTable::active().toolTip(command));
        m_toolBar->addAction(action);
    }
}

void CMainFrame::connectCommands()
{
    const auto on = [this](int command, auto&& slot) {
        if (QAction* a = m_actions.value(command, nullptr))
            connect(a, &QAction::triggered, this, slot);
    };
    // File
    // Save and Save As go to the current document: the report project in report mode.
    on(cmd::FileSave, [this] {
        if (!reportShown())
            m_snapshot.save();
        else if (m_reportFiles.save)
            m_reportFiles.save();
    });
    on(cmd::FileSaveAs, [this] {
        if (!reportShown())
            m_snapshot.saveAs();
        else if (m_reportFiles.saveAs)
            m_reportFiles.saveAs();
    });
    on(cmd::NewReportProject, [this] {
        // The report writer comes to the front with a new project.
        if (m_view && !reportShown()) m_view->toggleReportWriter();
        if (reportShown() && m_reportFiles.newProject) m_reportFiles.newProject();
        updateTitle();
        updateCommandStates();
    });
    on(cmd::Revert, [this] { m_snapshot.revert(); });
    on(cmd::ExcelOutput, [this] { m_snapshot.exportCsv(); });
    on(cmd::Properties, [this] { runHandler(cmd::Properties); });
    on(cmd::AppExit, [this] { close(); });
    // Edit
    on(cmd::EditCopy, [this] {
        if (m_view) m_view->copyToClipboard();
    });
    on(cmd::CopyToBitmap, [this] {
        if (m_view) m_view->copyToBitmap();
    });
    // View
    on(cmd::ViewToolbar, [this](bool) { m_toolBar->setVisible(m_toolBar->isHidden()); });
    on(cmd::ViewStatusBar, [this](bool) { statusBar()->setVisible(statusBar()->isHidden()); });
    on(cmd::MeasurementCursorList, [this] {
        if (m_view) m_view->toggleCursorList();
    });
    on(cmd::MeasurementCursors, [this] { m_doc.toggleCursors(); });
    on(cmd::CursorTemperature, [this] { m_doc.toggleCursorTemperature(); });
    on(cmd::HotColdCursors, [this] { m_doc.toggleHotCold(); });
    on(cmd::AreaSelect, [this] { m_doc.toggleAreaSelect(); });
    on(cmd::BlueIsotherm, [this] { m_doc.toggleBlueIsotherm(); });
    on(cmd::RedIsotherm, [this] { m_doc.toggleRedIsotherm(); });
    on(cmd::Profiles, [this] {
        if (m_view) m_view->toggleProfiles();
    });
    on(cmd::Options, [this] {
        if (m_view) m_view->toggleOptions();
    });
    on(cmd::DockOptions, [this] {
        if (m_view) m_view->toggleOptionsDocked();
    });
    on(cmd::ReportWriter, [this] {
        if (m_view) m_view->toggleReportWriter();
        // The title and the commands follow the document that is current now.
        updateTitle();
        updateCommandStates();
    });
    // Tools
    on(cmd::ResetIsotherms, [this] { m_doc.resetIsotherms(); });
    on(cmd::PersistReportDetails, [this] { m_snapshot.togglePersistReportDetails(); });
    on(cmd::Language, [this] { onLanguage(); });
    on(cmd::Template, [this] { runHandler(cmd::Template); });
    on(cmd::SeverityCriteria, [this] { runHandler(cmd::SeverityCriteria); });
    // Help
    on(cmd::HelpGuide, [this] { showHelp(false); });
    on(cmd::HelpShortcuts, [this] { showHelp(true); });
    // Every command may change what the others allow.
    for (QAction* a : std::as_const(m_actions))
        connect(a, &QAction::triggered, this, &CMainFrame::updateCommandStates,
                Qt::QueuedConnection);

    // Every command that can carry a tick is checkable, so its state shows on the tool bar too.
    for (int command :
         {cmd::ViewToolbar, cmd::ViewStatusBar, cmd::MeasurementCursorList, cmd::MeasurementCursors,
          cmd::CursorTemperature, cmd::HotColdCursors, cmd::AreaSelect, cmd::BlueIsotherm,
          cmd::RedIsotherm, cmd::Profiles, cmd::Options, cmd::DockOptions, cmd::ReportWriter,
          cmd::PersistReportDetails}) {
        if (QAction* a = m_actions.value(command, nullptr)) a->setCheckable(true);
    }
}

void CMainFrame::updateCommandStates()
{
    const bool report = reportShown();
    const bool analysis = m_doc.isLoaded() && !report;
    const bool view = m_view != nullptr;
    // The view's profile rule asks for an image, not a decoded record: a loaded snapshot
    // always has one, so the analysis rule covers it.
    const auto set = [this](int command, bool enabled, int checked = -1) {
        QAction* a = m_actions.value(command, nullptr);
        if (!a) return;
        a->setEnabled(enabled);
        if (checked >= 0) a->setChecked(checked != 0);
    };

    set(cmd::FileOpen, true);
    set(cmd::NewReportProject, view);
    set(cmd::FileSave, report || m_doc.saveEnabled());
    set(cmd::FileSaveAs, report || m_doc.saveEnabled());
    set(cmd::Revert, !report && m_doc.revertEnabled());
    set(cmd::ExcelOutput, analysis);
    set(cmd::Properties, analysis && hasHandler(cmd::Properties));
    set(cmd::AppExit, true);

    set(cmd::EditCopy, analysis && view);
    set(cmd::CopyToBitmap, analysis && view);

    set(cmd::ViewToolbar, true, m_toolBar->isHidden() ? 0 : 1);
    set(cmd::ViewStatusBar, true, statusBar()->isHidden() ? 0 : 1);
    set(cmd::MeasurementCursorList, view && !report, view && m_view->cursorListShown());
    set(cmd::MeasurementCursors, analysis, m_doc.cursorsShown());
    set(cmd::CursorTemperature, analysis, m_doc.cursorTemperaturesShown());
    set(cmd::HotColdCursors, analysis, m_doc.hotColdShown());
    set(cmd::AreaSelect, analysis, m_doc.areaSelectOn());
    set(cmd::BlueIsotherm, analysis, (m_doc.isothermFlags() & 1u) != 0);
    set(cmd::RedIsotherm, analysis, (m_doc.isothermFlags() & 2u) != 0);
    set(cmd::Profiles, view && analysis, view && m_view->profilesShown());
    set(cmd::Options, view && !report, view && m_view->optionsShown());
    set(cmd::DockOptions, view && !report && m_view->optionsShown(),
        view && m_view->optionsDocked());
    set(cmd::ReportWriter, view, view && m_view->reportMode());

    set(cmd::ResetIsotherms, analysis);
    set(cmd::PersistReportDetails, report, m_doc.persistReportDetails());
    set(cmd::Language, true);
    set(cmd::Template, report && hasHandler(cmd::Template));
    set(cmd::SeverityCriteria, report && hasHandler(cmd::SeverityCriteria));
    set(cmd::AppAbout, true);
    set(cmd::HelpGuide, true);
    set(cmd::HelpShortcuts, true);
}

void CMainFrame::showHelp(bool shortcuts)
{
    // One Help window, built afresh each time so it follows the menus and keys of now.
    if (m_help) m_help->deleteLater();
    const StringTable& texts = StringTable::active();
    const QString html =
        guideHtml(m_language, *this, texts) + shortcutsHtml(shortcutRows(*this, texts), texts);
    m_help = new cHelpDlg(
        html,
        texts.text(sid::HelpTitle) + QStringLiteral(" \u2013 ") + texts.text(sid::ProductTitle),
        this);
    m_help->setAttribute(Qt::WA_DeleteOnClose);
    m_help->show();
    if (shortcuts)
        m_help->showShortcuts();
    else
        m_help->showGuide();
}

}  // namespace calivue
