#include "config/header_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <utility>

#include "config/header_path.h"
#include "config/header_writer.h"
#include "config/line_source.h"
#include "config/option_lists.h"

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

// A message type runs up to a line comment, else up to a block comment, else to the end of the
// line, less trailing blanks; it may hold several words and punctuation ("unsigned char *").
std::string_view MessageTypeText(std::string_view text) {
    std::size_t end = text.find("//");
    if (end == std::string_view::npos) {
        end = text.find("/*");
    }
    text = text.substr(0, end);
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A position in one line with the small steps the scanner is built from. No step moves past
// the end of the line.
class LineCursor {
public:
    LineCursor() = default;
    explicit LineCursor(std::string_view line) : line_(line) {}

    bool AtEnd() const { return position_ >= line_.size(); }
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
        return std::move(contents_);
    }

private:
    Configuration& Record() { return contents_.configuration; }

    bool NextLine() {
        const std::optional<std::string_view> line = lines_.Next();
        if (!line) {
            return false;
        }
        cursor_ = LineCursor(*line);
        return true;
    }

    // Only a "//" or "#define" in the first column makes a comment or define line.
    void ScanLine() {
        if (cursor_.LooksAt("//")) {
            ScanCommentLine();
        } else if (cursor_.LooksAt(kDefine)) {
            ScanDefineLine();
        } else {
            ScanRemainder();
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
        } else if (cursor_.LooksAt(kProjectNameLabel)) {
            cursor_.Advance(kProjectNameLabel.size());
            cursor_.SkipBlanks();
            Record().PROJECT_NAME = std::string(cursor_.Rest());
        } else if (cursor_.LooksAt(kPlatformLabel)) {
            cursor_.Advance(kPlatformLabel.size());
            ReadPlatform(cursor_.Rest());
        }
    }

    // The last platform whose name occurs wins; a line naming none changes nothing.
    void ReadPlatform(std::string_view text) {
        for (int32_t platform = 1; platform < kPlatformPositions; ++platform) {
            if (Contains(text, PlatformHeaderName(platform))) {
                Record().PLATFORM = platform;
            }
        }
    }

    void ScanDefineLine() {
        cursor_.Advance(kDefine.size());
        cursor_.SkipToBlank();
        const std::string_view name = cursor_.ReadIdentifier();
        const std::string_view textBehindName = cursor_.Rest();
        const std::string_view value = cursor_.ReadIdentifier();
        if (!ApplyDefine(name, value, textBehindName)) {
            ScanRemainder();
        }
    }

    // Sets the field of the first row whose name `name` contains; false when none does.
    bool ApplyDefine(std::string_view name, std::string_view value,
                     std::string_view textBehindName) {
        if (!Contains(name, kCommonNamePart)) {
            return false;
        }
        for (const FlagRow& row : kFlagRows) {
            if (Contains(name, row.name)) {
                Record().*row.field = 1;
                return true;
            }
        }
        for (const NumberRow& row : kNumberRows) {
            if (Contains(name, row.name)) {
                Record().*row.field = StoredNumber(row.kind, LeadingNumber(value));
                return true;
            }
        }
        for (const TypeRow& row : kTypeRows) {
            if (Contains(name, row.name)) {
                Record().*row.field = std::string(MessageTypeText(textBehindName));
                return true;
            }
        }
        return false;
    }

    // Passes over text up to an enumeration header, reads that enumeration and goes on behind
    // its closing brace; the rest of a line without "enum" as its first word is ignored.
    void ScanRemainder() {
        while (true) {
            cursor_.SkipBlanks();
            if (cursor_.LooksAt("/*") && !SkipBlockComment()) {
                return;
            }
            if (!Contains(cursor_.ReadIdentifier(), "enum") || !ScanEnumeration()) {
                return;
            }
        }
    }

    // Reads the tag, the opening brace and the body of an enumeration; false when the text
    // ends first.
    bool ScanEnumeration() {
        std::vector<NameEntry>* table = TableForTag(cursor_.ReadIdentifier());
        return FindOpeningBrace() && ScanItems(table);
    }

    // The table an enumeration fills; none for a tag that matches neither list, whose items
    // are read and dropped.
    std::vector<NameEntry>* TableForTag(std::string_view tag) {
        const auto tagContains = [tag](std::string_view part) { return Contains(tag, part); };
        if (std::any_of(kBsemsTags.begin(), kBsemsTags.end(), tagContains)) {
            return &contents_.bsems;
        }
        if (std::any_of(kStimersTags.begin(), kStimersTags.end(), tagContains)) {
            return &contents_.stimers;
        }
        return nullptr;
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
            } else if (!NextLine()) {
                return false;
            }
        }
    }

    // Reads items up to the closing brace and leaves the cursor behind the "};" pair. Every
    // turn of the loop takes a new line or moves forward in the current one.
    bool ScanItems(std::vector<NameEntry>* table) {
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
    // becomes the item's comment. Other text behind the identifier (an "= 5") is passed over.
    void ReadItem(std::vector<NameEntry>* table) {
        const std::string_view identifier = cursor_.ReadIdentifier();
        SkipToItemEnd();
        if (cursor_.LooksAt(',')) {
            cursor_.Advance(1);
            cursor_.SkipBlanks();
        }
        std::string_view comment;
        if (cursor_.LooksAt("//")) {
            cursor_.Advance(2);
            cursor_.SkipBlanks();
            comment = cursor_.Rest();
            cursor_.SkipToEnd();
        }
        if (table != nullptr && table->size() < kMaxEnumItems) {
            table->push_back({std::string(identifier), std::string(comment)});
        }
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
    HeaderContents contents_;
};

Message MissingFileMessage(const std::string& path) {
    return {"File " + path + " does not exist.\nIt will be created after saving.", "Error",
            Buttons::Ok, Icon::Information};
}

Message ForeignFileMessage() {
    return {
        "This file was not created by this tool.\nSome parameters may be wrong.\n\nIn "
        "addition all extra data (user's definitions and comments)\nwill be lost after "
        "saving.",
        "Warning", Buttons::Ok, Icon::Exclamation};
}

}  // namespace

HeaderContents ParseHeader(std::string_view text) {
    LineSource lines(text);
    return HeaderScanner(lines).Scan();
}

HeaderReadResult ReadHeader(std::string path, Prompter& prompter) {
    HeaderReadResult result;
    result.path = HeaderPathFor(std::move(path));
    // Opened for updating as well, so that a write-protected file counts as missing: it could
    // not be saved back. A folder fails here too.
    std::fstream file(result.path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file.is_open()) {
        prompter.Ask(MissingFileMessage(result.path));
        return result;
    }
    LineSource lines(file);
    result.contents = HeaderScanner(lines).Scan();
    file.close();
    result.opened = true;
    if (!result.contents.generatedMarkerSeen) {
        prompter.Ask(ForeignFileMessage());
    }
    return result;
}

}  // namespace zurcfg
