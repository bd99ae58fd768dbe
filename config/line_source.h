#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/line_ending.h"

namespace zurcfg {

// Hands out the lines of a header one at a time, from a text in memory or read piecewise from a
// file, so that a file never needs to be held whole. A line ends where a C compiler ends it: at
// a line feed, a carriage return, the pair of both, or the end of the input. Control bytes other
// than the tab are dropped from a line; which ones and where is told beside it, so that nothing
// is dropped unnoticed.
class LineSource {
public:
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    // Fills a buffer with up to the given number of bytes and returns how many it put there; 0
    // ends the input.
    using ChunkReader = std::function<std::size_t(char* into, std::size_t most)>;

    // A control byte taken out of a line, and the position in the line handed out at which it
    // stood (before the byte now at that position).
    struct DroppedByte {
        std::size_t at;
        char byte;
    };

    explicit LineSource(std::string_view text);
    // Reads in pieces of `chunkBytes` from `read`.
    explicit LineSource(ChunkReader read, std::size_t chunkBytes = kChunkBytes);

    // The next line, valid until the following call; nothing once the input is used up.
    std::optional<std::string_view> Next();

    // The bytes dropped from the line last handed out, in line order; usually none.
    const std::vector<DroppedByte>& Dropped() const { return dropped_; }

    // How the first line that ended at a line break ended; nothing before one has.
    std::optional<LineEnding> FirstLineEnding() const { return firstEnding_; }

private:
    struct LineEnd {
        std::size_t position;   // of the line break in chunk_; npos when the chunk holds none
        bool holdsDroppedByte;  // before it
    };

    LineEnd FindLineEnd() const;
    std::size_t PassLineBreak(std::size_t at);
    bool Refill();
    std::string_view Cleaned(std::string_view line);
    std::string_view Clean(std::string_view line);

    ChunkReader read_;  // none for a text in memory
    // Holds the current chunk of a file; left uninitialised, as every chunk is read into it.
    std::unique_ptr<char[]> buffer_;
    std::size_t bufferBytes_ = 0;
    std::string_view chunk_;
    std::size_t next_ = 0;  // where the next line starts in chunk_
    std::string gathered_;  // a line that runs over the end of a chunk
    std::string cleaned_;   // a line with bytes dropped
    std::vector<DroppedByte> dropped_;
    // The last line ended at a carriage return that closed its chunk: a line feed opening the
    // next chunk belongs to the same line break.
    bool carriageReturnClosedChunk_ = false;
    std::optional<LineEnding> firstEnding_;
    bool firstEndingOpen_ = false;  // it was that carriage return, and may yet be CR LF
};

}  // namespace zurcfg
