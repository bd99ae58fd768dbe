#include "settings/recovery_files.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "config/regular_file.h"
#include "settings/atomic_file.h"
#include "settings/recovery_record.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace zurcfg {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kExtension = ".txt";
// Far beyond a record of full name tables with long comments; anything larger is not one.
constexpr std::size_t kMostRecordBytes = 16 * 1024 * 1024;

// A name for this run that no other run of the same process id has had: a random number mixed
// with the clock, in hexadecimal.
std::string NewRunName() {
    std::random_device seed;
    const auto clock =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    const std::uint64_t run = ((std::uint64_t{seed()} << 32) ^ seed()) ^ clock;
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), run, 16).ptr;
    return std::string(std::begin(digits), end);
}

// The process id and the run of a recovery file's name, "recovery-<id>-<run>.txt" or, once
// claimed, "recovery-<id>-<run>-<n>.txt"; nothing for any other name.
std::optional<std::pair<std::int64_t, std::string>> OwnerOf(std::string_view name) {
    if (name.size() <= kPrefix.size() + kExtension.size() ||
        name.substr(0, kPrefix.size()) != kPrefix ||
        name.substr(name.size() - kExtension.size()) != kExtension) {
        return std::nullopt;
    }
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kExtension.size());
    std::int64_t processId = 0;
    const auto [idEnd, error] = std::from_chars(name.data(), name.data() + name.size(), processId);
    if (error != std::errc() || idEnd == name.data() + name.size() || *idEnd != '-') {
        return std::nullopt;
    }
    const std::string_view rest = name.substr(static_cast<std::size_t>(idEnd + 1 - name.data()));
    return std::pair{processId, std::string(rest.substr(0, rest.find('-')))};
}

}  // namespace

#ifdef _WIN32

std::int64_t CurrentProcessId() {
    return static_cast<std::int64_t>(GetCurrentProcessId());
}

bool ProcessRunning(std::int64_t processId) {
    if (processId <= 0 || processId > MAXDWORD) {
        return false;
    }
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr) {
        // A process this user may not look at is still one that runs.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

#else

std::int64_t CurrentProcessId() {
    return static_cast<std::int64_t>(getpid());
}

bool ProcessRunning(std::int64_t processId) {
    // 0 and negative ids stand for groups of processes, not for one.
    const auto id = static_cast<pid_t>(processId);
    if (processId <= 0 || id != processId) {
        return false;
    }
    return kill(id, 0) == 0 || errno == EPERM;
}

#endif

RecoveryFiles::RecoveryFiles(std::string folder, ProcessCheck running, std::int64_t ownProcess)
    : folder_(std::move(folder)),
      running_(std::move(running)),
      ownProcess_(ownProcess),
      ownRun_(NewRunName()),
      ownFile_((fs::path(folder_) / (std::string(kPrefix) + std::to_string(ownProcess_) + '-' +
                                     ownRun_ + std::string(kExtension)))
                   .string()) {}

bool RecoveryFiles::Write(std::string_view record) const {
    return ReplaceFileAtomically(ownFile_, record);
}

void RecoveryFiles::Remove() const {
    RemoveRecoveryFile(ownFile_);
}

// A file of this process id but of another run was left by an earlier process that had the same
// id; this run never lists its own.
bool RecoveryFiles::LeftBehind(const std::string& name) const {
    const auto owner = OwnerOf(name);
    if (!owner) {
        return false;
    }
    return owner->first == ownProcess_ ? owner->second != ownRun_ : !running_(owner->first);
}

std::vector<std::string> RecoveryFiles::ClaimLeftBehind() {
    std::vector<std::pair<fs::file_time_type, std::string>> claimed;
    std::error_code error;
    for (fs::directory_iterator entry(folder_, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code unreadable;
        if (!entry->is_regular_file(unreadable) || !LeftBehind(entry->path().filename().string())) {
            continue;
        }
        const fs::file_time_type written = entry->last_write_time(unreadable);
        fs::path claim = ownFile_;
        claim.replace_extension();
        claim += '-' + std::to_string(++claimed_) + std::string(kExtension);
        std::error_code taken;
        fs::rename(entry->path(), claim, taken);
        if (!taken) {
            claimed.emplace_back(written, claim.string());
        }
    }
    std::sort(claimed.begin(), claimed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> files;
    files.reserve(claimed.size());
    for (auto& [written, file] : claimed) {
        files.push_back(std::move(file));
    }
    return files;
}

std::optional<Document> ReadRecoveryFile(const std::string& path) {
    RegularFile file(path);
    std::string text;
    char chunk[64 * 1024];
    for (std::size_t read; (read = file.Read(chunk, sizeof chunk)) > 0;) {
        if (text.size() + read > kMostRecordBytes) {
            return std::nullopt;
        }
        text.append(chunk, read);
    }
    return ParseRecoveryRecord(text);
}

void RemoveRecoveryFile(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

}  // namespace zurcfg
