// WriteHeader with both name tables full (200 + 64 commented identifiers), against a plain write
// of the same bytes to the same file. WriteHeader also formats the text, keeps the backup and
// builds its report. Run: build/bench/header_writer_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "config/header_writer.h"

namespace {

struct FullTables {
    zurcfg::Configuration configuration;
    std::vector<zurcfg::NameEntry> bsems;
    std::vector<zurcfg::NameEntry> stimers;
};

std::vector<zurcfg::NameEntry> NamedEntries(const std::string& prefix, int count) {
    std::vector<zurcfg::NameEntry> entries;
    for (int entry = 0; entry < count; ++entry) {
        entries.push_back({prefix + std::to_string(entry),
                           "what " + prefix + std::to_string(entry) + " stands for"});
    }
    return entries;
}

FullTables MakeFullTables() {
    FullTables tables;
    tables.configuration.OS_TASKS = 8;
    tables.configuration.OS_BSEMS = zurcfg::kBsemsEntries;
    tables.configuration.OS_STIMERS = zurcfg::kStimersEntries;
    tables.configuration.PLATFORM = 0;
    tables.configuration.PROJECT_NAME = "Benchmark";
    tables.bsems = NamedEntries("BS_SEMAPHORE_", zurcfg::kBsemsEntries);
    tables.stimers = NamedEntries("ST_TIMER_", zurcfg::kStimersEntries);
    return tables;
}

// An empty folder for the run, removed at its end.
class TempFolder {
public:
    TempFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("zurcfg-bench-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string HeaderPath() const { return (path_ / "ZURcfg.h").string(); }

private:
    std::filesystem::path path_;
};

// Answers the report of each write.
class SilentPrompter : public zurcfg::Prompter {
public:
    zurcfg::Answer Ask(const zurcfg::Message&) override { return zurcfg::Answer::Ok; }
};

void BM_WriteHeaderFullTables(benchmark::State& state) {
    const FullTables tables = MakeFullTables();
    const TempFolder folder;
    SilentPrompter prompter;
    for (auto _ : state) {
        if (!zurcfg::WriteHeader(folder.HeaderPath(), tables.configuration, tables.bsems,
                                 tables.stimers, false, prompter)) {
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
    const TempFolder folder;
    std::string bytes;
    for (char c : zurcfg::FormatHeader(tables.configuration, tables.bsems, tables.stimers, false)) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    const std::string path = folder.HeaderPath();
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
