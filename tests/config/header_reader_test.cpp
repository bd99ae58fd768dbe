// The scan rules of the header reader, driven through ParseHeader.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "config/header_reader.h"
#include "config/header_writer.h"
#include "tests/support/configuration_diff.h"

namespace zurcfg {
namespace {

using testing::DifferingFields;

// Lines joined the way the tool writes them, CR LF after each.
std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line).append("\r\n");
    }
    return text;
}

Configuration Read(const std::string& text) {
    return ParseHeader(text).configuration;
}

std::vector<NameEntry> Items(std::initializer_list<NameEntry> items) {
    return items;
}

// --- Defines and their aliases -----------------------------------------------------------------

// Every spelling of each switch: the names of both styles, older ones and plurals.
struct SwitchSpellings {
    uint8_t Configuration::*field;
    std::vector<std::string> defines;
};

const SwitchSpellings kSwitchSpellings[] = {
    {&Configuration::OS_ENABLE_ALL, {"OS_ENABLE_ALL"}},
    {&Configuration::OS_ENABLE_CSEM, {"OS_ENABLE_CSEM", "OS_CSEM_ENABLE"}},
    {&Configuration::OS_ENABLE_QMSG, {"OS_ENABLE_QMSG", "OS_ENABLE_QUEUE", "OS_QMSG_ENABLE"}},
    {&Configuration::OS_ENABLE_QSMSG, {"OS_ENABLE_QSMSG", "OS_ENABLE_SQUEUE", "OS_QSMSG_ENABLE"}},
    {&Configuration::OS_ENABLE_TTIMERS,
     {"OS_ENABLE_TTIMERS", "OS_ENABLE_TTIMER", "OS_ENABLE_TIMER", "OS_TIMER_ENABLE"}},
    {&Configuration::OS_ENABLE_DTIMERS,
     {"OS_ENABLE_DTIMERS", "OS_ENABLE_DTIMER", "OS_ENABLE_PTIMER"}},
    {&Configuration::OS_USE_INLINE_TIMER, {"OS_USE_INLINE_TIMER"}},
    {&Configuration::OS_DISABLE_PRIORITY, {"OS_DISABLE_PRIORITY"}},
    {&Configuration::OS_QUEUES_IDENTICAL, {"OS_QUEUES_IDENTICAL", "OS_QUEUE_SQUEUE_IDENTICAL"}},
    {&Configuration::OS_ENABLE_CRITICAL_SECTION, {"OS_ENABLE_CRITICAL_SECTION"}},
    {&Configuration::OS_ENABLE_INT_ALL, {"OS_ENABLE_INT_ALL"}},
    {&Configuration::OS_ENABLE_INT_CSEM, {"OS_ENABLE_INT_CSEM"}},
    {&Configuration::OS_ENABLE_INT_MSG, {"OS_ENABLE_INT_MSG"}},
    {&Configuration::OS_ENABLE_INT_SMSG, {"OS_ENABLE_INT_SMSG"}},
    {&Configuration::OS_ENABLE_INT_QUEUE, {"OS_ENABLE_INT_QUEUE", "OS_ENABLE_INT_QMSG"}},
};

TEST(ReaderDefinesTest, EachSpellingSwitchesOnItsOwnOptionOnly) {
    for (const SwitchSpellings& spellings : kSwitchSpellings) {
        Configuration expected;
        expected.*spellings.field = 1;
        for (const std::string& define : spellings.defines) {
            EXPECT_EQ(DifferingFields(Read(Lines({"#define " + define})), expected), "") << define;
        }
    }
}

TEST(ReaderDefinesTest, FlagValueIsIgnoredAndNothingSwitchesOff) {
    const Configuration record = Read(Lines({
        "#define OS_ENABLE_CSEM 0",
        "#undef OS_ENABLE_CSEM",
        "#define OS_ENABLE_CSEM_OFF",
    }));
    EXPECT_EQ(record.OS_ENABLE_CSEM, 1);
}

TEST(ReaderDefinesTest, FileWithoutEnableNamesLeavesEveryOptionOff) {
    EXPECT_EQ(DifferingFields(Read(Lines({"#ifndef _ZURCFG_H", "#define _ZURCFG_H",
                                          "#define LED_PORT PORTB", "#endif"})),
                              Configuration()),
              "");
}

TEST(ReaderDefinesTest, NameMatchesWhenItContainsAListedName) {
    const Configuration record = Read(Lines({
        "#define MY_OS_TASKS_COUNT 4",
        "#define os_bsems 9",  // letter case counts
    }));
    EXPECT_EQ(record.OS_TASKS, 4);
    EXPECT_EQ(record.OS_BSEMS, 0);
}

TEST(ReaderDefinesTest, OnlyDefinesInTheFirstColumnAreRead) {
    const Configuration record = Read(Lines({
        "  #define OS_TASKS 4",
        "\t#define OS_ENABLE_ALL",
        "// #define OS_BSEMS 5",
        "/* #define OS_STIMERS 6 */",
        "#define\tOS_ENABLE_CSEM\t",
    }));
    Configuration expected;
    expected.OS_ENABLE_CSEM = 1;
    EXPECT_EQ(DifferingFields(record, expected), "");
}

TEST(ReaderDefinesTest, NameIsTheWordAfterTheFirstBlank) {
    // The rest of the "#define" word is passed over up to the first blank.
    EXPECT_EQ(Read(Lines({"#defineX OS_TASKS 4"})).OS_TASKS, 4);
    EXPECT_EQ(Read(Lines({"#define    OS_TASKS    4"})).OS_TASKS, 4);
    EXPECT_EQ(Read(Lines({"#defineOS_TASKS 4"})).OS_TASKS, 0);
}

