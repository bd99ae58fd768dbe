#include "config/header_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

#include "config/c_names.h"
#include "config/compiler_comments.h"
#include "config/header_path.h"
#include "config/header_writer.h"
#include "config/line_source.h"
#include "config/option_lists.h"
#include "config/regular_file.h"

namespace zurcfg {

namespace {

constexpr std::string_view kProjectNameLabel = "PROJECT NAME:";
constexpr std::string_view kPlatformLabel = "PLATFORM:";
constexpr std::string_view kDefine = "#define";

// A define switches its option on whatever value follows it; no line switches one off.
struct FlagRow {
    std::string_view name;
    uint8_t Configuration::*field;
};

enum class NumberKind { Count, Bank, Size };

struct NumberRow {
    std::string_view name;
    int32_t Configuration::*field;
    NumberKind kind;
};

struct TypeRow {
    std::string_view name;
    std::string Configuration::*field;
};

// The macro names a define line is tested against, current and older spellings alike. A name
// word matches a row when it contains the row's name; the first matching row, flags before
// numbers before types, decides. That is what lets the plural OS_ENABLE_TTIMERS match
// OS_ENABLE_TTIMER.
constexpr std::array<FlagRow, 25> kFlagRows{{
    {"OS_ENABLE_ALL", &Configuration::OS_ENABLE_ALL},
    {"OS_ENABLE_CSEM", &Configuration::OS_ENABLE_CSEM},
    {"OS_CSEM_ENABLE", &Configuration::OS_ENABLE_CSEM},
    {"OS_ENABLE_QMSG", &Configuration::OS_ENABLE_QMSG},
    {"OS_ENABLE_QUEUE", &Configuration::OS_ENABLE_QMSG},
    {"OS_ENABLE_QSMSG", &Configuration::OS_ENABLE_QSMSG},
    {"OS_ENABLE_SQUEUE", &Configuration::OS_ENABLE_QSMSG},
    {"OS_QMSG_ENABLE", &Configuration::OS_ENABLE_QMSG},
    {"OS_QSMSG_ENABLE", &Configuration::OS_ENABLE_QSMSG},
    {"OS_TIMER_ENABLE", &Configuration::OS_ENABLE_TTIMERS},
    {"OS_ENABLE_TIMER", &Configuration::OS_ENABLE_TTIMERS},
    {"OS_ENABLE_TTIMER", &Configuration::OS_ENABLE_TTIMERS},
    {"OS_ENABLE_DTIMER", &Configuration::OS_ENABLE_DTIMERS},
    {"OS_ENABLE_PTIMER", &Configuration::OS_ENABLE_DTIMERS},
    {"OS_USE_INLINE_TIMER", &Configuration::OS_USE_INLINE_TIMER},
    {"OS_DISABLE_PRIORITY", &Configuration::OS_DISABLE_PRIORITY},
    {"OS_QUEUES_IDENTICAL", &Configuration::OS_QUEUES_IDENTICAL},
    {"OS_QUEUE_SQUEUE_IDENTICAL", &Configuration::OS_QUEUES_IDENTICAL},
    {"OS_ENABLE_CRITICAL_SECTION", &Configuration::OS_ENABLE_CRITICAL_SECTION},
    {"OS_ENABLE_INT_ALL", &Configuration::OS_ENABLE_INT_ALL},
    {"OS_ENABLE_INT_CSEM", &Configuration::OS_ENABLE_INT_CSEM},
    {"OS_ENABLE_INT_MSG", &Configuration::OS_ENABLE_INT_MSG},
    {"OS_ENABLE_INT_SMSG", &Configuration::OS_ENABLE_INT_SMSG},
    {"OS_ENABLE_INT_QMSG", &Configuration::OS_ENABLE_INT_QUEUE},
    {"OS_ENABLE_INT_QUEUE", &Configuration::OS_ENABLE_INT_QUEUE},
}};

constexpr std::array<NumberRow, 12> kNumberRows{{
    {"OS_TASKS", &Configuration::OS_TASKS, NumberKind::Count},
    {"OS_STIMERS", &Configuration::OS_STIMERS, NumberKind::Count},
    {"OS_BSEMS", &Configuration::OS_BSEMS, NumberKind::Count},
    {"OS_BANK_OS", &Configuration::OS_BANK_OS, NumberKind::Bank},
    {"OS_BANK_TASKS", &Configuration::OS_BANK_TASKS, NumberKind::Bank},
    {"OS_BANK_BSEMS", &Configuration::OS_BANK_BSEMS, NumberKind::Bank},
    {"OS_BANK_STIMERS", &Configuration::OS_BANK_STIMERS, NumberKind::Bank},
    {"OS_CSEM_SIZE", &Configuration::OS_CSEM_SIZE, NumberKind::Size},
    {"OS_TIMER_SIZE", &Configuration::OS_TIMER_SIZE, NumberKind::Size},
    {"OS_TTIMER_SIZE", &Configuration::OS_TTIMER_SIZE, NumberKind::Size},
    {"OS_STIMER_SIZE", &Configuration::OS_STIMER_SIZE, NumberKind::Size},
    {"OS_DTIMER_SIZE", &Configuration::OS_DTIMER_SIZE, NumberKind::Size},
}};

constexpr std::array<TypeRow, 4> kTypeRows{{
    {"OST_MSG", &Configuration::OST_MSG},
    {"OST_SMSG", &Configuration::OST_SMSG},
    {"OS_MSG_TYPE", &Configuration::OST_MSG},
    {"OS_SMSG_TYPE", &Configuration::OST_SMSG},
}};

// Enumeration tags, matched by containment like the macro names. A tag that matches both lists
// fills the BSEMS table.
constexpr std::array<std::string_view, 5> kBsemsTags{"ZUR_BSEMS", "ENUM_BSEMS", "ZUR_ENUM_BSEMS",
                                                     "BSEMS_ENUM", "ZUR_BSEMS_ENUM"};
constexpr std::array<std::string_view, 5> kStimersTags{
    "ZUR_STIMERS", "ENUM_STIMERS", "ZUR_ENUM_STIMERS", "STIMERS_ENUM", "ZUR_STIMERS_ENUM"};

// A plain search: the words searched are short, where a library call costs more than it
// saves, and a define line may be tested against forty names.
constexpr bool Contains(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) {
        return false;
    }
    for (std::size_t start = 0; start <= text.size() - part.size(); ++start) {
        std::size_t matched = 0;
        while (matched < part.size() && text[start + matched] == part[matched]) {
            ++matched;
        }
        if (matched == part.size()) {
            return true;
        }
    }
    return false;
}

template <typename Rows>
constexpr bool AllNamesContain(const Rows& rows, std::string_view part) {
    for (const auto& row : rows) {
        if (!Contains(row.name, part)) {
            return false;
        }
    }
    return true;
}

// Each row's place among all rows, flags first, for noting the line of the define it took.
constexpr std::size_t kFirstNumberRow = kFlagRows.size();
constexpr std::size_t kFirstTypeRow = kFirstNumberRow + kNumberRows.size();
constexpr std::size_t kRowCount = kFirstTypeRow + kTypeRows.size();

template <typename T, std::size_t N>
std::string_view NameIn(const std::array<Field<T>, N>& fields, T Configuration::*member) {
    for (const Field<T>& field : fields) {
        if (field.member == member) {
            return field.name;
        }
    }
    return {};
}

// The name of the field a row sets, as configuration.h spells it.
std::string_view FieldNameOfRow(std::size_t row) {
    if (row < kFirstNumberRow) {
        const auto member = kFlagRows[row].field;
        const std::string_view service = NameIn(kServiceSwitchFields, member);
        return service.empty() ? NameIn(kInterruptSwitchFields, member) : service;
    }
    if (row < kFirstTypeRow) {
        const auto member = kNumberRows[row - kFirstNumberRow].field;
        for (const std::string_view name :
             {NameIn(kCountFields, member), NameIn(kBankFields, member),
              NameIn(kSizeFields, member)}) {
            if (!name.empty()) {
                return name;
            }
        }
        return {};
    }
    return NameIn(kMessageTypeFields, kTypeRows[row - kFirstTypeRow].field);
}

// Lets a define line whose name cannot match any row skip the row tests.
constexpr std::string_view kCommonNamePart = "OS";
static_assert(AllNamesContain(kFlagRows, kCommonNamePart) &&
              AllNamesContain(kNumberRows, kCommonNamePart) &&
              AllNamesContain(kTypeRows, kCommonNamePart));

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::array<bool, 256> IdentifierCharTable() {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    }
    return table;
}

