#pragma once
// quorvel-sim's command line: its options, its --help text and their reading into SimOptions.

#include <string>
#include <vector>

#include <cstdint>
#include <optional>

#include "cli/command_line.h"
#include "cli/table_writer.h"

namespace quorvel {

struct SimOptions {
    std::string playersPath = "players.dat";
    std::optional<std::uint32_t> seed; // none: the calendar time
    std::string left = "India";
    std::string right = "Pakistan";
    bool callHeads = true;
    bool electBat = true;
    std::string logPath;  // empty: no log written
    std::string savePath; // empty: no match file written
    // --matches N --stats: N matches, match i seeded with seed + i, and aggregate figures
    // printed instead of a scoresheet. --all-pairs plays the 36 pairs of countries in turn.
    int matches = 1;
    bool stats = false;
    bool allPairs = false;
    // --tournament: the nine countries' tournament, every match by the computer's rules.
    bool tournament = false;
    // --predict: one match, and each side's chance of winning after every over, from
    // `remainders` plays of the rest of the match.
    bool predict = false;
    int remainders = 2000;
    // --resume FILE: a saved match played on from where its record stops.
    std::string resumePath;
    cli::OutputFormat format = cli::OutputFormat::Text;
    // --jobs N: how many threads play a statistics run; 0 for one a core. The output is the same
    // for every count.
    int jobs = 0;
    // --shard-rows: with --stats --format csv, rows that also carry what --aggregate needs.
    bool shardRows = false;
    // --aggregate FILE...: the aggregates of the rows of one run's shards, read from the files
    // ("-" for standard input).
    bool aggregate = false;
    std::vector<std::string> aggregateFiles;
};

extern const char* const kSimUsage;

struct SimCommand {
    cli::Action action = cli::Action::Run;
    SimOptions options;
    bool playersGiven = false; // --players named the database (no fall-back to the installed one)
    bool formatGiven = false;
    bool remaindersGiven = false;
    std::string error; // for a usage error: what is wrong, one line
};

// Reads the command-line arguments (without the program name).
SimCommand parseSimCommand(const std::vector<std::string>& arguments);

} // namespace quorvel