TEST(ReaderDefinesTest, LaterDefinitionReplacesEarlierInEveryBranch) {
    const Configuration record = Read(Lines({
        "#if __ZURVERSION__ >= 90200",
        "#define OS_TASKS 3",
        "#else",
        "#define OS_TASKS 5",
        "#endif",
    }));
    EXPECT_EQ(record.OS_TASKS, 5);
}

TEST(ReaderDefinesTest, RestOfAnUnknownDefineIsScannedButNotOfAKnownOne) {
    HeaderContents unknown = ParseHeader(Lines({"#define MY_LIST 1 enum ZUR_BSEMS_ENUM { A };"}));
    EXPECT_EQ(unknown.bsems, Items({{"A", ""}}));

    HeaderContents known = ParseHeader(Lines({"#define OS_TASKS 1 enum ZUR_BSEMS_ENUM { A };"}));
    EXPECT_EQ(known.configuration.OS_TASKS, 1);
    EXPECT_TRUE(known.bsems.empty());
}

// --- Numbers, sizes and banks ------------------------------------------------------------------

TEST(ReaderNumbersTest, CountsTakeTheLeadingDigitsOfTheValue) {
    EXPECT_EQ(Read(Lines({"#define OS_TASKS 12"})).OS_TASKS, 12);
    EXPECT_EQ(Read(Lines({"#define OS_TASKS 12abc"})).OS_TASKS, 12);
    EXPECT_EQ(Read(Lines({"#define OS_TASKS (5)"})).OS_TASKS, 0);
    EXPECT_EQ(Read(Lines({"#define OS_TASKS 0x10"})).OS_TASKS, 0);
    EXPECT_EQ(Read(Lines({"#define OS_TASKS -3"})).OS_TASKS, 0);
    EXPECT_EQ(Read(Lines({"#define OS_TASKS"})).OS_TASKS, 0);
    EXPECT_EQ(Read(Lines({"#define OS_TASKS 99999999999999999999"})).OS_TASKS,
              std::numeric_limits<int32_t>::max());
}

TEST(ReaderNumbersTest, CountsGoToTheirOwnFields) {
    const Configuration record = Read(Lines({
        "#define OS_TASKS               3  // Number of tasks",
        "#define OS_BSEMS               7  // Number of binary semaphores",
        "#define OS_STIMERS             9  // Number of static timers",
    }));
    Configuration expected;
    expected.OS_TASKS = 3;
    expected.OS_BSEMS = 7;
    expected.OS_STIMERS = 9;
    EXPECT_EQ(DifferingFields(record, expected), "");
}

TEST(ReaderNumbersTest, BanksAreStoredOneHigherThanWritten) {
    const Configuration record = Read(Lines({
        "#define OS_BANK_OS             0", "#define OS_BANK_TASKS          2",
        "#define OS_BANK_BSEMS          3",
        "#define OS_BANK_STIMERS        bank1",  // no digits: bank 0
    }));
    Configuration expected;
    expected.OS_BANK_OS = 1;
    expected.OS_BANK_TASKS = 3;
    expected.OS_BANK_BSEMS = 4;
    expected.OS_BANK_STIMERS = 1;
    EXPECT_EQ(DifferingFields(record, expected), "");
    EXPECT_EQ(Read(Lines({"#define OS_BANK_OS 99999999999"})).OS_BANK_OS,
              std::numeric_limits<int32_t>::max());
}

TEST(ReaderNumbersTest, SizesOfOneTwoAndFourBytesGiveTheirListPositions) {
    const Configuration record = Read(Lines({
        "#define OS_CSEM_SIZE 1",
        "#define OS_TIMER_SIZE 4",
        "#define OS_TTIMER_SIZE 2",
        "#define OS_STIMER_SIZE 4",
        "#define OS_DTIMER_SIZE 1",
    }));
    Configuration expected;
    expected.OS_CSEM_SIZE = 1;
    expected.OS_TIMER_SIZE = 3;
    expected.OS_TTIMER_SIZE = 2;
    expected.OS_STIMER_SIZE = 3;
    expected.OS_DTIMER_SIZE = 1;
    EXPECT_EQ(DifferingFields(record, expected), "");
}

TEST(ReaderNumbersTest, OtherSizesGiveNoPosition) {
    for (const char* value : {"0", "3", "8", "", "(2)"}) {
        EXPECT_EQ(
            Read(Lines({"#define OS_TIMER_SIZE 4", std::string("#define OS_TIMER_SIZE ") + value}))
                .OS_TIMER_SIZE,
            0)
            << value;
    }
}

// --- Message types -----------------------------------------------------------------------------

TEST(ReaderMessageTypesTest, TypeRunsToTheLineCommentLessTrailingBlanks) {
    const Configuration record = Read(Lines({
        "#define OS_MSG_TYPE   unsigned char *   \t// pointer messages",
        "#define OS_SMSG_TYPE  struct { int a; }",
    }));
    EXPECT_EQ(record.OST_MSG, "unsigned char *");
    EXPECT_EQ(record.OST_SMSG, "struct { int a; }");
}

TEST(ReaderMessageTypesTest, BlockCommentEndsTheTypeOnlyWithoutALineComment) {
    EXPECT_EQ(Read(Lines({"#define OST_MSG long /* four bytes */"})).OST_MSG, "long");
    EXPECT_EQ(Read(Lines({"#define OST_MSG long /* four */ x // c"})).OST_MSG, "long /* four */ x");
}

TEST(ReaderMessageTypesTest, NothingBehindTheNameGivesAnEmptyType) {
    EXPECT_EQ(Read(Lines({"#define OST_MSG int", "#define OST_MSG   "})).OST_MSG, "");
    EXPECT_EQ(Read(Lines({"#define OST_SMSG // none"})).OST_SMSG, "");
}

