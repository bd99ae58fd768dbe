// Opening, saving and leaving documents through the real window, with scripted answers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include "config/file_lock.h"
#include "config/header_messages.h"
#include "config/header_path.h"
#include "config/header_reader.h"
#include "config/header_writer.h"
#include "resources/control_ids.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/grid_input.h"
#include "ui/widgets/flex_grid.h"

namespace zurcfg {
namespace {

using testing::ReadBytes;
using testing::WithCrLf;
using testing::WriteBytes;

Configuration Project(int32_t tasks, const std::string& name) {
    Configuration configuration;
    configuration.OS_TASKS = tasks;
    configuration.PLATFORM = 1;
    configuration.PROJECT_NAME = name;
    return configuration;
}

// The main window on a settings file that lists the headers of projects "a" and "b", with the
// name style chosen.
class ConfigDialogDocumentTest : public testing::DialogHarness {
protected:
    ConfigDialogDocumentTest() {
        std::filesystem::create_directories(dir_.Path() / "a");
        std::filesystem::create_directories(dir_.Path() / "b");
        Configuration b = Project(5, "Beta");
        b.OS_BSEMS = 1;
        WriteHeaderFile(pathA_, Project(3, "Alpha"), {});
        WriteHeaderFile(pathB_, b, {{"BS_READY", "set when ready"}});
    }

    void OpenListingBoth(const std::string& setup = "ZURVERSION=90200") {
        OpenWithSettings("[PATHS]\r\npath0=" + pathA_ + "\r\npath1=" + pathB_ + "\r\n[SETUP]\r\n" +
                         setup + "\r\n");
    }

    static void WriteHeaderFile(const std::string& path, const Configuration& configuration,
                                const std::vector<NameEntry>& bsems) {
        WriteBytes(path, WithCrLf(FormatHeader(configuration, bsems, {}, false)));
    }

    QComboBox* PathBox() const { return Find<QComboBox>(kPathBox); }
    std::string PathShown() const { return PathBox()->currentText().toStdString(); }
    static QString TitleOf(const std::string& path, bool modified = false) {
        return QString::fromStdString("ZURcfg: \"" + path + "\"" + (modified ? " (*)" : ""));
    }
    QString FirstBsem() const { return Find<FlexGrid>(kBsemsGrid)->TextMatrix(1, 1); }

    void TypeName(const QString& name) const {
        auto* edit = Find<QLineEdit>(kProjectNameEdit);
        edit->selectAll();
        QTest::keyClicks(edit, name);
    }

