#include "records/player_repair.h"

#include <cerrno>

#include "common/line_ends.h"
#include "records/file_io.h"
#include "records/file_times.h"
#include "records/player_check.h"

namespace quorvel {

RepairOutcome repairPlayerFile(const std::string& path) {
    FileTimes before;
    if (const int error = readFileTimes(path, before); error != 0)
        return error == ENOENT ? RepairOutcome::Missing : RepairOutcome::Failed;
    // Only a regular file can have been transferred, and only one is read twice: a pipe or a
    // device is left for the load to read once.
    FileReader file;
    if (!before.regular || file.open(path) || !file.regular())
        return RepairOutcome::Untouched;
    std::string bytes;
    if (file.readRest(bytes))
        return RepairOutcome::Failed;
    std::string repaired;
    if (removeCrBeforeLf(bytes, repaired) == 0)
        return RepairOutcome::Untouched;
    // A file that loads and checks as valid is never rewritten, whatever bytes it holds. Any
    // other is repaired when the repair makes it load: valid, when it loaded already.
    const PlayerFileFindings asItIs = inspectPlayerFile(bytes);
    if (asItIs.loads && asItIs.problems.empty())
        return RepairOutcome::Untouched;
    const PlayerFileFindings afterRepair = inspectPlayerFile(repaired);
    if (!afterRepair.loads || (asItIs.loads && !afterRepair.problems.empty()))
        return RepairOutcome::Untouched;
    if (writeWholeFile(path, repaired))
        return RepairOutcome::Failed;

    if (!restoreTimesAsCreated(path, before))
        return RepairOutcome::Failed;
    return RepairOutcome::Repaired;
}

} // namespace quorvel
