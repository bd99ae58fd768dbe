#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zurcfg {

// Follows the comments of a header line by line as a C compiler sees them, whatever the reader
// makes of the lines: block comments across lines, line comments, and the line splice ('\' or
// "??/" at a line's end) that carries a line comment on to the next line. The reader asks it
// whether a byte stood in a comment and which lines the compiler takes for a comment's end.
class CompilerComments {
public:
    // A line comment whose last line is joined to the next one.
    struct Carried {
        int line = 0;  // where the comment begins; 0 while none is carried
        int column = 0;
    };

    // Takes the next line of the header, with its 1-based number.
    void Follow(std::string_view line, int lineNumber);

    // Whether a byte that stood in the line last followed just before `position` (as the
    // reader tells of a control byte it dropped) stood in a comment.
    bool InComment(std::size_t position) const;

    // The line comment that the line last followed is wholly part of, carried on from the
    // lines before; none when it is not.
    Carried CarriedInto() const { return carriedInto_; }

private:
    enum class State { Code, BlockComment, LineComment };

    State state_ = State::Code;
    Carried carried_;      // the line comment carried on to the next line
    Carried carriedInto_;  // the one the last line belongs to
    // A stretch of the last line that is a comment: from the opener at `first`, or from the
    // line's start for one carried on from before, to behind its closer at `last`, npos when it
    // runs to the line's end.
    struct Stretch {
        std::size_t first;
        std::size_t last;
        bool opensHere;
    };
    std::vector<Stretch> comments_;
};

}  // namespace zurcfg