    void ExpectSaveQuestion(const std::string& documentPath) const {
        const Message& question = prompter_.Last();
        EXPECT_EQ(question.text,
                  "File " + documentPath + " was changed.\nDo you want to save changes?");
        EXPECT_EQ(question.caption, "Save changes?");
        EXPECT_EQ(question.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(question.icon, Icon::Question);
    }

    static std::string NotRegularFileText(const std::string& path) {
        return "File " + path +
               " is not a regular file (it is a folder, a pipe or a device),\nso it was not "
               "written. Save to a header file instead.";
    }

    std::string pathA_ = HeaderPathFor(dir_.File("a"));
    std::string pathB_ = HeaderPathFor(dir_.File("b"));
};

TEST_F(ConfigDialogDocumentTest, AChoiceInThePathListAsksOnlyForAChangedDocument) {
    OpenListingBoth();
    ChooseFromPathList(1);
    EXPECT_EQ(Title(), TitleOf(pathB_));
    EXPECT_EQ(Current().PROJECT_NAME, "Beta");
    EXPECT_EQ(FirstBsem(), "BS_READY");
    // The opened path swapped places with the head of the list.
    ASSERT_EQ(PathBox()->count(), 2);
    EXPECT_EQ(PathBox()->itemText(1).toStdString(), pathA_);
    EXPECT_EQ(PathShown(), pathB_);

    // The open document chosen again, unchanged, is read again from disk without a question.
    WriteHeaderFile(pathB_, Project(6, "Beta"), {});
    ChooseFromPathList(0);
    EXPECT_EQ(Current().OS_TASKS, 6);
    EXPECT_EQ(FirstBsem(), "");

    TypeName("Changed");
    prompter_.Will(Answer::Cancel);
    ChooseFromPathList(1);
    ExpectSaveQuestion(pathB_);
    EXPECT_EQ(Title(), TitleOf(pathB_, true));
    EXPECT_EQ(PathShown(), pathB_);

    prompter_.Will(Answer::No);
    ChooseFromPathList(1);
    EXPECT_EQ(Title(), TitleOf(pathA_));
    EXPECT_EQ(Current().PROJECT_NAME, "Alpha");

    TypeName("Kept");
    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    ChooseFromPathList(1);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
    EXPECT_EQ(Title(), TitleOf(pathB_));
    EXPECT_EQ(ReadHeader(pathA_, prompter_).contents.configuration.PROJECT_NAME, "Kept");
}

// Save writes to what the path box shows, so nothing but the user's choice may change it.
TEST_F(ConfigDialogDocumentTest, OnlyAChoiceOrASaveAsChangesThePathBox) {
    OpenListingBoth();
    ChooseFromPathList(1);
    const QPoint over = PathBox()->rect().center();
    QWheelEvent wheel(over, PathBox()->mapToGlobal(over), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(PathBox(), &wheel);
    EXPECT_EQ(PathShown(), pathB_) << "the wheel over the box, without the focus";
    PathBox()->setFocus();
    for (int key : {Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown}) {
        QTest::keyClick(PathBox(), Qt::Key(key));
        EXPECT_EQ(PathShown(), pathB_) << "key " << key;
    }
    QTest::keyClicks(PathBox(), pathA_.substr(0, 2).c_str());
    EXPECT_EQ(PathShown(), pathB_) << "typed letters";
    EXPECT_FALSE(PathBox()->view()->isVisible());

    const std::string copy = dir_.File("ZURcfg.h");
    fileChooser_.Will(copy);
    prompter_.Will(Answer::Ok);
    Click(kSaveAsButton);
    EXPECT_EQ(PathShown(), copy);
    TypeName("Into the copy");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(ReadHeader(copy, prompter_).contents.configuration.PROJECT_NAME, "Into the copy");
    EXPECT_EQ(ReadHeader(pathB_, prompter_).contents.configuration.PROJECT_NAME, "Beta");
}

// Text typed into a cell's edit box is part of the document before any command acts on it.
TEST_F(ConfigDialogDocumentTest, EveryDocumentCommandFirstStoresTheOpenCellEdit) {
    OpenListingBoth();
    ChooseFromPathList(1);
    auto* bsems = Find<FlexGrid>(kBsemsGrid);
    const auto typeIntoFirstName = [&](const QString& name) {
        testing::DoubleClickCell(bsems, 1, 1);
        testing::TypeText(name);
    };

    typeIntoFirstName("BS_SAVED");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(ReadHeader(pathB_, prompter_).contents.bsems.at(0).identifier, "BS_SAVED");
    EXPECT_EQ(Title(), TitleOf(pathB_));

    typeIntoFirstName("BS_CLOSE_BOX");
    prompter_.Will(Answer::Cancel);
    EXPECT_FALSE(dialog_->close());
    ExpectSaveQuestion(pathB_);
    EXPECT_EQ(FirstBsem(), "BS_CLOSE_BOX");

    prompter_.Will(Answer::No);
    ChooseFromPathList(0);
    typeIntoFirstName("BS_EXIT");
    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    Click(kExitButton);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(ReadHeader(pathB_, prompter_).contents.bsems.at(0).identifier, "BS_EXIT");
}

TEST_F(ConfigDialogDocumentTest, ARefusedCountStopsEverySave) {
    OpenListingBoth();
    ChooseFromPathList(0);
    TypeName("Changed");
    Type(kTasksEdit, "");
    const std::string before = ReadBytes(pathA_);
    const auto expectRefused = [&] {
        EXPECT_EQ(prompter_.Last().text, "Please enter an integer.");
        EXPECT_EQ(ReadBytes(pathA_), before);
        EXPECT_TRUE(Find(kTasksEdit)->hasFocus());
        EXPECT_EQ(Title(), TitleOf(pathA_, true));
        EXPECT_TRUE(dialog_->isVisible());
    };

    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    expectRefused();
    // The read comes before the file dialog, which is never shown.
    prompter_.Will(Answer::Ok);
    Click(kSaveAsButton);
    expectRefused();
    // Leaving asks nothing before the count can be read, and keeps the window.
    prompter_.Will(Answer::Ok);
    Click(kExitButton);
    expectRefused();
    EXPECT_EQ(PathShown(), pathA_);
}

TEST_F(ConfigDialogDocumentTest, ACountTypedJustBeforeLeavingIsAskedAbout) {
    OpenListingBoth();
    ChooseFromPathList(0);
    Type(kTasksEdit, "7");
    prompter_.Will(Answer::Cancel);
    Click(kExitButton);
    ExpectSaveQuestion(pathA_);
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(Find<QLineEdit>(kTasksEdit)->text(), "7");
}

TEST_F(ConfigDialogDocumentTest, TheFileDialogsRefuseAFileInAMissingFolder) {
    OpenListingBoth();
    const std::string folder = dir_.File("missing-folder");
    const std::string missing = HeaderPathFor(folder);
    const auto expectRefused = [&](const QString& title) {
        EXPECT_TRUE(fileChooser_.Requests().back().folderMustExist);
        EXPECT_EQ(prompter_.Last().text,
                  "Folder " + folder + " does not exist.\nChoose a file in an existing folder.");
        EXPECT_EQ(PathBox()->count(), 2) << "no refused path enters the recent list";
        EXPECT_EQ(Title(), title);
    };

    fileChooser_.Will(missing);
    prompter_.Will(Answer::Ok);
    Click(kBrowseButton);
    expectRefused("ZURcfg: nofile");

    TypeName("Unsaved");
    fileChooser_.Will(missing);
    prompter_.Will(Answer::Ok);
    Click(kSaveAsButton);
    expectRefused("ZURcfg: nofile (*)");
    EXPECT_FALSE(std::filesystem::exists(folder));
}

// Qt takes "[*]" in a title for its modified placeholder.
TEST_F(ConfigDialogDocumentTest, TheTitleShowsAPathWithThePlaceholderExactly) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows allows no * in a file name, so no path holds [*]";
#endif
    const std::string path = HeaderPathFor(dir_.File("p[*]q"));
    std::filesystem::create_directories(dir_.File("p[*]q"));
    WriteHeaderFile(path, Project(2, "Star"), {});
    OpenWithSettings("[PATHS]\r\npath0=" + path + "\r\n[SETUP]\r\nZURVERSION=90200\r\n");
    ChooseFromPathList(0);
    EXPECT_EQ(dialog_->windowHandle()->title(), TitleOf(path));
    TypeName("Changed");
    EXPECT_EQ(dialog_->windowHandle()->title(), TitleOf(path, true));
}

TEST_F(ConfigDialogDocumentTest, AFailedSaveAfterYesKeepsTheChangesAndTheWindow) {
    OpenListingBoth();
    ChooseFromPathList(0);
    TypeName("Unsaved");
    // A folder where the header should be cannot be written; the header counts as deleted.
    std::filesystem::remove(pathA_);
    std::filesystem::create_directory(pathA_);

    // Save changes: refused at once, nothing is asked about overwriting a folder.
    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    ChooseFromPathList(1);
    EXPECT_EQ(prompter_.Last().text, NotRegularFileText(pathA_));
    EXPECT_EQ(Title(), TitleOf(pathA_, true));
    EXPECT_EQ(Current().PROJECT_NAME, "Unsaved");
    EXPECT_EQ(PathShown(), pathA_);

    // Exit, Esc and the close box all ask the same question.
    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    Click(kExitButton);
    EXPECT_TRUE(dialog_->isVisible());
    prompter_.Will(Answer::Cancel);
    QTest::keyClick(Find(kTasksEdit), Qt::Key_Escape);
    ExpectSaveQuestion(pathA_);
    EXPECT_TRUE(dialog_->isVisible());
    prompter_.Will(Answer::No);
    EXPECT_TRUE(dialog_->close());
    EXPECT_FALSE(dialog_->isVisible());
}

#ifndef _WIN32  // Windows keeps no pipe in a folder.
TEST_F(ConfigDialogDocumentTest, APipeInTheHeadersPlaceIsNeitherWrittenNorWaitedOn) {
    OpenListingBoth();
    ChooseFromPathList(0);
    TypeName("Unsaved");
    // Neither written nor waited on nor moved aside.
    std::filesystem::remove(pathA_);
    ASSERT_EQ(mkfifo(pathA_.c_str(), 0600), 0);
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().text, NotRegularFileText(pathA_));
    EXPECT_EQ(prompter_.Last().caption, "Error");
    EXPECT_TRUE(std::filesystem::is_fifo(pathA_));
    EXPECT_FALSE(std::filesystem::exists(BackupPathFor(pathA_)));
    EXPECT_EQ(Title(), TitleOf(pathA_, true));
    EXPECT_EQ(Current().PROJECT_NAME, "Unsaved");

