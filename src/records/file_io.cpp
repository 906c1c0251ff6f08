#include "records/file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

// Opens without waiting (a pipe with no reader or writer would block the open for ever), then
// lets reads and writes wait as usual.
int openWithoutWaiting(const char* path, int flags) {
    const int fd = ::open(path, flags | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        const int status = ::fcntl(fd, F_GETFL);
        if (status >= 0)
            ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    }
    return fd;
}

// Writes over the file itself. A regular file is overwritten first and cut to length after, so
// it needs no more space than the larger of its old and new contents.
std::optional<FileError> writeInPlace(const std::string& path, std::string_view bytes) {
    FileDescriptor fd(openWithoutWaiting(path.c_str(), O_WRONLY));
    if (fd.get() < 0)
        return errorFromErrno(errno, path);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return errorFromErrno(errno, path);
    if (const int err = writeAll(fd.get(), bytes))
        return errorFromErrno(err, path);
    if (S_ISREG(status.st_mode) && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        return errorFromErrno(errno, path);
    if (const int err = fd.close())
        return errorFromErrno(err, path);
    return std::nullopt;
}

mode_t defaultNewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

constexpr std::string_view kTemporaryMark = ".quorvel-";
constexpr std::string_view kTemporaryPattern = "XXXXXX";
// A killed writer's temporary is at least this old; a live one is locked long before.
constexpr time_t kLeftoverAge = 60;

// ".NAME.quorvel-", NAME cut short so that the temporary's name fits the folder's file system.
std::string temporaryPrefix(const std::string& folder, const std::string& name) {
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    const std::size_t overhead = 1 + kTemporaryMark.size() + kTemporaryPattern.size();
    const std::size_t room = static_cast<std::size_t>(longest) > overhead ? longest - overhead : 0;
    return "." + name.substr(0, room) + std::string(kTemporaryMark);
}

// Removes our own temporaries of the same file that a killed writer left behind: owned by this
// user, not locked by a live writer and at least a minute old.
void removeLeftovers(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        if (entryName.size() != prefix.size() + kTemporaryPattern.size() ||
            entryName.substr(0, prefix.size()) != prefix)
            continue;
        FileDescriptor fd(
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
            status.st_uid != ::geteuid() || status.st_mtime > ::time(nullptr) - kLeftoverAge ||
            ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
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
    FileDescriptor fd(openWithoutWaiting(path.c_str(), O_RDONLY));
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

std::optional<FileError> FileReader::readRest(std::string& bytes, std::size_t limit) {
    if (size_ > limit)
        return FileError{FileErrorKind::BadFormat, path_};
    std::string data;
    data.reserve(size_);
    char buffer[65536];
    for (;;) {
        std::size_t got = 0;
        if (auto error = read(buffer, sizeof buffer, got))
            return error;
        if (got == 0)
            break;
        if (got > limit - data.size())
            return FileError{FileErrorKind::BadFormat, path_};
        data.append(buffer, got);
    }
    bytes = std::move(data);
    return std::nullopt;
}

std::optional<FileError> readWholeFile(const std::string& path, std::string& bytes,
                                       std::size_t limit) {
    FileReader file;
    if (auto error = file.open(path))
        return error;
    return file.readRest(bytes, limit);
}

namespace {

// Whether a write to path would follow a symbolic link that another user planted in a sticky
// folder everybody may write (/tmp): one owned neither by this user, nor by the folder's owner,
// nor by root. Such a link is refused where the kernel's protected_symlinks is off too. Every
// link of a chain is looked at in its own folder.
bool followsPlantedLink(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return false;
        const auto slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        struct stat parent {};
        if (::stat(folder.c_str(), &parent) != 0)
            return false;
        const bool sharedSticky =
            (parent.st_mode & S_ISVTX) != 0 && (parent.st_mode & S_IWOTH) != 0;
        if (sharedSticky && link.st_uid != ::geteuid() && link.st_uid != parent.st_uid &&
            link.st_uid != 0)
            return true;
        std::string next(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : PATH_MAX),
                         '\0');
        const ssize_t length = ::readlink(path.c_str(), next.data(), next.size());
        if (length <= 0)
            return false;
        next.resize(static_cast<std::size_t>(length));
        path = next.front() == '/' || slash == std::string::npos ? next : folder + next;
    }
    return false;
}

} // namespace

std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return FileError{FileErrorKind::BadPath, path};
    if (followsPlantedLink(path))
        return FileError{FileErrorKind::AccessDenied, path};

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
        // Whoever may not write the file directly may not replace it either.
        if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
            return errorFromErrno(errno, path);
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr)
            target = resolved;
    } else if (errno != ENOENT) {
        return errorFromErrno(errno, path);
    }

    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string prefix = temporaryPrefix(folder, name);
    removeLeftovers(folder, prefix);
    std::string temporary =
        folder + (slash == std::string::npos ? "/" : "") + prefix + std::string(kTemporaryPattern);

    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        // A writable file in a folder the user may not write is written in place.
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(target, bytes);
        return errorFromErrno(errno, path);
    }
    // Locked while it lives, so that no other writer takes it for a leftover.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);

    auto fail = [&](int err) {
        ::unlink(temporary.c_str());
        return errorFromErrno(err, path);
    };
    // The replacement keeps the original's owner and group; where this user cannot give it
    // them, the file is written in place instead, which keeps them too.
    struct stat made {};
    if (::fstat(fd.get(), &made) != 0)
        return fail(errno);
    if (exists && (made.st_uid != status.st_uid || made.st_gid != status.st_gid) &&
        ::fchown(fd.get(), status.st_uid, status.st_gid) != 0) {
        ::unlink(temporary.c_str());
        return writeInPlace(target, bytes);
    }
    if (const int err = writeAll(fd.get(), bytes))
        return fail(err);
    const mode_t mode = exists ? (status.st_mode & 07777) : defaultNewFileMode();
    if (::fchmod(fd.get(), mode) != 0)
        return fail(errno);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    return std::nullopt;
}

} // namespace quorvel
