#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/sim_options.h"
#include "cli/table_writer.h"
#include "cli/tournament_command.h"
#include "common/desktop_places.h"
#include "common/text_format.h"
#include "installed_data.h"
#include "records/player_codec.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

TEST(SimArguments, DefaultsSpellingsAndRefusals) {
    SimCommand command = parseSimCommand({});
    ASSERT_EQ(command.action, cli::Action::Run);
    EXPECT_EQ(command.options.playersPath, "players.dat");
    EXPECT_FALSE(command.playersGiven);
    EXPECT_EQ(command.options.left, "India");
    EXPECT_EQ(command.options.right, "Pakistan");
    EXPECT_TRUE(command.options.callHeads);
    EXPECT_TRUE(command.options.electBat);
    EXPECT_FALSE(command.options.seed);

    command = parseSimCommand({"--predict", "--remainders=50", "--jobs", "2", "--format", "csv"});
    ASSERT_EQ(command.action, cli::Action::Run) << command.error;
    EXPECT_TRUE(command.options.predict);
    EXPECT_EQ(command.options.remainders, 50);

    command = parseSimCommand({"--seed=4294967295", "--call", "tails", "--elect=bowl", "--left",
                               "New Zealand", "--log", "x.log", "--players=a=b.dat"});
    ASSERT_EQ(command.action, cli::Action::Run) << command.error;
    EXPECT_EQ(*command.options.seed, 4294967295u);
    EXPECT_FALSE(command.options.callHeads);
    EXPECT_FALSE(command.options.electBat);
    EXPECT_EQ(command.options.left, "New Zealand");
    EXPECT_EQ(command.options.logPath, "x.log");
    EXPECT_EQ(command.options.playersPath, "a=b.dat");
    EXPECT_TRUE(command.playersGiven);

    command = parseSimCommand({"--resume", "m.quo", "--seed", "4", "--save=whole.quo"});
    ASSERT_EQ(command.action, cli::Action::Run) << command.error;
    EXPECT_EQ(command.options.resumePath, "m.quo");

    // --help and --version win over anything else on the line, even a mistake.
    EXPECT_EQ(parseSimCommand({"--colour", "--help"}).action, cli::Action::Help);
    EXPECT_EQ(parseSimCommand({"--seed", "1", "--version"}).action, cli::Action::Version);
    EXPECT_EQ(parseSimCommand({"--", "--help"}).action, cli::Action::UsageError);

    for (const auto& bad :
         std::vector<std::vector<std::string>>{{"--seed", "-1"},
                                               {"--seed", "4294967296"},
                                               {"--seed", "12abc"},
                                               {"--seed"},
                                               {"--seed="},
                                               {"--stats=yes"},
                                               {"--call", "edge"},
                                               {"--elect", "field"},
                                               {"--colour", "red"},
                                               {"--tournament", "--stats"},
                                               {"--format", "csv"},
                                               {"--jobs", "0", "--stats"},
                                               {"--jobs", "2"},
                                               {"--tournament", "--format=xml"},
                                               {"--predict", "--stats"},
                                               {"--remainders", "9"},
                                               {"--predict", "--remainders=0"},
                                               {"--tournament", "--left", "Zimbabwe"},
                                               {"--tournament", "--call=tails"},
                                               {"--stats", "--all-pairs", "--right", "India"},
                                               {"--resume", "m.quo", "--stats"},
                                               {"--resume", "m.quo", "--left", "India"},
                                               {"--resume"},
                                               {"--stats", "--shard-rows"},
                                               {"--predict", "--format=csv", "--shard-rows"},
                                               {"--aggregate"},
                                               {"--aggregate", "--seed", "1", "a.csv"},
                                               {"--aggregate", "--stats", "a.csv"},
                                               {"stray"}}) {
        command = parseSimCommand(bad);
        EXPECT_EQ(command.action, cli::Action::UsageError) << bad[0];
        EXPECT_NE(command.error, "");
        EXPECT_EQ(command.error.find('\n'), std::string::npos) << command.error;
    }
    command = parseSimCommand({"--aggregate", "a.csv", "-", "--format", "json", "--", "-b.csv"});
    ASSERT_EQ(command.action, cli::Action::Run) << command.error;
    EXPECT_EQ(command.options.aggregateFiles, (std::vector<std::string>{"a.csv", "-", "-b.csv"}));
    EXPECT_EQ(cli::usageError("quorvel-sim", "option '--seed' needs a value"),
              "quorvel-sim: option '--seed' needs a value\nTry 'quorvel-sim --help'.\n");
}

