// ImageSelectDlg: the "Image Select" page of the report writer. Scans a snapshot folder (and
// optionally its subfolders) for snapshot bitmaps, lists them as thumbnails, and builds the
// ordered inspections list by Add, Add All, Remove, Remove All and dragging; each row carries
// its cInspectionImage and is paired by position with one record of the details page. A
// preview shows the selected snapshot as thermal picture, blend and visual photograph.
#pragma once

#include "reportcontext.h"

#include "core/reportdata.h"

#include <QWidget>

#include <vector>

namespace calivue {

class DetailsDlg;

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
};

}  // namespace calivue
