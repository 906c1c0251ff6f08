#include "setup/CBatOrBowlDialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "ui/CAccessible.h"

CBatOrBowlDialog::CBatOrBowlDialog(const wxString& message, wxWindow* parent)
    : CTemplateDialog(parent, "Bat or Bowl?", 143, 87, wxCAPTION),
      message_(message.Left(kMaxMessageLength)) {
    // The text box and the two buttons share one area; only one of them shows.
    text_ = new wxTextCtrl(this, kMessageId, message_, wxDefaultPosition, wxDefaultSize,
                           wxTE_READONLY | wxTE_MULTILINE | wxTE_CENTRE);
    place(text_, 7, 24, 129, 29);
    bat_ = new wxToggleButton(this, kBatFirstId, "Bat\nFirst");
    place(bat_, 29, 20, 40, 36);
    bowl_ = new wxToggleButton(this, kBowlFirstId, "Bowl\nFirst");
    place(bowl_, 75, 20, 40, 36);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    place(ok, 101, 68, 35, 12);
    ok->SetDefault();
    setAccessibleName(text_, "Message");
    setAccessibleName(bat_, "Bat first");
    setAccessibleName(bowl_, "Bowl first");
    ok->SetFocus();

    if (userChooses()) {
        text_->Hide();
    } else {
        bat_->Hide();
        bowl_->Hide();
    }
    showChoice();

    Bind(wxEVT_TOGGLEBUTTON, &CBatOrBowlDialog::onPress, this);
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_OK); });
}

void CBatOrBowlDialog::onPress(wxCommandEvent& event) {
    if (event.GetId() != kBatFirstId && event.GetId() != kBowlFirstId)
        return;
    // Either button flips the choice, so exactly one is pressed.
    batFirst_ = !batFirst_;
    showChoice();
}

void CBatOrBowlDialog::showChoice() {
    bat_->SetValue(batFirst_);
    bowl_->SetValue(!batFirst_);
}
