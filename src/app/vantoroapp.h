// CVantoroApp: the application object. It fixes where the settings live, picks and loads the
// user-interface language, creates the document and the main frame, opens a snapshot named on
// the command line, and owns the Open command and the About box.
//
// It is a plain QObject beside the QApplication (not a subclass), so tests can run start-up
// several times in one process with their own settings folder and module folders.
#pragma once

#include "platform/languageenvironment.h"
#include "platform/languagemodules.h"
#include "platform/settingsstore.h"
#include "platform/stringtable.h"
#include "view/viewsheets.h"

#include "core/printrules.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QDialog;

namespace calivue {

class CMainFrame;
class CReportDoc;
class CVantoroDoc;
class cReportSheet;

struct AppOptions {
    // Settings folder; empty: the user's configuration folder.
    QString configRoot;
    // Folders searched for language modules; nullopt: beside the executable, then the
    // system's library path.
    std::optional<QStringList> moduleDirs;
    // The user's default locale, consulted when no language is stored.
    QLocale locale = QLocale::system();
};

class CVantoroApp : public QObject {
    Q_OBJECT

public:
    explicit CVantoroApp(AppOptions options = {}, QObject* parent = nullptr);
    ~CVantoroApp() override;

    // Start-up. `arguments` are the command-line arguments after the program name. Returns
    // false when start-up must stop (the language module could not be used and the user
    // chose Cancel). On success the main frame exists; it is shown when `show` is set.
    bool initInstance(const QStringList& arguments, bool show = true);

    // The language to use: the stored `Language` when it names one, else the locale's choice.
    Language chooseLanguage() const;
    // Loads the module of the chosen language. When it is missing, broken or carries another
    // language's tag, shows the failure message: OK goes on in the program's own English
    // (nothing written), anything else returns false.
    bool loadLanguageModule();
    // Where this program looks for language modules.
    LanguageModules languageModules() const;

    Language language() const { return m_language; }
    int localeId() const { return m_localeId; }
    bool moduleInUse() const { return m_table.isModule(); }
    ReportTemplate reportTemplate() const { return m_template; }
    // The table the program runs with (the module's, or the program's own English).
    const StringTable& strings() const { return m_table; }

    // Settings writes; each shows its own failure message and returns false on failure.
    bool setLanguage(Language language);
    bool setTemplate(ReportTemplate reportTemplate);
    bool setPersistReportDetails(bool persist);
    bool setTempUnit(TempUnit unit);
    TempUnit tempUnit() const { return m_settings.tempUnit(); }
    SettingsStore& settings() { return m_settings; }

    // Opens a snapshot by its .bmp name; a .qvx name (any case) opens its .BMP. Asks about
    // unsaved changes first; false when the user kept the document or the open failed.
    bool openFile(const QString& path);
    // Shows the report writer and reads the report project at `path` into it; a file that
    // cannot be read is reported ("Error reading VRP file") and false returned.
    bool openReportFile(const QString& path);
    // The Open command: a report project when the report writer is shown (the main frame's
    // report File commands), else a snapshot chosen in the open dialog.
    void onFileOpen();
    // The About box: its captions from the active table, its contents from the program's own.
    void onAbout();
    // The Properties command: the read-only summary of the open snapshot.
    void onProperties();
    // The Template command: the report template dialog on the stored setting.
    void onTemplate();
    // The Severity Criteria command: the report project's findings settings.
    void onSeverityCriteria();

    CVantoroDoc* document() const { return m_doc.get(); }
    // The report project's document (exists from start-up on).
    CReportDoc* reportDocument() const { return m_report.get(); }
    CMainFrame* mainFrame() const;
    // The report writer's sheet once the view has built it (nullptr before, or when a test
    // installed a factory of its own).
    cReportSheet* reportSheet() const;

    // When set, onAbout hands the built dialog to the hook instead of running it. For tests.
    using DialogHook = std::function<void(QDialog&)>;
    static void setAboutHook(DialogHook hook);
    // The same for the properties dialog.
    static void setPropertiesHook(DialogHook hook);
    // The same for the template dialog.
    static void setTemplateHook(DialogHook hook);
    static void setCriteriaHook(DialogHook hook);
    // Builds the report writer's sheet; without one the view shows an empty sheet. Takes
    // effect when the frame is created.
    void setReportSheetFactory(ViewSheetFactory factory)
    {
        m_reportSheetFactory = std::move(factory);
    }

private:
    void createFrame();
    // The report writer's sheet with this application's settings, template and language.
    ViewSheetFactory defaultReportSheetFactory();
    void processCommandLine(const QStringList& arguments);
    void refreshTitle();

    AppOptions m_options;
    SettingsStore m_settings;
    StringTable m_table;
    Language m_language = Language::English;
    int m_localeId = 2057;
    ReportTemplate m_template = ReportTemplate::Maintenance;
    // The locale, layout direction and Qt texts of the language in use; set at start-up.
    std::unique_ptr<LanguageEnvironment> m_environment;
    std::unique_ptr<CVantoroDoc> m_doc;
    std::unique_ptr<CReportDoc> m_report;
    QPointer<CMainFrame> m_frame;
    ViewSheetFactory m_reportSheetFactory;
    QPointer<cReportSheet> m_reportSheet;
};

}  // namespace calivue
