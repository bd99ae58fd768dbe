#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace zurcfg {

// Replaces a file the way careful editors and databases do, so that at every instant its path
// holds either the complete old or the complete new bytes, and a success is on the disk:
//
//  1. the new bytes go to a temporary file beside it, created exclusively, written in full and
//     flushed;
//  2. the previous file becomes the backup, as a hard link (or a copy where links fail) renamed
//     over the older backup;
//  3. the temporary file is renamed over the file, and the folder is flushed.
//
// A file that a rename would change in more than its bytes is rewritten in place instead, after
// a copy to the backup and once its new size is reserved, so that a full disk fails before a
// byte changes: one with several hard links, an owner or group this process cannot give a new
// file, or extended attributes (ACLs among them). So is a writable file in a folder that takes
// no new file, without a backup then. The mode is always kept. Symbolic links are followed and
// stay links: the file at the end of the chain is replaced.
//
// Callers that may race each other hold a FileLock around the whole replace.

// A step of a replace, for telling which one failed.
enum class FileStep {
    FollowLinks,      // reading the chain of symbolic links to the file
    OpenTarget,       // opening the previous file for writing
    CreateTemporary,  // creating a new file in the folder
    WriteTemporary,   // writing the new bytes to it
    FlushTemporary,   // flushing them to the disk
    KeepBackup,       // making the previous file the backup
    ReserveSpace,     // reserving the new size of a file rewritten in place
    WriteInPlace,     // writing the new bytes over the previous ones
    PutInPlace,       // renaming the new file over the previous one
    FlushFolder,      // flushing the folder that now names the new file
};

// The step that failed and the system's reason.
struct FileFailure {
    FileStep step;
    std::error_code error;
};

struct FileReplaceResult {
    enum class Outcome {
        Replaced,
        NotRegularFile,  // a folder, pipe or device stands there; nothing was touched
        NotOpened,       // the file could not be written or created; nothing changed
        NotWritten,      // a later step failed; see `failure` for what is left
    };
    enum class Backup {
        NotAsked,        // no backup path was given
        NoPreviousFile,  // nothing stood at the path before
        Made,            // the backup holds the previous file
        NotMade,         // it could not be made; the older backup, if any, is as it was
    };

    Outcome outcome = Outcome::NotOpened;
    Backup backup = Backup::NotAsked;
    bool inPlace = false;                // the file was (to be) rewritten in place
    std::string target;                  // the file replaced: the path with its links followed
    std::optional<FileFailure> failure;  // why it was not Replaced
    std::optional<FileFailure> backupFailure;  // why the backup was NotMade

    bool Replaced() const { return outcome == Outcome::Replaced; }
};

// The path at the end of the chain of symbolic links that starts at path (path itself when it is
// no link); a relative link is read from the folder that holds it. Sets error for a loop or a
// link that cannot be read.
std::string FollowLinks(const std::string& path, std::error_code& error);

struct ReplaceOptions {
    // Where the previous file is kept; none when empty.
    std::string backupPath;
    // False for a file that is only ever renamed into place, whatever a rename changes of it,
    // and left as it is in a folder that takes no new file.
    bool mayRewriteInPlace = true;
};

// Replaces the file at path (links followed) with bytes. When the new bytes cannot be written in
// full, the file and the older backup are left byte for byte as they were and no temporary file
// remains; a failure after that leaves only complete files.
FileReplaceResult ReplaceFile(const std::string& path, std::string_view bytes,
                              const ReplaceOptions& options = {});

}  // namespace zurcfg
