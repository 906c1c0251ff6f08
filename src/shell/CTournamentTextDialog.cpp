#include "shell/CTournamentTextDialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "reports/CScoreSheetDialog.h"
#include "ui/CUiSupport.h"

CTournamentTextDialog::CTournamentTextDialog(wxWindow* parent, const wxString& title,
                                             const std::string& text)
    : wxDialog(parent, wxID_ANY, title) {
    SetFont(fixedPitchFont());
    auto dlu = [this](int x, int y, int w, int h) { return dluRect(*this, x, y, w, h); };
    SetClientSize(ConvertDialogToPixels(wxSize(368, 266)));

    text_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxVSCROLL | wxHSCROLL);
    text_->SetSize(dlu(7, 7, 354, 228));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(dlu(311, 245, 50, 14));
    ok->SetDefault();
    SetEscapeId(wxID_OK);
    text_->ChangeValue(toDisplayText(text));
}
