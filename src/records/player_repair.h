#pragma once
// The start-up repair of "players.dat": undoes a text-mode transfer that put a CR before every
// LF byte.

#include <string>

namespace quorvel {

enum class RepairOutcome { Missing, Untouched, Repaired, Failed };
// Only a regular file is repaired, and never one that loads and checks as valid as it stands,
// whatever bytes it holds (CR LF pairs in its data included). Any other is rewritten when the
// repaired bytes load, and when it loaded already only if they also check as valid. The
// rewrite is a safe replacement (writeWholeFile). Afterwards its last-access time is as read,
// and its last-write time is its creation time where the file system reports one (else the old
// last-write time).
RepairOutcome repairPlayerFile(const std::string& path);

} // namespace quorvel
