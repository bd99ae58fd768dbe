#include "config/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zurcfg {

namespace {

#ifdef _WIN32
using FileStat = struct _stat64;

int OpenForReading(const std::string& path) {
    // Binary, so that a Ctrl-Z byte does not end the file early.
    return _open(path.c_str(), _O_RDONLY | _O_BINARY);
}
int StatPath(const std::string& path, FileStat& stat) {
    return _stat64(path.c_str(), &stat);
}
int StatOpened(int descriptor, FileStat& stat) {
    return _fstat64(descriptor, &stat);
}
bool IsRegular(const FileStat& stat) {
    return (stat.st_mode & _S_IFMT) == _S_IFREG;
}
long ReadSome(int descriptor, char* into, std::size_t most) {
    return _read(descriptor, into, static_cast<unsigned>(std::min<std::size_t>(most, INT_MAX)));
}
void CloseFile(int descriptor) {
    _close(descriptor);
}
#else
using FileStat = struct stat;

int OpenForReading(const std::string& path) {
    // Without O_NONBLOCK opening a pipe would wait for a writer; the flag does not change how a
    // regular file is read.
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
int StatPath(const std::string& path, FileStat& stat) {
    return ::stat(path.c_str(), &stat);
}
int StatOpened(int descriptor, FileStat& stat) {
    return fstat(descriptor, &stat);
}
bool IsRegular(const FileStat& stat) {
    return S_ISREG(stat.st_mode);
}
long ReadSome(int descriptor, char* into, std::size_t most) {
    long got;
    do {
        got = static_cast<long>(read(descriptor, into, most));
    } while (got < 0 && errno == EINTR);
    return got;
}
void CloseFile(int descriptor) {
    close(descriptor);
}
#endif

// Why a path could not be opened: what stands there decides.
RegularFile::Status FailureAt(const std::string& path) {
    FileStat stat{};
    if (StatPath(path, stat) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? RegularFile::Status::Missing
                                                   : RegularFile::Status::NotReadable;
    }
    return IsRegular(stat) ? RegularFile::Status::NotReadable : RegularFile::Status::NotRegular;
}

}  // namespace

RegularFile::RegularFile(const std::string& path) {
    const int descriptor = OpenForReading(path);
    if (descriptor < 0) {
        status_ = FailureAt(path);
        return;
    }
    FileStat stat{};
    const bool known = StatOpened(descriptor, stat) == 0;
    if (!known || !IsRegular(stat)) {
        CloseFile(descriptor);
        status_ = known ? Status::NotRegular : Status::NotReadable;
        return;
    }
    descriptor_ = descriptor;
    status_ = Status::Opened;
}

RegularFile::~RegularFile() {
    if (descriptor_ >= 0) {
        CloseFile(descriptor_);
    }
}

std::size_t RegularFile::Read(char* into, std::size_t most) {
    if (descriptor_ < 0) {
        return 0;
    }
    const long got = ReadSome(descriptor_, into, most);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

}  // namespace zurcfg
