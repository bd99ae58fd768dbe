#include "config/file_replace.h"

#include <array>
#include <filesystem>

#include "config/native_file.h"

namespace zurcfg {

namespace {

using native::Handle;
using native::kNoHandle;
using native::PreviousFile;

// As many links as the system itself follows before it calls a chain a loop.
constexpr int kMaxLinksFollowed = 40;

// Creates a file of ours at path, clearing a leftover of an earlier run that was stopped.
std::error_code CreateOwnFile(const std::string& path, const PreviousFile& previous,
                              Handle& handle) {
    std::error_code error = native::CreateNew(path, previous, handle);
    if (native::AlreadyExists(error)) {
        native::RemoveLeftover(path);
        error = native::CreateNew(path, previous, handle);
    }
    return error;
}

// Writes, flushes and closes a file of ours; removes it when any of that fails.
std::optional<FileFailure> Complete(const std::string& path, Handle& handle,
                                    std::string_view bytes) {
    std::optional<FileFailure> failure;
    if (std::error_code error = native::WriteAt(handle, bytes, 0)) {
        failure = FileFailure{FileStep::WriteTemporary, error};
    } else if ((error = native::Flush(handle))) {
        failure = FileFailure{FileStep::FlushTemporary, error};
    }
    const std::error_code closed = native::Close(handle);
    if (!failure && closed) {
        failure = FileFailure{FileStep::WriteTemporary, closed};
    }
    if (failure) {
        native::RemoveLeftover(path);
    }
    return failure;
}

// The bytes of the file open at handle.
std::optional<std::string> Contents(Handle handle, std::error_code& error) {
    std::string bytes;
    std::array<char, 64 * 1024> piece;
    while (const std::size_t got =
               native::ReadAt(handle, piece.data(), piece.size(), bytes.size(), error)) {
        bytes.append(piece.data(), got);
    }
    return error ? std::nullopt : std::optional<std::string>(std::move(bytes));
}

// Makes the previous file the backup, in place of any older one: as a second name of the same
// file where allowed, else as a flushed copy. The older backup stays until the final rename, so a
// failure leaves it as it was.
std::optional<FileFailure> KeepBackup(const std::string& target, const PreviousFile& previous,
                                      const std::string& backupPath, bool mayLink) {
    const std::string staging = backupPath + ".tmp";
    native::RemoveLeftover(staging);
    const bool linked = mayLink && !native::HardLink(target, staging);
    if (!linked) {
        std::error_code error;
        const std::optional<std::string> old = Contents(previous.handle, error);
        Handle copy = kNoHandle;
        if (!old || (error = CreateOwnFile(staging, previous, copy))) {
            return FileFailure{FileStep::KeepBackup, error};
        }
        if (std::optional<FileFailure> failure = Complete(staging, copy, *old)) {
            failure->step = FileStep::KeepBackup;
            return failure;
        }
    }
    if (const std::error_code error = native::Rename(staging, backupPath)) {
        native::RemoveLeftover(staging);
        return FileFailure{FileStep::KeepBackup, error};
    }
    return std::nullopt;
}

class Replacer {
public:
    Replacer(std::string_view bytes, const ReplaceOptions& options)
        : bytes_(bytes), backupPath_(options.backupPath), options_(options) {}
    ~Replacer() { native::Close(previous_.handle); }
    Replacer(const Replacer&) = delete;
    Replacer& operator=(const Replacer&) = delete;

    FileReplaceResult Run(const std::string& path) {
        std::error_code error;
        result_.target = FollowLinks(path, error);
        if (error) {
            return Fail(Outcome::NotOpened, FileStep::FollowLinks, error);
        }
        switch (native::OpenPrevious(result_.target, previous_, error)) {
            case native::Found::OtherThing:
                result_.outcome = Outcome::NotRegularFile;
                return result_;
            case native::Found::Failure:
                return Fail(Outcome::NotOpened, FileStep::OpenTarget, error);
            case native::Found::Nothing:
            case native::Found::RegularFile:
                break;
        }
        wantsBackup_ = previous_.exists && !backupPath_.empty();
        if (!backupPath_.empty()) {
            result_.backup = previous_.exists ? Backup::NotMade : Backup::NoPreviousFile;
        }
        return StaysInPlace() ? RewriteInPlace(true) : ReplaceByRename();
    }

private:
    using Outcome = FileReplaceResult::Outcome;
    using Backup = FileReplaceResult::Backup;

    // Whether a rename would change the file in more than its bytes. The backup as the second
    // name, as a save stopped before its last rename leaves it, is no name to keep.
    bool StaysInPlace() const {
        const bool backupIsTheOtherName = previous_.links == 2 && !backupPath_.empty() &&
                                          native::IsNameOf(backupPath_, previous_.handle);
        const bool otherNames = previous_.links > 1 && !backupIsTheOtherName;
        return options_.mayRewriteInPlace &&
               (otherNames || previous_.keepsOwnerOrAttributesOnlyInPlace);
    }

