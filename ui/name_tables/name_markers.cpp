#include "ui/name_tables/name_markers.h"

#include <string>

#include "ui/common/local_text.h"
#include "ui/name_tables/name_table.h"
#include "ui/widgets/flex_grid.h"

namespace zurcfg {

namespace {

// The question lists this many findings and counts the rest.
constexpr std::size_t kListedFindings = 10;

constexpr int kHeadingRow = 0;
constexpr int kIdentifierColumn = 1;
constexpr int kCommentColumn = 2;

// The grid cell a finding marks: its entry's cell, or the identifier heading for the table's
// count.
std::pair<int, int> CellOf(const NameFinding& finding) {
    if (finding.row == kWholeTable) {
        return {kHeadingRow, kIdentifierColumn};
    }
    return {finding.row + 1,
            finding.column == NameColumn::Identifier ? kIdentifierColumn : kCommentColumn};
}

Message SaveAnywayQuestion(const std::vector<const NameFinding*>& stoppers) {
    std::string text = "These names would stop a C compiler building the firmware:\n";
    for (std::size_t i = 0; i < stoppers.size() && i < kListedFindings; ++i) {
        text += "\n" + DescribeNameFinding(*stoppers[i]);
    }
    if (stoppers.size() > kListedFindings) {
        text += "\nand " + std::to_string(stoppers.size() - kListedFindings) + " more";
    }
    text +=
        "\n\nNames that build but are worth a look stay marked in the tables and are not "
        "listed here.\nDo you want to save anyway?";
    // Enter keeps the firmware building.
    return {std::move(text), "Save anyway?", Buttons::YesNo, Icon::Exclamation, Answer::No};
}

}  // namespace

NameMarkers::NameMarkers(NameTable& bsems, NameTable& stimers) : bsems_(bsems), stimers_(stimers) {}

void NameMarkers::Update(const Document& document, bool oldStyleNames) {
    findings_ = CheckNames(document.bsems, document.stimers, document.configuration, oldStyleNames);
    Marks bsemsMarks;
    Marks stimersMarks;
    for (const NameFinding& finding : findings_) {
        Marks& marks = finding.table == NameTableId::Bsems ? bsemsMarks : stimersMarks;
        Mark& mark = marks[CellOf(finding)];
        mark.reasons += (mark.reasons.isEmpty() ? QString() : QStringLiteral("\n")) +
                        FromLocal8Bit(finding.reason);
        mark.error = mark.error || finding.severity == Severity::Error;
    }
    ApplyMarks(bsems_, bsemsMarks_, bsemsMarks);
    ApplyMarks(stimers_, stimersMarks_, stimersMarks);
    bsemsMarks_ = std::move(bsemsMarks);
    stimersMarks_ = std::move(stimersMarks);
}

bool NameMarkers::ConfirmSave(Prompter& prompter) {
    std::vector<const NameFinding*> stoppers;
    for (const NameFinding& finding : findings_) {
        if (finding.severity == Severity::Error) {
            stoppers.push_back(&finding);
        }
    }
    if (stoppers.empty() || prompter.Ask(SaveAnywayQuestion(stoppers)) == Answer::Yes) {
        return true;
    }
    // A copy: making the cell current stores any open edit, which checks the tables afresh.
    const NameFinding first = *stoppers.front();
    const auto [row, col] = CellOf(first);
    FlexGrid* grid = Table(first.table).Grid();
    grid->SetCurrentCell(row, col);
    grid->setFocus();
    return false;
}

NameTable& NameMarkers::Table(NameTableId id) const {
    return id == NameTableId::Bsems ? bsems_ : stimers_;
}

void NameMarkers::ApplyMarks(NameTable& table, const Marks& previous, const Marks& marks) {
    if (marks == previous) {
        return;
    }
    FlexGrid* grid = table.Grid();
    for (const auto& [cell, mark] : previous) {
        if (marks.count(cell) == 0) {
            grid->SetCellMark(cell.first, cell.second, QString());
        }
    }
    for (const auto& [cell, mark] : marks) {
        grid->SetCellMark(cell.first, cell.second, mark.reasons,
                          mark.error ? FlexGrid::MarkLevel::Error : FlexGrid::MarkLevel::Warning);
    }
}

}  // namespace zurcfg
