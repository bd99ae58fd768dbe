#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "config/name_checks.h"

namespace zurcfg {
namespace {

using Kind = NameFindingKind;

// Both tables at their full size, rows empty, with counts that match what they name.
struct Tables {
    std::vector<NameEntry> bsems = std::vector<NameEntry>(kBsemsEntries);
    std::vector<NameEntry> stimers = std::vector<NameEntry>(kStimersEntries);
    Configuration configuration;

    void Name(NameTableId table, int row, std::string identifier, std::string comment = {}) {
        auto& rows = table == NameTableId::Bsems ? bsems : stimers;
        int32_t& count =
            table == NameTableId::Bsems ? configuration.OS_BSEMS : configuration.OS_STIMERS;
        count += rows[row].identifier.empty() && !identifier.empty() ? 1 : 0;
        rows[row] = {std::move(identifier), std::move(comment)};
    }
    // Checked as the new-style header the writer would write for them.
    std::vector<NameFinding> Check() const {
        return CheckNames(bsems, stimers, configuration, false);
    }
};

// Where a finding is, of what kind, and whether it is an error.
using Place = std::tuple<NameTableId, int, NameColumn, Kind, bool>;

std::vector<Place> Places(const std::vector<NameFinding>& findings) {
    std::vector<Place> places;
    for (const NameFinding& finding : findings) {
        places.emplace_back(finding.table, finding.row, finding.column, finding.kind,
                            finding.severity == Severity::Error);
        EXPECT_FALSE(finding.reason.empty());
    }
    return places;
}

constexpr auto kBsems = NameTableId::Bsems;
constexpr auto kStimers = NameTableId::Stimers;
constexpr auto kId = NameColumn::Identifier;
constexpr auto kComment = NameColumn::Comment;

TEST(NameChecksTest, WellFormedFullTablesAndEmptyRowsHaveNoFindings) {
    Tables tables;
    EXPECT_TRUE(tables.Check().empty());
    for (int row = 0; row < kBsemsEntries; ++row) {
        tables.Name(kBsems, row, "BS_" + std::to_string(row),
                    "comment with // and /* and */ inside");
    }
    for (int row = 0; row < kStimersEntries; ++row) {
        tables.Name(kStimers, row, "_st" + std::to_string(row));
    }
    tables.Name(kStimers, 1, std::string(31, 'T'));
    EXPECT_TRUE(tables.Check().empty());
}

// Errors are what stops gcc or clang building a unit that uses the name; the rest builds.
TEST(NameChecksTest, EachIdentifierFindingOnItsOwn) {
    const std::vector<std::tuple<std::string, Kind, bool>> cases{
        {"9LIVES", Kind::NotIdentifier, true},
        {"BS READY", Kind::NotIdentifier, true},
        {"BS-READY", Kind::NotIdentifier, true},
        {"SEM_\xE4", Kind::NotIdentifier, true},  // Latin-1, no UTF-8
        {"x =", Kind::NotIdentifier, true},
        {"SEM_\xC3\xA4\xC3\xB6", Kind::ExtendedCharacters, false},  // UTF-8 letters
        {"BS$READY", Kind::ExtendedCharacters, false},
        {"BS_A = 4", Kind::NotReadBackAsWritten, false},
        {" BS_A", Kind::NotReadBackAsWritten, false},
        {"int", Kind::Keyword, true},
        {"_Bool", Kind::Keyword, true},
        {"restrict", Kind::Keyword, true},
        {"xor_eq", Kind::CppKeyword, false},
        {"nullptr", Kind::CppKeyword, false},
        {"class", Kind::CppKeyword, false},
        {"__LINE__", Kind::Reserved, true},
        {"_Pragma", Kind::Reserved, true},
        {"__interrupt", Kind::Reserved, true},
        {"OS_TASKS", Kind::MacroName, true},
        {"_ZURCFG_H", Kind::Reserved, true},  // a macro as well: listed below
        {"OS_ENABLE_QMSG", Kind::OtherMacroName, false},
        {"OS_ENABLE_QUEUE", Kind::OtherMacroName, false},
        {"OS_MSG_TYPE", Kind::OtherMacroName, false},
        {"ZUR_BSEMS_ENUM", Kind::EnumTag, false},
        {"ZUR_STIMERS_ENUM", Kind::EnumTag, false},
        {std::string(32, 'L'), Kind::TooLong, false},
    };
    for (const auto& [identifier, kind, error] : cases) {
        Tables tables;
        tables.Name(kStimers, 5, identifier, "fine");
        const std::vector<Place> places = Places(tables.Check());
        ASSERT_FALSE(places.empty()) << identifier;
        EXPECT_EQ(places.front(), (Place{kStimers, 5, kId, kind, error})) << identifier;
        EXPECT_EQ(places.size(), identifier == "_ZURCFG_H" ? 2u : 1u) << identifier;
    }
}

TEST(NameChecksTest, MacrosClashOnlyWhereTheHeaderDefinesThem) {
    Tables tables;
    tables.Name(kBsems, 0, "OS_ENABLE_QUEUE");
    tables.Name(kBsems, 1, "OST_MSG");
    tables.Name(kBsems, 2, "OS_MSG_TYPE");
    tables.configuration.OS_ENABLE_QMSG = 1;
    tables.configuration.OST_MSG = "char";
    const auto kinds = [&](bool oldStyleNames) {
        std::vector<Kind> found;
        for (const NameFinding& finding :
             CheckNames(tables.bsems, tables.stimers, tables.configuration, oldStyleNames)) {
            found.push_back(finding.kind);
        }
        return found;
    };
    // The old style guards both message type names, each defined in one branch.
    EXPECT_EQ(kinds(false),
              (std::vector<Kind>{Kind::MacroName, Kind::OtherMacroName, Kind::MacroName}));
    EXPECT_EQ(kinds(true),
              (std::vector<Kind>{Kind::OtherMacroName, Kind::MacroName, Kind::MacroName}));
    // A header read from disk: the macros it defines, whatever the tool would write.
    const std::vector<NameFinding> own = CheckNames(
        tables.bsems, tables.stimers, tables.configuration, std::vector<std::string>{"OST_MSG"});
    ASSERT_EQ(own.size(), 3u);
    EXPECT_EQ(own[1].kind, Kind::MacroName);
    EXPECT_EQ(DescribeNameFinding(own[1]),
              "BSEMS entry 1 \"OST_MSG\": a macro this header defines");
}

TEST(NameChecksTest, EachCommentFindingOnItsOwn) {
    const std::vector<std::tuple<std::string, Kind, bool>> cases{
        {"two\nlines", Kind::CommentLineBreak, true},
        {"carriage\rreturn", Kind::CommentLineBreak, true},
        {"break at the end\r\n", Kind::CommentLineBreak, false},
        {"comment behind\n// another", Kind::CommentLineBreak, false},
        {"goes on \\", Kind::CommentContinues, true},
        {"goes on \\ \t", Kind::CommentContinues, true},
        {"goes on ?\?/", Kind::CommentContinues, true},
    };
    for (const auto& [comment, kind, error] : cases) {
        Tables tables;
        tables.Name(kBsems, 199, "BS_LAST", comment);
        EXPECT_EQ(Places(tables.Check()),
                  (std::vector<Place>{{kBsems, 199, kComment, kind, error}}))
            << comment;
    }
    // Ends no comment a line comment stands in.
    Tables endMarker;
    endMarker.Name(kBsems, 0, "BS_A", "ends here */ not");
    EXPECT_TRUE(endMarker.Check().empty());

    Tables lost;
    lost.Name(kBsems, 7, "", "kept nowhere");
    const std::vector<NameFinding> findings = lost.Check();
    EXPECT_EQ(Places(findings),
              (std::vector<Place>{{kBsems, 7, kId, Kind::CommentWithoutIdentifier, false}}));
    EXPECT_EQ(DescribeNameFinding(findings[0]),
              "BSEMS entry 7 comment \"kept nowhere\": comment without an identifier: the row is "
              "not written");
}

TEST(NameChecksTest, LongNamesAlikeInTheirFirst31CharactersAndEntriesBeyondTheRows) {
    Tables tables;
    tables.stimers.resize(70);
    tables.Name(kStimers, 66, std::string(31, 'S') + "_ONE");
    tables.Name(kStimers, 67, std::string(31, 'S') + "_TWO");
    tables.Name(kStimers, 68, std::string(31, 'S') + "_ONE");
    std::vector<Place> expected;
    for (const int row : {66, 67, 68}) {
        expected.push_back({kStimers, row, kId, Kind::TooLong, false});
        if (row != 67) {
            expected.push_back({kStimers, row, kId, Kind::Duplicate, true});
        }
        expected.push_back({kStimers, row, kId, Kind::SameSignificantStart, false});
    }
    EXPECT_EQ(Places(tables.Check()), expected);
}

TEST(NameChecksTest, RepeatsWithinAndAcrossTablesNameTheOtherPlace) {
    Tables tables;
    tables.Name(kBsems, 2, "READY");
    tables.Name(kBsems, 9, "READY");
    tables.Name(kStimers, 0, "READY");
    const std::vector<NameFinding> findings = tables.Check();
    EXPECT_EQ(Places(findings), (std::vector<Place>{{kBsems, 2, kId, Kind::Duplicate, true},
                                                    {kBsems, 9, kId, Kind::Duplicate, true},
                                                    {kStimers, 0, kId, Kind::Duplicate, true}}));
    EXPECT_EQ(findings[0].reason, "also used in BSEMS entry 9");
    EXPECT_EQ(findings[2].reason, "also used in BSEMS entry 2");

    Tables cases;
    cases.Name(kBsems, 0, "Timeout");
    cases.Name(kStimers, 3, "TIMEOUT");
    const std::vector<NameFinding> caseFindings = cases.Check();
    EXPECT_EQ(Places(caseFindings),
              (std::vector<Place>{{kBsems, 0, kId, Kind::CaseOnly, false},
                                  {kStimers, 3, kId, Kind::CaseOnly, false}}));
    EXPECT_EQ(caseFindings[0].reason,
              "differs only in letter case from TIMEOUT in STIMERS entry 3");
    EXPECT_EQ(caseFindings[1].reason, "differs only in letter case from Timeout in BSEMS entry 0");
}

TEST(NameChecksTest, CountsAreComparedAsTheWriterCountsIdentifiers) {
    Tables tables;
    tables.Name(kBsems, 0, "BS_A");
    tables.Name(kBsems, 4, "bad name");  // counted, as the writer writes it
    tables.Name(kStimers, 0, "ST_A");
    tables.configuration.OS_BSEMS = 1;
    tables.configuration.OS_STIMERS = 65;
    const std::vector<NameFinding> findings = tables.Check();
    EXPECT_EQ(Places(findings),
              (std::vector<Place>{{kBsems, kWholeTable, kId, Kind::MoreThanCount, false},
                                  {kBsems, 4, kId, Kind::NotIdentifier, true},
                                  {kStimers, kWholeTable, kId, Kind::FewerThanCount, false}}));
    EXPECT_EQ(findings[0].reason, "OS_BSEMS = 1, but 2 item(s) defined in ENUM_BSEMS");
    EXPECT_EQ(findings[2].reason, "OS_STIMERS = 65, but only 1 item(s) defined in ENUM_STIMERS");
    // Listed, a count finding names its table and a row finding its entry and its text.
    EXPECT_EQ(DescribeNameFinding(findings[0]),
              "BSEMS: OS_BSEMS = 1, but 2 item(s) defined in ENUM_BSEMS");
    EXPECT_EQ(DescribeNameFinding(findings[1]),
              "BSEMS entry 4 \"bad name\": " + findings[1].reason);
}

TEST(NameChecksTest, SeveralKindsInOneTableComeInRowOrder) {
    Tables tables;
    tables.Name(kStimers, 0, "T_A", "line one\nline two");
    tables.Name(kStimers, 1, "while");
    tables.Name(kStimers, 2, "", "orphan");
    tables.Name(kStimers, 3, "t_a");
    tables.Name(kStimers, 4, "OS_TASKS", "ok \\");
    tables.Name(kStimers, 5, "T_A");
    tables.Name(kStimers, 6, "2ND");
    tables.configuration.OS_STIMERS = 3;
    EXPECT_EQ(Places(tables.Check()),
              (std::vector<Place>{{kStimers, kWholeTable, kId, Kind::MoreThanCount, false},
                                  {kStimers, 0, kId, Kind::Duplicate, true},
                                  {kStimers, 0, kId, Kind::CaseOnly, false},
                                  {kStimers, 0, kComment, Kind::CommentLineBreak, true},
                                  {kStimers, 1, kId, Kind::Keyword, true},
                                  {kStimers, 2, kId, Kind::CommentWithoutIdentifier, false},
                                  {kStimers, 3, kId, Kind::CaseOnly, false},
                                  {kStimers, 4, kId, Kind::MacroName, true},
                                  {kStimers, 4, kComment, Kind::CommentContinues, true},
                                  {kStimers, 5, kId, Kind::Duplicate, true},
                                  {kStimers, 5, kId, Kind::CaseOnly, false},
                                  {kStimers, 6, kId, Kind::NotIdentifier, true}}));
}

}  // namespace
}  // namespace zurcfg
