#include "shell/CQuorvelView.h"

#include <algorithm>

#include <wx/config.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/slider.h>

#include "engine/random.h"
#include "predict/match_resume.h"
#include "records/player_database.h"
#include "records/scores.h"
#include "reports/CLogDialog.h"
#include "reports/CScoreSheetDialog.h"
#include "reports/sheet_replay.h"
#include "screen/CMatchForm.h"
#include "screen/computer_choices.h"
#include "screen/headless_match.h"
#include "screen/match_session.h"
#include "screen/opened_match.h"
#include "setup/CBatOrBowlDialog.h"
#include "setup/CSelectBatsmanDialog.h"
#include "setup/CSelectTeamsDialog.h"
#include "setup/CTossDialog.h"
#include "setup/team_selection.h"
#include "shell/CMatchWindow.h"
#include "shell/CQuorvelDoc.h"
#include "shell/command_ids.h"
#include "shell/settings_keys.h"
#include "tournament/tournament_play.h"

wxIMPLEMENT_DYNAMIC_CLASS(CQuorvelView, wxView);

namespace {

// A printed page of the match carries nothing: the printout has one page and draws nothing on
// it.
class CBlankPrintout : public wxPrintout {
public:
    CBlankPrintout() : wxPrintout(kAppName) {}
    bool OnPrintPage(int) override { return true; }
    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override {
        *minPage = *maxPage = *selFrom = *selTo = 1;
    }
};

} // namespace

CQuorvelView::~CQuorvelView() = default;

CQuorvelView* CQuorvelView::of(const wxDocument* doc) {
    return doc != nullptr ? dynamic_cast<CQuorvelView*>(doc->GetFirstView()) : nullptr;
}

CQuorvelDoc* CQuorvelView::document() const { return wxStaticCast(GetDocument(), CQuorvelDoc); }

bool CQuorvelView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags))
        return false;
    auto* manager = dynamic_cast<CQuorvelDocManager*>(doc->GetDocumentManager());
    window_ = manager != nullptr ? CMatchWindow::of(manager->frame()) : nullptr;
    if (window_ == nullptr)
        return false;
    SetFrame(window_->window());
    form_ = new CMatchForm(window_->window());
    window_->setForm(form_);

    screen_ = std::make_unique<quorvel::MatchScreen>(document()->scores, quorvel::playerDatabase(),
                                                     quorvel::programRandom(),
                                                     static_cast<quorvel::MatchScreenUser&>(*this));

    form_->Bind(wxEVT_BUTTON, &CQuorvelView::onButton, this);
    form_->Bind(wxEVT_SLIDER, &CQuorvelView::onSlider, this);
    Bind(wxEVT_MENU, &CQuorvelView::onCommand, this, commands::kFileNewId);
    Bind(wxEVT_MENU, &CQuorvelView::onCommand, this, commands::kFilePrintId);
    Bind(wxEVT_MENU, &CQuorvelView::onMatchCommand, this, commands::kMatchNextOverId,
         commands::kMatchStopId);
    Bind(wxEVT_UPDATE_UI, &CQuorvelView::onMatchUpdate, this, commands::kMatchNextOverId,
         commands::kMatchStopId);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { playNextComputerOver(); });
    Bind(wxEVT_MENU, &CQuorvelView::onAnyCommand, this);
    window_->setMatchSource(this);
    Activate(true);
    return true;
}

bool CQuorvelView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow))
        return false;
    stopPlayingOn(false);
    Activate(false);
    // The form belongs to the frame, which outlives the view only while the program shuts down.
    if (window_ != nullptr) {
        window_->setForm(nullptr);
        window_->setMatchSource(nullptr);
    }
    if (form_ != nullptr) {
        form_->Unbind(wxEVT_BUTTON, &CQuorvelView::onButton, this);
        form_->Unbind(wxEVT_SLIDER, &CQuorvelView::onSlider, this);
        if (deleteWindow)
            form_->Destroy();
        form_ = nullptr;
    }
    SetFrame(nullptr);
    window_ = nullptr;
    return true;
}

void CQuorvelView::OnDraw(wxDC*) {}

