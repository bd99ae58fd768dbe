#pragma once

// Keeps the window's unsaved work in its recovery file, so that a crash, a kill or the end of the
// session loses at most the last few seconds of it: the file is written a short while after a
// change (once for a burst of changes, not on every key) and at once when asked, but only when
// the work differs from what the file already holds. The file goes as soon as nothing is unsaved,
// after a save say, and when the user leaves the window having decided about the work.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include <QObject>
#include <QTimer>

#include "config/document.h"
#include "settings/recovery_files.h"

namespace zurcfg {

class UnsavedWorkKeeper : public QObject {
public:
    // `unsaved` gives the document while it holds unsaved changes and null while it does not;
    // `delay` is how long after a change the file is written.
    UnsavedWorkKeeper(RecoveryFiles files, std::function<const Document*()> unsaved,
                      std::chrono::milliseconds delay, QObject* parent = nullptr);

    RecoveryFiles& Files() { return files_; }

    // The document changed: unsaved work is written after the delay, and the file of work that
    // is no longer unsaved is removed at once.
    void DocumentChanged();
    // Writes the unsaved work now, or removes the file when there is none.
    void KeepNow();
    // Removes the file and keeps nothing more: the user has left the window and said what
    // becomes of the work.
    void Discard();

private:
    RecoveryFiles files_;
    std::function<const Document*()> unsaved_;
    QTimer timer_;
    // The record the file holds; nothing while there is no file.
    std::optional<std::string> written_;
    bool discarded_ = false;
};

}  // namespace zurcfg
