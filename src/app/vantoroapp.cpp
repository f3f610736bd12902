#include "app/vantoroapp.h"

#include "app/aboutdlg.h"
#include "app/mainframe.h"

#include "desktop/clickactivation.h"
#include "platform/commandids.h"
#include "platform/languagetable.h"
#include "desktop/messagedlg.h"
#include "platform/stringids.h"
#include "view/vantoroview.h"
#include "panels/optionssheet.h"
#include "panels/propertiesdlg.h"
#include "report/criteriadlg.h"
#include "report/detailsdlg.h"
#include "document/reportdoc.h"
#include "report/reportsheet.h"
#include "report/templatedlg.h"
#include "report/titledlg.h"
#include "document/vantorodoc.h"

#include <QAction>
#include <QCoreApplication>

namespace calivue {

namespace {
CVantoroApp::DialogHook& aboutHook()
{
    static CVantoroApp::DialogHook hook;
    return hook;
}

CVantoroApp::DialogHook& propertiesHook()
{
    static CVantoroApp::DialogHook hook;
    return hook;
}

CVantoroApp::DialogHook& templateHook()
{
    static CVantoroApp::DialogHook hook;
    return hook;
}

CVantoroApp::DialogHook& criteriaHook()
{
    static CVantoroApp::DialogHook hook;
    return hook;
}

bool reportFailure(const std::optional<SettingsError>& error)
{
    if (!error) return true;
    cMessageDlg::messageBox(error->message, cMessageDlg::IconStop, cMessageDlg::ButtonsOk);
    return false;
}
}  // namespace

CVantoroApp::CVantoroApp(AppOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_settings(m_options.configRoot)
{
}

CVantoroApp::~CVantoroApp()
{
    // The frame (and the report writer in it) refers to the documents, so it goes first.
    delete m_frame.data();
}

CMainFrame* CVantoroApp::mainFrame() const
{
    return m_frame.data();
}

void CVantoroApp::setAboutHook(DialogHook hook)
{
    aboutHook() = std::move(hook);
}

void CVantoroApp::setPropertiesHook(DialogHook hook)
{
    propertiesHook() = std::move(hook);
}

void CVantoroApp::setTemplateHook(DialogHook hook)
{
    templateHook() = std::move(hook);
}

void CVantoroApp::setCriteriaHook(DialogHook hook)
{
    criteriaHook() = std::move(hook);
}

bool CVantoroApp::initInstance(const QStringList& arguments, bool show)
{
    // A stored number that names no template reads as the first (the settings store's rule).
    m_template = m_settings.reportTemplate();
    if (!loadLanguageModule()) return false;

    // The module's table becomes the one every window reads from before the frame is built,
    // so the menu, prompts and any message raised while opening the command-line snapshot
    // all speak the chosen language.
    StringTable::setActive(m_table);
    // Dates, the layout direction (right to left for Hebrew) and Qt's own dialog texts follow
    // the language in use. The displays and the report draw on surfaces of their own and are
    // not mirrored; the view places its panels itself, so they keep their places too.
    m_environment = std::make_unique<LanguageEnvironment>(m_language);

    // Every window the user clicks becomes the active one, with or without a window manager.
    if (QCoreApplication* qtApp = QCoreApplication::instance()) activateWindowsOnClick(*qtApp);
    m_doc = std::make_unique<CVantoroDoc>(m_settings);
    m_report = std::make_unique<CReportDoc>();
    createFrame();
    processCommandLine(arguments);

    if (show) m_frame->show();
    refreshTitle();
    return true;
}

Language CVantoroApp::chooseLanguage() const
{
    return calivue::chooseLanguage(m_settings.language(), m_options.locale);
}

LanguageModules CVantoroApp::languageModules() const
{
    return m_options.moduleDirs ? LanguageModules(*m_options.moduleDirs) : LanguageModules();
}

bool CVantoroApp::loadLanguageModule()
{
    m_language = chooseLanguage();
    m_localeId = languageInfo(m_language).localeId;
    LanguageLoad load = languageModules().load(m_language);
    if (load.ok()) {
        m_table = load.table;
        return true;
    }
    // The user is never locked out: after the message, OK runs this session in the program's
    // own English, where the language dialog can repair the choice. The stored choice is left
    // as it is; only Cancel (or closing the box) ends the program.
    m_table = StringTable::english();
    if (cMessageDlg::messageBox(load.message, load.iconStyle, load.buttonStyle) !=
        cMessageDlg::IdOk)
        return false;
    m_language = Language::English;
    m_localeId = languageInfo(Language::English).localeId;
    return true;
}

bool CVantoroApp::setLanguage(Language language)
{
    return reportFailure(m_settings.setLanguage(language));
}

bool CVantoroApp::setTemplate(ReportTemplate reportTemplate)
{
    if (!reportFailure(m_settings.setReportTemplate(reportTemplate))) return false;
    m_template = reportTemplate;
    return true;
}

bool CVantoroApp::setPersistReportDetails(bool persist)
{
    return reportFailure(m_settings.setPersistReportDetails(persist));
}

bool CVantoroApp::setTempUnit(TempUnit unit)
{
    return reportFailure(m_settings.setTempUnit(unit));
}

void CVantoroApp::createFrame()
{
    m_frame = new CMainFrame(*m_doc, m_settings, m_language);
    // The language dialog offers the languages whose module this program would load.
    m_frame->setLanguageCheck(
        [modules = languageModules()](Language language) { return modules.load(language).ok(); });
    // The frame owns the view as its central widget.
    if (!m_reportSheetFactory) m_reportSheetFactory = defaultReportSheetFactory();
    m_frame->setViewCommands(
        new CVantoroView(*m_doc, cOptionsSheet::factory(), m_reportSheetFactory, m_frame));
    m_frame->setCommandHandler(cmd::Properties, [this] { onProperties(); });
    m_frame->setCommandHandler(cmd::Template, [this] { onTemplate(); });
    m_frame->setCommandHandler(cmd::SeverityCriteria, [this] { onSeverityCriteria(); });
    connect(m_frame->action(cmd::FileOpen), &QAction::triggered, this, &CVantoroApp::onFileOpen);
    // The report project's File commands are the report writer's; they need its sheet, which
    // the view builds with itself.
    ReportFileCommands files;
    files.newProject = [this] {
        if (cReportSheet* sheet = reportSheet()) sheet->newProject();
    };
    files.open = [this] {
        if (cReportSheet* sheet = reportSheet()) sheet->openProject();
    };
    files.save = [this] { return reportSheet() && reportSheet()->saveProject(); };
    files.saveAs = [this] { return reportSheet() && reportSheet()->saveProjectAs(); };
    files.saveModified = [this] { return !reportSheet() || reportSheet()->saveModified(); };
    m_frame->setReportDocument(m_report.get(), std::move(files));
    connect(m_frame->action(cmd::AppAbout), &QAction::triggered, this, &CVantoroApp::onAbout);
}

cReportSheet* CVantoroApp::reportSheet() const
{
    return m_reportSheet;
}

ViewSheetFactory CVantoroApp::defaultReportSheetFactory()
{
    ReportContext context;
    context.report = m_report.get();
    context.settings = m_settings;
    context.reportTemplate = m_template;
    context.language = m_language;
    context.tempUnit = m_settings.tempUnit();
    context.loadLanguage = [modules = languageModules()](Language language) {
        return modules.load(language);
    };
    // Edit Image: the snapshot becomes the document, then the view leaves report mode.
    context.editImage = [this](const QString& bitmapPath) {
        openFile(bitmapPath);
        if (m_frame && m_frame->reportShown()) m_frame->viewCommands()->toggleReportWriter();
        refreshTitle();
    };
    return cReportSheet::factory(std::move(context),
                                 [this](cReportSheet* sheet) { m_reportSheet = sheet; });
}

void CVantoroApp::processCommandLine(const QStringList& arguments)
{
    // The first argument that is not an option names the snapshot. A snapshot that cannot be
    // opened has already been reported; the program carries on with an empty window rather
    // than quitting, so the user can open another one.
    // A report project (.vrp, any case) opens in the report writer instead.
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) continue;
        if (argument.endsWith(QStringLiteral(".vrp"), Qt::CaseInsensitive))
            openReportFile(argument);
        else
            openFile(argument);
        break;
    }
}

