#include "config/header_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "config/header_path.h"
#include "config/line_ending.h"
#include "config/option_lists.h"
#include "config/regular_file.h"

namespace zurcfg {

namespace {

constexpr std::string_view kStarRule =
    "/******************************************************************************/\n";
constexpr std::string_view kDashRule =
    "//------------------------------------------------------------------------------\n";
constexpr std::string_view kDefine = "#define ";

// Columns (counting from 1) where a "#define" line goes on after its name: the value, or the
// comment of a switch. OS_ENABLE_INT_ALL has its comment one column further left.
constexpr std::size_t kValueColumn = 32;
constexpr std::size_t kSwitchCommentColumn = 36;
constexpr std::size_t kIntAllCommentColumn = 35;

// Enum comments start ten blanks after the widest identifier and its separator; no item gets
// more than 108 blanks, whatever the widths.
constexpr std::size_t kEnumCommentGap = 10;
constexpr std::size_t kMaxEnumPadding = 108;

// The macros whose names changed with kernel version 90200.
struct MacroNames {
    std::string_view enableQueue;
    std::string_view enableSimpleQueue;
    std::string_view queuesIdentical;
    std::string_view enableIntQueue;
};
constexpr MacroNames kOldStyleNames{"OS_ENABLE_QMSG", "OS_ENABLE_QSMSG", "OS_QUEUES_IDENTICAL",
                                    "OS_ENABLE_INT_QMSG"};
constexpr MacroNames kNewStyleNames{"OS_ENABLE_QUEUE", "OS_ENABLE_SQUEUE",
                                    "OS_QUEUE_SQUEUE_IDENTICAL", "OS_ENABLE_INT_QUEUE"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view WithoutBlanksAround(std::string_view text) {
    text = WithoutLeadingBlanks(text);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int Identifiers(const std::vector<NameEntry>& rows) {
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [](const NameEntry& row) { return !row.identifier.empty(); }));
}

// What the first pass over a name table finds.
struct TableMeasure {
    int identifiers = 0;
    std::size_t widestIdentifier = 0;  // in characters
};

class HeaderFormatter {
public:
    HeaderFormatter(const Configuration& configuration, bool oldStyleNames, TextEncoding encoding)
        : config_(configuration),
          names_(oldStyleNames ? kOldStyleNames : kNewStyleNames),
          oldStyleNames_(oldStyleNames),
          encoding_(encoding) {}

    std::string Format(const std::vector<NameEntry>& bsems, const std::vector<NameEntry>& stimers) {
        AppendTitleBlock();
        AppendSystem();
        AppendEnableConstants();
        AppendInterruptServices();
        AppendBanks();
        AppendTypes();
        AppendNameTable("BSEMS", config_.OS_BSEMS, "Number of binary semaphores", bsems);
        AppendNameTable("STIMERS", config_.OS_STIMERS, "Number of static timers", stimers);
        out_ += "\n\n#endif\n";
        return std::move(out_);
    }

private:
    void AppendTitleBlock() {
        out_ += kStarRule;
        out_ += "//\n// ";
        out_ += kGeneratedMarker;
        out_ += "\n// Do not modify it to prevent data loss on next editing.\n//\n";
        // The reader skips blanks in front of the name, so they are not written.
        if (const std::string_view name = WithoutLeadingBlanks(config_.PROJECT_NAME);
            !name.empty()) {
            out_ += "// PROJECT NAME: ";
            out_ += name;
            out_ += '\n';
        }
        if (const std::string_view platform = PlatformHeaderName(config_.PLATFORM);
            !platform.empty()) {
            out_ += "// PLATFORM:     ";
            out_ += platform;
            out_ += '\n';
        }
        out_ += "//\n";
        out_ += kStarRule;
        out_ += "\n\n#ifndef _ZURCFG_H\n#define _ZURCFG_H\n\n";
    }

    void AppendSystem() {
        AppendBanner("SYSTEM");
        AppendValueLine("OS_TASKS", config_.OS_TASKS,
                        "Number of tasks that can be active at one time");
        if (config_.OS_DISABLE_PRIORITY) {
            AppendSwitchLine("OS_DISABLE_PRIORITY", "");
        }
        out_ += "\n\n";
    }

