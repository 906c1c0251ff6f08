#include "fuzz_targets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <unistd.h>

#include "common/line_ends.h"
#include "engine/random.h"
#include "predict/match_resume.h"
#include "records/file_io.h"
#include "records/match_check.h"
#include "records/player_check.h"
#include "records/player_database.h"
#include "records/player_repair.h"
#include "records/player_source.h"
#include "records/scores.h"
#include "reports/sheet_replay.h"
#include "screen/computer_choices.h"
#include "screen/headless_match.h"
#include "screen/match_session.h"
#include "screen/opened_match.h"
#include "tournament/tournament_file.h"

namespace quorvel::fuzz {

namespace {

// A scratch file path of this process, so that parallel fuzzing jobs do not collide.
std::string scratchPath() { return "/tmp/quorvel-fuzz-" + std::to_string(::getpid()) + ".dat"; }

// Splits off the next piece of the input, at most length bytes.
std::string_view take(std::string_view& bytes, std::size_t length) {
    const auto piece = bytes.substr(0, std::min(length, bytes.size()));
    bytes.remove_prefix(piece.size());
    return piece;
}

} // namespace

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz property failed: %s\n", what);
        std::abort();
    }
}

void playersReader(std::string_view bytes) {
    const bool valid = checkPlayerFile(bytes).empty();
    PlayerFile file;
    try {
        file = decodePlayerFile(bytes);
    } catch (const ArchiveError&) {
        require(!valid, "a file that checks as valid must decode");
        return;
    }
    // Every database the check accepts dumps to a source that builds the same records back.
    if (valid)
        require(encodePlayerFile(parsePlayerSource(formatPlayerSource(file))) ==
                    encodePlayerFile(file),
                "a valid database dumps and builds back");
    PlayerDatabase database;
    database.assign(file);
    require(database.count() == static_cast<std::int32_t>(file.players.size()), "count");

    // Decoded as it arrives in pieces of changing sizes, the image gives the same records.
    PlayerDatabase streamed;
    std::string_view rest = bytes;
    std::size_t piece = bytes.empty() ? 1 : static_cast<std::uint8_t>(bytes[0]);
    streamed.decode(
        [&](char* into, std::size_t size) {
            piece = piece * 7 % 1031 + 1;
            const auto part = take(rest, std::min(size, piece));
            std::copy(part.begin(), part.end(), into);
            return part.size();
        },
        bytes.size());
    // Compared as bytes, since a record may hold a NaN that equals nothing.
    require(encodePlayerFile({0, streamed.players()}) == encodePlayerFile({0, database.players()}),
            "a streamed decode gives the same records");
    for (const auto& player : database.players()) {
        const Player* byName = database.findByName(player.surname, player.firstName);
        require(byName != nullptr && byName->surname == player.surname &&
                    byName->firstName == player.firstName,
                "every player is found by name");
        require(database.findById(player.playerId) != nullptr, "every id is found");
        database.findByDisplayName(player.displayName());
    }
}

void lineEndRepair(std::string_view bytes) {
    const std::string path = scratchPath();
    if (writeWholeFile(path, bytes))
        return;
    const RepairOutcome outcome = repairPlayerFile(path);
    std::string after;
    readWholeFile(path, after);
    ::unlink(path.c_str());
    if (outcome == RepairOutcome::Repaired) {
        std::string expected;
        removeCrBeforeLf(bytes, expected);
        require(after == expected, "a repair drops exactly the CRs before LFs");
        bool loads = true;
        try {
            decodePlayerFile(after);
        } catch (const ArchiveError&) {
            loads = false;
        }
        require(loads, "a repaired file loads");
    } else {
        require(after == bytes, "an unrepaired file keeps its bytes");
    }
}

void matchReader(std::string_view bytes) {
    Scores scores;
    try {
        scores = decodeScores(bytes);
    } catch (const ArchiveError&) {
        return;
    }
    // A file may spell a string's length in a longer prefix than needed, or as 16-bit text;
    // writing it again uses the shortest 8-bit form, which must read back to the same match.
    const std::string written = encodeScores(scores);
    require(encodeScores(decodeScores(written)) == written, "a written match reads back the same");
    require(written.size() <= bytes.size(), "writing never grows a match file");
    // Whether a record is one a match could leave does not hang on how its texts were spelt.
    require(matchRecordFault(scores).has_value() ==
                matchRecordFault(decodeScores(written)).has_value(),
            "a written match is accepted exactly when it was");
}

void tournamentReader(std::string_view bytes) {
    const std::optional<Tournament> tournament = decodeTournament(bytes);
    if (!tournament)
        return;
    // Every figure has one spelling, so what decoded writes back byte for byte.
    require(encodeTournament(*tournament) == bytes, "a read tournament writes back the same");
    require(tournament->table().size() == kTournamentSides, "the table lists every side");
    require(tournament->fixtures().size() >= tournament->results().size(),
            "every result is of a fixture");
    (void)leadersOf(tournament->results());
    (void)tournament->champion();
}

