#include "cli/sim_options.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quorvel {

const char* const kSimUsage =
    "Usage: quorvel-sim [OPTION]...\n"
    "  or:  quorvel-sim --aggregate [--format text|csv|json] FILE...\n"
    "Plays one whole one-day match headless between two countries' predefined\n"
    "elevens, with the computer's choices for both captains, and prints the\n"
    "scoresheet (CR LF line ends), the first-innings summary and the result. One\n"
    "seed always gives the same match.\n"
    "\n"
    "  --players FILE        the player database (default: players.dat of the\n"
    "                        current folder, else the installed one)\n"
    "  --seed N              the toss seed, 0 to 4294967295 (default: the clock,\n"
    "                        printed on standard error so the match can be\n"
    "                        replayed)\n"
    "  --left NAME           the user's side (default: India)\n"
    "  --right NAME          the computer's side (default: Pakistan)\n"
    "  --call heads|tails    the left side's call at the toss (default: heads)\n"
    "  --elect bat|bowl      what the toss winner on the left elects (default: bat)\n"
    "  --log FILE            write the ball-by-ball commentary to FILE\n"
    "  --save FILE           write the match record (.quo) to FILE\n"
    "  --matches N --stats   play N matches (match i seeded with the seed plus i)\n"
    "                        and print aggregate figures instead of a scoresheet\n"
    "  --all-pairs           with --stats: cycle through the 36 pairs of countries\n"
    "  --tournament          play the nine countries' tournament (a round robin,\n"
    "                        semi-finals and a final), every match by the\n"
    "                        computer's rules, and print the table, the knockouts,\n"
    "                        the champion and the leaders\n"
    "  --format text|csv|json\n"
    "                        how --stats, --tournament and --predict print\n"
    "                        (default: text); csv and json give one row a match of\n"
    "                        a --stats run, then the aggregates\n"
    "  --jobs N              with --stats or --predict: play on N threads, 1 to\n"
    "                        256 (default: one a core); the output is the same\n"
    "                        for every N\n"
    "  --predict             play one match and print each side's chance of\n"
    "                        winning after every over, from plays of the rest of\n"
    "                        the match (text, csv or json)\n"
    "  --remainders N        with --predict: plays of the rest of the match per\n"
    "                        over, 1 to 100000 (default: 2000)\n"
    "  --resume FILE         play a saved match (.quo) on from where its record\n"
    "                        stops, by the computer's rules for both sides, and\n"
    "                        print its scoresheet; with --seed the same every\n"
    "                        time; --log and --save as for one match\n"
    "  --shard-rows          with --stats --format csv: rows that also carry every\n"
    "                        figure --aggregate needs (extras, boundaries,\n"
    "                        maidens, the best performances, the run's sides)\n"
    "  --aggregate FILE...   read the --shard-rows rows of one run's shards (any\n"
    "                        order, aggregate blocks skipped; - for standard\n"
    "                        input) and print the whole run's aggregates as it\n"
    "                        prints them, in the --format given\n"
    "  -h, --help            print this help and exit\n"
    "      --version         print the version and exit\n"
    "\n"
    "Countries: Australia, England, India, New Zealand, Pakistan, South Africa,\n"
    "Sri Lanka, West Indies, Zimbabwe. Options take their value as --opt VALUE or\n"
    "--opt=VALUE.\n"
    "\n"
    "Each mode takes these options besides --players and --seed, and refuses any\n"
    "other:\n"
    "  one match     --left --right --call --elect --log --save\n"
    "  --stats       --matches --all-pairs (or --left --right) --call --elect\n"
    "                --format --jobs --shard-rows\n"
    "  --tournament  --format\n"
    "  --predict     --left --right --call --elect --log --save (the match played)\n"
    "                --format --jobs --remainders\n"
    "  --aggregate   --format (and neither --players nor --seed)\n"
    "\n"
    "A statistics run stopped by SIGINT or SIGTERM ends with whole rows, says on\n"
    "standard error how many matches were played and exits with 130 or 143.\n"
    "\n"
    "Exit status: 0 played; 1 a file (or standard output) could not be read or\n"
    "written; 2 bad command line or set-up; 3 a side ran out of bowlers.\n";