    void AppendEnableConstants() {
        const Configuration& c = config_;
        AppendBanner("ENABLE CONSTANTS");
        // "Enable all" stands for the services below, critical sections included.
        if (c.OS_ENABLE_ALL) {
            AppendSwitchLine("OS_ENABLE_ALL",
                             "Enable all services: CSems, QMsg, QSmsg, TTimers, DTimers");
        } else {
            if (c.OS_ENABLE_CSEM) {
                AppendSwitchLine("OS_ENABLE_CSEM", "Enable counting semaphores");
            }
            if (c.OS_ENABLE_CRITICAL_SECTION) {
                AppendSwitchLine("OS_ENABLE_CRITICAL_SECTION", "Enable critical sections services");
            }
            if (c.OS_ENABLE_QMSG) {
                AppendSwitchLine(names_.enableQueue, "Enable queues of pointers to messages");
            }
            if (c.OS_ENABLE_QSMSG) {
                AppendSwitchLine(names_.enableSimpleQueue, "Enable queues of simple messages");
            }
            if (c.OS_ENABLE_TTIMERS) {
                AppendSwitchLine("OS_ENABLE_TTIMERS",
                                 "Enable task timers (allows to use OS_Delay and OS_xxx_Wait_TO)");
            }
            if (c.OS_ENABLE_DTIMERS) {
                AppendSwitchLine("OS_ENABLE_DTIMERS", "Enable dynamic timers");
            }
        }
        const bool anyTimer =
            c.OS_ENABLE_ALL || c.OS_ENABLE_TTIMERS || c.OS_ENABLE_DTIMERS || c.OS_STIMERS > 0;
        if (c.OS_USE_INLINE_TIMER && anyTimer) {
            AppendSwitchLine("OS_USE_INLINE_TIMER", "Make OS_Timer service as in-line function");
        }
        const bool bothQueues = c.OS_ENABLE_ALL || (c.OS_ENABLE_QMSG && c.OS_ENABLE_QSMSG);
        if (c.OS_QUEUES_IDENTICAL && bothQueues) {
            AppendSwitchLine(
                names_.queuesIdentical,
                "Uses same functions for queues of pointer messages and simple messages");
        }
        out_ += "\n\n";
    }

    // The banner stands only above lines: a switch whose service is off writes none, and an
    // empty banner would not read back as written.
    void AppendInterruptServices() {
        const Configuration& c = config_;
        const bool csemLine = c.OS_ENABLE_INT_CSEM && (c.OS_ENABLE_ALL || c.OS_ENABLE_CSEM);
        const bool queueLine =
            c.OS_ENABLE_INT_QUEUE && (c.OS_ENABLE_ALL || c.OS_ENABLE_QMSG || c.OS_ENABLE_QSMSG);
        if (c.OS_ENABLE_INT_ALL || csemLine || queueLine || c.OS_ENABLE_INT_MSG ||
            c.OS_ENABLE_INT_SMSG) {
            AppendBanner("INTERRUPT SERVICES");
        }
        if (c.OS_ENABLE_INT_ALL) {
            AppendSwitchLine("OS_ENABLE_INT_ALL", "All OS_IntXXX services allowed in interrupts",
                             kIntAllCommentColumn);
        } else {
            if (csemLine) {
                out_ += "#define OS_ENABLE_INT_CSEM\n";
            }
            if (queueLine) {
                AppendSwitchLine(names_.enableIntQueue,
                                 "Enable services for work with queues within interrupts");
            }
            if (c.OS_ENABLE_INT_MSG) {
                AppendSwitchLine(
                    "OS_ENABLE_INT_MSG",
                    "Enable services for work with pointers to messages within interrupts");
            }
            if (c.OS_ENABLE_INT_SMSG) {
                AppendSwitchLine("OS_ENABLE_INT_SMSG",
                                 "Enable services for work with simple messages within interrupts");
            }
        }
        out_ += "\n\n";
    }

    // A list without selection (-1) writes no line but still counts in the sum that decides a
    // section's banner, so -1 and 1 cancel out.
    template <std::size_t N>
    int64_t Sum(const std::array<Field<int32_t>, N>& fields) const {
        int64_t sum = 0;
        for (const Field<int32_t>& field : fields) {
            sum += config_.*field.member;
        }
        return sum;
    }

    void AppendBanks() {
        const Configuration& c = config_;
        if (Sum(kBankFields) != 0) {
            AppendBanner("BANKS");
        }
        AppendBankLine("OS_BANK_OS", c.OS_BANK_OS, "RAM bank to allocate all system variables");
        AppendBankLine("OS_BANK_TASKS", c.OS_BANK_TASKS, "RAM bank to allocate task descriptors");
        AppendBankLine("OS_BANK_BSEMS", c.OS_BANK_BSEMS, "RAM bank to allocate binary semaphores");
        AppendBankLine("OS_BANK_STIMERS", c.OS_BANK_STIMERS, "RAM bank to allocate static timers");
        out_ += "\n\n";
    }

    void AppendBankLine(std::string_view name, int32_t bankIndex, std::string_view comment) {
        if (bankIndex > 0) {
            AppendValueLine(name, bankIndex - 1, comment);
        }
    }

