#include "reports/scoresheet.h"

#include <cmath>
#include <limits>

#include "common/text_format.h"
#include "records/delivery_effect.h"
#include "records/player_database.h"

namespace quorvel {

namespace {

// Adds without wrapping around, so absurd run values cannot overflow a tally.
void addRuns(std::int32_t& tally, std::int32_t runs) {
    const std::int64_t sum = static_cast<std::int64_t>(tally) + runs;
    if (sum > std::numeric_limits<std::int32_t>::max())
        tally = std::numeric_limits<std::int32_t>::max();
    else if (sum < std::numeric_limits<std::int32_t>::min())
        tally = std::numeric_limits<std::int32_t>::min();
    else
        tally = static_cast<std::int32_t>(sum);
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
void appendName(std::string& out, const PrintedName& name, int width) {
    out += name.initial;
    out += ' ';
    appendText(out, name.surname, -width);
}

// "%4d%4d%3d%3d\r\n": runs, balls, fours and sixes.
void appendBattingFigures(std::string& out, const BattingEntry& row) {
    appendNumber(out, row.runs, 4);
    appendNumber(out, row.ballsFaced, 4);
    appendNumber(out, row.fours, 3);
    appendNumber(out, row.sixes, 3);
    out += "\r\n";
}

// One batsman's line: his name, how he was out in 39 columns, and his figures.
void appendBattingLine(std::string& out, const BattingEntry& row, const PlayerDatabase& database) {
    const PrintedName batsman = printedName(database, row.playerId);
    appendName(out, batsman, 17);
    out += ' ';
    switch (row.howOut) {
    case Dismissal::NotOut:
        break;
    case Dismissal::Bowled:
    case Dismissal::Lbw:
        // "%-19s b %c %-15s " with a blank for the fielder.
        appendText(out, " ", -19);
        out += " b ";
        appendName(out, printedName(database, row.bowlerId), 15);
        out += ' ';
        appendBattingFigures(out, row);
        return;
    case Dismissal::Caught:
        out += "c ";
        appendName(out, printedName(database, row.fielderId), 15);
        out += " b ";
        appendName(out, printedName(database, row.bowlerId), 15);
        out += ' ';
        appendBattingFigures(out, row);
        return;
    case Dismissal::RunOut: {
        const std::string fielder =
            std::string("(") + printedName(database, row.fielderId).surname + ")";
        out += "run out ";
        appendText(out, fielder.c_str(), -31);
        out += ' ';
        appendBattingFigures(out, row);
        return;
    }
    case Dismissal::Stumped:
        out += "st ";
        appendName(out, printedName(database, row.fielderId), 14);
        out += " b ";
        appendName(out, printedName(database, row.bowlerId), 15);
        out += ' ';
        appendBattingFigures(out, row);
        return;
    }
    // Not out, and a stored value that names no way of being out.
    appendText(out, "not out", -39);
    out += ' ';
    appendBattingFigures(out, row);
}

// "%s vs. %s\r\n", the date, "Toss: %s\r\n\r\n".
void appendHeader(std::string& out, const Scores& scores) {
    appendText(out, teamName(scores, 0).c_str());
    out += " vs. ";
    appendText(out, teamName(scores, 1).c_str());
    out += "\r\n";
    out += scores.matchDate;
    out += "\r\n";
    out += "Toss: ";
    appendText(out, teamName(scores, scores.tossWinner).c_str());
    out += "\r\n\r\n";
}

// "%-19s (b %2d, lb %2d, w %2d, nb %2d)%-13s %4lld\r\n" and
// "%-19s (%-2d wickets, %4.1lf overs)%-15s %4d\r\n\r\n".
void appendExtrasAndTotal(std::string& out, const InningsCard& card) {
    const std::int64_t extras = static_cast<std::int64_t>(card.extraByes) + card.extraLegByes +
                                card.extraWides + card.extraNoBalls;
    appendText(out, "Extras", -19);
    out += " (b ";
    appendNumber(out, card.extraByes, 2);
    out += ", lb ";
    appendNumber(out, card.extraLegByes, 2);
    out += ", w ";
    appendNumber(out, card.extraWides, 2);
    out += ", nb ";
    appendNumber(out, card.extraNoBalls, 2);
    out += ')';
    appendText(out, " ", -13);
    out += ' ';
    appendNumber(out, extras, 4);
    out += "\r\n";

    appendText(out, "Total", -19);
    out += " (";
    appendNumber(out, card.wicketsDown, -2);
    out += " wickets, ";
    appendFixed(out, card.oversDone, 1, 4);
    out += " overs)";
    appendText(out, " ", -15);
    out += ' ';
    appendNumber(out, card.total, 4);
    out += "\r\n\r\n";
}

// "FoW:" and "  %zu-%d (%c %s, %.1lf ov)" for each wicket, two to a line.
void appendFallOfWickets(std::string& out, const InningsCard& card,
                         const PlayerDatabase& database) {
    out += "FoW:";
    for (std::size_t w = 0; w < card.fallOfWickets.size(); ++w) {
        const WicketFall& fall = card.fallOfWickets[w];
        if (fall.playerId == kNoPlayer)
            break;
        if (w > 0)
            out += ",";
        if (w % 2 == 0)
            out += "\r\n";
        const PrintedName batsman = printedName(database, fall.playerId);
        out += "  ";
        appendNumber(out, static_cast<long long>(w + 1));
        out += '-';
        appendNumber(out, fall.scoreAtFall);
        out += " (";
        appendName(out, batsman, 0);
        out += ", ";
        appendFixed(out, fall.oversAtFall, 1);
        out += " ov)";
    }
    out += "\r\n\r\n";
}

// "(%d w, %d nb)", "(%d w)", "(%d nb)" or nothing, and the line end.
void appendExtrasGiven(std::string& out, const BowlingEntry& row) {
    const bool wides = row.wideRunsGiven > 0;
    const bool noBalls = row.noBallRunsGiven > 0;
    if (wides || noBalls)
        out += '(';
    if (wides) {
        appendNumber(out, row.wideRunsGiven);
        out += " w";
    }
    if (wides && noBalls)
        out += ", ";
    if (noBalls) {
        appendNumber(out, row.noBallRunsGiven);
        out += " nb";
    }
    if (wides || noBalls)
        out += ')';
    out += "\r\n";
}

// "%c %-17s %4.0lf%3d%4d%3d  " and the wides and no-balls given, for each bowler.
void appendBowlingCard(std::string& out, const InningsCard& card, const PlayerDatabase& database) {
    appendText(out, "Bowling", -20);
    out += "   O  M   R  W\r\n";
    for (const auto& row : card.bowling) {
        if (row.playerId == kNoPlayer)
            break;
        appendName(out, printedName(database, row.playerId), 17);
        out += ' ';
        appendFixed(out, row.oversDone, 0, 4);
        appendNumber(out, row.maidenOvers, 3);
        appendNumber(out, row.runsGiven, 4);
        appendNumber(out, row.wicketsTaken, 3);
        out += "  ";
        appendExtrasGiven(out, row);
    }
    out += "\r\n\r\n";
}

// One innings of the sheet appended to out.
void appendInningsSection(std::string& out, const InningsCard& card,
                          const std::string& battingSideName, const PlayerDatabase& database) {
    // "%-60s%4s%4s%3s%3s\r\n" with "R", "B", "4" and "6".
    appendText(out, battingSideName.c_str(), -60);
    out += "   R   B  4  6\r\n";
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
    std::string text;
    appendHeader(text, scores);
    return text;
}

std::string inningsSectionText(const InningsCard& card, const std::string& battingSideName,
                               const PlayerDatabase& database) {
    std::string text;
    appendInningsSection(text, card, battingSideName, database);
    return text;
}

ScoreSheet::ScoreSheet(const Scores& scores, const PlayerDatabase& database)
    : scores_(scores), database_(database) {}

void ScoreSheet::clearTables() {
    cards_ = {};
    lastInnings_ = 0;
}

void ScoreSheet::writeHeader() { sheetText_ = scoreSheetHeader(scores_); }

void ScoreSheet::recordDelivery(int inningsIndex, const Over& over, int slot, const Ball& ball) {
    if (inningsIndex != 0 && inningsIndex != 1)
        return;
    lastInnings_ = inningsIndex;
    InningsCard& card = cards_[static_cast<std::size_t>(inningsIndex)];

    // Rows that cannot be had are replaced by scratch rows, so the rest of the delivery counts.
    BattingEntry noBatsman;
    BowlingEntry noBowler;
    BattingEntry* found = findOrTakeRow(card.batting, ball.batsmanId, recentBatsmen_);
    BowlingEntry* foundBowler = findOrTakeRow(card.bowling, over.bowlerId, recentBowlers_);
    BattingEntry& batsman = found != nullptr ? *found : noBatsman;
    BowlingEntry& bowler = foundBowler != nullptr ? *foundBowler : noBowler;

    const DeliveryEffect effect = deliveryEffect(ball);
    addRuns(card.total, effect.totalRuns);
    addRuns(bowler.runsGiven, effect.bowlerRuns);
    addRuns(card.extraWides, effect.wides);
    addRuns(card.extraNoBalls, effect.noBalls);
    addRuns(bowler.wideRunsGiven, effect.wides);
    addRuns(bowler.noBallRunsGiven, effect.noBalls);
    if (!effect.legal()) {
        // A wide or no-ball is charged to the bowler; no ball is faced and the over does not
        // advance.
        if (endsOver(slot, effect))
            endOver(card, bowler, over);
        return;
    }

    batsman.ballsFaced += 1;
    bowler.oversDone += 0.1;
    addRuns(batsman.runs, effect.batsmanRuns);
    addRuns(card.extraByes, effect.byes);
    addRuns(card.extraLegByes, effect.legByes);
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
    // Written into the sheet's own string, whose room is kept from one build to the next.
    sheetText_.clear();
    appendHeader(sheetText_, scores_);
    appendInningsSection(sheetText_, cards_[0], teamName(scores_, scores_.battingSide(0)),
                         database_);
    if (lastInnings_ != 0)
        appendInningsSection(sheetText_, cards_[1], teamName(scores_, scores_.battingSide(1)),
                             database_);
}

std::optional<FileError> ScoreSheet::saveSheet(const std::string& path) const {
    return writeWholeFile(path, sheetText_);
}

std::string ScoreSheet::defaultFileName() const { return scores_.title() + ".txt"; }

} // namespace quorvel
