#include "settings/ini_file.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "config/ascii_text.h"
#include "config/regular_file.h"
#include "settings/atomic_file.h"

namespace zurcfg {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kWrittenLineBreak = "\r\n";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view text) {
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    return quoted ? text.substr(1, text.size() - 2) : text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

// The value part of a key line: what follows the first "=", blanks and quotes removed.
std::string_view ValueOf(std::string_view keyLine) {
    return Unquote(Trim(keyLine.substr(keyLine.find('=') + 1)));
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = AsciiLower(c);
    return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
}

// Reads a value, blanks already removed, as the Windows profile functions read integers: sign,
// then decimal or "0x" hexadecimal digits up to the first other character, wrapping modulo 2^32.
int32_t ParseProfileInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    uint32_t base = 10;
    if (text.size() >= 2 && text[0] == '0' && AsciiLower(text[1]) == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    uint32_t magnitude = 0;
    for (char c : text) {
        const int digit = DigitValue(c);
        if (digit < 0 || static_cast<uint32_t>(digit) >= base) {
            break;
        }
        magnitude = magnitude * base + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

}  // namespace

template <typename Lines>
auto IniFile::FindKeyLine(Lines& lines, std::string_view key) {
    return std::find_if(lines.begin(), lines.end(), [key](const Line& line) {
        return line.kind == LineKind::kKey && EqualIgnoringCase(line.Name(), key);
    });
}

IniFile::IniFile(std::string_view bytes) {
    sections_.emplace_back();
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        byteOrderMark_ = kByteOrderMark;
        bytes.remove_prefix(kByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const auto end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        std::size_t breakLength = end < bytes.size() ? 1 : 0;
        if (bytes.substr(end, 2) == "\r\n") {
            breakLength = 2;
        }
        AddLine(ParseLine(bytes.substr(0, end), bytes.substr(end, breakLength)));
        bytes.remove_prefix(end + breakLength);
    }
}

// One open file is read to its end, so that a file replaced meanwhile is read whole, old or new,
// never part of each. Only a regular file is opened: a FIFO would wait for a writer, a device
// may never end.
std::optional<IniFile> IniFile::Read(const std::string& path) {
    RegularFile file(path);
    switch (file.OpenStatus()) {
        case RegularFile::Status::Missing:
            return IniFile();
        case RegularFile::Status::NotRegular:
        case RegularFile::Status::NotReadable:
            return std::nullopt;
        case RegularFile::Status::Opened:
            break;
    }
    std::string bytes;
    std::array<char, 16 * 1024> piece;
    while (const std::size_t got = file.Read(piece.data(), piece.size())) {
        bytes.append(piece.data(), got);
    }
    return IniFile(bytes);
}

IniFile IniFile::Load(const std::string& path) {
    return Read(path).value_or(IniFile());
}

IniFile::Line IniFile::ParseLine(std::string_view text, std::string_view lineBreak) {
    Line line;
    line.bytes.reserve(text.size() + lineBreak.size());
    line.bytes.append(text).append(lineBreak);
    line.breakLength = lineBreak.size();
    const std::string_view content = Trim(text);
    if (content.empty() || content.front() == ';') {
        return line;
    }
    std::string_view name = content.substr(0, 0);
    if (content.front() == '[') {
        // The name ends at the first "]"; a header without one names the rest of the line.
        line.kind = LineKind::kSectionHeader;
        name = Trim(content.substr(1, content.find(']') - 1));
    } else if (const auto equals = text.find('='); equals != std::string_view::npos) {
        line.kind = LineKind::kKey;
        name = Trim(text.substr(0, equals));
    }
    line.nameBegin = static_cast<std::size_t>(name.data() - text.data());
    line.nameLength = name.size();
    return line;
}

void IniFile::AddLine(Line line) {
    if (line.kind == LineKind::kSectionHeader) {
        sectionIndex_.try_emplace(AsciiLower(line.Name()), sections_.size());
        sections_.emplace_back();
    }
    Section& lines = sections_.back();
    // Lines that hold no header and no key are only ever copied, so a run of them is kept as
    // one; a file of blank lines then costs no more than its bytes.
    if (line.kind == LineKind::kOther && !lines.empty() && lines.back().kind == LineKind::kOther) {
        lines.back().bytes += line.bytes;
        lines.back().breakLength = line.breakLength;
        return;
    }
    lines.push_back(std::move(line));
}

std::size_t IniFile::SectionIndex(std::string_view name) const {
    const auto found = sectionIndex_.find(AsciiLower(name));
    return found == sectionIndex_.end() ? kNoSection : found->second;
}

const IniFile::Line* IniFile::FindKey(std::string_view section, std::string_view key) const {
    const std::size_t index = SectionIndex(section);
    if (index == kNoSection) {
        return nullptr;
    }
    const Section& lines = sections_[index];
    const auto found = FindKeyLine(lines, key);
    return found == lines.end() ? nullptr : &*found;
}

std::string IniFile::ReadText(std::string_view section, std::string_view key,
                              std::string_view fallback) const {
    const Line* line = FindKey(section, key);
    if (line == nullptr) {
        return std::string(fallback);
    }
    return std::string(ValueOf(line->Text()).substr(0, kMaxTextLength));
}

int32_t IniFile::ReadInt(std::string_view section, std::string_view key, int32_t fallback) const {
    const std::string value = ReadText(section, key, "");
    return value.empty() ? fallback : ParseProfileInt(value);
}

void IniFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    std::size_t index = SectionIndex(section);
    if (index == kNoSection) {
        EndLastLine();
        index = sections_.size();
        AddLine(ParseLine("[" + std::string(section) + "]", kWrittenLineBreak));
    }
    Section& lines = sections_[index];
    const auto keyLine = FindKeyLine(lines, key);
    if (keyLine != lines.end()) {
        *keyLine =
            ParseLine(std::string(keyLine->Name()) + "=" + std::string(value), kWrittenLineBreak);
        return;
    }
    // After the last key line, or after the header when the section has no keys yet.
    const auto lastKey = std::find_if(lines.rbegin(), lines.rend(),
                                      [](const Line& line) { return line.kind == LineKind::kKey; });
    const auto previous = lastKey == lines.rend() ? lines.begin() : std::prev(lastKey.base());
    EndLine(*previous);
    lines.insert(std::next(previous),
                 ParseLine(std::string(key) + "=" + std::string(value), kWrittenLineBreak));
}

// Gives the file's last line a line break, so that a line added behind it starts a line.
void IniFile::EndLastLine() {
    const auto filled = std::find_if(sections_.rbegin(), sections_.rend(),
                                     [](const Section& lines) { return !lines.empty(); });
    if (filled != sections_.rend()) {
        EndLine(filled->back());
    }
}

void IniFile::EndLine(Line& line) {
    if (line.breakLength == 0) {
        line.bytes += kWrittenLineBreak;
        line.breakLength = kWrittenLineBreak.size();
    }
}

std::string IniFile::Bytes() const {
    std::string bytes = byteOrderMark_;
    for (const Section& lines : sections_) {
        for (const Line& line : lines) {
            bytes += line.bytes;
        }
    }
    return bytes;
}

bool IniFile::Save(const std::string& path) const {
    return ReplaceFileAtomically(path, Bytes());
}

}  // namespace zurcfg