// The built programs as a user meets them: answers on the right stream with the right status.
TEST(ToolCommands, HelpVersionErrorsAndOwnInputs) {
    test::ScratchDir dir;
    const std::string sim = QUORVEL_SIM_TOOL;
    const std::string players = QUORVEL_PLAYERS_TOOL;
    for (const std::string& tool : {sim, players}) {
        const std::string name = std::filesystem::path(tool).filename().string();
        auto result = test::runCommand(tool + " --help");
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out.rfind("Usage: " + name, 0), 0u) << result.out;
        EXPECT_EQ(result.err, "");
        for (std::size_t start = 0, end; start < result.out.size(); start = end + 1) {
            end = result.out.find('\n', start);
            EXPECT_LE(end - start, 80u) << name << ": " << result.out.substr(start, end - start);
        }
        result = test::runCommand(tool + " --version");
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, name + " " QUORVEL_VERSION "\n");
        result = test::runCommand(tool + " --nonsense");
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, name + ": unknown option '--nonsense'\nTry '" + name + " --help'.\n");
    }

    // A tool never writes over its own input, however the output is spelled.
    std::filesystem::copy_file(QUORVEL_PLAYERS_DAT, dir.file("x.dat"));
    std::filesystem::copy_file(QUORVEL_PLAYERS_CSV, dir.file("p.csv"));
    std::filesystem::create_hard_link(dir.file("p.csv"), dir.file("link.csv"));
    const std::string csvBefore = test::readBytes(dir.file("p.csv"));
    const std::string datBefore = test::readBytes(dir.file("x.dat"));
    auto result =
        test::runCommand(players + " build " + dir.file("p.csv") + " " + dir.file("link.csv"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("refusing to write over it"), std::string::npos) << result.err;
    result = test::runCommand("cd " + dir.path().string() + " && " + sim +
                              " --seed 7 --players x.dat --save ./x.dat");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(test::readBytes(dir.file("p.csv")), csvBefore);
    EXPECT_EQ(test::readBytes(dir.file("x.dat")), datBefore);

    // What is really wrong, said as such; a clock seed is printed so the match can be replayed.
    result = test::runCommand(sim + " --players " + dir.file("none.dat"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "quorvel-sim: " + dir.file("none.dat") + ": not found\n");
    result = test::runCommand(sim + " --players " + dir.file("p.csv"));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, dir.file("p.csv") + " has a bad format.\n");
    result = test::runCommand(sim + " --left Atlantis --players " + dir.file("x.dat"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Australia, England, India, New Zealand, Pakistan, South Africa, "
                              "Sri Lanka, West Indies, Zimbabwe"),
              std::string::npos)
        << result.err;
    result = test::runCommand(sim + " --players " + dir.file("x.dat"));
    ASSERT_EQ(result.status, 0) << result.err;
    const auto seed = result.err.substr(result.err.find("--seed ") + 7);
    const auto replay = test::runCommand(sim + " --players " + dir.file("x.dat") + " --seed " +
                                         seed.substr(0, seed.find(')')));
    EXPECT_EQ(replay.out, result.out);
    EXPECT_EQ(replay.err, "");
}

