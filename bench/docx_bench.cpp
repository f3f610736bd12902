// The report as a Word document: 100 inspections and 1 from generated snapshots (varied
// scenes, palettes, blends and markers), written as calivue-cli report writes a .docx. The file
// size is reported as a counter. Needs Qt (offscreen).
#include "docxreport.h"
#include "reporttext.h"

#include "generator.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace calivue;

ReportJob makeJob(const QTemporaryDir& dir, int n)
{
    ReportJob job;
    for (int i = 0; i < n; ++i) {
        const std::string name = "IR_" + std::to_string(1000 + i);
        if (!gen::writeSnapshot(dir.path().toStdString(), name, gen::variedPlan(42, i)).ok())
            return {};
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
    job.findings.records.resize(job.entries.size());
    job.outputPath = dir.filePath(QStringLiteral("report.docx"));
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
        if (writeDocxReport(job).status != ReportOutcome::Status::Saved) {
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
