#include "records/player_database.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <sys/stat.h>

#include "common/line_ends.h"
#include "records/file_io.h"

namespace quorvel {

namespace {

constexpr std::size_t kMaxNamePart = 31;

// Field names of a Player record in the order they are stored.
constexpr std::array<std::string_view, 25> kPlayerFieldNames = {
    "hundreds",     "fifties",           "battingAverage", "bestBowling",  "bowlingAverage",
    "economyRate",  "bowlingStrikeRate", "reservedA",      "country",      "firstName",
    "highestScore", "playerId",          "inningsPlayed",  "surname",      "maidens",
    "matches",      "notOuts",           "oversBowled",    "runsScored",   "runsConceded",
    "reservedB",    "wickets",           "battingFlags",   "bowlingFlags", "keeperFlags",
};

// Reads a Player while noting where each field starts, to name the field at a byte offset.
class FieldTracer {
public:
    explicit FieldTracer(ArchiveReader& reader) : reader_(reader) {}
    template <class T> void io(T& value) {
        starts_.push_back(reader_.position());
        reader_.io(value);
    }
    const std::vector<std::size_t>& starts() const { return starts_; }

private:
    ArchiveReader& reader_;
    std::vector<std::size_t> starts_;
};

// Reads a record straight from memory while each of its strings has a one-byte prefix, which is
// how every record of a normal database is written. The caller makes sure kLongestShortRecord
// bytes remain, so no read can run past the end and none needs a check. Any other prefix marks
// the record incomplete, and the caller reads it again with the checked reader.
class ShortRecordReader {
public:
    static constexpr std::size_t kLongestShortRecord = Player::kFixedSize + 4 * (1 + 254);

    explicit ShortRecordReader(const char* start) : start_(start), at_(start) {}

    void io(std::int32_t& value) { take(value); }
    void io(double& value) { take(value); }
    // Every string starts at least 16 bytes before the guaranteed end, so it can be filled
    // with one 16-byte copy.
    void io(CompactString& text) {
        const auto length = static_cast<std::uint8_t>(*at_);
        if (length == 0xFF) {
            complete_ = false;
            return;
        }
        text.assignCounted(at_);
        at_ += 1 + std::size_t{length};
    }

    bool complete() const { return complete_; }
    std::size_t consumed() const { return static_cast<std::size_t>(at_ - start_); }

private:
    template <class T> void take(T& value) {
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
    }

    const char* start_;
    const char* at_;
    bool complete_ = true;
};

// Reads one record, taking the unchecked path whenever it is safe.
void readPlayerRecord(ArchiveReader& reader, Player& player) {
    const auto unread = reader.unread();
    if (unread.size() >= ShortRecordReader::kLongestShortRecord) {
        ShortRecordReader fast(unread.data());
        player.readWith(fast);
        if (fast.complete()) {
            reader.skip(fast.consumed());
            return;
        }
    }
    player.serialize(reader);
}

// The unread part of an image, refilled from its reader a chunk at a time.
class ImageWindow {
public:
    static constexpr std::size_t kChunk = 64 * 1024;

    // An image known to be small gets a buffer of its own size, not a whole chunk.
    ImageWindow(const ImageReader& read, std::size_t imageSize)
        : read_(read), firstSize_(std::min(imageSize, kChunk)) {}

    std::string_view unread() const { return {buffer_.get() + begin_, end_ - begin_}; }
    bool ended() const { return ended_; }
    void consume(std::size_t size) { begin_ += size; }

    // Makes at least size unread bytes available, unless the image ends first.
    void want(std::size_t size) {
        if (end_ - begin_ >= size || ended_)
            return;
        const std::size_t capacity = std::max(capacity_, size + firstSize_);
        if (capacity > capacity_) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity);
            if (end_ > begin_)
                std::memcpy(larger.get(), buffer_.get() + begin_, end_ - begin_);
            buffer_ = std::move(larger);
            capacity_ = capacity;
        } else {
            std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        }
        end_ -= begin_;
        begin_ = 0;
        while (end_ < size && !ended_) {
            const std::size_t got = read_(buffer_.get() + end_, capacity_ - end_);
            ended_ = got == 0;
            end_ += std::min(got, capacity_ - end_);
        }
    }

private:
    const ImageReader& read_;
    std::size_t firstSize_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
};

// Reads the next record from the window. A record that runs past the window is read again once
// the window holds more; only at the end of the image is it short.
void readPlayerRecord(ImageWindow& window, Player& player) {
    window.want(ShortRecordReader::kLongestShortRecord);
    for (;;) {
        ArchiveReader reader(window.unread());
        try {
            readPlayerRecord(reader, player);
            window.consume(reader.position());
            return;
        } catch (const ArchiveError& error) {
            if (error.fault() != ArchiveFault::EndOfData || window.ended())
                throw;
        }
        window.want(2 * window.unread().size() + ImageWindow::kChunk);
    }
}

