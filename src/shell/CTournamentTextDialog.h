#pragma once
// The tournament's table or leaders: read-only fixed-pitch text with an OK button, laid out as
// the log window is.

#include <string>

#include "reports/CLogDialog.h"

class CTournamentTextDialog : public CLogDialog {
public:
    CTournamentTextDialog(wxWindow* parent, const wxString& title, const std::string& text)
        : CLogDialog(parent, title, text) {}
};
