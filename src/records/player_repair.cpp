#include "records/player_repair.h"

#include <cerrno>

#include "common/line_ends.h"
#include "records/file_io.h"
#include "records/file_times.h"
#include "records/player_check.h"

namespace quorvel {

RepairOutcome repairPlayerFile(const std::string& path) {
    return repairPlayerFileKeepingBytes(path).outcome;
}

PlayerRepair repairPlayerFileKeepingBytes(const std::string& path) {
    const auto outcome = [](RepairOutcome kind) { return PlayerRepair{kind, {}, {}}; };
    FileTimes before;
    if (const int error = readFileTimes(path, before); error != 0)
        return outcome(error == ENOENT ? RepairOutcome::Missing : RepairOutcome::Failed);
    // Only a regular file can have been transferred, and only one is read twice: a pipe or a
    // device is left for the load to read once.
    FileReader file;
    if (!before.regular || file.open(path) || !file.regular())
        return outcome(RepairOutcome::Untouched);
    std::string bytes;
    if (file.readRest(bytes))
        return outcome(RepairOutcome::Failed);
    std::string repaired;
    if (removeCrBeforeLf(bytes, repaired) == 0)
        return outcome(RepairOutcome::Untouched);
    // A file that loads and checks as valid is never rewritten, whatever bytes it holds. Any
    // other is repaired when the repair makes it load: valid, when it loaded already.
    const PlayerFileFindings asItIs = inspectPlayerFile(bytes);
    if (asItIs.loads && asItIs.problems.empty())
        return outcome(RepairOutcome::Untouched);
    const PlayerFileFindings afterRepair = inspectPlayerFile(repaired);
    if (!afterRepair.loads || (asItIs.loads && !afterRepair.problems.empty()))
        return outcome(RepairOutcome::Untouched);
    // Bytes that load but cannot be written back are handed to the caller, the file untouched.
    if (auto error = writeWholeFile(path, repaired))
        return PlayerRepair{RepairOutcome::Unwritten, std::move(repaired), std::move(error)};

    if (!restoreTimesAsCreated(path, before))
        return outcome(RepairOutcome::Failed);
    return outcome(RepairOutcome::Repaired);
}

} // namespace quorvel
