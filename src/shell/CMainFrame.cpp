#include "shell/CMainFrame.h"

#include <algorithm>

#include <wx/accel.h>
#include <wx/cshelp.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "browser/CPlayerBrowserDialog.h"
#include "records/player_database.h"
#include "screen/CMatchForm.h"
#include "shell/CAboutDialog.h"
#include "shell/CQuorvelDoc.h"
#include "shell/CQuorvelView.h"
#include "ui/CAccessible.h"
#include "ui/CUiSupport.h"

namespace {

// The help book is "quorvel.hhp": in the installation's shared files, beside the program (in
// help/), in the source tree the program was built from, in docs/help/ of a checkout holding the
// build folder, or in docs/help/ of the current folder.
wxString findHelpBook() {
    wxArrayString candidates;
    const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
    const wxString here = program.GetPath();
#ifdef QUORVEL_DATA_FROM_BIN
    candidates.Add(here + "/" QUORVEL_DATA_FROM_BIN "/help/quorvel.hhp");
#endif
    candidates.Add(here + "/help/quorvel.hhp");
#ifdef QUORVEL_SOURCE_HELP
    candidates.Add(QUORVEL_SOURCE_HELP "/quorvel.hhp");
#endif
    candidates.Add(here + "/../docs/help/quorvel.hhp");
    candidates.Add(here + "/../../docs/help/quorvel.hhp");
    candidates.Add(wxGetCwd() + "/docs/help/quorvel.hhp");
    candidates.Add(wxGetCwd() + "/../docs/help/quorvel.hhp");
    for (const wxString& one : candidates)
        if (wxFileName::FileExists(one)) {
            wxFileName found(one);
            found.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
            return found.GetFullPath();
        }
    return wxString();
}

// Gives a window's lists (and those of its children) room for their scroll bars. The help
// window is created with lists narrower than a scroll bar (its index page is laid out only once
// shown), and the toolkit complains when a list is allocated less than its scroll bars need.
void roomForScrollBars(wxWindow* window) {
    for (wxWindow* child : window->GetChildren()) {
        if (auto* list = dynamic_cast<wxListBox*>(child)) {
            const wxSize least = list->FromDIP(wxSize(80, 80));
            list->SetMinSize(least);
            wxSize size = list->GetSize();
            size.IncTo(least);
            list->SetSize(size);
        }
        roomForScrollBars(child);
    }
}

// The help viewer: its window's lists get room for their scroll bars before it is first shown,
// and Escape closes it, as it closes every other window of the game.
class CHelpController : public wxHtmlHelpController {
public:
    explicit CHelpController(wxWindow* parent) : wxHtmlHelpController(wxHF_DEFAULT_STYLE, parent) {}

protected:
    wxHtmlHelpFrame* CreateHelpFrame(wxHtmlHelpData* data) override {
        wxHtmlHelpFrame* frame = wxHtmlHelpController::CreateHelpFrame(data);
        roomForScrollBars(frame);
        frame->Bind(wxEVT_CHAR_HOOK, [frame](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
                frame->Close();
            else
                event.Skip();
        });
        return frame;
    }
};

// The status bar, which draws its texts itself: assistive technology reads them as its name.
class CStatusBar : public wxStatusBar {
public:
    CStatusBar(wxWindow* parent, wxWindowID id, long style, const wxString& name)
        : wxStatusBar(parent, id, style, name) {
        setAccessibleRole(this, AccessibleRole::StatusBar);
    }

protected:
    void DoUpdateStatusText(int number) override {
        wxStatusBar::DoUpdateStatusText(number);
        wxString texts;
        for (int pane = 0; pane < GetFieldsCount(); ++pane)
            if (!GetStatusText(pane).empty())
                texts += (texts.empty() ? "" : " ") + GetStatusText(pane);
        setAccessibleName(this, texts);
    }
};

wxSize startingSize() {
    // Placed and sized as the platform would: generously, then shrunk to the form.
    const wxRect area = wxDisplay(0u).GetClientArea();
    return wxSize(std::min(1200, area.GetWidth() * 9 / 10),
                  std::min(1000, area.GetHeight() * 9 / 10));
}

} // namespace

