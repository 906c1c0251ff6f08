#include "reports/scoresheet.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "common/text_format.h"
#include "records/delivery_effect.h"
#include "records/player_database.h"

namespace quorvel {

using namespace std::string_view_literals;

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

// "%c %-Ns": a player's initial and his surname padded to width bytes.
void appendName(TextBuilder& out, const PrintedName& name, int width) {
    out.put(name.initial);
    out.put(' ');
    out.text(name.surname, -width);
}

// "%4d%4d%3d%3d\r\n": runs, balls, fours and sixes.
void appendBattingFigures(TextBuilder& out, const BattingEntry& row) {
    out.number(row.runs, 4);
    out.number(row.ballsFaced, 4);
    out.number(row.fours, 3);
    out.number(row.sixes, 3);
    out.put("\r\n"sv);
}

// One batsman's line: his name, how he was out in 39 columns, and his figures.
void appendBattingLine(TextBuilder& out, const BattingEntry& row, const PlayerDatabase& database) {
    const PrintedName batsman = printedName(database, row.playerId);
    appendName(out, batsman, 17);
    out.put(' ');
    switch (row.howOut) {
    case Dismissal::NotOut:
        break;
    case Dismissal::Bowled:
    case Dismissal::Lbw:
        // "%-19s b %c %-15s " with a blank for the fielder.
        out.text(" ", -19);
        out.put(" b "sv);
        appendName(out, printedName(database, row.bowlerId), 15);
        out.put(' ');
        appendBattingFigures(out, row);
        return;
    case Dismissal::Caught:
        out.put("c "sv);
        appendName(out, printedName(database, row.fielderId), 15);
        out.put(" b "sv);
        appendName(out, printedName(database, row.bowlerId), 15);
        out.put(' ');
        appendBattingFigures(out, row);
        return;
    case Dismissal::RunOut: {
        const std::string fielder =
            std::string("(") + printedName(database, row.fielderId).surname + ")";
        out.put("run out "sv);
        out.text(fielder.c_str(), -31);
        out.put(' ');
        appendBattingFigures(out, row);
        return;
    }
    case Dismissal::Stumped:
        out.put("st "sv);
        appendName(out, printedName(database, row.fielderId), 14);
        out.put(" b "sv);
        appendName(out, printedName(database, row.bowlerId), 15);
        out.put(' ');
        appendBattingFigures(out, row);
        return;
    }
    // Not out, and a stored value that names no way of being out.
    out.text("not out", -39);
    out.put(' ');
    appendBattingFigures(out, row);
}

// "%s vs. %s\r\n", the date, "Toss: %s\r\n\r\n".
void appendHeader(TextBuilder& out, const Scores& scores) {
    out.text(teamName(scores, 0).c_str());
    out.put(" vs. "sv);
    out.text(teamName(scores, 1).c_str());
    out.put("\r\n"sv);
    out.put(scores.matchDate);
    out.put("\r\n"sv);
    out.put("Toss: "sv);
    out.text(teamName(scores, scores.tossWinner).c_str());
    out.put("\r\n\r\n"sv);
}

// "%-19s (b %2d, lb %2d, w %2d, nb %2d)%-13s %4lld\r\n" and
// "%-19s (%-2d wickets, %4.1lf overs)%-15s %4d\r\n\r\n".
void appendExtrasAndTotal(TextBuilder& out, const InningsCard& card) {
    const std::int64_t extras = static_cast<std::int64_t>(card.extraByes) + card.extraLegByes +
                                card.extraWides + card.extraNoBalls;
    out.text("Extras", -19);
    out.put(" (b "sv);
    out.number(card.extraByes, 2);
    out.put(", lb "sv);
    out.number(card.extraLegByes, 2);
    out.put(", w "sv);
    out.number(card.extraWides, 2);
    out.put(", nb "sv);
    out.number(card.extraNoBalls, 2);
    out.put(')');
    out.text(" ", -13);
    out.put(' ');
    out.number(extras, 4);
    out.put("\r\n"sv);

    out.text("Total", -19);
    out.put(" ("sv);
    out.number(card.wicketsDown, -2);
    out.put(" wickets, "sv);
    out.fixed(card.oversDone, 1, 4);
    out.put(" overs)"sv);
    out.text(" ", -15);
    out.put(' ');
    out.number(card.total, 4);
    out.put("\r\n\r\n"sv);
}

// "FoW:" and "  %zu-%d (%c %s, %.1lf ov)" for each wicket, two to a line.
void appendFallOfWickets(TextBuilder& out, const InningsCard& card,
                         const PlayerDatabase& database) {
    out.put("FoW:"sv);
    for (std::size_t w = 0; w < card.fallOfWickets.size(); ++w) {
        const WicketFall& fall = card.fallOfWickets[w];
        if (fall.playerId == kNoPlayer)
            break;
        if (w > 0)
            out.put(","sv);
        if (w % 2 == 0)
            out.put("\r\n"sv);
        const PrintedName batsman = printedName(database, fall.playerId);
        out.put("  "sv);
        out.number(static_cast<long long>(w + 1));
        out.put('-');
        out.number(fall.scoreAtFall);
        out.put(" ("sv);
        appendName(out, batsman, 0);
        out.put(", "sv);
        out.fixed(fall.oversAtFall, 1);
        out.put(" ov)"sv);
    }
    out.put("\r\n\r\n"sv);
}

// "(%d w, %d nb)", "(%d w)", "(%d nb)" or nothing, and the line end.
void appendExtrasGiven(TextBuilder& out, const BowlingEntry& row) {
    const bool wides = row.wideRunsGiven > 0;
    const bool noBalls = row.noBallRunsGiven > 0;
    if (wides || noBalls)
        out.put('(');
    if (wides) {
        out.number(row.wideRunsGiven);
        out.put(" w"sv);
    }
    if (wides && noBalls)
        out.put(", "sv);
    if (noBalls) {
        out.number(row.noBallRunsGiven);
        out.put(" nb"sv);
    }
    if (wides || noBalls)
        out.put(')');
    out.put("\r\n"sv);
}

// "%c %-17s %4.0lf%3d%4d%3d  " and the wides and no-balls given, for each bowler.
void appendBowlingCard(TextBuilder& out, const InningsCard& card, const PlayerDatabase& database) {
    out.text("Bowling", -20);
    out.put("   O  M   R  W\r\n"sv);
    for (const auto& row : card.bowling) {
        if (row.playerId == kNoPlayer)
            break;
        appendName(out, printedName(database, row.playerId), 17);
        out.put(' ');
        out.fixed(row.oversDone, 0, 4);
        out.number(row.maidenOvers, 3);
        out.number(row.runsGiven, 4);
        out.number(row.wicketsTaken, 3);
        out.put("  "sv);
        appendExtrasGiven(out, row);
    }
    out.put("\r\n\r\n"sv);
}

// One innings of the sheet appended to out.
void appendInningsSection(TextBuilder& out, const InningsCard& card,
                          const std::string& battingSideName, const PlayerDatabase& database) {
    // "%-60s%4s%4s%3s%3s\r\n" with "R", "B", "4" and "6".
    out.text(battingSideName.c_str(), -60);
    out.put("   R   B  4  6\r\n"sv);
    for (const auto& row : card.batting) {
        if (row.playerId == kNoPlayer)
            break;
        appendBattingLine(out, row, database);
    }
    appendExtrasAndTotal(out, card);
    appendFallOfWickets(out, card, database);
    appendBowlingCard(out, card, database);
}

} // namespace

std::string scoreSheetHeader(const Scores& scores) {
    TextBuilder text;
    appendHeader(text, scores);
    return text.take();
}

std::string inningsSectionText(const InningsCard& card, const std::string& battingSideName,
                               const PlayerDatabase& database) {
    TextBuilder text;
    appendInningsSection(text, card, battingSideName, database);
    return text.take();
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
    // Written field by field into one builder, then moved into place.
    TextBuilder text;
    appendHeader(text, scores_);
    appendInningsSection(text, cards_[0], teamName(scores_, scores_.battingSide(0)), database_);
    if (lastInnings_ != 0)
        appendInningsSection(text, cards_[1], teamName(scores_, scores_.battingSide(1)), database_);
    sheetText_ = text.take();
}

std::optional<FileError> ScoreSheet::saveSheet(const std::string& path) const {
    return writeWholeFile(path, sheetText_);
}

std::string ScoreSheet::defaultFileName() const { return scores_.title() + ".txt"; }

} // namespace quorvel
