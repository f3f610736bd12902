// For the report tests: the inspection data page and the image selection page on a project
// of their own, with generated snapshots added the way the rows name them.
#pragma once

#include "report/detailsdlg.h"
#include "report/imageselectdlg.h"
#include "messagelog.h"
#include "document/reportdoc.h"

#include "generator.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace calivue::test {

// Writes snapshot NAME from plan into dir with lower-case extensions (the form the rows name
// them in) and adds it to the page as `row`; the path without extension, or an empty text when
// the snapshot could not be written or added.
inline QString addLowerCaseSnapshot(ImageSelectDlg& images, const QTemporaryDir& dir,
                                    const std::string& name, const gen::SnapshotPlan& plan, int row)
{
    if (!gen::writeSnapshot(dir.path().toStdString(), name, plan).ok()) return {};
    const QString base = dir.filePath(QString::fromStdString(name));
    for (const char* ext : {".BMP", ".QVX"})
        QFile::rename(base + QLatin1String(ext), base + QString::fromLatin1(ext).toLower());
    return images.addProjectImage(base + QStringLiteral(".bmp"), row) ? base : QString();
}

class DetailsPagesTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        page.reset();
        images.reset();
        report.reset();
    }

    // New pages of `templateNumber` on a new project, their settings in dir/cfg.
    void newPages(int templateNumber)
    {
        page.reset();
        images.reset();
        report = std::make_unique<CReportDoc>();
        ctx.report = report.get();
        ctx.settings = SettingsStore(dir.filePath(QStringLiteral("cfg")));
        ctx.reportTemplate = static_cast<ReportTemplate>(templateNumber);
        images = std::make_unique<ImageSelectDlg>(ctx);
        page = std::make_unique<DetailsDlg>(ctx);
    }

    QTemporaryDir dir;
    MessageLog log;
    ReportContext ctx;
    std::unique_ptr<CReportDoc> report;
    std::unique_ptr<ImageSelectDlg> images;
    std::unique_ptr<DetailsDlg> page;
};

}  // namespace calivue::test
