#pragma once

// Looks after the header the document was read from or written to, for changes that others made
// on disk since (another program, a checkout, a colleague): asks before Save writes over such a
// change, and offers to read the file again when the window comes back to the front. A change
// the user chose to keep the window over is not asked about again; a further change is. A
// deleted file counts as changed.

#include <optional>
#include <string>

#include "config/document.h"
#include "config/prompter.h"

namespace zurcfg {

class DiskGuard {
public:
    explicit DiskGuard(Prompter& prompter) : prompter_(prompter) {}

    // Whether Save may write the header at `headerPath`: another file than the document's, the
    // document's file as it was read or written, or the user's leave to overwrite the change.
    bool MayOverwrite(const Document& document, const std::string& headerPath);

    // Whether the user wants the document's file read again because it changed on disk.
    bool WantsReload(const Document& document);

private:
    Prompter& prompter_;
    // The file as the user last chose to keep the window over it.
    std::optional<FileFingerprint> kept_;
};

}  // namespace zurcfg
