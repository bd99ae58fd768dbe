#include "config/unified_diff.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace zurcfg {

namespace {

constexpr int kContextLines = 3;

// Lines with their line breaks, so that a last line without one differs from the same text
// with one, as "diff" has it.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t length = std::min(text.find('\n'), text.size() - 1) + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

// Which lines of two sequences belong to a longest common subsequence. Lines are compared as
// numbers, one per distinct text. Shortest edit by the linear-space bisection of the edit
// graph: search from both corners until the paths meet, then solve the two halves.
class LineMatcher {
public:
    LineMatcher(std::vector<int> oldLines, std::vector<int> newLines)
        : old_(std::move(oldLines)),
          new_(std::move(newLines)),
          oldMatched_(old_.size(), false),
          newMatched_(new_.size(), false) {
        Match(0, static_cast<int>(old_.size()), 0, static_cast<int>(new_.size()));
    }

    const std::vector<bool>& OldMatched() const { return oldMatched_; }
    const std::vector<bool>& NewMatched() const { return newMatched_; }

private:
    void Match(int oldBegin, int oldEnd, int newBegin, int newEnd) {
        while (oldBegin < oldEnd && newBegin < newEnd && old_[oldBegin] == new_[newBegin]) {
            Pair(oldBegin++, newBegin++);
        }
        while (oldBegin < oldEnd && newBegin < newEnd && old_[oldEnd - 1] == new_[newEnd - 1]) {
            Pair(--oldEnd, --newEnd);
        }
        if (oldBegin < oldEnd && newBegin < newEnd) {
            Bisect(oldBegin, oldEnd, newBegin, newEnd);
        }
    }

    void Pair(int oldLine, int newLine) {
        oldMatched_[oldLine] = true;
        newMatched_[newLine] = true;
    }

    // Both ranges are non-empty and differ in their first and last lines. forward[k] and
    // backward[k] hold the furthest x reached on diagonal k (x - y = k) from the top left, and
    // from the bottom right in reversed coordinates. Paths that leave the graph are no longer
    // followed. Without a meeting point nothing in the ranges matches.
    void Bisect(int oldBegin, int oldEnd, int newBegin, int newEnd) {
        const int n = oldEnd - oldBegin;
        const int m = newEnd - newBegin;
        const auto same = [&](int x, int y) { return old_[oldBegin + x] == new_[newBegin + y]; };
        const int maxSteps = (n + m + 1) / 2;
        const int offset = maxSteps;
        const int size = 2 * maxSteps + 2;
        std::vector<int> forward(size, -1);
        std::vector<int> backward(size, -1);
        forward[offset + 1] = 0;
        backward[offset + 1] = 0;
        const int delta = n - m;
        // With an odd delta the paths meet after a forward step, with an even one after a
        // backward step.
        const bool meetForward = delta % 2 != 0;
        int forwardTrimStart = 0;
        int forwardTrimEnd = 0;
        int backwardTrimStart = 0;
        int backwardTrimEnd = 0;
        const auto step = [](std::vector<int>& v, int at, int k, int d) {
            return (k == -d || (k != d && v[at - 1] < v[at + 1])) ? v[at + 1] : v[at - 1] + 1;
        };
        for (int d = 0; d < maxSteps; ++d) {
            for (int k = -d + forwardTrimStart; k <= d - forwardTrimEnd; k += 2) {
                int x = step(forward, offset + k, k, d);
                int y = x - k;
                while (x < n && y < m && same(x, y)) {
                    ++x;
                    ++y;
                }
                forward[offset + k] = x;
                if (x > n) {
                    forwardTrimEnd += 2;
                } else if (y > m) {
                    forwardTrimStart += 2;
                } else if (meetForward) {
                    const int opposite = offset + delta - k;
                    if (opposite >= 0 && opposite < size && backward[opposite] != -1 &&
                        x >= n - backward[opposite]) {
                        return Split(oldBegin, oldEnd, newBegin, newEnd, x, y);
                    }
                }
            }
            for (int k = -d + backwardTrimStart; k <= d - backwardTrimEnd; k += 2) {
                int x = step(backward, offset + k, k, d);
                int y = x - k;
                while (x < n && y < m && same(n - x - 1, m - y - 1)) {
                    ++x;
                    ++y;
                }
                backward[offset + k] = x;
                if (x > n) {
                    backwardTrimEnd += 2;
                } else if (y > m) {
                    backwardTrimStart += 2;
                } else if (!meetForward) {
                    const int opposite = offset + delta - k;
                    if (opposite >= 0 && opposite < size && forward[opposite] != -1 &&
                        forward[opposite] >= n - x) {
                        const int forwardX = forward[opposite];
                        return Split(oldBegin, oldEnd, newBegin, newEnd, forwardX,
                                     forwardX - (opposite - offset));
                    }
                }
            }
        }
    }

    void Split(int oldBegin, int oldEnd, int newBegin, int newEnd, int x, int y) {
        Match(oldBegin, oldBegin + x, newBegin, newBegin + y);
        Match(oldBegin + x, oldEnd, newBegin + y, newEnd);
    }

