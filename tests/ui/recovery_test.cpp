// Getting work back in the real window: unsaved work kept in a recovery file and offered at the
// next start, the values of the header's backup, and defaults that could not be stored.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "config/header_path.h"
#include "config/header_writer.h"
#include "resources/control_ids.h"
#include "settings/recovery_files.h"
#include "settings/recovery_record.h"
#include "ui/support/dialog_harness.h"
#include "ui/support/grid_input.h"
#include "ui/widgets/flex_grid.h"

namespace zurcfg {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ClickCell;
using testing::PressKey;
using testing::TypeText;
using testing::WithCrLf;
using testing::WriteBytes;

constexpr std::int64_t kThisWindow = 1000;
constexpr std::int64_t kOtherWindow = 1001;

Configuration Alpha(int32_t tasks) {
    Configuration configuration;
    configuration.OS_TASKS = tasks;
    configuration.OS_BSEMS = 1;
    configuration.PLATFORM = 1;
    configuration.PROJECT_NAME = "Alpha";
    return configuration;
}

// The window on project "a", whose header holds three tasks and the name BS_READY, with unsaved
// work kept in a state folder of its own.
class RecoveryTest : public testing::DialogHarness {
protected:
    RecoveryTest() {
        fs::create_directories(dir_.Path() / "a");
        WriteBytes(header_, WithCrLf(FormatHeader(Alpha(3), {{"BS_READY", ""}}, {}, false)));
    }

    void OpenKeepingWork(std::chrono::milliseconds delay = 20ms) {
        OpenWithSettings("[PATHS]\r\npath0=" + header_ + "\r\n[SETUP]\r\nZURVERSION=90200\r\n");
        const auto running = [this](std::int64_t id) { return running_.count(id) > 0; };
        dialog_->KeepUnsavedWork(RecoveryFiles(stateFolder_, running, kThisWindow), delay);
    }

    std::vector<std::string> StateFiles() const { return testing::NamesIn(stateFolder_); }

    // The file this window keeps its work in.
    std::string OwnFile() const {
        for (const std::string& name : StateFiles()) {
            if (name.rfind("recovery-" + std::to_string(kThisWindow) + '-', 0) == 0) {
                return (fs::path(stateFolder_) / name).string();
            }
        }
        return {};
    }

    std::optional<Document> KeptWork() const {
        const std::string file = OwnFile();
        return file.empty() ? std::nullopt : ReadRecoveryFile(file);
    }

    bool WaitForKeptWork() const {
        return QTest::qWaitFor([this] { return KeptWork().has_value(); }, 5000);
    }

    void LeaveWork(const std::string& name, const Document& work) const {
        fs::create_directories(stateFolder_);
        WriteBytes((fs::path(stateFolder_) / name).string(), FormatRecoveryRecord(work));
    }

    QString Title(bool modified) const {
        return QString::fromStdString("ZURcfg: \"" + header_ + "\"" + (modified ? " (*)" : ""));
    }
    QString Bsem(int entry) const { return Find<FlexGrid>(kBsemsGrid)->TextMatrix(entry + 1, 1); }

    QMenu* FileMenu() const { return dialog_->findChild<QMenuBar*>()->actions().front()->menu(); }
    QAction* RevertEntry() const {
        for (QAction* entry : FileMenu()->actions()) {
            if (entry->text() == "Revert to &backup") {
                return entry;
            }
        }
        ADD_FAILURE() << "no Revert to backup entry";
        return nullptr;
    }
    bool RevertShownEnabled() const {
        emit FileMenu()->aboutToShow();
        return RevertEntry()->isEnabled();
    }

