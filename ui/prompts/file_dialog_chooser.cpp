#include "ui/prompts/file_dialog_chooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "ui/common/local_text.h"
#include "ui/prompts/message_box_prompter.h"

namespace zurcfg {

namespace {

// A file dialog that, when asked to, stays open while the folder of the file given does not exist.
class HeaderFileDialog : public QFileDialog {
public:
    HeaderFileDialog(QWidget* parent, bool folderMustExist)
        : QFileDialog(parent), folderMustExist_(folderMustExist) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (folderMustExist_ && !files.isEmpty()) {
            if (const std::optional<Message> missing =
                    MissingFolderMessage(ToFileName(files.constFirst()))) {
                MessageBoxPrompter().Ask(*missing);
                return;
            }
        }
        QFileDialog::accept();
    }

private:
    bool folderMustExist_;
};

QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& filter : filters) {
        names << QStringLiteral("%1 (%2)").arg(FromLocal8Bit(filter.name),
                                               FromLocal8Bit(filter.pattern));
    }
    return names;
}

}  // namespace

std::optional<std::string> FileDialogChooser::Choose(const FileRequest& request) {
    HeaderFileDialog dialog(QApplication::activeWindow(), request.folderMustExist);
    const bool saving = request.purpose == FileRequest::Purpose::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A header to open need not exist yet; one to save over is asked about by the window.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(NameFilters(request.filters));
    dialog.setDefaultSuffix(FromLocal8Bit(request.defaultExtension));
    if (!request.initialFolder.empty()) {
        // The window passes the header shown in its path box; the dialog opens beside it.
        const QFileInfo initial(FromFileName(request.initialFolder));
        dialog.setDirectory(initial.isDir() ? initial.filePath() : initial.path());
    }
    dialog.selectFile(FromLocal8Bit(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToFileName(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

}  // namespace zurcfg
