#include "config/line_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zurcfg {

namespace {

bool IsDropped(char c) {
    return static_cast<unsigned char>(c) < 32 && c != '\t';
}

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

bool HasByteBelow32(uint64_t word) {
    constexpr uint64_t kEachByte = 0x0101010101010101;
    return ((word - kEachByte * 32) & ~word & (kEachByte * 0x80)) != 0;
}

}  // namespace

LineSource::LineSource(std::string_view text) : chunk_(text) {}

LineSource::LineSource(ChunkReader read, std::size_t chunkBytes)
    : read_(std::move(read)),
      buffer_(new char[std::max<std::size_t>(chunkBytes, 1)]),
      bufferBytes_(std::max<std::size_t>(chunkBytes, 1)) {}

std::optional<std::string_view> LineSource::Next() {
    // A line that lies within the current chunk is handed out in place; one that runs over the
    // end of a chunk is gathered.
    gathered_.clear();
    dropped_.clear();
    bool spansChunks = false;
    while (true) {
        const LineEnd lineEnd = FindLineEnd();
        if (lineEnd.position != std::string_view::npos) {
            const std::string_view line = chunk_.substr(next_, lineEnd.position - next_);
            next_ = PassLineBreak(lineEnd.position);
            if (spansChunks) {
                gathered_.append(line);
                return Cleaned(gathered_);
            }
            return lineEnd.holdsDroppedByte ? Clean(line) : line;
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

// One pass finds both the line break and the bytes to drop. It looks at eight bytes at a time,
// since most words of a header hold no byte below 32 at all.
LineSource::LineEnd LineSource::FindLineEnd() const {
    bool dropped = false;
    const auto lookAt = [&](std::size_t at) {
        const char c = chunk_[at];
        dropped = dropped || (IsDropped(c) && !IsLineBreak(c));
        return IsLineBreak(c);
    };
    std::size_t word = next_;
    for (; word + sizeof(uint64_t) <= chunk_.size(); word += sizeof(uint64_t)) {
        uint64_t bytes;
        std::memcpy(&bytes, chunk_.data() + word, sizeof bytes);
        if (!HasByteBelow32(bytes)) {
            continue;
        }
        for (std::size_t at = word; at < word + sizeof(uint64_t); ++at) {
            if (lookAt(at)) {
                return {at, dropped};
            }
        }
    }
    for (std::size_t at = word; at < chunk_.size(); ++at) {
        if (lookAt(at)) {
            return {at, dropped};
        }
    }
    return {std::string_view::npos, dropped};
}

// Moves behind the line break at `at` (CR LF is one) and notes the style of the first one.
std::size_t LineSource::PassLineBreak(std::size_t at) {
    std::size_t behind = at + 1;
    LineEnding ending = LineEnding::Lf;
    if (chunk_[at] == '\r') {
        ending = LineEnding::Cr;
        if (behind < chunk_.size()) {
            if (chunk_[behind] == '\n') {
                ending = LineEnding::CrLf;
                ++behind;
            }
        } else {
            carriageReturnClosedChunk_ = true;
        }
    }
    if (!firstEnding_) {
        firstEnding_ = ending;
        firstEndingOpen_ = carriageReturnClosedChunk_;
    }
    return behind;
}

bool LineSource::Refill() {
    next_ = 0;
    chunk_ = {};
    if (!read_) {
        return false;
    }
    chunk_ = std::string_view(buffer_.get(), read_(buffer_.get(), bufferBytes_));
    if (carriageReturnClosedChunk_ && !chunk_.empty()) {
        carriageReturnClosedChunk_ = false;
        if (chunk_.front() == '\n') {
            next_ = 1;
            if (firstEndingOpen_) {
                firstEnding_ = LineEnding::CrLf;
            }
        }
        firstEndingOpen_ = false;
    }
    return !chunk_.empty();
}

// For the rare line gathered over chunks, which is looked through once more.
std::string_view LineSource::Cleaned(std::string_view line) {
    return std::any_of(line.begin(), line.end(), IsDropped) ? Clean(line) : line;
}

std::string_view LineSource::Clean(std::string_view line) {
    cleaned_.clear();
    for (const char c : line) {
        if (IsDropped(c)) {
            dropped_.push_back({cleaned_.size(), c});
        } else {
            cleaned_ += c;
        }
    }
    return cleaned_;
}

}  // namespace zurcfg