    // Nor is a link to a folder: the link and the folder stay, and so do the values.
    std::filesystem::remove(pathA_);
    std::filesystem::create_directory(pathA_ + ".folder");
    std::filesystem::create_directory_symlink(pathA_ + ".folder", pathA_);
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().text, NotRegularFileText(pathA_));
    EXPECT_TRUE(std::filesystem::is_symlink(pathA_));
    EXPECT_TRUE(std::filesystem::is_empty(pathA_ + ".folder"));
    EXPECT_FALSE(std::filesystem::exists(BackupPathFor(pathA_)));
    EXPECT_EQ(Current().PROJECT_NAME, "Unsaved");
}
#endif

TEST_F(ConfigDialogDocumentTest, ASaveHoldsTheHeadersLockFromItsLookAtTheDiskToTheNewFile) {
    OpenListingBoth();
    ChooseFromPathList(0);
    TypeName("Mine");
    WriteHeaderFile(pathA_, Project(4, "Theirs"), {});
    const auto othersMayLock = [this] {
        return FileLock(pathA_, std::chrono::milliseconds(0)).Held();
    };
    bool lockedWhileAsked = false;
    bool lockedWhileReported = true;
    prompter_.Will(Answer::Yes, [&] { lockedWhileAsked = !othersMayLock(); }).Will(Answer::Ok, [&] {
        lockedWhileReported = !othersMayLock();
    });
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Messages()[0].text,
              "File " + pathA_ + " was changed on disk since it was opened. Overwrite it?");
    EXPECT_EQ(prompter_.Last().text, "File saved successfully:\n" + pathA_);
    EXPECT_TRUE(lockedWhileAsked);
    EXPECT_FALSE(lockedWhileReported);
    EXPECT_EQ(ReadHeaderFile(pathA_).contents.configuration.PROJECT_NAME, "Mine");
    EXPECT_EQ(ReadHeaderFileAt(BackupPathFor(pathA_)).contents.configuration.PROJECT_NAME,
              "Theirs");
}

