#pragma once
// The tournament in play and the Tournament menu's commands. A match of the user's side is
// played on the match form (through the match view); every other match by the computer's rules
// at once; each result is told in a message box.

#include <functional>
#include <optional>

#include "shell/match_events.h"
#include "tournament/tournament.h"

class CQuorvelView;
class wxWindow;

class CTournamentController : public quorvel::FormFixtures {
public:
    static constexpr const char* kFilter =
        "Quorvel Tournaments (*.quot)|*.quot|All Files (*.*)|*.*";

    // parent: the window of the dialogs; view: the match view, when there is one.
    CTournamentController(wxWindow* parent, std::function<CQuorvelView*()> view);

    // A command of the Tournament menu, by its id.
    void onCommand(int id);
    void newTournament();
    void nextTournamentMatch();
    void showTournamentTable();
    void showTournamentLeaders();
    void saveTournament();
    void openTournament();
    // The user's tournament match is over on the form: its result is recorded and told.
    void matchPlayed(const quorvel::MatchResult& result);
    // The tournament in play, if any.
    const std::optional<quorvel::Tournament>& tournament() const { return tournament_; }
    // FormFixtures: the fixture played on the form, kept with the tournament it belongs to.
    const quorvel::FormFixture* fixtureOnForm() const override {
        return onForm_ ? &*onForm_ : nullptr;
    }
    void dropFixtureOnForm() override { onForm_.reset(); }

private:
    void tellResult();
    // Before a path that may take the match off the form: the save question for a modified
    // match. False when the user cancelled.
    bool askToSaveMatch();

    wxWindow* parent_;
    std::function<CQuorvelView*()> view_;
    std::optional<quorvel::Tournament> tournament_;
    std::optional<quorvel::FormFixture> onForm_;
};
