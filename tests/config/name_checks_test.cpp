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
    std::vector<NameFinding> Check() const { return CheckNames(bsems, stimers, configuration); }
};

using Place = std::tuple<NameTableId, int, NameColumn, Kind, bool>;

std::vector<Place> Places(const std::vector<NameFinding>& findings) {
    std::vector<Place> places;
    for (const NameFinding& finding : findings) {
        places.emplace_back(finding.table, finding.row, finding.column, finding.kind,
                            finding.stopsBuild);
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
        tables.Name(kBsems, row, "BS_" + std::to_string(row), "comment with // and /* inside");
    }
    for (int row = 0; row < kStimersEntries; ++row) {
        tables.Name(kStimers, row, "_st" + std::to_string(row));
    }
    tables.Name(kStimers, 1, std::string(31, 'T'));
    EXPECT_TRUE(tables.Check().empty());
}

TEST(NameChecksTest, EachIdentifierFindingOnItsOwn) {
    const std::vector<std::tuple<std::string, Kind, bool>> cases{
        {"9LIVES", Kind::NotIdentifier, true},
        {"SEM_\xC3\xA4\xC3\xB6", Kind::NotIdentifier, true},
        {"BS READY", Kind::NotIdentifier, true},
        {"BS-READY", Kind::NotIdentifier, true},
        {"int", Kind::Keyword, true},
        {"_Bool", Kind::Keyword, true},
        {"xor_eq", Kind::Keyword, true},
        {"nullptr", Kind::Keyword, true},
        {"OS_TASKS", Kind::MacroName, true},
        {"OS_ENABLE_QMSG", Kind::MacroName, true},
        {"OS_ENABLE_QUEUE", Kind::MacroName, true},
        {"OS_ENABLE_INT_QMSG", Kind::MacroName, true},
        {"OS_QUEUE_SQUEUE_IDENTICAL", Kind::MacroName, true},
        {"OST_SMSG", Kind::MacroName, true},
        {"OS_MSG_TYPE", Kind::MacroName, true},
        {"_ZURCFG_H", Kind::MacroName, true},
        {"ZUR_BSEMS_ENUM", Kind::EnumTag, false},
        {"ZUR_STIMERS_ENUM", Kind::EnumTag, false},
        {std::string(32, 'L'), Kind::TooLong, false},
    };
    for (const auto& [identifier, kind, stopsBuild] : cases) {
        Tables tables;
        tables.Name(kStimers, 5, identifier, "fine");
        EXPECT_EQ(Places(tables.Check()),
                  (std::vector<Place>{{kStimers, 5, kId, kind, stopsBuild}}))
            << identifier;
    }
}

TEST(NameChecksTest, EachCommentFindingOnItsOwn) {
    const std::vector<std::tuple<std::string, Kind>> cases{
        {"ends here */ not", Kind::CommentEndMarker}, {"two\nlines", Kind::CommentLineBreak},
        {"carriage\r", Kind::CommentLineBreak},       {"goes on \\", Kind::CommentContinues},
        {"goes on \\ \t", Kind::CommentContinues},
    };
    for (const auto& [comment, kind] : cases) {
        Tables tables;
        tables.Name(kBsems, 199, "BS_LAST", comment);
        EXPECT_EQ(Places(tables.Check()), (std::vector<Place>{{kBsems, 199, kComment, kind, true}}))
            << comment;
    }

    Tables lost;
    lost.Name(kBsems, 7, "", "kept nowhere");
    EXPECT_EQ(Places(lost.Check()),
              (std::vector<Place>{{kBsems, 7, kId, Kind::CommentWithoutIdentifier, false}}));
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
    // Listed, a count finding names its table and a row finding its entry.
    EXPECT_EQ(DescribeNameFinding(findings[0]),
              "BSEMS: OS_BSEMS = 1, but 2 item(s) defined in ENUM_BSEMS");
    EXPECT_EQ(DescribeNameFinding(findings[1]), "BSEMS entry 4: " + findings[1].reason);
}

TEST(NameChecksTest, SeveralKindsInOneTableComeInRowOrder) {
    Tables tables;
    tables.Name(kStimers, 0, "T_A", "line one\nline two");
    tables.Name(kStimers, 1, "while");
    tables.Name(kStimers, 2, "", "orphan");
    tables.Name(kStimers, 3, "t_a");
    tables.Name(kStimers, 4, "OS_BSEMS", "ok */");
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
                                  {kStimers, 4, kComment, Kind::CommentEndMarker, true},
                                  {kStimers, 5, kId, Kind::Duplicate, true},
                                  {kStimers, 5, kId, Kind::CaseOnly, false},
                                  {kStimers, 6, kId, Kind::NotIdentifier, true}}));
}

}  // namespace
}  // namespace zurcfg
