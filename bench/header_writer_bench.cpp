// Saving a header with both name tables full (200 + 64 commented identifiers). WriteHeader as it
// is: the lock, the look at the previous header, a temporary file written and flushed, the
// backup as a second name of the previous file, the rename and the flushed folder, the report.
// Against:
//  - the save as it was before: the previous header renamed to the backup, then the new one
//    written with buffered writes and nothing flushed;
//  - the disk's own part of a durable save: the same bytes written to a new file and flushed,
//    renamed into place and the folder flushed, nothing else;
//  - a plain write of the same bytes, nothing flushed.
// Run: build/bench/header_writer_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "bench/named_entries.h"
#include "bench/silent_prompter.h"
#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_writer.h"
#include "config/line_ending.h"
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

std::string StoredBytes(const FullTables& tables) {
    return zurcfg::WithLineEnding(
        zurcfg::FormatHeader(tables.configuration, tables.bsems, tables.stimers, false),
        zurcfg::kNewHeaderLineEnding);
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

// What WriteHeader did before: looks whether the header and the backup may be updated, renames
// the header to the backup, formats and writes the new one, builds the report.
void BM_SaveAsItWasBefore(benchmark::State& state) {
    const FullTables tables = MakeFullTables();
    const zurcfg::testing::TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    const std::string backup = zurcfg::BackupPathFor(path);
    zurcfg::bench::SilentPrompter prompter;
    for (auto _ : state) {
        zurcfg::HeaderWriteReport report;
        report.path = path;
        report.backupPath = backup;
        if (zurcfg::CanOpenForUpdate(path)) {
            if (zurcfg::CanOpenForUpdate(backup)) {
                std::remove(backup.c_str());
            }
            std::rename(path.c_str(), backup.c_str());
        }
        const std::string bytes = StoredBytes(tables);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
            std::fclose(file) != 0) {
            state.SkipWithError("the bytes were not written");
        }
        report.outcome = zurcfg::HeaderWriteReport::Outcome::Written;
        prompter.Ask(zurcfg::WriteMessage(report));
    }
}
BENCHMARK(BM_SaveAsItWasBefore)->Unit(benchmark::kMicrosecond);

#ifndef _WIN32
// The least a save that survives a power cut must wait for: the finished bytes written to a new
// file and flushed, the file renamed over the header, the folder flushed.
void BM_FlushedReplaceOfTheSameBytes(benchmark::State& state) {
    const std::string bytes = StoredBytes(MakeFullTables());
    const zurcfg::testing::TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    const std::string temporary = path + ".tmp";
    const int folderHandle = open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
    for (auto _ : state) {
        const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0 ||
            write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            fsync(file) != 0 || close(file) != 0 ||
            std::rename(temporary.c_str(), path.c_str()) != 0 || fsync(folderHandle) != 0) {
            state.SkipWithError("the bytes were not written");
        }
    }
    close(folderHandle);
}
BENCHMARK(BM_FlushedReplaceOfTheSameBytes)->Unit(benchmark::kMicrosecond);
#endif

// The finished bytes, CR LF already in them, written to the same file created anew, nothing
// flushed.
void BM_PlainWriteSameBytes(benchmark::State& state) {
    const std::string bytes = StoredBytes(MakeFullTables());
    const zurcfg::testing::TempDir folder;
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
