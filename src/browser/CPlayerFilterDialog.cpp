#include "browser/CPlayerFilterDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>

CPlayerFilterDialog::CPlayerFilterDialog(wxWindow* parent, std::int32_t countryMask)
    : CTemplateDialog(parent, "Player Filter", 114, 150, wxCAPTION), filter_(countryMask) {
    for (int k = 0; k < quorvel::kCountryCount; ++k) {
        boxes_[k] =
            new wxCheckBox(this, kFirstBoxId + k, toWx(std::string(quorvel::countryNameAt(k))));
        place(boxes_[k], 7, 7 + 13 * k, 100, 12);
        boxes_[k]->SetValue(filter_.isChecked(k));
    }
    auto* ok = new wxButton(this, wxID_OK, "OK");
    place(ok, 72, 131, 35, 12);
    ok->SetDefault();
    ok->SetFocus();
    ok->Bind(wxEVT_BUTTON, &CPlayerFilterDialog::onOk, this);
}

void CPlayerFilterDialog::onOk(wxCommandEvent&) {
    for (int k = 0; k < quorvel::kCountryCount; ++k)
        filter_.setChecked(k, boxes_[k]->GetValue());
    finish(wxID_OK);
}
