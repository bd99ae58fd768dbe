// The real file dialog behind the window's Browse and Save as, and the real message boxes,
// answered from inside their loops.
#include "ui/prompts/file_dialog_chooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "ui/prompts/message_box_prompter.h"

#include "support/temp_dir.h"
#include "ui/support/modal_answer.h"

namespace zurcfg {
namespace {

using testing::ModalAnswer;

// Types `path` into the dialog's file name and confirms it, answering any box that comes up.
// Returns the caption of that box and whether the dialog stayed open.
struct Confirmation {
    QString boxCaption;
    bool dialogStayed = false;
};

std::optional<std::string> ChooseTyping(const std::string& path, Confirmation& confirmation) {
    ModalAnswer typing([&](QDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(path));
        ModalAnswer box([](QDialog& shown) { shown.accept(); });
        dialog.accept();
        confirmation.boxCaption = box.Caption();
        confirmation.dialogStayed = dialog.isVisible();
    });
    FileRequest request;
    request.purpose = FileRequest::Purpose::Save;
    return FileDialogChooser().Choose(request);
}

TEST(FileDialogChooserTest, AFileInAMissingFolderIsRefusedWhileTheDialogStaysOpen) {
    testing::TempDir dir;
    Confirmation missing;
    EXPECT_EQ(ChooseTyping(dir.File("missing-folder/ZURcfg.h"), missing), std::nullopt);
    EXPECT_EQ(missing.boxCaption, "Warning");
    EXPECT_TRUE(missing.dialogStayed);

    Confirmation existing;
    EXPECT_EQ(ChooseTyping(dir.File("ZURcfg.h"), existing), dir.File("ZURcfg.h"));
    EXPECT_EQ(existing.boxCaption, "");
    EXPECT_FALSE(existing.dialogStayed);
}

// Another program has the focus, as during a drop: the box still opens over the program's window,
// and Enter gives the answer asked to be the default.
TEST(MessageBoxPrompterTest, ABoxOpensOverItsOwnerAndEnterGivesItsDefault) {
    QDialog window;
    window.show();
    QApplication::setActiveWindow(nullptr);
    QWidget* owner = nullptr;
    ModalAnswer enter([&](QDialog& box) {
        owner = box.parentWidget();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    MessageBoxPrompter prompter;
    prompter.SetOwner(&window);
    const Answer answer = prompter.Ask(
        {"Save anyway?", "Save anyway?", Buttons::YesNo, Icon::Exclamation, Answer::No});
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(owner, &window);
}

}  // namespace
}  // namespace zurcfg
