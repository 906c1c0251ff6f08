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

// Reads the whole file into bytes. On failure bytes is left as it was.
std::optional<FileError> readWholeFile(const std::string& path, std::string& bytes);

// Replaces the file's contents with bytes without ever leaving it half-written: the bytes go to a
// temporary file in the same folder, which is then renamed over the original (keeping its
// permission bits). A file with no write permission bit at all counts as read-only and is not
// replaced. Devices and other special files are written in place, since they cannot be renamed
// over. On failure the original file is untouched.
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace quorvel
