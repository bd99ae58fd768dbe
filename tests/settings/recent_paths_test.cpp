#include "settings/recent_paths.h"

#include <gtest/gtest.h>

#include <vector>

namespace zurcfg {
namespace {

RecentPaths ListOf(const std::vector<std::string>& paths) {
    RecentPaths list;
    std::copy(paths.begin(), paths.end(), list.begin());
    return list;
}

TEST(RecentPathsTest, AListedPathSwapsWithTheHeadAndANewOnePushesTheListDown) {
    RecentPaths list = ListOf({"P", "Q", "R", "S"});
    AddToRecentPaths(list, "S");
    EXPECT_EQ(list, ListOf({"S", "Q", "R", "P"}));
    AddToRecentPaths(list, "T");
    EXPECT_EQ(list, ListOf({"T", "S", "Q", "R", "P"}));
    AddToRecentPaths(list, "T");
    EXPECT_EQ(list, ListOf({"T", "S", "Q", "R", "P"}));
    // Letter case makes another path; nothing empty is ever put in front.
    AddToRecentPaths(list, "t");
    AddToRecentPaths(list, "");
    EXPECT_EQ(list, ListOf({"t", "T", "S", "Q", "R", "P"}));
}

TEST(RecentPathsTest, AFullListDropsItsOldestPathAndEntriesAfterTheEndAreNotSearched) {
    RecentPaths full;
    for (std::size_t i = 0; i < full.size(); ++i) {
        full[i] = "p" + std::to_string(i);
    }
    AddToRecentPaths(full, "new");
    EXPECT_EQ(full.front(), "new");
    EXPECT_EQ(full[1], "p0");
    EXPECT_EQ(full.back(), "p98");

    // A path behind the first empty entry is not part of the list.
    RecentPaths list = ListOf({"A", "", "B"});
    AddToRecentPaths(list, "B");
    EXPECT_EQ(list[0], "B");
    EXPECT_EQ(list[1], "A");
    EXPECT_EQ(list[2], "");
}

}  // namespace
}  // namespace zurcfg
