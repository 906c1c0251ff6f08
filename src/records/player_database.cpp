#include "records/player_database.h"

#include <algorithm>
#include <cstring>
#include <iostream>

#include "records/file_io.h"
#include "records/player_repair.h"

namespace quorvel {

namespace {

constexpr std::size_t kMaxNamePart = 31;

} // namespace

void PlayerDatabase::assign(PlayerFile file) {
    leadingValue_ = file.leadingValue;
    players_ = std::move(file.players);
    count_ = static_cast<std::int32_t>(players_.size());
    std::vector<std::uint64_t> hashes(players_.size());
    denseIds_.assign(players_.size(), -1);
    sparseIds_.clear();
    for (std::size_t i = 0; i < players_.size(); ++i)
        hashes[i] = indexRecord(i);
    indexNames(hashes);
}

void PlayerDatabase::decode(std::string_view bytes) {
    decode(
        [&bytes](char* into, std::size_t size) {
            const auto piece = bytes.substr(0, size);
            if (!piece.empty())
                std::memcpy(into, piece.data(), piece.size());
            bytes.remove_prefix(piece.size());
            return piece.size();
        },
        bytes.size());
}

void PlayerDatabase::decode(const ImageReader& read, std::size_t size) {
    // Each record's id and name hash are taken as soon as it is read, while it is still in the
    // cache: a second pass over a large database would cost as much as decoding it.
    PlayerDatabase next;
    PlayerImageDecoder decoder(read, size);
    next.leadingValue_ = decoder.leadingValue();
    const std::size_t count = decoder.count();
    next.players_.reserve(count);
    next.denseIds_.assign(count, -1);
    std::vector<std::uint64_t> hashes(count);
    for (std::size_t i = 0; i < count; ++i) {
        decoder.next(next.players_.emplace_back());
        hashes[i] = next.indexRecord(i);
    }
    next.count_ = static_cast<std::int32_t>(count);
    next.indexNames(hashes);
    *this = std::move(next);
}

std::uint64_t PlayerDatabase::indexRecord(std::size_t index) {
    const Player& player = players_[index];
    const auto id = player.playerId;
    if (id >= 0 && static_cast<std::size_t>(id) < denseIds_.size()) {
        if (denseIds_[id] < 0)
            denseIds_[id] = static_cast<std::int32_t>(index);
    } else {
        sparseIds_.emplace(id, index);
    }
    return nameHash(player.surname, player.firstName);
}

void PlayerDatabase::indexNames(const std::vector<std::uint64_t>& hashes) {
    std::size_t size = 16;
    while (size < 2 * hashes.size())
        size *= 2;
    nameSlots_.assign(size, -1);
    const std::size_t mask = size - 1;
    // Records go in in file order and are probed in the same order, so the first of two
    // namesakes is the one found. The slot a few records ahead is fetched early: on a large
    // database almost every slot is a cache miss.
    constexpr std::size_t kLookAhead = 16;
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        if (i + kLookAhead < hashes.size())
            __builtin_prefetch(&nameSlots_[hashes[i + kLookAhead] & mask], 1);
        std::size_t slot = hashes[i] & mask;
        while (nameSlots_[slot] >= 0)
            slot = (slot + 1) & mask;
        nameSlots_[slot] = static_cast<std::int32_t>(i);
    }
}

namespace {

// Folds text into hash eight bytes at a time. The length goes in with the last word, so texts
// that differ only by trailing NUL bytes hash apart.
std::uint64_t mixText(std::uint64_t hash, std::string_view text) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 32;
    }
    // The last 0..7 bytes are read as two overlapping 4-byte words, or byte by byte when there
    // are fewer than four: fixed-size loads, never a short copy into a word.
    const char* rest = text.data() + at;
    const std::size_t left = text.size() - at;
    std::uint64_t tail = 0;
    if (left >= 4) {
        std::uint32_t low, high;
        std::memcpy(&low, rest, sizeof low);
        std::memcpy(&high, rest + left - 4, sizeof high);
        tail = low | std::uint64_t{high} << 32;
    } else if (left > 0) {
        tail = static_cast<std::uint8_t>(rest[0]) |
               std::uint64_t{static_cast<std::uint8_t>(rest[left / 2])} << 8 |
               std::uint64_t{static_cast<std::uint8_t>(rest[left - 1])} << 16;
    }
    hash = (hash ^ tail ^ (std::uint64_t{text.size()} << 56)) * kMultiplier;
    return hash ^ (hash >> 32);
}

} // namespace

