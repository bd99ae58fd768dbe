// zurcfg check against the C compilers. Name tables generated with a fixed seed, each kind of
// name and comment alone and mixed, are written by the window's writer, checked, and compiled
// by gcc and clang in C99, with __ZURVERSION__ undefined and defined as 90200: a header that a
// compiler rejects has an error finding, and a header with an error finding is rejected by a
// compiler. Hand-edited defines, hand edits around the names (control bytes, line comments
// joined to the next line, an unknown platform), CR-only line ends and headers that zurcfg set
// wrote take part the same way.
//
// Each header is compiled in a unit that includes it and then uses every enumerator, so that
// whatever stops the header alone stops the unit as well. The run with __ZURVERSION__ defined
// takes only the headers that test it, since it changes nothing in the others, and clang takes
// only the units gcc let through: one compiler's refusal is enough, and clang costs a tenth of
// a second per unit, which is also what keeps the case count this low.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_line.h"
#include "config/c_names.h"
#include "config/header_writer.h"
#include "config/name_checks.h"
#include "tests/support/temp_dir.h"

namespace zurcfg {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr unsigned kSeed = 20;
constexpr int kMixedCases = 60;
constexpr int kCrOnlyCases = 8;
constexpr int kSetCases = 16;

// Each way a name or a comment can go wrong, with the texts that stand for it.
struct NameKind {
    const char* name;
    std::vector<std::string> identifiers;  // empty: a plain identifier
    std::vector<std::string> comments;     // empty: a plain comment
};

const std::vector<NameKind>& NameKinds() {
    static const std::vector<NameKind> kinds{
        {"not an identifier",
         {"my-sem", "1bad", "two words", "x =", "caf\xE9",
          "e\x01"
          "f",
          "g\x0bh", "smile\xF0\x9F\x98\x80"},
         {}},
        {"more than a plain identifier", {"a$b", "caf\xC3\xA9", "x = 5", "k = (1 << 2)"}, {}},
        {"reserved",
         {"__LINE__", "_Pragma", "__attribute__", "__asm__", "__FILE__", "__func__", "__int128",
          "__COUNTER__", "__builtin_va_list"},
         {}},
        {"C keyword", {"int", "while", "inline", "restrict", "_Bool", "sizeof"}, {}},
        {"C++ keyword", {"class", "new", "bool", "true", "nullptr", "typeof", "asm"}, {}},
        {"enumeration tag", {"ZUR_BSEMS_ENUM", "ZUR_STIMERS_ENUM"}, {}},
        {"comment end marker", {}, {"ends */ here", "*/"}},
        {"comment line break",
         {},
         {"first\nsecond words", "first\rsecond words", "ends in a break\n", "x\n// more"}},
        {"comment continues", {}, {"goes on \\", "goes on ?\?/", "trailing \\  "}},
        {"comment control byte",
         {},
         {"c\x02"
          "d"}},
        // These take their names from the rest of the case.
        {"duplicate", {}, {}},
        {"macro of the header", {}, {}},
        {"macro of other settings", {}, {}},
        {"long names alike", {}, {}},
        {"case-only twin", {}, {}},
        {"name beyond ASCII and its ASCII start", {}, {}},
    };
    return kinds;
}

// One header of the test: where it is, and the names a unit using each enumerator names.
struct Case {
    std::string name;  // "c017"
    std::string origin;
    std::vector<std::string> uses;
    bool versioned = false;  // the header tests __ZURVERSION__
    // A table holds names beyond the window's rows, which a forced rewrite drops.
    bool beyondRows = false;
};

class CaseMaker {
public:
    CaseMaker(const TempDir& dir, std::mt19937& random) : dir_(dir), random_(random) {}

