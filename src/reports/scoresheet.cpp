#include "reports/scoresheet.h"

#include <cmath>
#include <limits>

#include "common/text_format.h"
#include "records/delivery_effect.h"
#include "records/player_database.h"

namespace quorvel {

namespace {

constexpr std::int64_t kMostInt32 = std::numeric_limits<std::int32_t>::max();

// Adds without wrapping around, so absurd run values cannot overflow a tally.
void addRuns(std::int32_t& tally, std::int32_t runs) {
    const std::int64_t sum = static_cast<std::int64_t>(tally) + runs;
    if (sum > kMostInt32)
        tally = std::numeric_limits<std::int32_t>::max();
    else if (sum < std::numeric_limits<std::int32_t>::min())
        tally = std::numeric_limits<std::int32_t>::min();
    else
        tally = static_cast<std::int32_t>(sum);
}

// How a delivery's runs are added to a tally: a plain sum where no tally can leave int32, or
// one held at int32's limits where one could.
struct PlainSum {
    void operator()(std::int32_t& tally, std::int32_t runs) const { tally += runs; }
};
struct HeldSum {
    void operator()(std::int32_t& tally, std::int32_t runs) const { addRuns(tally, runs); }
};

// Adds the delivery's runs to the innings and to the rows of its batsman and bowler. A legal
// ball has no wide or no-ball runs, and a wide or no-ball no runs of the batsman, byes or leg
// byes, so only the tallies it can change are touched.
template <class Sum>
void addRunsOf(const DeliveryEffect& effect, InningsCard& card, BattingEntry& batsman,
               BowlingEntry& bowler, Sum add) {
    add(card.total, effect.totalRuns);
    add(bowler.runsGiven, effect.bowlerRuns);
    if (effect.legal()) {
        add(batsman.runs, effect.batsmanRuns);
        add(card.extraByes, effect.byes);
        add(card.extraLegByes, effect.legByes);
        return;
    }
    add(card.extraWides, effect.wides);
    add(card.extraNoBalls, effect.noBalls);
    add(bowler.wideRunsGiven, effect.wides);
    add(bowler.noBallRunsGiven, effect.noBalls);
}

// The row of id in rows: the first row that holds id, else the first empty row, which id then
// takes. Nobody (-1) and a player who finds every row taken by others get no row. Rows are
// taken in order and an id takes one row only, so the rows found for the last two players
// (`recent`) are checked first: two batsmen share the strike and two bowlers the overs.
template <class Row, std::size_t N>
Row* findOrTakeRow(std::array<Row, N>& rows, std::int32_t id, std::array<std::size_t, 2>& recent) {
    if (id == kNoPlayer)
        return nullptr;
    for (const std::size_t index : recent)
        if (index < N && rows[index].playerId == id)
            return &rows[index];
    for (std::size_t index = 0; index < N; ++index) {
        Row& row = rows[index];
        if (row.playerId == kNoPlayer)
            row.playerId = id;
        if (row.playerId == id) {
            recent = {index, recent[0]};
            return &row;
        }
    }
    return nullptr;
}

// A player as the sheet prints him: his initial and his surname.
struct PrintedName {
    char initial = ' ';
    const char* surname = "";
};

PrintedName printedName(const PlayerDatabase& database, std::int32_t id) {
    const Player* player = database.findById(id);
    if (player == nullptr)
        return {};
    return {player->initial(), player->surname.c_str()};
}

const std::string& teamName(const Scores& scores, std::int32_t index) {
    static const std::string kNone;
    return index == 0 || index == 1 ? scores.teams[index].name() : kNone;
}

void appendBattingLine(std::string& out, const BattingEntry& row, const PlayerDatabase& database) {
    const PrintedName batsman = printedName(database, row.playerId);
    switch (row.howOut) {
    case Dismissal::NotOut:
        break;
    case Dismissal::Bowled:
    case Dismissal::Lbw: {
        const PrintedName bowler = printedName(database, row.bowlerId);
        appendFormat(out, "%c %-17s %-19s b %c %-15s %4d%4d%3d%3d\r\n", batsman.initial,
                     batsman.surname, " ", bowler.initial, bowler.surname, row.runs, row.ballsFaced,
                     row.fours, row.sixes);
        return;
    }
    case Dismissal::Caught: {
        const PrintedName fielder = printedName(database, row.fielderId);
        const PrintedName bowler = printedName(database, row.bowlerId);
        appendFormat(out, "%c %-17s c %c %-15s b %c %-15s %4d%4d%3d%3d\r\n", batsman.initial,
                     batsman.surname, fielder.initial, fielder.surname, bowler.initial,
                     bowler.surname, row.runs, row.ballsFaced, row.fours, row.sixes);
        return;
    }
    case Dismissal::RunOut: {
        const std::string fielder =
            std::string("(") + printedName(database, row.fielderId).surname + ")";
        appendFormat(out, "%c %-17s run out %-31s %4d%4d%3d%3d\r\n", batsman.initial,
                     batsman.surname, fielder.c_str(), row.runs, row.ballsFaced, row.fours,
                     row.sixes);
        return;
    }
    case Dismissal::Stumped: {
        const PrintedName keeper = printedName(database, row.fielderId);
        const PrintedName bowler = printedName(database, row.bowlerId);
        appendFormat(out, "%c %-17s st %c %-14s b %c %-15s %4d%4d%3d%3d\r\n", batsman.initial,
                     batsman.surname, keeper.initial, keeper.surname, bowler.initial,
                     bowler.surname, row.runs, row.ballsFaced, row.fours, row.sixes);
        return;
    }
    }
    // Not out, and a stored value that names no way of being out.
    appendFormat(out, "%c %-17s %-39s %4d%4d%3d%3d\r\n", batsman.initial, batsman.surname,
                 "not out", row.runs, row.ballsFaced, row.fours, row.sixes);
}

} // namespace

std::string scoreSheetHeader(const Scores& scores) {
    std::string text;
    appendFormat(text, "%s vs. %s\r\n", teamName(scores, 0).c_str(), teamName(scores, 1).c_str());
    text += scores.matchDate;
    text += "\r\n";
    appendFormat(text, "Toss: %s\r\n\r\n", teamName(scores, scores.tossWinner).c_str());
    return text;
}

std::string inningsSectionText(const InningsCard& card, const std::string& battingSideName,
                               const PlayerDatabase& database) {
    std::string text;
    appendFormat(text, "%-60s%4s%4s%3s%3s\r\n", battingSideName.c_str(), "R", "B", "4", "6");
    for (const auto& row : card.batting) {
        if (row.playerId == kNoPlayer)
            break;
        appendBattingLine(text, row, database);
    }

    const std::int64_t extras = static_cast<std::int64_t>(card.extraByes) + card.extraLegByes +
                                card.extraWides + card.extraNoBalls;
    appendFormat(text, "%-19s (b %2d, lb %2d, w %2d, nb %2d)%-13s %4lld\r\n", "Extras",
                 card.extraByes, card.extraLegByes, card.extraWides, card.extraNoBalls, " ",
                 static_cast<long long>(extras));
    appendFormat(text, "%-19s (%-2d wickets, %4.1lf overs)%-15s %4d\r\n\r\n", "Total",
                 card.wicketsDown, card.oversDone, " ", card.total);

    text += "FoW:";
    for (std::size_t w = 0; w < card.fallOfWickets.size(); ++w) {
        const WicketFall& fall = card.fallOfWickets[w];
        if (fall.playerId == kNoPlayer)
            break;
        if (w > 0)
            text += ",";
        if (w % 2 == 0)
            text += "\r\n";
        const PrintedName batsman = printedName(database, fall.playerId);
        appendFormat(text, "  %zu-%d (%c %s, %.1lf ov)", w + 1, fall.scoreAtFall, batsman.initial,
                     batsman.surname, fall.oversAtFall);
    }
    text += "\r\n\r\n";

    appendFormat(text, "%-20s%4s%3s%4s%3s\r\n", "Bowling", "O", "M", "R", "W");
    for (const auto& row : card.bowling) {
        if (row.playerId == kNoPlayer)
            break;
        const PrintedName bowler = printedName(database, row.playerId);
        appendFormat(text, "%c %-17s %4.0lf%3d%4d%3d  ", bowler.initial, bowler.surname,
                     row.oversDone, row.maidenOvers, row.runsGiven, row.wicketsTaken);
        if (row.wideRunsGiven > 0 && row.noBallRunsGiven > 0)
            appendFormat(text, "(%d w, %d nb)\r\n", row.wideRunsGiven, row.noBallRunsGiven);
        else if (row.wideRunsGiven > 0)
            appendFormat(text, "(%d w)\r\n", row.wideRunsGiven);
        else if (row.noBallRunsGiven > 0)
            appendFormat(text, "(%d nb)\r\n", row.noBallRunsGiven);
        else
            text += "\r\n";
    }
    text += "\r\n\r\n";
    return text;
}

ScoreSheet::ScoreSheet(const Scores& scores, const PlayerDatabase& database)
    : scores_(scores), database_(database) {}

void ScoreSheet::clearTables() {
    cards_ = {};
    lastInnings_ = 0;
    runsRecorded_ = 0;
    spareBatsman_ = {};
    spareBowler_ = {};
}

void ScoreSheet::writeHeader() { sheetText_ = scoreSheetHeader(scores_); }

void ScoreSheet::recordDelivery(int inningsIndex, const Over& over, int slot, const Ball& ball) {
    if (inningsIndex != 0 && inningsIndex != 1)
        return;
    lastInnings_ = inningsIndex;
    InningsCard& card = cards_[static_cast<std::size_t>(inningsIndex)];

    // A batsman or bowler without a row is tallied in a spare row, so the rest of the delivery
    // counts.
    BattingEntry* found = findOrTakeRow(card.batting, ball.batsmanId, recentBatsmen_);
    BowlingEntry* foundBowler = findOrTakeRow(card.bowling, over.bowlerId, recentBowlers_);
    BattingEntry& batsman = found != nullptr ? *found : spareBatsman_;
    BowlingEntry& bowler = foundBowler != nullptr ? *foundBowler : spareBowler_;

    const DeliveryEffect effect = deliveryEffect(ball);
    // Plain sums while the runs recorded cannot take any tally out of int32.
    if (runsRecorded_ <= kMostInt32)
        runsRecorded_ += ball.runs < 0 ? -static_cast<std::int64_t>(ball.runs) : ball.runs;
    if (runsRecorded_ <= kMostInt32)
        addRunsOf(effect, card, batsman, bowler, PlainSum{});
    else
        addRunsOf(effect, card, batsman, bowler, HeldSum{});
    if (!effect.legal()) {
        // A wide or no-ball is charged to the bowler; no ball is faced and the over does not
        // advance.
        if (endsOver(slot, effect))
            endOver(card, bowler, over);
        return;
    }

    batsman.ballsFaced += 1;
    bowler.oversDone += 0.1;
    batsman.fours += effect.four ? 1 : 0;
    batsman.sixes += effect.six ? 1 : 0;
    if (const DismissalInfo* wicket = effect.wicket) {
        batsman.howOut = wicket->kind;
        if (wicket->namesFielder)
            batsman.fielderId = ball.fielderId;
        if (wicket->creditsBowler) {
            batsman.bowlerId = over.bowlerId;
            bowler.wicketsTaken += 1;
        }
        // The wicket stands at the overs before this delivery. Past ten wickets there is no
        // row left; the delivery is still counted as bowled.
        if (card.wicketsDown >= 0 &&
            card.wicketsDown < static_cast<std::int32_t>(card.fallOfWickets.size())) {
            card.fallOfWickets[static_cast<std::size_t>(card.wicketsDown)] =
                WicketFall{ball.batsmanId, card.total, card.oversDone};
            card.wicketsDown += 1;
        }
    }
    card.oversDone += 0.1;
    if (endsOver(slot, effect))
        endOver(card, bowler, over);
}

void ScoreSheet::endOver(InningsCard& card, BowlingEntry& bowler, const Over& over) {
    // Whole overs, and a maiden when the over gave no run of any kind.
    bowler.oversDone = std::ceil(bowler.oversDone);
    card.oversDone = std::ceil(card.oversDone);
    if (isMaiden(over))
        bowler.maidenOvers += 1;
}

void ScoreSheet::buildSheetText() {
    std::string text = scoreSheetHeader(scores_);
    text += inningsSectionText(cards_[0], teamName(scores_, scores_.battingSide(0)), database_);
    if (lastInnings_ != 0)
        text += inningsSectionText(cards_[1], teamName(scores_, scores_.battingSide(1)), database_);
    sheetText_ = std::move(text);
}

std::optional<FileError> ScoreSheet::saveSheet(const std::string& path) const {
    return writeWholeFile(path, sheetText_);
}

std::string ScoreSheet::defaultFileName() const { return scores_.title() + ".txt"; }

} // namespace quorvel