const quorvel::Scores& CQuorvelView::matchRecord() const { return document()->scores; }

quorvel::SliderPositions CQuorvelView::sliderPositions() { return screen_->readSliders(); }

void CQuorvelView::publish(const std::function<void(quorvel::MatchEvents&)>& tell) const {
    if (window_ != nullptr)
        tell(window_->matchEvents());
}

void CQuorvelView::showStatus(const wxString& text) const {
    if (window_ != nullptr)
        window_->showStatus(text);
}

void CQuorvelView::OnUpdate(wxView*, wxObject* hint) {
    const auto* one = dynamic_cast<const CQuorvelHint*>(hint);
    const long value = one != nullptr ? one->value : 0;
    if (value == CQuorvelHint::kNewInnings) {
        screen_->startMatch(); // ends by refreshing the form
    } else if (value == CQuorvelHint::kMatchOpened) {
        initialUpdate();
        showOpenedMatch();
    }
    // Any other hint changes nothing, and the game writes nothing to standard output.
}

void CQuorvelView::OnChangeFilename() {
    // A modified match is marked in the title bar, as the desktop's programs mark theirs.
    const wxString mark = GetDocument()->IsModified() ? "*" : "";
    if (window_ != nullptr)
        window_->showDocumentTitle(mark + GetDocument()->GetTitle());
}

wxPrintout* CQuorvelView::OnCreatePrintout() { return new CBlankPrintout; }

void CQuorvelView::initialUpdate() {
    OnUpdate(nullptr, nullptr);
    if (window_ != nullptr)
        window_->fitToForm();
    screen_->initialUpdate();
    refresh();
}

void CQuorvelView::showOpenedMatch() {
    stopPlayingOn();
    dropFixture();
    CQuorvelDoc* doc = document();
    // A match saved between two overs goes on where it stopped, its sheet and log rebuilt.
    if (continueOpenedMatch())
        return;
    openedSheet_ = std::make_unique<quorvel::ScoreSheet>(doc->scores, quorvel::playerDatabase());
    const int overs = quorvel::replayIntoSheet(*openedSheet_, doc->scores);
    const int innings = quorvel::lastInningsPlayed(doc->scores);
    if (overs == 0 || innings < 0) {
        openedFigures_.reset();
        openedSheet_.reset();
    } else {
        openedFigures_ =
            quorvel::finalFigures(doc->scores, *openedSheet_, innings, quorvel::playerDatabase());
    }
    publish([](quorvel::MatchEvents& events) { events.matchReplaced(); });
    refresh();
}

bool CQuorvelView::continueOpenedMatch() {
    openedFigures_.reset();
    openedSheet_.reset();
    const quorvel::Scores record = document()->scores;
    if (!quorvel::resumePosition(record, quorvel::playerDatabase()))
        return false;
    publish([](quorvel::MatchEvents& events) { events.matchReplaced(); });
    quorvel::continueSavedMatch(*screen_, record, quorvel::playerDatabase());
    refresh();
    if (form_ != nullptr)
        form_->focusWherePlayGoesOn();
    return true;
}

void CQuorvelView::onCommand(wxCommandEvent& event) {
    if (event.GetId() == commands::kFileNewId)
        onFileNew();
    else if (event.GetId() == commands::kFilePrintId)
        onPrint();
}

wxWindow* CQuorvelView::dialogParent() const { return GetFrame(); }

void CQuorvelView::onFileNew() {
    // The sides are chosen into a fresh record: the match in hand (record, title, figures,
    // buttons, scoresheet) changes only once Select Teams is accepted, so Cancel or Escape
    // there leaves it as it was and it can go on or be saved unchanged.
    dropFixture();
    quorvel::MatchSession session(*screen_, *this);
    if (session.begin() && form_ != nullptr)
        form_->focusWherePlayGoesOn();
}

bool CQuorvelView::playFixtureOnForm() {
    stopPlayingOn();
    quorvel::MatchSession session(*screen_, *this);
    if (!session.begin())
        dropFixture();
    else if (form_ != nullptr)
        form_->focusWherePlayGoesOn();
    return fixture() != nullptr;
}

