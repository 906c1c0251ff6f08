#include "records/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

std::string_view messageTemplate(FileErrorKind kind) {
    switch (kind) {
    case FileErrorKind::NotFound:
        return "%1 was not found.";
    case FileErrorKind::BadPath:
        return "%1 contains an invalid path.";
    case FileErrorKind::TooManyOpenFiles:
        return "%1 could not be opened because there are too many open files.";
    case FileErrorKind::AccessDenied:
        return "Access to %1 was denied.";
    case FileErrorKind::ReadOnly:
        return "Unable to write to %1, it is read-only or opened by someone else.";
    case FileErrorKind::SharingViolation:
        return "A sharing violation occurred while accessing %1.";
    case FileErrorKind::LockViolation:
        return "A locking violation occurred while accessing %1.";
    case FileErrorKind::HardwareIo:
        return "A hardware I/O error was reported while accessing %1.";
    case FileErrorKind::DiskFull:
        return "Disk full while accessing %1.";
    case FileErrorKind::EndOfFile:
        return "An attempt was made to access %1 past its end.";
    case FileErrorKind::BadFormat:
        return "%1 has a bad format.";
    case FileErrorKind::Generic:
        break;
    }
    return "An unknown error occurred while accessing %1.";
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Hands the descriptor over to the caller, who closes it.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now and reports the error close gives (a delayed write error shows up here).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

FileError errorFromErrno(int err, const std::string& path) {
    return FileError{fileErrorKindFromErrno(err), path};
}

// Writes every byte, retrying short writes; returns 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::optional<FileError> writeInPlace(const std::string& path, std::string_view bytes) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0)
        return errorFromErrno(errno, path);
    if (const int err = writeAll(fd.get(), bytes))
        return errorFromErrno(err, path);
    if (const int err = fd.close())
        return errorFromErrno(err, path);
    return std::nullopt;
}

mode_t defaultNewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string FileError::message() const {
    std::string text(messageTemplate(kind));
    const auto at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

FileErrorKind fileErrorKindFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return FileErrorKind::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return FileErrorKind::BadPath;
    case EMFILE:
    case ENFILE:
        return FileErrorKind::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
        return FileErrorKind::AccessDenied;
    case EROFS:
        return FileErrorKind::ReadOnly;
    case ETXTBSY:
    case EBUSY:
        return FileErrorKind::SharingViolation;
    case EDEADLK:
    case ENOLCK:
        return FileErrorKind::LockViolation;
    case EIO:
        return FileErrorKind::HardwareIo;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileErrorKind::DiskFull;
    default:
        return FileErrorKind::Generic;
    }
}

FileErrorKind fileErrorKindFromArchive(ArchiveFault fault) {
    return fault == ArchiveFault::EndOfData ? FileErrorKind::EndOfFile : FileErrorKind::BadFormat;
}

FileReader::~FileReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<FileError> FileReader::open(const std::string& path) {
    if (path.empty())
        return FileError{FileErrorKind::BadPath, path};
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return errorFromErrno(errno, path);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return errorFromErrno(errno, path);
    if (S_ISDIR(status.st_mode))
        return FileError{FileErrorKind::AccessDenied, path};

    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd.release();
    path_ = path;
    regular_ = S_ISREG(status.st_mode);
    size_ = regular_ && status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
    return std::nullopt;
}

std::optional<FileError> FileReader::read(char* into, std::size_t size, std::size_t& got) {
    got = 0;
    if (fd_ < 0)
        return FileError{FileErrorKind::Generic, path_};
    for (;;) {
        const ssize_t n = ::read(fd_, into, size);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return std::nullopt;
        }
        if (errno != EINTR)
            return errorFromErrno(errno, path_);
    }
}

std::optional<FileError> FileReader::readRest(std::string& bytes) {
    std::string data;
    data.reserve(size_);
    char buffer[65536];
    for (;;) {
        std::size_t got = 0;
        if (auto error = read(buffer, sizeof buffer, got))
            return error;
        if (got == 0)
            break;
        data.append(buffer, got);
    }
    bytes = std::move(data);
    return std::nullopt;
}

std::optional<FileError> readWholeFile(const std::string& path, std::string& bytes) {
    FileReader file;
    if (auto error = file.open(path))
        return error;
    return file.readRest(bytes);
}

std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return FileError{FileErrorKind::BadPath, path};

    // Write through a symbolic link to the file it names, so the link itself survives.
    std::string target = path;
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (exists) {
        if (S_ISDIR(status.st_mode))
            return FileError{FileErrorKind::AccessDenied, path};
        if (!S_ISREG(status.st_mode))
            return writeInPlace(path, bytes);
        if ((status.st_mode & 0222) == 0)
            return FileError{FileErrorKind::ReadOnly, path};
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            target = resolved;
    } else if (errno != ENOENT) {
        return errorFromErrno(errno, path);
    }

    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temporary = folder + (slash == std::string::npos ? "/" : "") + "." + name + ".XXXXXX";

    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        return errorFromErrno(errno, path);

    auto fail = [&](int err) {
        ::unlink(temporary.c_str());
        return errorFromErrno(err, path);
    };
    if (const int err = writeAll(fd.get(), bytes))
        return fail(err);
    const mode_t mode = exists ? (status.st_mode & 07777) : defaultNewFileMode();
    if (::fchmod(fd.get(), mode) != 0)
        return fail(errno);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (const int err = fd.close())
        return fail(err);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    return std::nullopt;
}

} // namespace quorvel
