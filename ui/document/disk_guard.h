#pragma once

// Looks after the header the document was read from or written to, for what others did to it on
// disk since (another program, a checkout, a colleague): asks before Save writes over such a
// change, offers to read a changed file again when the window comes back to the front, and says
// so when the file was deleted, replaced by something else or made unreadable. Such a file is
// never read again: the window's values are then the only copy and count as unsaved changes.
// Each change on disk is told once, whatever the user answers and whatever comes of the answer.

#include <optional>
#include <string>

#include "config/document.h"
#include "config/prompter.h"
#include "config/regular_file.h"

namespace zurcfg {

class DiskGuard {
public:
    explicit DiskGuard(Prompter& prompter) : prompter_(prompter) {}

    // Whether Save may write the header at `headerPath`: another file than the document's, the
    // document's file as it was read or written, nothing there any more, or the user's leave to
    // overwrite the change.
    bool MayOverwrite(const Document& document, const std::string& headerPath);

    // Looks at the document's file once the user was elsewhere. True when it changed and the
    // user wants it read again; a file that can no longer be read is told about instead.
    bool WantsReload(const Document& document);

    // Whether the document's file was lost (deleted, replaced or made unreadable) since it was
    // last read or written, so that the window holds the only copy.
    bool FileLost() const { return fileLost_; }

    // The document was read or written: what was told before no longer applies.
    void Reset();

private:
    struct FileState {
        FileFingerprint fingerprint;
        RegularFile::Status status;

        bool operator==(const FileState& other) const {
            return fingerprint == other.fingerprint && status == other.status;
        }
    };

    Prompter& prompter_;
    // The file as last told about.
    std::optional<FileState> told_;
    bool fileLost_ = false;
};

}  // namespace zurcfg