// Where the game looks for its players, keeps its settings and opens its file dialogs.
TEST(DesktopPlaces, PlayersSettingsAndDialogFolders) {
    namespace fs = std::filesystem;
    test::ScratchDir dir;
    const fs::path here = dir.path() / "here", user = dir.path() / "user";
    const fs::path installed = dir.path() / "installed.dat";
    fs::create_directories(here);
    // No players.dat here: the user's folder when it has one or can be given a copy.
    EXPECT_FALSE(playsFromUserFolder(here, user, fs::path()));
    EXPECT_FALSE(playsFromUserFolder(here, fs::path(), installed));
    std::ofstream(installed) << "db";
    EXPECT_TRUE(playsFromUserFolder(here, user, installed));
    ASSERT_EQ(prepareUserDataFolder(user, installed), std::nullopt);
    EXPECT_TRUE(playsFromUserFolder(here, user, fs::path()));
    fs::create_symlink(dir.path() / "gone.dat", here / "players.dat");
    EXPECT_FALSE(playsFromUserFolder(here, user, installed)); // even a broken link is the user's
    const std::string message = noPlayersMessage({here, fs::path(), user});
    EXPECT_NE(message.find("\n    " + here.string() + "\n    " + user.string() + "\n"),
              std::string::npos)
        << message;

    // Settings under $XDG_CONFIG_HOME/quorvel, begun once from ~/.Quorvel.
    const fs::path config = dir.path() / "config";
    const char* realHome = std::getenv("HOME");
    const std::string home = realHome != nullptr ? realHome : "";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(settingsFile(), config / "quorvel/quorvel.conf");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ::setenv("HOME", dir.path().c_str(), 1);
    EXPECT_EQ(settingsFile(), dir.path() / ".config/quorvel/quorvel.conf");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(earlierSettingsFile(), dir.path() / ".Quorvel");
    std::ofstream(dir.path() / ".Quorvel") << "[Settings]\nPreviewPages=3\n";
    ASSERT_EQ(prepareSettingsFile(settingsFile(), earlierSettingsFile()), std::nullopt);
    EXPECT_EQ(test::readBytes(settingsFile().string()), "[Settings]\nPreviewPages=3\n");
    std::ofstream(settingsFile()) << "[Settings]\nPreviewPages=1\n";
    ASSERT_EQ(prepareSettingsFile(settingsFile(), earlierSettingsFile()), std::nullopt);
    EXPECT_EQ(test::readBytes(settingsFile().string()), "[Settings]\nPreviewPages=1\n");
    EXPECT_NE(prepareSettingsFile(installed / "quorvel.conf", fs::path()), std::nullopt);
    ::setenv("HOME", home.c_str(), 1);

    // File dialogs start in the documents folder, never in a hidden or missing one.
    fs::create_directories(dir.path() / "Documents");
    fs::create_directories(dir.path() / ".local/share");
    EXPECT_EQ(dialogFolder(dir.path() / "Documents", dir.path()), dir.path() / "Documents");
    EXPECT_EQ(dialogFolder(dir.path() / ".local/share", dir.path()), dir.path());
    EXPECT_EQ(dialogFolder(dir.path() / "Missing", dir.path()), dir.path());
    EXPECT_EQ(dialogFolder(fs::path(), dir.path()), dir.path());
}

// Faults met from outside: full devices, closed pipes, signals, a limit on threads, a mode's
// options, and names no JSON emitter should trust.
TEST(CommandLineFaults, NoFailureIsReportedAsSuccess) {
    test::ScratchDir dir;
    const std::string sim = std::string(QUORVEL_SIM_TOOL) + " --players " + QUORVEL_PLAYERS_DAT;
    const std::string players = QUORVEL_PLAYERS_TOOL;
    for (const std::string& line :
         {sim + " --seed 1", sim + " --seed 1 --matches 40 --stats --format csv",
          sim + " --seed 1 --tournament", sim + " --seed 1 --predict --remainders 5",
          sim + " --help", players + " dump " + QUORVEL_PLAYERS_DAT}) {
        const auto full = test::runCommand(line + " >/dev/full");
        EXPECT_EQ(full.status, 1) << line;
        EXPECT_NE(full.err.find(": cannot write standard output: No space left on device\n"),
                  std::string::npos)
            << line << ": " << full.err;
    }
    // A reader that goes away is no error worth a word.
    auto result = test::runCommand("(" + sim + " --seed 1 --matches 5000 --stats --format csv" +
                                   " | head -n 1)");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("seed,first,", 0), 0u);

    // --predict writes the log and record of the match it played: those of the single match.
    result = test::runCommand("cd " + dir.path().string() + " && " + sim +
                              " --seed 3 --predict --remainders 5 --log p.log --save p.quo" +
                              " && " + sim + " --seed 3 --log m.log --save m.quo >/dev/null");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(test::readBytes(dir.file("p.quo")), test::readBytes(dir.file("m.quo")));
    EXPECT_EQ(test::readBytes(dir.file("p.log")), test::readBytes(dir.file("m.log")));

    // Where no thread can be started (too little address space for a thread's stack), the
    // calling thread plays every match: the same output, no abort. (The address sanitizer
    // needs more address space than the limit leaves.)
#ifndef __SANITIZE_ADDRESS__
    const std::string stats = sim + " --seed 1 --matches 60 --stats --format csv";
    const std::string oneThread = test::runCommand(stats + " --jobs 1").out;
    result = test::runCommand("prlimit --as=60000000 " + stats + " --jobs 8");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, oneThread);
    const std::string predict = sim + " --seed 3 --predict --remainders 8";
    result = test::runCommand("prlimit --as=60000000 " + predict + " --jobs 4");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, test::runCommand(predict + " --jobs 1").out);