    // No empty line ends this section: whatever follows comes right after the last size line.
    void AppendTypes() {
        const Configuration& c = config_;
        if (Sum(kSizeFields) != 0) {
            AppendBanner("TYPES");
        }
        AppendSizeLine("OS_TIMER_SIZE", c.OS_TIMER_SIZE, "Size of all system timers (1, 2 or 4)");
        AppendSizeLine("OS_TTIMER_SIZE", c.OS_TTIMER_SIZE, "Size of task timers (1, 2 or 4)");
        AppendSizeLine("OS_DTIMER_SIZE", c.OS_DTIMER_SIZE, "Size of dynamic timers (1, 2 or 4)");
        AppendSizeLine("OS_STIMER_SIZE", c.OS_STIMER_SIZE, "Size of static timers (1, 2 or 4)");
        AppendSizeLine("OS_CSEM_SIZE", c.OS_CSEM_SIZE, "Size of counting semaphores (1, 2 or 4)");
        if (WithoutBlanksAround(c.OST_MSG).empty() && WithoutBlanksAround(c.OST_SMSG).empty()) {
            return;
        }
        if (oldStyleNames_) {
            // Old kernels know only the OST_ names; the guard lets newer ones take the new names.
            out_ += "#if __ZURVERSION__ >= 90200\n\n";
            AppendMessageTypes("OS_MSG_TYPE", "OS_SMSG_TYPE");
            out_ += "\n#else\n\n";
            AppendMessageTypes("OST_MSG", "OST_SMSG");
            out_ += "\n#endif\n\n\n";
        } else {
            AppendMessageTypes("OS_MSG_TYPE", "OS_SMSG_TYPE");
        }
    }

    void AppendSizeLine(std::string_view name, int32_t sizeIndex, std::string_view comment) {
        if (const int32_t bytes = SizeBytes(sizeIndex); bytes > 0) {
            AppendValueLine(name, bytes, comment);
        }
    }

    void AppendMessageTypes(std::string_view messageName, std::string_view simpleMessageName) {
        AppendTypeLine(messageName, config_.OST_MSG);
        AppendTypeLine(simpleMessageName, config_.OST_SMSG);
    }

    // Blanks around a type are not read back, so they are not written.
    void AppendTypeLine(std::string_view name, const std::string& type) {
        if (const std::string_view written = WithoutBlanksAround(type); !written.empty()) {
            AppendDefine(name, kValueColumn);
            out_ += written;
            out_ += '\n';
        }
    }

    // The section of a name table: its count (kind "BSEMS" gives OS_BSEMS) and its enum block
    // (ZUR_BSEMS_ENUM), left out when the table holds no identifier.
    void AppendNameTable(const std::string& kind, int32_t count, std::string_view countComment,
                         const std::vector<NameEntry>& rows) {
        AppendBanner(kind);
        if (count != 0) {
            AppendValueLine("OS_" + kind, count, countComment);
            out_ += '\n';
        }
        const TableMeasure measure = Measure(rows);
        if (measure.identifiers == 0) {
            return;
        }
        out_ += "enum ZUR_" + kind + "_ENUM\n{\n";
        int written = 0;
        for (const NameEntry& row : rows) {
            if (row.identifier.empty()) {
                continue;
            }
            ++written;
            // The last item has a blank for the comma, which keeps its comment in line.
            out_ += "    ";
            out_ += row.identifier;
            out_ += written < measure.identifiers ? ',' : ' ';
            if (!row.comment.empty()) {
                const std::size_t padding =
                    kEnumCommentGap + measure.widestIdentifier - Characters(row.identifier);
                out_.append(std::min(padding, kMaxEnumPadding), ' ');
                out_ += "// ";
                out_ += row.comment;
            }
            out_ += '\n';
        }
        out_ += "};\n\n\n";
    }

    TableMeasure Measure(const std::vector<NameEntry>& rows) const {
        TableMeasure measure;
        measure.identifiers = Identifiers(rows);
        for (const NameEntry& row : rows) {
            measure.widestIdentifier =
                std::max(measure.widestIdentifier, Characters(row.identifier));
        }
        return measure;
    }

    std::size_t Characters(std::string_view text) const { return CharacterCount(text, encoding_); }

    void AppendBanner(std::string_view title) {
        out_ += kDashRule;
        out_ += "// ";
        out_ += title;
        out_ += '\n';
        out_ += kDashRule;
        out_ += '\n';
    }

    // "#define" and the name, padded with blanks up to the given column.
    void AppendDefine(std::string_view name, std::size_t nextColumn) {
        out_ += kDefine;
        out_ += name;
        out_.append(nextColumn - 1 - kDefine.size() - name.size(), ' ');
    }

    void AppendValueLine(std::string_view name, int32_t value, std::string_view comment) {
        AppendDefine(name, kValueColumn);
        out_ += std::to_string(value);
        out_ += "  // ";
        out_ += comment;
        out_ += '\n';
    }

