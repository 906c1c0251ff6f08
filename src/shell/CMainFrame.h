#pragma once
// The main window: the menu, the accelerator table, the status bar (message pane and the
// "CAP", "NUM" and "SCRL" indicators), the help viewer and the About box; it holds the match
// form and carries the document's title.

#include <memory>
#include <optional>

#include <wx/docview.h>
#include <wx/weakref.h>

#include "shell/CChartsCoordinator.h"
#include "shell/CMatchWindow.h"
#include "shell/CTournamentController.h"
#include "shell/command_ids.h"

class CMatchForm;
class CQuorvelView;
class wxHtmlHelpController;

class CMainFrame : public wxDocParentFrame, public CMatchWindow, private quorvel::MatchEvents {
public:
    static constexpr const char* kIdleMessage = "For Help, press F1";

    explicit CMainFrame(wxDocManager* manager);
    ~CMainFrame() override;

    // The main window of a document manager (nullptr before it exists).
    static CMainFrame* of(wxDocManager* manager);

    // CMatchWindow: what the match view asks of the main window.
    wxFrame* window() override { return this; }
    void setForm(CMatchForm* form) override { form_ = form; }
    CMatchForm* form() const { return form_; }
    void showDocumentTitle(const wxString& documentTitle) override;
    void showStatus(const wxString& text) override;
    quorvel::MatchEvents& matchEvents() override { return *this; }
    quorvel::FormFixtures& formFixtures() override { return tournament_; }
    void setMatchSource(quorvel::MatchSource* source) override { charts_.setSource(source); }
    // Shrinks the window (never enlarging it) to the size the form needs, and makes that size
    // (or the screen's, when it is smaller: the form then scrolls) the window's minimum.
    void fitToForm() override;
    // Gives the form the keyboard focus unless a control of the main window already has it, so
    // that the whole accelerator table answers at once: at start-up and whenever the window
    // becomes active again (after every dialog closes).
    void focusForm();

    // The status bar: one whose texts assistive technology reads.
    wxStatusBar* OnCreateStatusBar(int number, long style, wxWindowID id,
                                   const wxString& name) override;
    // The status bar's keyboard indicators, each shown while its lock key is on.
    void updateIndicators(bool caps, bool num, bool scroll);
    // The help book: where it was found (empty when none), and whether it is loaded.
    wxString helpBookPath() const { return helpBook_; }
    wxHtmlHelpController* help() const { return help_.get(); }
    void showHelpContents();
    void showAbout();
    void showPlayers();
    // The charts window and the win line of the match in hand.
    CChartsCoordinator& charts() { return charts_; }

    // The tournament in play and the Tournament menu's commands.
    CTournamentController& tournaments() { return tournament_; }
    const std::optional<quorvel::Tournament>& tournament() const {
        return tournament_.tournament();
    }
    // Whether the window may close: a modified match is asked about first (the framework's
    // question), unless the close cannot be refused.
    bool askBeforeClosing(bool mayRefuse);

private:
    // MatchEvents: the view's news, passed on to the charts and the tournament.
    void matchReplaced() override;
    void overBowled(const quorvel::Scores& scores,
                    const quorvel::SliderPositions& sliders) override;
    void matchShown() override;
    // The user's tournament match is over on the form: its result is recorded and told.
    void tournamentMatchPlayed(const quorvel::MatchResult& result) override;
    void buildMenu();
    void buildAccelerators();
    void buildStatusBar();
    void setUpHelp();
    void onIdle(wxIdleEvent& event);
    void onClose(wxCloseEvent& event);
    void onActivate(wxActivateEvent& event);
    void onCommand(wxCommandEvent& event);
    void onContextHelp(wxCommandEvent& event);
    void onNothing(wxCommandEvent& event);
    // The view of the match form, if there is one.
    CQuorvelView* matchView() const;

    CMatchForm* form_ = nullptr;
    CChartsCoordinator charts_{this};
    std::unique_ptr<wxHtmlHelpController> help_;
    wxString helpBook_;
    bool helpLoaded_ = false;
    bool indicators_[3] = {false, false, false};
    CTournamentController tournament_{this, [this] { return matchView(); }};
};
