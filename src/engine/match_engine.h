#pragma once
// The match engine: decides and applies one delivery at a time, from the striker's and the
// bowler's career figures, the captains' sliders and the phase of the innings. It writes the
// delivery into the match record and keeps the running figures; it publishes each delivery and
// its commentary to a MatchListener and reaches the screen only through its MatchHost.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/text_format.h"
#include "engine/delivery_weights.h"
#include "engine/innings_figures.h"
#include "engine/match_host.h"
#include "engine/match_listener.h"
#include "engine/random.h"
#include "records/delivery_effect.h"
#include "records/innings.h"

namespace quorvel {

struct Player;
class PlayerDatabase;
class Scores;
class Team;

// How a delivery ended, for the over loop to act on.
enum class DeliveryEnd {
    Extra,       // a wide or no-ball: ballIndex was lowered so that the slot is bowled again
    Legal,       // a legal delivery that did not end the innings
    TenthWicket, // the innings is all out
};

// The dismissal line of a wicket (without the "OUT! " of the log), or empty for not out.
// A missing player prints as a blank initial and an empty surname.
std::string dismissalLine(Dismissal dismissalKind, const Player* striker, const Player* fielder,
                          const Player* bowler, int strikerRuns);
// The same line written at the end of out.
void writeDismissalLine(TextBuilder& out, Dismissal dismissalKind, const Player* striker,
                        const Player* fielder, const Player* bowler, int strikerRuns);

class MatchEngine {
public:
    MatchEngine(Scores& scores, const PlayerDatabase& database, InningsFigures& figures,
                MatchListener& listener, MatchHost& host, RandomSource& random);

    // What one delivery's decisions read, looked up once per delivery.
    struct DeliveryContext {
        const Player* bowler = nullptr;  // by display name of the current bowler row
        const Player* striker = nullptr; // by id of the striker's crease slot
        Aggression sliders;              // read from the host at this moment
        Phase phase = Phase::FirstOvers;
    };
    DeliveryContext deliveryContext();

    // The four decisions of a delivery. Without a context, each reads the current state.
    ExtraKind decideExtra();
    ExtraKind decideExtra(const DeliveryContext& context);
    Dismissal decideDismissal(const Ball& ball);
    Dismissal decideDismissal(const Ball& ball, const DeliveryContext& context);
    int chooseFielder();
    RunsOutcome decideRuns(const Ball& ball);
    RunsOutcome decideRuns(const Ball& ball, const DeliveryContext& context);

    // The over loop's bowler (nullptr when his row is empty or unknown) stands for the current
    // bowler row until endOver, so he is looked up once an over, not once a ball. While
    // the over is bowled, the batsmen at the crease and the sliders are read once too, and
    // again only when a batsman comes in (the one call through which they change mid-over).
    void beginOver(const Player* bowler);
    void endOver() { over_.reset(); }

    // Bowls into the current slot: decides, records, tallies, logs and applies the delivery.
    DeliveryEnd playDelivery();
    void updateRates();
    void swapStrike();
    // Fills crease slot 0 or 1 with the batsman the host brings in, his figures at 0.
    void bringInBatsman(int slot);

    // The current over and slot of the match record. Indices out of range (a corrupt state)
    // give a spare record that belongs to no innings, so nothing is written out of bounds.
    Over& currentOver();
    Ball& currentBall();
    const Team& fieldingTeam() const;
    // The player id in the striker's crease slot, -1 when none.
    int strikerId() const;

protected:
    void logOpening(const Over& over, const Ball& ball);
    void applyExtra(Over& over, const Ball& ball, const DeliveryEffect& effect);
    void applyRuns(const Ball& ball, const DeliveryEffect& effect);
    // Returns true when the wicket is the tenth (no batsman is called then).
    bool applyWicket(const Over& over, const Ball& ball, const DeliveryEffect& effect);

    Scores& scores_;
    const PlayerDatabase& database_;
    InningsFigures& figures_;
    MatchListener& listener_;
    MatchHost& host_;
    RandomSource& random_;

private:
    // What the weight tables read of the two players, and what it gives for the pair.
    struct PairKey {
        int bowlingFlags = 0;
        std::uint64_t strikeRateBits = 0;
        std::uint64_t economyRateBits = 0;
        std::uint64_t battingAverageBits = 0;
        bool operator==(const PairKey&) const = default;
    };
    struct Tables {
        PairKey pair;
        double dismissalFigure = 0;
        double runsFigure = 0;
        Aggression sliders;
        Phase phase = Phase::FirstOvers;
        bool ready = false;
        PreparedWeights dismissals;
        PreparedWeights runs;
    };
    // The tables of this context. The players' part is worked out again only for another pair,
    // the tables only when the pair, the sliders or the phase have changed: a batsman faces the
    // same bowler and sliders ball after ball, so one set is kept a crease slot.
    const Tables& tablesFor(const DeliveryContext& context);
    // The emptied string the next piece of commentary is written into.
    TextBuilder& newCommentaryPiece();
    // The tables of the ball when it is legal; no others are drawn from.
    const Tables* legalTables(const Ball& ball, const DeliveryContext& context);
    Dismissal decideDismissal(const Ball& ball, const Tables* tables);
    // The current slot of `over`, which is the current over.
    Ball& currentBallOf(Over& over);
    // The fielder of the ball being bowled, which is the current one.
    int chooseFielder(const Ball& ball);
    RunsOutcome decideRuns(const Ball& ball, const Tables* tables);

    // A draw from the match's generator. The program's own generator is called directly, not
    // through the virtual draw a scripted test source overrides: a delivery takes five draws.
    int draw() { return generator_ != nullptr ? generator_->draw() : random_.draw(); }
    int drawMod(int n) { return RandomSource::modOf(draw(), n); }

    Random* const generator_;
    std::array<Tables, kCreaseSlots> tables_{};
    Over spareOver_;
    Ball spareBall_;
    // What a delivery's context reads that stays the same through an over unless a batsman
    // comes in: the bowler, each crease slot's batsman and sliders, the phase and whether
    // anybody reads the commentary.
    struct OverContext {
        const Player* bowler = nullptr;
        std::array<const Player*, kCreaseSlots> batsmen{};
        std::array<Aggression, kCreaseSlots> sliders{};
        Phase phase = Phase::FirstOvers;
        bool text = true;
    };
    // Reads the crease and the sliders into over_ again.
    void readCrease();
    bool textWanted() const { return over_ ? over_->text : listener_.wantsText(); }
    // While an over is bowled, its context as the over loop set it up; otherwise none, and
    // each delivery reads everything afresh, the bowler by his row's name.
    std::optional<OverContext> over_;
    // The piece of commentary being written: cleared for each piece, so its room is reused
    // delivery after delivery instead of a new string for every piece.
    TextBuilder commentaryPiece_;
};

} // namespace quorvel
