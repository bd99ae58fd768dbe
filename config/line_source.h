#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zurcfg {

// Hands out the lines of a header one at a time, from a text in memory or read piecewise from a
// file, so that a file never needs to be held whole. A line ends at a line feed or at the end of
// the input. Control bytes other than the tab are dropped from it, carriage returns included,
// so the line break convention of the file does not matter.
class LineSource {
public:
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    // Fills a buffer with up to the given number of bytes and returns how many it put there; 0
    // ends the input.
    using ChunkReader = std::function<std::size_t(char* into, std::size_t most)>;

    explicit LineSource(std::string_view text);
    // Reads in pieces of `chunkBytes` from `read`.
    explicit LineSource(ChunkReader read, std::size_t chunkBytes = kChunkBytes);

    // The next line, valid until the following call; nothing once the input is used up.
    std::optional<std::string_view> Next();

private:
    struct LineEnd {
        std::size_t position;   // of the line feed in chunk_; npos when the chunk holds none
        bool holdsDroppedByte;  // before it, other than a carriage return right before it
    };

    LineEnd FindLineEnd() const;
    bool NoteByte(std::size_t at, bool& dropped) const;
    bool Refill();
    std::string_view Cleaned(std::string_view line);
    std::string_view Clean(std::string_view line);

    ChunkReader read_;    // none for a text in memory
    std::string buffer_;  // holds the current chunk of a file
    std::string_view chunk_;
    std::size_t next_ = 0;  // where the next line starts in chunk_
    std::string gathered_;  // a line that runs over the end of a chunk
    std::string cleaned_;   // a line with bytes dropped
};

}  // namespace zurcfg
