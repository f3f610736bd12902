// ImageSelectDlg: the "Image Select" page of the report writer. Scans a snapshot folder (and
// optionally its subfolders) for snapshot bitmaps, lists them as thumbnails, and builds the
// ordered inspections list by Add, Add All, Remove, Remove All and dragging; each row carries
// its cInspectionImage and is paired by position with one record of the details page. A
// preview shows the selected snapshot as thermal picture, blend and visual photograph.
#pragma once

#include "reportcontext.h"

#include "core/reportdata.h"

#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace calivue {

class DetailsDlg;
class cInspectionList;
class cSnapshotPreview;
class cThumbnailScan;

class ImageSelectDlg : public QWidget {
    Q_OBJECT

public:
    explicit ImageSelectDlg(ReportContext& context, QWidget* parent = nullptr);
    ~ImageSelectDlg() override;

    // The details page whose records follow the rows. Not owned.
    void setDetails(DetailsDlg* page);

    // --- the inspections list (read by the project writer and the report) ------------
    int rowCount() const;
    // The entry of a row; nullptr outside 0 .. rowCount() − 1.
    const cInspectionImage* entryAt(int row) const;
    std::vector<cInspectionImage> entries() const;

    // --- project load ----------------------------------------------------------------
    // Replaces both lists with the project's rows (thumbnails made again from each
    // bitmapPath) and the details page's records with copies of `records`. False, after
    // the page's own message, when a picture cannot be loaded.
    bool loadProjectEntries(const std::vector<cInspectionImage>& entries,
                            const std::vector<cInspectionRecord>& records);
    // Appends a row for the snapshot whose bitmap is at the path; false after a message.
    bool addProjectImage(const QString& bitmapPath, int row);
    // Both lists and their thumbnails emptied; the details page is not touched.
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
    cInspectionList* inspectionList() const { return m_inspections; }
    cSnapshotPreview* previewArea() const { return m_preview; }
    QProgressBar* progressBar() const { return m_progress; }

signals:
    // A listing has found `total` snapshots and delivered `listed` rows so far.
    void scanProgress(int listed, int total);
    void scanFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct AvailableRow {
        QString path;
        int thumbnail = -1;  // its copy in the inspections' picture list
    };

    void buildControls();
    void setTexts();
    void startListing();
    void onListed(int total);
    void onDelivered(int index, const QString& path, const QImage& image);
    void onScanFinished(const QStringList& errors, bool cancelled);
    void compactInspectionPictures();
    void appendInspection(const QString& foundPath, int thumbnail);
    void refreshCount();
    void previewInspection(int row);
    void availableArrow(int delta);
    void inspectionArrow(int delta);
    void errorBox(const QString& text);

    ReportContext& m_ctx;
    DetailsDlg* m_details = nullptr;

    QString m_folder;
    // Row r of the available list shows m_available[r]: a file whose thumbnail fails never
    // gets an entry, so rows and paths cannot drift apart.
    std::vector<AvailableRow> m_available;
    int m_availableSelection = -1;
    // The inspections' pictures (image list B); rows name them by index.
    std::vector<QPixmap> m_pictures;
    // Row i of the inspections list carries m_entries[i].
    std::vector<cInspectionImage> m_entries;
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
    cInspectionList* m_inspections = nullptr;
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