CMainFrame::CMainFrame(wxDocManager* manager)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, kAppName, wxDefaultPosition, startingSize()) {
    buildMenu();
    buildAccelerators();
    buildStatusBar();
    setUpHelp();

    Bind(wxEVT_IDLE, &CMainFrame::onIdle, this);
    Bind(wxEVT_ACTIVATE, &CMainFrame::onActivate, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::onClose, this);
    for (int id : {commands::kAppExitId, commands::kViewPlayersId, commands::kViewChartsId,
                   commands::kAppAboutId, commands::kHelpId, commands::kHelpIndexId,
                   commands::kHelpFinderId})
        Bind(wxEVT_MENU, &CMainFrame::onCommand, this, id);
    Bind(wxEVT_MENU, &CMainFrame::onContextHelp, this, commands::kContextHelpId);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent& event) { tournament_.onCommand(event.GetId()); },
        commands::kTournamentNewId, commands::kTournamentOpenId);
    // Next match, table, leaders and save need a tournament in play.
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) { event.Enable(tournament_.tournament().has_value()); },
        commands::kTournamentNextId, commands::kTournamentSaveId);
    // Edit and pane commands have no handler in the main window: they do nothing.
    for (int id : {commands::kEditUndoId, commands::kEditCutId, commands::kEditCopyId,
                   commands::kEditPasteId, commands::kNextPaneId, commands::kPrevPaneId,
                   commands::kFilePrintDirectId, commands::kFilePrintPreviewId})
        Bind(wxEVT_MENU, &CMainFrame::onNothing, this, id);
}

CMainFrame::~CMainFrame() {
    // The estimating thread reaches this window: it stops first.
    charts_.cancel();
    // The help provider points at our controller: take it down with us.
    if (auto* provider = dynamic_cast<wxHelpControllerHelpProvider*>(wxHelpProvider::Get());
        provider != nullptr && provider->GetHelpController() == help_.get())
        delete wxHelpProvider::Set(nullptr);
}

CMainFrame* CMainFrame::of(wxDocManager* manager) {
    auto* ours = dynamic_cast<CQuorvelDocManager*>(manager);
    return ours != nullptr ? dynamic_cast<CMainFrame*>(ours->frame()) : nullptr;
}

void CMainFrame::buildMenu() {
    auto* file = new wxMenu;
    file->Append(commands::kFileNewId, "&New...\tCtrl+N", "Start a new game");
    file->AppendSeparator();
    wxMenuItem* exit = file->Append(commands::kAppExitId, "E&xit",
                                    "Quit the application; prompts to save documents");
    // The desktop's usual quit key, kept out of the item's text.
    exit->AddExtraAccel(wxAcceleratorEntry(wxACCEL_CTRL, 'Q'));
    auto* view = new wxMenu;
    view->Append(commands::kViewPlayersId, "Players", "Browse Player Database");
    view->Append(commands::kViewChartsId, "Charts...",
                 "Show the worm and the Manhattan of the match");
    auto* match = new wxMenu;
    match->Append(commands::kMatchNextOverId, "Play &Next Over\tCtrl+1",
                  "The computer plays the next over for your side");
    match->Append(commands::kMatchEndOfInningsId, "Play to End of &Innings\tCtrl+2",
                  "The computer plays for your side until this innings ends");
    match->Append(commands::kMatchEndOfMatchId, "Play to End of &Match\tCtrl+3",
                  "The computer plays for your side until the match ends");
    match->AppendSeparator();
    match->Append(commands::kMatchStopId, "&Stop\tEsc",
                  "Stop after the over in hand and take over");
    auto* tournament = new wxMenu;
    tournament->Append(commands::kTournamentNewId, "New Tournament...",
                       "Start a tournament of the nine countries");
    tournament->Append(commands::kTournamentNextId, "Next Match",
                       "Play the next match of the tournament");
    tournament->AppendSeparator();
    tournament->Append(commands::kTournamentTableId, "Table...",
                       "Show the table, the knockouts and the champion");
    tournament->Append(commands::kTournamentLeadersId, "Leaders...",
                       "Show the tournament's leading players");
    tournament->AppendSeparator();
    tournament->Append(commands::kTournamentSaveId, "Save Tournament...",
                       "Save the tournament to a file");
    tournament->Append(commands::kTournamentOpenId, "Open Tournament...",
                       "Open a saved tournament");
    auto* help = new wxMenu;
    help->Append(commands::kAppAboutId, "&About Quorvel...",
                 "Display program information, version number and copyright");
    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(view, "&View");
    bar->Append(match, "&Match");
    bar->Append(tournament, "&Tournament");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
}