TEST_F(ConfigDialogDocumentTest, AHeaderCutShortIsToldOnOpeningAndASaveKeepsTheOlderBackup) {
    const std::string backup = BackupPathFor(pathA_);
    WriteHeaderFile(backup, Project(1, "Older"), {});
    const std::string whole = ReadBytes(pathA_);
    WriteBytes(pathA_, whole.substr(0, whole.rfind("#endif")));
    OpenListingBoth();
    prompter_.Will(Answer::Ok);
    ChooseFromPathList(0);
    EXPECT_EQ(prompter_.Last().text,
              "File " + pathA_ +
                  " ends early, may be incomplete: it lacks the closing #endif that this tool "
                  "writes.\n\nThe header as last saved whole may be in " +
                  backup + ". Saving keeps that backup as it is.");
    EXPECT_EQ(Current().PROJECT_NAME, "Alpha");

    TypeName("Whole");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().text,
              "File saved successfully:\n" + pathA_ +
                  "\n\nThe previous file ended early, so it was not kept as the backup:\n" +
                  backup + " still holds the header saved before it.");
    EXPECT_EQ(ReadHeaderFile(pathA_).contents.configuration.PROJECT_NAME, "Whole");
    EXPECT_EQ(ReadHeaderFileAt(backup).contents.configuration.PROJECT_NAME, "Older");

    // The header gone, its backup there: opened as missing, and the message names the backup.
    std::filesystem::remove(pathA_);
    prompter_.Will(Answer::Ok);
    ChooseFromPathList(0);
    EXPECT_EQ(prompter_.Last().text, "File " + pathA_ +
                                         " does not exist.\nIt will be created after saving."
                                         "\n\nIts backup " +
                                         backup +
                                         " is there and may hold the header as last saved.");
}