void displayNameLookup(std::string_view bytes) {
    // Up to four players named from the input, then a key from the rest.
    PlayerFile file;
    for (int i = 0; i < 4 && bytes.size() > 2; ++i) {
        const auto surnameLength = static_cast<unsigned char>(take(bytes, 1)[0]) % 40;
        const auto firstLength = static_cast<unsigned char>(take(bytes, 1)[0]) % 40;
        Player player;
        player.playerId = i;
        player.surname = std::string(take(bytes, surnameLength));
        player.firstName = std::string(take(bytes, firstLength));
        file.players.push_back(player);
    }
    PlayerDatabase database;
    database.assign(file);
    const std::string key(bytes);
    const Player* found = database.findByDisplayName(key);
    if (found != nullptr)
        require(found->displayName() == key, "a found player's display name is the key");
    for (const auto& player : database.players()) {
        const Player* again = database.findByDisplayName(player.displayName());
        const bool short31 = player.surname.size() <= 31 && player.firstName.size() <= 31 &&
                             player.surname.view().find(',') == std::string_view::npos;
        if (short31)
            require(again != nullptr && again->displayName() == player.displayName(),
                    "a short display name finds its player");
    }
}

void headlessMatch(std::string_view bytes) {
    PlayerFile file;
    try {
        file = decodePlayerFile(bytes);
    } catch (const ArchiveError&) {
        return;
    }
    PlayerDatabase database;
    database.assign(std::move(file));
    if (database.count() < 2)
        return;

    // The first two countries' predefined sides when they can play; otherwise the database's
    // first 22 records as they stand, which the match must survive too.
    Scores scores;
    const std::string left = std::string(countryName(database.players()[0].country));
    std::string right;
    for (const auto& player : database.players())
        if (countryName(player.country) != left && !countryName(player.country).empty())
            right = std::string(countryName(player.country));
    if (left.empty() || right.empty() || setUpPredefinedSides(scores, database, left, right)) {
        scores.teams[0].setName("Left");
        scores.teams[1].setName("Right");
        scores.teams[1].setComputerControlled(1);
        for (int i = 0; i < 22; ++i)
            scores.teams[i / 11].setPlayer(
                i % 11, database.players()[i % database.count()].playerId, database);
    }
    Random random;
    const PlayedMatch result = playHeadlessMatch(scores, database, random, 7, true, true);
    require(!result.text.empty() || !result.finished, "a match gives a scoresheet");
}

void sheetReplay(std::string_view bytes) {
    Scores scores;
    try {
        scores = decodeScores(bytes);
    } catch (const ArchiveError&) {
        return;
    }
    // Players 0..21, so that ids in the file find names, bowler rows and wicket-keepers.
    static const PlayerDatabase database = [] {
        PlayerFile file;
        for (int id = 0; id < 22; ++id) {
            Player player;
            player.playerId = id;
            player.surname = "Surname" + std::to_string(id);
            player.firstName = "First";
            player.bowlingFlags = id % 3 == 0 ? 0 : 1 << (id % 5);
            player.keeperFlags = id % 11 == 0 ? 1 : 0;
            file.players.push_back(player);
        }
        PlayerDatabase built;
        built.assign(std::move(file));
        return built;
    }();

    ScoreSheet sheet(scores, database);
    const int overs = replayIntoSheet(sheet, scores);
    const int innings = lastInningsPlayed(scores);
    require((overs == 0) == (innings < 0), "an innings was played exactly when an over was");
    if (innings >= 0) {
        const InningsFigures figures = finalFigures(scores, sheet, innings, database);
        require(figures.totalRuns == sheet.card(innings).total,
                "the figures show the card's total");
        if (innings == 1)
            require(figures.target > sheet.card(0).total ||
                        figures.target == std::numeric_limits<int>::max(),
                    "the target is beyond the first innings' total");
    }
    sheet.buildSheetText();
    if (matchRecordFault(scores))
        return;

    // An accepted record always replays: at most ten wickets an innings, and a match that is
    // not over is taken up where it stops and played on to a record that is accepted too.
    for (int k = 0; k < 2; ++k)
        require(sheet.card(k).wicketsDown <= 10, "an accepted innings has at most ten wickets");
    if (!resumePosition(scores, database))
        return;
    Random random;
    random.seed(static_cast<std::uint32_t>(bytes.size()));
    Scores played;
    ComputerChoices choices(scores, database, random, 1, true, true);
    MatchScreen screen(played, database, random, choices);
    screen.playWithoutText();
    choices.attach(screen);
    require(continueSavedMatch(screen, scores, database), "an accepted match is taken up");
    MatchSession session(screen, choices);
    if (session.playToEnd())
        require(screen.state() == MatchState::MatchOver, "a match played on comes to its end");
    require(!matchRecordFault(played), "a match played on from an accepted record is accepted");
}

} // namespace quorvel::fuzz
