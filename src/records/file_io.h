#pragma once
// Whole-file reads and safe whole-file writes, with failures described by the user's texts.

#include <optional>
#include <string>
#include <string_view>

#include "records/archive.h"

namespace quorvel {

enum class FileErrorKind {
    Generic,          // "An unknown error occurred while accessing %1."
    NotFound,         // "%1 was not found."
    BadPath,          // "%1 contains an invalid path."
    TooManyOpenFiles, // "%1 could not be opened because there are too many open files."
    AccessDenied,     // "Access to %1 was denied."
    ReadOnly,         // "Unable to write to %1, it is read-only or opened by someone else."
    SharingViolation, // "A sharing violation occurred while accessing %1."
    LockViolation,    // "A locking violation occurred while accessing %1."
    HardwareIo,       // "A hardware I/O error was reported while accessing %1."
    DiskFull,         // "Disk full while accessing %1."
    EndOfFile,        // "An attempt was made to access %1 past its end."
    BadFormat,        // "%1 has a bad format."
};

struct FileError {
    FileErrorKind kind = FileErrorKind::Generic;
    std::string path;

    // The message shown to the user, the path in place of %1.
    std::string message() const;
};

// The kind of failure that an errno value stands for.
FileErrorKind fileErrorKindFromErrno(int err);
// The kind of failure that a failed archive read stands for.
FileErrorKind fileErrorKindFromArchive(ArchiveFault fault);

// The most a whole-file read takes unless its caller sets its own bound, so that a device or a
// pipe that never ends cannot exhaust memory: 256 MiB, also the ceiling of "players.dat".
constexpr std::size_t kLargestFileRead = std::size_t{256} << 20;

// Reads a file a piece at a time, so that a large one never has to be in memory whole.
class FileReader {
public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    // Opens the file for reading. A folder is refused as access denied. The open never waits:
    // a pipe without a writer opens at once and reads as empty.
    std::optional<FileError> open(const std::string& path);
    // Copies up to size further bytes to into and sets got to their count, 0 at the end.
    std::optional<FileError> read(char* into, std::size_t size, std::size_t& got);
    // Reads everything still to come into bytes. More than limit bytes is refused as a bad
    // format, before anything is read when the file is a regular one that large. On failure
    // bytes is left as it was.
    std::optional<FileError> readRest(std::string& bytes, std::size_t limit = kLargestFileRead);
    // Whether the file is a regular one, and its size when it was opened (0 for other kinds).
    bool regular() const { return regular_; }
    std::size_t size() const { return size_; }

private:
    int fd_ = -1;
    std::string path_;
    bool regular_ = false;
    std::size_t size_ = 0;
};

// Reads the whole file into bytes, at most limit of them (see readRest). On failure bytes is
// left as it was.
std::optional<FileError> readWholeFile(const std::string& path, std::string& bytes,
                                       std::size_t limit = kLargestFileRead);

// Replaces the file's contents with bytes without ever leaving it half-written: the bytes go to a
// temporary file in the same folder, which takes the original's owner, group and mode and is
// then renamed over it. Only a user who may write the file may replace it ("Access to %1 was
// denied." otherwise), and a file with no write permission bit at all counts as read-only.
// Where the temporary cannot be made or given the original's owner (a folder the user may not
// write, a file of someone else's), the file is written in place, as are devices and other
// special files, which cannot be renamed over. On failure the original file is untouched,
// except by a failed write in place.
//
// The temporary is ".NAME.quorvel-XXXXXX", NAME cut short so that it always fits the file
// system. One left behind by a killed writer is removed the next time the same file is written.
// A symbolic link that another user (not root, not the folder's owner) planted in a sticky
// folder everybody may write is not followed: "Access to %1 was denied."
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace quorvel
