#pragma once
// The start-up repair of "players.dat": undoes a text-mode transfer that put a CR before every
// LF byte.

#include <optional>
#include <string>

#include "records/file_io.h"

namespace quorvel {

// Unwritten: the repaired bytes load, but the file could not be rewritten and is untouched.
enum class RepairOutcome { Missing, Untouched, Repaired, Unwritten, Failed };

struct PlayerRepair {
    RepairOutcome outcome = RepairOutcome::Untouched;
    std::string repaired;                // for Unwritten: the repaired bytes
    std::optional<FileError> writeError; // for Unwritten: why they could not be written back
};
// Only a regular file is repaired, and never one that loads and checks as valid as it stands,
// whatever bytes it holds (CR LF pairs in its data included). Any other is rewritten when the
// repaired bytes load, and when it loaded already only if they also check as valid. The
// rewrite is a safe replacement (writeWholeFile). Afterwards its last-access time is as read,
// and its last-write time is its creation time where the file system reports one (else the old
// last-write time).
PlayerRepair repairPlayerFileKeepingBytes(const std::string& path);
RepairOutcome repairPlayerFile(const std::string& path);

} // namespace quorvel
