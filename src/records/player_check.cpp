#include "records/player_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "records/archive.h"
#include "records/player.h"

namespace quorvel {

namespace {

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

} // namespace

std::string PlayerFileProblem::describe() const {
    std::string text = record < 0 ? std::string("file") : "record " + std::to_string(record);
    if (!field.empty())
        text += ", field " + field;
    return text + ": " + what;
}

void PlayerFileFindings::note(std::vector<PlayerFileProblem>& list, PlayerFileProblem problem) {
    if (list.size() < kMaxListedProblems)
        list.push_back(std::move(problem));
    else if (list.size() == kMaxListedProblems)
        list.push_back({-1, "",
                        "more problems follow; only the first " +
                            std::to_string(kMaxListedProblems) + " are listed"});
}

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

std::vector<PlayerFileProblem> checkPlayerFile(std::string_view bytes) {
    // A CR LF pair would be taken for a damaged line end by the start-up repair.
    PlayerFileFindings found = inspectPlayerFile(bytes);
    for (auto& pair : found.lineEndPairs)
        found.problems.push_back(std::move(pair));
    return found.problems;
}

} // namespace quorvel