    // A header with plain names around one of the kind (or several of random kinds when none
    // is given).
    Case Make(const NameKind* only, const std::string& origin) {
        const bool oldStyleNames = Chance(2);
        configuration_ = RandomConfiguration();
        used_.clear();
        std::vector<NameEntry> bsems;
        std::vector<NameEntry> stimers;
        const int bsemsRows = Pick(8) + 1;
        const int stimersRows = Chance(6) ? 64 + Pick(4) : Pick(6);
        const int special = Pick(bsemsRows + stimersRows);
        for (int row = 0; row < bsemsRows + stimersRows; ++row) {
            const NameKind* kind = only;
            if (only == nullptr) {
                kind = Chance(4) ? &NameKinds()[Pick(NameKinds().size())] : nullptr;
            } else if (row != special) {
                kind = nullptr;
            }
            std::vector<NameEntry>& table = row < bsemsRows ? bsems : stimers;
            AddRow(table, kind, oldStyleNames);
        }
        configuration_.OS_BSEMS = Identifiers(bsems) + (Chance(5) ? 1 : 0);
        configuration_.OS_STIMERS = Identifiers(stimers) - (Chance(5) ? 1 : 0);
        Case made{NextName(), origin, {}};
        std::filesystem::create_directory(dir_.Path() / made.name);
        WriteOptions options;
        options.lineEnding = Chance(3) ? LineEnding::Lf : LineEnding::CrLf;
        EXPECT_TRUE(
            WriteHeaderFile(HeaderOf(made), configuration_, bsems, stimers, oldStyleNames, options)
                .Written());
        made.uses = Uses(bsems, stimers);
        made.beyondRows = bsems.size() > static_cast<std::size_t>(kBsemsEntries) ||
                          stimers.size() > static_cast<std::size_t>(kStimersEntries);
        return made;
    }

    // A copy of a case's header under a case name of its own, the bytes changed.
    Case Copy(const Case& from, const std::string& origin,
              const std::function<std::string(std::string)>& change) {
        Case copy{NextName(), origin, from.uses};
        copy.beyondRows = from.beyondRows;
        std::filesystem::create_directory(dir_.Path() / copy.name);
        WriteBytes(HeaderOf(copy), change(ReadBytes(HeaderOf(from))));
        return copy;
    }

    std::string HeaderOf(const Case& c) const { return dir_.File(c.name + "/ZURcfg.h"); }

    bool Chance(int oneIn) { return Pick(oneIn) == 0; }
    int Pick(std::size_t below) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(below) - 1)(random_);
    }
    template <typename T>
    const T& Any(const std::vector<T>& items) {
        return items[Pick(items.size())];
    }

private:
    Configuration RandomConfiguration() {
        Configuration configuration;
        configuration.OS_TASKS = Pick(8) + 1;
        for (const auto& field : kServiceSwitchFields) {
            configuration.*field.member = Chance(3);
        }
        for (const auto& field : kInterruptSwitchFields) {
            configuration.*field.member = Chance(4);
        }
        for (const auto& field : kBankFields) {
            configuration.*field.member = Pick(5);
        }
        for (const auto& field : kSizeFields) {
            configuration.*field.member = Pick(4);
        }
        const std::vector<std::string> types{"", "", "char", "unsigned char *", "int"};
        configuration.OST_MSG = Any(types);
        configuration.OST_SMSG = Any(types);
        configuration.PLATFORM = Pick(6);
        configuration.PROJECT_NAME = Chance(2) ? "Pump" : "";
        return configuration;
    }

    std::string Fresh() {
        std::string name = "N_" + std::to_string(next_++);
        used_.push_back(name);
        return name;
    }

    std::string PlainComment() { return Chance(2) ? "" : "note " + std::to_string(next_); }

    void AddRow(std::vector<NameEntry>& table, const NameKind* kind, bool oldStyleNames) {
        if (kind == nullptr) {
            table.push_back({Fresh(), PlainComment()});
            return;
        }
        const std::string kindName = kind->name;
        if (!kind->identifiers.empty()) {
            table.push_back({Any(kind->identifiers), PlainComment()});
        } else if (!kind->comments.empty()) {
            table.push_back({Fresh(), Any(kind->comments)});
        } else if (kindName == "duplicate") {
            table.push_back({used_.empty() ? Fresh() : Any(used_), ""});
            used_.push_back(table.back().identifier);
        } else if (kindName == "macro of the header") {
            table.push_back({Any(WrittenMacros(configuration_, oldStyleNames)), ""});
        } else if (kindName == "macro of other settings") {
            table.push_back({Chance(2) ? "OS_ENABLE_QMSG" : "OS_ENABLE_DTIMERS", ""});
        } else if (kindName == "long names alike") {
            const std::string start = "SEMAPHORE_WITH_A_VERY_LONG_NAME_" + std::to_string(next_++);
            table.push_back({start + "_A", ""});
            table.push_back({start + "_B", ""});
        } else if (kindName == "case-only twin") {
            const std::string twin = Fresh();
            table.push_back({twin, ""});
            table.push_back({"n" + twin.substr(1), ""});
        } else {
            const std::string start = Fresh();
            table.push_back({start + "\xC3\xA9", ""});
            table.push_back({start, ""});
        }
    }

    static int Identifiers(const std::vector<NameEntry>& rows) {
        int count = 0;
        for (const NameEntry& row : rows) {
            count += row.identifier.empty() ? 0 : 1;
        }
        return count;
    }

    // Every name a compiler would declare; an item that stops the build names none.
    static std::vector<std::string> Uses(const std::vector<NameEntry>& bsems,
                                         const std::vector<NameEntry>& stimers) {
        std::vector<std::string> uses;
        for (const auto* table : {&bsems, &stimers}) {
            for (const NameEntry& row : *table) {
                const EnumItemReading reading = ReadEnumItem(row.identifier);
                if (reading.verdict != EnumItemReading::Verdict::Rejected) {
                    uses.emplace_back(reading.name);
                }
            }
        }
        return uses;
    }

    std::string NextName() {
        char name[8];
        std::snprintf(name, sizeof name, "c%03d", cases_++);
        return name;
    }

    const TempDir& dir_;
    std::mt19937& random_;
    Configuration configuration_;
    std::vector<std::string> used_;
    int next_ = 0;
    int cases_ = 0;
};