// ASCII letters, digits and the underscore; bytes of 128 and above are not.
bool IsIdentifierChar(char c) {
    static constexpr std::array<bool, 256> kTable = IdentifierCharTable();
    return kTable[static_cast<unsigned char>(c)];
}

// The decimal number formed by the digits at the start of a word, 0 when there are none.
// Numbers beyond the 32-bit range read as the largest 32-bit value.
int32_t LeadingNumber(std::string_view word) {
    constexpr int64_t kLargest = std::numeric_limits<int32_t>::max();
    int64_t number = 0;
    for (char c : word) {
        if (c < '0' || c > '9') {
            break;
        }
        number = std::min(number * 10 + (c - '0'), kLargest);
    }
    return static_cast<int32_t>(number);
}

// Digits alone, no leading 0 (which C reads as octal) and within the 32-bit range: the only
// values the reader takes as written.
bool IsPlainDecimal(std::string_view text) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0') ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    return std::stoll(std::string(text)) <= std::numeric_limits<int32_t>::max();
}

int32_t StoredNumber(NumberKind kind, int32_t number) {
    switch (kind) {
        case NumberKind::Bank:
            // Stored one higher than written, so that 0 keeps meaning "no bank stated".
            return number < std::numeric_limits<int32_t>::max() ? number + 1 : number;
        case NumberKind::Size:
            return SizeIndexForBytes(number);
        case NumberKind::Count:
            break;
    }
    return number;
}

