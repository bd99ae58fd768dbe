#pragma once

#include <cstddef>
#include <string>

namespace zurcfg {

// A file opened for reading only, and only when it is a regular file once links are followed.
// A folder, a pipe or a device is told apart and never read; opening never waits on a pipe, and
// the check is made on the opened file itself, so nothing swapped in after a look at the path
// gets read.
class RegularFile {
public:
    enum class Status {
        Opened,
        Missing,      // nothing at the path
        NotRegular,   // a folder, pipe, device or socket
        NotReadable,  // something is there, but it could not be opened
    };

    explicit RegularFile(const std::string& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    Status OpenStatus() const { return status_; }

    // Reads up to `most` bytes into `into`; 0 at the end of the file, after a read error, or
    // when the file was not opened.
    std::size_t Read(char* into, std::size_t most);

private:
    int descriptor_ = -1;
    Status status_ = Status::Missing;
};

}  // namespace zurcfg