void CVantoroApp::refreshTitle()
{
    if (m_frame) m_frame->updateTitle();
}

void CVantoroApp::onProperties()
{
    if (!m_doc || !m_doc->isLoaded()) return;
    cPropertiesDlg dialog(m_doc.get(), m_frame);
    if (propertiesHook()) {
        propertiesHook()(dialog);
        return;
    }
    dialog.exec();
}

void CVantoroApp::onTemplate()
{
    // Reset reaches the pages only while the report writer's sheet exists.
    const auto resetCaptions = [this] {
        cReportSheet* sheet = reportSheet();
        if (!sheet || !sheet->titlePage() || !sheet->detailsPage()) return;
        sheet->titlePage()->resetCaptions();
        sheet->detailsPage()->resetCaptions();
    };
    cTemplateDlg dialog(
        m_settings.reportTemplate(), [this](ReportTemplate t) { return setTemplate(t); },
        resetCaptions, m_frame);
    if (templateHook()) {
        templateHook()(dialog);
        return;
    }
    dialog.exec();
}

void CVantoroApp::onSeverityCriteria()
{
    // What the inspection data page is editing is stored first: the dialog's changes are
    // shown on it afresh.
    if (cReportSheet* sheet = reportSheet(); sheet && sheet->detailsPage())
        sheet->detailsPage()->storeInspection();
    cCriteriaDlg dialog(*m_report, m_frame);
    if (criteriaHook()) {
        criteriaHook()(dialog);
        return;
    }
    dialog.exec();
}

void CVantoroApp::onAbout()
{
    cAboutDlg dialog(StringTable::active(), m_frame);
    if (aboutHook()) {
        aboutHook()(dialog);
        return;
    }
    dialog.exec();
}

}  // namespace calivue