struct CommandOutput {
    int status;
    std::string text;
};

CommandOutput RunShell(const std::string& command) {
    CommandOutput output{-1, {}};
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    std::array<char, 4096> buffer{};
    while (std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        output.text.append(buffer.data(), read);
    }
    output.status = pclose(pipe);
    return output;
}

// The cases named at the start of the lines of compiler or checker output that hold an error.
std::set<std::string> CasesWithErrors(const std::string& output, const std::string& prefix) {
    std::set<std::string> cases;
    const std::regex errorLine("^" + prefix + "(c[0-9]{3})[/_][^\n]*(fatal )?error: ");
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, errorLine)) {
            cases.insert(match[1]);
        }
    }
    return cases;
}

struct Compiler {
    const char* program;
    const char* package;
};

TEST(CompilerAgreementTest, CheckFindsAnErrorExactlyWhereACompilerStops) {
    const auto start = std::chrono::steady_clock::now();
    const std::array<Compiler, 2> compilers{{{"gcc", "gcc"}, {"clang", "clang"}}};
    for (const Compiler& compiler : compilers) {
        ASSERT_EQ(RunShell(std::string("command -v ") + compiler.program).status, 0)
            << compiler.program << " is missing: install the Debian package " << compiler.package;
    }
    TempDir dir;
    std::mt19937 random(kSeed);
    CaseMaker maker(dir, random);
    std::vector<Case> cases;
    for (const NameKind& kind : NameKinds()) {
        const std::size_t variants = std::max(kind.identifiers.size(), kind.comments.size());
        for (std::size_t i = 0; i < std::max<std::size_t>(variants, 2); ++i) {
            cases.push_back(maker.Make(&kind, kind.name));
        }
    }
    for (int i = 0; i < kMixedCases; ++i) {
        cases.push_back(maker.Make(nullptr, "mixed"));
    }
    // Values a hand edit may give a define, which the reader does not take as written.
    for (const char* value : {"0x10", "(5)", "010", "5u", "-1", ""}) {
        cases.push_back(
            maker.Copy(cases[maker.Pick(cases.size())], "define value", [&](std::string text) {
                const std::size_t at = text.find("#define OS_TASKS");
                const std::size_t end = text.find_first_of("\r\n", at);
                return text.replace(at, end - at, std::string("#define OS_TASKS ") + value);
            }));
    }
    // Hand edits around the names: control bytes, a line comment joined to the next line, a
    // platform the tool does not know. Each goes in at the first place given (the last for
    // "#endif"), on a line of its own where it ends in a line break, of a header that builds.
    const auto buildingKind =
        std::find_if(NameKinds().begin(), NameKinds().end(),
                     [](const NameKind& kind) { return std::string(kind.name) == "C++ keyword"; });
    struct HandEdit {
        const char* anchor;
        bool behind;
        const char* text;
    };
    for (const HandEdit& edit : std::vector<HandEdit>{{"};", true, "\x01"},
                                                      {"// Do not modify", true, "\x02"},
                                                      {"{", true, "\x0c"},
                                                      {"{", true, "\n    // spare \\"},
                                                      {"#define OS_TASKS", false, "// note \\\n"},
                                                      {"#endif", false, "// end ?\?/\n"},
                                                      {"//\n/***", false, "// PLATFORM: SDCC\n"}}) {
        cases.push_back(
            maker.Copy(maker.Make(&*buildingKind, ""), "hand edit", [&](std::string text) {
                const bool crLf = text.find("\r\n") != std::string::npos;
                std::string anchor = edit.anchor;
                std::string inserted = edit.text;
                for (std::string* part : {&anchor, &inserted}) {
                    for (std::size_t at = part->find('\n'); crLf && at != std::string::npos;
                         at = part->find('\n', at + 2)) {
                        part->insert(at, "\r");
                    }
                }
                const std::size_t at = anchor == "#endif" ? text.rfind(anchor) : text.find(anchor);
                return at == std::string::npos
                           ? text
                           : text.insert(edit.behind ? at + anchor.size() : at, inserted);
            }));
    }
    // CR-only line ends: a C compiler reads them as it reads their CR LF twins.
    for (int i = 0; i < kCrOnlyCases; ++i) {
        cases.push_back(
            maker.Copy(cases[maker.Pick(cases.size())], "CR only", [](std::string text) {
                std::string crOnly;
                for (std::size_t at = 0; at < text.size(); ++at) {
                    if (text[at] == '\n') {
                        if (at == 0 || text[at - 1] != '\r') {
                            crOnly += '\r';
                        }
                    } else {
                        crOnly += text[at];
                    }
                }
                return crOnly;
            }));
    }
    // Headers set wrote: each passes format --check and takes its part like the others.
    const std::vector<std::string> assignments{"OS_TASKS=4",
                                               "OS_ENABLE_INT_CSEM=1",
                                               "OS_ENABLE_CSEM=0",
                                               "OS_ENABLE_CSEM=1",
                                               "OS_ENABLE_ALL=1",
                                               "OS_ENABLE_INT_QUEUE=1",
                                               "OS_USE_INLINE_TIMER=1",
                                               "OS_QUEUE_SQUEUE_IDENTICAL=1",
                                               "OS_ENABLE_INT_ALL=0",
                                               "OS_MSG_TYPE=unsigned char *",
                                               "OS_MSG_TYPE=/*",
                                               "OS_SMSG_TYPE=int\\",
                                               "OS_BANK_BSEMS=bank2",
                                               "OS_STIMER_SIZE=long",
                                               "PROJECT_NAME= Pump ",
                                               "OS_MSG_TYPE= char ",
                                               "OS_ENABLE_INT_MSG=1",
                                               "OS_ENABLE_QUEUE=1"};
    int setWrote = 0;
    int setRefused = 0;
    for (std::size_t i = 0, next = NameKinds().size() * 2; i < std::size_t{kSetCases};
         ++i, ++next) {
        while (cases[next].beyondRows) {
            ++next;
        }
        const Case& plain = cases[next];
        Case copy = maker.Copy(plain, "set", [](std::string text) { return text; });
        std::vector<std::string> arguments{"zurcfg", "set", "--force", maker.HeaderOf(copy)};
        for (int n = maker.Pick(3); n >= 0; --n) {
            arguments.push_back(maker.Any(assignments));
        }
        const std::string before = ReadBytes(maker.HeaderOf(copy));
        std::ostringstream out;
        std::ostringstream err;
        Console console{out, err};
        const ExitCode set = RunCommandLine(arguments, console);
        if (set == ExitCode::Clean) {
            ++setWrote;
            Console quiet{out, err};
            EXPECT_EQ(RunCommandLine({"zurcfg", "format", "--check", maker.HeaderOf(copy)}, quiet),
                      ExitCode::Clean)
                << out.str();
        } else {
            ++setRefused;
            EXPECT_EQ(set, ExitCode::UsageOrFileError) << err.str();
            EXPECT_EQ(ReadBytes(maker.HeaderOf(copy)), before);
        }
        cases.push_back(copy);
    }
    EXPECT_GT(setWrote, 0);
    EXPECT_GT(setRefused, 0);

    // zurcfg check over every header at once.
    std::vector<std::string> check{"zurcfg", "check", "--quiet"};
    for (const Case& c : cases) {
        check.push_back(maker.HeaderOf(c));
    }
    std::ostringstream checkOut;
    std::ostringstream checkErr;
    Console console{checkOut, checkErr};
    RunCommandLine(check, console);
    const std::set<std::string> flagged =
        CasesWithErrors(checkOut.str(), dir.Path().string() + "/");

    // The units: the header, then a use of each enumerator.
    for (Case& c : cases) {
        std::string unit = "#include \"" + c.name + "/ZURcfg.h\"\n";
        unit += "void zurcfg_uses(void);\nvoid zurcfg_uses(void) {\n";
        for (const std::string& name : c.uses) {
            unit += "    (void)(" + name + ");\n";
        }
        WriteBytes(dir.File(c.name + "_uses.c"), unit + "}\n");
        c.versioned = ReadBytes(maker.HeaderOf(c)).find("__ZURVERSION__") != std::string::npos;
    }
    // Each compiler in turn, its two runs side by side on threads of their own.
    std::set<std::string> rejected;
    std::vector<CommandOutput> runs;
    std::vector<std::string> runNames;
    std::size_t unitsCompiled = 0;
    for (const Compiler& compiler : compilers) {
        const std::size_t first = runs.size();
        runs.resize(first + 2);
        std::vector<std::thread> threads;
        for (const bool versioned : {false, true}) {
            const std::size_t run = runNames.size();
            runNames.push_back(std::string(compiler.program) +
                               (versioned ? " -D__ZURVERSION__=90200" : ""));
            std::string command =
                "cd " + dir.Path().string() + " && " + runNames[run] + " -std=c99 -fsyntax-only";
            for (const Case& c : cases) {
                if ((c.versioned || !versioned) && rejected.count(c.name) == 0) {
                    command += " " + c.name + "_uses.c";
                    ++unitsCompiled;
                }
            }
            threads.emplace_back([&runs, run, command] { runs[run] = RunShell(command); });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        for (std::size_t run = first; run < runs.size(); ++run) {
            const std::set<std::string> stopped = CasesWithErrors(runs[run].text, "");
            rejected.insert(stopped.begin(), stopped.end());
        }
    }

    int agreeing = 0;
    for (const Case& c : cases) {
        const bool isRejected = rejected.count(c.name) > 0;
        const bool isFlagged = flagged.count(c.name) > 0;
        agreeing += isRejected == isFlagged ? 1 : 0;
        if (isRejected != isFlagged) {
            std::string compilerSaid;
            for (std::size_t run = 0; run < runs.size(); ++run) {
                std::istringstream lines(runs[run].text);
                for (std::string line; std::getline(lines, line);) {
                    if (line.rfind(c.name, 0) == 0 && line.find("error") != std::string::npos) {
                        compilerSaid += runNames[run] + ": " + line + "\n";
                    }
                }
            }
            ADD_FAILURE() << c.name << " (" << c.origin << ") "
                          << (isRejected ? "rejected by a compiler, but check finds no error"
                                         : "has an error finding, but every compiler takes it")
                          << "\n"
                          << compilerSaid << ReadBytes(maker.HeaderOf(c));
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << cases.size() << " headers (" << rejected.size() << " rejected, " << flagged.size()
              << " with an error finding), " << runs.size() << " compiler runs of " << unitsCompiled
              << " units in all, set wrote " << setWrote << " and refused " << setRefused << ", "
              << agreeing << " agree, in " << seconds << " s\n";
}

}  // namespace
}  // namespace zurcfg
