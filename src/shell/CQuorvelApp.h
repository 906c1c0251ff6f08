#pragma once
// The application object: loads the player database before any window exists, reads the
// settings, registers the one document type, creates the match document (or opens the match
// named on the command line) in the main window, and writes the settings back at exit.

#include <wx/app.h>
#include <wx/string.h>

#include <string>

#include "shell/settings_keys.h"

class CMainFrame;
class CQuorvelDocManager;

// What start-up built: the document manager (owner of the document and its template) and the
// main window. On failure both are null and the reason was shown to the user.
struct QuorvelShell {
    CQuorvelDocManager* manager = nullptr;
    CMainFrame* frame = nullptr;
    // The "PreviewPages" value read from the settings, written back at exit.
    long previewPages = 0;

    explicit operator bool() const { return manager != nullptr && frame != nullptr; }
};

// Start-up after the database is loaded: settings, the document template, the main window with
// the match form, and the first document, empty or opened from `matchPath`. Shows the window.
QuorvelShell startQuorvelShell(const wxString& matchPath);
// The end of the run: the settings written back and the document manager deleted. The main
// window must already be closed (or be destroyed by the caller).
void stopQuorvelShell(QuorvelShell& shell);

// The message start-up shows when the player database is empty (no players could be read), set
// by the program before the application starts; nothing is shown while it is empty.
void setNoPlayersMessage(const std::string& text);

class CQuorvelApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;

private:
    QuorvelShell shell_;
};

wxDECLARE_APP(CQuorvelApp);
