// What every report writer page is given when the sheet creates it: the document, the
// application's settings store, the template and language in effect, and the few calls
// that reach outside the page (marking the project modified, handing a snapshot to the
// analysis window). The sheet owns it and outlives its pages.
#pragma once

#include "reporttemplate.h"
#include "settingsstore.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace calivue {

class CVantoroDoc;

struct ReportContext {
    CVantoroDoc* doc = nullptr;  // may be null in tests of a page alone
    SettingsStore settings;      // the application's store (a location, copied)
    int templateNumber = 0;      // 0-3, read once at start-up
    int language = 0;            // language number in effect (message word order)
    int tempUnit = 0;            // the application's TempUnit when the sheet was made
    // Sets the report project's modified flag (and refreshes the window title).
    std::function<void()> markModified;
    // Opens a snapshot by its .bmp path as the document and leaves report-writer mode.
    std::function<void(const QString& bitmapPath)> editImage;
    // Generates the PDF report (the inspection data page's button); unset until the
    // report generator exists.
    std::function<void()> generateReport;
    // Saves the report project as the File > Save command does (the details page's button).
    std::function<bool()> saveProject;

    void modified() const
    {
        if (markModified) markModified();
    }
};

}  // namespace calivue