TEST(ReaderMessageTypesTest, EachSpellingFillsItsOwnTypeAndTheLaterOneWins) {
    EXPECT_EQ(DifferingFields(Read(Lines({"#define OST_SMSG char"})),
                              [] {
                                  Configuration expected;
                                  expected.OST_SMSG = "char";
                                  return expected;
                              }()),
              "");
    EXPECT_EQ(Read(Lines({"#define OS_SMSG_TYPE int"})).OST_SMSG, "int");
    EXPECT_EQ(Read(Lines({"#define OS_MSG_TYPE int", "#define OST_MSG char"})).OST_MSG, "char");
    EXPECT_EQ(Read(Lines({"#define OST_MSG char", "#define OS_MSG_TYPE int"})).OST_MSG, "int");
}

TEST(ReaderMessageTypesTest, OldStyleBlockKeepsTheElseBranch) {
    const Configuration record = Read(Lines({
        "#if __ZURVERSION__ >= 90200",
        "",
        "#define OS_MSG_TYPE            unsigned int",
        "#define OS_SMSG_TYPE           char",
        "",
        "#else",
        "",
        "#define OST_MSG                unsigned long",
        "#define OST_SMSG               signed char",
        "",
        "#endif",
    }));
    EXPECT_EQ(record.OST_MSG, "unsigned long");
    EXPECT_EQ(record.OST_SMSG, "signed char");
}

// --- Comments and block comments ---------------------------------------------------------------

TEST(ReaderCommentsTest, MarkerCountsOnlyAtTheStartOfAFirstColumnComment) {
    const std::string marker = "This file was generated by ZURcfg_Tool utility.";
    EXPECT_TRUE(ParseHeader(Lines({"// " + marker})).generatedMarkerSeen);
    EXPECT_TRUE(ParseHeader(Lines({"////\t " + marker + " (edited)"})).generatedMarkerSeen);
    EXPECT_FALSE(
        ParseHeader(Lines({"//" + marker.substr(0, marker.size() - 1)})).generatedMarkerSeen);
    EXPECT_FALSE(ParseHeader(Lines({"// note: " + marker})).generatedMarkerSeen);
    EXPECT_FALSE(ParseHeader(Lines({"  // " + marker})).generatedMarkerSeen);
    EXPECT_FALSE(ParseHeader(Lines({"/* " + marker + " */"})).generatedMarkerSeen);
    EXPECT_FALSE(ParseHeader("").generatedMarkerSeen);
}

TEST(ReaderCommentsTest, ProjectNameRunsFromTheColonToTheEndOfTheLine) {
    EXPECT_EQ(Read(Lines({"// PROJECT NAME:   Door: lock v2  "})).PROJECT_NAME, "Door: lock v2  ");
    EXPECT_EQ(Read(Lines({"//PROJECT NAME:x"})).PROJECT_NAME, "x");
    EXPECT_EQ(Read(Lines({"// PROJECT NAME: a", "// PROJECT NAME:"})).PROJECT_NAME, "");
    EXPECT_EQ(Read(Lines({"// project name: a"})).PROJECT_NAME, "");
}

TEST(ReaderCommentsTest, PlatformIsTheHighestListedNameOnTheLineAndALineNamingNoneIsTold) {
    EXPECT_EQ(Read(Lines({"// PLATFORM:     HT-PICC 12-bit"})).PLATFORM, 1);
    EXPECT_EQ(Read(Lines({"// PLATFORM:     HT-PICC 14-bit"})).PLATFORM, 2);
    EXPECT_EQ(Read(Lines({"// PLATFORM:     HT-PICC18"})).PLATFORM, 3);
    EXPECT_EQ(Read(Lines({"// PLATFORM:     Microchip C18"})).PLATFORM, 4);
    EXPECT_EQ(Read(Lines({"// PLATFORM:     Microchip C30"})).PLATFORM, 5);
    EXPECT_EQ(Read(Lines({"// PLATFORM: Microchip C30 or HT-PICC18"})).PLATFORM, 5);
    EXPECT_EQ(Read(Lines({"// PLATFORM: SDCC"})).PLATFORM, 0);
    const HeaderContents unknown =
        ParseHeader(Lines({"// PLATFORM: HT-PICC18", "// PLATFORM:  SDCC "}));
    EXPECT_EQ(unknown.configuration.PLATFORM, 3);
    ReadFinding told{ReadFinding::Kind::UnknownPlatform, NameTableId::Bsems, 2};
    told.column = 15;
    told.found = "SDCC";
    told.kept = "HT-PICC18";
    EXPECT_EQ(unknown.findings,
              (std::vector<ReadFinding>{{ReadFinding::Kind::NotGenerated}, told}));
}

TEST(ReaderCommentsTest, BlockCommentHidesWhatItSpans) {
    const HeaderContents contents = ParseHeader(Lines({
        "#define LED_PIN 2 /* a block comment behind an unknown define",
        "#define OS_BSEMS 5",
        "enum ZUR_BSEMS_ENUM { HIDDEN };",
        "*/ #define OS_STIMERS 6",
        "   /* and one on a line of its own",
        "#define OS_TASKS 7 */ #define OS_TASKS 8",
        "#define OS_ENABLE_ALL",
    }));
    Configuration expected;
    expected.OS_ENABLE_ALL = 1;
    EXPECT_EQ(DifferingFields(contents.configuration, expected), "");
    EXPECT_TRUE(contents.bsems.empty());
}

