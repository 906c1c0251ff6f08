#include "shell/CQuorvelApp.h"

#include <wx/frame.h>

#include "records/player_database.h"

bool CQuorvelApp::OnInit() {
    quorvel::startUpPlayerDatabase(quorvel::playerDatabase());
    SetAppName("Quorvel");
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Untitled - Quorvel");
    frame->Show();
    return true;
}
