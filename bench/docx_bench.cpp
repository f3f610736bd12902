// The report as a Word document: 100 inspections and 1 from generated snapshots (varied
// scenes, palettes, blends and markers), written as calivue-cli report writes a .docx. The file
// size is reported as a counter. Needs Qt (offscreen).
#include "benchsurvey.h"
#include "report/engine/docxreport.h"
#include "report/engine/reporttext.h"

#include "generator.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace calivue;

ReportJob makeJob(const QTemporaryDir& dir, int n)
{
    if (!bench::writeSurveySnapshots(dir.path(), n)) return {};
    ReportJob job = bench::surveyJob(dir.path(), n, dir.filePath(QStringLiteral("report.docx")));
    job.findings.records.resize(job.entries.size());
    return job;
}

void writeDocx(benchmark::State& state)
{
    QTemporaryDir dir;
    const ReportJob job = makeJob(dir, static_cast<int>(state.range(0)));
    if (job.entries.empty()) {
        state.SkipWithError("snapshots could not be written");
        return;
    }
    for (auto _ : state) {
        if (writeDocxReport(job).error != Error::None) {
            state.SkipWithError("the document was not saved");
            return;
        }
    }
    state.counters["MB"] =
        static_cast<double>(QFileInfo(job.outputPath).size()) / (1024.0 * 1024.0);
}
BENCHMARK(writeDocx)
    ->Name("BM_DocxReport")
    ->Arg(1)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
