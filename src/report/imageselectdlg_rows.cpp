// The inspections list of the image selection page: adding, removing and reordering the
// report document's inspections, the rows that follow its announcements, and the entries of a
// project being read.
#include "report/imageselectdlg.h"

#include "platform/fspath.h"
#include "platform/languagetable.h"
#include "report/reportrowlist.h"
#include "desktop/messagedlg.h"
#include "report/reorder.h"
#include "document/reportdoc.h"
#include "report/engine/reporttext.h"
#include "platform/textformat.h"
#include "report/thumbnail.h"
#include "report/thumbnailscan.h"

#include "core/snapshotfiles.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace calivue {

namespace {

// The file as it exists on disk: camera cards write IR_0001.BMP and IR_0001.QVX, while the
// entry's names end ".bmp" and ".qvx"; a name that differs only in case is the same file.
QString onDisk(const QString& path)
{
    const auto found = findCompanion(toFsPath(path));
    return found ? fromFsPath(*found) : path;
}

// Whether the user put anything into the record. The measurement choices are left out: the
// details page fills them in for every inspection it merely shows.
bool holdsTypedDetails(const cInspectionRecord& record)
{
    cInspectionRecord typed = record;
    typed.firstMeasurement = cInspectionRecord{}.firstMeasurement;
    typed.secondMeasurement = cInspectionRecord{}.secondMeasurement;
    return typed != cInspectionRecord{};
}

}  // namespace

int ImageSelectDlg::rowCount() const
{
    return m_doc.inspectionCount();
}

const cInspectionImage* ImageSelectDlg::entryAt(int row) const
{
    const cInspection* inspection = m_doc.inspection(row);
    return inspection ? &inspection->image : nullptr;
}

std::vector<cInspectionImage> ImageSelectDlg::entries() const
{
    return m_doc.images();
}

QString ImageSelectDlg::countText() const
{
    return m_count->text();
}

void ImageSelectDlg::refreshCount()
{
    m_count->setText(formatText(QStringLiteral("%s: %d"), {uiText(sid::Inspections), rowCount()}));
}

// --- rows that follow the document ------------------------------------------------------------

QListWidgetItem* ImageSelectDlg::rowItem(int picture, const QString& bitmapPath) const
{
    // The file name tells apart snapshots whose thumbnails look alike.
    auto* item = new QListWidgetItem(QFileInfo(bitmapPath).fileName());
    item->setToolTip(bitmapPath);
    if (picture >= 0 && picture < static_cast<int>(m_pictures.size()))
        item->setIcon(QIcon(m_pictures[static_cast<std::size_t>(picture)]));
    item->setSizeHint(kThumbnailSize + QSize(4, 8 + m_inspections->fontMetrics().height()));
    return item;
}

void ImageSelectDlg::refreshPictures(const QString& bitmapPath)
{
    if (bitmapPath.isEmpty()) return;
    const QFileInfo saved(bitmapPath);
    int picture = -1;  // made once, on the first row that shows the file
    const auto showsSaved = [&](const QString& path) {
        if (QFileInfo(path) != saved) return false;
        if (picture < 0) {
            // The camera's bitmap is copied unchanged by a save: the edits are in the record.
            const QString base = path.left(path.lastIndexOf(QLatin1Char('.')));
            const Thumbnail made =
                makeSnapshotThumbnail(onDisk(path), onDisk(base + QStringLiteral(".qvx")));
            if (made.failure != Error::None) return false;
            m_pictures.push_back(QPixmap::fromImage(made.image));
            picture = static_cast<int>(m_pictures.size()) - 1;
        }
        return true;
    };
    for (int row = 0; row < rowCount(); ++row) {
        if (!showsSaved(toQString(entryAt(row)->bitmapPath))) continue;
        m_rowPictures[static_cast<std::size_t>(row)] = picture;
        m_inspections->item(row)->setIcon(QIcon(m_pictures[static_cast<std::size_t>(picture)]));
    }
    for (std::size_t row = 0; row < m_available.size(); ++row) {
        if (!showsSaved(m_available[row].path)) continue;
        m_available[row].thumbnail = picture;
        m_availableList->item(static_cast<int>(row))
            ->setIcon(QIcon(m_pictures[static_cast<std::size_t>(picture)]));
    }
    if (m_previewBitmap.isEmpty() || QFileInfo(m_previewBitmap) != saved) return;
    preview(m_previewBitmap);
}

