#pragma once
// The readable source of the player database: one player a row, comma-separated, every field
// by name. `quorvel-players build` turns it into "players.dat" and `dump` writes it back.

#include <stdexcept>
#include <string>
#include <string_view>

#include "records/player_database.h"

namespace quorvel {

class PlayerSourceError : public std::runtime_error {
public:
    PlayerSourceError(int line, const std::string& field, const std::string& what);
    int line() const { return line_; }
    const std::string& field() const { return field_; }

private:
    int line_;
    std::string field_;
};

// The comment block that starts every dumped source.
extern const std::string_view kPlayerSourceHeader;
// The column names, in column order.
extern const std::string_view kPlayerSourceColumns;

std::string formatPlayerSource(const PlayerFile& file);
// Parses a source text; throws PlayerSourceError naming the line and field of the first problem.
PlayerFile parsePlayerSource(std::string_view text);

} // namespace quorvel