TEST(ReaderCommentsTest, CommentBehindAKnownDefineIsNotLookedInto) {
    const Configuration record =
        Read(Lines({"#define OS_TASKS 2 /* opens", "#define OS_BSEMS 5 */"}));
    EXPECT_EQ(record.OS_TASKS, 2);
    EXPECT_EQ(record.OS_BSEMS, 5);
}

TEST(ReaderCommentsTest, OpeningPairDoesNotCloseItself) {
    const Configuration record =
        Read(Lines({"/*/", "#define OS_TASKS 4", "*/", "#define OS_BSEMS 1"}));
    EXPECT_EQ(record.OS_TASKS, 0);
    EXPECT_EQ(record.OS_BSEMS, 1);
}

TEST(ReaderCommentsTest, ScanGoesOnBehindTheCloseOfAComment) {
    EXPECT_EQ(ParseHeader(Lines({"/* one */ enum ZUR_BSEMS_ENUM { A };"})).bsems,
              Items({{"A", ""}}));
    EXPECT_EQ(ParseHeader(Lines({"/* one", "two */enum ZUR_BSEMS_ENUM { A };"})).bsems,
              Items({{"A", ""}}));
    // A second comment right behind the first is not looked into.
    EXPECT_TRUE(
        ParseHeader(Lines({"/* one */ /* two */ enum ZUR_BSEMS_ENUM { A };"})).bsems.empty());
}

// --- Enumerations ------------------------------------------------------------------------------

TEST(ReaderEnumerationsTest, ItemsCarryTheLineCommentBehindThem) {
    const HeaderContents contents = ParseHeader(Lines({
        "enum ZUR_BSEMS_ENUM",
        "{",
        "    A, B // second",
        "};",
    }));
    EXPECT_EQ(contents.bsems, Items({{"A", ""}, {"B", "second"}}));
}

TEST(ReaderEnumerationsTest, TheToolsOwnLayoutReadsBack) {
    const HeaderContents contents = ParseHeader(Lines({
        "enum ZUR_BSEMS_ENUM",
        "{",
        "    BS_READY,             // data ready",
        "    BS_LCD_BUSY,",
        "    BS_TX                 // uart tx free  ",
        "};",
        "",
        "",
        "enum ZUR_STIMERS_ENUM",
        "{",
        "    ST_BLINK ",
        "};",
    }));
    EXPECT_EQ(
        contents.bsems,
        Items({{"BS_READY", "data ready"}, {"BS_LCD_BUSY", ""}, {"BS_TX", "uart tx free  "}}));
    EXPECT_EQ(contents.stimers, Items({{"ST_BLINK", ""}}));
}

TEST(ReaderEnumerationsTest, EveryTagSpellingChoosesItsTable) {
    for (const char* tag : {"ZUR_BSEMS", "ENUM_BSEMS", "ZUR_ENUM_BSEMS", "BSEMS_ENUM",
                            "ZUR_BSEMS_ENUM", "MY_ZUR_BSEMS_T"}) {
        const HeaderContents contents =
            ParseHeader(Lines({std::string("enum ") + tag + " { A };"}));
        EXPECT_EQ(contents.bsems, Items({{"A", ""}})) << tag;
        EXPECT_TRUE(contents.stimers.empty()) << tag;
    }
    for (const char* tag :
         {"ZUR_STIMERS", "ENUM_STIMERS", "ZUR_ENUM_STIMERS", "STIMERS_ENUM", "ZUR_STIMERS_ENUM"}) {
        const HeaderContents contents =
            ParseHeader(Lines({std::string("enum ") + tag + " { A };"}));
        EXPECT_EQ(contents.stimers, Items({{"A", ""}})) << tag;
        EXPECT_TRUE(contents.bsems.empty()) << tag;
    }
    // A tag naming both fills the BSEMS table.
    const HeaderContents both = ParseHeader(Lines({"enum ZUR_STIMERS_ZUR_BSEMS { A };"}));
    EXPECT_EQ(both.bsems, Items({{"A", ""}}));
    EXPECT_TRUE(both.stimers.empty());
}

TEST(ReaderEnumerationsTest, BraceMayStandBehindTheTagOrFirstOnALaterLine) {
    const std::vector<NameEntry> one = Items({{"A", ""}});
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM{A};"})).bsems, one);
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM /* c */ { A };"})).bsems, one);
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM /* c", " */ { A };"})).bsems, one);
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM // c", "", "  {", "A", "};"})).bsems, one);
    // Lines before the brace are passed over unread, a define included.
    const HeaderContents contents =
        ParseHeader(Lines({"enum ZUR_BSEMS_ENUM : char", "#define OS_TASKS 4", "{ A };"}));
    EXPECT_EQ(contents.bsems, one);
    EXPECT_EQ(contents.configuration.OS_TASKS, 0);
}

TEST(ReaderEnumerationsTest, FirstWordMustContainEnum) {
    EXPECT_TRUE(ParseHeader(Lines({"typedef enum ZUR_BSEMS_ENUM { A } bsem_t;"})).bsems.empty());
    EXPECT_TRUE(ParseHeader(Lines({"#if 1 enum ZUR_BSEMS_ENUM { A };"})).bsems.empty());
    EXPECT_EQ(ParseHeader(Lines({"  enumeration ZUR_BSEMS_ENUM { A };"})).bsems,
              Items({{"A", ""}}));
}

TEST(ReaderEnumerationsTest, SeveralItemsOnALineAndEmptyOnesTakeSlots) {
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM {", "A, B,C", "};"})).bsems,
              Items({{"A", ""}, {"B", ""}, {"C", ""}}));
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM {", "A,,B", "};"})).bsems,
              Items({{"A", ""}, {"", ""}, {"B", ""}}));
}