    std::string header_ = HeaderPathFor(dir_.File("a"));
    std::string stateFolder_ = dir_.File("state");
    std::set<std::int64_t> running_{kThisWindow, kOtherWindow};
};

TEST_F(RecoveryTest, UnsavedWorkIsKeptShortlyAfterEachChangeUntilSavedOrLeft) {
    OpenKeepingWork(150ms);
    dialog_->OpenDocument(header_);
    Type(kProjectNameEdit, "Blinker");
    EXPECT_TRUE(StateFiles().empty()) << "written before the delay";
    ASSERT_TRUE(WaitForKeptWork());
    EXPECT_EQ(KeptWork()->configuration.PROJECT_NAME, "Blinker");
    EXPECT_EQ(KeptWork()->path, header_);
    EXPECT_EQ(KeptWork()->bsems[0].identifier, "BS_READY");

    // Changes that end where they began leave the file as it is.
    const fs::file_time_type written = fs::last_write_time(OwnFile()) - 1h;
    fs::last_write_time(OwnFile(), written);
    Click(kCriticalSectionsCheck);
    Click(kCriticalSectionsCheck);
    QTest::qWait(400);
    EXPECT_EQ(fs::last_write_time(OwnFile()), written);

    // Nothing unsaved: the file goes at once, after an undo back to the file's values or a save.
    dialog_->OnUndo();
    dialog_->OnUndo();
    dialog_->OnUndo();
    EXPECT_EQ(Text(kProjectNameEdit), "Alpha");
    EXPECT_TRUE(StateFiles().empty());
    dialog_->OnRedo();
    ASSERT_TRUE(WaitForKeptWork());
    prompter_.Will(Answer::Ok);
    Click(kSaveButton);
    EXPECT_TRUE(StateFiles().empty());

    // The session's end keeps the cell being typed, without a question, and leaving the window
    // with No to saving discards the work.
    ClickCell(Find<FlexGrid>(kBsemsGrid), 2, 1);
    PressKey(Qt::Key_Return);
    TypeText("BS_GO");
    dialog_->EndSession();
    ASSERT_TRUE(KeptWork());
    EXPECT_EQ(KeptWork()->bsems[1].identifier, "BS_GO");
    prompter_.Will(Answer::No);
    Click(kExitButton);
    EXPECT_TRUE(StateFiles().empty());
}

TEST_F(RecoveryTest, WorkLeftBehindIsOfferedAndComesBackAsUnsavedChanges) {
    Document work;
    work.path = header_;
    work.configuration = Alpha(7);
    work.bsems[0] = {"BS_READY", ""};
    work.bsems[2] = {"", "a comment alone"};
    LeaveWork("recovery-77-a1.txt", work);
    Document older = work;
    older.configuration.OS_TASKS = 9;
    LeaveWork("recovery-78-b2.txt", older);
    fs::last_write_time(fs::path(stateFolder_) / "recovery-78-b2.txt",
                        fs::last_write_time(fs::path(stateFolder_) / "recovery-77-a1.txt") - 1h);
    LeaveWork("recovery-1001-c3.txt", older);  // its window still runs

    OpenKeepingWork();
    prompter_.Will(Answer::Yes).Will(Answer::No);
    dialog_->OfferUnsavedWork();
    ASSERT_EQ(prompter_.Messages().size(), 2u);
    const Message& offer = prompter_.Messages().front();
    EXPECT_EQ(offer.text, "ZURcfg_Tool ended without saving your changes to " + header_ +
                              ".\n\nYes shows them again as unsaved changes, which you can "
                              "check, undo or save.\nNo discards them for good.");
    EXPECT_EQ(offer.caption, "Unsaved work");
    EXPECT_EQ(offer.buttons, Buttons::YesNo);

    EXPECT_EQ(Text(kTasksEdit), "7");
    EXPECT_EQ(Find<FlexGrid>(kBsemsGrid)->TextMatrix(3, 2), "a comment alone");
    EXPECT_EQ(dialog_->windowTitle(), Title(true));
    // The work is this window's now; what was offered is gone, the running window's stays.
    ASSERT_TRUE(KeptWork());
    EXPECT_EQ(KeptWork()->configuration.OS_TASKS, 7);
    EXPECT_EQ(StateFiles().size(), 2u);
    EXPECT_TRUE(fs::exists(fs::path(stateFolder_) / "recovery-1001-c3.txt"));

    // One step back to the header on disk.
    EXPECT_EQ(dialog_->UndoAction()->text(), "&Undo Restore unsaved work");
    dialog_->OnUndo();
    EXPECT_EQ(Text(kTasksEdit), "3");
    EXPECT_EQ(Find<FlexGrid>(kBsemsGrid)->TextMatrix(3, 2), "");
    EXPECT_EQ(dialog_->windowTitle(), Title(false));
}

TEST_F(RecoveryTest, RevertToBackupTakesTheBackupsValuesAsOneStep) {
    OpenKeepingWork();
    EXPECT_FALSE(RevertShownEnabled()) << "no header open";
    dialog_->OpenDocument(header_);
    EXPECT_FALSE(RevertShownEnabled()) << "no backup yet";
    const std::string backup = BackupPathFor(header_);
    WriteBytes(backup, WithCrLf(FormatHeader(Alpha(5), {{"BS_OLD", "kept"}}, {}, false)));
    EXPECT_TRUE(RevertShownEnabled());

    Type(kProjectNameEdit, "Typed");
    RevertEntry()->trigger();
    EXPECT_EQ(Text(kTasksEdit), "5");
    EXPECT_EQ(Text(kProjectNameEdit), "Alpha");
    EXPECT_EQ(Bsem(0), "BS_OLD");
    EXPECT_EQ(dialog_->windowTitle(), Title(true));
    EXPECT_EQ(dialog_->UndoAction()->text(), "&Undo Revert to backup");
    // The typing before is a step of its own.
    dialog_->OnUndo();
    EXPECT_EQ(Text(kTasksEdit), "3");
    EXPECT_EQ(Text(kProjectNameEdit), "Typed");
    EXPECT_EQ(Bsem(0), "BS_READY");

    // A backup gone since the menu opened is told, and nothing changes.
    fs::remove(backup);
    prompter_.Will(Answer::Ok);
    RevertEntry()->trigger();
    EXPECT_EQ(prompter_.Last().text, "There is no backup of " + header_ +
                                         " to revert to.\nSave keeps the previous header as " +
                                         backup + " when it replaces it.");
    EXPECT_EQ(Text(kTasksEdit), "3");
}

TEST_F(RecoveryTest, DefaultsThatCouldNotBeSavedAreTold) {
    // A file stands where the settings folder would be.
    WriteBytes(dir_.File("blocker"), "");
    settingsPath_ = (fs::path(dir_.File("blocker")) / "file.ini").string();
    Open();
    Type(kProjectNameEdit, "Gamma");
    prompter_.Will(Answer::Ok);
    Click(kSaveAsDefaultButton);
    ASSERT_EQ(prompter_.Messages().size(), 1u);
    EXPECT_EQ(prompter_.Last().caption, "Error");
    EXPECT_NE(prompter_.Last().text.find(settingsPath_), std::string::npos);
    // They hold for the rest of the run all the same.
    Type(kProjectNameEdit, "");
    prompter_.Will(Answer::Yes);
    Click(kRestoreDefaultButton);
    EXPECT_EQ(Text(kProjectNameEdit), "Gamma");
}

}  // namespace
}  // namespace zurcfg
