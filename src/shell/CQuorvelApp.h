#pragma once
// The application object: loads the player database before any window exists, then opens the
// main window.

#include <wx/app.h>

class CQuorvelApp : public wxApp {
public:
    bool OnInit() override;
};

wxDECLARE_APP(CQuorvelApp);
