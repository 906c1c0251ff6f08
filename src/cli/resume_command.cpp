#include "cli/resume_command.h"

#include "engine/random.h"
#include "predict/match_resume.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "records/scores_file.h"
#include "screen/headless_match.h"

namespace quorvel {

SimResult runResumeSim(const SimOptions& options) {
    PlayerDatabase database;
    if (auto failed = loadSimCommandDatabase(database, options))
        return std::move(*failed);
    SimResult result;
    Scores saved;
    if (auto error = readScoresFile(options.resumePath, saved)) {
        result.exitStatus = kExitFileError;
        result.errors = simProblem(error->message());
        return result;
    }
    if (!resumePosition(saved, database)) {
        result.exitStatus = kExitBadSetUp;
        result.errors = simProblem(options.resumePath + " holds no match to play on: nothing was "
                                                        "bowled, or the match is over");
        return result;
    }
    const std::uint32_t seed = seedOf(options);
    if (!options.seed)
        result.errors = simProblem("seed " + std::to_string(seed) + " (replay with --seed " +
                                   std::to_string(seed) + ")");
    Random random;
    Scores scores;
    PlayedMatch played = playSavedMatchOn(saved, scores, database, random, seed);
    if (!played.finished) {
        result.exitStatus = kExitStuck;
        result.errors += simProblem("no bowler could bowl the next over");
    }
    result.output = std::move(played.text);
    result.log = std::move(played.log);
    writeMatchFiles(options, scores, result);
    return result;
}

} // namespace quorvel
