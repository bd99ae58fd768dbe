// A header the tool writes reads back as the record and tables it was written from.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "config/header_messages.h"
#include "config/header_reader.h"
#include "config/header_writer.h"
#include "config/option_lists.h"
#include "tests/support/configuration_diff.h"
#include "tests/support/fake_prompter.h"
#include "tests/support/temp_dir.h"

namespace zurcfg {
namespace {

using testing::DifferingFields;
using testing::FakePrompter;
using testing::TempDir;

// Draws records in the writer's canonical form: every switch the writer would leave out is
// off, every index stands for an entry of its list, counts are not negative, and texts hold no
// line break, no edge blank and (message types) no comment opener.
class RecordGenerator {
public:
    explicit RecordGenerator(uint32_t seed) : random_(seed) {}

    Configuration Record() {
        Configuration c;
        c.OS_TASKS = Count();
        c.OS_BSEMS = Count();
        c.OS_STIMERS = Count();
        for (const auto& field : kServiceSwitchFields) {
            c.*field.member = Chance(2);
        }
        for (const auto& field : kInterruptSwitchFields) {
            c.*field.member = Chance(2);
        }
        for (const auto& field : kBankFields) {
            c.*field.member = Below(kBankPositions);
        }
        for (const auto& field : kSizeFields) {
            c.*field.member = Below(kSizePositions);
        }
        for (const auto& field : kMessageTypeFields) {
            c.*field.member = Chance(3) ? "" : MessageType();
        }
        c.PLATFORM = Below(kPlatformPositions);
        c.PROJECT_NAME = Chance(4) ? "" : Text(40);
        DropSwitchesTheWriterLeavesOut(c);
        return c;
    }

    // Rows of a name table, some of them empty, some with a comment but no identifier.
    std::vector<NameEntry> Table(int rows) {
        std::vector<NameEntry> table(rows);
        const int filled = Below(rows + 1);
        for (int row = 0; row < filled; ++row) {
            if (!Chance(5)) {
                table[row].identifier = Identifier();
            }
            if (!Chance(3)) {
                table[row].comment = Text(Chance(10) ? 150 : 30);
            }
        }
        return table;
    }

    bool Chance(int oneIn) { return Below(oneIn) == 0; }

private:
    static void DropSwitchesTheWriterLeavesOut(Configuration& c) {
        if (c.OS_ENABLE_ALL) {
            c.OS_ENABLE_CSEM = c.OS_ENABLE_CRITICAL_SECTION = c.OS_ENABLE_QMSG = c.OS_ENABLE_QSMSG =
                c.OS_ENABLE_TTIMERS = c.OS_ENABLE_DTIMERS = 0;
        }
        if (!(c.OS_ENABLE_ALL || c.OS_ENABLE_TTIMERS || c.OS_ENABLE_DTIMERS || c.OS_STIMERS > 0)) {
            c.OS_USE_INLINE_TIMER = 0;
        }
        if (!(c.OS_ENABLE_ALL || (c.OS_ENABLE_QMSG && c.OS_ENABLE_QSMSG))) {
            c.OS_QUEUES_IDENTICAL = 0;
        }
        if (c.OS_ENABLE_INT_ALL) {
            c.OS_ENABLE_INT_CSEM = c.OS_ENABLE_INT_QUEUE = c.OS_ENABLE_INT_MSG =
                c.OS_ENABLE_INT_SMSG = 0;
        }
        if (!(c.OS_ENABLE_ALL || c.OS_ENABLE_CSEM)) {
            c.OS_ENABLE_INT_CSEM = 0;
        }
        if (!(c.OS_ENABLE_ALL || c.OS_ENABLE_QMSG || c.OS_ENABLE_QSMSG)) {
            c.OS_ENABLE_INT_QUEUE = 0;
        }
    }

    int32_t Below(int32_t bound) {
        return std::uniform_int_distribution<int32_t>(0, bound - 1)(random_);
    }

    int32_t Count() {
        return Chance(10) ? std::numeric_limits<int32_t>::max() - Below(3) : Below(300);
    }

    std::string Identifier() {
        static constexpr char kChars[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
        std::string identifier(1 + Below(Chance(10) ? 120 : 16), ' ');
        for (char& c : identifier) {
            c = kChars[Below(sizeof kChars - 1)];
        }
        return identifier;
    }

    // Printable bytes, blanks, punctuation and bytes of the upper half; no blank at an edge.
    std::string Text(int longest) {
        std::string text(1 + Below(longest), ' ');
        for (char& c : text) {
            c = Chance(8) ? (Chance(4) ? '\t' : ' ') : NonBlank();
        }
        text.front() = NonBlank();
        text.back() = NonBlank();
        return text;
    }

    char NonBlank() { return static_cast<char>(Chance(6) ? 128 + Below(128) : '!' + Below(94)); }

    std::string MessageType() {
        std::string type;
        do {
            type = Text(20);
        } while (type.find("//") != std::string::npos || type.find("/*") != std::string::npos);
        return type;
    }

    std::mt19937 random_;
};

// What the reader returns for a table: the rows that have an identifier, in order.
std::vector<NameEntry> Items(const std::vector<NameEntry>& rows) {
    std::vector<NameEntry> items;
    for (const NameEntry& row : rows) {
        if (!row.identifier.empty()) {
            items.push_back(row);
        }
    }
    return items;
}

TEST(HeaderRoundTripTest, FormattedRecordsAndTablesReadBackUnchanged) {
    RecordGenerator generate(0x5EED);
    for (int round = 0; round < 3000; ++round) {
        const Configuration record = generate.Record();
        const std::vector<NameEntry> bsems = generate.Table(kBsemsEntries);
        const std::vector<NameEntry> stimers = generate.Table(kStimersEntries);
        const bool oldStyleNames = generate.Chance(2);
        const std::string text = FormatHeader(record, bsems, stimers, oldStyleNames);

        const HeaderContents contents = ParseHeader(text);
        EXPECT_TRUE(contents.generatedMarkerSeen);
        EXPECT_EQ(DifferingFields(contents.configuration, record), "") << text;
        EXPECT_EQ(contents.bsems, Items(bsems)) << text;
        EXPECT_EQ(contents.stimers, Items(stimers)) << text;
        if (::testing::Test::HasFailure()) {
            FAIL() << "round " << round;
        }
    }
}

TEST(HeaderRoundTripTest, WrittenFileReadsBackWithoutWarning) {
    RecordGenerator generate(7);
    for (const bool oldStyleNames : {true, false}) {
        TempDir dir;
        Configuration record = generate.Record();
        const std::vector<NameEntry> bsems = generate.Table(kBsemsEntries);
        const std::vector<NameEntry> stimers = generate.Table(kStimersEntries);
        // Counts that cover the tables, so the save report carries no warning.
        record.OS_BSEMS = kBsemsEntries;
        record.OS_STIMERS = kStimersEntries;

        FakePrompter writePrompter;
        writePrompter.Will(Answer::Ok);
        ASSERT_TRUE(
            WriteHeader(dir.Path().string(), record, bsems, stimers, oldStyleNames, writePrompter)
                .Written());

        FakePrompter readPrompter;
        const HeaderReadResult result = ReadHeader(dir.Path().string(), readPrompter);
        EXPECT_TRUE(result.opened);
        EXPECT_TRUE(readPrompter.Messages().empty());
        EXPECT_EQ(DifferingFields(result.contents.configuration, record), "");
        EXPECT_EQ(result.contents.bsems, Items(bsems));
        EXPECT_EQ(result.contents.stimers, Items(stimers));
    }
}

}  // namespace
}  // namespace zurcfg
