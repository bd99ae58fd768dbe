#include "ui/document/disk_guard.h"

#include "config/regular_file.h"

namespace zurcfg {

namespace {

// What the user hears of a file the window can no longer read; nothing when it can.
std::optional<Message> LostFileMessage(const std::string& path, RegularFile::Status status) {
    std::string what;
    std::string then;
    switch (status) {
        case RegularFile::Status::Opened:
            return std::nullopt;
        case RegularFile::Status::Missing:
            what = " was deleted.";
            then = "Save writes it again.";
            break;
        case RegularFile::Status::NotRegular:
            what = " is no longer a regular file: a folder, a pipe or a device stands there now.";
            then = "Use Save as to keep them in a file.";
            break;
        case RegularFile::Status::NotReadable:
            what = " can no longer be read.";
            then = "Check that you may read it, or use Save as to keep them in another file.";
            break;
    }
    return Message{"File " + path + what +
                       "\nThe window keeps its values, which are now the only copy. " + then,
                   "Warning", Buttons::Ok, Icon::Exclamation};
}

}  // namespace

bool DiskGuard::MayOverwrite(const Document& document, const std::string& headerPath) {
    if (document.path.empty() || headerPath != document.path) {
        return true;
    }
    const FileFingerprint onDisk = TakeFingerprint(headerPath);
    // A file deleted since holds nothing to lose.
    if (onDisk == document.onDisk ||
        RegularFile(headerPath).OpenStatus() == RegularFile::Status::Missing) {
        return true;
    }
    return prompter_.Ask(
               {"File " + headerPath + " was changed on disk since it was opened. Overwrite it?",
                "Warning", Buttons::YesNo, Icon::Question}) == Answer::Yes;
}

bool DiskGuard::WantsReload(const Document& document) {
    if (document.path.empty()) {
        return false;
    }
    const FileFingerprint onDisk = TakeFingerprint(document.path);
    if (onDisk == document.onDisk) {
        // Back as it was read or written, say from the waste basket.
        fileLost_ = false;
        return false;
    }
    // Every file that cannot be read has the same fingerprint: the reason tells them apart.
    const FileState state{onDisk, RegularFile(document.path).OpenStatus()};
    if (state == told_) {
        return false;
    }
    told_ = state;
    if (const std::optional<Message> lost = LostFileMessage(document.path, state.status)) {
        fileLost_ = true;
        prompter_.Ask(*lost);
        return false;
    }
    return prompter_.Ask(
               {"File " + document.path + " was changed on disk.\nDo you want to read it again?",
                "Reload?", Buttons::YesNo, Icon::Question}) == Answer::Yes;
}

void DiskGuard::Reset() {
    told_.reset();
    fileLost_ = false;
}

}  // namespace zurcfg