// The text of a define behind its name up to a line comment, else up to a block comment, else
// to the end of the line, less blanks at both ends; as a message type it may hold several words
// and punctuation ("unsigned char *").
std::string_view DefinitionText(std::string_view text) {
    std::size_t end = text.find("//");
    if (end == std::string_view::npos) {
        end = text.find("/*");
    }
    text = text.substr(0, end);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// Where a block comment opened in `text` stays open at the end of it, npos when none does. A
// line comment ends the search.
std::size_t UnclosedBlockComment(std::string_view text) {
    for (std::size_t at = 0;;) {
        const std::size_t opener = text.find('/', at);
        if (opener == std::string_view::npos || opener + 1 >= text.size()) {
            return std::string_view::npos;
        }
        if (text[opener + 1] == '/') {
            return std::string_view::npos;
        }
        if (text[opener + 1] != '*') {
            at = opener + 1;
            continue;
        }
        const std::size_t closer = text.find("*/", opener + 2);
        if (closer == std::string_view::npos) {
            return opener;
        }
        at = closer + 2;
    }
}

// A position in one line with the small steps the scanner is built from. No step moves past
// the end of the line.
class LineCursor {
public:
    LineCursor() = default;
    explicit LineCursor(std::string_view line) : line_(line) {}

    bool AtEnd() const { return position_ >= line_.size(); }
    std::size_t Position() const { return position_; }
    std::string_view Line() const { return line_; }
    std::string_view Rest() const { return line_.substr(position_); }
    // A plain loop: the texts looked for are a few bytes long and mostly differ at the first.
    bool LooksAt(std::string_view text) const {
        if (line_.size() - position_ < text.size()) {
            return false;
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (line_[position_ + i] != text[i]) {
                return false;
            }
        }
        return true;
    }
    bool LooksAt(char c) const { return !AtEnd() && line_[position_] == c; }

    void Advance(std::size_t count) { position_ = std::min(position_ + count, line_.size()); }
    void SkipToEnd() { position_ = line_.size(); }

    void SkipBlanks() { position_ = SkipWhile(position_, IsBlank); }

    // Stops at a blank or at the end of the line.
    void SkipToBlank() {
        position_ = SkipWhile(position_, [](char c) { return !IsBlank(c); });
    }

    // Skips blanks, takes the identifier there (possibly empty) and skips the blanks behind it.
    std::string_view ReadIdentifier() {
        const std::size_t start = SkipWhile(position_, IsBlank);
        const std::size_t end = SkipWhile(start, IsIdentifierChar);
        position_ = SkipWhile(end, IsBlank);
        return line_.substr(start, end - start);
    }

    // Moves behind the next occurrence of `text`; stays put and answers false without one.
    bool SkipPast(std::string_view text) {
        const std::size_t found = line_.find(text, position_);
        if (found == std::string_view::npos) {
            return false;
        }
        position_ = found + text.size();
        return true;
    }

private:
    // Works on a copy of the position: a position member would be stored at every step, since
    // the compiler must assume that the line's bytes may alias it.
    template <typename Predicate>
    std::size_t SkipWhile(std::size_t from, Predicate predicate) const {
        while (from < line_.size() && predicate(line_[from])) {
            ++from;
        }
        return from;
    }

    std::string_view line_;
    std::size_t position_ = 0;
};

// The macro a "#define" line defines, when the line is one (blanks may stand around the '#');
// empty for other lines and for function-like macros, which a name alone does not expand.
std::string_view DefinedMacro(std::string_view line) {
    LineCursor cursor(line);
    cursor.SkipBlanks();
    if (!cursor.LooksAt('#')) {
        return {};
    }
    cursor.Advance(1);
    if (cursor.ReadIdentifier() != "define") {
        return {};
    }
    const std::size_t start = cursor.Position();
    const std::string_view name = cursor.ReadIdentifier();
    const std::size_t end = start + name.size();
    return end < line.size() && line[end] == '(' ? std::string_view() : name;
}

// The name of the directive a line holds ("define", "if"); nothing for a line that is none.
std::optional<std::string_view> DirectiveOf(std::string_view line) {
    LineCursor cursor(line);
    cursor.SkipBlanks();
    if (!cursor.LooksAt('#')) {
        return std::nullopt;
    }
    cursor.Advance(1);
    return cursor.ReadIdentifier();
}

// Whether the compiler stops at a line of code that a comment takes over: the text of an
// enumeration, or a conditional that then goes unclosed or closes one that is not open.
bool OpensOrClosesABlock(std::string_view line) {
    if (const std::optional<std::string_view> directive = DirectiveOf(line)) {
        return *directive == "if" || *directive == "ifdef" || *directive == "ifndef" ||
               *directive == "endif";
    }
    LineCursor cursor(line);
    return Contains(cursor.ReadIdentifier(), "enum") ||
           line.find_first_of("{}") != std::string_view::npos;
}

// Scans a header line by line into a HeaderContents. Steps that need more lines (block
// comments, the search for an enumeration's brace, its body) take them from the same source
// and answer false when the text ends, which ends the scan with what was collected so far.
class HeaderScanner {
public:
    explicit HeaderScanner(LineSource& lines) : lines_(lines) {}

    HeaderContents Scan() {
        while (NextLine()) {
            ScanLine();
        }
        NoteDroppedBytes();
        NoteCommentRunningToTheEnd();
        NoteFieldLines();
        NoteNamesNotKept(NameTableId::Bsems, kBsemsEntries);
        NoteNamesNotKept(NameTableId::Stimers, kStimersEntries);
        NoteItemsNotChecked(NameTableId::Bsems);
        NoteItemsNotChecked(NameTableId::Stimers);
        if (!contents_.generatedMarkerSeen) {
            contents_.findings.insert(contents_.findings.begin(),
                                      {ReadFinding::Kind::NotGenerated});
        } else if (!endsWithClosingEndif_ || conditionalDepth_ > 0) {
            ReadFinding endsEarly{ReadFinding::Kind::EndsEarly};
            endsEarly.line = lastTextLine_;
            // A conditional left open stops the compiler; a file cut after its last one does not.
            endsEarly.severity = conditionalDepth_ > 0 ? Severity::Error : Severity::Warning;
            contents_.findings.push_back(std::move(endsEarly));
        }
        std::vector<std::string>& macros = contents_.definedMacros;
        std::sort(macros.begin(), macros.end());
        macros.erase(std::unique(macros.begin(), macros.end()), macros.end());
        contents_.lineEnding = lines_.FirstLineEnding().value_or(kNewHeaderLineEnding);
        return std::move(contents_);
    }

private:
    // What the scan has met of one name table.
    struct TableScan {
        int itemsFound = 0;  // also those beyond the items kept
        int firstLineBeyondRows = 0;
        int firstLineBeyondKept = 0;
    };

    // A block comment that the compiler sees but the reader does not, since it stands in text
    // the reader passes over; the reader goes on reading the lines it covers.
    struct OpenComment {
        int line = 0;  // 0 while there is none
        int column = 0;
        bool readInside = false;  // the reader took something from a line it covers
    };

    Configuration& Record() { return contents_.configuration; }

    bool NextLine() {
        NoteDroppedBytes();
        const std::optional<std::string_view> line = lines_.Next();
        if (!line) {
            return false;
        }
        cursor_ = LineCursor(*line);
        ++lineNumber_;
        compilerComments_.Follow(*line, lineNumber_);
        NoteLineTakenByComment(*line);
        // Most lines drop nothing, and then there is nothing to copy.
        if (!lines_.Dropped().empty()) {
            lineDropped_ = lines_.Dropped();
            droppedTold_.assign(lineDropped_.size(), false);
        }
        if (openComment_.line != 0 && line->find("*/") != std::string_view::npos) {
            CloseComment();
        }
        NoteConditional(*line);
        return true;
    }

    // The tool's header ends with the "#endif" that closes its include guard, the last of the
    // conditionals it opens; a file cut off anywhere before lacks it.
    void NoteConditional(std::string_view line) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) {
            return;
        }
        line.remove_prefix(start);
        lastTextLine_ = lineNumber_;
        endsWithClosingEndif_ = line.rfind("#endif", 0) == 0;
        if (line.rfind("#if", 0) == 0) {
            ++conditionalDepth_;
        } else if (endsWithClosingEndif_) {
            --conditionalDepth_;
        }
    }

    // The 1-based byte of the original line at a position of the line as handed out.
    int RawColumn(std::size_t position) const {
        std::size_t before = 0;
        while (before < lineDropped_.size() && lineDropped_[before].at <= position) {
            ++before;
        }
        return static_cast<int>(position + before + 1);
    }

    // The original bytes of the line from `from` to `to`, the dropped ones put back.
    std::string RawText(std::size_t from, std::size_t to) const {
        const std::string_view line = cursor_.Line();
        std::string text;
        std::size_t next = from;
        for (const LineSource::DroppedByte& dropped : lineDropped_) {
            if (dropped.at < from || dropped.at > to) {
                continue;
            }
            text.append(line.substr(next, dropped.at - next));
            text += dropped.byte;
            next = dropped.at;
        }
        text.append(line.substr(next, to - next));
        return text;
    }

    // Dropped bytes from `from` to `to` are told with the item that holds them.
    void TakeDroppedBytes(std::size_t from, std::size_t to) {
        for (std::size_t i = 0; i < lineDropped_.size(); ++i) {
            if (lineDropped_[i].at >= from && lineDropped_[i].at <= to) {
                droppedTold_[i] = true;
            }
        }
    }

    // Control bytes of the line just scanned that no item has told of: an error where one
    // stands in code, which the compiler stops at.
    void NoteDroppedBytes() {
        if (lineDropped_.empty()) {
            return;
        }
        ReadFinding finding{ReadFinding::Kind::ControlBytes};
        for (std::size_t i = 0; i < lineDropped_.size(); ++i) {
            if (droppedTold_[i]) {
                continue;
            }
            if (finding.found.empty()) {
                finding.line = lineNumber_;
                // Each dropped byte before this one stood in the line as well.
                finding.column = static_cast<int>(lineDropped_[i].at + i + 1);
            }
            finding.found += lineDropped_[i].byte;
            if (StopsTheCompiler(lineDropped_[i])) {
                finding.severity = Severity::Error;
            }
        }
        if (!finding.found.empty()) {
            contents_.findings.push_back(std::move(finding));
        }
        lineDropped_.clear();
        droppedTold_.clear();
    }

    // A control byte stops the compiler in code, where it is a stray character, but not in a
    // comment, nor in a directive that leaves it alone: a macro's text, unexpanded, or the end
    // of an "#endif". The compiler skips a NUL, and takes a vertical tab or form feed for a
    // blank.
    bool StopsTheCompiler(const LineSource::DroppedByte& dropped) const {
        if (dropped.byte == '\0' || dropped.byte == '\v' || dropped.byte == '\f' ||
            compilerComments_.InComment(dropped.at)) {
            return false;
        }
        const std::optional<std::string_view> directive = DirectiveOf(cursor_.Line());
        return !directive || *directive == "if" || *directive == "elif";
    }

    // A line comment that the line before carried on to this one takes the code on this line
    // from the compiler, though the reader reads it. An item's comment is left to the name
    // checks, which judge it where the item is shown.
    void NoteLineTakenByComment(std::string_view line) {
        const CompilerComments::Carried comment = compilerComments_.CarriedInto();
        if (comment.line == 0 || comment.line == commentTakingTold_ ||
            comment.line == itemCommentLine_ || !StartsWithCode(line)) {
            return;
        }
        commentTakingTold_ = comment.line;
        ReadFinding finding{ReadFinding::Kind::CommentTakesLine};
        finding.line = comment.line;
        finding.column = comment.column;
        finding.count = lineNumber_;
        finding.found = std::string(TrimCBlanks(line));
        finding.severity =
            inEnumeration_ || OpensOrClosesABlock(line) ? Severity::Error : Severity::Warning;
        contents_.findings.push_back(std::move(finding));
    }

    // Called for text the reader passes over: a block comment opened there and not closed on
    // the line makes the compiler skip lines the reader goes on reading.
    void PassOver(std::size_t from) {
        if (openComment_.line != 0) {
            return;
        }
        const std::size_t opener = UnclosedBlockComment(cursor_.Line().substr(from));
        if (opener != std::string_view::npos) {
            openComment_ = {lineNumber_, RawColumn(from + opener), false};
        }
    }

    // Something was taken from the current line.
    void NoteTaken() {
        if (openComment_.line != 0 && openComment_.line != lineNumber_) {
            openComment_.readInside = true;
        }
    }

    void CloseComment() {
        if (openComment_.readInside) {
            ReadFinding finding{ReadFinding::Kind::CommentRunsOn};
            finding.line = openComment_.line;
            finding.column = openComment_.column;
            finding.count = lineNumber_;
            contents_.findings.push_back(std::move(finding));
        }
        openComment_ = {};
    }

    // A comment never closed leaves the rest of the file to it: the compiler stops there.
    void NoteCommentRunningToTheEnd() {
        if (openComment_.line == 0) {
            return;
        }
        ReadFinding finding{ReadFinding::Kind::CommentRunsOn};
        finding.line = openComment_.line;
        finding.column = openComment_.column;
        finding.severity = Severity::Error;
        contents_.findings.push_back(std::move(finding));
        openComment_ = {};
    }

    void NoteFieldLines() {
        std::vector<std::pair<std::string_view, int>>& fields = contents_.lines.fields;
        for (std::size_t row = 0; row < kRowCount; ++row) {
            if (rowLines_[row] == 0) {
                continue;
            }
            const std::string_view name = FieldNameOfRow(row);
            const auto known =
                std::find_if(fields.begin(), fields.end(),
                             [name](const auto& field) { return field.first == name; });
            if (known == fields.end()) {
                fields.emplace_back(name, rowLines_[row]);
            } else {
                known->second = std::max(known->second, rowLines_[row]);
            }
        }
    }

    // Names beyond the rows of the window's table are lost with the next save.
    void NoteNamesNotKept(NameTableId table, int rows) {
        const TableScan& scan = tableScans_[static_cast<std::size_t>(table)];
        if (scan.itemsFound > rows) {
            ReadFinding finding{ReadFinding::Kind::NamesNotKept, table, scan.firstLineBeyondRows};
            finding.count = scan.itemsFound - rows;
            contents_.findings.push_back(std::move(finding));
        }
    }

    void NoteItemsNotChecked(NameTableId table) {
        const TableScan& scan = tableScans_[static_cast<std::size_t>(table)];
        const int kept = static_cast<int>(kMaxEnumItems);
        if (scan.itemsFound > kept) {
            ReadFinding finding{ReadFinding::Kind::ItemsNotChecked, table,
                                scan.firstLineBeyondKept};
            finding.count = scan.itemsFound - kept;
            contents_.findings.push_back(std::move(finding));
        }
    }

    // Only a "//" or "#define" in the first column makes a comment or define line. The macros
    // of indented defines are noted all the same, since the compiler defines them.
    void ScanLine() {
        if (cursor_.LooksAt("//")) {
            ScanCommentLine();
            return;
        }
        if (const std::string_view macro = DefinedMacro(cursor_.Line()); !macro.empty()) {
            contents_.definedMacros.emplace_back(macro);
        }
        if (cursor_.LooksAt(kDefine)) {
            ScanDefineLine();
        } else {
            ScanRemainder(true);
        }
    }

    // Comment lines carry the tool's marker, the project name and the platform.
    void ScanCommentLine() {
        while (cursor_.LooksAt('/')) {
            cursor_.Advance(1);
        }
        cursor_.SkipBlanks();
        if (cursor_.LooksAt(kGeneratedMarker)) {
            contents_.generatedMarkerSeen = true;
            NoteTaken();
        } else if (cursor_.LooksAt(kProjectNameLabel)) {
            cursor_.Advance(kProjectNameLabel.size());
            cursor_.SkipBlanks();
            Record().PROJECT_NAME = std::string(cursor_.Rest());
            NoteTaken();
        } else if (cursor_.LooksAt(kPlatformLabel)) {
            cursor_.Advance(kPlatformLabel.size());
            ReadPlatform(cursor_.Rest());
        }
    }

    // The last platform whose name occurs wins; a line naming none changes nothing, and is
    // told.
    void ReadPlatform(std::string_view text) {
        bool named = false;
        for (int32_t platform = 1; platform < kPlatformPositions; ++platform) {
            if (Contains(text, PlatformHeaderName(platform))) {
                Record().PLATFORM = platform;
                NoteTaken();
                named = true;
            }
        }
        if (!named) {
            ReadFinding finding{ReadFinding::Kind::UnknownPlatform};
            finding.line = lineNumber_;
            const std::string_view name = TrimCBlanks(text);
            const std::size_t start =
                name.empty() ? cursor_.Position()
                             : static_cast<std::size_t>(name.data() - cursor_.Line().data());
            finding.column = RawColumn(start);
            finding.found = RawText(start, start + name.size());
            finding.kept = std::string(PlatformHeaderName(Record().PLATFORM));
            contents_.findings.push_back(std::move(finding));
        }
    }

    void ScanDefineLine() {
        cursor_.Advance(kDefine.size());
        cursor_.SkipToBlank();
        const std::string_view name = cursor_.ReadIdentifier();
        const std::size_t behindName = cursor_.Position();
        const std::string_view value = cursor_.ReadIdentifier();
        if (ApplyDefine(name, value, behindName)) {
            NoteTaken();
            PassOver(behindName);
        } else {
            ScanRemainder();
        }
    }

    // Sets the field of the first row whose name `name` contains; false when none does.
    bool ApplyDefine(std::string_view name, std::string_view value, std::size_t behindName) {
        if (!Contains(name, kCommonNamePart)) {
            return false;
        }
        for (std::size_t i = 0; i < kFlagRows.size(); ++i) {
            if (Contains(name, kFlagRows[i].name)) {
                Record().*kFlagRows[i].field = 1;
                return NoteRowLine(i);
            }
        }
        const std::string_view textBehindName = cursor_.Line().substr(behindName);
        for (std::size_t i = 0; i < kNumberRows.size(); ++i) {
            const NumberRow& row = kNumberRows[i];
            if (Contains(name, row.name)) {
                const int32_t number = LeadingNumber(value);
                Record().*row.field = StoredNumber(row.kind, number);
                CheckNumber(name, row.kind, number, behindName);
                return NoteRowLine(kFirstNumberRow + i);
            }
        }
        for (std::size_t i = 0; i < kTypeRows.size(); ++i) {
            if (Contains(name, kTypeRows[i].name)) {
                Record().*kTypeRows[i].field = std::string(DefinitionText(textBehindName));
                return NoteRowLine(kFirstTypeRow + i);
            }
        }
        return false;
    }

    // A value other than plain decimal digits ("0x10", "(5)", "010") reads as its leading digits
    // alone, and a size other than 1, 2 or 4 as no size: both are told.
    void CheckNumber(std::string_view name, NumberKind kind, int32_t number,
                     std::size_t behindName) {
        const std::string_view line = cursor_.Line();
        const std::string_view written = DefinitionText(line.substr(behindName));
        const bool plain = IsPlainDecimal(written);
        const bool sizeKnown = kind != NumberKind::Size || SizeIndexForBytes(number) > 0;
        if (plain && sizeKnown) {
            return;
        }
        ReadFinding finding{ReadFinding::Kind::ValueNotAsWritten};
        finding.line = lineNumber_;
        const std::size_t start =
            written.empty() ? behindName : static_cast<std::size_t>(written.data() - line.data());
        finding.column = RawColumn(start);
        finding.subject = std::string(name);
        finding.found = RawText(start, start + written.size());
        finding.kept = sizeKnown ? std::to_string(number) : "no size";
        contents_.findings.push_back(std::move(finding));
    }

    bool NoteRowLine(std::size_t row) {
        rowLines_[row] = lineNumber_;
        return true;
    }

    // Passes over text up to an enumeration header, reads that enumeration and goes on behind
    // its closing brace; the rest of a line without "enum" as its first word is ignored. On a
    // whole line, an enumeration of a table's tag behind another first word ("typedef enum")
    // is noted as skipped, since its names would be lost without a word.
    void ScanRemainder(bool wholeLine = false) {
        while (true) {
            cursor_.SkipBlanks();
            if (cursor_.LooksAt("/*") && !SkipBlockComment()) {
                return;
            }
            if (!Contains(cursor_.ReadIdentifier(), "enum")) {
                if (wholeLine) {
                    NoteSkippedEnumeration(cursor_.Rest());
                }
                PassOver(cursor_.Position());
                return;
            }
            if (!ScanEnumeration()) {
                return;
            }
        }
    }

    void NoteSkippedEnumeration(std::string_view rest) {
        for (std::size_t found = rest.find("enum"); found != std::string_view::npos;
             found = rest.find("enum", found + 1)) {
            LineCursor behindWord(rest.substr(found));
            behindWord.ReadIdentifier();
            if (const std::optional<NameTableId> table = TableForTag(behindWord.ReadIdentifier())) {
                contents_.findings.push_back(
                    {ReadFinding::Kind::SkippedEnumeration, *table, lineNumber_});
                return;
            }
        }
    }

    // Reads the tag, the opening brace and the body of an enumeration; false when the text
    // ends first.
    bool ScanEnumeration() {
        inEnumeration_ = true;
        const std::optional<NameTableId> table = TableForTag(cursor_.ReadIdentifier());
        if (table) {
            int& firstLine = *table == NameTableId::Bsems ? contents_.lines.bsemsEnumeration
                                                          : contents_.lines.stimersEnumeration;
            if (firstLine == 0) {
                firstLine = lineNumber_;
            }
        }
        previousItemOpen_ = false;
        const bool closed = FindOpeningBrace() && ScanItems(table);
        inEnumeration_ = false;
        return closed;
    }

    // The table an enumeration fills; none for a tag that matches neither list, whose items
    // are read and dropped.
    static std::optional<NameTableId> TableForTag(std::string_view tag) {
        const auto tagContains = [tag](std::string_view part) { return Contains(tag, part); };
        if (std::any_of(kBsemsTags.begin(), kBsemsTags.end(), tagContains)) {
            return NameTableId::Bsems;
        }
        if (std::any_of(kStimersTags.begin(), kStimersTags.end(), tagContains)) {
            return NameTableId::Stimers;
        }
        return std::nullopt;
    }

    // The brace may follow the tag, a block comment, or stand first on a later line; any other
    // text sends the search to the next line.
    bool FindOpeningBrace() {
        while (true) {
            cursor_.SkipBlanks();
            if (cursor_.LooksAt('{')) {
                cursor_.Advance(1);
                return true;
            }
            if (cursor_.LooksAt("/*")) {
                if (!SkipBlockComment()) {
                    return false;
                }
            } else {
                PassOver(cursor_.Position());
                if (!NextLine()) {
                    return false;
                }
            }
        }
    }

    // Reads items up to the closing brace and leaves the cursor behind the "};" pair. Every
    // turn of the loop takes a new line or moves forward in the current one.
    bool ScanItems(std::optional<NameTableId> table) {
        while (true) {
            cursor_.SkipBlanks();
            if (cursor_.AtEnd() || cursor_.LooksAt("//")) {
                // A line comment here belongs to no item.
                if (!NextLine()) {
                    return false;
                }
                cursor_.SkipBlanks();
                if (cursor_.LooksAt('}')) {
                    break;
                }
            } else if (cursor_.LooksAt("/*")) {
                if (!SkipBlockComment()) {
                    return false;
                }
            } else if (cursor_.LooksAt('}')) {
                break;
            } else {
                ReadItem(table);
            }
        }
        cursor_.Advance(2);
        return true;
    }

    // An identifier, possibly empty, then an optional comma and an optional line comment that
    // becomes the item's comment. Other text behind the identifier (an "= 5") is passed over,
    // and told.
    void ReadItem(std::optional<NameTableId> table) {
        const std::size_t start = cursor_.Position();
        const std::string_view identifier = cursor_.ReadIdentifier();
        SkipToItemEnd();
        const std::size_t end = cursor_.Position();
        const bool afterOpenItem = previousItemOpen_;
        previousItemOpen_ = !cursor_.LooksAt(',');
        if (!previousItemOpen_) {
            cursor_.Advance(1);
            cursor_.SkipBlanks();
        }
        std::string_view comment;
        std::size_t commentStart = 0;
        if (cursor_.LooksAt("//")) {
            cursor_.Advance(2);
            cursor_.SkipBlanks();
            commentStart = cursor_.Position();
            comment = cursor_.Rest();
            cursor_.SkipToEnd();
        }
        if (!table) {
            return;
        }
        // A name that compilers take whole, with '$' or letters beyond ASCII, is kept whole:
        // cut at its first such byte, it would read as another name.
        const std::string written = RawText(start, end);
        const EnumItemReading reading = ReadEnumItem(written);
        const std::string_view kept =
            reading.verdict == EnumItemReading::Verdict::Rejected ? identifier : reading.name;
        const ItemPlace place{lineNumber_, RawColumn(start),
                              commentStart == 0 ? 0 : RawColumn(commentStart)};
        if (KeepItem(*table, kept, comment, place)) {
            if (!comment.empty()) {
                itemCommentLine_ = lineNumber_;  // the name checks judge it
            }
            TakeDroppedBytes(start, end);
            CheckItem(*table, kept, TrimCBlanks(written), reading.verdict, start, afterOpenItem);
        }
    }

    // Whether the item as written is the name kept: anything more, an empty item or a comma
    // missing before it is told, as an error when it stops the build. A comma that an item
    // before left out, standing alone, is that item's to the compiler.
    void CheckItem(NameTableId table, std::string_view kept, std::string_view written,
                   EnumItemReading::Verdict verdict, std::size_t start, bool afterOpenItem) {
        ReadFinding finding{ReadFinding::Kind::ItemNotAsWritten, table, lineNumber_};
        finding.column = RawColumn(start);
        finding.entry = static_cast<int>(Items(table).size()) - 1;
        finding.found = std::string(written);
        finding.kept = std::string(kept);
        if (written.empty()) {
            finding.severity = afterOpenItem ? Severity::Warning : Severity::Error;
        } else if (afterOpenItem) {
            finding.kind = ReadFinding::Kind::MissingComma;
            finding.severity = Severity::Error;
        } else if (written == kept) {
            return;  // read as written; the name checks judge the name itself
        } else {
            finding.severity =
                verdict == EnumItemReading::Verdict::Rejected ? Severity::Error : Severity::Warning;
        }
        contents_.findings.push_back(std::move(finding));
    }

    std::vector<NameEntry>& Items(NameTableId table) {
        return table == NameTableId::Bsems ? contents_.bsems : contents_.stimers;
    }

    // Counts the item and keeps it while the table has room; false when it was only counted.
    bool KeepItem(NameTableId table, std::string_view identifier, std::string_view comment,
                  const ItemPlace& place) {
        TableScan& scan = tableScans_[static_cast<std::size_t>(table)];
        ++scan.itemsFound;
        if (scan.itemsFound == NameTableRows(table) + 1) {
            scan.firstLineBeyondRows = lineNumber_;
        }
        std::vector<NameEntry>& items = Items(table);
        if (items.size() >= kMaxEnumItems) {
            if (scan.firstLineBeyondKept == 0) {
                scan.firstLineBeyondKept = lineNumber_;
            }
            return false;
        }
        items.push_back({std::string(identifier), std::string(comment)});
        (table == NameTableId::Bsems ? contents_.lines.bsemsItems : contents_.lines.stimersItems)
            .push_back(place);
        NoteTaken();
        return true;
    }

    void SkipToItemEnd() {
        while (!cursor_.AtEnd() && !cursor_.LooksAt(',') && !cursor_.LooksAt('}') &&
               !cursor_.LooksAt("//") && !cursor_.LooksAt("/*")) {
            cursor_.Advance(1);
        }
    }

    // Called at a "/*": moves behind the next "*/", on this line or a later one. A define
    // inside the comment is not read.
    bool SkipBlockComment() {
        cursor_.Advance(2);
        while (!cursor_.SkipPast("*/")) {
            if (!NextLine()) {
                return false;
            }
        }
        return true;
    }

    LineSource& lines_;
    LineCursor cursor_;
    int lineNumber_ = 0;
    std::vector<LineSource::DroppedByte> lineDropped_;  // from the current line
    std::vector<bool> droppedTold_;                     // beside it: told with an item
    OpenComment openComment_;
    CompilerComments compilerComments_;
    int itemCommentLine_ = 0;        // the last line with an item's comment
    int commentTakingTold_ = 0;      // the line of the last comment told of taking a line
    bool inEnumeration_ = false;     // from an enumeration's "enum" to its closing brace
    bool previousItemOpen_ = false;  // the item last read had no comma behind it
    int lastTextLine_ = 0;           // the last line holding more than blanks
    bool endsWithClosingEndif_ = false;
    int conditionalDepth_ = 0;
    std::array<int, kRowCount> rowLines_{};
    std::array<TableScan, 2> tableScans_{};
    HeaderContents contents_;
};

