#include "imageselect_fixture.h"

#include "generator.h"
#include "report/engine/reporttext.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <array>

namespace calivue::test {

using namespace Qt::StringLiterals;

namespace {
struct Template {
    QByteArray bmp, qvx;
};
const std::array<Template, 3>& templates()
{
    static const std::array<Template, 3> made = [] {
        std::array<Template, 3> out;
        QTemporaryDir dir;
        for (int i = 0; i < 3; ++i) {
            const auto files =
                gen::writeSnapshot(dir.path().toStdString(), "T", gen::variedPlan(11, i));
            EXPECT_TRUE(files.ok());
            QFile bmp(dir.filePath(u"T.BMP"_s)), qvx(dir.filePath(u"T.QVX"_s));
            EXPECT_TRUE(bmp.open(QIODevice::ReadOnly) && qvx.open(QIODevice::ReadOnly));
            out[static_cast<std::size_t>(i)] = {bmp.readAll(), qvx.readAll()};
        }
        return out;
    }();
    return made;
}
}  // namespace

void putSnapshot(const QString& folder, const QString& name, const QString& bmpExt,
                 const QString& qvxExt, int index)
{
    const Template& t = templates()[static_cast<std::size_t>(index % 3)];
    if (!bmpExt.isEmpty()) {
        EXPECT_TRUE(putFile(folder + u'/' + name + u'.' + bmpExt, t.bmp));
    }
    if (!qvxExt.isEmpty()) {
        EXPECT_TRUE(putFile(folder + u'/' + name + u'.' + qvxExt, t.qvx));
    }
}

PageFixture::PageFixture() : ctx{}
{
    ctx.settings = SettingsStore(configRoot.path());
    ctx.report = &report;
    QObject::connect(&report, &CReportDoc::changed, [this](const ReportChange& change) {
        if (!change.has(ReportPart::Modified) || !report.isModified()) return;
        ++modifiedCount;
        report.setModified(false);
    });
    details = std::make_unique<DetailsDlg>(ctx);
    page = std::make_unique<ImageSelectDlg>(ctx);
}

void PageFixture::list(bool subfolders, const QString& other)
{
    page->setSnapshotFolder(other.isEmpty() ? folder.path() : other);
    page->setIncludeSubfolders(subfolders);
    page->waitForScan();
}

QStringList PageFixture::availableNames() const
{
    QStringList names;
    const QDir root(folder.path());
    for (int r = 0; r < page->availableCount(); ++r)
        names << root.relativeFilePath(page->availablePath(r));
    return names;
}

QStringList PageFixture::rowNames() const
{
    QStringList names;
    const QDir root(folder.path());
    for (const auto& e : page->entries()) names << root.relativeFilePath(toQString(e.bitmapPath));
    return names;
}

}  // namespace calivue::test
