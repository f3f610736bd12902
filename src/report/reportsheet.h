// cReportSheet: the report writer's property sheet inside the image view. It creates the
// three pages in the order title, image selection, inspection data, each a view of the report
// project's document (CReportDoc) given in the shared context, and carries the File commands
// of that document with their dialogs and messages: New, Open, Save, Save As and the question
// asked before unsaved work would be lost.
#pragma once

#include "report/reportcontext.h"

#include "view/viewsheets.h"

#include <QTabWidget>

#include <filesystem>
#include <memory>

namespace calivue {

class CReportDoc;
class CVantoroDoc;
class DetailsDlg;
class ImageSelectDlg;
class TitleDlg;
struct FileFailure;
struct ReportJob;
struct ReportProject;

class cReportSheet : public QTabWidget, public cViewSheet {
    Q_OBJECT

public:
    // `context.doc` is set to &doc. Without `context.report` the sheet makes a report
    // document of its own (a page tested alone); otherwise that document must outlive it.
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
    CReportDoc& document() const { return *m_context->report; }

    // --- the report project (the document's, for the sheet's commands) ------------------
    QString projectName() const;
    QString projectFolder() const;
    bool projectModified() const;
    void setProjectModified(bool modified);

    // The project writer and reader. writeProject shows nothing: false, with failure (when
    // given) naming the file and reason; readProject's failures are shown.
    bool writeProject(const QString& path, FileFailure* failure = nullptr);
    bool readProject(const QString& path);
    // The File commands of report mode. Open and New first offer to save unsaved work and
    // stop when the user cancels.
    void newProject();
    void openProject();
    bool saveProject();
    bool saveProjectAs();
    // Before unsaved work would be lost: "Save changes to <name>?" with Yes, No and Cancel
    // when the project is modified. False (keep what is open) on Cancel, Escape, or a Save
    // that did not write the project.
    bool saveModified();
    // "New Survey from This Project...": the project is saved first when it has changes or
    // no file (it becomes the previous survey), then the new one is made (title values with
    // today's date, the equipment list with its statuses reset, criteria and conditions, a
    // link back, no inspections), written where the user chooses, as Save As asks, and opened.
    // False when the user cancelled or a file could not be written (said in a message).
    bool newSurveyFromProject();
    // "Generate PDF Report": the details page's button.
    void generateReport();
    // "Generate Word Report": the same report as an editable Word document.
    void generateWordReport();

    // cViewSheet: before report mode starts, the details page shows its inspection again
    // from the snapshot just saved.
    void takeCurrentImage() override;

private:
    void showWriteFailure(const QString& path, const FileFailure& failure);
    void onPageChanged(int index);
    // After a report was written: names the file, offers to open it or its folder.
    // "The ... report has been saved as" (savedAsText), with Open report and Open folder.
    void confirmReport(const QString& path, int savedAsText);
    // The job's settings of the window (unit, template, language, texts) and its file.
    // The project's file, for the links it holds; empty for a project not saved yet.
    std::filesystem::path projectFile() const;
    void prepareJob(ReportJob& job, const QString& path);
    // What the pages are editing goes into the document.
    void storeEdits();

    std::unique_ptr<CReportDoc> m_ownDocument;  // only when the context brought none
    std::unique_ptr<ReportContext> m_context;   // stable address for the pages
    TitleDlg* m_title = nullptr;
    ImageSelectDlg* m_images = nullptr;
    DetailsDlg* m_details = nullptr;
    int m_shownPage = -1;
};

}  // namespace calivue