TEST(ReaderEnumerationsTest, CommentsBetweenItemsAddNoItem) {
    const HeaderContents contents = ParseHeader(Lines({
        "enum ZUR_BSEMS_ENUM",
        "{",
        "    // first group",
        "    A,",
        "    /* a block comment on its own line */",
        "    /* one spanning",
        "       two lines */ B, /* trailing */",
        "    C",
        "};",
    }));
    EXPECT_EQ(contents.bsems, Items({{"A", ""}, {"B", ""}, {"C", ""}}));
}

TEST(ReaderEnumerationsTest, TextBehindAnItemIsPassedOverAndTheItemKept) {
    const HeaderContents contents = ParseHeader(Lines({
        "enum ZUR_BSEMS_ENUM {",
        "    A = 5, // five",
        "    B = (1 << 2) + x",
        "    C = 7 }; #define OS_TASKS 3",
        "#define OS_BSEMS 2",
    }));
    EXPECT_EQ(contents.bsems, Items({{"A", "five"}, {"B", ""}, {"C", ""}}));
    EXPECT_EQ(contents.configuration.OS_TASKS, 0);
    EXPECT_EQ(contents.configuration.OS_BSEMS, 2);
}

TEST(ReaderEnumerationsTest, BodyOfAnotherEnumerationIsSkippedWhole) {
    const HeaderContents contents = ParseHeader(Lines({
        "enum colour {",
        "    RED, // red",
        "#define OS_TASKS 9",
        "    GREEN",
        "};",
        "enum { ANONYMOUS };",
        "enum ZUR_STIMERS_ENUM { ST_A };",
    }));
    EXPECT_TRUE(contents.bsems.empty());
    EXPECT_EQ(contents.stimers, Items({{"ST_A", ""}}));
    EXPECT_EQ(contents.configuration.OS_TASKS, 0);
}

TEST(ReaderEnumerationsTest, ScanResumesTwoCharactersBehindTheClosingBrace) {
    const HeaderContents contents =
        ParseHeader(Lines({"enum ZUR_BSEMS_ENUM {A};enum ZUR_STIMERS_ENUM{B}Xenum ZUR_BSEMS{C}"}));
    EXPECT_EQ(contents.bsems, Items({{"A", ""}, {"C", ""}}));
    EXPECT_EQ(contents.stimers, Items({{"B", ""}}));
}

TEST(ReaderEnumerationsTest, BraceFirstOnTheLineBehindACommentCloses) {
    const HeaderContents contents = ParseHeader(Lines({
        "enum ZUR_BSEMS_ENUM {",
        "    A // first",
        "    } ; #define ignored",
        "#define OS_BSEMS 1",
    }));
    EXPECT_EQ(contents.bsems, Items({{"A", "first"}}));
    EXPECT_EQ(contents.configuration.OS_BSEMS, 1);
}

TEST(ReaderEnumerationsTest, StimersBeyondTheGridAreReturned) {
    std::string text = "enum ZUR_STIMERS_ENUM {\n";
    for (int item = 1; item <= 70; ++item) {
        text += "ST_" + std::to_string(item) + ",\n";
    }
    text += "};\n";
    const HeaderContents contents = ParseHeader(text);
    ASSERT_EQ(contents.stimers.size(), 70u);
    EXPECT_EQ(contents.stimers.back().identifier, "ST_70");
}

TEST(ReaderEnumerationsTest, ItemsBeyondTheRowsAreKeptToBeCheckedAndTheScanGoesOn) {
    std::string text = "enum ZUR_BSEMS_ENUM {\n";
    for (int item = 1; item <= 250; ++item) {
        text += "BS_" + std::to_string(item) + ", // c" + std::to_string(item) + "\n";
    }
    text += "};\n#define OS_BSEMS 250\n";
    const HeaderContents contents = ParseHeader(text);
    ASSERT_EQ(contents.bsems.size(), 250u);
    EXPECT_EQ(contents.bsems.back(), (NameEntry{"BS_250", "c250"}));
    EXPECT_EQ(contents.lines.bsemsItems.back(), (ItemPlace{251, 1, 12}));
    EXPECT_EQ(contents.configuration.OS_BSEMS, 250);
}

TEST(ReaderEnumerationsTest, SecondEnumerationOfATableAddsToIt) {
    EXPECT_EQ(ParseHeader(Lines({"enum ZUR_BSEMS_ENUM { A };", "enum ENUM_BSEMS { B };"})).bsems,
              Items({{"A", ""}, {"B", ""}}));
}

// --- Findings and lines ------------------------------------------------------------------------

using Kind = ReadFinding::Kind;
const std::string kMarker = "// This file was generated by ZURcfg_Tool utility.";

// An enumeration of `items` names, one a line, beginning on the line after `text`'s last.
void AppendEnumeration(std::string& text, std::string_view tag, int items) {
    text += "enum " + std::string(tag) + "\n{\n";
    for (int item = 1; item <= items; ++item) {
        text += "N" + std::to_string(item) + ",\n";
    }
    text += "};\n";
}

TEST(ReaderFindingsTest, NamesBeyondTheTablesRowsAreCountedFromTheLineOfTheFirst) {
    std::string text = kMarker + "\n";
    AppendEnumeration(text, "ZUR_STIMERS_ENUM", 64);  // lines 2 to 68
    EXPECT_TRUE(ParseHeader(text + "#endif\n").findings.empty());

    AppendEnumeration(text, "ZUR_STIMERS_ENUM", 6);  // a second one adds to the table
    AppendEnumeration(text, "ZUR_BSEMS_ENUM", 203);
    const HeaderContents contents = ParseHeader(text + "#endif\n");
    EXPECT_EQ(contents.stimers.size(), 70u);
    EXPECT_EQ(contents.bsems.size(), 203u);
    // The 65th STIMERS name stands on line 71, the 201st BSEMS name on 280.
    EXPECT_EQ(contents.findings,
              (std::vector<ReadFinding>{{Kind::NamesNotKept, NameTableId::Bsems, 280, 3},
                                        {Kind::NamesNotKept, NameTableId::Stimers, 71, 6}}));
}

