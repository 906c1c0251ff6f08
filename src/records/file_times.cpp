#include "records/file_times.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorvel {

namespace {

timespec toTimespec(const struct statx_timestamp& t) {
    return timespec{static_cast<time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)};
}

} // namespace

int readFileTimes(const std::string& path, FileTimes& times) {
    struct statx status {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &status) != 0)
        return errno;
    times.regular = S_ISREG(status.stx_mode);
    times.lastAccess = toTimespec(status.stx_atime);
    times.creation =
        toTimespec((status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_mtime);
    return 0;
}

bool restoreTimesAsCreated(const std::string& path, const FileTimes& times) {
    const timespec both[2] = {times.lastAccess, times.creation};
    return ::utimensat(AT_FDCWD, path.c_str(), both, 0) == 0;
}

} // namespace quorvel
