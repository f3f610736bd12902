// The image selection page listing a card folder of 500 snapshots: the folder scan (each
// record decoded), the thumbnails made on the worker pool and every row put into the list,
// through the page's own code path. The snapshots are generated once into a temporary folder.
#include "report/detailsdlg.h"
#include "generator.h"
#include "report/imageselectdlg.h"
#include "document/reportdoc.h"
#include "report/thumbnail.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kSnapshots = 500;

// 500 snapshots: four generated ones copied under camera names.
const QTemporaryDir& cardFolder()
{
    static const QTemporaryDir dir = [] {
        QTemporaryDir made;
        const std::filesystem::path root = made.path().toStdString();
        for (int i = 0; i < 4; ++i)
            (void)calivue::gen::writeSnapshot(root / "t", "T" + std::to_string(i),
                                              calivue::gen::variedPlan(5, i));
        for (int i = 0; i < kSnapshots; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "IR_%04d", i);
            const std::string from = "T" + std::to_string(i % 4);
            for (const char* ext : {".BMP", ".QVX"})
                std::filesystem::copy_file(root / "t" / (from + ext),
                                           root / (std::string(name) + ext));
        }
        return made;
    }();
    return dir;
}

void BM_ListFolderOf500Snapshots(benchmark::State& state)
{
    const QString folder = cardFolder().path();
    QTemporaryDir config;
    calivue::CReportDoc project;
    calivue::ReportContext ctx;
    ctx.report = &project;
    ctx.settings = calivue::SettingsStore(config.path());
    calivue::DetailsDlg details(ctx);
    calivue::ImageSelectDlg page(ctx);
    page.setSnapshotFolder(folder);
    for (auto _ : state) {
        page.scanFolder();
        page.waitForScan();
        if (page.availableCount() != kSnapshots) state.SkipWithError("not every snapshot listed");
    }
    state.SetItemsProcessed(state.iterations() * kSnapshots);
}
BENCHMARK(BM_ListFolderOf500Snapshots)->Unit(benchmark::kMillisecond)->UseRealTime();

// One thumbnail on the calling thread, for comparison with the pooled listing.
void BM_OneThumbnail(benchmark::State& state)
{
    const QString bmp = cardFolder().filePath(QStringLiteral("IR_0000.BMP"));
    for (auto _ : state) benchmark::DoNotOptimize(calivue::makeThumbnail(bmp));
}
BENCHMARK(BM_OneThumbnail)->Unit(benchmark::kMicrosecond);

}  // namespace
