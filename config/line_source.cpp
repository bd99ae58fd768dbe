#include "config/line_source.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace zurcfg {

namespace {

bool IsDropped(char c) {
    return static_cast<unsigned char>(c) < 32 && c != '\t';
}

bool HasByteBelow32(uint64_t word) {
    constexpr uint64_t kEachByte = 0x0101010101010101;
    return ((word - kEachByte * 32) & ~word & (kEachByte * 0x80)) != 0;
}

std::string_view WithoutFinalCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

LineSource::LineSource(std::string_view text) : chunk_(text) {}

LineSource::LineSource(ChunkReader read, std::size_t chunkBytes)
    : read_(std::move(read)), buffer_(std::max<std::size_t>(chunkBytes, 1), '\0') {}

std::optional<std::string_view> LineSource::Next() {
    // A line that lies within the current chunk is handed out in place; one that runs over the
    // end of a chunk is gathered.
    gathered_.clear();
    bool spansChunks = false;
    while (true) {
        const LineEnd lineEnd = FindLineEnd();
        if (lineEnd.position != std::string_view::npos) {
            const std::string_view line = chunk_.substr(next_, lineEnd.position - next_);
            next_ = lineEnd.position + 1;
            if (spansChunks) {
                gathered_.append(line);
                return Cleaned(gathered_);
            }
            const std::string_view kept = WithoutFinalCarriageReturn(line);
            return lineEnd.holdsDroppedByte ? Clean(kept) : kept;
        }
        gathered_.append(chunk_.substr(next_));
        if (!Refill()) {
            if (gathered_.empty()) {
                return std::nullopt;
            }
            return Cleaned(gathered_);
        }
        spansChunks = true;
    }
}

// One pass finds both the line feed and the bytes to drop. It looks at eight bytes at a time,
// since most words of a header hold no byte below 32 at all.
LineSource::LineEnd LineSource::FindLineEnd() const {
    bool dropped = false;
    std::size_t word = next_;
    for (; word + sizeof(uint64_t) <= chunk_.size(); word += sizeof(uint64_t)) {
        uint64_t bytes;
        std::memcpy(&bytes, chunk_.data() + word, sizeof bytes);
        if (!HasByteBelow32(bytes)) {
            continue;
        }
        for (std::size_t at = word; at < word + sizeof(uint64_t); ++at) {
            if (NoteByte(at, dropped)) {
                return {at, dropped};
            }
        }
    }
    for (std::size_t at = word; at < chunk_.size(); ++at) {
        if (NoteByte(at, dropped)) {
            return {at, dropped};
        }
    }
    return {std::string_view::npos, dropped};
}

// True at a line feed; else notes whether the byte is to be dropped. A carriage return right
// before the line feed is not: the line is handed out without it.
bool LineSource::NoteByte(std::size_t at, bool& dropped) const {
    const char c = chunk_[at];
    if (c == '\n') {
        return true;
    }
    const bool endsLine = c == '\r' && at + 1 < chunk_.size() && chunk_[at + 1] == '\n';
    dropped = dropped || (IsDropped(c) && !endsLine);
    return false;
}

bool LineSource::Refill() {
    next_ = 0;
    chunk_ = {};
    if (!read_) {
        return false;
    }
    chunk_ = std::string_view(buffer_.data(), read_(buffer_.data(), buffer_.size()));
    return !chunk_.empty();
}

// For the rare line gathered over chunks, which is looked through once more.
std::string_view LineSource::Cleaned(std::string_view line) {
    const std::string_view kept = WithoutFinalCarriageReturn(line);
    return std::any_of(kept.begin(), kept.end(), IsDropped) ? Clean(kept) : kept;
}

std::string_view LineSource::Clean(std::string_view line) {
    cleaned_.clear();
    std::copy_if(line.begin(), line.end(), std::back_inserter(cleaned_),
                 [](char c) { return !IsDropped(c); });
    return cleaned_;
}

}  // namespace zurcfg
