#include "shell/CTournamentController.h"

#include <chrono>

#include <wx/choicdlg.h>
#include <wx/filedlg.h>
#include <wx/listbox.h>

#include "records/player_database.h"
#include "shell/CQuorvelDoc.h"
#include "shell/CQuorvelView.h"
#include "shell/CTournamentTextDialog.h"
#include "shell/command_ids.h"
#include "tournament/tournament_file.h"
#include "tournament/tournament_play.h"
#include "tournament/tournament_report.h"
#include "ui/CAccessible.h"
#include "ui/CTemplateDialog.h"
#include "ui/CUiSupport.h"

CTournamentController::CTournamentController(wxWindow* parent, std::function<CQuorvelView*()> view)
    : parent_(parent), view_(std::move(view)) {}

bool CTournamentController::askToSaveMatch() {
    CQuorvelView* view = view_();
    return view == nullptr || view->document()->askToSaveMatch();
}

void CTournamentController::onCommand(int id) {
    switch (id) {
    case commands::kTournamentNewId:
        newTournament();
        break;
    case commands::kTournamentNextId:
        nextTournamentMatch();
        break;
    case commands::kTournamentTableId:
        showTournamentTable();
        break;
    case commands::kTournamentLeadersId:
        showTournamentLeaders();
        break;
    case commands::kTournamentSaveId:
        saveTournament();
        break;
    default:
        openTournament();
        break;
    }
}

void CTournamentController::newTournament() {
    if (!askToSaveMatch())
        return;
    wxArrayString choices;
    choices.Add("None: the computer plays every match");
    for (int side = 0; side < quorvel::kTournamentSides; ++side)
        choices.Add(toWx(std::string(quorvel::countryNameAt(side))));
    wxSingleChoiceDialog ask(parent_, "Which country do you captain?", "New Tournament", choices);
    setAccessibleRole(&ask, AccessibleRole::Dialog);
    ask.SetSelection(0);
    for (wxWindow* child : ask.GetChildren())
        if (auto* list = dynamic_cast<wxListBox*>(child))
            enableListKeys(list);
    if (ask.ShowModal() != wxID_OK)
        return;
    const auto clock = std::chrono::system_clock::now().time_since_epoch().count();
    const auto seed = static_cast<std::uint32_t>(clock ^ (clock >> 32));
    tournament_.emplace(seed, ask.GetSelection() - 1);
    dropFixtureOnForm();
    wxString text =
        "A new tournament has begun: 36 round-robin matches, two semi-finals and a final.";
    if (tournament_->userSide() != quorvel::kNoSide)
        text += "\n\nYour side's matches are played on the form; the others at once.";
    showMessageBox(parent_, text, wxICON_INFORMATION);
}

void CTournamentController::nextTournamentMatch() {
    if (!tournament_)
        return;
    if (const auto champion = tournament_->champion()) {
        showMessageBox(parent_,
                       toWx("The tournament is over. Champion: " +
                            std::string(quorvel::countryNameAt(*champion))),
                       wxICON_INFORMATION);
        return;
    }
    CQuorvelView* view = view_();
    if (onForm_) {
        showMessageBox(parent_, "Finish your tournament match on the form first.",
                       wxICON_EXCLAMATION);
        return;
    }
    const quorvel::Fixture fixture = *tournament_->nextFixture();
    const int user = tournament_->userSide();
    if (view != nullptr && user != quorvel::kNoSide &&
        (fixture.sides[0] == user || fixture.sides[1] == user)) {
        if (!askToSaveMatch())
            return;
        onForm_ = quorvel::FormFixture{fixture, user, tournament_->nextSeed()};
        if (!view->playFixtureOnForm())
            showMessageBox(parent_, "The tournament match could not be set up.",
                           wxICON_EXCLAMATION);
        return;
    }
    if (const auto error = quorvel::playNextMatch(*tournament_, quorvel::playerDatabase())) {
        showMessageBox(parent_, toWx(*error), wxICON_EXCLAMATION);
        return;
    }
    tellResult();
}

void CTournamentController::matchPlayed(const quorvel::MatchResult& result) {
    if (!tournament_ || !tournament_->record(result)) {
        showMessageBox(parent_, "The match is not the tournament's next match.",
                       wxICON_EXCLAMATION);
        return;
    }
    tellResult();
}

void CTournamentController::tellResult() {
    const int number = static_cast<int>(tournament_->results().size());
    std::string text = "Match " + std::to_string(number) + " of " +
                       std::to_string(quorvel::kTournamentMatches) + ": " +
                       quorvel::tournamentMatchText(*tournament_, tournament_->results().back());
    if (const auto champion = tournament_->champion())
        text += "\n\nChampion: " + std::string(quorvel::countryNameAt(*champion));
    showMessageBox(parent_, toWx(text), wxICON_INFORMATION);
}

void CTournamentController::showTournamentTable() {
    if (!tournament_)
        return;
    CTournamentTextDialog dialog(parent_, "Quorvel Tournament Table",
                                 quorvel::tournamentTableText(*tournament_));
    dialog.ShowModal();
}

void CTournamentController::showTournamentLeaders() {
    if (!tournament_)
        return;
    CTournamentTextDialog dialog(
        parent_, "Quorvel Tournament Leaders",
        quorvel::tournamentLeadersText(*tournament_, quorvel::playerDatabase()));
    dialog.ShowModal();
}

void CTournamentController::saveTournament() {
    if (!tournament_)
        return;
    const wxString path = askForSavePath(parent_, "Save Tournament", wxString(), kFilter, "quot");
    if (path.empty())
        return;
    if (const auto error = quorvel::writeTournamentFile(fromWx(path), *tournament_)) {
        showMessageBox(parent_, toWx(error->message()), wxICON_EXCLAMATION);
        return;
    }
    // The file holds the results so far; the fixture being played on the form is not one.
    if (onForm_)
        showMessageBox(parent_,
                       "The tournament is saved without the match on the form: that match is not "
                       "in the file. Opened again, the tournament plays it from its first ball.",
                       wxICON_INFORMATION);
}

void CTournamentController::openTournament() {
    if (!askToSaveMatch())
        return;
    const wxString path = askForFile(parent_, "Open Tournament", wxString(), kFilter,
                                     wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (path.empty())
        return;
    quorvel::Tournament opened;
    if (const auto error = quorvel::readTournamentFile(fromWx(path), opened)) {
        showMessageBox(parent_, toWx(error->message()), wxICON_EXCLAMATION);
        return;
    }
    tournament_ = opened;
    dropFixtureOnForm();
}