std::uint64_t PlayerDatabase::nameHash(std::string_view surname, std::string_view firstName) {
    std::uint64_t hash = mixText(mixText(0, surname), firstName);
    // The table uses the low bits, so every bit of the hash is spread into them.
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    return hash ^ (hash >> 33);
}

const Player* PlayerDatabase::findById(std::int32_t id) const {
    if (count_ <= 0)
        return nullptr;
    if (id >= 0 && static_cast<std::size_t>(id) < denseIds_.size()) {
        const auto index = denseIds_[id];
        return index < 0 ? nullptr : &players_[index];
    }
    const auto it = sparseIds_.find(id);
    return it == sparseIds_.end() ? nullptr : &players_[it->second];
}

const Player* PlayerDatabase::findByName(std::string_view surname,
                                         std::string_view firstName) const {
    if (nameSlots_.empty())
        return nullptr;
    const std::size_t mask = nameSlots_.size() - 1;
    for (std::size_t slot = nameHash(surname, firstName) & mask; nameSlots_[slot] >= 0;
         slot = (slot + 1) & mask) {
        const Player& player = players_[nameSlots_[slot]];
        if (player.surname == surname && player.firstName == firstName)
            return &player;
    }
    return nullptr;
}

const Player* PlayerDatabase::findByDisplayName(std::string_view displayName) const {
    const auto comma = displayName.find(',');
    if (comma == std::string_view::npos || comma + 1 >= displayName.size() ||
        displayName[comma + 1] != ' ')
        return nullptr;
    const auto surname = displayName.substr(0, comma);
    const auto firstName = displayName.substr(comma + 2);
    if (surname.size() > kMaxNamePart || firstName.size() > kMaxNamePart)
        return nullptr;
    return findByName(surname, firstName);
}

PlayerDatabase& playerDatabase() {
    static PlayerDatabase database;
    return database;
}

LoadOutcome loadPlayerFile(const std::string& path, PlayerDatabase& database) {
    // Thrown out of the image reader when the file cannot be read to its end.
    struct ReadFailed {};
    FileReader file;
    std::string bytes;
    auto fail = [&database](LoadOutcome outcome) {
        database.clear();
        return outcome;
    };
    if (file.open(path))
        return fail(LoadOutcome::Missing);
    // A file beyond the ceiling is refused before anything is read or allocated for it.
    if (!file.regular()) {
        if (auto error = file.readRest(bytes))
            return fail(error->kind == FileErrorKind::BadFormat ? LoadOutcome::BadFormat
                                                                : LoadOutcome::Missing);
    } else if (file.size() > kLargestFileRead) {
        return fail(LoadOutcome::BadFormat);
    }
    try {
        // A regular file is decoded as it is read; anything else has no size to check the
        // record count against, so it is read whole first.
        if (file.regular()) {
            std::size_t total = 0;
            database.decode(
                [&file, &total](char* into, std::size_t size) {
                    std::size_t got = 0;
                    if (file.read(into, size, got))
                        throw ReadFailed{};
                    // A file that grows while it is read stops at the ceiling all the same.
                    total += got;
                    if (total > kLargestFileRead)
                        throw ArchiveError(ArchiveFault::BadFormat, "larger than the ceiling");
                    return got;
                },
                file.size());
        } else {
            database.decode(bytes);
        }
        return LoadOutcome::Loaded;
    } catch (const ArchiveError&) {
        return fail(LoadOutcome::BadFormat);
    } catch (const ReadFailed&) {
        return fail(LoadOutcome::Missing);
    }
}

LoadOutcome startUpPlayerDatabase(PlayerDatabase& database, const std::string& path,
                                  std::string* notice) {
    PlayerRepair repair = repairPlayerFileKeepingBytes(path);
    // Repaired bytes that could not be written back serve this run from memory, and the reason
    // is told once: the file's own bytes would only load as a bad format.
    if (repair.outcome == RepairOutcome::Unwritten) {
        try {
            database.decode(repair.repaired);
            const std::string text =
                repair.writeError->message() + "\n" + path +
                ": its line ends are repaired for this run only; the file is unchanged.";
            if (notice != nullptr)
                *notice = text;
            else
                std::cerr << text << '\n';
            return LoadOutcome::Loaded;
        } catch (const ArchiveError&) {
        }
    }
    const LoadOutcome outcome = loadPlayerFile(path, database);
    if (outcome == LoadOutcome::BadFormat)
        std::cerr << FileError{FileErrorKind::BadFormat, path}.message() << '\n';
    return outcome;
}

} // namespace quorvel