// Names the backup, when it is there, where a finding about the header concerns it: one that
// ends early, or one that has gone.
void NameTheBackup(HeaderReadResult& read) {
    for (ReadFinding& finding : read.contents.findings) {
        const bool concernsBackup =
            (finding.kind == ReadFinding::Kind::EndsEarly ||
             finding.kind == ReadFinding::Kind::Missing) &&
            RegularFile(BackupOfHeader(read.path)).OpenStatus() == RegularFile::Status::Opened;
        if (concernsBackup) {
            finding.backupPath = BackupOfHeader(read.path);
        }
    }
}

ReadFinding::Kind FindingFor(RegularFile::Status status) {
    switch (status) {
        case RegularFile::Status::NotRegular:
            return ReadFinding::Kind::NotRegularFile;
        case RegularFile::Status::NotReadable:
            return ReadFinding::Kind::NotReadable;
        case RegularFile::Status::Missing:
        case RegularFile::Status::Opened:
            break;
    }
    return ReadFinding::Kind::Missing;
}

}  // namespace

bool ReadFinding::operator==(const ReadFinding& other) const {
    return std::tie(kind, table, line, column, count, entry, severity, subject, found, kept,
                    backupPath) == std::tie(other.kind, other.table, other.line, other.column,
                                            other.count, other.entry, other.severity, other.subject,
                                            other.found, other.kept, other.backupPath);
}