// Reads the header of a "players.dat" image and returns its record count. Every record takes at
// least its fixed part and four prefixes, so a count that the recordBytes after the header
// cannot hold is known to be short before anything is allocated for it.
std::size_t readPlayerFileHeader(ArchiveReader& reader, std::int32_t& leadingValue,
                                 std::size_t recordBytes) {
    leadingValue = reader.readInt32();
    const std::int32_t count = reader.readInt32();
    if (count < 0)
        throw ArchiveError(ArchiveFault::BadFormat, "negative player count");
    if (static_cast<std::size_t>(count) > recordBytes / (Player::kFixedSize + 4))
        throw ArchiveError(ArchiveFault::EndOfData, "fewer records than the count says");
    return static_cast<std::size_t>(count);
}

} // namespace

PlayerFile decodePlayerFile(std::string_view bytes) {
    ArchiveReader reader(bytes);
    PlayerFile file;
    const std::size_t recordBytes = bytes.size() > 8 ? bytes.size() - 8 : 0;
    file.players.resize(readPlayerFileHeader(reader, file.leadingValue, recordBytes));
    for (auto& player : file.players)
        readPlayerRecord(reader, player);
    return file;
}

std::string encodePlayerFile(const PlayerFile& file) {
    ArchiveWriter writer;
    writer.writeInt32(file.leadingValue);
    writer.writeInt32(static_cast<std::int32_t>(file.players.size()));
    for (const auto& player : file.players)
        player.serialize(writer);
    return writer.takeBytes();
}

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
    ImageWindow window(read, size);
    window.want(ShortRecordReader::kLongestShortRecord);
    ArchiveReader header(window.unread().substr(0, 8));
    const std::size_t count =
        readPlayerFileHeader(header, next.leadingValue_, size > 8 ? size - 8 : 0);
    window.consume(8);
    next.players_.reserve(count);
    next.denseIds_.assign(count, -1);
    std::vector<std::uint64_t> hashes(count);
    for (std::size_t i = 0; i < count; ++i) {
        readPlayerRecord(window, next.players_.emplace_back());
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

std::string PlayerFileProblem::describe() const {
    std::string text = record < 0 ? std::string("file") : "record " + std::to_string(record);
    if (!field.empty())
        text += ", field " + field;
    return text + ": " + what;
}

namespace {

// What a look through a "players.dat" image finds: whether it loads at all, and its problems,
// the first kMaxListedProblems of each sort, so that a file of many faults costs no more memory
// than a file of few.
struct PlayerFileFindings {
    static constexpr std::size_t kMaxListedProblems = 20;

    bool loads = true;
    std::vector<PlayerFileProblem> problems;
    std::vector<PlayerFileProblem> lineEndPairs;

    static void note(std::vector<PlayerFileProblem>& list, PlayerFileProblem problem) {
        if (list.size() < kMaxListedProblems)
            list.push_back(std::move(problem));
        else if (list.size() == kMaxListedProblems)
            list.push_back({-1, "",
                            "more problems follow; only the first " +
                                std::to_string(kMaxListedProblems) + " are listed"});
    }
};

// Checks every record of the image as it is read. CR LF pairs are noted as their records are
// passed, so where each pair lies is known without keeping every record's field offsets.
PlayerFileFindings inspectPlayerFile(std::string_view bytes) {
    PlayerFileFindings found;
    auto problem = [&](int record, std::string_view field, std::string what) {
        found.note(found.problems, {record, std::string(field), std::move(what)});
    };
    std::size_t pair = bytes.find("\r\n");
    auto notePairsBefore = [&](std::size_t end, int record, auto fieldAt) {
        for (; pair < end; pair = bytes.find("\r\n", pair + 1))
            found.note(found.lineEndPairs,
                       {record, std::string(fieldAt(pair)),
                        "holds the byte pair 0x0D 0x0A at offset " + std::to_string(pair)});
    };

    ArchiveReader reader(bytes);
    std::int32_t count = 0;
    try {
        reader.readInt32();
        count = reader.readInt32();
    } catch (const ArchiveError&) {
        found.loads = false;
        problem(-1, "", "shorter than the 8-byte header");
        return found;
    }
    if (count < 0) {
        found.loads = false;
        problem(-1, "count", "negative count " + std::to_string(count));
        return found;
    }
    notePairsBefore(8, -1, [](std::size_t at) { return at < 4 ? "leadingValue" : "count"; });

    for (std::int32_t i = 0; i < count; ++i) {
        Player player;
        FieldTracer tracer(reader);
        try {
            player.readWith(tracer);
        } catch (const ArchiveError& error) {
            found.loads = false;
            const auto field = kPlayerFieldNames[tracer.starts().size() - 1];
            problem(i, field,
                    error.fault() == ArchiveFault::EndOfData ? "the file ends inside this field"
                                                             : "malformed string length prefix");
            return found;
        }
        const auto& starts = tracer.starts();
        notePairsBefore(reader.position(), i, [&](std::size_t at) {
            const auto after = std::upper_bound(starts.begin(), starts.end(), at);
            return kPlayerFieldNames[static_cast<std::size_t>(after - starts.begin()) - 1];
        });
        if (player.playerId != i)
            problem(i, "playerId",
                    "is " + std::to_string(player.playerId) + ", expected " + std::to_string(i));
        if (countryName(player.country).empty())
            problem(i, "country", "is " + std::to_string(player.country) + ", not a country code");
        const auto style = player.bowlingFlags & bowling::kAnyStyle;
        if ((player.bowlingFlags & ~(bowling::kAnyStyle | bowling::kLeftArm)) != 0 ||
            (style != 0 && !std::has_single_bit(static_cast<std::uint32_t>(style))))
            problem(i, "bowlingFlags",
                    "has unknown style bits " + std::to_string(player.bowlingFlags));
        constexpr auto kBattingBits = batting::kOpener | batting::kFirstChoice |
                                      batting::kSecondChoice | batting::kLowerOrder |
                                      batting::kLeftHand;
        if ((player.battingFlags & ~kBattingBits) != 0)
            problem(i, "battingFlags", "has unknown bits " + std::to_string(player.battingFlags));
        if ((player.keeperFlags & ~(keeper::kWicketKeeper | keeper::kPredefined)) != 0)
            problem(i, "keeperFlags", "has unknown bits " + std::to_string(player.keeperFlags));
        // A NaN is no figure, and its bits would not survive being written out as text.
        for (const auto& [field, value] : {std::pair{"battingAverage", player.battingAverage},
                                           {"bowlingAverage", player.bowlingAverage},
                                           {"economyRate", player.economyRate},
                                           {"bowlingStrikeRate", player.bowlingStrikeRate},
                                           {"oversBowled", player.oversBowled}})
            if (std::isnan(value))
                problem(i, field, "is not a number");
    }
    // Pairs in the bytes after the last record.
    notePairsBefore(bytes.size(), -1, [](std::size_t) { return ""; });
    return found;
}

} // namespace

std::vector<PlayerFileProblem> checkPlayerFile(std::string_view bytes) {
    // A CR LF pair would be taken for a damaged line end by the start-up repair.
    PlayerFileFindings found = inspectPlayerFile(bytes);
    for (auto& pair : found.lineEndPairs)
        found.problems.push_back(std::move(pair));
    return found.problems;
}

RepairOutcome repairPlayerFile(const std::string& path) {
    struct statx before {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &before) != 0)
        return errno == ENOENT ? RepairOutcome::Missing : RepairOutcome::Failed;
    // Only a regular file can have been transferred, and only one is read twice: a pipe or a
    // device is left for the load to read once.
    FileReader file;
    if (!S_ISREG(before.stx_mode) || file.open(path) || !file.regular())
        return RepairOutcome::Untouched;
    std::string bytes;
    if (file.readRest(bytes))
        return RepairOutcome::Failed;
    std::string repaired;
    if (removeCrBeforeLf(bytes, repaired) == 0)
        return RepairOutcome::Untouched;
    // A file that loads and checks as valid is never rewritten, whatever bytes it holds. Any
    // other is repaired when the repair makes it load: valid, when it loaded already.
    const PlayerFileFindings asItIs = inspectPlayerFile(bytes);
    if (asItIs.loads && asItIs.problems.empty())
        return RepairOutcome::Untouched;
    const PlayerFileFindings afterRepair = inspectPlayerFile(repaired);
    if (!afterRepair.loads || (asItIs.loads && !afterRepair.problems.empty()))
        return RepairOutcome::Untouched;
    if (writeWholeFile(path, repaired))
        return RepairOutcome::Failed;

    const auto toTimespec = [](const struct statx_timestamp& t) {
        return timespec{static_cast<time_t>(t.tv_sec), static_cast<long>(t.tv_nsec)};
    };
    const timespec times[2] = {
        toTimespec(before.stx_atime),
        toTimespec((before.stx_mask & STATX_BTIME) ? before.stx_btime : before.stx_mtime),
    };
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
        return RepairOutcome::Failed;
    return RepairOutcome::Repaired;
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

LoadOutcome startUpPlayerDatabase(PlayerDatabase& database, const std::string& path) {
    repairPlayerFile(path);
    const LoadOutcome outcome = loadPlayerFile(path, database);
    if (outcome == LoadOutcome::BadFormat)
        std::cerr << FileError{FileErrorKind::BadFormat, path}.message() << '\n';
    return outcome;
}

} // namespace quorvel
