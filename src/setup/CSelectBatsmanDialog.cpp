#include "setup/CSelectBatsmanDialog.h"

#include <algorithm>
#include <numeric>

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "browser/player_list.h"
#include "ui/CAccessible.h"

namespace {
constexpr long kStyle = wxCAPTION; // a modal frame without a system menu or close box
constexpr const char* kNobodyLeftText = "No batsman is left to come in.";
} // namespace

CSelectBatsmanDialog::CSelectBatsmanDialog(wxWindow* parent,
                                           const std::vector<std::string>& candidates)
    : CTemplateDialog(parent, "Select Batsman", 100, 102, kStyle), userChoice_(true),
      candidates_(candidates) {
    // The list shows the candidates alphabetically, ignoring case; each row remembers which
    // candidate it is.
    rowToCandidate_.resize(candidates_.size());
    std::iota(rowToCandidate_.begin(), rowToCandidate_.end(), 0);
    std::stable_sort(rowToCandidate_.begin(), rowToCandidate_.end(), [this](int a, int b) {
        return quorvel::ListBoxModel::sortsBefore(candidates_[a], candidates_[b]);
    });
    build();
}

CSelectBatsmanDialog::CSelectBatsmanDialog(wxWindow* parent, const wxString& announcement)
    : CTemplateDialog(parent, "Select Batsman", 100, 102, kStyle), userChoice_(false) {
    build();
    text_->ChangeValue(announcement);
}

void CSelectBatsmanDialog::build() {
    list_ = new wxListBox(this, kCandidateListId, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                          wxLB_SINGLE | wxLB_ALWAYS_SB);
    place(list_, 7, 7, 86, 68);
    text_ = new wxTextCtrl(this, kSelectionTextId, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxTE_READONLY | wxTE_MULTILINE | wxTE_CENTRE);
    place(text_, 7, 24, 86, 33);
    ok_ = new wxButton(this, wxID_OK, "OK");
    place(ok_, 58, 83, 35, 12);
    ok_->SetDefault();
    setAccessibleName(list_, "Batsmen to come in");
    setAccessibleName(text_, "Message");

    if (userChoice_ && !candidates_.empty()) {
        for (const int candidate : rowToCandidate_)
            list_->Append(toWx(candidates_[candidate]));
        text_->Hide();
        ok_->Disable();
        list_->SetFocus();
    } else {
        list_->Hide();
        if (userChoice_)
            text_->ChangeValue(kNobodyLeftText);
        // The announcement is only read: OK holds the focus, the box shows no text cursor.
        text_->DisableFocusFromKeyboard();
        ok_->SetFocus();
    }

    enablePrefixSearch(list_);
    list_->Bind(wxEVT_LISTBOX, &CSelectBatsmanDialog::onSelectionChanged, this);
    watchActivation(list_, [this](int) {
        wxCommandEvent changed;
        onSelectionChanged(changed);
    });
    ok_->Bind(wxEVT_BUTTON, &CSelectBatsmanDialog::onOk, this);
}

std::string CSelectBatsmanDialog::chosenName() const {
    return chosenIndex_ >= 0 ? candidates_[chosenIndex_] : std::string();
}

void CSelectBatsmanDialog::onEscape() {
    // The user's side must bring someone in: Escape and the close box do nothing there.
    if (userChoice_ && !candidates_.empty())
        return;
    CTemplateDialog::onEscape();
}

void CSelectBatsmanDialog::onSelectionChanged(wxCommandEvent&) {
    if (userChoice_ && !candidates_.empty())
        ok_->Enable(list_->GetSelection() != wxNOT_FOUND);
}

void CSelectBatsmanDialog::onOk(wxCommandEvent&) {
    int result = wxID_OK;
    if (userChoice_) {
        const int row = list_->GetSelection();
        if (candidates_.empty()) {
            // Nothing to choose: closing is not a choice.
            chosenIndex_ = -1;
            result = wxID_CANCEL;
        } else if (row == wxNOT_FOUND || row >= static_cast<int>(rowToCandidate_.size())) {
            ok_->Disable();
            return;
        } else {
            chosenIndex_ = rowToCandidate_[row];
        }
    }
    finish(result);
}