HeaderContents ParseHeader(std::string_view text) {
    LineSource lines(text);
    return HeaderScanner(lines).Scan();
}

int SourceLines::FieldLine(std::string_view fieldName) const {
    for (const auto& [name, line] : fields) {
        if (name == fieldName) {
            return line;
        }
    }
    return 0;
}

HeaderReadResult ReadHeaderFile(std::string path) {
    HeaderReadResult read = ReadHeaderFileAt(HeaderPathFor(std::move(path)));
    NameTheBackup(read);
    return read;
}

HeaderReadResult ReadHeaderFileAt(std::string filePath) {
    HeaderReadResult result;
    result.path = std::move(filePath);
    // Read-only is enough: a file that cannot be written is still shown, and the save reports
    // it. A pipe or device is never read, so reading always comes to an end.
    RegularFile file(result.path);
    if (file.OpenStatus() != RegularFile::Status::Opened) {
        result.contents.findings.push_back({FindingFor(file.OpenStatus())});
        return result;
    }
    LineSource lines([&file](char* into, std::size_t most) { return file.Read(into, most); });
    result.contents = HeaderScanner(lines).Scan();
    result.opened = true;
    return result;
}

HeaderContents ReadHeaderStream(std::istream& in) {
    LineSource lines([&in](char* into, std::size_t most) {
        in.read(into, static_cast<std::streamsize>(most));
        return static_cast<std::size_t>(in.gcount());
    });
    return HeaderScanner(lines).Scan();
}

}  // namespace zurcfg
