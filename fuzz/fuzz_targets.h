#pragma once
// The bodies of the fuzz targets. Each takes arbitrary bytes, must never crash, hang, read out
// of bounds or leak, and checks the properties its reader promises. The same bodies run over
// the saved corpus in the ordinary test suite, so every input that once failed stays tested.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::fuzz {

// "players.dat" decoding, the lookups over whatever it decoded, and the checker.
void playersReader(std::string_view bytes);
// The start-up line-end repair on a scratch copy of the bytes.
void lineEndRepair(std::string_view bytes);
// A saved match: decoding, and writing what decoded reads back to the same match.
void matchReader(std::string_view bytes);
// Display-name lookups: the bytes give a few players and a key.
void displayNameLookup(std::string_view bytes);
// A whole headless match on the bytes as the player database.
void headlessMatch(std::string_view bytes);
// An opened match shown again: its scoresheet replayed and its final figures worked out.
void sheetReplay(std::string_view bytes);
// A saved tournament: decoding, its table, fixtures and leaders, and writing it back.
void tournamentReader(std::string_view bytes);

// Aborts with a message when a checked property does not hold.
void require(bool condition, const char* what);

} // namespace quorvel::fuzz
