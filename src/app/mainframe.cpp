#include "app/mainframe.h"

#include "view/viewcommands.h"

#include "platform/commandids.h"
#include "desktop/languagedlg.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "document/reportdoc.h"
#include "document/vantorodoc.h"

#include <QAction>
#include <QCloseEvent>
#include <QTimer>

namespace calivue {

namespace {
std::function<void(Language)>& languageHook()
{
    static std::function<void(Language)> hook;
    return hook;
}
}  // namespace

CMainFrame::CMainFrame(CVantoroDoc& doc, SettingsStore& settings, Language language,
                       QWidget* parent)
    : QMainWindow(parent),
      m_doc(doc),
      m_snapshot(doc, this),
      m_settings(settings),
      m_language(language)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // An empty button-face area until the image view is installed.
    auto* placeholder = new QWidget(this);
    placeholder->setBackgroundRole(QPalette::Button);
    placeholder->setAutoFillBackground(true);
    setCentralWidget(placeholder);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    connectCommands();
    connectDocument();

    // The idle refresh: catches state the document does not announce (the view's own flags,
    // the tool bar's visibility) the way the framework's idle update did.
    m_idle = new QTimer(this);
    m_idle->setInterval(250);
    connect(m_idle, &QTimer::timeout, this, [this] {
        updateCommandStates();
        updateStatusPanes();
    });
    m_idle->start();

    resize(1100, 760);
    updateCommandStates();
    updateStatusPanes();
    updateTitle();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::action(int command) const
{
    return m_actions.value(command, nullptr);
}

void CMainFrame::setViewCommands(ViewCommands* view)
{
    m_view = view;
    if (view && view->widget()) setCentralWidget(view->widget());
    if (view) restoreWindowSettings();
    updateCommandStates();
}

void CMainFrame::setCommandHandler(int command, std::function<void()> handler)
{
    if (handler)
        m_handlers.insert(command, std::move(handler));
    else
        m_handlers.remove(command);
    updateCommandStates();
}

void CMainFrame::runHandler(int command)
{
    const auto it = m_handlers.constFind(command);
    if (it != m_handlers.constEnd()) (*it)();
}

void CMainFrame::setLanguageDialogHook(std::function<void(Language)> hook)
{
    languageHook() = std::move(hook);
}

void CMainFrame::onLanguage()
{
    if (languageHook()) {
        languageHook()(m_language);
        return;
    }
    // The new language is stored for the next start; this run keeps its own.
    cLanguageDlg::run(m_settings, m_language, this, m_languageInstalled);
}

void CMainFrame::updateTitle()
{
    const QString app = uiText(sid::ProductTitle);
    setWindowTitle(reportShown() && m_report ? m_report->windowTitle(app) : m_doc.windowTitle(app));
}

bool CMainFrame::reportShown() const
{
    return m_view && m_view->reportMode();
}

void CMainFrame::setReportDocument(CReportDoc* doc, ReportFileCommands commands)
{
    if (m_report) disconnect(m_report, nullptr, this, nullptr);
    m_report = doc;
    m_reportFiles = std::move(commands);
    if (!m_report) return;
    // The title shows the project's name and modified mark.
    connect(m_report, &CReportDoc::changed, this, [this](const ReportChange& change) {
        if (change.what & (ReportPart::Modified | ReportPart::Saved | ReportPart::Project))
            updateTitle();
    });
    updateTitle();
}

void CMainFrame::connectDocument()
{
    connect(&m_doc, &CVantoroDoc::changed, this, [this](DocChanges what) {
        // The commands' ticks and enabled states follow the switches and the file state.
        const DocChanges commands = DocChange::Picture | DocChange::Title | DocChange::Isotherms |
                                    DocChange::Area | DocChange::Markers | DocChange::Profiles |
                                    DocChange::Readings | DocChange::Saved | DocChange::Layout |
                                    DocChange::Controls;
        // The status panes show the selected point's reading, the isotherm difference and the
        // area statistics.
        const DocChanges panes = (commands & ~DocChanges(DocChange::Title)) | DocChange::Selection |
                                 DocChange::Unit | DocChange::Span;
        if (what & commands) updateCommandStates();
        if (what & panes) updateStatusPanes();
        if (what & (DocChange::Title | DocChange::Picture | DocChange::Isotherms | DocChange::Area |
                    DocChange::Markers | DocChange::Profiles))
            updateTitle();
    });
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Exit and the window's close button both ask about unsaved changes, the report project's
    // first, then the snapshot's; Cancel (or Escape) on either keeps the program running.
    const bool reportKept = !m_reportFiles.saveModified || m_reportFiles.saveModified();
    if (!reportKept || !m_snapshot.saveModified()) {
        event->ignore();
        return;
    }
    saveWindowSettings();
    event->accept();
}

}  // namespace calivue