TEST_F(ConfigDialogDocumentTest, NamesThatStopTheBuildAreSavedOnlyWhenTheUserSaysSo) {
    // After BS_READY: thirteen keywords, and names that build but are marked (too long, a C++
    // keyword), which are not asked about.
    const std::vector<std::string> keywords{"int",  "char", "for",  "if",   "do",   "else", "case",
                                            "enum", "goto", "long", "void", "auto", "while"};
    std::vector<NameEntry> names{{"BS_READY", ""}};
    for (const std::string& keyword : keywords) {
        names.push_back({keyword, ""});
    }
    names.push_back({std::string(40, 'L'), ""});
    names.push_back({"class", ""});
    Configuration b = Project(5, "Beta");
    b.OS_BSEMS = static_cast<int32_t>(names.size());
    WriteHeaderFile(pathB_, b, names);
    OpenListingBoth();
    ChooseFromPathList(1);
    TypeName("Changed");
    auto* bsems = Find<FlexGrid>(kBsemsGrid);
    std::string expected = "These names would stop a C compiler building the firmware:\n";
    for (std::size_t entry = 1; entry <= 10; ++entry) {
        expected += "\nBSEMS entry " + std::to_string(entry) + " \"" + keywords[entry - 1] +
                    "\": a C keyword";
    }
    expected +=
        "\nand 3 more\n\nNames that build but are worth a look stay marked in the tables and are "
        "not listed here.\nDo you want to save anyway?";
    const std::string before = ReadBytes(pathB_);
    const auto expectRefused = [&] {
        EXPECT_EQ(prompter_.Last().text, expected);
        EXPECT_EQ(prompter_.Last().buttons, Buttons::YesNo);
        EXPECT_EQ(prompter_.Last().defaultAnswer, Answer::No);
        EXPECT_EQ(ReadBytes(pathB_), before);
        EXPECT_TRUE(bsems->hasFocus());
        EXPECT_EQ(bsems->RowSel(), 2);
        EXPECT_EQ(bsems->ColSel(), 1);
        EXPECT_EQ(Title(), TitleOf(pathB_, true));
    };

    prompter_.Will(Answer::No);
    Click(kSaveButton);
    expectRefused();

    // No in the names question after Yes in the save-changes question keeps the window.
    testing::ClickCell(Find<FlexGrid>(kStimersGrid), 1, 1);
    prompter_.Will(Answer::Yes).Will(Answer::No);
    ChooseFromPathList(0);
    expectRefused();
    EXPECT_EQ(PathShown(), pathB_);

    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(ReadHeader(pathB_, prompter_).contents.bsems.at(1).identifier, "int");
    EXPECT_EQ(Title(), TitleOf(pathB_));
}

