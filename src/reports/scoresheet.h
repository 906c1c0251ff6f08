#pragma once
// The scorecard of a match: batting, bowling and fall-of-wickets tallies for both innings,
// brought up to date delivery by delivery, and their fixed-pitch text.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "records/file_io.h"
#include "records/innings.h"
#include "records/scores.h"

namespace quorvel {

class PlayerDatabase;

struct BattingEntry {
    std::int32_t playerId = kNoPlayer;
    std::int32_t runs = 0;
    std::int32_t ballsFaced = 0;
    std::int32_t fours = 0;
    std::int32_t sixes = 0;
    Dismissal howOut = Dismissal::NotOut;
    std::int32_t fielderId = kNoPlayer;
    std::int32_t bowlerId = kNoPlayer;
};

struct BowlingEntry {
    std::int32_t playerId = kNoPlayer;
    double oversDone = 0;
    std::int32_t maidenOvers = 0;
    std::int32_t runsGiven = 0;
    std::int32_t wicketsTaken = 0;
    std::int32_t wideRunsGiven = 0;
    std::int32_t noBallRunsGiven = 0;
};

struct WicketFall {
    std::int32_t playerId = kNoPlayer;
    std::int32_t scoreAtFall = 0;
    double oversAtFall = 0;
};

struct InningsCard {
    std::array<BattingEntry, 11> batting{};
    std::array<BowlingEntry, 10> bowling{};
    std::array<WicketFall, 10> fallOfWickets{};
    std::int32_t extraByes = 0;
    std::int32_t extraLegByes = 0;
    std::int32_t extraWides = 0;
    std::int32_t extraNoBalls = 0;
    std::int32_t total = 0;
    std::int32_t wicketsDown = 0;
    double oversDone = 0;
};

// The three header lines of the sheet: the two sides, the match date and the toss winner.
std::string scoreSheetHeader(const Scores& scores);
// One innings of the sheet: batting card, extras, total, fall of wickets and bowling card.
// Players are looked up by id; one that is not found prints as a blank initial and no name.
std::string inningsSectionText(const InningsCard& card, const std::string& battingSideName,
                               const PlayerDatabase& database);

class ScoreSheet {
public:
    // The sheet reads the match record and looks players up in the database when it builds text.
    ScoreSheet(const Scores& scores, const PlayerDatabase& database);

    // Empties both cards (every id -1, every figure 0) and sets lastInnings to 0.
    void clearTables();
    // Sets sheetText to the header lines alone.
    void writeHeader();
    // Adds one delivery (wides and no-balls included) to cards[inningsIndex]: ball was written
    // into slot 0..5 of over, and a ball of the sixth slot ends the over. An inningsIndex other
    // than 0 or 1 is ignored; a batsman or bowler who finds no free row (a twelfth batsman, an
    // eleventh bowler) or is nobody (-1) gets no row, while the rest of the delivery still counts.
    void recordDelivery(int inningsIndex, const Over& over, int slot, const Ball& ball);
    // Rebuilds sheetText: the header, the first innings and, once a delivery of the second
    // innings has been recorded, the second.
    void buildSheetText();
    // Writes sheetText to path byte for byte; on failure the file that was there is untouched.
    std::optional<FileError> saveSheet(const std::string& path) const;
    // The name offered when the sheet is saved: "Left vs. Right, date.txt".
    std::string defaultFileName() const;

    const std::string& sheetText() const { return sheetText_; }
    // The sheet text moved out, without a copy; the sheet is left without text.
    std::string takeSheetText() { return std::exchange(sheetText_, {}); }
    const InningsCard& card(int inningsIndex) const { return cards_[inningsIndex == 1 ? 1 : 0]; }
    int lastInnings() const { return lastInnings_; }

private:
    static void endOver(InningsCard& card, BowlingEntry& bowler, const Over& over);

    const Scores& scores_;
    const PlayerDatabase& database_;
    std::string sheetText_;
    std::array<InningsCard, 2> cards_{};
    int lastInnings_ = 0;
    // The rows where recordDelivery found its last two batsmen and bowlers: only the first
    // places to look, checked before they are used.
    std::array<std::size_t, 2> recentBatsmen_{};
    std::array<std::size_t, 2> recentBowlers_{};
    // The sum of the sizes of the runs of every delivery recorded since the tables were
    // cleared, no longer added to once past int32. Every tally, the spare rows' too, sums some
    // of these runs, so while it stays within int32 no tally can leave int32 and plain sums are
    // exact; past it, sums are held at int32's limits.
    std::int64_t runsRecorded_ = 0;
    // Where a delivery's batsman or bowler without a row is tallied; never read.
    BattingEntry spareBatsman_;
    BowlingEntry spareBowler_;
};

} // namespace quorvel