TEST(ReaderFindingsTest, EnumerationOfATableBehindAnotherFirstWordIsSkippedAndNoted) {
    const HeaderContents contents = ParseHeader(Lines({
        kMarker,
        "typedef enum ZUR_BSEMS_ENUM { A, B } bsem_t;",
        "typedef enum other_e { X } other_t;",
        "  static /* c */ enum STIMERS_ENUM { T };",
        "#define OS_TASKS 2 typedef enum ZUR_BSEMS_ENUM { C };",
        "#endif",
    }));
    EXPECT_TRUE(contents.bsems.empty());
    EXPECT_TRUE(contents.stimers.empty());
    ReadFinding value{Kind::ValueNotAsWritten, NameTableId::Bsems, 5};
    value.column = 18;
    value.subject = "OS_TASKS";
    value.found = "2 typedef enum ZUR_BSEMS_ENUM { C };";
    value.kept = "2";
    EXPECT_EQ(contents.findings,
              (std::vector<ReadFinding>{{Kind::SkippedEnumeration, NameTableId::Bsems, 2},
                                        {Kind::SkippedEnumeration, NameTableId::Stimers, 4},
                                        value}));
}

TEST(ReaderFindingsTest, TheToolsHeaderCutOffAnywhereEndsEarly) {
    Configuration configuration;
    configuration.OS_TASKS = 2;
    configuration.OST_MSG = "char";  // the old names' block opens and closes a conditional
    const std::string whole = FormatHeader(configuration, {{"A", "first"}}, {}, true);
    EXPECT_TRUE(ParseHeader(whole).findings.empty());
    EXPECT_TRUE(
        ParseHeader(whole.substr(0, whole.size() - 1) + " // _ZURCFG_H\n \n").findings.empty());

    int lines = 0;
    for (std::size_t end = whole.find('\n'); end + 1 < whole.size();
         end = whole.find('\n', end + 1)) {
        ++lines;
        const std::vector<ReadFinding> findings = ParseHeader(whole.substr(0, end + 1)).findings;
        ASSERT_EQ(findings.size(), 1u) << "cut after line " << lines;
        if (lines < 3) {  // before the marker line
            EXPECT_EQ(findings[0].kind, Kind::NotGenerated);
            continue;
        }
        EXPECT_EQ(findings[0].kind, Kind::EndsEarly) << "cut after line " << lines;
        EXPECT_GT(findings[0].line, 2);
        EXPECT_LE(findings[0].line, lines);
    }
    // A foreign file needs no closing line.
    EXPECT_EQ(ParseHeader("#define OS_TASKS 1\n").findings,
              std::vector<ReadFinding>{{Kind::NotGenerated}});
}

TEST(ReaderFindingsTest, AFileWithoutTheMarkerIsFoundForeignBeforeAnythingElse) {
    const HeaderContents contents =
        ParseHeader(Lines({"#define OS_TASKS 1", "typedef enum ZUR_BSEMS_ENUM { A };"}));
    EXPECT_EQ(contents.findings,
              (std::vector<ReadFinding>{{Kind::NotGenerated},
                                        {Kind::SkippedEnumeration, NameTableId::Bsems, 2}}));
}

TEST(ReaderFindingsTest,
     LinesOfTheLastDefineOfEachFieldOfEachTablesEnumerationAndOfEachItemAreKept) {
    const SourceLines lines = ParseHeader(Lines({
                                              "#define OS_TASKS 1",
                                              "#define OS_ENABLE_QMSG",
                                              "/* #define OS_BSEMS 4 */",
                                              "enum ZUR_STIMERS_ENUM { A };",
                                              "#define OS_ENABLE_QUEUE",
                                              "enum ZUR_STIMERS_ENUM {",
                                              "  C, // one",
                                              "  D };",
                                              "#define OS_TASKS 2",
                                              "#define OS_MSG_TYPE char",
                                              "enum ZUR_STIMERS_ENUM { B };",
                                          }))
                                  .lines;
    EXPECT_EQ(lines.FieldLine("OS_TASKS"), 9);
    EXPECT_EQ(lines.FieldLine("OS_ENABLE_QMSG"), 5);
    EXPECT_EQ(lines.FieldLine("OST_MSG"), 10);
    EXPECT_EQ(lines.FieldLine("OS_BSEMS"), 0);
    EXPECT_EQ(lines.fields.size(), 3u);
    EXPECT_EQ(lines.stimersEnumeration, 4);
    EXPECT_EQ(lines.bsemsEnumeration, 0);
    EXPECT_EQ(lines.stimersItems, (std::vector<ItemPlace>{{4, 25}, {7, 3, 9}, {8, 3}, {11, 25}}));
    EXPECT_TRUE(lines.bsemsItems.empty());
}

// --- What is not read as written ---------------------------------------------------------------

// The findings of a text with the marker, so that the foreign-file finding stays out.
std::vector<ReadFinding> FindingsOf(std::initializer_list<std::string_view> lines) {
    std::string text = kMarker + "\r\n";
    for (std::string_view line : lines) {
        text.append(line).append("\r\n");
    }
    // Closed as the tool closes its header, which otherwise ends early.
    return ParseHeader(text + "#endif\r\n").findings;
}