void CMainFrame::buildAccelerators() {
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', commands::kFileNewId},
        {wxACCEL_CTRL, 'O', commands::kFileOpenId},
        {wxACCEL_CTRL, 'S', commands::kFileSaveId},
        {wxACCEL_CTRL, 'P', commands::kFilePrintId},
        {wxACCEL_CTRL, 'Z', commands::kEditUndoId},
        {wxACCEL_ALT, WXK_BACK, commands::kEditUndoId},
        {wxACCEL_CTRL, 'X', commands::kEditCutId},
        {wxACCEL_SHIFT, WXK_DELETE, commands::kEditCutId},
        {wxACCEL_CTRL, 'C', commands::kEditCopyId},
        {wxACCEL_CTRL, WXK_INSERT, commands::kEditCopyId},
        {wxACCEL_CTRL, 'V', commands::kEditPasteId},
        {wxACCEL_SHIFT, WXK_INSERT, commands::kEditPasteId},
        {wxACCEL_NORMAL, WXK_F6, commands::kNextPaneId},
        {wxACCEL_SHIFT, WXK_F6, commands::kPrevPaneId},
        {wxACCEL_NORMAL, WXK_F1, commands::kHelpId},
        {wxACCEL_SHIFT, WXK_F1, commands::kContextHelpId},
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(entries)), entries));
}

wxStatusBar* CMainFrame::OnCreateStatusBar(int number, long style, wxWindowID id,
                                           const wxString& name) {
    auto* bar = new CStatusBar(this, id, style, name);
    bar->SetFieldsCount(number);
    return bar;
}

void CMainFrame::buildStatusBar() {
    wxStatusBar* bar = CreateStatusBar(4, wxSTB_DEFAULT_STYLE, commands::kStatusBarId);
    const int pad = FromDIP(12);
    const int widths[4] = {-1, bar->GetTextExtent("CAP").GetWidth() + pad,
                           bar->GetTextExtent("NUM").GetWidth() + pad,
                           bar->GetTextExtent("SCRL").GetWidth() + pad};
    SetStatusWidths(4, widths);
    SetStatusText(kIdleMessage, 0);
}

void CMainFrame::setUpHelp() {
    help_ = std::make_unique<CHelpController>(this);
    helpBook_ = findHelpBook();
    if (wxHelpProvider::Get() == nullptr) {
        auto* provider = new wxHelpControllerHelpProvider(help_.get());
        wxHelpProvider::Set(provider);
    }
}

