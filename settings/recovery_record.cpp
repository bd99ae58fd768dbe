#include "settings/recovery_record.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <map>
#include <type_traits>

namespace zurcfg {

namespace {

constexpr std::string_view kFirstLine = "ZURcfg_Tool unsaved work 1";
constexpr std::string_view kLastLine = "end";
constexpr char kPathKey[] = "path";
constexpr char kCommentSuffix[] = " comment";

// Visits every field of the record with its macro name, in record order.
template <typename Record, typename Visit>
void VisitFields(Record& configuration, Visit&& visit) {
    const auto visitAll = [&](const auto& fields) {
        for (const auto& field : fields) {
            visit(field.name, configuration.*field.member);
        }
    };
    visitAll(kCountFields);
    visitAll(kServiceSwitchFields);
    visitAll(kInterruptSwitchFields);
    visitAll(kBankFields);
    visitAll(kSizeFields);
    visitAll(kMessageTypeFields);
    visit("PLATFORM", configuration.PLATFORM);
    visit("PROJECT_NAME", configuration.PROJECT_NAME);
}

// The key of a row's identifier, "BSEMS 12"; its comment's adds " comment".
std::string RowKey(NameTableId table, std::size_t row) {
    return NameTableName(table) + (' ' + std::to_string(row));
}

std::string Escaped(std::string_view value) {
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            text += "\\x";
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xf];
        } else {
            text += c;
        }
    }
    return text;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string value;
    value.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\\') {
            value += text[at];
            continue;
        }
        if (++at == text.size()) {
            return std::nullopt;
        }
        if (text[at] == '\\') {
            value += '\\';
        } else if (text[at] == 'n') {
            value += '\n';
        } else if (text[at] == 'r') {
            value += '\r';
        } else if (text[at] == 'x' && at + 2 < text.size()) {
            unsigned byte = 0;
            const char* digits = text.data() + at + 1;
            if (std::from_chars(digits, digits + 2, byte, 16).ptr != digits + 2) {
                return std::nullopt;
            }
            value += static_cast<char>(byte);
            at += 2;
        } else {
            return std::nullopt;
        }
    }
    return value;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& number) {
    std::int64_t parsed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (error != std::errc() || stop != end || parsed < std::numeric_limits<Number>::min() ||
        parsed > std::numeric_limits<Number>::max()) {
        return false;
    }
    number = static_cast<Number>(parsed);
    return true;
}

// The unescaped value of each "key=value" line between the first and the last line.
std::optional<std::map<std::string, std::string, std::less<>>> ReadValues(std::string_view text) {
    if (text.substr(0, kFirstLine.size()) != kFirstLine || text.size() <= kFirstLine.size() ||
        text[kFirstLine.size()] != '\n') {
        return std::nullopt;
    }
    std::map<std::string, std::string, std::less<>> values;
    std::size_t from = kFirstLine.size() + 1;
    for (std::size_t end; (end = text.find('\n', from)) != std::string_view::npos; from = end + 1) {
        const std::string_view line = text.substr(from, end - from);
        if (line == kLastLine) {
            if (end + 1 != text.size()) {
                return std::nullopt;
            }
            return values;
        }
        const std::size_t equals = line.find('=');
        std::optional<std::string> value =
            equals == std::string_view::npos ? std::nullopt : Unescaped(line.substr(equals + 1));
        if (!value) {
            return std::nullopt;
        }
        values.insert_or_assign(std::string(line.substr(0, equals)), std::move(*value));
    }
    return std::nullopt;  // the last line is missing: the record was cut short
}

void FormatRows(std::string& text, NameTableId table, const std::vector<NameEntry>& rows) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string key = RowKey(table, row);
        if (!rows[row].identifier.empty()) {
            text += key + '=' + Escaped(rows[row].identifier) + '\n';
        }
        if (!rows[row].comment.empty()) {
            text += key + kCommentSuffix + '=' + Escaped(rows[row].comment) + '\n';
        }
    }
}

template <typename Values>
void ParseRows(const Values& values, NameTableId table, std::vector<NameEntry>& rows) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string key = RowKey(table, row);
        if (const auto identifier = values.find(key); identifier != values.end()) {
            rows[row].identifier = identifier->second;
        }
        if (const auto comment = values.find(key + kCommentSuffix); comment != values.end()) {
            rows[row].comment = comment->second;
        }
    }
}

}  // namespace

std::string FormatRecoveryRecord(const Document& document) {
    std::string text(kFirstLine);
    text += '\n';
    text += kPathKey + ('=' + Escaped(document.path)) + '\n';
    VisitFields(document.configuration, [&text](const char* name, const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
            text += name + ('=' + Escaped(value)) + '\n';
        } else {
            text += name + ('=' + std::to_string(value)) + '\n';
        }
    });
    FormatRows(text, NameTableId::Bsems, document.bsems);
    FormatRows(text, NameTableId::Stimers, document.stimers);
    text += kLastLine;
    text += '\n';
    return text;
}

std::optional<Document> ParseRecoveryRecord(std::string_view text) {
    const auto values = ReadValues(text);
    if (!values) {
        return std::nullopt;
    }
    Document document;
    const auto path = values->find(kPathKey);
    bool complete = path != values->end();
    if (complete) {
        document.path = path->second;
    }
    VisitFields(document.configuration, [&](const char* name, auto& field) {
        const auto value = values->find(name);
        if (value == values->end()) {
            complete = false;
        } else if constexpr (std::is_same_v<std::decay_t<decltype(field)>, std::string>) {
            field = value->second;
        } else {
            complete = complete && ParseNumber(value->second, field);
        }
    });
    if (!complete) {
        return std::nullopt;
    }
    ParseRows(*values, NameTableId::Bsems, document.bsems);
    ParseRows(*values, NameTableId::Stimers, document.stimers);
    return document;
}

}  // namespace zurcfg