#endif

    // An interrupted run ends on a whole row, says how far it got and exits 128 + the signal.
    for (const auto& [signal, status] : {std::pair{"INT", 130}, std::pair{"TERM", 143}}) {
        const std::string csv = dir.file(std::string("run-") + signal + ".csv");
        result = test::runCommand("(" + sim + " --seed 1 --matches 5000000 --stats --format csv" +
                                  " --jobs 1 >" + csv + " & pid=$!; sleep 1; kill -" + signal +
                                  " $pid; wait $pid; echo $?)");
        EXPECT_EQ(result.out, std::to_string(status) + "\n") << signal;
        EXPECT_NE(result.err.find("quorvel-sim: interrupted after "), std::string::npos)
            << result.err;
        const std::string rows = test::readBytes(csv);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back(), '\n');
        EXPECT_EQ(std::count(rows.begin(), rows.end(), ','),
                  12 * std::count(rows.begin(), rows.end(), '\n'));
    }
}

TEST(CommandLineFaults, MachineReadableOutputIsUtf8AndParsesWhateverANameHolds) {
    test::ScratchDir dir;
    // Every surname of the bundled database with a quote, a backslash, an 8-bit letter, a
    // control character and a NUL byte.
    PlayerFile file = decodePlayerFile(test::readBytes(QUORVEL_PLAYERS_DAT));
    const std::string hostile = std::string("\"\\\xe9\x01") + '\0';
    for (Player& player : file.players)
        player.surname = player.surname.str() + hostile;
    test::writeBytes(dir.file("hostile.dat"), encodePlayerFile(file));
    SimOptions options;
    options.playersPath = dir.file("hostile.dat");
    options.seed = 11;
    options.format = cli::OutputFormat::Json;
    const SimResult json = runTournamentSim(options);
    ASSERT_EQ(json.exitStatus, 0) << json.errors;
    const nlohmann::json parsed = nlohmann::json::parse(json.output);
    const std::string leader = parsed["leaders"]["most_runs"][0]["player"];
    EXPECT_EQ(leader.substr(leader.size() - hostile.size() - 1), cli::latin1ToUtf8(hostile));
    options.format = cli::OutputFormat::Csv;
    const std::string csv = runTournamentSim(options).output;
    EXPECT_NE(csv.find("\xc3\xa9\x01"), std::string::npos);
    EXPECT_EQ(csv.find("\xe9\x01"), std::string::npos);
    EXPECT_EQ(cli::latin1ToUtf8("Caf\xe9 \xff"), "Caf\xc3\xa9 \xc3\xbf");

    // A text field is the CSV field of its UTF-8 whatever byte it holds, and a row of values is
    // the row its table's columns name, in CSV and in JSON.
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text = std::string("a") + static_cast<char>(byte) + "b";
        EXPECT_EQ(cli::Cell(text).csv(), csvField(cli::latin1ToUtf8(text))) << byte;
    }
    for (const auto format : {cli::OutputFormat::Csv, cli::OutputFormat::Json}) {
        std::string byValues, byNames;
        cli::TableWriter values(format, [&](std::string_view text) { byValues += text; });
        cli::TableWriter named(format, [&](std::string_view text) { byNames += text; });
        values.beginTable("rows", {"name", "runs\""});
        named.beginTable("rows", {"name", "runs\""});
        for (const char* name : {"plain", "a, \"b\"", "Caf\xe9\n"}) {
            values.valueRow({name, 7});
            named.row({{"name", name}, {"runs\"", 7}});
        }
        for (cli::TableWriter* writer : {&values, &named}) {
            writer->endTable();
            writer->finish();
        }
        EXPECT_EQ(byValues, byNames);
    }
}

