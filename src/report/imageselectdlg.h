// ImageSelectDlg: the "Image Select" page of the report writer. Scans a snapshot folder (and
// optionally its subfolders) for snapshot bitmaps, lists them as thumbnails, and edits the
// report project's inspections through its document by Add, Add All, Remove, Remove All and
// dragging; the inspections list shows the document's inspections, one row each, and follows
// its announcements. A preview shows the selected snapshot as thermal picture, blend and
// visual photograph.
#pragma once

#include "report/reportcontext.h"

#include "core/reportdata.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;

namespace calivue {

class CReportDoc;
class cReportRowList;
struct ReportChange;
class cSnapshotPreview;
class cThumbnailScan;

class ImageSelectDlg : public QWidget {
    Q_OBJECT

public:
    explicit ImageSelectDlg(ReportContext& context, QWidget* parent = nullptr);
    ~ImageSelectDlg() override;

    // --- the inspections list: the document's inspections ----------------------------------
    int rowCount() const;
    // The entry of a row; nullptr outside 0 .. rowCount() − 1.
    const cInspectionImage* entryAt(int row) const;
    std::vector<cInspectionImage> entries() const;

    // --- project load ----------------------------------------------------------------
    // The entries of a project being read, each named again from its bitmap as the files
    // exist (the snapshot path derived from it), their thumbnails made for the rows to come.
    // Nullopt, after the page's own message, when a picture cannot be loaded.
    std::optional<std::vector<cInspectionImage>> resolveEntries(
        const std::vector<cInspectionImage>& entries);
    // Replaces the document's inspections with the entries (resolved as above) paired with
    // `records`; false, changing nothing, when a picture cannot be loaded or the counts differ.
    bool loadProjectEntries(const std::vector<cInspectionImage>& entries,
                            const std::vector<cInspectionRecord>& records);
    // Appends an inspection (with a new record) for the snapshot whose bitmap is at the path;
    // false after a message.
    bool addProjectImage(const QString& bitmapPath, int row);
    // The document's inspections removed, the available list and all thumbnails emptied.
    void clearInspections();

    // --- folder and preview ------------------------------------------------------------
    QString snapshotFolder() const;
    void setSnapshotFolder(const QString& folder);  // the folder box's text
    void scanFolder();                              // Refresh
    void preview(const QString& bitmapPath);        // empty: clears the preview

    // --- the page's commands (the buttons, double click and drop call these) ----------
    void browse();
    void setIncludeSubfolders(bool on);  // as clicking the box: scans again
    void add();
    void addAll();
    void remove();
    void removeAll();
    // Moves inspections row `source` (and its record) onto `target`, −1 meaning the empty
    // space below the rows, by the list's drop rule. Does not mark the project modified.
    void dropRow(int source, int target);
    void editImage();

    // --- listing in progress ----------------------------------------------------------
    bool isScanning() const;
    // Stops the listing; the rows listed so far stay.
    void cancelScan();
    // Runs the event loop until a listing in progress has ended.
    void waitForScan();

    // --- state for the sheet and tests -----------------------------------------------
    int availableCount() const { return static_cast<int>(m_available.size()); }
    QString availablePath(int row) const;
    int availableSelection() const { return m_availableSelection; }
    void selectAvailable(int row);   // as a click on the row
    void selectInspection(int row);  // as a click on the row
    int inspectionCursor() const { return m_inspectionCursor; }
    int selectedInspection() const;
    QString countText() const;
    // Pictures held for the inspections list: one per available row plus the ones that
    // inspections rows show.
    int pictureCount() const { return static_cast<int>(m_pictures.size()); }
    QString previewBitmapPath() const { return m_previewBitmap; }
    QString previewSnapshotPath() const { return m_previewSnapshot; }
    QListWidget* availableList() const;
    QLineEdit* folderEdit() const { return m_folderEdit; }
    // Add, Add All, Remove, Remove All.
    QList<QPushButton*> moveButtons() const { return {m_add, m_addAll, m_remove, m_removeAll}; }
    cReportRowList* inspectionList() const { return m_inspections; }
    cSnapshotPreview* previewArea() const { return m_preview; }
    QLabel* paneLabel(int pane) const { return m_paneLabels[pane]; }
    QProgressBar* progressBar() const { return m_progress; }

signals:
    // A listing has found `total` snapshots and delivered `listed` rows so far.
    void scanProgress(int listed, int total);
    void scanFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct AvailableRow {
        QString path;
        int thumbnail = -1;  // its copy in the inspections' picture list
    };

    void buildControls();
    void setTexts();
    // A button text whose ">>" or "<<" points at its target list in the page's direction.
    QString pointedText(const QString& text, bool towardInspections) const;
    void startListing();
    void onListed(int total);
    void onDelivered(int index, const QString& path, const QImage& image);
    void onScanFinished(const QStringList& errors, bool cancelled);
    void compactInspectionPictures();
    // The entry of the snapshot found at `foundPath`, its thumbnail `thumbnail` remembered
    // for the row the document's announcement will make.
    cInspectionImage entryFor(const QString& foundPath, int thumbnail);
    // A picture for a bitmap: made from the file (appended to the pictures); −1, after the
    // page's message when `report` is set, when it cannot be made.
    int makePicture(const QString& bitmapPath, bool report);
    // The document's announcements, turned into rows.
    void onDocumentChanged(const ReportChange& change);
    void onInserted(int first, int count);
    void onRemoved(int first, int count);
    void onMoved(int from, int to);
    void onReplaced();
    // Makes the thumbnail of the bitmap at `bitmapPath` again for every row showing it.
    void refreshPictures(const QString& bitmapPath);
    // Lists the folder of the first inspection's snapshot when it exists, else the last one.
    void listProjectFolder();
    QListWidgetItem* rowItem(int picture, const QString& bitmapPath) const;
    void refreshCount();
    void previewInspection(int row);
    void availableArrow(int delta);
    void inspectionArrow(int delta);
    void errorBox(const QString& text);

    ReportContext& m_ctx;
    CReportDoc& m_doc;

    QString m_folder;
    // Row r of the available list shows m_available[r]: a file whose thumbnail fails never
    // gets an entry, so rows and paths cannot drift apart.
    std::vector<AvailableRow> m_available;
    int m_availableSelection = -1;
    // The inspections' pictures (image list B); rows name them by index.
    std::vector<QPixmap> m_pictures;
    // The picture each inspections row shows (an index into m_pictures, −1 none), in step
    // with the rows; and the pictures made for bitmaps about to become rows.
    std::vector<int> m_rowPictures;
    QHash<QString, int> m_pictureOf;
    int m_inspectionCursor = -1;
    QString m_previewBitmap, m_previewSnapshot;

    QLineEdit* m_folderEdit = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_refresh = nullptr;
    QCheckBox* m_subfolders = nullptr;
    QListWidget* m_availableList = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_addAll = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_removeAll = nullptr;
    QLabel* m_count = nullptr;
    cReportRowList* m_inspections = nullptr;
    QLabel* m_paneLabels[3] = {};
    QLabel* m_folderLabel = nullptr;
    cSnapshotPreview* m_preview = nullptr;
    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_edit = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer m_progressDelay;
    cThumbnailScan* m_scan = nullptr;
    int m_scanTotal = 0;
};

}  // namespace calivue
