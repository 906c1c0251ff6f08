#pragma once
// "Select Batsman": brings in the next batsman.
//
// Two constructors, one per kind of batting side:
// - the user's side: constructed with the candidates' display names (any order; the list shows
//   them alphabetically ignoring case). OK stays disabled until an entry is selected, and the
//   dialog cannot be closed without a choice: Escape and the close box do nothing. chosenIndex()
//   then gives the position of the chosen name in the vector handed in.
//   With no candidate at all there is nothing to choose: the dialog says so, OK closes it with
//   wxID_CANCEL and chosenIndex() stays -1 (accepting an empty list is never a choice).
// - the computer's side: constructed with the announcement ("The computer has selected " and
//   the name, see computerSelectionText); the list is hidden, OK is enabled and closes it.
//   chosenIndex() is -1 there: the caller already holds the computer's pick.

#include <string>
#include <vector>

#include "ui/CTemplateDialog.h"

class wxListBox;
class wxTextCtrl;
class wxButton;

class CSelectBatsmanDialog : public CTemplateDialog {
public:
    static constexpr int kCandidateListId = 1116;
    static constexpr int kSelectionTextId = 1118;

    // The user's side picks from candidates.
    CSelectBatsmanDialog(wxWindow* parent, const std::vector<std::string>& candidates);
    // The computer's side: only the announcement is shown.
    CSelectBatsmanDialog(wxWindow* parent, const wxString& announcement);

    bool isUserChoice() const { return userChoice_; }
    // The chosen candidate (index into the vector given at construction), or -1.
    int chosenIndex() const { return chosenIndex_; }
    // The chosen display name, or empty.
    std::string chosenName() const;

protected:
    void onEscape() override;

private:
    void build();
    void onSelectionChanged(wxCommandEvent& event);
    void onOk(wxCommandEvent& event);

    bool userChoice_;
    std::vector<std::string> candidates_;
    // Candidate index of each list row.
    std::vector<int> rowToCandidate_;
    int chosenIndex_ = -1;
    wxListBox* list_ = nullptr;
    wxTextCtrl* text_ = nullptr;
    wxButton* ok_ = nullptr;
};
