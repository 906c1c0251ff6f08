#include "reports/CLogDialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "reports/CScoreSheetDialog.h"
#include "ui/CAccessible.h"
#include "ui/CUiSupport.h"

CLogDialog::CLogDialog(wxWindow* parent, const wxString& title, const std::string& text, long style)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style) {
    SetFont(fixedPitchFont());
    setAccessibleRole(this, AccessibleRole::Dialog);
    auto dlu = [this](int x, int y, int w, int h) { return dluRect(*this, x, y, w, h); };
    SetClientSize(ConvertDialogToPixels(wxSize(368, 266)));

    text_ = new wxTextCtrl(this, kTextId, wxString(), wxDefaultPosition, wxDefaultSize,
                           wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxVSCROLL | wxHSCROLL);
    setAccessibleName(text_, title);
    text_->SetSize(dlu(7, 7, 354, 228));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(dlu(311, 245, 50, 14));
    ok->SetDefault();
    SetEscapeId(wxID_OK);

    text_->ChangeValue(toDisplayText(text));
}

CLogDialog::CLogDialog(wxWindow* parent, const std::string& logText)
    : CLogDialog(parent, "Quorvel Log", logText) {
    // Opened at the end of the log, the latest commentary in view.
    const long end = text_->GetLastPosition();
    text_->SetInsertionPoint(end);
    text_->ShowPosition(end);
    // The text view scrolls only once it is laid out.
    CallAfter([this] { text_->ShowPosition(text_->GetLastPosition()); });
}