namespace {

constexpr std::array<cli::OptionSpec, 19> kSimOptions = {{
    {"--players", true}, {"--seed", true},        {"--matches", true},    {"--left", true},
    {"--right", true},   {"--call", true},        {"--elect", true},      {"--log", true},
    {"--save", true},    {"--stats", false},      {"--all-pairs", false}, {"--tournament", false},
    {"--format", true},  {"--jobs", true},        {"--predict", false},   {"--remainders", true},
    {"--resume", true},  {"--shard-rows", false}, {"--aggregate", false},
}};

std::optional<std::uint32_t> parseWholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const unsigned long long value = std::stoull(text);
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// The options each mode takes besides --players and --seed, which every mode takes. An option
// a mode does not use is refused rather than ignored.
struct ModeOptions {
    std::string_view mode; // empty for one match
    std::array<std::string_view, 9> takes;
};
constexpr std::array<ModeOptions, 6> kModeOptions = {{
    {"", {"--left", "--right", "--call", "--elect", "--log", "--save"}},
    {"--stats",
     {"--matches", "--all-pairs", "--left", "--right", "--call", "--elect", "--format", "--jobs",
      "--shard-rows"}},
    {"--tournament", {"--format"}},
    {"--resume", {"--log", "--save"}},
    {"--aggregate", {"--format"}},
    {"--predict",
     {"--left", "--right", "--call", "--elect", "--log", "--save", "--format", "--jobs",
      "--remainders"}},
}};

bool modeTakes(std::string_view mode, std::string_view option) {
    // Aggregating reads rows, not the database, and plays nothing.
    if ((option == "--players" || option == "--seed") && mode != "--aggregate")
        return true;
    if (option == mode)
        return true;
    for (const ModeOptions& one : kModeOptions)
        if (one.mode == mode)
            return std::find(one.takes.begin(), one.takes.end(), option) != one.takes.end();
    return false;
}

// Applies one option; returns what is wrong with its value, or empty.
std::string apply(SimCommand& command, const std::string& name, const std::string& value) {
    SimOptions& options = command.options;
    if (name == "--players") {
        options.playersPath = value;
        command.playersGiven = true;
    } else if (name == "--seed") {
        options.seed = parseWholeNumber(value);
        if (!options.seed)
            return "--seed takes a whole number from 0 to 4294967295, not '" + value + "'";
    } else if (name == "--matches") {
        const auto count = parseWholeNumber(value);
        if (!count || *count < 1 || *count > 10000000)
            return "--matches takes a whole number from 1 to 10000000, not '" + value + "'";
        options.matches = static_cast<int>(*count);
    } else if (name == "--jobs") {
        const auto count = parseWholeNumber(value);
        if (!count || *count < 1 || *count > 256)
            return "--jobs takes a whole number from 1 to 256, not '" + value + "'";
        options.jobs = static_cast<int>(*count);
    } else if (name == "--remainders") {
        const auto count = parseWholeNumber(value);
        if (!count || *count < 1 || *count > 100000)
            return "--remainders takes a whole number from 1 to 100000, not '" + value + "'";
        options.remainders = static_cast<int>(*count);
        command.remaindersGiven = true;
    } else if (name == "--predict") {
        options.predict = true;
    } else if (name == "--left" || name == "--right") {
        (name == "--left" ? options.left : options.right) = value;
    } else if (name == "--call") {
        if (value != "heads" && value != "tails")
            return "--call takes heads or tails, not '" + value + "'";
        options.callHeads = value == "heads";
    } else if (name == "--elect") {
        if (value != "bat" && value != "bowl")
            return "--elect takes bat or bowl, not '" + value + "'";
        options.electBat = value == "bat";
    } else if (name == "--log" || name == "--save") {
        (name == "--log" ? options.logPath : options.savePath) = value;
    } else if (name == "--format") {
        if (value != "text" && value != "csv" && value != "json")
            return "--format takes text, csv or json, not '" + value + "'";
        options.format = value == "csv"    ? cli::OutputFormat::Csv
                         : value == "json" ? cli::OutputFormat::Json
                                           : cli::OutputFormat::Text;
        command.formatGiven = true;
    } else if (name == "--tournament") {
        options.tournament = true;
    } else if (name == "--resume") {
        options.resumePath = value;
    } else if (name == "--shard-rows") {
        options.shardRows = true;
    } else if (name == "--aggregate") {
        options.aggregate = true;
    } else {
        (name == "--stats" ? options.stats : options.allPairs) = true;
    }
    return std::string();
}

} // namespace

