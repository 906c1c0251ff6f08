#pragma once
// The one place the repair reaches the platform for a file's kind and times.

#include <ctime>
#include <string>

namespace quorvel {

struct FileTimes {
    bool regular = false;
    timespec lastAccess{};
    timespec creation{}; // the last write where the file system reports no creation time
};

// Reads a file's kind and times; returns 0, or the errno of the failure.
int readFileTimes(const std::string& path, FileTimes& times);

// Puts back the last-access time as read and sets the last-write time to the creation time.
bool restoreTimesAsCreated(const std::string& path, const FileTimes& times);

} // namespace quorvel
