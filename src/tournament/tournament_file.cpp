#include "tournament/tournament_file.h"

#include "records/archive.h"

namespace quorvel {

namespace {

constexpr std::int32_t kMostBatters = 11;
constexpr std::int32_t kMostBowlers = 10;
constexpr std::int32_t kMostRuns = 2000;
constexpr std::int32_t kFullInningsBalls = 300;

// Reads a whole number and refuses one outside [low, high].
std::int32_t readIn(ArchiveReader& ar, std::int32_t low, std::int32_t high) {
    const std::int32_t value = ar.readInt32();
    if (value < low || value > high)
        throw ArchiveError(ArchiveFault::BadFormat, "figure out of range");
    return value;
}

void writeInnings(ArchiveWriter& ar, const InningsTally& innings) {
    ar.writeInt32(innings.side);
    ar.writeInt32(innings.runs);
    ar.writeInt32(innings.wickets);
    ar.writeInt32(innings.balls);
    ar.writeInt32(static_cast<std::int32_t>(innings.batters.size()));
    for (const BatterLine& line : innings.batters) {
        ar.writeInt32(line.playerId);
        ar.writeInt32(line.runs);
        ar.writeInt32(line.balls);
        ar.writeInt32(line.notOut ? 1 : 0);
    }
    ar.writeInt32(static_cast<std::int32_t>(innings.bowlers.size()));
    for (const BowlerLine& line : innings.bowlers) {
        ar.writeInt32(line.playerId);
        ar.writeInt32(line.wickets);
        ar.writeInt32(line.runs);
        ar.writeInt32(line.balls);
    }
}

InningsTally readInnings(ArchiveReader& ar) {
    InningsTally innings;
    innings.side = readIn(ar, 0, kTournamentSides - 1);
    innings.runs = readIn(ar, 0, kMostRuns);
    innings.wickets = readIn(ar, 0, 10);
    innings.balls = readIn(ar, 0, kFullInningsBalls);
    innings.batters.resize(static_cast<std::size_t>(readIn(ar, 0, kMostBatters)));
    for (BatterLine& line : innings.batters) {
        line.playerId = ar.readInt32();
        line.runs = readIn(ar, 0, kMostRuns);
        line.balls = readIn(ar, 0, kFullInningsBalls * 2);
        line.notOut = readIn(ar, 0, 1) == 1;
    }
    innings.bowlers.resize(static_cast<std::size_t>(readIn(ar, 0, kMostBowlers)));
    for (BowlerLine& line : innings.bowlers) {
        line.playerId = ar.readInt32();
        line.wickets = readIn(ar, 0, 10);
        line.runs = readIn(ar, 0, kMostRuns);
        line.balls = readIn(ar, 0, kFullInningsBalls);
    }
    return innings;
}

} // namespace

std::string encodeTournament(const Tournament& tournament) {
    ArchiveWriter ar;
    std::string bytes(kTournamentMagic);
    ar.writeInt32(kTournamentFileVersion);
    ar.writeInt32(static_cast<std::int32_t>(tournament.seed()));
    ar.writeInt32(tournament.userSide());
    ar.writeInt32(static_cast<std::int32_t>(tournament.results().size()));
    for (const MatchResult& result : tournament.results()) {
        ar.writeInt32(static_cast<std::int32_t>(result.fixture.stage));
        ar.writeInt32(result.fixture.sides[0]);
        ar.writeInt32(result.fixture.sides[1]);
        ar.writeInt32(static_cast<std::int32_t>(result.seed));
        ar.writeInt32(result.tossWinner);
        for (const InningsTally& innings : result.innings)
            writeInnings(ar, innings);
    }
    return bytes + ar.bytes();
}

std::optional<Tournament> decodeTournament(std::string_view bytes) {
    if (bytes.substr(0, kTournamentMagic.size()) != kTournamentMagic)
        return std::nullopt;
    ArchiveReader ar(bytes.substr(kTournamentMagic.size()));
    try {
        if (ar.readInt32() != kTournamentFileVersion)
            return std::nullopt;
        const auto seed = static_cast<std::uint32_t>(ar.readInt32());
        const int userSide = readIn(ar, kNoSide, kTournamentSides - 1);
        std::vector<MatchResult> results(
            static_cast<std::size_t>(readIn(ar, 0, kTournamentMatches)));
        for (MatchResult& result : results) {
            result.fixture.stage =
                static_cast<Stage>(readIn(ar, static_cast<std::int32_t>(Stage::RoundRobin),
                                          static_cast<std::int32_t>(Stage::Final)));
            result.fixture.sides[0] = readIn(ar, 0, kTournamentSides - 1);
            result.fixture.sides[1] = readIn(ar, 0, kTournamentSides - 1);
            result.seed = static_cast<std::uint32_t>(ar.readInt32());
            result.tossWinner = readIn(ar, 0, kTournamentSides - 1);
            for (InningsTally& innings : result.innings)
                innings = readInnings(ar);
        }
        if (!ar.atEnd())
            return std::nullopt;
        return Tournament::restore(seed, userSide, results);
    } catch (const ArchiveError&) {
        return std::nullopt;
    }
}

std::optional<FileError> writeTournamentFile(const std::string& path,
                                             const Tournament& tournament) {
    return writeWholeFile(path, encodeTournament(tournament));
}

std::optional<FileError> readTournamentFile(const std::string& path, Tournament& tournament) {
    // A whole tournament is a few tens of kilobytes; anything far larger is not one.
    constexpr std::size_t kLargestTournamentFile = std::size_t{1} << 20;
    std::string bytes;
    if (auto error = readWholeFile(path, bytes, kLargestTournamentFile))
        return error;
    std::optional<Tournament> read = decodeTournament(bytes);
    if (!read)
        return FileError{FileErrorKind::BadFormat, path};
    tournament = std::move(*read);
    return std::nullopt;
}

} // namespace quorvel
