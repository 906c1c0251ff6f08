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

private:
    wxTextCtrl* text_ = nullptr;
};
