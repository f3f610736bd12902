// The inspections list of the image selection page: adding, removing and reordering rows
// together with the details page's records, and the rows of a loaded project.
#include "imageselectdlg.h"

#include "detailsdlg.h"
#include "fspath.h"
#include "languagetable.h"
#include "rowlist.h"
#include "messagedlg.h"
#include "reorder.h"
#include "reporttext.h"
#include "textformat.h"
#include "thumbnail.h"
#include "thumbnailscan.h"

#include "core/snapshotfiles.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

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

}  // namespace

int ImageSelectDlg::rowCount() const
{
    return static_cast<int>(m_entries.size());
}

const cInspectionImage* ImageSelectDlg::entryAt(int row) const
{
    return row >= 0 && row < rowCount() ? &m_entries[static_cast<std::size_t>(row)] : nullptr;
}

std::vector<cInspectionImage> ImageSelectDlg::entries() const
{
    return m_entries;
}

QString ImageSelectDlg::countText() const
{
    return m_count->text();
}

void ImageSelectDlg::refreshCount()
{
    m_count->setText(formatText(QStringLiteral("%s: %d"), {uiText(sid::Inspections), rowCount()}));
}

void ImageSelectDlg::appendInspection(const QString& foundPath, int thumbnail)
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
    m_entries.push_back(std::move(entry));
    auto* item = new QListWidgetItem;
    if (thumbnail >= 0 && thumbnail < static_cast<int>(m_pictures.size()))
        item->setIcon(QIcon(m_pictures[static_cast<std::size_t>(thumbnail)]));
    item->setSizeHint(kThumbnailSize + QSize(4, 4));
    m_inspections->addItem(item);
}

void ImageSelectDlg::add()
{
    if (m_availableSelection < 0) {
        if (m_available.empty()) return;
        m_availableSelection = 0;
        m_availableList->setCurrentRow(0);
    }
    const AvailableRow& row = m_available[static_cast<std::size_t>(m_availableSelection)];
    appendInspection(row.path, row.thumbnail);
    m_inspections->scrollToItem(m_inspections->item(rowCount() - 1));
    refreshCount();
    m_availableList->setFocus();
    if (m_details) m_details->appendRecord();
    previewInspection(rowCount() - 1);
    m_ctx.modified();
    if (m_details) m_details->setCurrentInspection(0);
}

void ImageSelectDlg::addAll()
{
    for (const AvailableRow& row : m_available) {
        appendInspection(row.path, row.thumbnail);
        if (m_details) m_details->appendRecord();
    }
    refreshCount();
    if (rowCount() > 0) {
        m_inspections->scrollToItem(m_inspections->item(rowCount() - 1));
        previewInspection(rowCount() - 1);
    }
    if (!m_available.empty()) m_ctx.modified();
    if (m_details) m_details->setCurrentInspection(0);
}

void ImageSelectDlg::remove()
{
    const int removed = selectedInspection();
    if (removed < 0) return;
    m_entries.erase(m_entries.begin() + removed);
    delete m_inspections->takeItem(removed);
    refreshCount();
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
    if (m_details) m_details->removeRecord(removed);
    previewInspection(selected);
    m_ctx.modified();
    if (m_details) m_details->setCurrentInspection(0);
}

void ImageSelectDlg::removeAll()
{
    const bool had = rowCount() > 0;
    if (m_details)
        for (int i = 0; i < rowCount(); ++i) m_details->removeRecord(0);
    m_entries.clear();
    m_inspections->clear();
    m_inspectionCursor = -1;
    refreshCount();
    preview(QString());
    m_availableSelection = -1;
    if (had) m_ctx.modified();
    if (m_details) m_details->setCurrentInspection(0);
}

void ImageSelectDlg::dropRow(int source, int target)
{
    const int to = droppedIndex(rowCount(), source, target);
    if (to < 0 || to == source) return;
    moveByDrop(m_entries, source, target);
    QListWidgetItem* moved = m_inspections->takeItem(source);
    m_inspections->insertItem(to, moved);
    m_inspections->setCurrentRow(to);
    m_inspectionCursor = to;
    if (m_details) m_details->moveRecord(source, target);
}

// --- project load ---------------------------------------------------------------------

void ImageSelectDlg::clearInspections()
{
    m_scan->cancel();
    m_entries.clear();
    m_availableSelection = -1;
    m_inspectionCursor = -1;
    m_inspections->clear();
    m_availableList->clear();
    m_available.clear();
    refreshCount();
    preview(QString());
    m_pictures.clear();
}

bool ImageSelectDlg::addProjectImage(const QString& bitmapPath, int)
{
    if (bitmapPath.isEmpty()) return true;
    const QString path = onDisk(bitmapPath);
    const Thumbnail thumbnail = makeThumbnail(path);
    const QString aborting = uiText(sid::AbortingLoad);
    switch (thumbnail.failure) {
        case ThumbnailFailure::None:
            break;
        case ThumbnailFailure::NotReadable: {
            errorBox(twoPart(couldNotFindText(bitmapPath, m_ctx.language), aborting));
            return false;
        }
        case ThumbnailFailure::InvalidBitmap:
            errorBox(twoPart(uiText(sid::InvalidBitmapWhileLoading), aborting));
            return false;
        case ThumbnailFailure::PictureRejected:
            errorBox(twoPart(uiText(sid::FailedToLoadJpeg), aborting));
            return false;
    }
    // The row always goes at the end: giving it another row's place would pair it with the
    // wrong record.
    m_pictures.push_back(QPixmap::fromImage(thumbnail.image));
    appendInspection(path, static_cast<int>(m_pictures.size()) - 1);
    return true;
}

bool ImageSelectDlg::loadProjectEntries(const std::vector<cInspectionImage>& entries,
                                        const std::vector<cInspectionRecord>& records)
{
    clearInspections();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!addProjectImage(toQString(entries[i].bitmapPath), static_cast<int>(i))) return false;
    if (m_details) {
        m_details->clearRecords();
        if (m_details->recordCount() > 0)
            cMessageDlg::twoPartBox(sid::InternalError, sid::NotAllReportsRemoved,
                                    cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
        m_details->appendRecords(records);
    }
    refreshCount();
    if (!m_folder.isEmpty()) {
        m_folderEdit->setText(m_folder);
        scanFolder();
    }
    return true;
}

}  // namespace calivue
