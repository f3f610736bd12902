#include "platform/pdfprinter.h"

#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace calivue {

namespace {

// Writes document to path through a save file, checking the count of every write: a write
// that stores only part of its bytes (the disk filled up) is retried with the rest, so the
// system's reason surfaces instead of a short file being renamed over the old one.
QString saveDocument(const QString& path, const QByteArray& document)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    for (qsizetype done = 0; done < document.size();) {
        const qint64 n = file.write(document.constData() + done, document.size() - done);
        if (n <= 0) return file.errorString();
        done += static_cast<qsizetype>(n);
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace

PdfPrinter::PdfPrinter() = default;

PdfPrinter::~PdfPrinter()
{
    // A job still open is dropped, never left half written under the target's name.
    if (m_painter) {
        m_listener = nullptr;
        abortDocument();
    }
}

bool PdfPrinter::initialize(const QString& printerName, const QString& applicationName)
{
    if (printerName.isEmpty()) return false;
    m_printerName = printerName;
    m_applicationName = applicationName;
    return true;
}

void PdfPrinter::addProfile(const QString& name, int)
{
    if (!m_profiles.contains(name)) m_profiles.insert(name, {});
}

void PdfPrinter::deleteProfile(const QString& name, int)
{
    m_profiles.remove(name);
    if (m_activeProfile == name) m_activeProfile.clear();
}

bool PdfPrinter::setOptionString(const QString& option, const QString& value,
                                 const QString& profile)
{
    auto it = m_profiles.find(profile);
    if (it == m_profiles.end()) return false;
    it->insert(option, value);
    return true;
}

bool PdfPrinter::setOptionLong(const QString& option, int value, const QString& profile)
{
    auto it = m_profiles.find(profile);
    if (it == m_profiles.end()) return false;
    it->insert(option, value);
    return true;
}

QVariant PdfPrinter::option(const QString& option, const QString& profile) const
{
    const auto it = m_profiles.find(profile);
    return it == m_profiles.end() ? QVariant() : it->value(option);
}

QString PdfPrinter::activeProfile(int* flags) const
{
    if (flags) *flags = m_activeFlags;
    return m_activeProfile;
}

void PdfPrinter::setActiveProfile(const QString& name, int flags)
{
    m_activeProfile = name;
    m_activeFlags = flags;
}

QString PdfPrinter::errorMessage(int code)
{
    switch (code) {
        case TemporaryFileError:
            return uiText(sid::PdfTemporaryFileError);
        case SaveError:
            return uiText(sid::PdfSaveError);
        case JobCancelled:
            return uiText(sid::PdfJobCancelled);
        default:
            return {};
    }
}

QString PdfPrinter::failureText(int code) const
{
    return m_failure.isEmpty() ? errorMessage(code) : m_failure;
}

void PdfPrinter::fail(int code)
{
    closeJob();
    if (m_listener) m_listener->printError(code);
}

void PdfPrinter::closeJob()
{
    if (m_painter && m_painter->isActive()) m_painter->end();
    m_painter.reset();
    m_writer.reset();
    m_document.reset();
}

QPainter* PdfPrinter::startDocument(const QString& documentName, const QString& creator)
{
    closeJob();
    m_failure.clear();
    const auto opt = [this](const QString& name, int fallback) {
        const QVariant v = option(name, m_activeProfile);
        return v.isValid() ? v.toInt() : fallback;
    };
    const QString folder = option(pdfopt::SaveFolder, m_activeProfile).toString();
    const QString file = option(pdfopt::SaveFile, m_activeProfile).toString();
    m_outputPath = QDir(folder).filePath(file);
    // This printer draws A4 at 100 % only and never prompts; any other choice is an error
    // rather than a silently different document.
    const bool supported = opt(pdfopt::PageSize, pdfopt::PageSizeA4) == pdfopt::PageSizeA4 &&
                           opt(pdfopt::MagnificationPercent, 100) == 100 &&
                           opt(pdfopt::PromptSaveDialog, 0) == 0;
    const bool overwrite =
        opt(pdfopt::FileConflictStrategy, pdfopt::ConflictOverwrite) == pdfopt::ConflictOverwrite;
    if (!isInitialized() || file.isEmpty() || !supported ||
        (!overwrite && QFileInfo::exists(m_outputPath))) {
        fail(SaveError);
        return nullptr;
    }
    // A folder that is not there is named as such, not as a printer-server failure.
    const QFileInfo folderInfo(QFileInfo(m_outputPath).absolutePath());
    if (!folderInfo.exists()) {
        m_failure = formatText(uiText(sid::PdfFolderMissing),
                               {QDir::toNativeSeparators(folderInfo.absoluteFilePath())});
        fail(TemporaryFileError);
        return nullptr;
    }
    m_document = std::make_unique<QBuffer>();
    if (!m_document->open(QIODevice::WriteOnly)) {
        fail(TemporaryFileError);
        return nullptr;
    }
    m_writer = std::make_unique<QPdfWriter>(m_document.get());
    m_writer->setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    m_writer->setResolution(300);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    m_writer->setTitle(documentName);
    m_writer->setCreator(creator.isEmpty() ? m_applicationName : creator);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get())) {
        fail(TemporaryFileError);
        return nullptr;
    }
    return m_painter.get();
}

bool PdfPrinter::newPage()
{
    return m_writer && m_painter && m_painter->isActive() && m_writer->newPage();
}

bool PdfPrinter::endDocument()
{
    if (!m_painter) return false;
    const bool drawn = m_painter->end();
    m_painter.reset();
    m_writer.reset();  // flushes nothing more: the painter's end wrote the document
    if (!drawn) {
        fail(TemporaryFileError);
        return false;
    }
    const QByteArray& document = m_document->data();
    const QString reason =
        m_fileWriter ? m_fileWriter(document) : saveDocument(m_outputPath, document);
    m_document.reset();
    if (!reason.isEmpty()) {
        m_failure = formatText(uiText(sid::PdfCannotWriteFile),
                               {QDir::toNativeSeparators(m_outputPath), reason});
        fail(SaveError);
        return false;
    }
    if (m_listener) m_listener->fileSaved(m_outputPath);
    return true;
}

void PdfPrinter::abortDocument(int code)
{
    fail(code);
}

}  // namespace calivue
