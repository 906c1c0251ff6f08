#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>

#include "common/line_ends.h"
#include "records/file_io.h"
#include "records/player_check.h"
#include "records/player_database.h"
#include "records/player_repair.h"
#include "support/test_support.h"

namespace quorvel {
namespace {

using test::makePlayer;

PlayerDatabase databaseOf(std::vector<Player> players) {
    PlayerDatabase database;
    database.assign(PlayerFile{7, std::move(players)});
    return database;
}

TEST(PlayerRecord, SerializedLayoutIsTheFixedPartPlusTheStrings) {
    Player player = makePlayer(3, "Okafor", "Jim", 2, 0x101, 0x8, 0x11);
    player.bestBowling = "4/21";
    player.highestScore = "102*";
    player.battingAverage = 31.5;
    ArchiveWriter writer;
    player.serialize(writer);
    EXPECT_EQ(writer.bytes().size(), 108u + 4 + 3 + 4 + 6);
    // hundreds, fifties, battingAverage, then the length-prefixed bestBowling.
    EXPECT_EQ(writer.bytes().substr(16, 5), "\x04"
                                            "4/21");

    ArchiveReader reader(writer.bytes());
    Player back;
    back.serialize(reader);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(back, player);
    EXPECT_EQ(back.displayName(), "Okafor, Jim");
    EXPECT_EQ(back.fullName(), "Jim Okafor");
}

TEST(PlayerDatabase, LookupsReturnTheFirstMatchOrNone) {
    const PlayerFile file{7,
                          {
                              makePlayer(0, "Mirza", "Ali"),
                              makePlayer(1, "Mirza", "Ali", 16),
                              makePlayer(2, "Mirza", "ali"),
                              makePlayer(1, "Dup", "Id"),
                              makePlayer(-5, "Neg", "Id"),
                          }};
    // Built from records and decoded straight from the file's bytes, the indexes must agree.
    PlayerDatabase assigned;
    assigned.assign(file);
    PlayerDatabase decoded;
    decoded.decode(encodePlayerFile(file));
    for (const PlayerDatabase* database : {&assigned, &decoded}) {
        EXPECT_EQ(database->count(), 5);
        EXPECT_EQ(database->leadingValue(), 7);
        EXPECT_EQ(database->players(), file.players);
        EXPECT_EQ(database->findByName("Mirza", "Ali"), &database->players()[0]);
        EXPECT_EQ(database->findByDisplayName("Mirza, Ali"), &database->players()[0]);
        EXPECT_EQ(database->findByDisplayName("Mirza, ali"), &database->players()[2]);
        EXPECT_EQ(database->findById(1), &database->players()[1]);
        EXPECT_EQ(database->findById(-5), &database->players()[4]);
        EXPECT_EQ(database->findById(99), nullptr);
        EXPECT_EQ(database->findByName("mirza", "Ali"), nullptr);
        for (const char* bad : {"Mirza,Ali", "Mirza Ali", "Mirza, ", ", Ali", "", "Mirza,  Ali"})
            EXPECT_EQ(database->findByDisplayName(bad), nullptr) << bad;
    }
}

TEST(PlayerFileCodec, LongOrSixteenBitTextsAmongShortRecordsDecodeAlike) {
    // Enough records for the unchecked path, with texts it cannot take in the middle and at
    // the end: the decode must match the records, however each one was read.
    PlayerFile file{1, {}};
    for (int i = 0; i < 60; ++i) {
        Player player = makePlayer(i, "Surname" + std::to_string(i), "F" + std::to_string(i));
        player.highestScore = std::to_string(i) + "*";
        player.bestBowling = std::to_string(i % 7) + "/" + std::to_string(i);
        player.oversBowled = i * 1.5;
        player.keeperFlags = i;
        if (i == 20 || i == 59)
            player.surname = std::string(300, static_cast<char>('a' + i % 26));
        if (i == 30)
            player.bestBowling = std::string(15, 'w');
        file.players.push_back(std::move(player));
    }
    std::string bytes = encodePlayerFile(file);
    EXPECT_EQ(decodePlayerFile(bytes), file);

    // Record 40's first name, stored as 16-bit text instead.
    const std::string plain = "\x03"
                              "F40";
    const std::string wide("\xFF\xFE\xFF\x03"
                           "F\0"
                           "4\0"
                           "0\0",
                           10);
    const auto at = bytes.find(plain);
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, plain.size(), wide);
    PlayerDatabase database;
    database.decode(bytes);
    EXPECT_EQ(database.players(), file.players);
    EXPECT_EQ(database.findByDisplayName("Surname40, F40"), &database.players()[40]);
    EXPECT_EQ(database.findByName(file.players[59].surname, "F59"), &database.players()[59]);
}

// Reads bytes in pieces of the given size, as a file might arrive.
ImageReader piecesOf(std::string_view& bytes, std::size_t piece) {
    return [&bytes, piece](char* into, std::size_t size) {
        const auto part = bytes.substr(0, std::min({size, piece, bytes.size()}));
        std::memcpy(into, part.data(), part.size());
        bytes.remove_prefix(part.size());
        return part.size();
    };
}

TEST(PlayerDatabase, AStreamedDecodeGivesTheSameRecordsWhateverThePieceSize) {
    PlayerFile file{9, {}};
    for (int i = 0; i < 700; ++i)
        file.players.push_back(makePlayer(i, "Name" + std::to_string(i), "F"));
    // Long texts that straddle any window: 70,000 characters, more than one read.
    file.players[3].bestBowling = std::string(70000, 'b');
    file.players[699].surname = std::string(300, 's');
    const std::string bytes = encodePlayerFile(file);
    for (std::size_t piece : {1u, 7u, 1000u, 65536u, 1u << 20}) {
        std::string_view rest = bytes;
        PlayerDatabase database;
        database.decode(piecesOf(rest, piece), bytes.size());
        EXPECT_EQ(database.players(), file.players) << piece;
        EXPECT_EQ(database.leadingValue(), 9);
        EXPECT_EQ(database.findById(699), &database.players()[699]);
    }
}

TEST(PlayerDatabase, AStreamThatEndsEarlyOrFailsKeepsTheEarlierContents) {
    PlayerDatabase database;
    database.assign(PlayerFile{2, {makePlayer(0, "Ames", "Rob")}});
    PlayerFile file{5, {}};
    for (int i = 0; i < 50; ++i)
        file.players.push_back(makePlayer(i, "Boyd", std::to_string(i)));
    const std::string bytes = encodePlayerFile(file);

    std::string_view shorter = std::string_view(bytes).substr(0, bytes.size() - 3);
    EXPECT_THROW(database.decode(piecesOf(shorter, 100), bytes.size()), ArchiveError);
    std::size_t calls = 0;
    std::string_view whole = bytes;
    const ImageReader thirdReadFails = [&](char* into, std::size_t size) {
        if (++calls >= 3)
            throw std::runtime_error("read failed");
        return piecesOf(whole, 2000)(into, size);
    };
    EXPECT_THROW(database.decode(thirdReadFails, bytes.size()), std::runtime_error);
    EXPECT_EQ(database.count(), 1);
    EXPECT_NE(database.findByDisplayName("Ames, Rob"), nullptr);
}

TEST(PlayerDatabase, AFailedDecodeKeepsTheEarlierContents) {
    PlayerDatabase database;
    database.assign(PlayerFile{2, {makePlayer(0, "Ames", "Rob")}});
    const std::string bytes = encodePlayerFile(
        PlayerFile{5, {makePlayer(0, "Boyd", "Tim"), makePlayer(1, "Cole", "Ed")}});
    EXPECT_THROW(database.decode(bytes.substr(0, bytes.size() - 1)), ArchiveError);
    EXPECT_EQ(database.count(), 1);
    EXPECT_EQ(database.leadingValue(), 2);
    EXPECT_NE(database.findByDisplayName("Ames, Rob"), nullptr);
    EXPECT_EQ(database.findByDisplayName("Boyd, Tim"), nullptr);
}

TEST(PlayerDatabase, NamesHoldingAnyBytesNeverShareALookupKey) {
    using namespace std::string_literals;
    const auto database = databaseOf({
        makePlayer(0, "", "\0"s),
        makePlayer(1, "\0"s, ""),
        makePlayer(2, "Ab", "c"),
        makePlayer(3, "A", "bc"),
    });
    EXPECT_EQ(database.findByName("\0"s, ""), &database.players()[1]);
    EXPECT_EQ(database.findByName("", "\0"s), &database.players()[0]);
    EXPECT_EQ(database.findByName("A", "bc"), &database.players()[3]);
    EXPECT_EQ(database.findByDisplayName("Ab, c"), &database.players()[2]);
}

TEST(PlayerDatabase, DisplayNamePartsAreLimitedTo31Characters) {
    const std::string name31(31, 's');
    const std::string name32(32, 's');
    const auto database = databaseOf({
        makePlayer(0, name31, name31),
        makePlayer(1, name32, "Al"),
        makePlayer(2, "Al", name32),
    });
    EXPECT_NE(database.findByDisplayName(name31 + ", " + name31), nullptr);
    EXPECT_EQ(database.findByDisplayName(name32 + ", Al"), nullptr);
    EXPECT_EQ(database.findByDisplayName("Al, " + name32), nullptr);
    EXPECT_NE(database.findByName(name32, "Al"), nullptr);
}

TEST(PlayerDatabase, EmptyDatabaseFindsNobody) {
    const PlayerDatabase database;
    EXPECT_EQ(database.count(), 0);
    EXPECT_EQ(database.findById(0), nullptr);
    EXPECT_EQ(database.findByName("", ""), nullptr);
    EXPECT_EQ(database.findByDisplayName(", "), nullptr);
}

TEST(PlayerFileCodec, IgnoresTrailingBytesAndRejectsShortFiles) {
    const PlayerFile file{3, {makePlayer(0, "Ames", "Rob"), makePlayer(1, "Boyd", "Tim")}};
    const std::string bytes = encodePlayerFile(file);
    EXPECT_EQ(decodePlayerFile(bytes + "junk"), file);
    for (std::size_t cut : {std::size_t{0}, std::size_t{4}, std::size_t{7}, std::size_t{8},
                            std::size_t{50}, bytes.size() - 1})
        EXPECT_THROW(decodePlayerFile(bytes.substr(0, cut)), ArchiveError) << cut;

    std::string negative = bytes;
    negative[4] = '\xFF';
    negative[7] = '\xFF';
    EXPECT_THROW(decodePlayerFile(negative), ArchiveError);
    std::string huge = bytes;
    huge[7] = '\x7F';
    EXPECT_THROW(decodePlayerFile(huge), ArchiveError);
}

TEST(PlayerFileCheck, NamesTheRecordAndFieldOfEachProblem) {
    PlayerFile file{0, {makePlayer(0, "Ames", "Rob", 1), makePlayer(5, "Boyd", "Tim", 3, 0, 0x3)}};
    auto problems = checkPlayerFile(encodePlayerFile(file));
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].describe(), "record 1, field playerId: is 5, expected 1");
    EXPECT_EQ(problems[1].field, "country");
    EXPECT_EQ(problems[2].field, "bowlingFlags");

    // runsScored 2573 is stored as 0D 0A 00 00: a pair the repair pass would mangle.
    file = PlayerFile{0, {makePlayer(0, "Ames", "Rob", 1)}};
    file.players[0].runsScored = 0x0A0D;
    problems = checkPlayerFile(encodePlayerFile(file));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].record, 0);
    EXPECT_EQ(problems[0].field, "runsScored");

    // A NaN figure would not survive a dump and build.
    file.players[0].runsScored = 0;
    file.players[0].economyRate = std::nan("");
    problems = checkPlayerFile(encodePlayerFile(file));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].describe(), "record 0, field economyRate: is not a number");

    problems = checkPlayerFile(encodePlayerFile(file).substr(0, 30));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].record, 0);
}

