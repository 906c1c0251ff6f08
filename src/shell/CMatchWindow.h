#pragma once
// The main window as the match view sees it: where the form lives, the title bar, the status
// bar's message pane, and those who follow the match.

#include <wx/frame.h>
#include <wx/string.h>

#include "shell/match_events.h"

class CMatchForm;

class CMatchWindow {
public:
    virtual ~CMatchWindow() = default;
    // The window itself, parent of the form and of the view's dialogs.
    virtual wxFrame* window() = 0;
    virtual void setForm(CMatchForm* form) = 0;
    // The title bar: the document's title, " - " and the application's name.
    virtual void showDocumentTitle(const wxString& documentTitle) = 0;
    virtual void fitToForm() = 0;
    // The status bar's message pane; an empty text puts back the idle message.
    virtual void showStatus(const wxString& text) = 0;
    // The match in hand, for those who follow it (nullptr when the view goes).
    virtual void setMatchSource(quorvel::MatchSource* source) = 0;
    // The tournament's fixture on the form.
    virtual quorvel::FormFixtures& formFixtures() = 0;
    // Those told what happens to the match in hand.
    virtual quorvel::MatchEvents& matchEvents() = 0;

    // The match window of a document manager's main window, if it is one.
    static CMatchWindow* of(wxFrame* frame) { return dynamic_cast<CMatchWindow*>(frame); }
};