TEST_F(ConfigDialogDocumentTest, WithoutADocumentCancelKeepsTheListAndYesNeedsAFile) {
    OpenListingBoth();
    TypeName("Unnamed");
    prompter_.Will(Answer::Cancel);
    ChooseFromPathList(1);
    ExpectSaveQuestion("");
    ASSERT_EQ(PathBox()->count(), 2);
    EXPECT_EQ(PathBox()->itemText(0).toStdString(), pathA_);
    EXPECT_EQ(PathBox()->currentIndex(), -1);

    prompter_.Will(Answer::Yes);
    fileChooser_.Will(std::nullopt);
    Click(kExitButton);
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(Title(), "ZURcfg: nofile (*)");
}

TEST_F(ConfigDialogDocumentTest, BrowseOpensTheChosenFileButShowsTheDefaults) {
    OpenListingBoth();
    fileChooser_.Will(std::nullopt);
    Click(kBrowseButton);
    const FileRequest& request = fileChooser_.Requests().back();
    EXPECT_EQ(request.purpose, FileRequest::Purpose::Open);
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[1].pattern, "*.*");
    EXPECT_EQ(request.defaultExtension, "h");
    EXPECT_EQ(request.initialName, "ZURcfg.h");
    EXPECT_EQ(request.initialFolder, "");

    // A missing file becomes the document with empty values, so the defaults differ from it.
    // The name is no header's, so it names a folder, and none is there to save into.
    const std::string missing = dir_.File("new.h");
    fileChooser_.Will(missing);
    prompter_.Will(Answer::Ok);
    Click(kBrowseButton);
    const std::string missingHeader = HeaderPathFor(missing);
    EXPECT_EQ(prompter_.Last().text, "File " + missingHeader +
                                         " does not exist, and saving cannot create it:\nthere "
                                         "is no folder " +
                                         missing + ".\nChoose a header in an existing folder.");
    EXPECT_EQ(Title(), TitleOf(missingHeader, true));
    EXPECT_EQ(Current().OS_TASKS, 1);
    EXPECT_EQ(PathShown(), missingHeader);

    // "Save as default" stores project a's values at once, without a word.
    fileChooser_.Will(pathA_);
    prompter_.Will(Answer::No).Will(Answer::No);
    Click(kBrowseButton);
    EXPECT_EQ(fileChooser_.Requests().back().initialFolder, missingHeader);
    ChooseFromPathList(0);
    EXPECT_EQ(Title(), TitleOf(pathA_));
    Click(kSaveAsDefaultButton);
    EXPECT_NE(ReadBytes(settingsPath_).find("OS_TASKS=3"), std::string::npos);

    // Browse on a file that differs from the defaults: the file is left alone.
    const std::string fileB = ReadBytes(pathB_);
    fileChooser_.Will(pathB_);
    Click(kBrowseButton);
    EXPECT_EQ(Title(), TitleOf(pathB_, true));
    EXPECT_EQ(Current().PROJECT_NAME, "Alpha");
    EXPECT_EQ(FirstBsem(), "");
    EXPECT_EQ(ReadBytes(pathB_), fileB);

    // On a file equal to the defaults the document is unchanged; the question comes after the
    // file dialog.
    fileChooser_.Will(pathA_);
    prompter_.Will(Answer::No);
    Click(kBrowseButton);
    EXPECT_EQ(Title(), TitleOf(pathA_));

    // The settings are written again when the window goes, recent paths included.
    std::filesystem::remove(settingsPath_);
    dialog_.reset();
    const std::string ini = ReadBytes(settingsPath_);
    EXPECT_NE(ini.find("OS_TASKS=3"), std::string::npos) << ini;
    EXPECT_NE(ini.find("path0=" + pathA_), std::string::npos) << ini;
}

