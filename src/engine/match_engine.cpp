#include "engine/match_engine.h"

#include <algorithm>
#include <bit>
#include <string_view>
#include <utility>

#include "common/text_format.h"
#include "records/player_database.h"
#include "records/scores.h"

namespace quorvel {

using namespace std::string_view_literals;

namespace {

// The element at index, or nullptr when index is outside the array.
template <class Array> auto slotAt(Array& array, int index) -> decltype(&array[0]) {
    return index >= 0 && static_cast<std::size_t>(index) < array.size() ? &array[index] : nullptr;
}

template <class Array, class Value> void addAt(Array& array, int index, Value amount) {
    if (auto* element = slotAt(array, index))
        *element += amount;
}

char initialOf(const Player* player) { return player ? player->initial() : ' '; }
const char* surnameOf(const Player* player) { return player ? player->surname.c_str() : ""; }

std::string_view runWord(int runs) { return runs >= 2 ? "runs"sv : "run"sv; }

int sliderPosition(int position) {
    return std::clamp(position, slider::kMinPosition, slider::kMaxPosition);
}

// "%c %s": a player's initial and surname.
void putPlayer(TextBuilder& out, const Player* player) {
    out.put(initialOf(player));
    out.put(' ');
    out.text(surnameOf(player));
}

// "%d %s": runs and "run" or "runs".
void putRuns(TextBuilder& out, int runs) {
    out.number(runs);
    out.put(' ');
    out.put(runWord(runs));
}

} // namespace

void writeDismissalLine(TextBuilder& out, Dismissal dismissalKind, const Player* striker,
                        const Player* fielder, const Player* bowler, int strikerRuns) {
    // Not out, and a stored value that names no way of being out, have no line.
    const DismissalInfo* info = dismissalInfo(dismissalKind);
    if (info == nullptr || !info->out)
        return;
    putPlayer(out, striker);
    switch (dismissalKind) {
    case Dismissal::NotOut:
    case Dismissal::Bowled:
        out.put("\tb "sv);
        break;
    case Dismissal::Caught:
        out.put("\tc "sv);
        putPlayer(out, fielder);
        out.put("\tb "sv);
        break;
    case Dismissal::Lbw:
        out.put("\tlbw "sv);
        break;
    case Dismissal::RunOut:
        out.put("\trun out ("sv);
        putPlayer(out, fielder);
        out.put(")\tb "sv);
        break;
    case Dismissal::Stumped:
        out.put("\tst ("sv);
        putPlayer(out, fielder);
        out.put(")\tb "sv);
        break;
    }
    putPlayer(out, bowler);
    out.put('\t');
    out.number(strikerRuns);
}

std::string dismissalLine(Dismissal dismissalKind, const Player* striker, const Player* fielder,
                          const Player* bowler, int strikerRuns) {
    TextBuilder line;
    writeDismissalLine(line, dismissalKind, striker, fielder, bowler, strikerRuns);
    return line.take();
}

MatchEngine::MatchEngine(Scores& scores, const PlayerDatabase& database, InningsFigures& figures,
                         MatchListener& listener, MatchHost& host, RandomSource& random)
    : scores_(scores), database_(database), figures_(figures), listener_(listener), host_(host),
      random_(random), generator_(dynamic_cast<Random*>(&random)) {}

Over& MatchEngine::currentOver() {
    auto* innings = slotAt(scores_.innings, figures_.inningsIndex);
    auto* over = innings ? slotAt(innings->overs, figures_.overNumber) : nullptr;
    return over ? *over : spareOver_;
}

Ball& MatchEngine::currentBall() { return currentBallOf(currentOver()); }

Ball& MatchEngine::currentBallOf(Over& over) {
    auto* ball = slotAt(over.balls, figures_.ballIndex);
    return ball ? *ball : spareBall_;
}

const Team& MatchEngine::fieldingTeam() const {
    return scores_.teams[scores_.fieldingSide(figures_.inningsIndex)];
}

int MatchEngine::strikerId() const {
    const int* id = slotAt(figures_.batsmanIds, figures_.strikerSlot);
    return id ? *id : kNoPlayer;
}

namespace {

// The sliders as the striker of crease slot `slot` plays under them, each held to 0..4.
Aggression aggressionOf(const SliderPositions& positions, int slot) {
    Aggression sliders;
    sliders.fielding = sliderPosition(positions.fielding);
    sliders.bowling = sliderPosition(positions.bowling);
    sliders.running = sliderPosition(positions.running);
    sliders.batting = sliderPosition(positions.batting(slot));
    return sliders;
}

} // namespace

MatchEngine::DeliveryContext MatchEngine::deliveryContext() {
    const int slot = figures_.strikerSlot;
    if (over_ && (slot == 0 || slot == 1)) {
        const auto at = static_cast<std::size_t>(slot);
        return {over_->bowler, over_->batsmen[at], over_->sliders[at], over_->phase};
    }
    DeliveryContext context;
    if (over_)
        context.bowler = over_->bowler;
    else if (const std::string* name = slotAt(figures_.bowlerNames, figures_.currentBowlerRow))
        context.bowler = database_.findByDisplayName(*name);
    context.striker = database_.findById(strikerId());
    context.sliders = aggressionOf(host_.readSliders(), slot);
    context.phase = phaseOf(figures_.overNumber);
    return context;
}

void MatchEngine::beginOver(const Player* bowler) {
    over_ = OverContext{};
    over_->bowler = bowler;
    over_->phase = phaseOf(figures_.overNumber);
    over_->text = listener_.wantsText();
    readCrease();
}

void MatchEngine::readCrease() {
    if (!over_)
        return;
    const SliderPositions positions = host_.readSliders();
    for (int slot = 0; slot < kCreaseSlots; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        over_->batsmen[at] = database_.findById(figures_.batsmanIds[at]);
        over_->sliders[at] = aggressionOf(positions, slot);
    }
}

ExtraKind MatchEngine::decideExtra() { return decideExtra(deliveryContext()); }

const MatchEngine::Tables& MatchEngine::tablesFor(const DeliveryContext& context) {
    const Player* bowler = context.bowler;
    const Player* striker = context.striker;
    PairKey pair;
    pair.bowlingFlags = bowler ? bowler->bowlingFlags : 0;
    pair.strikeRateBits = std::bit_cast<std::uint64_t>(bowler ? bowler->bowlingStrikeRate : 0.0);
    pair.economyRateBits = std::bit_cast<std::uint64_t>(bowler ? bowler->economyRate : 0.0);
    pair.battingAverageBits = std::bit_cast<std::uint64_t>(striker ? striker->battingAverage : 0.0);
    Tables& tables = tables_[figures_.strikerSlot == 1 ? 1 : 0];
    if (tables.ready && tables.pair == pair && tables.sliders == context.sliders &&
        tables.phase == context.phase)
        return tables;
    if (!tables.ready || !(tables.pair == pair)) {
        const double battingAverage = std::bit_cast<double>(pair.battingAverageBits);
        tables.pair = pair;
        tables.dismissalFigure =
            dismissalFigure(std::bit_cast<double>(pair.strikeRateBits), battingAverage);
        tables.runsFigure = runsFigure(std::bit_cast<double>(pair.economyRateBits), battingAverage);
    }
    tables.sliders = context.sliders;
    tables.phase = context.phase;
    // Prepared in place: a prepared table built aside and copied in is read back whole just
    // after its parts were written, which stalls.
    tables.dismissals.prepare(
        dismissalWeights(context.sliders, pair.bowlingFlags, tables.dismissalFigure));
    tables.runs.prepare(runWeights(context.sliders, context.phase, tables.runsFigure));
    tables.ready = true;
    return tables;
}

ExtraKind MatchEngine::decideExtra(const DeliveryContext& context) {
    const int flags = context.bowler ? context.bowler->bowlingFlags : 0;
    // The three divisors written out as constants, so that none takes a division.
    const int x = draw();
    int extra = 0;
    switch (extrasDivisor(flags)) {
    case 200:
        extra = x % 200;
        break;
    case 60:
        extra = x % 60;
        break;
    default:
        extra = x % 50;
        break;
    }
    switch (extra) {
    case 0:
        return ExtraKind::Wide;
    case 1:
        return ExtraKind::NoBall;
    default:
        return ExtraKind::Legal;
    }
}

Dismissal MatchEngine::decideDismissal(const Ball& ball) {
    return decideDismissal(ball, deliveryContext());
}

Dismissal MatchEngine::decideDismissal(const Ball& ball, const DeliveryContext& context) {
    return decideDismissal(ball, legalTables(ball, context));
}

const MatchEngine::Tables* MatchEngine::legalTables(const Ball& ball,
                                                    const DeliveryContext& context) {
    return ball.extraKind == ExtraKind::Legal ? &tablesFor(context) : nullptr;
}

Dismissal MatchEngine::decideDismissal(const Ball& ball, const Tables* tables) {
    if (ball.extraKind != ExtraKind::Legal || tables == nullptr)
        return Dismissal::NotOut;
    const PreparedWeights& weights = tables->dismissals;
    if (weights.total() <= 0)
        return Dismissal::NotOut;
    return kDismissalKindByWeight[weights.pick(draw())];
}

int MatchEngine::chooseFielder() { return chooseFielder(currentBall()); }

int MatchEngine::chooseFielder(const Ball& ball) {
    const Team& side = fieldingTeam();
    if (ball.dismissalKind == Dismissal::Stumped) {
        for (int place = 0; place < kTeamSize; ++place) {
            const Player* player = database_.findById(side.playerAt(place));
            if (player && player->isWicketKeeper())
                return player->playerId;
        }
    }
    return side.playerAt(drawMod(kTeamSize));
}

RunsOutcome MatchEngine::decideRuns(const Ball& ball) {
    return decideRuns(ball, deliveryContext());
}

RunsOutcome MatchEngine::decideRuns(const Ball& ball, const DeliveryContext& context) {
    return decideRuns(ball, legalTables(ball, context));
}

RunsOutcome MatchEngine::decideRuns(const Ball& ball, const Tables* tables) {
    if (ball.dismissalKind != Dismissal::NotOut)
        return {RunKind::Taken, 0};
    if (ball.extraKind != ExtraKind::Legal || tables == nullptr)
        return {RunKind::Taken, 1};
    const int q = drawMod(300);
    if (q < 8) {
        const RunKind kind = q < 4 ? RunKind::Byes : RunKind::LegByes;
        return {kind, drawMod(10) == 0 ? 4 : 1};
    }
    const PreparedWeights& weights = tables->runs;
    if (weights.total() <= 0)
        return {RunKind::Taken, 0};
    return kRunsByWeight[weights.pick(draw())];
}

DeliveryEnd MatchEngine::playDelivery() {
    Over& over = currentOver();
    Ball& ball = currentBallOf(over);
    const int slot = figures_.ballIndex;
    const DeliveryContext context = deliveryContext();

    ball.batsmanId = strikerId();
    if (const std::uint16_t* places = slotAt(figures_.creasePlaces, figures_.strikerSlot))
        figures_.battedPlaces |= *places;
    ball.extraKind = decideExtra(context);
    // The tables of a legal delivery are looked up once for both of its draws from them.
    const Tables* tables = legalTables(ball, context);
    ball.dismissalKind = decideDismissal(ball, tables);
    ball.fielderId = chooseFielder(ball);
    const RunsOutcome outcome = decideRuns(ball, tables);
    ball.runKind = outcome.runKind;
    ball.runs = outcome.runs;
    const DeliveryEffect effect = deliveryEffect(ball);

    figures_.oversFigure += 0.1;
    figures_.totalRuns += effect.totalRuns;
    const bool text = textWanted();
    if (text)
        logOpening(over, ball);
    listener_.deliveryBowled(figures_.inningsIndex, over, slot, ball);

    if (!effect.legal()) {
        applyExtra(over, ball, effect);
        return DeliveryEnd::Extra;
    }
    addAt(figures_.bowlerOvers, figures_.currentBowlerRow, 0.1);
    addAt(figures_.batsmanBalls, figures_.strikerSlot, 1);
    bool allOut = false;
    if (effect.wicket == nullptr)
        applyRuns(ball, effect);
    else
        allOut = applyWicket(over, ball, effect);
    if (text) {
        listener_.commentary("\r\n");
        updateRates();
    }
    return allOut ? DeliveryEnd::TenthWicket : DeliveryEnd::Legal;
}

void MatchEngine::logOpening(const Over& over, const Ball& ball) {
    const Player* bowler = database_.findById(over.bowlerId);
    const Player* striker = database_.findById(ball.batsmanId);
    // "%0.1lf\t%c %s to %c %s: "
    TextBuilder& piece = newCommentaryPiece();
    piece.fixed(figures_.oversFigure, 1);
    piece.put('\t');
    putPlayer(piece, bowler);
    piece.put(" to "sv);
    putPlayer(piece, striker);
    piece.put(": "sv);
    listener_.commentary(piece.view());
}

void MatchEngine::applyExtra(Over& over, const Ball& ball, const DeliveryEffect& effect) {
    over.wideRuns += effect.wides;
    over.noBallRuns += effect.noBalls;
    addAt(figures_.bowlerRuns, figures_.currentBowlerRow, effect.bowlerRuns);
    figures_.oversFigure -= 0.1;
    --figures_.ballIndex;
    if (!textWanted())
        return;
    updateRates();
    // "%s, %d %s\r\n"
    const ExtraInfo* extra = extraInfo(ball.extraKind);
    TextBuilder& piece = newCommentaryPiece();
    piece.text(extra ? extra->word : "");
    piece.put(", "sv);
    putRuns(piece, ball.runs);
    piece.put("\r\n"sv);
    listener_.commentary(piece.view());
}

void MatchEngine::applyRuns(const Ball& ball, const DeliveryEffect& effect) {
    const int runs = ball.runs;
    addAt(figures_.batsmanRuns, figures_.strikerSlot, effect.batsmanRuns);
    addAt(figures_.bowlerRuns, figures_.currentBowlerRow, effect.bowlerRuns);
    // Odd runs cross the batsmen: a choice made without a branch, as the runs are random.
    const int slot = figures_.strikerSlot;
    figures_.strikerSlot = effect.swapsStrike ? 1 - slot : slot;
    if (!textWanted())
        return;
    // "Bye, %d %s" and the like: the lead, the runs and "run" or "runs".
    const auto tellRuns = [&](std::string_view lead) {
        TextBuilder& piece = newCommentaryPiece();
        piece.put(lead);
        putRuns(piece, runs);
        listener_.commentary(piece.view());
    };
    switch (ball.runKind) {
    case RunKind::Byes:
        tellRuns("Bye, "sv);
        break;
    case RunKind::LegByes:
        tellRuns("Legbye, "sv);
        break;
    case RunKind::Boundary:
        listener_.commentary(runs == 4 ? "Boundary!" : "Sixer!");
        break;
    case RunKind::Taken:
        tellRuns({});
        break;
    }
}

bool MatchEngine::applyWicket(const Over& over, const Ball& ball, const DeliveryEffect& effect) {
    ++figures_.totalWickets;
    if (effect.wicket->creditsBowler)
        addAt(figures_.bowlerWickets, figures_.currentBowlerRow, 1);
    if (textWanted()) {
        const int* strikerRuns = slotAt(figures_.batsmanRuns, figures_.strikerSlot);
        TextBuilder& line = newCommentaryPiece();
        writeDismissalLine(line, ball.dismissalKind, database_.findById(ball.batsmanId),
                           database_.findById(ball.fielderId), database_.findById(over.bowlerId),
                           strikerRuns ? *strikerRuns : 0);
        host_.showMessage(std::string(line.view()));
        listener_.commentary("OUT! ");
        listener_.commentary(line.view());
    }
    if (figures_.totalWickets >= kWicketsPerInnings)
        return true;
    bringInBatsman(figures_.strikerSlot);
    return false;
}

TextBuilder& MatchEngine::newCommentaryPiece() {
    commentaryPiece_.clear();
    return commentaryPiece_;
}

void MatchEngine::updateRates() { quorvel::updateRates(figures_); }

void MatchEngine::swapStrike() { figures_.strikerSlot = 1 - figures_.strikerSlot; }

void MatchEngine::bringInBatsman(int slot) {
    if (slot != 0 && slot != 1)
        return;
    IncomingBatsman batsman = host_.chooseIncomingBatsman(slot);
    figures_.batsmanIds[slot] = batsman.playerId;
    figures_.creasePlaces[slot] =
        placesOf(scores_.teams[scores_.battingSide(figures_.inningsIndex)], batsman.playerId);
    figures_.batsmanNames[slot] = std::move(batsman.displayName);
    figures_.batsmanRuns[slot] = 0;
    figures_.batsmanBalls[slot] = 0;
    figures_.batsmanStrikeRates[slot] = 0;
    host_.setBattingSlider(slot, slider::kMiddlePosition);
    readCrease();
}

} // namespace quorvel
