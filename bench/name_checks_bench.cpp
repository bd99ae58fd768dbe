// The check of both name tables full (200 + 64 rows, 264 identifier cells) against copying the
// same tables, the least a caller does with them; once with well-formed names and once with a
// finding in every row. The window runs the check as cells change, so it must stay well under a
// millisecond. Run: build/bench/name_checks_bench
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/named_entries.h"
#include "config/name_checks.h"

namespace {

using zurcfg::Configuration;
using zurcfg::NameEntry;

struct FullTables {
    Configuration configuration;
    std::vector<NameEntry> bsems;
    std::vector<NameEntry> stimers;
};

FullTables WellFormedTables() {
    FullTables tables;
    tables.configuration.OS_BSEMS = zurcfg::kBsemsEntries;
    tables.configuration.OS_STIMERS = zurcfg::kStimersEntries;
    tables.bsems = zurcfg::bench::NamedEntries("BS_SEMAPHORE_", zurcfg::kBsemsEntries);
    tables.stimers = zurcfg::bench::NamedEntries("ST_TIMER_", zurcfg::kStimersEntries);
    return tables;
}

// Every identifier used in both tables and differing from another in case only.
FullTables TablesFullOfFindings() {
    FullTables tables = WellFormedTables();
    for (int entry = 0; entry < zurcfg::kStimersEntries; ++entry) {
        tables.stimers[entry] = tables.bsems[entry];
        tables.bsems[zurcfg::kStimersEntries + entry].identifier =
            "bs_semaphore_" + std::to_string(entry);
    }
    return tables;
}

void CheckTables(benchmark::State& state, const FullTables& tables) {
    std::size_t findings = 0;
    for (auto _ : state) {
        findings =
            zurcfg::CheckNames(tables.bsems, tables.stimers, tables.configuration, false).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}

void BM_CheckNamesWellFormedFullTables(benchmark::State& state) {
    CheckTables(state, WellFormedTables());
}
BENCHMARK(BM_CheckNamesWellFormedFullTables)->Unit(benchmark::kMicrosecond);

void BM_CheckNamesFindingInEveryRow(benchmark::State& state) {
    CheckTables(state, TablesFullOfFindings());
}
BENCHMARK(BM_CheckNamesFindingInEveryRow)->Unit(benchmark::kMicrosecond);

// The baseline: a copy of both tables.
void BM_CopyFullTables(benchmark::State& state) {
    const FullTables tables = WellFormedTables();
    for (auto _ : state) {
        std::vector<NameEntry> bsems = tables.bsems;
        std::vector<NameEntry> stimers = tables.stimers;
        benchmark::DoNotOptimize(bsems.data());
        benchmark::DoNotOptimize(stimers.data());
    }
}
BENCHMARK(BM_CopyFullTables)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