ReadFinding Value(int line, int column, std::string subject, std::string found, std::string kept) {
    ReadFinding finding{Kind::ValueNotAsWritten, NameTableId::Bsems, line};
    finding.column = column;
    finding.subject = std::move(subject);
    finding.found = std::move(found);
    finding.kept = std::move(kept);
    return finding;
}

TEST(ReaderNotAsWrittenTest, NumberValuesOtherThanPlainDecimalDigitsAreTold) {
    EXPECT_TRUE(FindingsOf({"#define OS_TASKS 10  // ten", "#define OS_BANK_OS 0",
                            "#define OS_TIMER_SIZE 4 /* long */", "#define OS_ENABLE_CSEM 0x1"})
                    .empty());
    EXPECT_EQ(FindingsOf({"#define OS_TASKS 0x10", "#define OS_BSEMS (5) // five",
                          "#define OS_STIMERS\t010", "#define OS_BANK_OS", "#define OS_TASKS -1",
                          "#define OS_TASKS 99999999999", "#define OS_TIMER_SIZE 3",
                          "#define OS_CSEM_SIZE 2u"}),
              (std::vector<ReadFinding>{
                  Value(2, 18, "OS_TASKS", "0x10", "0"),
                  Value(3, 18, "OS_BSEMS", "(5)", "0"),
                  Value(4, 20, "OS_STIMERS", "010", "10"),
                  Value(5, 19, "OS_BANK_OS", "", "0"),
                  Value(6, 18, "OS_TASKS", "-1", "0"),
                  Value(7, 18, "OS_TASKS", "99999999999", "2147483647"),
                  Value(8, 23, "OS_TIMER_SIZE", "3", "no size"),
                  Value(9, 22, "OS_CSEM_SIZE", "2u", "2"),
              }));
}

// What an item's finding says: its severity, entry, the text found and the identifier kept.
using ItemFinding = std::tuple<Kind, Severity, int, std::string, std::string>;

std::vector<ItemFinding> ItemFindings(std::initializer_list<std::string_view> lines) {
    std::vector<ItemFinding> found;
    for (const ReadFinding& finding : FindingsOf(lines)) {
        found.emplace_back(finding.kind, finding.severity, finding.entry, finding.found,
                           finding.kept);
    }
    return found;
}

TEST(ReaderNotAsWrittenTest, ItemsThatAreMoreThanAnIdentifierAreToldAsCompilersTakeThem) {
    using namespace std::string_literals;
    constexpr auto kError = Severity::Error;
    constexpr auto kWarning = Severity::Warning;
    constexpr auto kItem = Kind::ItemNotAsWritten;
    EXPECT_TRUE(ItemFindings({"enum ZUR_BSEMS_ENUM {", "  A ,  // a", "  B\t", "};"}).empty());
    EXPECT_EQ(ItemFindings({"enum ZUR_BSEMS_ENUM {", "  my-sem,", "  x = 5,", "  caf\xC3\xA9,",
                            "  a$b, c d, caf\xE9,",
                            "  e\x01"
                            "f, g\x0b"
                            "h, i\x0c,",
                            "  k =,", "};"}),
              (std::vector<ItemFinding>{
                  {kItem, kError, 0, "my-sem", "my"},
                  {kItem, kWarning, 1, "x = 5", "x"},
                  {kItem, kError, 4, "c d", "c"},
                  {kItem, kError, 5, "caf\xE9", "caf"},
                  {kItem, kError, 6,
                   "e\x01"
                   "f",
                   "ef"},
                  {kItem, kError, 7,
                   "g\x0b"
                   "h",
                   "gh"},
                  {kItem, kError, 9, "k =", "k"},
              }));
    // gcc and clang take UTF-8 letters and '$' in a C99 name: it is kept whole, no twin of its
    // ASCII start. A Latin-1 letter stops them, and they declare the start, as the reader keeps.
    std::vector<std::string> kept;
    for (const NameEntry& item : ParseHeader(Lines({"enum ZUR_BSEMS_ENUM { caf\xC3\xA9, a$b, "
                                                    "\xC3\xA9t\xC3\xA9, caf, a, caf\xE9 };"}))
                                     .bsems) {
        kept.push_back(item.identifier);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"caf\xC3\xA9", "a$b", "\xC3\xA9t\xC3\xA9", "caf", "a",
                                              "caf"}));
    // A control byte in a comment is only dropped from it; a form feed behind a name is a blank.
    const std::vector<ReadFinding> inComment =
        FindingsOf({"enum ZUR_BSEMS_ENUM {", "  A, // x\x02y", "};"});
    ASSERT_EQ(inComment.size(), 1u);
    EXPECT_EQ(inComment[0].kind, Kind::ControlBytes);
    EXPECT_EQ(inComment[0].found, "\x02");
    EXPECT_EQ(std::make_pair(inComment[0].line, inComment[0].column), std::make_pair(3, 10));
}

// Line, severity and bytes of each finding about control bytes.
using ControlFinding = std::tuple<int, Severity, std::string>;

TEST(ReaderNotAsWrittenTest, ControlBytesAreErrorsWhereTheyStopTheCompiler) {
    std::vector<ControlFinding> found;
    for (const ReadFinding& finding : FindingsOf(
             {"#define OS_TASKS 3\x01", "// note\x02", "/* open\x03", "  still */ \x04",
              "#if X\x05", "#endif\x06", "enum ZUR_BSEMS_ENUM { A,\x07", "};\x0c\x0e", "x\x0b"})) {
        found.emplace_back(finding.line, finding.severity, finding.found);
    }
    constexpr auto kError = Severity::Error;
    constexpr auto kWarning = Severity::Warning;
    EXPECT_EQ(found, (std::vector<ControlFinding>{{2, kWarning, "\x01"},
                                                  {3, kWarning, "\x02"},
                                                  {4, kWarning, "\x03"},
                                                  {5, kError, "\x04"},
                                                  {6, kError, "\x05"},
                                                  {7, kWarning, "\x06"},
                                                  {8, kError, "\x07"},
                                                  {9, kError, "\x0c\x0e"},
                                                  {10, kWarning, "\x0b"}}));
}

