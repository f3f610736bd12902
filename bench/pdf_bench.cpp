// The PDF inspection report: 1, 100 and 1,000 inspections from generated snapshots (varied
// scenes, palettes, blends and markers), written through the report printer in the classic
// layout (second argument 0) and the modern one (1). The snapshots are written once for the
// whole run, so a profile of the benchmark shows the report and not the generator.
// The file size is reported as a counter. Needs Qt (offscreen).
#include "reportgenerator.h"
#include "reportlayout.h"
#include "reporttext.h"

#include "generator.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace calivue;

// The snapshots of every benchmark, written as the first one that needs them asks.
const QTemporaryDir& snapshotDir()
{
    static const QTemporaryDir dir;
    return dir;
}

bool writeSnapshots(int n)
{
    static int written = 0;
    for (; written < n; ++written) {
        const std::string name = "IR_" + std::to_string(1000 + written);
        if (!gen::writeSnapshot(snapshotDir().path().toStdString(), name,
                                gen::variedPlan(42, written))
                 .ok())
            return false;
    }
    return true;
}

ReportJob makeJob(const QTemporaryDir& out, int n)
{
    ReportJob job;
    if (!writeSnapshots(n)) return job;
    const QDir dir(snapshotDir().path());
    for (int i = 0; i < n; ++i) {
        const std::string name = "IR_" + std::to_string(1000 + i);
        job.entries.push_back({toU16(dir.filePath(QString::fromStdString(name + ".QVX"))),
                               toU16(dir.filePath(QString::fromStdString(name + ".BMP"))), 0});
        cInspectionRecord r;
        r.name = u"Distribution board " + toU16(QString::number(i + 1));
        r.location = u"Plant room";
        r.equipment = u"Main breaker";
        r.comment = u"Phase L2 terminal warmer than L1 and L3 under similar load.";
        r.faultAction = u"Tighten the terminal, re-inspect under load.";
        r.repairPriority = i % 6;
        job.records.push_back(r);
    }
    job.title.company = u"Acme Thermography";
    job.title.author = u"J. Smith";
    job.title.comments = u"Annual survey.";
    job.titleCaptions = defaultReportCaptions().title;
    job.detailsCaptions = defaultReportCaptions().details;
    job.logo = QImage(1200, 300, QImage::Format_RGB32);
    job.logo.fill(qRgb(20, 60, 160));
    job.outputPath = out.filePath(QStringLiteral("report.pdf"));
    return job;
}

void runReport(benchmark::State& state)
{
    QTemporaryDir dir;
    ReportJob job = makeJob(dir, static_cast<int>(state.range(0)));
    job.layout = state.range(1) != 0 ? ReportLayout::Modern : ReportLayout::Classic;
    job.findings.records.resize(job.entries.size());
    int pages = 0;
    if (job.entries.empty()) {
        state.SkipWithError("snapshots could not be written");
        return;
    }
    for (auto _ : state) {
        const ReportOutcome outcome = writeReport(job);
        if (outcome.status != ReportOutcome::Status::Saved) {
            state.SkipWithError("the report was not saved");
            return;
        }
        pages = outcome.pages;
    }
    state.counters["pages"] = pages;
    state.counters["MB"] =
        static_cast<double>(QFileInfo(job.outputPath).size()) / (1024.0 * 1024.0);
}
BENCHMARK(runReport)
    ->Name("BM_PdfReport")
    ->Args({1, 0})
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({1, 1})
    ->Args({100, 1})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
