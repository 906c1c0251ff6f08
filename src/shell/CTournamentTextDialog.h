#pragma once
// The tournament's table or leaders as read-only fixed-pitch text, with an OK button.

#include <string>

#include <wx/dialog.h>

class wxTextCtrl;

class CTournamentTextDialog : public wxDialog {
public:
    CTournamentTextDialog(wxWindow* parent, const wxString& title, const std::string& text);

    wxTextCtrl* text() const { return text_; }

private:
    wxTextCtrl* text_ = nullptr;
};
