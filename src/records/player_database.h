#pragma once
// The player database: every Player of "players.dat", loaded once at start and read-only after.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/player.h"

namespace quorvel {

// The contents of a "players.dat" file.
struct PlayerFile {
    std::int32_t leadingValue = 0;
    std::vector<Player> players;

    friend bool operator==(const PlayerFile&, const PlayerFile&) = default;
};

// Supplies the next bytes of a "players.dat" image: copies up to size of them to into and
// returns how many, 0 at the end. It may throw to abandon the decode.
using ImageReader = std::function<std::size_t(char* into, std::size_t size)>;

// Decodes a whole "players.dat" image; throws ArchiveError when it is short or malformed
// (a negative count is malformed). Bytes after the last record are ignored.
PlayerFile decodePlayerFile(std::string_view bytes);
std::string encodePlayerFile(const PlayerFile& file);

class PlayerDatabase {
public:
    // Returns nullptr ("none") when nothing matches. The first match in file order wins.
    const Player* findById(std::int32_t id) const;
    const Player* findByName(std::string_view surname, std::string_view firstName) const;
    // Parses "Surname, First" (each part at most 31 characters) and looks the player up by name.
    const Player* findByDisplayName(std::string_view displayName) const;

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

// What `quorvel-players check` and the start-up repair regard as a valid database file. At
// most the first 20 record problems and the first 20 CR LF pairs are listed, each list ending
// with a note when more follow.
struct PlayerFileProblem {
    int record = -1;   // the record number, or -1 for the file as a whole
    std::string field; // the field's name, or empty
    std::string what;

    std::string describe() const;
};
std::vector<PlayerFileProblem> checkPlayerFile(std::string_view bytes);

enum class RepairOutcome { Missing, Untouched, Repaired, Failed };
// Undoes a text-mode transfer of the database file. Only a regular file is repaired, and never
// one that loads and checks as valid as it stands, whatever bytes it holds (CR LF pairs in its
// data included). Any other is rewritten when the repaired bytes load, and when it loaded
// already only if they also check as valid. The rewrite is a safe replacement (writeWholeFile).
// Afterwards its last-access time is as read, and its last-write time is its creation time
// where the file system reports one (else the old last-write time).
RepairOutcome repairPlayerFile(const std::string& path);

enum class LoadOutcome { Loaded, Missing, BadFormat };
// Loads the file into the database. A short or malformed file, or one beyond kLargestFileRead
// (256 MiB), leaves the database empty as a bad format. A pipe or device is read once, whole.
LoadOutcome loadPlayerFile(const std::string& path, PlayerDatabase& database);

// Start-up: repair, then load. A missing file is silent; a bad one is reported on standard error.
LoadOutcome startUpPlayerDatabase(PlayerDatabase& database,
                                  const std::string& path = "players.dat");

} // namespace quorvel