// A statistics run split into four seed ranges by GNU parallel: --aggregate of the shards' rows,
// in any order and with or without their aggregate blocks, prints the whole run's block.
TEST(StatisticsShards, TheShardsAggregatesAreTheWholeRunsInEveryFormat) {
    test::ScratchDir dir;
    const std::string sim = QUORVEL_SIM_TOOL;
    const std::string run =
        sim + " --players " + QUORVEL_PLAYERS_DAT + " --stats --all-pairs --format csv";
    auto result = test::runCommand("parallel --will-cite -j4 '" + run +
                                   " --shard-rows --seed $((8 + {} * 36)) --matches 36 > " +
                                   dir.file("shard-{}.csv") + "' ::: 0 1 2 3");
    ASSERT_EQ(result.status, 0) << result.err;
    // One shard without its aggregate block, one read from standard input.
    result = test::runCommand("sed -i '/^$/,$d' " + dir.file("shard-1.csv"));
    ASSERT_EQ(result.status, 0);
    const std::string shards = dir.file("shard-2.csv") + " " + dir.file("shard-0.csv") + " - " +
                               dir.file("shard-1.csv") + " <" + dir.file("shard-3.csv");
    std::string wholeText;
    for (const char* format : {"text", "csv", "json"}) {
        const std::string whole =
            test::runCommand(std::regex_replace(run, std::regex("csv$"), format) +
                             " --seed 8 --matches 144")
                .out;
        result = test::runCommand(sim + " --aggregate --format " + format + " " + shards);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        std::string expected = whole;
        if (std::string(format) == "csv")
            expected = whole.substr(whole.find("\n\n") + 2);
        if (std::string(format) == "json") {
            const std::size_t rows = whole.find("\n  \"matches\": [");
            expected = whole.substr(0, rows) + whole.substr(whole.find("\n  ],", rows) + 5);
        }
        EXPECT_EQ(result.out, expected) << format;
        if (std::string(format) == "text")
            wholeText = whole;
    }
    // The recipes of the performance notes: each passes `bash -n`, and the GNU parallel one,
    // run here with four shards of 36 matches on this machine, prints the whole run's figures.
    const auto notes = std::filesystem::path(QUORVEL_PLAYERS_CSV).parent_path().parent_path() /
                       "docs/performance.md";
    const std::string text = test::readBytes(notes.string());
    std::vector<std::string> recipes;
    for (std::size_t at = 0; (at = text.find("```bash\n", at)) != std::string::npos;) {
        at += 8;
        recipes.push_back(text.substr(at, text.find("```", at) - at));
        test::writeBytes(dir.file("recipe.sh"), recipes.back());
        EXPECT_EQ(test::runCommand("bash -n " + dir.file("recipe.sh")).status, 0) << recipes.back();
    }
    ASSERT_EQ(recipes.size(), 2u);
    ASSERT_NE(recipes[0].find("shards=10 per=100008 first=1"), std::string::npos);
    test::writeBytes(dir.file("recipe.sh"), std::regex_replace(recipes[0],
                                                               std::regex("shards=10 per=100008 "
                                                                          "first=1"),
                                                               "shards=4 per=36 first=8"));
    test::writeBytes(dir.file("nodes"), ":\n");
    std::filesystem::copy_file(QUORVEL_PLAYERS_DAT, dir.file("players.dat"));
    result = test::runCommand("cd " + dir.path().string() +
                              " && PATH=" + std::filesystem::path(sim).parent_path().string() +
                              ":$PATH bash recipe.sh");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, wholeText);
    // The shard rows are the plain rows with columns added after them.
    const std::string plain = test::runCommand(run + " --seed 8 --matches 36").out;
    std::istringstream plainLines(plain.substr(0, plain.find("\n\n")));
    std::istringstream shardLines(test::readBytes(dir.file("shard-0.csv")));
    for (std::string line, shardLine; std::getline(plainLines, line);)
        EXPECT_TRUE(std::getline(shardLines, shardLine) && shardLine.rfind(line + ",", 0) == 0)
            << line;

    // Rows that cannot give the whole run's figures are refused, with nothing printed.
    test::writeBytes(dir.file("plain.csv"), plain);
    for (const auto& [files, reason] : std::vector<std::pair<std::string, std::string>>{
             {"plain.csv", "plain.csv:1: the rows lack the columns the aggregates need; write "
                           "them with --stats --format csv --shard-rows"},
             {"shard-0.csv shard-2.csv", "the rows skip seeds 44 to 79"},
             {"shard-0.csv shard-1.csv shard-0.csv", "the rows hold seed 8 twice"},
             {"missing.csv", "cannot read missing.csv: No such file or directory"}}) {
        result =
            test::runCommand("cd " + dir.path().string() + " && " + sim + " --aggregate " + files);
        EXPECT_EQ(result.status, files == "missing.csv" ? 1 : 2) << files;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "quorvel-sim: " + reason + "\n");
    }
}

} // namespace
} // namespace quorvel
