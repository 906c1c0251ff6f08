#pragma once
// The main window: the menu, the accelerator table, the status bar (message pane and the
// "CAP", "NUM" and "SCRL" indicators), the help viewer and the About box; it holds the match
// form and carries the document's title.

#include <memory>
#include <optional>

#include <wx/docview.h>
#include <wx/weakref.h>

#include "tournament/tournament.h"

class CChartsWindow;
class CMatchForm;
class CQuorvelView;
class wxHtmlHelpController;
namespace quorvel {
class WinLine;
}

// A command or control number of the game's resources as a wx id: wx takes ids below 0x7FFF
// only, so a number at or above that is folded into the range by taking 0x8000 off it.
constexpr int commandId(int resourceId) {
    return resourceId >= 0x7FFF ? resourceId - 0x8000 : resourceId;
}

class CMainFrame : public wxDocParentFrame {
public:
    // Command ids of the menu and the accelerator table (57600 becomes 24832).
    static constexpr int kFileNewId = commandId(57600);
    static constexpr int kFileOpenId = commandId(57601);
    static constexpr int kFileSaveId = commandId(57603);
    static constexpr int kFilePrintId = commandId(57607);
    static constexpr int kFilePrintDirectId = commandId(57608);
    static constexpr int kFilePrintPreviewId = commandId(57609);
    static constexpr int kEditCopyId = commandId(57634);
    static constexpr int kEditCutId = commandId(57635);
    static constexpr int kEditPasteId = commandId(57637);
    static constexpr int kEditUndoId = commandId(57643);
    static constexpr int kAppAboutId = commandId(57664);
    static constexpr int kAppExitId = commandId(57665);
    static constexpr int kHelpIndexId = commandId(57667);
    static constexpr int kContextHelpId = commandId(57669);
    static constexpr int kHelpId = commandId(57670);
    static constexpr int kHelpFinderId = commandId(57671);
    static constexpr int kNextPaneId = commandId(57680);
    static constexpr int kPrevPaneId = commandId(57681);
    static constexpr int kViewPlayersId = commandId(32772);
    static constexpr int kViewChartsId = commandId(32790);
    static constexpr int kStatusBarId = commandId(59393);
    // The Tournament menu.
    static constexpr int kTournamentNewId = commandId(32800);
    static constexpr int kTournamentNextId = commandId(32801);
    static constexpr int kTournamentTableId = commandId(32802);
    static constexpr int kTournamentLeadersId = commandId(32803);
    static constexpr int kTournamentSaveId = commandId(32804);
    static constexpr int kTournamentOpenId = commandId(32805);
    // The Match menu: the computer plays on for the user's side.
    static constexpr int kMatchNextOverId = commandId(32810);
    static constexpr int kMatchEndOfInningsId = commandId(32811);
    static constexpr int kMatchEndOfMatchId = commandId(32812);
    static constexpr int kMatchStopId = commandId(32813);
    static constexpr const char* kTournamentFilter =
        "Quorvel Tournaments (*.quot)|*.quot|All Files (*.*)|*.*";

    static constexpr const char* kIdleMessage = "For Help, press F1";

    explicit CMainFrame(wxDocManager* manager);
    ~CMainFrame() override;

    // The main window of a document manager (nullptr before it exists).
    static CMainFrame* of(wxDocManager* manager);

    void setForm(CMatchForm* form) { form_ = form; }
    CMatchForm* form() const { return form_; }
    // The title bar: the document's title, " - " and the application's name.
    void showDocumentTitle(const wxString& documentTitle);
    // Shrinks the window (never enlarging it) to the size the form needs, and makes that size
    // (or the screen's, when it is smaller: the form then scrolls) the window's minimum.
    void fitToForm();
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
    // View > "Charts...": opens the charts window (or brings it forward) on the match in hand.
    void showCharts();
    // Draws the match in hand again in the charts window, when it is open, with the chances of
    // winning worked out so far.
    void refreshCharts();
    // While the charts window is open: works out the chances of the match in hand after each
    // of its overs not yet done, the latest first, off this thread, and draws them as they
    // come; a newer call stops the one still working, so playing on never waits. Called after
    // every over.
    void estimateChances();
    // Another match is in hand (a new one, an opened one): the last one's chances are dropped
    // and this one's worked out.
    void matchReplaced();
    // The charts window while it is open, else nullptr.
    CChartsWindow* chartsWindow() const { return charts_.get(); }

    // The Tournament menu's commands. A match of the user's side is played on the form; every
    // other match by the computer's rules at once; each result is told in a message box.
    void newTournament();
    void nextTournamentMatch();
    void showTournamentTable();
    void showTournamentLeaders();
    void saveTournament();
    void openTournament();
    // The user's tournament match is over on the form: its result is recorded and told.
    void tournamentMatchPlayed(const quorvel::MatchResult& result);
    // The tournament in play, if any.
    const std::optional<quorvel::Tournament>& tournament() const { return tournament_; }
    // Whether the window may close: a modified match is asked about first (the framework's
    // question), unless the close cannot be refused.
    bool askBeforeClosing(bool mayRefuse);

private:
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
    void onTournament(wxCommandEvent& event);
    void tellResult();
    // The view of the match form, if there is one.
    CQuorvelView* matchView() const;
    // A new or opened tournament replaces the one in hand: a fixture of the old one on the form
    // is dropped, so that its result is never recorded into the new one.
    void dropFormFixture();
    // Before a path that may take the match off the form: the save question for a modified
    // match. False when the user cancelled.
    bool askToSaveMatch();

    CMatchForm* form_ = nullptr;
    wxWeakRef<CChartsWindow> charts_;
    std::unique_ptr<quorvel::WinLine> winLine_;
    std::unique_ptr<wxHtmlHelpController> help_;
    wxString helpBook_;
    bool helpLoaded_ = false;
    bool indicators_[3] = {false, false, false};
    std::optional<quorvel::Tournament> tournament_;
};