void ImageSelectDlg::onDocumentChanged(const ReportChange& change)
{
    if (change.has(ReportPart::Project))
        onReplaced();
    else if (change.has(ReportPart::Inserted))
        onInserted(change.first, change.count);
    else if (change.has(ReportPart::Removed))
        onRemoved(change.first, change.count);
    else if (change.has(ReportPart::Moved))
        onMoved(change.first, change.to);
}

void ImageSelectDlg::onInserted(int first, int count)
{
    for (int row = first; row < first + count; ++row) {
        const QString bitmap = toQString(entryAt(row)->bitmapPath);
        // A row added here brought its picture along; another one's is made from its file.
        int picture = m_pictureOf.value(bitmap, -1);
        if (picture < 0) picture = makePicture(bitmap, false);
        m_rowPictures.insert(m_rowPictures.begin() + row, picture);
        m_inspections->insertItem(row, rowItem(picture, bitmap));
    }
    refreshCount();
}

void ImageSelectDlg::onRemoved(int first, int count)
{
    for (int i = 0; i < count; ++i) delete m_inspections->takeItem(first);
    m_rowPictures.erase(m_rowPictures.begin() + first, m_rowPictures.begin() + first + count);
    if (m_inspectionCursor >= rowCount()) m_inspectionCursor = -1;
    refreshCount();
}

void ImageSelectDlg::onMoved(int from, int to)
{
    m_inspections->insertItem(to, m_inspections->takeItem(from));
    const int picture = m_rowPictures[static_cast<std::size_t>(from)];
    m_rowPictures.erase(m_rowPictures.begin() + from);
    m_rowPictures.insert(m_rowPictures.begin() + to, picture);
}

void ImageSelectDlg::onReplaced()
{
    m_inspections->clear();
    m_rowPictures.clear();
    m_inspectionCursor = -1;
    onInserted(0, rowCount());
    preview(QString());
    listProjectFolder();
}

void ImageSelectDlg::listProjectFolder()
{
    // A project read lists the folder its snapshots came from; without one (a new project, or
    // the folder is gone) the folder shown before is listed again beside the rows.
    if (const cInspectionImage* first = entryAt(0)) {
        const QFileInfo bitmap(toQString(first->bitmapPath));
        if (bitmap.isAbsolute() && bitmap.dir().exists()) m_folder = bitmap.absolutePath();
    }
    if (!m_folder.isEmpty()) {
        m_folderEdit->setText(m_folder);
        scanFolder();
    }
}

// --- the page's commands ------------------------------------------------------------------------

cInspectionImage ImageSelectDlg::entryFor(const QString& foundPath, int thumbnail)
{
    // The entry names the record and the bitmap by their designed extensions, resolved to
    // the files that exist so that they open on a file system that tells case apart.
    const qsizetype dot = foundPath.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = foundPath.lastIndexOf(QLatin1Char('/'));
    const QString base = dot > slash ? foundPath.left(dot) : foundPath;
    cInspectionImage entry;
    entry.snapshotPath = toU16(onDisk(base + QStringLiteral(".qvx")));
    entry.bitmapPath = toU16(onDisk(base + QStringLiteral(".bmp")));
    entry.thumbnailIndex = thumbnail;
    if (thumbnail >= 0) m_pictureOf.insert(toQString(entry.bitmapPath), thumbnail);
    return entry;
}

void ImageSelectDlg::add()
{
    if (m_availableSelection < 0) {
        if (m_available.empty()) return;
        m_availableSelection = 0;
        m_availableList->setCurrentRow(0);
    }
    const AvailableRow& row = m_available[static_cast<std::size_t>(m_availableSelection)];
    m_doc.appendInspection(entryFor(row.path, row.thumbnail));
    m_inspections->scrollToItem(m_inspections->item(rowCount() - 1));
    m_availableList->setFocus();
    previewInspection(rowCount() - 1);
}

void ImageSelectDlg::addAll()
{
    std::vector<cInspection> added;
    for (const AvailableRow& row : m_available)
        added.push_back({entryFor(row.path, row.thumbnail), {}, {}, {}});
    // One insertion: the document announces the whole batch once.
    m_doc.insertInspections(rowCount(), std::move(added));
    if (rowCount() > 0) {
        m_inspections->scrollToItem(m_inspections->item(rowCount() - 1));
        previewInspection(rowCount() - 1);
    }
}

void ImageSelectDlg::remove()
{
    const int removed = selectedInspection();
    if (removed < 0) return;
    m_doc.removeInspections(removed, 1);
    const int count = rowCount();
    const int selected = removed < count ? removed : removed - 1;
    if (selected >= 0) {
        m_inspections->setCurrentRow(selected);
        m_inspectionCursor = selected;
    } else {
        m_inspections->clearSelection();
        m_inspectionCursor = -1;
    }
    m_inspections->setFocus();
    previewInspection(selected);
}

