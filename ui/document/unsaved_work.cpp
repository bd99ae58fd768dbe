#include "ui/document/unsaved_work.h"

#include <utility>

#include "settings/recovery_record.h"

namespace zurcfg {

UnsavedWorkKeeper::UnsavedWorkKeeper(RecoveryFiles files, std::function<const Document*()> unsaved,
                                     std::chrono::milliseconds delay, QObject* parent)
    : QObject(parent), files_(std::move(files)), unsaved_(std::move(unsaved)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delay);
    connect(&timer_, &QTimer::timeout, this, &UnsavedWorkKeeper::KeepNow);
}

// The timer is not started again while it runs, so that steady typing cannot put the write off.
void UnsavedWorkKeeper::DocumentChanged() {
    if (discarded_) {
        return;
    }
    if (unsaved_() == nullptr) {
        KeepNow();
    } else if (!timer_.isActive()) {
        timer_.start();
    }
}

void UnsavedWorkKeeper::KeepNow() {
    timer_.stop();
    if (discarded_) {
        return;
    }
    const Document* work = unsaved_();
    if (work == nullptr) {
        if (written_) {
            files_.Remove();
            written_.reset();
        }
        return;
    }
    std::string record = FormatRecoveryRecord(*work);
    // A failed write is tried again with the next change.
    if (record != written_ && files_.Write(record)) {
        written_ = std::move(record);
    }
}

void UnsavedWorkKeeper::Discard() {
    timer_.stop();
    files_.Remove();
    written_.reset();
    discarded_ = true;
}

}  // namespace zurcfg
