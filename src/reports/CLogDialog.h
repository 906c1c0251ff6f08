#pragma once
// "Quorvel Log": the commentary of every match played in this run, unwrapped, opened scrolled
// to its end.

#include <string>

#include <wx/dialog.h>

class wxTextCtrl;

class CLogDialog : public wxDialog {
public:
    static constexpr int kTextId = 1119;

    CLogDialog(wxWindow* parent, const std::string& logText);

    wxTextCtrl* text() const { return text_; }

protected:
    // The same window under another title, opened at the top of its text; a window that lays
    // itself out again when resized passes wxRESIZE_BORDER in its style.
    CLogDialog(wxWindow* parent, const wxString& title, const std::string& text,
               long style = wxDEFAULT_DIALOG_STYLE);

private:
    wxTextCtrl* text_ = nullptr;
};