void ImageSelectDlg::removeAll()
{
    // Typed details are work the user cannot get back: ask before they go.
    const auto& all = m_doc.inspections();
    const auto typed = std::count_if(
        all.begin(), all.end(), [](const cInspection& i) { return holdsTypedDetails(i.record); });
    if (typed > 0 &&
        cMessageDlg::messageBox(
            formatText(uiText(sid::RemoveTypedDetails), {static_cast<int>(typed)}),
            cMessageDlg::IconQuestion, cMessageDlg::ButtonsYesNo, this) != cMessageDlg::IdYes)
        return;
    m_doc.removeAll();
    m_inspectionCursor = -1;
    preview(QString());
    m_availableSelection = -1;
}

void ImageSelectDlg::dropRow(int source, int target)
{
    const int to = droppedIndex(rowCount(), source, target);
    if (to < 0 || to == source) return;
    m_doc.moveInspection(source, to);
    m_inspections->setCurrentRow(to);
    m_inspectionCursor = to;
}

// --- project load ---------------------------------------------------------------------

void ImageSelectDlg::clearInspections()
{
    m_scan->cancel();
    m_doc.removeAll();
    m_availableSelection = -1;
    m_inspectionCursor = -1;
    m_availableList->clear();
    m_available.clear();
    refreshCount();
    preview(QString());
    m_pictures.clear();
    m_rowPictures.assign(m_rowPictures.size(), -1);
    m_pictureOf.clear();
}

int ImageSelectDlg::makePicture(const QString& bitmapPath, bool report)
{
    const Thumbnail thumbnail = makeThumbnail(onDisk(bitmapPath));
    const QString aborting = uiText(sid::AbortingLoad);
    switch (thumbnail.failure) {
        case Error::None:
            m_pictures.push_back(QPixmap::fromImage(thumbnail.image));
            return static_cast<int>(m_pictures.size()) - 1;
        case Error::NotFound:
        case Error::NotRegular:
        case Error::ReadFailed:
            if (report) errorBox(twoPart(couldNotFindText(bitmapPath, m_ctx.language), aborting));
            return -1;
        default:
            break;
    }
    // A file that opened but did not decode: the bitmap reader's words for a name ending
    // "bmp" (the one it reads), the picture loader's for any other.
    const bool bitmap = onDisk(bitmapPath).endsWith(QLatin1String("bmp"), Qt::CaseSensitive);
    if (report)
        errorBox(twoPart(uiText(bitmap ? sid::InvalidBitmapWhileLoading : sid::FailedToLoadJpeg),
                         aborting));
    return -1;
}

std::optional<std::vector<cInspectionImage>> ImageSelectDlg::resolveEntries(
    const std::vector<cInspectionImage>& entries)
{
    std::vector<cInspectionImage> resolved;
    for (const cInspectionImage& stored : entries) {
        // The stored snapshot path and thumbnail index are not used: both come from the
        // bitmap as it is found now.
        const QString bitmap = toQString(stored.bitmapPath);
        const int picture = bitmap.isEmpty() ? -1 : makePicture(bitmap, true);
        if (!bitmap.isEmpty() && picture < 0) return std::nullopt;
        resolved.push_back(bitmap.isEmpty() ? stored : entryFor(onDisk(bitmap), picture));
    }
    return resolved;
}

bool ImageSelectDlg::addProjectImage(const QString& bitmapPath, int)
{
    if (bitmapPath.isEmpty()) return true;
    const auto resolved = resolveEntries({cInspectionImage{{}, toU16(bitmapPath), 0}});
    if (!resolved) return false;
    m_doc.appendInspection(resolved->front());
    return true;
}

bool ImageSelectDlg::loadProjectEntries(const std::vector<cInspectionImage>& entries,
                                        const std::vector<cInspectionRecord>& records)
{
    if (entries.size() != records.size()) return false;
    const auto resolved = resolveEntries(entries);
    if (!resolved) return false;
    std::vector<cInspection> inspections;
    for (std::size_t i = 0; i < resolved->size(); ++i)
        inspections.push_back({(*resolved)[i], records[i], defaultRecordFindings(records[i]), {}});
    m_doc.removeAll();
    m_doc.insertInspections(0, std::move(inspections));
    listProjectFolder();
    return true;
}

}  // namespace calivue