    void AppendSwitchLine(std::string_view name, std::string_view comment,
                          std::size_t commentColumn = kSwitchCommentColumn) {
        AppendDefine(name, commentColumn);
        out_ += "// ";
        out_ += comment;
        out_ += '\n';
    }

    const Configuration& config_;
    const MacroNames& names_;
    const bool oldStyleNames_;
    const TextEncoding encoding_;
    std::string out_;
};

// Whether the header at path carries the tool's marker but lacks its closing lines: the file a
// crash or a full disk may have left, which must not push out an older backup.
bool EndsEarly(const std::string& path) {
    const std::vector<ReadFinding> findings = ReadHeaderFile(path).contents.findings;
    return std::any_of(findings.begin(), findings.end(), [](const ReadFinding& finding) {
        return finding.kind == ReadFinding::Kind::EndsEarly;
    });
}

HeaderWriteReport::Outcome OutcomeOf(FileReplaceResult::Outcome outcome) {
    switch (outcome) {
        case FileReplaceResult::Outcome::Replaced:
            return HeaderWriteReport::Outcome::Written;
        case FileReplaceResult::Outcome::NotRegularFile:
            return HeaderWriteReport::Outcome::NotRegularFile;
        case FileReplaceResult::Outcome::NotWritten:
            return HeaderWriteReport::Outcome::NotWritten;
        case FileReplaceResult::Outcome::NotOpened:
            break;
    }
    return HeaderWriteReport::Outcome::NotOpened;
}

HeaderWriteReport::Backup BackupOf(FileReplaceResult::Backup backup) {
    switch (backup) {
        case FileReplaceResult::Backup::Made:
            return HeaderWriteReport::Backup::Made;
        case FileReplaceResult::Backup::NotMade:
            return HeaderWriteReport::Backup::NotMade;
        case FileReplaceResult::Backup::NotAsked:
            return HeaderWriteReport::Backup::KeptOlder;
        case FileReplaceResult::Backup::NoPreviousFile:
            break;
    }
    return HeaderWriteReport::Backup::NoPreviousFile;
}

}  // namespace

bool CanOpenForUpdate(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

std::string FormatHeader(const Configuration& configuration, const std::vector<NameEntry>& bsems,
                         const std::vector<NameEntry>& stimers, bool oldStyleNames) {
    return FormatHeader(configuration, bsems, stimers, oldStyleNames, LocalTextEncoding());
}

std::string FormatHeader(const Configuration& configuration, const std::vector<NameEntry>& bsems,
                         const std::vector<NameEntry>& stimers, bool oldStyleNames,
                         TextEncoding encoding) {
    return HeaderFormatter(configuration, oldStyleNames, encoding).Format(bsems, stimers);
}

std::vector<CountWarning> CheckCounts(const Configuration& configuration,
                                      const std::vector<NameEntry>& bsems,
                                      const std::vector<NameEntry>& stimers) {
    std::vector<CountWarning> warnings;
    const std::pair<NameTableId, int32_t> counts[] = {
        {NameTableId::Stimers, configuration.OS_STIMERS},
        {NameTableId::Bsems, configuration.OS_BSEMS}};
    for (const auto& [table, count] : counts) {
        const int identifiers = Identifiers(table == NameTableId::Bsems ? bsems : stimers);
        if (identifiers > count) {
            warnings.push_back({table, count, identifiers});
        }
    }
    return warnings;
}

HeaderWriteReport WriteHeaderFile(std::string path, const Configuration& configuration,
                                  const std::vector<NameEntry>& bsems,
                                  const std::vector<NameEntry>& stimers, bool oldStyleNames,
                                  const WriteOptions& options) {
    HeaderWriteReport report;
    report.path = HeaderPathFor(std::move(path));
    std::optional<FileLock> ownLock;
    if (options.heldLock == nullptr && !ownLock.emplace(report.path).Held()) {
        report.outcome = HeaderWriteReport::Outcome::Busy;
        return report;
    }
    std::error_code linkError;
    const std::string target = FollowLinks(report.path, linkError);
    report.backupPath = BackupOfHeader(report.path);
    const bool keepOlderBackup = EndsEarly(target) && RegularFile(report.backupPath).OpenStatus() !=
                                                          RegularFile::Status::Missing;
    const FileReplaceResult replaced =
        ReplaceFile(target,
                    WithLineEnding(FormatHeader(configuration, bsems, stimers, oldStyleNames),
                                   options.lineEnding),
                    {keepOlderBackup ? std::string() : report.backupPath});
    report.outcome = OutcomeOf(replaced.outcome);
    report.backup = BackupOf(replaced.backup);
    report.inPlace = replaced.inPlace;
    report.failure = replaced.failure;
    report.backupFailure = replaced.backupFailure;
    if (report.Written()) {
        report.countWarnings = CheckCounts(configuration, bsems, stimers);
    }
    return report;
}

}  // namespace zurcfg
