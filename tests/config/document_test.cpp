#include <gtest/gtest.h>

#include <string>

#include "config/document.h"
#include "config/document_edit.h"
#include "config/header_changes.h"
#include "config/header_writer.h"
#include "support/temp_dir.h"

namespace zurcfg {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WithCrLf;
using testing::WriteBytes;

Document Named(const std::string& project) {
    Document document;
    document.configuration.OS_TASKS = 3;
    document.configuration.OS_BSEMS = 2;
    document.configuration.PROJECT_NAME = project;
    document.SetTables({{"BS_A", "first"}, {"BS_B", ""}}, {{"ST_A", "timer"}});
    return document;
}

TEST(DocumentTest, IsChangedByOptionsAndTableEditsButNotByEmptiedTables) {
    const Document saved = Named("Alpha");
    Document document = saved;
    EXPECT_FALSE(document.IsChangedFrom(saved));
    document.ClearTables();
    EXPECT_FALSE(document.IsChangedFrom(saved));
    EXPECT_NE(document, saved);

    document = saved;
    document.StampTablesEdit();  // a committed cell whose text stayed as it was
    EXPECT_TRUE(document.IsChangedFrom(saved));
    Document other = saved;
    other.StampTablesEdit();
    EXPECT_NE(other.tablesEdit, document.tablesEdit);

    document = saved;
    document.configuration.PROJECT_NAME = "alpha";
    EXPECT_TRUE(document.IsChangedFrom(saved));
}

TEST(DocumentTest, TablesKeepTheirRowsWhateverTheHeaderHeld) {
    Document document = Named("Alpha");
    ASSERT_EQ(document.bsems.size(), std::size_t{kBsemsEntries});
    EXPECT_EQ(document.bsems[1], (NameEntry{"BS_B", ""}));
    EXPECT_EQ(document.bsems[2], NameEntry{});
    document.SetTables({}, std::vector<NameEntry>(70, {"ST_X", ""}));
    EXPECT_EQ(document.bsems[0], NameEntry{});
    ASSERT_EQ(document.stimers.size(), std::size_t{kStimersEntries});
    EXPECT_EQ(document.stimers[63].identifier, "ST_X");
}

TEST(DocumentTest, HeaderTextIsWhatSaveWrites) {
    const TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    const Document document = Named("Alpha");
    for (const bool oldStyleNames : {false, true}) {
        ASSERT_TRUE(WriteHeaderFile(path, document.configuration, document.bsems, document.stimers,
                                    oldStyleNames)
                        .Written());
        EXPECT_EQ(ReadBytes(path), WithCrLf(document.HeaderText(oldStyleNames)));
    }
}

TEST(DocumentEditTest, TakesBackAndRemakesOnlyWhatChanged) {
    const Document before = Named("Alpha");
    Document after = before;
    after.configuration.OS_TASKS = 4;
    after.bsems[1].comment = "second";
    after.StampTablesEdit();
    const DocumentEdit edit(before, after);
    ASSERT_EQ(edit.BsemsRows().size(), 1u);
    EXPECT_EQ(edit.BsemsRows()[0].row, 1);
    EXPECT_TRUE(edit.StimersRows().empty());

    Document document = after;
    edit.Undo(document);
    EXPECT_EQ(document, before);
    edit.Redo(document);
    EXPECT_EQ(document, after);
}

TEST(DocumentEditTest, MergesOnlyEditsOfOptions) {
    const Document start = Named("Alpha");
    Document typed = start;
    typed.configuration.PROJECT_NAME = "Alphab";
    Document typedMore = typed;
    typedMore.configuration.PROJECT_NAME = "Alphabet";
    DocumentEdit typing(start, typed);
    ASSERT_TRUE(typing.Absorb(DocumentEdit(typed, typedMore)));
    Document document = typedMore;
    typing.Undo(document);
    EXPECT_EQ(document, start);

    Document celled = typedMore;
    celled.bsems[0].identifier = "BS_Z";
    celled.StampTablesEdit();
    EXPECT_FALSE(typing.Absorb(DocumentEdit(typedMore, celled)));
    typing.Redo(document);
    EXPECT_EQ(document, typedMore);
}

TEST(HeaderChangesTest, DiffsAgainstTheFileOnDiskOrANewFile) {
    const TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    EXPECT_EQ(ChangesToHeader(path, "a\nb\n"),
              "--- new file\n+++ " + path + "\n@@ -0,0 +1,2 @@\n+a\n+b\n");
    EXPECT_EQ(ChangesToHeader("", "a\n"), "--- new file\n+++ ZURcfg.h\n@@ -0,0 +1 @@\n+a\n");
    WriteBytes(path, "a\r\nb\r\n");
    EXPECT_EQ(ChangesToHeader(folder.Path().string(), "a\nb\n"), "");
    EXPECT_EQ(ChangesToHeader(path, "a\nc\n"),
              "--- " + path + "\n+++ " + path + "\n@@ -1,2 +1,2 @@\n a\n-b\n+c\n");
}

TEST(HeaderChangesTest, ComparesTheHeaderWithItsBackup) {
    const TempDir folder;
    const std::string path = folder.File("ZURcfg.h");
    const std::string backup = folder.File("ZURcfg.bak");
    WriteBytes(path, "a\r\n");
    EXPECT_EQ(ChangesSinceBackup(path), std::nullopt);
    WriteBytes(backup, "b\r\n");
    EXPECT_EQ(ChangesSinceBackup(path),
              "--- " + backup + "\n+++ " + path + "\n@@ -1 +1 @@\n-b\n+a\n");
}

}  // namespace
}  // namespace zurcfg
