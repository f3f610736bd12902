// The PDF inspection report: 1, 100 and 1,000 inspections from generated snapshots (varied
// scenes, palettes, blends and markers), written through the report printer in the classic
// layout (second argument 0) and the modern one (1). The snapshots are written once for the
// whole run, so a profile of the benchmark shows the report and not the generator.
// The file size is reported as a counter. Needs Qt (offscreen).
#include "benchsurvey.h"
#include "report/engine/reportgenerator.h"
#include "report/engine/reportlayout.h"
#include "report/engine/reporttext.h"

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

ReportJob makeJob(const QTemporaryDir& out, int n)
{
    if (!bench::writeSurveySnapshots(snapshotDir().path(), n)) return {};
    return bench::surveyJob(snapshotDir().path(), n, out.filePath(QStringLiteral("report.pdf")));
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
        if (outcome.error != Error::None) {
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