void CMainFrame::showHelpContents() {
    if (helpBook_.empty()) {
        wxMessageBox("The help book quorvel.hhp was not found.", kAppName,
                     wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    if (!helpLoaded_)
        helpLoaded_ = help_->AddBook(wxFileName(helpBook_));
    help_->DisplayContents();
}

void CMainFrame::showDocumentTitle(const wxString& documentTitle) {
    SetTitle(documentTitle + " - " + kAppName);
}

void CMainFrame::showStatus(const wxString& text) {
    SetStatusText(text.empty() ? wxString(kIdleMessage) : text, 0);
}

void CMainFrame::fitToForm() {
    if (form_ == nullptr)
        return;
    const wxSize wanted = form_->designSize();
    const wxSize now = GetClientSize();
    SetClientSize(std::min(now.GetWidth(), wanted.GetWidth()),
                  std::min(now.GetHeight(), wanted.GetHeight()));
    // Never smaller than the form, unless the screen is: the form scrolls then.
    const wxRect area = wxDisplay(this).GetClientArea();
    const wxSize frameWanted = ClientToWindowSize(wanted);
    SetMinSize(wxSize(std::min(frameWanted.GetWidth(), area.GetWidth()),
                      std::min(frameWanted.GetHeight(), area.GetHeight())));
}

void CMainFrame::focusForm() {
    if (form_ == nullptr || !form_->IsShownOnScreen())
        return;
    showKeyboardFocus(this);
    for (wxWindow* focus = FindFocus(); focus != nullptr; focus = focus->GetParent())
        if (focus == this)
            return;
    form_->SetFocus();
}

void CMainFrame::onActivate(wxActivateEvent& event) {
    event.Skip();
    if (event.GetActive())
        CallAfter([this] { focusForm(); });
}

void CMainFrame::updateIndicators(bool caps, bool num, bool scroll) {
    const bool now[3] = {caps, num, scroll};
    const char* const texts[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i)
        if (now[i] != indicators_[i] || GetStatusBar()->GetStatusText(i + 1).empty() == now[i]) {
            indicators_[i] = now[i];
            SetStatusText(now[i] ? texts[i] : "", i + 1);
        }
}

void CMainFrame::onIdle(wxIdleEvent& event) {
    event.Skip();
    bool caps = false, num = false, scroll = false;
#ifdef __WXGTK__
    // The lock keys' state, where the display can tell it.
    caps = wxGetKeyState(WXK_CAPITAL);
    num = wxGetKeyState(WXK_NUMLOCK);
    scroll = wxGetKeyState(WXK_SCROLL);
#endif
    updateIndicators(caps, num, scroll);
}

void CMainFrame::onClose(wxCloseEvent& event) {
    // A modified match is asked about first (Exit, Ctrl+Q, the window's close button, the end
    // of the desktop session); Cancel leaves everything as it was.
    if (!askBeforeClosing(event.CanVeto())) {
        event.Veto();
        return;
    }
    // Before the documents go: no estimate outlives the window it reports to.
    charts_.cancel();
    event.Skip();
}

bool CMainFrame::askBeforeClosing(bool mayRefuse) {
    CQuorvelView* view = matchView();
    if (!mayRefuse || view == nullptr)
        return true;
    // No over is played behind the question, so that Cancel finds the match as it was.
    view->stopPlayingOn(false);
    return view->document()->OnSaveModified();
}

void CMainFrame::showAbout() {
    CAboutDialog about(this);
    about.ShowModal();
}

void CMainFrame::showPlayers() {
    CPlayerBrowserDialog browser(this, quorvel::playerDatabase());
    browser.ShowModal();
}

void CMainFrame::matchReplaced() { charts_.matchReplaced(); }

void CMainFrame::overBowled(const quorvel::Scores& scores,
                            const quorvel::SliderPositions& sliders) {
    charts_.estimate(scores, sliders);
}

void CMainFrame::matchShown() { charts_.refresh(); }

void CMainFrame::onCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case commands::kAppExitId:
        Close();
        break;
    case commands::kViewPlayersId:
        showPlayers();
        break;
    case commands::kViewChartsId:
        charts_.show();
        break;
    case commands::kAppAboutId:
        showAbout();
        break;
    default:
        showHelpContents();
        break;
    }
}

void CMainFrame::onContextHelp(wxCommandEvent&) {
    // The pointer changes; the next click asks for help on what it lands on.
    SetStatusText("Select an object on which to get Help", 0);
    wxContextHelp help(this, true);
    SetStatusText(kIdleMessage, 0);
}

void CMainFrame::onNothing(wxCommandEvent&) {}

void CMainFrame::tournamentMatchPlayed(const quorvel::MatchResult& result) {
    tournament_.matchPlayed(result);
}

CQuorvelView* CMainFrame::matchView() const {
    auto* manager = dynamic_cast<CQuorvelDocManager*>(GetDocumentManager());
    CQuorvelDoc* doc = manager != nullptr ? manager->document() : nullptr;
    return CQuorvelView::of(doc);
}
