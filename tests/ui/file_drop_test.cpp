// Files and folders dropped on the real window, as synthetic drag and drop events.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "config/header_path.h"
#include "config/header_writer.h"
#include "resources/control_ids.h"
#include "ui/support/dialog_harness.h"

namespace zurcfg {
namespace {

using testing::WithCrLf;
using testing::WriteBytes;

std::unique_ptr<QMimeData> Files(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    return data;
}

class FileDropTest : public testing::DialogHarness {
protected:
    FileDropTest() {
        std::filesystem::create_directories(dir_.Path() / "project");
        Configuration configuration;
        configuration.PROJECT_NAME = "Dropped";
        WriteBytes(header_, WithCrLf(FormatHeader(configuration, {}, {}, false)));
        WriteBytes(dir_.File("notes.txt"), "");
        OpenWithSettings("[SETUP]\r\nZURVERSION=90200\r\n");
    }

    // Drags `data` over `target` and reports whether the window would take it.
    static bool Accepts(QWidget* target, const QMimeData& data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        return enter.isAccepted();
    }

    // Drags `data` over `target` and drops it there; what the drop opens comes once the drop has
    // ended.
    static void Drop(QWidget* target, const QMimeData& data) {
        ASSERT_TRUE(Accepts(target, data));
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
        QCoreApplication::processEvents();
    }

    std::string header_ = HeaderPathFor(dir_.File("project"));
};

TEST_F(FileDropTest, AHeaderOrAFolderDroppedAnywhereOpensAfterTheQuestion) {
    const auto header = Files({QString::fromStdString(header_)});
    const auto folder = Files({QString::fromStdString(dir_.File("project"))});
    Type(kProjectNameEdit, "Changed");
    prompter_.Will(Answer::Cancel);
    Drop(dialog_.get(), *header);
    EXPECT_EQ(prompter_.Last().caption, "Save changes?");
    EXPECT_EQ(Current().PROJECT_NAME, "Changed");

    // An edit takes dropped text, not a dropped folder.
    prompter_.Will(Answer::No);
    Drop(Find(kProjectNameEdit), *folder);
    EXPECT_EQ(Current().PROJECT_NAME, "Dropped");
    EXPECT_EQ(Text(kProjectNameEdit), "Dropped");
    EXPECT_EQ(Title().toStdString(), "ZURcfg: \"" + header_ + "\"");
}

// A file manager sends the bytes of such a name percent-encoded.
TEST_F(FileDropTest, AFolderNameThatIsNotUtf8ArrivesAsItIs) {
    const std::string folder = dir_.File("caf\xE9");
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(header_, HeaderPathFor(folder));
    QMimeData data;
    data.setUrls(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(folder).toPercentEncoding("/"))});
    Drop(dialog_.get(), data);
    EXPECT_EQ(Text(kProjectNameEdit), "Dropped");
    EXPECT_EQ(dialog_->CurrentDocument().path, HeaderPathFor(folder));
}

TEST_F(FileDropTest, OtherDropsAreRefused) {
    QMimeData text;
    text.setText(QString::fromStdString(header_));
    EXPECT_FALSE(Accepts(dialog_.get(), text));
    EXPECT_FALSE(Accepts(dialog_.get(), *Files({QString::fromStdString(header_),
                                                QString::fromStdString(dir_.File("project"))})));
    EXPECT_FALSE(Accepts(dialog_.get(), *Files({QString::fromStdString(dir_.File("notes.txt"))})));
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/ZURcfg.h")});
    EXPECT_FALSE(Accepts(dialog_.get(), remote));
}

}  // namespace
}  // namespace zurcfg
