#pragma once
// The game started for real inside the test program: settings in a scratch file, the bundled
// database, the document manager, the main window and the match form. A modal hook can answer
// every dialog of a whole match.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include "gui/gui_support.h"
#include "screen/CMatchForm.h"
#include "shell/CMainFrame.h"
#include "shell/CQuorvelApp.h"
#include "shell/CQuorvelDoc.h"
#include "shell/CQuorvelView.h"
#include "support/test_support.h"

class CSelectBatsmanDialog;
class CSelectTeamsDialog;

namespace quorvel::gui {

// The usual answers: both sides' predefined elevens, and the first batsman offered.
int twoElevens(CSelectTeamsDialog& dialog);
int pickFirst(CSelectBatsmanDialog& dialog);

class GameTest : public DialogTest {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& frame() { return *shell_.frame; }
    CQuorvelDoc& doc() { return *shell_.manager->document(); }
    CQuorvelView& view() { return *CQuorvelView::of(&doc()); }
    CMatchForm& form() { return *view().form(); }
    const MatchScreen& screen() { return view().screen(); }

    // A menu or accelerator command sent to the main window, routed as the frame routes it.
    void command(int id);
    // A click on an enabled button of the form ("Bowl Over", ">" ...); fails when disabled.
    void press(int id);
    std::string text(int id) { return std::string(form().textOf(id).ToUTF8()); }
    bool enabled(int id) { return form().FindWindow(id)->IsEnabled(); }
    bool shown(int id) { return form().FindWindow(id)->IsShown(); }
    // The form's boxes against the screen's figures.
    void expectFormShowsFigures();

    // The file dialogs' answers: every question is counted and its offered name kept; the
    // answer is the first of laterFiles while there is one, else nextFile (empty: cancelled).
    int fileQuestions = 0;
    std::vector<std::string> offeredFiles;
    std::string nextFile;
    std::vector<std::string> laterFiles;

    test::ScratchDir scratch_;
    QuorvelShell shell_;
};

// Answers every modal dialog: two predefined elevens in Select Teams (India for the user,
// Pakistan for the computer), OK in the toss and bat-or-bowl boxes, the first candidate in Select
// Batsman, OK in message boxes; a driver given for a dialog class replaces the default.
class AnswerEverything : public wxModalDialogHook {
public:
    AnswerEverything() { Register(); }
    ~AnswerEverything() override { Unregister(); }

    // Replaces the default answer for dialogs of this class name (wxClassInfo name, or the
    // C++ class name for the game's dialogs).
    void answer(const std::string& kind, std::function<int(wxDialog&)> drive) {
        drivers_[kind] = std::move(drive);
    }

    std::vector<std::string> messages;
    std::map<std::string, int> counts;
    // The question before a modified match is dropped (Save wxID_YES, Don't Save wxID_NO,
    // Cancel wxID_CANCEL), and the overwrite question for a name completed with its extension.
    int saveAnswer = wxID_CANCEL;
    int saveQuestions = 0;
    int overwriteAnswer = wxID_NO;
    int overwriteQuestions = 0;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::map<std::string, std::function<int(wxDialog&)>> drivers_;
};

// The class name the hook files a dialog under.
std::string dialogKind(wxDialog& dialog);

} // namespace quorvel::gui
