// Speed of the report project codec: a project of 1,000 inspections whose
// texts are 300 characters, decoded and encoded in memory. Run with
// --benchmark_repetitions to read the medians.
#include "core/reportproject.h"

#include <benchmark/benchmark.h>

using namespace calivue;

namespace {

ReportProject bigProject()
{
    ReportProject p;
    const std::u16string text(300, u'\u00E9');
    p.title = {text, text, text, true, {0, 45000.5}, text};
    for (int i = 0; i < 1000; ++i) {
        p.entries.push_back({text, text, i});
        cInspectionRecord r;
        for (std::u16string* t :
             {&r.name, &r.operatorName, &r.location, &r.equipment, &r.comment, &r.measured,
              &r.rated, &r.condition, &r.faultAction, &r.inspectedInitials, &r.repairedInitials,
              &r.reinspectedInitials, &r.indoor, &r.outdoor, &r.humidity, &r.wind, &r.pressure})
            *t = text;
        p.records.push_back(std::move(r));
    }
    p.captions = defaultReportCaptions();
    return p;
}

const ReportProject& project()
{
    static const ReportProject p = bigProject();
    return p;
}

void BM_ReadReportProject1000(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = encodeReportProject(project());
    for (auto _ : state) benchmark::DoNotOptimize(readReportProject(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadReportProject1000)->Unit(benchmark::kMillisecond);

void BM_WriteReportProject1000(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(encodeReportProject(project()));
}
BENCHMARK(BM_WriteReportProject1000)->Unit(benchmark::kMillisecond);

}  // namespace
