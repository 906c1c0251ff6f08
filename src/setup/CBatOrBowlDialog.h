#pragma once
// "Bat or Bowl?": with an empty message the user chooses with two push-like buttons ("Bat
// First" pressed at first); otherwise the buttons are hidden and the message (the computer's
// decision) is shown in their place. Escape keeps the choice shown.

#include "ui/CTemplateDialog.h"

class wxTextCtrl;
class wxToggleButton;

class CBatOrBowlDialog : public CTemplateDialog {
public:
    static constexpr int kMessageId = 1077;
    static constexpr int kBatFirstId = 1081;
    static constexpr int kBowlFirstId = 1082;
    // The message holds at most this many characters; a longer one is cut.
    static constexpr std::size_t kMaxMessageLength = 100;

    CBatOrBowlDialog(const wxString& message, wxWindow* parent);

    bool batFirst() const { return batFirst_; }
    bool userChooses() const { return message_.empty(); }

private:
    void onPress(wxCommandEvent& event);
    void showChoice();

    wxString message_;
    // Bowling first is always the other choice.
    bool batFirst_ = true;
    wxTextCtrl* text_ = nullptr;
    wxToggleButton* bat_ = nullptr;
    wxToggleButton* bowl_ = nullptr;
};