TEST(LineEndRepair, DropsOneCrPerLfLookingAtTheInput) {
    std::string out;
    EXPECT_EQ(removeCrBeforeLf("a\r\nb\r\r\nc\r", out), 2u);
    EXPECT_EQ(out, "a\nb\r\nc\r");
    EXPECT_EQ(removeCrBeforeLf("\nx\r", out), 0u);
    EXPECT_EQ(out, "\nx\r");
}

// A valid database file with LF bytes in it: the player count 10 is stored as 0A 00 00 00.
std::string validBytesWithLineFeeds() {
    PlayerFile file;
    for (int i = 0; i < 10; ++i)
        file.players.push_back(makePlayer(i, "Name" + std::to_string(i), "First", 1 << (i % 9)));
    return encodePlayerFile(file);
}

// Puts a CR before every LF, as a text-mode transfer does.
std::string damaged(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

TEST(LineEndRepair, RestoresADamagedFileAndItsTimes) {
    test::ScratchDir dir;
    const std::string path = dir.file("players.dat");
    const std::string good = validBytesWithLineFeeds();
    const std::string bad = damaged(good);
    ASSERT_NE(bad, good);
    test::writeBytes(path, bad);
    ::chmod(path.c_str(), 0640);

    struct statx before {};
    ASSERT_EQ(::statx(AT_FDCWD, path.c_str(), 0, STATX_ALL, &before), 0);
    const timespec old[2] = {{1000000, 0}, {2000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);

    EXPECT_EQ(repairPlayerFile(path), RepairOutcome::Repaired);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(test::readBytes(path), good);
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(after.st_atim.tv_sec, 1000000);
    // The last-write time becomes the creation time where the file system keeps one.
    EXPECT_EQ(after.st_mtim.tv_sec,
              (before.stx_mask & STATX_BTIME) ? before.stx_btime.tv_sec : 2000000);

    PlayerDatabase database;
    EXPECT_EQ(loadPlayerFile(path, database), LoadOutcome::Loaded);
    EXPECT_EQ(database.count(), 10);

    // Real data holding the pair 0D 0A is repaired all the same: the damage made it unloadable.
    PlayerFile file = decodePlayerFile(good);
    file.players[3].surname = "Odd\r\nName";
    test::writeBytes(path, damaged(encodePlayerFile(file)));
    EXPECT_EQ(repairPlayerFile(path), RepairOutcome::Repaired);
    EXPECT_EQ(test::readBytes(path), encodePlayerFile(file));

    // Repaired bytes that cannot be written back serve this run from memory, the file untouched
    // and the reason told, where the file's own bytes would only load as a bad format.
    test::writeBytes(path, bad);
    ::chmod(path.c_str(), 0444);
    testing::internal::CaptureStderr();
    EXPECT_EQ(startUpPlayerDatabase(database, path), LoadOutcome::Loaded);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unable to write to " + path + ", it is read-only or opened by someone else.\n" +
                  path +
                  ": its line ends are repaired for this run only; the file is unchanged.\n");
    EXPECT_EQ(database.count(), 10);
    EXPECT_EQ(test::readBytes(path), bad);
}

TEST(LineEndRepair, NeverTouchesAValidOrUnrepairableFile) {
    test::ScratchDir dir;
    const std::string path = dir.file("players.dat");

    // Valid, with a CR LF pair inside a name: the pass must leave it, bytes and times.
    PlayerFile file{0, {makePlayer(0, "Odd\r\nName", "Rob", 1)}};
    const std::string crlfBearing = encodePlayerFile(file);
    for (const std::string& bytes :
         {validBytesWithLineFeeds(), crlfBearing, std::string("garbage\r\nthat is no database")}) {
        test::writeBytes(path, bytes);
        const timespec old[2] = {{1000000, 0}, {2000000, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
        EXPECT_EQ(repairPlayerFile(path), RepairOutcome::Untouched);
        EXPECT_EQ(test::readBytes(path), bytes);
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mtim.tv_sec, 2000000);
    }
    EXPECT_EQ(repairPlayerFile(dir.file("missing.dat")), RepairOutcome::Missing);
}

TEST(PlayerFileLoad, ReadsAFileOfManyChunksOrOfAnyKind) {
    test::ScratchDir dir;
    PlayerFile file{4, {}};
    for (int i = 0; i < 2000; ++i)
        file.players.push_back(makePlayer(i, "Surname" + std::to_string(i), "First"));
    file.players[1500].bestBowling = std::string(100000, 'x'); // across two 64 KB chunks
    const std::string path = dir.file("players.dat");
    const std::string bytes = encodePlayerFile(file);
    test::writeBytes(path, bytes);

    PlayerDatabase database;
    EXPECT_EQ(loadPlayerFile(path, database), LoadOutcome::Loaded);
    EXPECT_EQ(database.players(), file.players);

    // Cut inside the long text, the file is short.
    test::writeBytes(path, bytes.substr(0, bytes.find(std::string(1000, 'x')) + 50000));
    EXPECT_EQ(loadPlayerFile(path, database), LoadOutcome::BadFormat);
    EXPECT_EQ(database.count(), 0);

    // A folder cannot be read; a device has no size and is read whole, here as empty.
    EXPECT_EQ(loadPlayerFile(dir.path().string(), database), LoadOutcome::Missing);
    EXPECT_EQ(loadPlayerFile("/dev/null", database), LoadOutcome::BadFormat);
}

TEST(PlayerFileLoad, ABadFileLeavesTheDatabaseEmpty) {
    test::ScratchDir dir;
    const std::string path = dir.file("players.dat");
    const std::string bytes = validBytesWithLineFeeds();
    test::writeBytes(path, bytes.substr(0, bytes.size() - 3));

    PlayerDatabase database;
    database.assign(PlayerFile{0, {makePlayer(0, "Old", "One")}});
    EXPECT_EQ(loadPlayerFile(path, database), LoadOutcome::BadFormat);
    EXPECT_EQ(database.count(), 0);
    EXPECT_TRUE(database.players().empty());

    testing::internal::CaptureStderr();
    startUpPlayerDatabase(database, path);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + " has a bad format.\n");

    testing::internal::CaptureStderr();
    startUpPlayerDatabase(database, dir.file("nothing-here.dat"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(database.count(), 0);
}

} // namespace
} // namespace quorvel