    const std::vector<int> old_;
    const std::vector<int> new_;
    std::vector<bool> oldMatched_;
    std::vector<bool> newMatched_;
};

// Which lines of each text belong to a longest common subsequence. A line whose text the other
// side does not have cannot match and is left out of the search.
struct Matches {
    std::vector<bool> oldLines;
    std::vector<bool> newLines;
};

Matches MatchLines(const std::vector<std::string_view>& oldLines,
                   const std::vector<std::string_view>& newLines) {
    struct Uses {
        int id;
        int inOld = 0;
        int inNew = 0;
    };
    std::unordered_map<std::string_view, Uses> texts(oldLines.size() + newLines.size());
    const auto countUses = [&](const std::vector<std::string_view>& lines, int Uses::*side) {
        std::vector<Uses*> uses;
        uses.reserve(lines.size());
        for (const std::string_view line : lines) {
            Uses& entry =
                texts.try_emplace(line, Uses{static_cast<int>(texts.size())}).first->second;
            ++(entry.*side);
            uses.push_back(&entry);
        }
        return uses;
    };
    const std::vector<Uses*> oldUses = countUses(oldLines, &Uses::inOld);
    const std::vector<Uses*> newUses = countUses(newLines, &Uses::inNew);

    const auto candidates = [](const std::vector<Uses*>& uses, int Uses::*otherSide,
                               std::vector<int>& ids, std::vector<int>& positions) {
        for (int line = 0; line < static_cast<int>(uses.size()); ++line) {
            if (uses[line]->*otherSide > 0) {
                ids.push_back(uses[line]->id);
                positions.push_back(line);
            }
        }
    };
    std::vector<int> oldIds, oldPositions, newIds, newPositions;
    candidates(oldUses, &Uses::inNew, oldIds, oldPositions);
    candidates(newUses, &Uses::inOld, newIds, newPositions);

    const LineMatcher matcher(std::move(oldIds), std::move(newIds));
    Matches matches{std::vector<bool>(oldLines.size(), false),
                    std::vector<bool>(newLines.size(), false)};
    for (std::size_t i = 0; i < oldPositions.size(); ++i) {
        matches.oldLines[oldPositions[i]] = matcher.OldMatched()[i];
    }
    for (std::size_t i = 0; i < newPositions.size(); ++i) {
        matches.newLines[newPositions[i]] = matcher.NewMatched()[i];
    }
    return matches;
}

// Lines [oldBegin, oldEnd) removed and [newBegin, newEnd) added in their place.
struct Change {
    int oldBegin, oldEnd, newBegin, newEnd;
};

// Matched lines pair up in order, so the unmatched ones between two pairs form one change.
std::vector<Change> Changes(const Matches& matches) {
    std::vector<Change> changes;
    const int oldCount = static_cast<int>(matches.oldLines.size());
    const int newCount = static_cast<int>(matches.newLines.size());
    int oldLine = 0;
    int newLine = 0;
    while (oldLine < oldCount || newLine < newCount) {
        Change change{oldLine, oldLine, newLine, newLine};
        while (change.oldEnd < oldCount && !matches.oldLines[change.oldEnd]) {
            ++change.oldEnd;
        }
        while (change.newEnd < newCount && !matches.newLines[change.newEnd]) {
            ++change.newEnd;
        }
        if (change.oldEnd > oldLine || change.newEnd > newLine) {
            changes.push_back(change);
        }
        // Past the pair of matched lines that ends the change.
        oldLine = change.oldEnd + 1;
        newLine = change.newEnd + 1;
    }
    return changes;
}

// "start,count" of a hunk, counting lines from 1; an empty range names the line before it.
std::string Range(int begin, int end) {
    const int count = end - begin;
    if (count == 1) {
        return std::to_string(begin + 1);
    }
    return std::to_string(count == 0 ? begin : begin + 1) + ',' + std::to_string(count);
}

void AppendLines(std::string& out, char mark, const std::vector<std::string_view>& lines, int begin,
                 int end) {
    for (int line = begin; line < end; ++line) {
        out += mark;
        out += lines[line];
        if (lines[line].back() != '\n') {
            out += "\n\\ No newline at end of file\n";
        }
    }
}

}  // namespace

std::string UnifiedDiff(std::string_view oldText, std::string_view newText,
                        std::string_view oldLabel, std::string_view newLabel) {
    const std::vector<std::string_view> oldLines = SplitLines(oldText);
    const std::vector<std::string_view> newLines = SplitLines(newText);
    const std::vector<Change> changes = Changes(MatchLines(oldLines, newLines));
    if (changes.empty()) {
        return {};
    }
    std::string out;
    out.append("--- ").append(oldLabel).append("\n+++ ").append(newLabel).append("\n");
    const int oldCount = static_cast<int>(oldLines.size());
    for (std::size_t first = 0; first < changes.size();) {
        // Changes whose context would touch or overlap share one hunk.
        std::size_t last = first;
        while (last + 1 < changes.size() &&
               changes[last + 1].oldBegin - changes[last].oldEnd <= 2 * kContextLines) {
            ++last;
        }
        const int oldBegin = std::max(0, changes[first].oldBegin - kContextLines);
        const int newBegin = changes[first].newBegin - (changes[first].oldBegin - oldBegin);
        const int oldEnd = std::min(oldCount, changes[last].oldEnd + kContextLines);
        const int newEnd = changes[last].newEnd + (oldEnd - changes[last].oldEnd);
        out += "@@ -" + Range(oldBegin, oldEnd) + " +" + Range(newBegin, newEnd) + " @@\n";
        int oldLine = oldBegin;
        for (std::size_t c = first; c <= last; ++c) {
            AppendLines(out, ' ', oldLines, oldLine, changes[c].oldBegin);
            AppendLines(out, '-', oldLines, changes[c].oldBegin, changes[c].oldEnd);
            AppendLines(out, '+', newLines, changes[c].newBegin, changes[c].newEnd);
            oldLine = changes[c].oldEnd;
        }
        AppendLines(out, ' ', oldLines, oldLine, oldEnd);
        first = last + 1;
    }
    return out;
}

}  // namespace zurcfg
