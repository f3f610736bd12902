// "Generate PDF Report" and "Generate Word Report" of report mode: the project document's data
// made into one report job, the file chosen, and the job written with the wait cursor and, for a
// long report, a progress dialog whose Cancel drops the job without leaving a file.
#include "report/reportsheet.h"

#include "report/detailsdlg.h"
#include "report/engine/docxreport.h"
#include "report/fitnotes.h"
#include "report/imageselectdlg.h"
#include "document/reportdoc.h"
#include "report/engine/reportgenerator.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reportpage.h"
#include "report/reportstylebox.h"
#include "report/engine/reporttext.h"
#include "report/titledlg.h"

#include "desktop/irfiledialog.h"
#include "platform/languagetable.h"
#include "desktop/messagedlg.h"
#include "platform/fspath.h"
#include "platform/pdfprinter.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QProgressDialog>

namespace calivue {

using namespace Qt::StringLiterals;

namespace {

// Keeps the printer's last error for the message shown once the wait cursor is gone.
class JobListener : public PdfPrinterListener {
public:
    void fileSaved(const QString&) override { errorCode = 0; }
    void printError(int code) override { errorCode = code; }
    int errorCode = 0;
};

// Reports of more pages than this show the progress dialog.
constexpr int kProgressPages = 8;

// The report's file, asked for in a save dialog of one file type ("pdf", "docx").
std::optional<QString> askReportPath(const QString& extension, int typeName, QWidget* parent)
{
    cIRFileDialog dialog(cIRFileDialog::Mode::Save, extension, uiText(sid::DefaultReportName));
    dialog.addFilters(
        formatText(u"%s (*."_s + extension + u")|*."_s + extension + u"|%s (*.*)|*.*||"_s,
                   {uiText(typeName), uiText(sid::AllFiles)}));
    dialog.setOverwritePrompt(true);
    return dialog.choose(parent);
}

// The window-modal progress of a long report (null for a short one): its Cancel drops the job.
std::unique_ptr<QProgressDialog> reportProgress(int total, bool longReport, QWidget* parent)
{
    if (!longReport) return nullptr;
    auto progress =
        std::make_unique<QProgressDialog>(QString(), uiText(sid::Cancel), 0, total, parent);
    progress->setWindowTitle(uiText(sid::ProductTitle));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    return progress;
}

}  // namespace

void cReportSheet::generateWordReport()
{
    if (m_details == nullptr || m_images == nullptr || m_title == nullptr) return;
    storeEdits();
    ReportJob job = reportJobFromProject(document().project(), projectFile());
    if (job.entries.empty()) {
        cMessageDlg::messageBox(sid::NoReportsSelected, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
        return;
    }
    const std::optional<QString> path = askReportPath(u"docx"_s, sid::WordFiles, this);
    if (!path) return;
    prepareJob(job, *path);

    const int total = static_cast<int>(job.entries.size());
    std::unique_ptr<QProgressDialog> progress =
        reportProgress(total, total > kProgressPages / 2, this);
    const auto onInspection = [&](int done, int) {
        if (!progress) return true;
        const auto i = static_cast<std::size_t>(done - 1);
        progress->setLabelText(inspectionHeading(
            done, i < job.records.size() ? job.records[i].name : std::u16string(), job.texts));
        progress->setValue(done);
        return !progress->wasCanceled();
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportOutcome outcome = writeDocxReport(job, onInspection);
    QApplication::restoreOverrideCursor();
    progress.reset();
    if (outcome.error == Error::None)
        confirmReport(*path, sid::WordReportSavedAs);
    else if (outcome.error != Error::Cancelled)
        cMessageDlg::messageBox(outcome.message, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
}

std::filesystem::path cReportSheet::projectFile() const
{
    // A previous survey linked by a relative path is found beside the project's own file.
    return document().isUntitled() ? std::filesystem::path()
                                   : toFsPath(projectFolder() + projectName());
}

void cReportSheet::prepareJob(ReportJob& job, const QString& path)
{
    job.unit = m_details->unit();
    job.reportTemplate = m_context->reportTemplate;
    // The project's report language when it names an installed one, else the window's.
    ReportLanguage language = reportLanguageOf(*m_context);
    job.language = language.language;
    job.texts = std::move(language.texts);
    job.locale = languageLocale(job.language);
    job.outputPath = path;
    // The report is made without a logo that does not load, but never without a word.
    if (!job.logoProblem.isEmpty())
        cMessageDlg::messageBox(job.logoProblem, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
    // So is a previous survey that was moved or does not read: printed without the comparison.
    if (!job.previousProblem.isEmpty())
        cMessageDlg::messageBox(job.previousProblem, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
}

void cReportSheet::generateReport()
{
    if (m_details == nullptr || m_images == nullptr || m_title == nullptr) return;
    storeEdits();
    // Everything printed comes from the project's document.
    ReportJob job = reportJobFromProject(document().project(), projectFile());
    if (job.entries.empty()) {
        cMessageDlg::messageBox(sid::NoReportsSelected, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
        return;
    }

    // The classic pages cut a text longer than its box: the user hears which before choosing.
    if (job.layout == ReportLayout::Classic) {
        const QStringList cut =
            textsThatWillBeCut(job.title, job.records, m_context->reportTemplate);
        if (!cut.isEmpty() && cMessageDlg::choiceOrCancelBox(
                                  formatText(uiText(sid::TextsWillBeCut), {cut.join(u'\n')}),
                                  cMessageDlg::IconExclamation, {uiText(sid::GenerateAnyway)},
                                  this) != cMessageDlg::IdChoice)
            return;
    }

    const std::optional<QString> path = askReportPath(u"pdf"_s, sid::PdfFiles, this);
    if (!path) return;

    PdfPrinter printer;
    if (!printer.initialize(QStringLiteral("PDF Converter"), QStringLiteral("Report Writer"))) {
        cMessageDlg::messageBox(sid::PdfInitFailed, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
        return;
    }

    prepareJob(job, *path);

    const int total = layout::pageCounts(static_cast<int>(job.entries.size())).total;
    std::unique_ptr<QProgressDialog> progress = reportProgress(total, total > kProgressPages, this);
    const auto onPage = [&](int done, int pages) {
        if (!progress) return true;
        progress->setLabelText(pageOfText(done, pages, job.language));
        // The modern layout knows its page count only once its pages are laid out.
        if (progress->maximum() != pages) progress->setMaximum(pages);
        progress->setValue(done);  // a modal progress dialog processes the events here
        return !progress->wasCanceled();
    };

    JobListener listener;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportOutcome outcome = runReportJob(job, printer, onPage, &listener);
    QApplication::restoreOverrideCursor();
    progress.reset();
    if (outcome.error == Error::None) {
        confirmReport(*path, sid::ReportSavedAs);
        return;
    }
    if (listener.errorCode != 0)
        cMessageDlg::messageBox(outcome.message, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
}

void cReportSheet::confirmReport(const QString& path, int savedAsText)
{
    // The report is the end of the survey: say where it went and offer to show it.
    const int answer = cMessageDlg::choiceBox(
        formatText(uiText(savedAsText), {QDir::toNativeSeparators(path)}),
        cMessageDlg::IconInformation,
        {uiText(sid::OpenReportButton), uiText(sid::OpenFolderButton)}, this);
    if (answer != cMessageDlg::IdChoice && answer != cMessageDlg::IdChoice + 1) return;
    const QFileInfo file(path);
    const QUrl url = QUrl::fromLocalFile(answer == cMessageDlg::IdChoice ? file.absoluteFilePath()
                                                                         : file.absolutePath());
    const bool opened =
        m_context->openUrl ? m_context->openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened)
        cMessageDlg::messageBox(couldNotFindText(url.toLocalFile(), m_context->language),
                                cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
}

}  // namespace calivue
