#pragma once
// The tournament file (.quot): an eight-byte magic number and a version, then the seed, the
// user's side and every result in the order played. Written whole and atomically; a file that
// is not one, or not a whole one, is refused without touching the tournament in hand.

#include <optional>
#include <string>
#include <string_view>

#include "records/file_io.h"
#include "tournament/tournament.h"

namespace quorvel {

constexpr std::string_view kTournamentMagic{"QVRLTRN\x1a", 8};
constexpr std::int32_t kTournamentFileVersion = 1;

std::string encodeTournament(const Tournament& tournament);
// The tournament the bytes hold, or none when they are not a whole tournament file of this
// version: a foreign file, a later version, a cut-off or padded file, impossible figures, or
// results that are not the fixtures in the order they are played.
std::optional<Tournament> decodeTournament(std::string_view bytes);

std::optional<FileError> writeTournamentFile(const std::string& path, const Tournament& tournament);
// Opens a saved tournament into tournament; on failure tournament is untouched and the error
// says why ("... has a bad format." for a damaged or foreign file).
std::optional<FileError> readTournamentFile(const std::string& path, Tournament& tournament);

} // namespace quorvel
