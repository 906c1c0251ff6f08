#pragma once
// The match view: the one view of the match document, shown as the match form in the main
// window. It owns the match screen (running figures, log, scoresheet tallies, the state of the
// buttons and sliders), shows its state on the form and forwards the form's clicks to it; the
// screen reaches the user back through message boxes and the Select Batsman dialog.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <wx/docview.h>
#include <wx/timer.h>

#include "screen/match_session.h"
#include "shell/match_events.h"

class CMatchForm;
class CMatchWindow;
class CQuorvelDoc;
namespace quorvel {
class ComputerChoices;
}

class CQuorvelView : public wxView, private quorvel::MatchChoices, private quorvel::MatchSource {
public:
    CQuorvelView() = default;
    ~CQuorvelView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    void OnChangeFilename() override;
    wxPrintout* OnCreatePrintout() override;

    // At start-up and after a match was opened: no over can be bowled; the scoresheet window
    // is pointed at the document's match.
    void initialUpdate();
    // A saved match was opened. One that is not over goes on from where its record stops; a
    // finished one has its cards rebuilt from the ball-by-ball record and the form shows the
    // final figures of its last innings.
    void showOpenedMatch();

    // File > New: Select Teams, toss, bat or bowl, then the first innings. Cancelling Select
    // Teams leaves the match in hand as it was.
    void onFileNew();
    void onBowlOver();
    void onBowlerButton(int row);
    void onScoresheet();
    void onDetails();
    void onSliderMoved(int id, int position);
    // The Match menu: the computer plays the user's side by its own rules, an over at a time
    // with the event loop running between overs, until the scope is reached or the user stops.
    // Refused while no innings is in play, an opened match is shown, or a run goes on.
    void playOn(quorvel::PlayOnScope scope);
    // Escape, "Stop" or any move of the user's own: no over after the one in hand. The focus
    // goes where play goes on unless the user's own move keeps it.
    void stopPlayingOn(bool moveFocus = true);
    bool playingOn() const { return playOn_ != nullptr; }
    // The pause between two overs the computer plays, in milliseconds.
    void setPlayOnPace(int milliseconds) { playOnPace_ = milliseconds; }
    // The print command: the standard print dialog; the printed page carries nothing.
    void onPrint();

    CQuorvelDoc* document() const;
    // The match view of a document (nullptr when it has none).
    static CQuorvelView* of(const wxDocument* doc);
    CMatchForm* form() const { return form_; }
    quorvel::MatchScreen& screen() { return *screen_; }
    const quorvel::MatchScreen& screen() const { return *screen_; }
    // Tournament > Next Match on a fixture of the user's side (the fixture on the form, as the
    // main window's FormFixtures keep it): the two predefined elevens (the user's on the left),
    // then the toss and the match as after File > New. When the match is over its result is
    // published. False when it could not start; File > New or Open drops the fixture.
    bool playFixtureOnForm();
    // Whether the form shows an opened match's final figures instead of the screen's own.
    bool showsOpenedMatch() const { return openedFigures_.has_value(); }

private:
    // MatchChoices: the match's choices through the game's dialogs.
    bool chooseSides(quorvel::Scores& scores) override;
    bool mayReplaceMatch() override;
    void sidesChosen() override;
    quorvel::TossOutcome toss() override;
    bool userBatsFirst() override;
    void announceDecision(const std::string& message) override;
    void startFirstInnings(quorvel::MatchScreen& screen) override;
    void showMessage(const std::string& text) override;
    std::size_t pickBatsman(int slot, const std::vector<std::string>& candidates) override;
    void showComputerSelection(const std::string& text) override;
    void refresh() override;

    // MatchSource: the match in hand for those who follow it.
    const quorvel::Scores& matchRecord() const override;
    quorvel::SliderPositions sliderPositions() override;
    // The main window this view shows in (nullptr before it is created and after it closed).
    CMatchWindow* window() const { return window_; }
    // The tournament fixture being played on the form (its owner keeps it), if any.
    const quorvel::FormFixture* fixture() const;
    void dropFixture();
    // Tells those who follow the match in hand.
    void publish(const std::function<void(quorvel::MatchEvents&)>& tell) const;
    // The status bar's message pane (empty: the idle message).
    void showStatus(const wxString& text) const;

    // Takes the opened match up where its record stops; false when it cannot go on.
    bool continueOpenedMatch();
    // What follows every over, by hand or played on: the chances, the form, a tournament
    // match's result.
    void overPlayed();
    // The overs the match record holds in both innings: one more after every over bowled, so
    // a change since before a command means a ball was bowled and the match is modified.
    int oversInRecord() const;
    void markModifiedIfBowled(int oversBefore);
    void playNextComputerOver();
    void onMatchCommand(wxCommandEvent& event);
    void onAnyCommand(wxCommandEvent& event);
    void onMatchUpdate(wxUpdateUIEvent& event);
    void onButton(wxCommandEvent& event);
    // The sides accepted last, as the per-user settings keep them (empty texts when none), and
    // the sides just accepted kept there.
    static std::array<std::string, 2> lastTeams();
    static void keepLastTeams(const quorvel::Scores& scores);
    void onSlider(wxCommandEvent& event);
    void onCommand(wxCommandEvent& event);
    wxWindow* dialogParent() const;

    CMatchWindow* window_ = nullptr;
    CMatchForm* form_ = nullptr;
    std::unique_ptr<quorvel::MatchScreen> screen_;
    std::optional<quorvel::InningsFigures> openedFigures_;
    // The scoresheet of an opened match, rebuilt from its record.
    std::unique_ptr<quorvel::ScoreSheet> openedSheet_;
    // While the computer plays on: its captain for the user's side and the run of overs.
    std::unique_ptr<quorvel::ComputerChoices> playOnCaptain_;
    std::unique_ptr<quorvel::PlayOnRun> playOn_;
    wxTimer playOnTimer_{this};
    int playOnPace_ = 150;

    wxDECLARE_DYNAMIC_CLASS(CQuorvelView);
};
