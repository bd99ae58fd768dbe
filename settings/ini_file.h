#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zurcfg {

// A settings file in the Windows INI format, read and written the way the Windows
// private-profile functions do, so that one file can move between Windows and Linux machines.
// Section and key names match in any letter case. Everything the program does not write
// (comments, blank lines, foreign sections and keys, the byte-order mark) is kept byte for byte.
class IniFile {
public:
    // The longest text a read delivers; longer values are cut.
    static constexpr std::size_t kMaxTextLength = 4095;

    // The file whose content is bytes. Lines end with CR LF, LF or a lone CR.
    explicit IniFile(std::string_view bytes = {});

    // The file at path: empty when nothing is there; nullopt when something is there that
    // cannot be read as a file (no permission, a folder, a FIFO or a device).
    static std::optional<IniFile> Read(const std::string& path);

    // The file at path; a missing or unreadable file reads as an empty one.
    static IniFile Load(const std::string& path);

    // The value of key in section: blanks around it and one matching outer pair of quotes
    // removed, cut to kMaxTextLength. fallback when the section or the key is absent.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view fallback) const;

    // The value read as an integer: an optional sign, then decimal digits, or "0x" and
    // hexadecimal digits, up to the first other character; wraps modulo 2^32. No digits give 0;
    // fallback when the section or the key is absent or the value is empty.
    int32_t ReadInt(std::string_view section, std::string_view key, int32_t fallback) const;

    // Sets key in section to value, as the line key=value. An existing key keeps its line and
    // its spelling; a new key follows the last key of its section; a new section goes at the
    // end. A value stops at its first line break, which would end the line in the file.
    void WriteText(std::string_view section, std::string_view key, std::string_view value);

    // The content as it would be saved.
    std::string Bytes() const;

    // Replaces the file at path with Bytes() atomically. False when that failed; the file at
    // path is then left as it was.
    bool Save(const std::string& path) const;

private:
    enum class LineKind { kOther, kSectionHeader, kKey };

    // A line; or a run of lines that hold no header and no key, kept as one.
    struct Line {
        std::string bytes;            // the line with its line break
        std::size_t breakLength = 0;  // 2 for CR LF, 1 for LF or CR, 0 on a last line without one
        LineKind kind = LineKind::kOther;
        // The section or key name, blanks removed, as spelt in the file.
        std::size_t nameBegin = 0;
        std::size_t nameLength = 0;

        std::string_view Text() const {
            return std::string_view(bytes).substr(0, bytes.size() - breakLength);
        }
        std::string_view Name() const {
            return std::string_view(bytes).substr(nameBegin, nameLength);
        }
    };

    // A section header with the lines up to the next one. The first section holds the lines
    // before the first header and is never looked up.
    using Section = std::vector<Line>;

    static Line ParseLine(std::string_view text, std::string_view lineBreak);
    void AddLine(Line line);
    static constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

    template <typename Lines>
    static auto FindKeyLine(Lines& lines, std::string_view key);
    std::size_t SectionIndex(std::string_view name) const;
    const Line* FindKey(std::string_view section, std::string_view key) const;
    static void EndLine(Line& line);
    void EndLastLine();

    std::string byteOrderMark_;
    std::vector<Section> sections_;
    // The first section of each name, by its lower-case name.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
};

}  // namespace zurcfg
