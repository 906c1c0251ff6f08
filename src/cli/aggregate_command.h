#pragma once
// Statistics runs split over machines: the rows of --stats --format csv --shard-rows carry
// everything the aggregate figures are made of, and --aggregate reads the rows of a run's
// shards (in any order, their aggregate blocks skipped) and prints the aggregates exactly as
// the whole run prints them.

#include <string>
#include <vector>

#include "cli/sim_command.h"
#include "cli/table_writer.h"

namespace quorvel {

// --aggregate FILE...: reads the rows ("-" is standard input) and prints the aggregates. Rows
// without the shard columns, rows of more than one run, a seed twice or a seed missing between
// the first and the last are refused with exit status 2; a file that cannot be read gives 1.
SimResult runAggregateSim(const SimOptions& options);

} // namespace quorvel
