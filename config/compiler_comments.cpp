#include "config/compiler_comments.h"

#include "config/c_names.h"

namespace zurcfg {

void CompilerComments::Follow(std::string_view line, int lineNumber) {
    comments_.clear();
    carriedInto_ = {};
    if (state_ == State::LineComment) {
        comments_.push_back({0, std::string_view::npos, false});
        carriedInto_ = carried_;
        if (!EndsInLineSplice(line)) {
            state_ = State::Code;
            carried_ = {};
        }
        return;
    }
    bool continuesFromBefore = state_ == State::BlockComment;
    if (continuesFromBefore && line.empty()) {
        comments_.push_back({0, std::string_view::npos, false});
    }
    std::size_t at = 0;
    while (at < line.size()) {
        if (state_ == State::BlockComment) {
            // The closer is looked for behind the opener: "/*/" closes nothing.
            const std::size_t opener = at;
            const bool opensHere = !continuesFromBefore;
            continuesFromBefore = false;
            const std::size_t closer = line.find("*/", opensHere ? at + 2 : at);
            if (closer == std::string_view::npos) {
                comments_.push_back({opener, std::string_view::npos, opensHere});
                return;
            }
            comments_.push_back({opener, closer + 2, opensHere});
            state_ = State::Code;
            at = closer + 2;
            continue;
        }
        const std::size_t slash = line.find('/', at);
        if (slash == std::string_view::npos || slash + 1 >= line.size()) {
            return;
        }
        if (line[slash + 1] == '/') {
            comments_.push_back({slash, std::string_view::npos, true});
            if (EndsInLineSplice(line)) {
                state_ = State::LineComment;
                carried_ = {lineNumber, static_cast<int>(slash) + 1};
            }
            return;
        }
        if (line[slash + 1] == '*') {
            state_ = State::BlockComment;
            at = slash;
        } else {
            at = slash + 1;
        }
    }
}

bool CompilerComments::InComment(std::size_t position) const {
    for (const Stretch& comment : comments_) {
        const bool afterStart =
            comment.opensHere ? position > comment.first : position >= comment.first;
        if (afterStart && position < comment.last) {
            return true;
        }
    }
    return false;
}

}  // namespace zurcfg
