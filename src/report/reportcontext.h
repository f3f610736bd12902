// What every report writer page is given when the sheet creates it: the report project's
// document (which the pages show and change), the snapshot document, the application's settings
// store, the template and language in effect, and the few calls that reach outside the page
// (handing a snapshot to the analysis window, the sheet's buttons). The sheet owns it and
// outlives its pages.
#pragma once

#include "platform/languagemodules.h"
#include "platform/settingsstore.h"

#include "core/printrules.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

namespace calivue {

class CReportDoc;
class CVantoroDoc;

struct ReportContext {
    CReportDoc* report = nullptr;  // the report project; required, outlives the pages
    CVantoroDoc* doc = nullptr;    // may be null in tests of a page alone
    SettingsStore settings;        // the application's store (a location, copied)
    ReportTemplate reportTemplate = ReportTemplate::Maintenance;  // read once at start-up
    Language language = Language::English;  // the window's language (message word order)
    TempUnit tempUnit = TempUnit::Celsius;  // the application's unit when the sheet was made
    // Opens a snapshot by its .bmp path as the document and leaves report-writer mode.
    std::function<void(const QString& bitmapPath)> editImage;
    // Generates the PDF report (the inspection data page's button); unset until the
    // report generator exists.
    std::function<void()> generateReport;
    // Generates the report as a Word document (the button beside it).
    std::function<void()> generateWordReport;
    // Saves the report project as the File > Save command does (the details page's button).
    std::function<bool()> saveProject;
    // Starts the next survey of the same equipment from the project on show (the title
    // page's button); unset until the sheet exists.
    std::function<void()> newSurvey;
    // Opens a file or folder in the desktop's viewer; unset: QDesktopServices::openUrl.
    std::function<bool(const QUrl&)> openUrl;
    // Loads the language module of a report language other than the window's; unset: the
    // program's own places (LanguageModules). The report writer offers the languages whose
    // module loads.
    std::function<LanguageLoad(Language language)> loadLanguage;
};

}  // namespace calivue