    FileReplaceResult Fail(Outcome outcome, FileStep step, std::error_code error) {
        result_.outcome = outcome;
        result_.failure = FileFailure{step, error};
        return result_;
    }

    FileReplaceResult ReplaceByRename() {
        const std::string temporary = result_.target + ".tmp";
        Handle handle = kNoHandle;
        if (const std::error_code error = CreateOwnFile(temporary, previous_, handle)) {
            // A writable file in a folder that takes no new file is still written, in place.
            if (previous_.exists && options_.mayRewriteInPlace &&
                native::FolderRefusesNewFile(error)) {
                result_.backupFailure = FileFailure{FileStep::CreateTemporary, error};
                return RewriteInPlace(false);
            }
            return Fail(Outcome::NotOpened, FileStep::CreateTemporary, error);
        }
        if (const std::optional<FileFailure> failure = Complete(temporary, handle, bytes_)) {
            return Fail(Outcome::NotWritten, failure->step, failure->error);
        }
        if (wantsBackup_) {
            // Without a backup the save goes on: the new file replaces the previous one whole.
            result_.backupFailure = KeepBackup(result_.target, previous_, backupPath_, true);
            result_.backup = result_.backupFailure ? Backup::NotMade : Backup::Made;
        }
        if (const std::error_code error =
                native::PutInPlace(temporary, result_.target, previous_)) {
            native::RemoveLeftover(temporary);
            return Fail(Outcome::NotWritten, FileStep::PutInPlace, error);
        }
        return Flushed(native::FlushFolderOf(result_.target));
    }

    // The previous file keeps its identity. Where the folder takes files, its bytes are first
    // copied to the backup, without which nothing is written: an in-place write stopped halfway
    // would otherwise lose both.
    FileReplaceResult RewriteInPlace(bool folderTakesFiles) {
        result_.inPlace = true;
        if (folderTakesFiles && wantsBackup_) {
            result_.backupFailure = KeepBackup(result_.target, previous_, backupPath_, false);
            result_.backup = result_.backupFailure ? Backup::NotMade : Backup::Made;
            if (result_.backupFailure &&
                !native::FolderRefusesNewFile(result_.backupFailure->error)) {
                return Fail(Outcome::NotWritten, FileStep::KeepBackup,
                            result_.backupFailure->error);
            }
        }
        if (const std::error_code error = native::Reserve(previous_.handle, bytes_.size())) {
            return Fail(Outcome::NotWritten, FileStep::ReserveSpace, error);
        }
        std::error_code error = native::WriteAt(previous_.handle, bytes_, 0);
        if (!error) {
            error = native::Truncate(previous_.handle, bytes_.size());
        }
        if (!error) {
            error = native::Flush(previous_.handle);
        }
        if (error) {
            return Fail(Outcome::NotWritten, FileStep::WriteInPlace, error);
        }
        return Flushed(result_.backup == Backup::Made ? native::FlushFolderOf(result_.target)
                                                      : std::error_code());
    }

    FileReplaceResult Flushed(std::error_code folderError) {
        if (folderError) {
            return Fail(Outcome::NotWritten, FileStep::FlushFolder, folderError);
        }
        result_.outcome = Outcome::Replaced;
        return result_;
    }

    std::string_view bytes_;
    const std::string& backupPath_;
    const ReplaceOptions& options_;
    PreviousFile previous_;
    bool wantsBackup_ = false;
    FileReplaceResult result_;
};

// A file reached through relative links, named from its folder's real path rather than by way
// of the links' folders ("project/../shared"), as messages show it.
std::string WithoutDetours(const std::string& path) {
    const std::size_t folderLength = native::FolderPartLength(path);
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::canonical(folderLength == 0 ? "." : path.substr(0, folderLength), error);
    return error ? path : (folder / path.substr(folderLength)).string();
}

}  // namespace

std::string FollowLinks(const std::string& path, std::error_code& error) {
    error.clear();
    std::string current = path;
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        if (!native::IsLink(current)) {
            return followed == 0 ? current : WithoutDetours(current);
        }
        const std::string target = native::ReadLink(current, error);
        if (error) {
            return path;
        }
        if (native::IsAbsolute(target)) {
            current = target;
        } else {
            current.resize(native::FolderPartLength(current));
            current += target;
        }
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

FileReplaceResult ReplaceFile(const std::string& path, std::string_view bytes,
                              const ReplaceOptions& options) {
    return Replacer(bytes, options).Run(path);
}

}  // namespace zurcfg