TEST_F(ConfigDialogDocumentTest, SaveAsAsksBeforeReplacingAnExistingFile) {
    OpenListingBoth();
    TypeName("Fresh");
    // An empty path box makes "Save" a "Save as...".
    const std::string out = dir_.File("ZURcfg.h");
    fileChooser_.Will(out);
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(fileChooser_.Requests().back().purpose, FileRequest::Purpose::Save);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
    EXPECT_EQ(Title(), TitleOf(out)) << "the header written is the document";
    EXPECT_EQ(PathShown(), out);
    EXPECT_EQ(PathBox()->count(), 3);

    TypeName("Second");
    const std::string first = ReadBytes(out);
    fileChooser_.Will(out);
    prompter_.Will(Answer::No);
    Click(kSaveAsButton);
    const Message& overwrite = prompter_.Last();
    EXPECT_EQ(overwrite.text, "File already exists. Do you want to overwrite it?");
    EXPECT_EQ(overwrite.caption, "Info");
    EXPECT_EQ(overwrite.buttons, Buttons::YesNoCancel);
    EXPECT_EQ(overwrite.icon, Icon::Question);
    EXPECT_EQ(ReadBytes(out), first);
    EXPECT_EQ(Title(), TitleOf(out, true));

    // A name that is no header is taken as a folder; it is listed before the write fails.
    const std::string other = dir_.File("other.h");
    fileChooser_.Will(other);
    prompter_.Will(Answer::Ok);
    Click(kSaveAsButton);
    // The reason is the system's own wording of a missing folder.
    EXPECT_EQ(prompter_.Last().text.rfind("Error opening file:\n" + HeaderPathFor(other) +
                                              "\nCreating a new file in its folder failed: ",
                                          0),
              0u)
        << prompter_.Last().text;
    EXPECT_EQ(PathShown(), other);
    EXPECT_EQ(Title(), TitleOf(out, true));

    // A folder is no file to replace: no question, the header goes into it.
    fileChooser_.Will(dir_.File("b"));
    prompter_.Will(Answer::Ok);
    Click(kSaveAsButton);
    EXPECT_EQ(prompter_.Last().caption, "OK!");
    EXPECT_EQ(ReadHeader(pathB_, prompter_).contents.configuration.PROJECT_NAME, "Second");
    EXPECT_EQ(Title(), TitleOf(pathB_));
}

// A folder name that is not UTF-8, and one with a line break, which no recent list can hold.
TEST_F(ConfigDialogDocumentTest, PathsAreKeptAsTheBytesTheSystemGave) {
    const std::string cafe = HeaderPathFor(dir_.File("caf\xE9"));
    std::filesystem::create_directory(dir_.File("caf\xE9"));
    WriteHeaderFile(cafe, Project(6, "Cafe"), {});
    OpenWithSettings("[PATHS]\r\npath0=" + cafe + "\r\n[SETUP]\r\nZURVERSION=90200\r\n");
    ChooseFromPathList(0);
    EXPECT_EQ(Text(kProjectNameEdit), "Cafe");
    TypeName("Cafe 2");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(prompter_.Last().text, "File saved successfully:\n" + cafe);

#ifndef _WIN32  // Windows allows no line break in a file name.
    const std::string broken = HeaderPathFor(dir_.File("two\nlines"));
    std::filesystem::create_directory(dir_.File("two\nlines"));
    WriteHeaderFile(broken, Project(7, "Broken"), {});
    dialog_->OpenDocument(broken);
    EXPECT_EQ(Text(kProjectNameEdit), "Broken");
    EXPECT_EQ(PathBox()->currentIndex(), -1) << "shown by no entry";
    EXPECT_EQ(PathBox()->count(), 1);
    TypeName("Mended");
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);  // to the document all the same, not a "Save as..."
    EXPECT_EQ(ReadHeader(broken, prompter_).contents.configuration.PROJECT_NAME, "Mended");
#endif

    dialog_.reset();
    const std::string ini = ReadBytes(settingsPath_);
    EXPECT_NE(ini.find("path0=" + cafe + "\r\n"), std::string::npos) << ini;
    EXPECT_EQ(ini.find("lines"), std::string::npos) << ini;
}

