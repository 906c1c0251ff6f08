#pragma once
// The player database: every Player of "players.dat", loaded once at start and read-only after,
// with its look-ups by id and by name, and its loading at start-up.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/player_codec.h"

namespace quorvel {

class PlayerDatabase {
public:
    // Returns nullptr ("none") when nothing matches. The first match in file order wins.
    const Player* findById(std::int32_t id) const;
    const Player* findByName(std::string_view surname, std::string_view firstName) const;
    // Parses "Surname, First" (each part at most 31 characters) and looks the player up by name.
    const Player* findByDisplayName(std::string_view displayName) const;

    // The record at index in file order, and the index of a record (-1 for none); what one
    // look-up by name found is then found again without the name.
    const Player* recordAt(std::int32_t index) const {
        return index >= 0 && static_cast<std::size_t>(index) < players_.size() ? &players_[index]
                                                                               : nullptr;
    }
    std::int32_t indexOf(const Player* player) const {
        return player != nullptr ? static_cast<std::int32_t>(player - players_.data()) : -1;
    }

    std::int32_t count() const { return count_; }
    std::int32_t leadingValue() const { return leadingValue_; }
    const std::vector<Player>& players() const { return players_; }

    void assign(PlayerFile file);
    // Replaces the contents with a decoded "players.dat" image. Throws ArchiveError, leaving the
    // database as it was, when the image is short or malformed.
    void decode(std::string_view bytes);
    // The same for an image of size bytes taken from read a piece at a time, so that a file
    // never has to be in memory whole. Whatever read throws leaves the database as it was too.
    void decode(const ImageReader& read, std::size_t size);
    void clear() { assign(PlayerFile{}); }

private:
    static std::uint64_t nameHash(std::string_view surname, std::string_view firstName);
    // Indexes record index by id and returns its name hash.
    std::uint64_t indexRecord(std::size_t index);
    // Builds the name table from every record's name hash, in file order.
    void indexNames(const std::vector<std::uint64_t>& hashes);

    std::int32_t leadingValue_ = 0;
    std::int32_t count_ = 0;
    std::vector<Player> players_;
    // Index of the first record with each id in 0..size-1 (-1 where none), and of other ids.
    std::vector<std::int32_t> denseIds_;
    std::unordered_map<std::int32_t, std::size_t> sparseIds_;
    // Open-addressed table of record indices by name hash (-1 marks a free slot).
    std::vector<std::int32_t> nameSlots_;
};

// The one database of the run.
PlayerDatabase& playerDatabase();

enum class LoadOutcome { Loaded, Missing, BadFormat };
// Loads the file into the database. A short or malformed file, or one beyond kLargestFileRead
// (256 MiB), leaves the database empty as a bad format. A pipe or device is read once, whole.
LoadOutcome loadPlayerFile(const std::string& path, PlayerDatabase& database);

// Start-up: repair, then load. A missing file is silent; a bad one is reported on standard error.
// A file whose repaired bytes load but cannot be written back is loaded from them, untouched,
// and why it could not be repaired is said once: in `notice` where one is given (for a window
// to show), else on standard error.
LoadOutcome startUpPlayerDatabase(PlayerDatabase& database, const std::string& path = "players.dat",
                                  std::string* notice = nullptr);

} // namespace quorvel
