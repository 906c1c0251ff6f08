#include "setup/CTossDialog.h"

#include <wx/button.h>
#include <wx/tglbtn.h>

#include "engine/random.h"

CTossDialog::CTossDialog(wxWindow* parent) : CTemplateDialog(parent, "Toss", 161, 77, wxCAPTION) {
    heads_ = new wxToggleButton(this, kHeadsId, "Heads");
    place(heads_, 29, 27, 45, 19);
    tails_ = new wxToggleButton(this, kTailsId, "Tails");
    place(tails_, 78, 27, 45, 19);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    place(ok, 119, 58, 35, 12);
    ok->SetDefault();
    ok->SetFocus();
    showCall();

    Bind(wxEVT_TOGGLEBUTTON, &CTossDialog::onPress, this);
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { finish(wxID_OK); });
}

void CTossDialog::onPress(wxCommandEvent& event) {
    // Either button flips the call, so exactly one face is called at any time.
    if (event.GetId() == kHeadsId)
        call_.pressHeads();
    else if (event.GetId() == kTailsId)
        call_.pressTails();
    showCall();
}

void CTossDialog::showCall() {
    heads_->SetValue(call_.callsHeads());
    tails_->SetValue(call_.callsTails());
}

bool CTossDialog::userWonToss() { return call_.userWonToss(); }

bool CTossDialog::userWonToss(quorvel::Random& random, std::uint32_t seed) {
    return call_.userWonToss(random, seed);
}
