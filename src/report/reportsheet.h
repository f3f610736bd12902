// cReportSheet: the report writer's property sheet inside the image view. It creates the
// three pages in the order title, image selection, inspection data, each given the shared
// context, pairs the image selection page with the details page, and keeps the report
// project: its name, folder and modified flag, the File Open / Save / Save As of report mode
// and the document's hooks for the window title and the close question.
#pragma once

#include "reportcontext.h"

#include "viewsheets.h"

#include <QTabWidget>

#include <memory>

namespace calivue {

class CVantoroDoc;
class DetailsDlg;
class ImageSelectDlg;
class TitleDlg;
struct ReportProject;

class cReportSheet : public QTabWidget, public cViewSheet {
    Q_OBJECT

public:
    // `context.doc` is set to &doc; its markModified to this sheet's project flag.
    cReportSheet(ReportContext context, CVantoroDoc& doc, QWidget* parent = nullptr);
    ~cReportSheet() override;

    // A factory for the view: each sheet built gets a copy of `context`. `built`, when set,
    // is told of every sheet made (the application keeps a pointer for its commands).
    static ViewSheetFactory factory(ReportContext context,
                                    std::function<void(cReportSheet*)> built = {});

    TitleDlg* titlePage() const { return m_title; }
    ImageSelectDlg* imageSelectPage() const { return m_images; }
    DetailsDlg* detailsPage() const { return m_details; }
    const ReportContext& context() const { return *m_context; }

    // --- the report project -------------------------------------------------------------
    // The file name of the project, extension included ("Untitled.vrp" for a new one).
    QString projectName() const { return m_projectName; }
    // The folder of the last project written or read, with its trailing separator.
    QString projectFolder() const { return m_projectFolder; }
    bool projectModified() const { return m_projectModified; }
    // Sets or clears the flag and refreshes the window title.
    void setProjectModified(bool modified);

    // The project writer and reader; false on failure (after their messages).
    bool writeProject(const QString& path);
    bool readProject(const QString& path);
    // The File commands of report mode.
    void openProject();
    bool saveProject();
    bool saveProjectAs();
    // "Generate PDF Report": the details page's button.
    void generateReport();

    // cViewSheet: before report mode starts, the details page shows its inspection again
    // from the snapshot just saved.
    void takeCurrentImage() override;

private:
    void onPageChanged(int index);
    // What the pages hold now, as the project file stores it.
    ReportProject projectFromPages() const;

    std::unique_ptr<ReportContext> m_context;  // stable address for the pages
    CVantoroDoc& m_doc;
    TitleDlg* m_title = nullptr;
    ImageSelectDlg* m_images = nullptr;
    DetailsDlg* m_details = nullptr;
    int m_shownPage = -1;
    QString m_projectName;
    QString m_projectFolder;
    bool m_projectModified = false;
};

}  // namespace calivue