const quorvel::FormFixture* CQuorvelView::fixture() const {
    return window_ != nullptr ? window_->formFixtures().fixtureOnForm() : nullptr;
}

void CQuorvelView::dropFixture() {
    if (window_ != nullptr)
        window_->formFixtures().dropFixtureOnForm();
}

bool CQuorvelView::chooseSides(quorvel::Scores& scores) {
    if (const quorvel::FormFixture* onForm = fixture()) {
        const quorvel::Fixture& played = onForm->fixture;
        const int other = played.sides[0] == onForm->userSide ? played.sides[1] : played.sides[0];
        return !quorvel::setUpPredefinedSides(scores, quorvel::playerDatabase(),
                                              std::string(quorvel::countryNameAt(onForm->userSide)),
                                              std::string(quorvel::countryNameAt(other)));
    }
    CSelectTeamsDialog teams(dialogParent(), scores, quorvel::playerDatabase());
    teams.setLastTeams(lastTeams());
    if (teams.ShowModal() != wxID_OK)
        return false;
    keepLastTeams(scores);
    return true;
}

std::array<std::string, 2> CQuorvelView::lastTeams() {
    std::array<std::string, 2> texts;
    if (wxConfigBase* config = wxConfigBase::Get(false)) {
        const wxString keys[2] = {quorvel::settings::kLastLeftTeam,
                                  quorvel::settings::kLastRightTeam};
        for (int side = 0; side < 2; ++side)
            texts[side] = fromWx(
                config->Read(wxString(quorvel::settings::kSettingsSection) + "/" + keys[side]));
    }
    return texts;
}

void CQuorvelView::keepLastTeams(const quorvel::Scores& scores) {
    wxConfigBase* config = wxConfigBase::Get(false);
    if (config == nullptr)
        return;
    const wxString keys[2] = {quorvel::settings::kLastLeftTeam, quorvel::settings::kLastRightTeam};
    for (int side = 0; side < 2; ++side)
        config->Write(wxString(quorvel::settings::kSettingsSection) + "/" + keys[side],
                      toWx(quorvel::rememberedSideText(scores.teams[side])));
    config->Flush();
}

bool CQuorvelView::mayReplaceMatch() {
    // Tournament > Next Match asked before it chose the fixture's sides.
    return fixture() != nullptr || document()->askToSaveMatch();
}

void CQuorvelView::sidesChosen() {
    openedFigures_.reset();
    openedSheet_.reset();
    document()->buildTitle();
    publish([](quorvel::MatchEvents& events) { events.matchReplaced(); });
    refresh();
}

quorvel::TossOutcome CQuorvelView::toss() {
    CTossDialog toss(dialogParent());
    toss.ShowModal();
    // A tournament's match is seeded from the tournament's seed, so that the whole tournament
    // replays from its seed and the user's choices; any other match from the clock.
    const quorvel::FormFixture* onForm = fixture();
    const bool won = onForm != nullptr ? toss.userWonToss(quorvel::programRandom(), onForm->seed)
                                       : toss.userWonToss();
    return {won, toss.coinFace()};
}

bool CQuorvelView::userBatsFirst() {
    CBatOrBowlDialog choice(wxString(), dialogParent());
    choice.ShowModal();
    return choice.batFirst();
}

void CQuorvelView::announceDecision(const std::string& message) {
    CBatOrBowlDialog told(toWx(message), dialogParent());
    told.ShowModal();
}

void CQuorvelView::startFirstInnings(quorvel::MatchScreen&) {
    // The first innings is set up by every view on the document's update hint 1.
    CQuorvelHint newInnings(CQuorvelHint::kNewInnings);
    document()->UpdateAllViews(nullptr, &newInnings);
}

void CQuorvelView::onBowlOver() {
    stopPlayingOn(false);
    const int oversBefore = oversInRecord();
    screen_->onBowlOver();
    markModifiedIfBowled(oversBefore);
    overPlayed();
    if (form_ != nullptr)
        form_->focusWherePlayGoesOn();
}