SimCommand parseSimCommand(const std::vector<std::string>& arguments) {
    SimCommand command;
    const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments, kSimOptions);
    command.action = parsed.action;
    command.error = parsed.error;
    if (parsed.action != cli::Action::Run)
        return command;
    auto fail = [&command](std::string reason) {
        command.action = cli::Action::UsageError;
        command.error = std::move(reason);
        return command;
    };
    for (const auto& [name, value] : parsed.options)
        if (std::string problem = apply(command, name, value); !problem.empty())
            return fail(problem);
    SimOptions& options = command.options;
    if (options.aggregate) {
        if (parsed.operands.empty())
            return fail("--aggregate needs the files of the rows to read");
        if (options.stats || options.tournament || options.predict || !options.resumePath.empty())
            return fail("--aggregate reads rows; it does not go with --stats, --tournament, "
                        "--predict or --resume");
        options.aggregateFiles = parsed.operands;
    } else if (!parsed.operands.empty()) {
        return fail("unexpected argument '" + parsed.operands.front() + "'");
    }
    if (options.matches != 1 && !options.stats)
        return fail("--matches goes with --stats");
    if (options.allPairs && !options.stats)
        return fail("--all-pairs goes with --stats");
    if (options.stats && (!options.logPath.empty() || !options.savePath.empty()))
        return fail("--log and --save write one match; they do not go with --stats");
    if (options.tournament &&
        (options.stats || !options.logPath.empty() || !options.savePath.empty()))
        return fail("--tournament plays a whole tournament; it does not go with --stats, --log "
                    "or --save");
    if (!options.resumePath.empty() && (options.stats || options.tournament || options.predict))
        return fail("--resume plays on one saved match; it does not go with --stats, --tournament "
                    "or --predict");
    if (options.predict && (options.stats || options.tournament))
        return fail("--predict plays one match; it does not go with --stats or --tournament");
    if (command.formatGiven && !options.tournament && !options.stats && !options.predict &&
        !options.aggregate)
        return fail("--format goes with --stats, --tournament, --predict or --aggregate");
    if (options.shardRows && !(options.stats && options.format == cli::OutputFormat::Csv))
        return fail("--shard-rows goes with --stats --format csv");
    if (options.jobs != 0 && !options.stats && !options.predict)
        return fail("--jobs goes with --stats or --predict");
    if (command.remaindersGiven && !options.predict)
        return fail("--remainders goes with --predict");
    const std::string_view mode = options.tournament            ? "--tournament"
                                  : options.predict             ? "--predict"
                                  : options.stats               ? "--stats"
                                  : !options.resumePath.empty() ? "--resume"
                                  : options.aggregate           ? "--aggregate"
                                                                : "";
    for (const auto& [name, value] : parsed.options)
        if (!modeTakes(mode, name))
            return fail(name + (mode.empty()
                                    ? std::string(" goes with --stats, --tournament or --predict")
                                    : " does not go with " + std::string(mode)));
    if (options.allPairs)
        for (const auto& [name, value] : parsed.options)
            if (name == "--left" || name == "--right")
                return fail(name + " names one side; it does not go with --all-pairs");
    return command;
}

} // namespace quorvel
