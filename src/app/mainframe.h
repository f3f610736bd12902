// CMainFrame: the main window. It builds the menu and tool bar from the active string table's
// menu resource, keeps every command's enabled and checked state in step with the document
// and the view, shows the status-bar read-outs and the title, and asks about unsaved changes
// before it closes.
#pragma once

#include "app/helpdlg.h"
#include "document/commands/snapshotcommands.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QTimer;
class QToolBar;

namespace calivue {

class CReportDoc;
class CVantoroDoc;
class SettingsStore;
class ViewCommands;

// The File commands of the report project, carried out by the report writer with its dialogs
// and messages. Unset members do nothing (saveModified: nothing to lose).
struct ReportFileCommands {
    std::function<void()> newProject;
    std::function<void()> open;
    std::function<bool()> save;
    std::function<bool()> saveAs;
    std::function<bool()> saveModified;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // `doc` and `settings` must outlive the frame; `language` is the language in use, shown
    // selected in the language dialog.
    CMainFrame(CVantoroDoc& doc, SettingsStore& settings, Language language,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command of the menu resource (nullptr for an unknown number).
    QAction* action(int command) const;
    QList<int> commands() const { return m_actions.keys(); }
    QToolBar* toolBar() const { return m_toolBar; }

    // Installs the view: its widget becomes the central widget (owned by the frame) and the
    // view's commands are enabled by their rules. The interface object itself is not owned
    // and must outlive the frame or be replaced first.
    void setViewCommands(ViewCommands* view);
    ViewCommands* viewCommands() const { return m_view; }

    // The report project's document and its File commands. While the view shows the report
    // writer, the title and Save, Save As follow that document; closing asks about both.
    // `doc` must outlive the frame.
    void setReportDocument(CReportDoc* doc, ReportFileCommands commands);
    // Whether the report project is the current document (the view is in report mode).
    bool reportShown() const;
    // File > Open of the report project.
    void openReportProject()
    {
        if (m_reportFiles.open) m_reportFiles.open();
    }

    // A handler for a command carried out outside the frame (the properties dialog, the
    // template dialog). A command without a handler stays disabled.
    void setCommandHandler(int command, std::function<void()> handler);

    // Re-evaluates every command's enabled and checked state (also done on document changes
    // and before a menu opens).
    void updateCommandStates();
    // Refreshes the status-bar read-outs from the document.
    void updateStatusPanes();
    // The current document's title rule with the product title.
    void updateTitle();

    // The window's size, position, bars and options-sheet docking from the settings file
    // (done when the view is installed) and back to it (when the window closes).
    void restoreWindowSettings();
    void saveWindowSettings();

    // Status-bar pane texts: 130 the isotherm difference, 1 the position, 129 the temperature.
    QString paneText(int pane) const;

    // When set, the language command hands the language in use to the hook instead of running
    // the language dialog. For tests.
    static void setLanguageDialogHook(std::function<void(Language)> hook);
    // Whether a language's module is installed; the language dialog offers only those.
    // Without one, every language counts as installed.
    void setLanguageCheck(std::function<bool(Language)> installed)
    {
        m_languageInstalled = std::move(installed);
    }
    // The Help window while it is open (the guide, or the shortcuts with `shortcuts`).
    void showHelp(bool shortcuts);
    cHelpDlg* helpWindow() const { return m_help; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void connectCommands();
    void connectDocument();
    QAction* makeAction(int command, const QString& text);
    void onLanguage();
    bool hasHandler(int command) const { return m_handlers.contains(command); }
    void runHandler(int command);

    CVantoroDoc& m_doc;
    // The snapshot's File commands: their questions, dialogs and messages.
    cSnapshotCommands m_snapshot;
    CReportDoc* m_report = nullptr;
    ReportFileCommands m_reportFiles;
    SettingsStore& m_settings;
    Language m_language;
    std::function<bool(Language)> m_languageInstalled;
    ViewCommands* m_view = nullptr;
    QHash<int, QAction*> m_actions;
    QHash<int, std::function<void()>> m_handlers;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_diffPane = nullptr;      // 130
    QLabel* m_positionPane = nullptr;  // 1
    QLabel* m_tempPane = nullptr;      // 129
    QTimer* m_idle = nullptr;
    QPointer<cHelpDlg> m_help;
};

}  // namespace calivue
