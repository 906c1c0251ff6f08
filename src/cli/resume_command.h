#pragma once
// quorvel-sim --resume: a saved match played on to its end by the computer's rules for both
// sides, its scoresheet printed.

#include "cli/sim_command.h"

namespace quorvel {

// The whole command: start-up, the saved match of options.resumePath (a damaged file refused as
// a bad format, exit status 1; one with nothing to play on, exit status 2), the rest played from
// the seed (the clock's, printed on standard error, when none is given), the scoresheet and the
// two innings lines as output, and --log and --save writing the whole match's commentary and
// record.
SimResult runResumeSim(const SimOptions& options);

} // namespace quorvel
