#pragma once
// The match form without its window: it owns the running figures, the commentary log and the
// scoresheet tallies, holds the five sliders, the ">" buttons, "Bowl Over", "Scoresheet..."
// and the chase controls, and plays the match into the document's Scores. A window shows this
// state and forwards clicks to it; the headless command and the tests drive it directly.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "engine/innings_figures.h"
#include "engine/match_flow.h"
#include "engine/match_host.h"
#include "reports/match_log.h"
#include "reports/scoresheet.h"
#include "screen/report_listener.h"
#include "setup/toss.h"

namespace quorvel {

class PlayerDatabase;
class RandomSource;
class Scores;

// What the match form asks of whoever uses it: the message boxes, the Select Batsman dialog
// and the redrawing of the controls.
class MatchScreenUser {
public:
    virtual ~MatchScreenUser() = default;
    // A message box with an OK button: a dismissal line, the innings summary, the result.
    virtual void showMessage(const std::string& text) { (void)text; }
    // The user's side needs a batsman for crease slot 0 or 1: returns the index of the chosen
    // entry of candidates (display names, alphabetical, never empty). The choice is mandatory:
    // an index out of range takes the first entry.
    virtual std::size_t pickBatsman(int slot, const std::vector<std::string>& candidates) = 0;
    // A user who picks by a rule of his own may name the batsman without being offered the
    // candidates: returns true and sets name to one of them, or false to be offered the list.
    virtual bool nameBatsman(int slot, std::string& name) {
        (void)slot;
        (void)name;
        return false;
    }
    // The computer's side sends a batsman in: "The computer has selected " and his name.
    virtual void showComputerSelection(const std::string& text) { (void)text; }
    // The controls have been brought up to date with the figures.
    virtual void refresh() {}
};

// One "Defensive" (0) to "Aggressive" (4) slider.
struct SliderState {
    int position = slider::kMiddlePosition;
    bool enabled = false;
};

class MatchScreen final : public MatchHost {
public:
    MatchScreen(Scores& scores, const PlayerDatabase& database, RandomSource& random,
                MatchScreenUser& user);
    MatchScreen(const MatchScreen&) = delete;
    MatchScreen& operator=(const MatchScreen&) = delete;

    // Start-up and after a match is opened: no match, every ">", "Scoresheet..." and
    // "Bowl Over" disabled.
    void initialUpdate();
    // A new match once its sides are chosen: the match record becomes `chosen` (its two sides
    // filled, nothing bowled; it may be the record itself) and the figures are cleared; no over
    // can be bowled until the toss has been made and the first innings set up. Until this call the
    // match in hand is untouched, so a set-up abandoned before it leaves that match exactly as it
    // was.
    void beginNewMatch(const Scores& chosen);
    // Records who won the toss and who bats first.
    void applyToss(const TossDecision& decision);
    // The teams are chosen and the toss made: "Scoresheet..." enabled and the first innings set
    // up.
    void startMatch();

    // Takes a match up between two overs: the match record becomes `record` (holding the overs
    // bowled so far), the innings goes on from `figures`, and the user's side has its sliders
    // where `userSliders` puts them.
    void resumeBetweenOvers(const Scores& record, const InningsFigures& figures,
                            const SliderPositions& userSliders);
    // A saved match taken up before resumeBetweenOvers: the record becomes the match in hand, the
    // scoresheet is replayed from it and its commentary follows the log's earlier text.
    void takeUpRecord(const Scores& record, const std::string& commentary);
    // The user's commands. Each is refused silently when its control is disabled.
    void onBowlOver() { flow_.onBowlOver(); }
    void selectBowlerRow(int row) { flow_.selectBowlerRow(row); }
    bool moveSlider(int id, int position);
    // A match played only for its figures: no commentary, no dismissal messages, an empty log.
    void playWithoutText() { report_.setTextWanted(false); }
    // A match played only for its result (the rest of a match the win predictor plays): no
    // text and no scorecard either; the record, the running figures and the result are kept.
    void playForResultOnly() {
        report_.setTextWanted(false);
        report_.setSheetWanted(false);
    }

    // What the form shows.
    const InningsFigures& figures() const { return flow_.figures(); }
    MatchState state() const { return flow_.state(); }
    const BowlerButtons& bowlerButtons() const { return flow_.buttons(); }
    bool bowlOverEnabled() const { return flow_.buttons().bowlOverEnabled; }
    bool scoresheetEnabled() const { return scoresheetEnabled_; }
    bool chaseControlsShown() const { return chaseShown_; }
    // The slider of a control id (1093, 1094, 1097, 1098, 1099); any other id gives a spare,
    // disabled slider.
    const SliderState& sliderState(int id) const;
    const MatchLog& log() const { return log_; }
    MatchLog& log() { return log_; }
    ScoreSheet& scoreSheet() { return sheet_; }
    const ScoreSheet& scoreSheet() const { return sheet_; }
    const MatchFlow& flow() const { return flow_; }
    const Scores& scores() const { return scores_; }

    // MatchHost: how the engine reaches the form.
    void showMessage(const std::string& text) override;
    IncomingBatsman chooseIncomingBatsman(int slot) override;
    SliderPositions readSliders() override;
    void setBattingSlider(int slot, int position) override;
    void setBowlingSliders(int bowling, int fielding) override;
    void setUpSliders(bool computerBats) override;
    void showChaseControls(bool show) override;
    void refreshScreen() override;

private:
    SliderState* sliderAt(int id);

    Scores& scores_;
    const PlayerDatabase& database_;
    MatchScreenUser& user_;

    MatchLog log_;
    ScoreSheet sheet_;
    ReportListener report_{sheet_, log_};
    std::array<SliderState, 5> sliders_{};
    SliderState spareSlider_;
    bool scoresheetEnabled_ = false;
    bool chaseShown_ = false;

    MatchFlow flow_;
};

} // namespace quorvel
