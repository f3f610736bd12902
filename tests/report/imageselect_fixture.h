// Folders of generated snapshots and an image selection page paired with a details page,
// for the image selection tests. Snapshots are generated once per run and copied under
// whatever names a case needs.
#pragma once

#include "report/detailsdlg.h"
#include "report/imageselectdlg.h"
#include "messagelog.h"
#include "qtfiles.h"
#include "document/reportdoc.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace calivue::test {

// Writes `base` + ".bmp"/".qvx" style files: the case of each extension is given, so
// upper-case camera names and mixed cases can be made. Index picks one of three snapshots.
void putSnapshot(const QString& folder, const QString& name,
                 const QString& bmpExt = QStringLiteral("bmp"),
                 const QString& qvxExt = QStringLiteral("qvx"), int index = 0);

struct PageFixture {
    QTemporaryDir configRoot;
    QTemporaryDir folder;
    CReportDoc report;
    ReportContext ctx;
    int modifiedCount = 0;  // times the project became modified (cleared after each)
    std::unique_ptr<DetailsDlg> details;
    std::unique_ptr<ImageSelectDlg> page;

    PageFixture();
    QString path(const QString& relative) const { return folder.filePath(relative); }
    // Lists the fixture's folder (or `other`) and waits for the listing to end.
    void list(bool subfolders = false, const QString& other = {});
    QStringList availableNames() const;  // relative to the folder
    QStringList rowNames() const;        // inspections' bitmap names relative to the folder
};

}  // namespace calivue::test
