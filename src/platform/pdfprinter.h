// PdfPrinter: the program's PDF printer. It is steered like a virtual printer, through named
// profiles of options (the folder and file to save to, page size, magnification, whether to
// prompt, what to do when the file exists, image compression), an active profile that the
// next job prints with, and a listener told when the file is saved or the job failed. A job
// draws through one QPainter on a QPdfWriter: A4 portrait at 300 dpi, so the device units are
// 2480 × 3508 and no scaling is set; the document is PDF/A-1b with its fonts embedded and its
// text kept as text. The document is built in memory and written out only when the job
// completes, every byte of it checked, under a temporary name beside the target that is renamed
// over it last, so a failed or cancelled job (or a full disk) leaves any earlier file of that
// name as it was.
#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QBuffer;
class QPainter;
class QPdfWriter;

namespace calivue {

// The option names and the values the report sets.
namespace pdfopt {
inline const QString SaveFolder = QStringLiteral("Save Folder");
inline const QString SaveFile = QStringLiteral("Save File");
inline const QString PageSize = QStringLiteral("Page Size");
inline const QString PageMagnification = QStringLiteral("Document Page Magnification");
inline const QString MagnificationPercent = QStringLiteral("Document Magnification Percent");
inline const QString PromptSaveDialog = QStringLiteral("Prompt Save Dialog");
inline const QString FileConflictStrategy = QStringLiteral("File Conflict Strategy");
inline const QString UseImageCompression = QStringLiteral("Use Image Compression");

inline constexpr int PageSizeA4 = 9;
inline constexpr int MagnificationPercentOfPage = 4;  // the percentage below applies
inline constexpr int ConflictOverwrite = 3;           // replace an existing file
}  // namespace pdfopt

// What the listener is told.
class PdfPrinterListener {
public:
    virtual ~PdfPrinterListener() = default;
    virtual void fileSaved(const QString& path) = 0;
    // code: 1 the temporary file could not be written, 3 the PDF file could not be saved,
    // 4 the job was cancelled.
    virtual void printError(int code) = 0;
};

class PdfPrinter {
public:
    enum ErrorCode { TemporaryFileError = 1, SaveError = 3, JobCancelled = 4 };

    PdfPrinter();
    ~PdfPrinter();
    PdfPrinter(const PdfPrinter&) = delete;
    PdfPrinter& operator=(const PdfPrinter&) = delete;

    // The printer and the application using it; false for an empty printer name.
    bool initialize(const QString& printerName, const QString& applicationName);
    bool isInitialized() const { return !m_printerName.isEmpty(); }
    QString printerName() const { return m_printerName; }

    // --- profiles -------------------------------------------------------------------------
    // flags are kept for the component's interface; 0 is a user profile.
    void addProfile(const QString& name, int flags);
    bool hasProfile(const QString& name) const { return m_profiles.contains(name); }
    void deleteProfile(const QString& name, int flags);
    // False when the profile does not exist.
    bool setOptionString(const QString& option, const QString& value, const QString& profile);
    bool setOptionLong(const QString& option, int value, const QString& profile);
    QVariant option(const QString& option, const QString& profile) const;
    // The active profile's name and flag (empty: the printer's defaults).
    QString activeProfile(int* flags = nullptr) const;
    void setActiveProfile(const QString& name, int flags);

    // --- events and the default printer ----------------------------------------------------
    void registerEventWindow(PdfPrinterListener* listener) { m_listener = listener; }
    void unregisterEventWindow() { m_listener = nullptr; }
    void setDefaultPrinter() { m_isDefault = true; }
    void restoreDefaultPrinter() { m_isDefault = false; }
    bool isDefaultPrinter() const { return m_isDefault; }

    // --- a print job with the active profile's options ---------------------------------------
    // Opens the output (the temporary file beside Save Folder + Save File) and starts the
    // first page; the painter is null on failure, after printError(1) or (3 for options this
    // printer cannot honour, or an existing file the conflict strategy keeps).
    QPainter* startDocument(const QString& documentName, const QString& creator);
    QPainter* painter() const { return m_painter.get(); }
    // Ends the page drawn so far and starts the next one.
    bool newPage();
    // Finishes the document and renames it over the target: fileSaved(path) or printError(3).
    bool endDocument();
    // Drops the job and its temporary file: printError(code), 4 (cancelled) by default.
    void abortDocument(int code = JobCancelled);
    // The path the job writes, valid from startDocument.
    QString outputPath() const { return m_outputPath; }

    // Stores a finished document in full, replacing the target only when all of it is written;
    // returns the system's reason when it could not (empty on success).
    using FileWriter = std::function<QString(const QByteArray& document)>;
    // The writer the next jobs' documents go to (the caller's file layer); without one the
    // printer writes outputPath() itself.
    void setFileWriter(FileWriter writer) { m_fileWriter = std::move(writer); }

    // The user's message for a print error code (empty for an unknown code).
    static QString errorMessage(int code);
    // The user's message for the last failed job: the folder that does not exist, or the
    // file with the system's reason, where known; else errorMessage(code). Empty after a
    // job that saved its file.
    QString failureText(int code) const;

private:
    void fail(int code);
    void closeJob();

    QString m_printerName;
    QString m_applicationName;
    QMap<QString, QMap<QString, QVariant>> m_profiles;
    QString m_activeProfile;
    int m_activeFlags = 0;
    PdfPrinterListener* m_listener = nullptr;
    bool m_isDefault = false;

    QString m_outputPath;
    QString m_failure;  // why the last job could not write its file; empty when unknown
    FileWriter m_fileWriter;
    std::unique_ptr<QBuffer> m_document;  // the job's PDF until it is written out
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
};

}  // namespace calivue