int CQuorvelView::oversInRecord() const {
    const quorvel::Scores& record = document()->scores;
    return quorvel::oversBowled(record, 0) + quorvel::oversBowled(record, 1);
}

void CQuorvelView::markModifiedIfBowled(int oversBefore) {
    if (oversInRecord() != oversBefore)
        document()->Modify(true);
}

void CQuorvelView::overPlayed() {
    const quorvel::SliderPositions sliders = screen_->readSliders();
    publish([&](quorvel::MatchEvents& events) { events.overBowled(document()->scores, sliders); });
    refresh();
    // The new score reaches a screen reader at once, whatever has the focus.
    if (form_ != nullptr)
        form_->announceScore(screen_->figures());
    const quorvel::FormFixture* onForm = fixture();
    if (onForm != nullptr && screen_->state() == quorvel::MatchState::MatchOver) {
        const quorvel::ScoreSheet& sheet = screen_->scoreSheet();
        const quorvel::MatchResult result = quorvel::matchResultOf(
            onForm->fixture, onForm->seed, document()->scores, {sheet.card(0), sheet.card(1)});
        dropFixture();
        publish([&](quorvel::MatchEvents& events) { events.tournamentMatchPlayed(result); });
    }
}

void CQuorvelView::onBowlerButton(int row) {
    stopPlayingOn(false);
    screen_->selectBowlerRow(row);
    refresh();
}

void CQuorvelView::onScoresheet() {
    if (openedSheet_ != nullptr) {
        CScoreSheetDialog sheet(dialogParent(), *openedSheet_);
        sheet.ShowModal();
        return;
    }
    if (!screen_->scoresheetEnabled())
        return;
    CScoreSheetDialog sheet(dialogParent(), screen_->scoreSheet());
    sheet.ShowModal();
}

void CQuorvelView::onDetails() {
    CLogDialog log(dialogParent(), screen_->log().text());
    log.ShowModal();
}

void CQuorvelView::onSliderMoved(int id, int position) {
    stopPlayingOn(false);
    screen_->moveSlider(id, position);
    refresh();
}

void CQuorvelView::playOn(quorvel::PlayOnScope scope) {
    if (playOn_ != nullptr || openedFigures_ || !screen_->flow().inInnings())
        return;
    const quorvel::Scores& scores = document()->scores;
    playOnCaptain_ = std::make_unique<quorvel::ComputerChoices>(
        scores, quorvel::playerDatabase(), quorvel::programRandom(), 0, true, true);
    playOnCaptain_->attach(*screen_);
    // The plan the computer would have made at the innings' first ball from the same rows.
    if (scores.fieldingSide(screen_->figures().inningsIndex) == quorvel::userSide(scores))
        playOnCaptain_->rebuildUserPlan(screen_->figures());
    playOn_ = std::make_unique<quorvel::PlayOnRun>(*screen_, *playOnCaptain_, scope);
    if (form_ != nullptr)
        form_->showStopButton(true);
    showStatus("The computer plays for your side: press Esc to stop");
    // The first over at once; every later one after a pause that lets the form be seen.
    playOnTimer_.StartOnce(1);
}

void CQuorvelView::playNextComputerOver() {
    if (playOn_ == nullptr)
        return;
    const int oversBefore = oversInRecord();
    const bool more = playOn_->playOver();
    markModifiedIfBowled(oversBefore);
    overPlayed();
    if (playOn_ == nullptr) // the over's end (a tournament result) took the form elsewhere
        return;
    if (more)
        playOnTimer_.StartOnce(std::max(1, playOnPace_));
    else
        stopPlayingOn();
}

void CQuorvelView::stopPlayingOn(bool moveFocus) {
    playOnTimer_.Stop();
    if (playOn_ == nullptr)
        return;
    playOn_.reset();
    playOnCaptain_.reset();
    showStatus(wxString());
    if (form_ != nullptr) {
        form_->showStopButton(false);
        if (moveFocus)
            form_->focusWherePlayGoesOn();
    }
}

