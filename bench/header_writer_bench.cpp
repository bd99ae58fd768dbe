// WriteHeader with both name tables full (200 + 64 commented identifiers), against a plain write
// of the same bytes to the same file. WriteHeader also formats the text, keeps the backup and
// builds its report. Run: build/bench/header_writer_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/named_entries.h"
#include "bench/silent_prompter.h"
#include "config/header_messages.h"
#include "config/header_writer.h"
#include "support/temp_dir.h"

namespace {

struct FullTables {
    zurcfg::Configuration configuration;
    std::vector<zurcfg::NameEntry> bsems;
    std::vector<zurcfg::NameEntry> stimers;
};

FullTables MakeFullTables() {
    FullTables tables;
    tables.configuration.OS_TASKS = 8;
    tables.configuration.OS_BSEMS = zurcfg::kBsemsEntries;
    tables.configuration.OS_STIMERS = zurcfg::kStimersEntries;
    tables.configuration.PLATFORM = 0;
    tables.configuration.PROJECT_NAME = "Benchmark";
    tables.bsems = zurcfg::bench::NamedEntries("BS_SEMAPHORE_", zurcfg::kBsemsEntries);
    tables.stimers = zurcfg::bench::NamedEntries("ST_TIMER_", zurcfg::kStimersEntries);
    return tables;
}

void BM_WriteHeaderFullTables(benchmark::State& state) {
    const FullTables tables = MakeFullTables();
    const zurcfg::testing::TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    // Answers the report of each write.
    zurcfg::bench::SilentPrompter prompter;
    for (auto _ : state) {
        if (!zurcfg::WriteHeader(path, tables.configuration, tables.bsems, tables.stimers, false,
                                 prompter)
                 .Written()) {
            state.SkipWithError("the header was not written");
        }
    }
}
BENCHMARK(BM_WriteHeaderFullTables)->Unit(benchmark::kMicrosecond);

// The baseline: the finished bytes, CR LF already in them, written to the same file created anew
// as WriteHeader creates it. Overwriting a file in place would cost more: the file system then
// writes the data out at once when the file is closed.
void BM_PlainWriteSameBytes(benchmark::State& state) {
    const FullTables tables = MakeFullTables();
    const zurcfg::testing::TempDir folder;
    std::string bytes;
    for (char c : zurcfg::FormatHeader(tables.configuration, tables.bsems, tables.stimers, false)) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    const std::string path = folder.File("ZURcfg.h");
    for (auto _ : state) {
        std::remove(path.c_str());
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
            std::fclose(file) != 0) {
            state.SkipWithError("the bytes were not written");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PlainWriteSameBytes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