TEST_F(ConfigDialogDocumentTest, RestoreDefaultEmptiesTheTablesWithoutMarkingTheDocument) {
    OpenListingBoth();
    ChooseFromPathList(1);
    Click(kSaveAsDefaultButton);
    prompter_.Will(Answer::No);
    Click(kRestoreDefaultButton);
    const Message& warning = prompter_.Last();
    EXPECT_EQ(warning.text,
              "This operation is undoable. Are you sure you want to restore default "
              "configuration?");
    EXPECT_EQ(warning.caption, "Warning");
    EXPECT_EQ(warning.buttons, Buttons::YesNo);
    EXPECT_EQ(warning.icon, Icon::Question);
    EXPECT_EQ(FirstBsem(), "BS_READY");

    TypeName("Edited");
    prompter_.Will(Answer::Yes);
    Click(kRestoreDefaultButton);
    EXPECT_EQ(FirstBsem(), "");
    EXPECT_EQ(Text(kProjectNameEdit), "Beta");
    EXPECT_EQ(Title(), TitleOf(pathB_));
}

// Read, change nothing, save: the writer's own text for the values read, in the file's own line
// ends, the old file kept as the backup. The name style is the window's, whatever style the file
// was written in.
TEST_F(ConfigDialogDocumentTest, SavingAnUnchangedHeaderWritesWhatTheWriterMakesOfIt) {
    Configuration configuration = Project(4, "Round trip");
    configuration.OS_STIMERS = 70;
    configuration.OS_ENABLE_CSEM = 1;
    configuration.OST_MSG = "const char *";
    std::vector<NameEntry> stimers;
    for (int i = 0; i < 70; ++i) {
        stimers.push_back({"ST_" + std::to_string(i), i % 2 ? "odd" : ""});
    }
    const std::string original =
        FormatHeader(configuration, {{"BS_ONE", "first"}, {"BS_TWO", ""}}, stimers, true);
    WriteBytes(pathA_, original);
    OpenListingBoth();
    // Opening says which names a save will not keep.
    prompter_.Will(Answer::Ok);
    ChooseFromPathList(0);
    EXPECT_EQ(prompter_.Last().caption, "Warning");
    EXPECT_NE(prompter_.Last().text.find(
                  "- line 127: 6 STIMERS name(s) from here on are beyond the table's 64 rows"),
              std::string::npos)
        << prompter_.Last().text;
    EXPECT_FALSE(Checked(kOldStyleNamesCheck));

    const HeaderContents read = ParseHeader(original);
    EXPECT_FALSE(Current().IsDifferent(read.configuration));
    std::vector<NameEntry> bsemRows = read.bsems;
    bsemRows.resize(200);
    std::vector<NameEntry> stimerRows(read.stimers.begin(), read.stimers.begin() + 64);
    const auto expected = [&](bool oldStyleNames) {
        return FormatHeader(read.configuration, bsemRows, stimerRows, oldStyleNames);
    };

    // The file spells the renamed macros the old way: Save asks before it changes that.
    prompter_.Will(Answer::No);
    Click(kSaveButton);
    const Message style = prompter_.Last();
    EXPECT_EQ(style.caption, "Name style");
    EXPECT_EQ(style.text,
              "File " + pathA_ +
                  " uses the old-style macro names, but Save will write the new-style names, as "
                  "\"Save old style names (<90200)\" is not checked.\nA kernel of version 90200 or "
                  "later needs the new-style names, an older one the old-style names: with the "
                  "other kind the firmware may not build.\n\nSave with the new-style names?");
    EXPECT_EQ(style.buttons, Buttons::YesNo);
    EXPECT_EQ(style.defaultAnswer, Answer::No);
    EXPECT_EQ(ReadBytes(pathA_), original) << "No writes nothing";
    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_EQ(ReadBytes(pathA_), expected(false));
    EXPECT_EQ(ReadBytes(BackupPathFor(pathA_)), original);
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);  // in its own style now: no question

    Click(kOldStyleNamesCheck);
    prompter_.Will(Answer::Yes).Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_NE(prompter_.Messages().end()[-2].text.find(" uses the new-style macro names"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(pathA_), expected(true));
    EXPECT_EQ(ReadBytes(BackupPathFor(pathA_)), expected(false));

    dialog_.reset();
    EXPECT_NE(ReadBytes(settingsPath_).find("ZURVERSION=90115"), std::string::npos);
}

}  // namespace
}  // namespace zurcfg