// A line comment ending in \ or ??/ takes the next line: told where that line holds code,
// as an error where the compiler then stops. An item's comment is the name checks' to judge.
TEST(ReaderNotAsWrittenTest, ALineCommentJoinedToALineOfCodeIsTold) {
    std::vector<std::tuple<int, Severity, int, std::string>> found;
    for (const ReadFinding& finding :
         FindingsOf({"enum ZUR_BSEMS_ENUM {", "  A,", "  // spare \\", "  B,", "  // ends ?\?/",
                     "  /* c */", "  C, // c \\", "  D", "};", "// outside \\",
                     "#define OS_TASKS 3", "// last \\  ", "#endif"})) {
        EXPECT_EQ(finding.kind, ReadFinding::Kind::CommentTakesLine);
        found.emplace_back(finding.line, finding.severity, finding.count, finding.found);
    }
    EXPECT_EQ(found, (std::vector<std::tuple<int, Severity, int, std::string>>{
                         {4, Severity::Error, 5, "B,"},
                         {11, Severity::Warning, 12, "#define OS_TASKS 3"},
                         {13, Severity::Error, 14, "#endif"}}));
}

TEST(ReaderNotAsWrittenTest, EmptyItemsAndMissingCommasAreToldAtTheItemAfter) {
    constexpr auto kError = Severity::Error;
    EXPECT_EQ(ItemFindings({"enum ZUR_BSEMS_ENUM { A,, B,", "  C /* c */ D,", "  E", "  F", "};"}),
              (std::vector<ItemFinding>{
                  {Kind::ItemNotAsWritten, kError, 1, "", ""},
                  {Kind::MissingComma, kError, 4, "D", "D"},
                  {Kind::MissingComma, kError, 6, "F", "F"},
              }));
    // A comma that stands apart from its item is still the item's to the compiler: the empty
    // entry only moves the numbers.
    EXPECT_EQ(ItemFindings({"enum ZUR_BSEMS_ENUM {", "  A /* a */ , B,", "  C", "  , D };"}),
              (std::vector<ItemFinding>{{Kind::ItemNotAsWritten, Severity::Warning, 1, "", ""},
                                        {Kind::ItemNotAsWritten, Severity::Warning, 4, "", ""}}));
}

TEST(ReaderNotAsWrittenTest, BlockCommentsTheReaderPassesOverAreFollowedAsTheCompilerDoes) {
    // Closed on its line, or covering only lines from which nothing is read: nothing to tell.
    EXPECT_TRUE(FindingsOf({"#define OS_TASKS 3 /* three */", "#define OS_BSEMS 1 /* one",
                            "   more words */"})
                    .empty());
    ReadFinding runsOn{Kind::CommentRunsOn, NameTableId::Bsems, 2, 4};
    runsOn.column = 20;
    EXPECT_EQ(FindingsOf({"#define OS_TASKS 3 /* the", "#define OS_BSEMS 4", "*/"}),
              std::vector<ReadFinding>{runsOn});
    ReadFinding neverClosed{Kind::CommentRunsOn, NameTableId::Bsems, 3};
    neverClosed.column = 34;
    neverClosed.severity = Severity::Error;
    EXPECT_EQ(
        FindingsOf({"// line 2", "#define OS_MSG_TYPE char /* x */ /*", "#define OS_BSEMS 4"}),
        std::vector<ReadFinding>{neverClosed});
}

TEST(ReaderNotAsWrittenTest, CarriageReturnsAloneEndLinesAsForTheCompiler) {
    Configuration configuration;
    configuration.OS_TASKS = 3;
    configuration.OS_BSEMS = 2;
    configuration.OST_MSG = "char";
    std::string crLf;
    for (const char* line :
         {"// This file was generated by ZURcfg_Tool utility.", "#define OS_TASKS 3",
          "#define OS_BSEMS 2 // two", "#define OS_MSG_TYPE char", "enum ZUR_BSEMS_ENUM {",
          "  A, // a", "  B", "};"}) {
        crLf.append(line).append("\r\n");
    }
    std::string crOnly;
    for (char c : crLf) {
        if (c != '\n') {
            crOnly += c;
        }
    }
    const HeaderContents twin = ParseHeader(crLf);
    const HeaderContents contents = ParseHeader(crOnly);
    EXPECT_EQ(DifferingFields(contents.configuration, configuration), "");
    EXPECT_EQ(contents.bsems, twin.bsems);
    EXPECT_EQ(contents.lines.bsemsItems, twin.lines.bsemsItems);
    EXPECT_EQ(contents.findings, twin.findings);
    EXPECT_EQ(contents.lineEnding, LineEnding::Cr);
    EXPECT_EQ(twin.lineEnding, LineEnding::CrLf);
    EXPECT_EQ(ParseHeader("x").lineEnding, kNewHeaderLineEnding);
}

TEST(ReaderNotAsWrittenTest, EveryObjectLikeMacroDefinedIsListed) {
    EXPECT_EQ(ParseHeader(Lines({"#define B 1", "  #  define A", "#define F(x) x",
                                 "/* #define C */", "#if X", "#define B 2", "#endif"}))
                  .definedMacros,
              (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace zurcfg
