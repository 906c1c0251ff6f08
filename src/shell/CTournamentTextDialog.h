#pragma once
// The tournament's table or leaders: read-only fixed-pitch text with an OK button, laid out as
// the log window is, but resizable: the text grows with the window and OK keeps to its
// bottom-right corner. Enter and Escape close it.

#include <string>

#include "reports/CLogDialog.h"

class CTournamentTextDialog : public CLogDialog {
public:
    CTournamentTextDialog(wxWindow* parent, const wxString& title, const std::string& text);
};
