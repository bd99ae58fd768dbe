#include "ui/document/disk_guard.h"

namespace zurcfg {

bool DiskGuard::MayOverwrite(const Document& document, const std::string& headerPath) {
    if (document.path.empty() || headerPath != document.path ||
        TakeFingerprint(headerPath) == document.onDisk) {
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
    if (onDisk == document.onDisk || onDisk == kept_) {
        return false;
    }
    const std::string what = onDisk.exists ? " was changed on disk." : " was deleted from disk.";
    if (prompter_.Ask({"File " + document.path + what + "\nDo you want to read it again?",
                       "Reload?", Buttons::YesNo, Icon::Question}) == Answer::Yes) {
        return true;
    }
    kept_ = onDisk;
    return false;
}

}  // namespace zurcfg
