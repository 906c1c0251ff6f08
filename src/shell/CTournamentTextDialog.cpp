#include "shell/CTournamentTextDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

CTournamentTextDialog::CTournamentTextDialog(wxWindow* parent, const wxString& title,
                                             const std::string& text)
    : CLogDialog(parent, title, text, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX) {
    // The log window's margins, now kept by a sizer: 7 dialog units around the text, 10 above
    // OK, and OK at its own size.
    const wxSize margin = ConvertDialogToPixels(wxSize(7, 7));
    wxWindow* ok = FindWindow(wxID_OK);
    ok->SetMinSize(ok->GetSize());
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->AddSpacer(margin.GetHeight());
    column->Add(this->text(), 1, wxEXPAND | wxLEFT | wxRIGHT, margin.GetWidth());
    column->AddSpacer(ConvertDialogToPixels(wxSize(0, 10)).GetHeight());
    column->Add(ok, 0, wxALIGN_RIGHT | wxRIGHT, margin.GetWidth());
    column->AddSpacer(margin.GetHeight());
    // Opened at the log window's size; never so small that OK and a few lines are lost.
    const wxSize opened = GetClientSize();
    SetSizer(column);
    SetMinClientSize(ConvertDialogToPixels(wxSize(200, 120)));
    SetClientSize(opened);
    Layout();
}