void CQuorvelView::onMatchCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case commands::kMatchNextOverId:
        playOn(quorvel::PlayOnScope::NextOver);
        break;
    case commands::kMatchEndOfInningsId:
        playOn(quorvel::PlayOnScope::EndOfInnings);
        break;
    case commands::kMatchEndOfMatchId:
        playOn(quorvel::PlayOnScope::EndOfMatch);
        break;
    case commands::kMatchStopId:
        stopPlayingOn();
        break;
    default:
        event.Skip();
    }
}

void CQuorvelView::onAnyCommand(wxCommandEvent& event) {
    event.Skip();
    // A window beside the form leaves the computer playing; anything else the user does (a
    // dialog, a file, another match) is the user taking over, and no over is played behind it.
    switch (event.GetId()) {
    case commands::kMatchNextOverId:
    case commands::kMatchEndOfInningsId:
    case commands::kMatchEndOfMatchId:
    case commands::kMatchStopId:
    case commands::kViewChartsId:
    case commands::kHelpId:
    case commands::kHelpIndexId:
    case commands::kHelpFinderId:
    case commands::kContextHelpId:
        return;
    default:
        stopPlayingOn(false);
    }
}

void CQuorvelView::onMatchUpdate(wxUpdateUIEvent& event) {
    if (event.GetId() == commands::kMatchStopId)
        event.Enable(playingOn());
    else
        event.Enable(!playingOn() && !openedFigures_ && screen_ != nullptr &&
                     screen_->flow().inInnings());
}

void CQuorvelView::onPrint() {
    wxPrintDialogData data;
    data.SetMinPage(1);
    data.SetMaxPage(1);
    data.SetFromPage(1);
    data.SetToPage(1);
    wxPrinter printer(&data);
    std::unique_ptr<wxPrintout> printout(OnCreatePrintout());
    printer.Print(dialogParent(), printout.get(), true);
}

void CQuorvelView::onButton(wxCommandEvent& event) {
    const int id = event.GetId();
    if (id == CMatchForm::kBowlOverId) {
        onBowlOver();
    } else if (id == CMatchForm::kScoresheetId) {
        onScoresheet();
    } else if (id == CMatchForm::kDetailsId) {
        onDetails();
    } else if (id == CMatchForm::kStopId) {
        stopPlayingOn();
    } else if (const int row = CMatchForm::bowlerRowOfButton(id); row >= 0) {
        onBowlerButton(row);
    } else {
        event.Skip();
    }
}

void CQuorvelView::onSlider(wxCommandEvent& event) { onSliderMoved(event.GetId(), event.GetInt()); }

void CQuorvelView::showMessage(const std::string& text) {
    // While the computer plays on, a dismissal goes to the status bar and play goes on; the
    // innings' summary and the result are still shown in their boxes.
    if (playingOn() && text != screen_->flow().inningsLine(0) &&
        text != screen_->flow().inningsLine(1)) {
        showStatus(toWx(text));
        return;
    }
    showMessageBox(dialogParent(), toWx(text), wxICON_INFORMATION);
}

std::size_t CQuorvelView::pickBatsman(int slot, const std::vector<std::string>& candidates) {
    if (playOnCaptain_ != nullptr && playOn_ != nullptr && playOn_->playsInnings())
        return playOnCaptain_->pickBatsman(slot, candidates);
    CSelectBatsmanDialog choose(dialogParent(), candidates);
    choose.ShowModal();
    const int index = choose.chosenIndex();
    return index < 0 ? 0 : static_cast<std::size_t>(index);
}

void CQuorvelView::showComputerSelection(const std::string& text) {
    if (playingOn()) {
        showStatus(toWx(text));
        return;
    }
    CSelectBatsmanDialog told(dialogParent(), toWx(text));
    told.ShowModal();
}

void CQuorvelView::refresh() {
    if (form_ == nullptr || screen_ == nullptr)
        return;
    form_->show(*screen_);
    if (openedFigures_) {
        form_->showFigures(*openedFigures_);
        form_->showChaseControls(openedFigures_->inningsIndex == 1);
        form_->FindWindow(CMatchForm::kScoresheetId)->Enable(openedSheet_ != nullptr);
    }
    form_->Update();
    publish([](quorvel::MatchEvents& events) { events.matchShown(); });
}
